// Random input from a fixed seed, routed as the main loop routes it, with the editor's promises checked after every
// event; and a scripted session that ends the way a user ends one. STAR_FUZZ_EVENTS and STAR_FUZZ_SEED change the
// run (scripts/fuzz runs a million events under the sanitizers).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>
#include <sstream>

#include "editor/Game.h"
#include "tests/support/EditorModel.h"
#include "tests/support/Invariants.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;
using editor_model::EditorModel;
using invariants::DrawsOnlyFiniteVertices;
using invariants::HoldsInvariants;

namespace {
constexpr uint64_t kDefaultSeed = 0x5EED2024;
constexpr uint64_t kDefaultEvents = 20000;
constexpr uint64_t kFrameEvery = 32;  // events between frames drawn, checked and presented
constexpr size_t kHistory = 24;       // events shown when a check fails

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 0) : fallback;
}

// Keys the editor ignores, among them those a user reaches for to correct or to cancel.
constexpr SDL_Keycode kIgnoredKeys[] = {SDLK_BACKSPACE, SDLK_ESCAPE,   SDLK_MINUS,    SDLK_PERIOD,   SDLK_UP,
                                        SDLK_DOWN,      SDLK_DELETE,   SDLK_TAB,      SDLK_SPACE,    SDLK_a,
                                        SDLK_e,         SDLK_x,        SDLK_KP_MINUS, SDLK_KP_PERIOD, SDLK_KP_PLUS,
                                        SDLK_F1,        SDLK_LSHIFT,   SDLK_HOME};
constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};

// What a user can do, drawn from a seed. Motions favour the eight boxes and their edges so that boxes open and
// values get committed; the rest lands anywhere, also far outside the window.
class EventSource {
public:
    explicit EventSource(uint64_t seed) : random(seed) {}

    SDL_Event Next() {
        if (digitRun > 0) {
            --digitRun;
            return Digit();
        }
        const uint64_t roll = Below(1000);
        if (roll < 210) return MotionNearBox();
        if (roll < 290) return MotionAnywhere();
        if (roll < 400) return ButtonUp(Below(4) != 0 ? SDL_BUTTON_LEFT : static_cast<uint8_t>(Between(2, 5)));
        if (roll < 690) return Digit();
        if (roll < 705) {
            digitRun = Between(5, 60);  // a run of digits after this one
            return Digit();
        }
        if (roll < 825) return KeyUp(Below(2) != 0 ? SDLK_RETURN : SDLK_KP_ENTER);
        if (roll < 885) return KeyUp(Below(2) != 0 ? SDLK_LEFT : SDLK_RIGHT);
        if (roll < 955) return KeyUp(kIgnoredKeys[Below(std::size(kIgnoredKeys))]);
        if (roll < 997) return Unrouted();
        return Quit();
    }

    // Most events arrive alone; a few share one poll of the queue.
    size_t BatchSize() { return Below(40) == 0 ? static_cast<size_t>(Between(2, 6)) : 1; }

private:
    uint64_t Below(uint64_t n) { return random() % n; }
    int Between(int low, int high) { return low + static_cast<int>(Below(static_cast<uint64_t>(high - low + 1))); }

    SDL_Event Digit() {
        const int digit = Between(0, 9);
        return KeyUp(Below(2) != 0 ? SDLK_0 + digit : kKeypadDigits[digit]);
    }

    // Inside a box, on one of its edges, or a pixel beside one.
    SDL_Event MotionNearBox() {
        const Rect& r = editor_model::kBoxRects[Below(editor_model::kBoxCount)];
        const int left = static_cast<int>(r.left), right = static_cast<int>(r.left + r.width);
        const int bottom = static_cast<int>(r.bottom), top = static_cast<int>(r.bottom + r.height);
        int x = Between(left, right), y = Between(bottom, top);
        switch (Below(6)) {
            case 0: x = left - static_cast<int>(Below(2)); break;
            case 1: x = right + static_cast<int>(Below(2)); break;
            case 2: y = bottom - static_cast<int>(Below(2)); break;
            case 3: y = top + static_cast<int>(Below(2)); break;
            default: break;
        }
        return MotionTo(x, kWindowHeight - y);
    }

