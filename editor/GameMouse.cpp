// Opening a box with a left click, and closing the open one with a left click outside it.
#include "editor/Game.h"

void Game::OnMouseUp(const SDL_MouseButtonEvent& event) {
    if (event.button != SDL_BUTTON_LEFT) return;

    if (!isEditing) {
        for (int order = 0; order < kBoxCount; ++order) {
            if (BoxRect(order).Contains(mousePos)) return OpenBoxAt(order);
        }
        return;
    }
    // A click that closes a box never opens another: that takes a second click.
    for (int order = 0; order < kBoxCount; ++order) {
        if (BoxSelected(order) && !BoxRect(order).Contains(mousePos)) return CloseBoxByClick(order);
    }
}

bool& Game::BoxSelected(int order) {
    if (order == kBgOrder) return bgBoxState.selected;
    if (order == kStarOrder) return starBoxState.selected;
    return numericBoxes[static_cast<size_t>(order - kFirstNumericOrder)].selected;
}

bool Game::BoxSelected(int order) const { return const_cast<Game*>(this)->BoxSelected(order); }

Rect Game::BoxRect(int order) const {
    if (order == kBgOrder) return bgBox;
    if (order == kStarOrder) return starBox;
    return numericBoxes[static_cast<size_t>(order - kFirstNumericOrder)].rect;
}

void Game::RefreshBox(int order, bool selected) {
    if (order < kFirstNumericOrder) return RefreshColor(ColorBoxAt(order), selected);
    RefreshNumeric(order - kFirstNumericOrder, selected);
}

int Game::OpenBox() const {
    for (int order = 0; order < kBoxCount; ++order) {
        if (BoxSelected(order)) return order;
    }
    return kNoBox;
}

// Opening touches neither editText nor caretIndex; a colour box always starts at red.
void Game::OpenBoxAt(int order) {
    BoxSelected(order) = true;
    isEditing = true;
    RefreshBox(order, true);
}

// Closing by click keeps a colour box's values (they apply per digit) and drops a numeric box's digits.
void Game::CloseBoxByClick(int order) {
    if (order < kFirstNumericOrder) {
        ColorBoxAt(order).state = ColorBoxState{};
        isEditing = false;
        RefreshBox(order, false);
        return;
    }
    BoxSelected(order) = false;
    isEditing = false;
    RefreshBox(order, false);
    editText.clear();
}
