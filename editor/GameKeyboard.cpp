// Keys act on release, and only on the box a click has opened.
#include "editor/Game.h"

namespace {
constexpr int kNotDigit = -1;

// Main keyboard and keypad digits alike; the keypad's 0 comes after its 9.
int DigitOf(SDL_Keycode key) {
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<int>(key - SDLK_0);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<int>(key - SDLK_KP_1) + 1;
    if (key == SDLK_KP_0) return 0;
    return kNotDigit;
}

bool IsEnter(SDL_Keycode key) { return key == SDLK_RETURN || key == SDLK_KP_ENTER; }

bool IsRecognised(SDL_Keycode key) {
    return DigitOf(key) != kNotDigit || IsEnter(key) || key == SDLK_LEFT || key == SDLK_RIGHT;
}

constexpr int32_t kLastCaret = 2;
}  // namespace

void Game::OnKeyUp(const SDL_KeyboardEvent& event) {
    const SDL_Keycode key = event.keysym.sym;
    if (!IsRecognised(key)) return;
    const int order = OpenBox();
    if (order == kNoBox) return;
    if (order < kFirstNumericOrder) return OnColorBoxKey(order, key);
    OnNumericBoxKey(order - kFirstNumericOrder, key);
}

void Game::OnColorBoxKey(int order, SDL_Keycode key) {
    if (key == SDLK_RIGHT) {
        caretIndex = caretIndex + 1 > kLastCaret ? 0 : caretIndex + 1;
    } else if (key == SDLK_LEFT) {
        caretIndex = caretIndex - 1 < 0 ? kLastCaret : caretIndex - 1;
    } else if (IsEnter(key)) {
        // Red, then green, then blue; every digit already took effect, so only the last Enter re-renders.
        ColorBoxState& state = ColorBoxAt(order).state;
        if (!state.redEntered) {
            state.redEntered = true;
        } else if (!state.greenEntered) {
            state.greenEntered = true;
        } else {
            state = ColorBoxState{};
            isEditing = false;
            RefreshBox(order, false);
        }
    } else {
        TypeColorDigit(ColorBoxAt(order), DigitOf(key));
        RefreshBox(order, true);
    }
}

void Game::OnNumericBoxKey(int box, SDL_Keycode key) {
    if (IsEnter(key)) {
        isEditing = false;
        numericBoxes[static_cast<size_t>(box)].selected = false;
        CommitNumeric(box);
        RefreshNumeric(box, false);
    } else if (const int digit = DigitOf(key); digit != kNotDigit) {
        editText.push_back(static_cast<char>('0' + digit));
        RefreshNumeric(box, true);
    }
}