    SDL_Event MotionAnywhere() {
        if (Below(2) != 0) return MotionTo(Between(0, kWindowWidth - 1), Between(0, kWindowHeight - 1));
        return MotionTo(Between(-3000, 4200), Between(-3000, 3900));
    }

    // Presses, the wheel and typed text reach the loop too; it routes none of them.
    SDL_Event Unrouted() {
        switch (Below(4)) {
            case 0: return KeyDown(SDLK_0 + Between(0, 9));
            case 1: return ButtonDown(static_cast<uint8_t>(Between(1, 5)));
            case 2: {
                SDL_Event wheel{};
                wheel.type = SDL_MOUSEWHEEL;
                wheel.wheel.y = Between(-3, 3);
                return wheel;
            }
            default: {
                SDL_Event text{};
                text.type = SDL_TEXTINPUT;
                text.text.text[0] = static_cast<char>('0' + Between(0, 9));
                return text;
            }
        }
    }

    std::mt19937_64 random;
    int digitRun = 0;
};

std::string Describe(const SDL_Event& e) {
    std::ostringstream out;
    switch (e.type) {
        case SDL_MOUSEMOTION: out << "motion to (" << e.motion.x << ", " << e.motion.y << ")"; break;
        case SDL_MOUSEBUTTONUP: out << "button " << int{e.button.button} << " up"; break;
        case SDL_MOUSEBUTTONDOWN: out << "button " << int{e.button.button} << " down"; break;
        case SDL_KEYUP: out << "key up " << SDL_GetKeyName(e.key.keysym.sym); break;
        case SDL_KEYDOWN: out << "key down " << SDL_GetKeyName(e.key.keysym.sym); break;
        case SDL_QUIT: out << "quit"; break;
        default: out << "event type 0x" << std::hex << e.type; break;
    }
    return out.str();
}

// What the run reached: a run that never opened a box would prove nothing.
struct Coverage {
    std::array<int, editor_model::kBoxCount> opened{};
    int commits = 0;
    int sessions = 1;
    int frames = 0;
    bool degenerateStar = false;
};

bool HasTwoStraightTips(const Game& game) {
    return game.isotoxalStar->vertexCount == 2 && game.isotoxalStar->alpha == invariants::Radians(180.0f);
}

// One editor fed from the source, with the model beside it. A quit ends the session as it ends the program: the
// editor is destroyed and the next session starts afresh.
class FuzzRun {
public:
    explicit FuzzRun(uint64_t seed) : seed(seed), source(seed), game(std::make_unique<Game>(SharedCore()->window)) {}

    // Routes one batch (mostly one event) and checks everything after it.
    void Step(uint64_t total) {
        std::vector<SDL_Event> batch(std::min<uint64_t>(source.BatchSize(), total - done));
        bool quit = false;
        for (SDL_Event& event : batch) {
            event = source.Next();
            quit = Expect(event, batch.size() > 1) || quit;
        }
        ASSERT_EQ(Route(*game, batch), quit) << Context();
        ASSERT_TRUE(HoldsInvariants(*game)) << Context();
        ASSERT_TRUE(model.Matches(*game)) << Context();
        ASSERT_NO_FATAL_FAILURE(MaybeDrawFrame(batch.size()));
        if (quit) NextSession();
    }

    uint64_t Done() const { return done; }
    const Coverage& Reached() {
        coverage.commits = commitsBefore + model.Commits();
        return coverage;
    }

private:
    // Applies the event to the model; returns true for a quit.
    bool Expect(const SDL_Event& event, bool inBatch) {
        const int openBefore = model.OpenBox();
        const bool quit = model.Apply(event);
        if (openBefore == editor_model::kNone && model.OpenBox() != editor_model::kNone)
            ++coverage.opened[static_cast<size_t>(model.OpenBox())];
        recent.push_back(std::to_string(++done) + (inBatch ? " (batch) " : " ") + Describe(event));
        if (recent.size() > kHistory) recent.pop_front();
        return quit;
    }

    // A frame every so often, as the loop draws one per pass, and whenever the right figure's corners have just gone
    // to infinity: none of its coordinates may be non-finite.
    void MaybeDrawFrame(size_t events) {
        const bool degenerate = HasTwoStraightTips(*game);
        sinceFrame += events;
        if (sinceFrame >= kFrameEvery || (degenerate && !wasDegenerate)) {
            ASSERT_TRUE(DrawsOnlyFiniteVertices(*game)) << Context();
            SDL_GL_SwapWindow(SharedCore()->sdlWindow);
            ++coverage.frames;
            sinceFrame = 0;
        }
        coverage.degenerateStar = coverage.degenerateStar || degenerate;
        wasDegenerate = degenerate;
    }

    void NextSession() {
        commitsBefore += model.Commits();
        game = std::make_unique<Game>(SharedCore()->window);
        model = EditorModel{};
        ++coverage.sessions;
    }

    std::string Context() const {
        std::ostringstream out;
        out << "seed " << seed << ", after event " << done << "; the last events:";
        for (const std::string& line : recent) out << "\n    " << line;
        return out.str();
    }

    uint64_t seed;
    EventSource source;
    std::unique_ptr<Game> game;
    EditorModel model;
    uint64_t done = 0;
    uint64_t sinceFrame = 0;
    bool wasDegenerate = false;
    int commitsBefore = 0;
    Coverage coverage;
    std::deque<std::string> recent;
};
}  // namespace

TEST(Fuzz, RandomInputKeepsEveryInvariantAndLosesNoCommittedValue) {
    const uint64_t seed = FromEnvironment("STAR_FUZZ_SEED", kDefaultSeed);
    const uint64_t total = FromEnvironment("STAR_FUZZ_EVENTS", kDefaultEvents);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    FuzzRun run(seed);
    const auto start = std::chrono::steady_clock::now();
    while (run.Done() < total) ASSERT_NO_FATAL_FAILURE(run.Step(total));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const Coverage& reached = run.Reached();
    std::cout << "[   fuzz   ] seed " << seed << ": " << total << " events in " << seconds << " s, "
              << static_cast<uint64_t>(static_cast<double>(total) / seconds) << " events/s; " << reached.sessions
              << " sessions, " << reached.commits << " commits, " << reached.frames << " frames, two straight tips "
              << (reached.degenerateStar ? "reached" : "not reached") << "\n[   fuzz   ] boxes opened:";
    for (int count : reached.opened) std::cout << " " << count;
    std::cout << std::endl;

    // Short runs asked for by hand may miss a box; the regular run must reach them all.
    if (total >= kDefaultEvents) {
        for (int box = 0; box < editor_model::kBoxCount; ++box)
            EXPECT_GT(reached.opened[static_cast<size_t>(box)], 10) << "box " << box << " was hardly ever opened";
        EXPECT_GT(reached.commits, 100);
    }
}

namespace {
Vec2 CentreOf(int box) {
    const Rect& r = editor_model::kBoxRects[static_cast<size_t>(box)];
    return {r.left + r.width * 0.5f, r.bottom + r.height * 0.5f};
}

// One step of a user's session: click a box (or, with kNone, the middle of the figure area), then release keys.
struct Step {
    int click;
    std::vector<SDL_Keycode> keys;
};
}  // namespace

// Clicks, digits, commits, a dropped entry and both colours, a frame after every step, then quit and teardown:
// every committed value is there at the end, and the editor gives back every texture it made.
TEST(Session, AScriptedSessionKeepsEveryCommittedValueAndEndsClean) {
    using namespace editor_model;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    auto game = std::make_unique<Game>(SharedCore()->window);
    const std::vector<Step> session = {
        {kRegularVertices, {SDLK_1, SDLK_2, SDLK_RETURN}},                   // 12, density 3 still fits
        {kRegularDensity, {SDLK_9, SDLK_RETURN}},                            // 5, the largest for 12
        {kRegularVertices, {SDLK_6, SDLK_KP_ENTER}},                         // 6 lowers the density to 2
        {kRegularOffset, {SDLK_4, SDLK_5, SDLK_RETURN}},                     // 45 degrees
        {kRegularDensity, {SDLK_4, SDLK_ESCAPE, SDLK_BACKSPACE}},            // typed, then ...
        {kNone, {}},                                                         // ... dropped by a click outside
        {kIsotoxalVertices, {SDLK_KP_9, SDLK_KP_ENTER}},                     // 9
        {kIsotoxalAlpha, {SDLK_KP_6, SDLK_0, SDLK_RETURN}},                  // 60 degrees
        {kIsotoxalOffset, {SDLK_4, SDLK_0, SDLK_0, SDLK_RETURN}},            // 400 is held at 360
        {kBg, {SDLK_RIGHT, SDLK_0, SDLK_RETURN,                              // red 216 -> 206
               SDLK_5, SDLK_RIGHT, SDLK_0, SDLK_RETURN,                      // green: 259 refused, then 220
               SDLK_LEFT, SDLK_5, SDLK_RETURN}},                             // blue 204 -> 254, closed
        {kStar, {SDLK_2, SDLK_RETURN, SDLK_9}},                              // red 020, green 090 ...
        {kNone, {}},                                                         // ... kept when clicked shut
    };
    for (const Step& step : session) {
        const Vec2 at = step.click == kNone ? Vec2{600.0f, 600.0f} : CentreOf(step.click);
        ClickAt(*game, at.x, at.y);
        Type(*game, step.keys);
        ASSERT_TRUE(HoldsInvariants(*game));
        ASSERT_TRUE(DrawsOnlyFiniteVertices(*game));
        SDL_GL_SwapWindow(SharedCore()->sdlWindow);
    }
    EXPECT_TRUE(Route(*game, {Quit()}));

    EXPECT_FALSE(game->isEditing);
    EXPECT_EQ(game->regularStar->vertexCount, 6);
    EXPECT_EQ(game->regularStar->density, 2);
    EXPECT_EQ(game->regularStar->angleOffset, invariants::Radians(45.0f));
    EXPECT_EQ(game->isotoxalStar->vertexCount, 9);
    EXPECT_EQ(game->isotoxalStar->alpha, invariants::Radians(60.0f));
    EXPECT_EQ(game->isotoxalStar->angleOffset, invariants::Radians(360.0f));
    EXPECT_EQ(game->backgroundRgb, (std::array<float, 3>{206.0f, 220.0f, 254.0f}));
    EXPECT_EQ(game->starRgb, (std::array<float, 3>{20.0f, 90.0f, 0.0f}));
    EXPECT_EQ(game->caretIndex, 1);

    std::vector<GLuint> names;
    auto collect = [&](const std::unique_ptr<Texture>& texture) {
        ASSERT_TRUE(texture && texture->creationOk);
        names.push_back(texture->id);
    };
    collect(game->regularTitle);
    collect(game->isotoxalTitle);
    for (const PlacedTexture& placed : game->regularLabelTextures) collect(placed.texture);
    for (const PlacedTexture& placed : game->isotoxalLabelTextures) collect(placed.texture);
    collect(game->bgLabelTexture);
    for (const auto& texture : game->bgValueTextures) collect(texture);
    collect(game->starLabelTexture);
    for (const auto& texture : game->starValueTextures) collect(texture);
    ASSERT_EQ(names.size(), 16u);

    game.reset();
    for (GLuint name : names) EXPECT_EQ(glIsTexture(name), GL_FALSE) << "texture " << name << " outlived the editor";
}
