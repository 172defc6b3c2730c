// Input no user should give and machines a user may have: endless digits, numbers beyond every range, a broken or
// missing font, no audio device, no video device, no standard input. Each gets its message or a saturated value,
// the editor keeps running where it can, and no committed value is lost.
#include <gtest/gtest.h>

#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <filesystem>
#include <fstream>
#include <cstdio>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/Game.h"
#include "tests/support/EditorModel.h"
#include "tests/support/Invariants.h"
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;
using namespace editor_model;
using invariants::Radians;

namespace {
const std::string kOpenFontMessage = "Texture::CreateFromString, error when calling TTF_OpenFont: ";
const std::string kRunMessage = "Core::Run( ), Core not correctly initialized, unable to run the game";

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "star-bad-input-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::filesystem::path path;
};

// Runs with another working directory, the one the font path is relative to.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::filesystem::path& path) : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~ScopedWorkingDirectory() { std::filesystem::current_path(previous); }
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};

// Every value a user can commit; compared as a whole so that a change to one field shows any loss in another.
struct Committed {
    int32_t regularVertices = 0;
    int32_t regularDensity = 0;
    float regularOffset = 0.0f;
    int32_t isotoxalVertices = 0;
    float isotoxalAlpha = 0.0f;
    float isotoxalOffset = 0.0f;
    std::array<float, 3> background{};
    std::array<float, 3> star{};
    bool operator==(const Committed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Committed& c) {
    return out << "{" << c.regularVertices << "/" << c.regularDensity << ", " << c.regularOffset << " rad; "
               << c.isotoxalVertices << " tips, " << c.isotoxalAlpha << " rad, " << c.isotoxalOffset << " rad; bg "
               << c.background[0] << "," << c.background[1] << "," << c.background[2] << "; star " << c.star[0]
               << "," << c.star[1] << "," << c.star[2] << "}";
}

Committed CommittedIn(const Game& game) {
    return {game.regularStar->vertexCount, game.regularStar->density,   game.regularStar->angleOffset,
            game.isotoxalStar->vertexCount, game.isotoxalStar->alpha, game.isotoxalStar->angleOffset,
            game.backgroundRgb,             game.starRgb};
}

// The values of a fresh editor, written out here rather than read from one.
Committed Defaults() {
    return {7, 3, Radians(0.0f), 7, Radians(24.0f), Radians(36.0f), {216.0f, 229.0f, 204.0f}, {0.0f, 0.0f, 0.0f}};
}

Vec2 CentreOf(int box) {
    const Rect& r = kBoxRects[static_cast<size_t>(box)];
    return {r.left + r.width * 0.5f, r.bottom + r.height * 0.5f};
}

void ClickBox(Game& game, int box) { ClickAt(game, CentreOf(box).x, CentreOf(box).y); }

void Commit(Game& game, int box, const std::string& digits) {
    ClickBox(game, box);
    TypeDigits(game, digits);
    Type(game, {SDLK_RETURN});
}

// Each test starts its own Core: some of them must make the start-up fail.
class OwnCore : public ::testing::Test {
protected:
    void StartCore() {
        core = std::make_unique<Core>(EditorWindowSettings());
        ASSERT_TRUE(core->initialized);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void StartEditor() {
        StartCore();
        game = std::make_unique<Game>(core->window);
    }
    void TearDown() override {
        game.reset();  // its textures belong to the Core's context
        core.reset();
    }
    std::unique_ptr<Core> core;
    std::unique_ptr<Game> game;
};
}  // namespace

// ---- Numbers beyond every range -------------------------------------------------------------------------------

namespace {
struct Entry {
    const char* what;
    int box;
    std::string digits;
    void (*expect)(Committed&);  // the one change the commit makes to the defaults
};

std::string Repeat(char c, size_t n) { return std::string(n, c); }

const Entry kTenThousandDigits[] = {
    {"left vertices, nines", kRegularVertices, Repeat('9', 10000), [](Committed& c) { c.regularVertices = 100; }},
    {"left density, nines", kRegularDensity, Repeat('9', 10000), [](Committed& c) { c.regularDensity = 3; }},
    {"left offset, nines", kRegularOffset, Repeat('9', 10000), [](Committed& c) { c.regularOffset = Radians(360); }},
    {"right vertices, nines", kIsotoxalVertices, Repeat('9', 10000), [](Committed& c) { c.isotoxalVertices = 250; }},
    {"alpha, nines", kIsotoxalAlpha, Repeat('9', 10000), [](Committed& c) { c.isotoxalAlpha = Radians(180); }},
    {"right offset, nines", kIsotoxalOffset, Repeat('9', 10000), [](Committed& c) { c.isotoxalOffset = Radians(360); }},
    {"left vertices, zeros then 6", kRegularVertices, Repeat('0', 9999) + "6",
     [](Committed& c) {
         c.regularVertices = 6;
         c.regularDensity = 2;
     }},
    {"left density, zeros then 2", kRegularDensity, Repeat('0', 9999) + "2", [](Committed& c) { c.regularDensity = 2; }},
    {"left offset, zeros then 7", kRegularOffset, Repeat('0', 9999) + "7", [](Committed& c) { c.regularOffset = Radians(7); }},
    {"right vertices, zeros then 5", kIsotoxalVertices, Repeat('0', 9999) + "5", [](Committed& c) { c.isotoxalVertices = 5; }},
    {"alpha, zeros then 7", kIsotoxalAlpha, Repeat('0', 9999) + "7", [](Committed& c) { c.isotoxalAlpha = Radians(7); }},
    {"right offset, zeros then 9", kIsotoxalOffset, Repeat('0', 9999) + "9", [](Committed& c) { c.isotoxalOffset = Radians(9); }},
};

const Entry kBeyondTheConversions[] = {
    {"left vertices, 2^31 - 1", kRegularVertices, "2147483647", [](Committed& c) { c.regularVertices = 100; }},
    {"left vertices, 2^31", kRegularVertices, "2147483648", [](Committed& c) { c.regularVertices = 100; }},
    {"left vertices, 2^32 + 2", kRegularVertices, "4294967298", [](Committed& c) { c.regularVertices = 100; }},
    {"left density, 2^31", kRegularDensity, "2147483648", [](Committed& c) { c.regularDensity = 3; }},
    {"left density, 2^32 + 1", kRegularDensity, "4294967297", [](Committed& c) { c.regularDensity = 3; }},
    {"right vertices, 2^31", kIsotoxalVertices, "2147483648", [](Committed& c) { c.isotoxalVertices = 250; }},
    {"right vertices, 2^32", kIsotoxalVertices, "4294967296", [](Committed& c) { c.isotoxalVertices = 250; }},
    {"right vertices, 2^64 + 1", kIsotoxalVertices, "18446744073709551617",
     [](Committed& c) { c.isotoxalVertices = 250; }},
    {"left offset, 2^31", kRegularOffset, "2147483648", [](Committed& c) { c.regularOffset = Radians(360); }},
    {"alpha, 2^32", kIsotoxalAlpha, "4294967296", [](Committed& c) { c.isotoxalAlpha = Radians(180); }},
    {"left offset, the largest float", kRegularOffset, "340282346638528859811704183484516925440",
     [](Committed& c) { c.regularOffset = Radians(360); }},
    {"left offset, 2^128", kRegularOffset, "340282366920938463463374607431768211456",
     [](Committed& c) { c.regularOffset = Radians(360); }},
    {"alpha, 10^39", kIsotoxalAlpha, "1" + Repeat('0', 39), [](Committed& c) { c.isotoxalAlpha = Radians(180); }},
    {"right offset, 10^59", kIsotoxalOffset, "1" + Repeat('0', 59), [](Committed& c) { c.isotoxalOffset = Radians(360); }},
};

class NumbersBeyondRange : public OwnCore {
protected:
    void SetUp() override { StartEditor(); }

    void ExpectOnlyThisChange(const Entry& entry) {
        Committed expected = Defaults();
        entry.expect(expected);
        EXPECT_EQ(CommittedIn(*game), expected) << entry.what;
        EXPECT_TRUE(invariants::HoldsInvariants(*game)) << entry.what;
        EXPECT_TRUE(game->editText.empty());
        const PlacedTexture& shown = entry.box < kIsotoxalVertices
                                         ? game->regularLabelTextures[static_cast<size_t>(entry.box - kRegularVertices)]
                                         : game->isotoxalLabelTextures[static_cast<size_t>(entry.box - kIsotoxalVertices)];
        EXPECT_TRUE(shown.texture->creationOk) << entry.what << ": the committed value is shown again";
    }
};
}  // namespace

// Typing every digit re-renders the whole growing line, which makes ten thousand of them quadratic; the box is
// therefore given the first 9,999 digits as typing would leave them, and the last one is a real key release.
TEST_F(NumbersBeyondRange, TenThousandDigitsSaturateOrCountAsTheirValue) {
    for (const Entry& entry : kTenThousandDigits) {
        ASSERT_EQ(CommittedIn(*game), Defaults());
        ClickBox(*game, entry.box);
        ASSERT_TRUE(game->numericBoxes[static_cast<size_t>(entry.box - kRegularVertices)].selected) << entry.what;
        game->editText = entry.digits.substr(0, entry.digits.size() - 1);
        {
            // The line is far wider than any texture: Texture reports it once and shows its placeholder.
            StderrCapture stderrCapture;
            TypeDigits(*game, entry.digits.substr(entry.digits.size() - 1));
            const std::vector<std::string> lines = stderrCapture.Lines();
            ASSERT_EQ(lines.size(), 1u) << entry.what << ":\n" << stderrCapture.Text();
            EXPECT_TRUE(StartsWith(lines[0], "Texture::")) << lines[0];
        }
        ASSERT_EQ(game->editText.size(), 10000u);
        EXPECT_TRUE(invariants::DrawsOnlyFiniteVertices(*game)) << entry.what << ": a 10,000-digit line on screen";
        Type(*game, {SDLK_RETURN});
        ExpectOnlyThisChange(entry);
        game = std::make_unique<Game>(core->window);
    }
}

TEST_F(NumbersBeyondRange, ValuesPastTheIntegerAndFloatRangesSaturate) {
    for (const Entry& entry : kBeyondTheConversions) {
        ASSERT_EQ(CommittedIn(*game), Defaults());
        Commit(*game, entry.box, entry.digits);
        ExpectOnlyThisChange(entry);
        game = std::make_unique<Game>(core->window);
    }
}

// With n = 2 and a straight tip angle the inner corners lie at infinity; nothing of it may reach OpenGL.
TEST_F(NumbersBeyondRange, TwoTipsAtAStraightAngleSendNothingNonFiniteAndRecover) {
    Commit(*game, kIsotoxalVertices, "2");
    Commit(*game, kIsotoxalAlpha, "180");
    ASSERT_EQ(game->isotoxalStar->vertexCount, 2);
    ASSERT_EQ(game->isotoxalStar->alpha, Radians(180));
    EXPECT_TRUE(invariants::HoldsInvariants(*game));
    EXPECT_TRUE(invariants::DrawsOnlyFiniteVertices(*game));
    SaveFramePng("two-straight-tips");
    SDL_GL_SwapWindow(core->sdlWindow);

    Commit(*game, kIsotoxalAlpha, "179");
    for (const Vec2& corner : game->isotoxalStar->vertices) EXPECT_TRUE(invariants::IsFinite(corner));
    EXPECT_TRUE(invariants::DrawsOnlyFiniteVertices(*game));
}

// ---- A font that cannot be used --------------------------------------------------------------------------------

namespace {
enum class FontFault { kGarbage, kEmpty, kFolder, kMissingFile, kMissingFolder };

struct FontCase {
    const char* name;
    FontFault fault;
};

// Lays out Resources/Baloo.ttf in the folder with the fault; the real font is never touched.
void PlantFont(const std::filesystem::path& folder, FontFault fault) {
    if (fault == FontFault::kMissingFolder) return;
    const std::filesystem::path resources = folder / "Resources";
    std::filesystem::create_directory(resources);
    const std::filesystem::path font = resources / "Baloo.ttf";
    switch (fault) {
        case FontFault::kGarbage: {
            std::mt19937 bytes(7);
            std::ofstream out(font, std::ios::binary);
            for (int i = 0; i < 4096; ++i) out.put(static_cast<char>(bytes() & 0xFF));
            break;
        }
        case FontFault::kEmpty: std::ofstream(font, std::ios::binary).flush(); break;
        case FontFault::kFolder: std::filesystem::create_directory(font); break;
        default: break;
    }
}

class UnusableFont : public OwnCore, public ::testing::WithParamInterface<FontCase> {};

// Every line the editor wrote must be the font message followed by SDL's explanation.
void ExpectOpenFontLines(const std::vector<std::string>& lines, size_t count, const char* when) {
    ASSERT_EQ(lines.size(), count) << when;
    for (const std::string& line : lines) {
        EXPECT_TRUE(StartsWith(line, kOpenFontMessage)) << when << ": " << line;
        EXPECT_GT(line.size(), kOpenFontMessage.size()) << when << ": SDL's error text is missing";
    }
}
}  // namespace

TEST_P(UnusableFont, EveryTextReportsAndShowsItsPlaceholderWhileEditingGoesOn) {
    StartCore();
    TempFolder folder;
    PlantFont(folder.path, GetParam().fault);
    ScopedWorkingDirectory inFolder(folder.path);

    StderrCapture stderrCapture;
    game = std::make_unique<Game>(core->window);
    ExpectOpenFontLines(stderrCapture.Lines(), 16, "start");
    EXPECT_TRUE(invariants::HoldsInvariants(*game));
    EXPECT_FALSE(game->regularTitle->creationOk);
    EXPECT_FALSE(game->starValueTextures[2]->creationOk);

    // A 10 by 10 magenta square where the left title would be (bottom-left corner (55, 837.5)).
    game->Draw();
    EXPECT_EQ(ReadPixel(60, 842), (Pixel{255, 0, 255, 255}));
    SaveFramePng(std::string("unusable-font-") + GetParam().name);
    SDL_GL_SwapWindow(core->sdlWindow);

    // Open, two digits, Enter: four re-rendered texts. Then the background box: open, one digit: eight.
    Commit(*game, kRegularVertices, "12");
    ClickBox(*game, kBg);
    TypeDigits(*game, "1");
    ExpectOpenFontLines(stderrCapture.Lines(), 16 + 4 + 8, "editing");
    Committed expected = Defaults();
    expected.regularVertices = 12;
    expected.background[0] = 116.0f;
    EXPECT_EQ(CommittedIn(*game), expected);
    EXPECT_TRUE(game->bgBoxState.selected);
    EXPECT_TRUE(invariants::HoldsInvariants(*game));
    EXPECT_TRUE(invariants::DrawsOnlyFiniteVertices(*game));
}

INSTANTIATE_TEST_SUITE_P(Faults, UnusableFont,
                         ::testing::Values(FontCase{"GarbageBytes", FontFault::kGarbage},
                                           FontCase{"EmptyFile", FontFault::kEmpty},
                                           FontCase{"FolderInItsPlace", FontFault::kFolder},
                                           FontCase{"NoFile", FontFault::kMissingFile},
                                           FontCase{"NoResourcesFolder", FontFault::kMissingFolder}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Machines without the devices -----------------------------------------------------------------------------

namespace {

struct DeviceCase {
    const char* what;
    std::vector<Variable> environment;
    std::string message;  // the one line of the failed step, before SDL's text
};

// A path that cannot be created, even by root: its parent is a plain file.
std::string UnwritablePath(const TempFolder& folder) {
    const std::filesystem::path file = folder.path / "plain-file";
    std::ofstream(file).put('x');
    return (file / "audio.raw").string();
}

std::vector<DeviceCase> DeviceCases(const TempFolder& folder) {
    const std::string sdlInit = "Core::Initialize( ), error when calling SDL_Init: ";
    return {
        // The disk driver starts with SDL, but its device, the output file, cannot be opened.
        {"no audio device",
         {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", UnwritablePath(folder)}},
         "Core::Initialize( ), error when calling Mix_OpenAudio: "},
        {"no X server", {{"SDL_VIDEODRIVER", "x11"}, {"DISPLAY", ":4242"}}, sdlInit},
        {"no Wayland compositor",
         {{"SDL_VIDEODRIVER", "wayland"}, {"WAYLAND_DISPLAY", "no-such-compositor"},
          {"XDG_RUNTIME_DIR", folder.path.string()}},
         sdlInit},
        {"a video driver without OpenGL", {{"SDL_VIDEODRIVER", "dummy"}},
         "Core::Initialize( ), error when calling SDL_CreateWindow: "},
    };
}
}  // namespace

TEST(MissingDevice, StartUpReportsTheStepTearsEverythingDownAndRunWaitsForOneCharacter) {
    TempFolder folder;
    for (const DeviceCase& c : DeviceCases(folder)) {
        std::vector<std::unique_ptr<ScopedEnv>> environment;
        for (const Variable& v : c.environment) environment.push_back(std::make_unique<ScopedEnv>(v.name, v.value));
        const StdinFeed input("xy");
        StderrCapture stderrCapture;
        {
            Core core(EditorWindowSettings());
            EXPECT_FALSE(core.initialized) << c.what;
            core.Run();
        }
        const std::vector<std::string> lines = stderrCapture.Lines();
        ASSERT_EQ(lines.size(), 2u) << c.what << ":\n" << stderrCapture.Text();
        EXPECT_TRUE(StartsWith(lines[0], c.message)) << c.what << ": " << lines[0];
        EXPECT_GT(lines[0].size(), c.message.size()) << c.what << ": SDL's error text is missing";
        EXPECT_EQ(lines[1], kRunMessage) << c.what;
        EXPECT_EQ(std::getchar(), 'y') << c.what << ": Run should read exactly one character";
        EXPECT_EQ(SDL_WasInit(0), 0u) << c.what;
        EXPECT_EQ(TTF_WasInit(), 0) << c.what;
        EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << c.what;
    }
}

// ---- The real program with its standard input closed ----------------------------------------------------------


// The same failed start-ups as above, but in the real program, whose one character of input is not there at all.
// (core_test runs it with standard input at end of file.)
TEST(ClosedInput, AFailedStartUpExitsWithStatusOneAfterItsTwoMessages) {
    TempFolder folder;
    for (const DeviceCase& c : DeviceCases(folder)) {
        const ProgramResult result = RunEditor(c.environment, Input::Closed, (folder.path / "stderr.txt").string());
        ASSERT_TRUE(result.exited) << c.what << ": still waiting for input";
        EXPECT_EQ(result.status, 1) << c.what << "\n" << result.errorOutput;
        const size_t lineEnd = result.errorOutput.find('\n');
        EXPECT_TRUE(StartsWith(result.errorOutput, c.message)) << c.what << ": " << result.errorOutput;
        EXPECT_EQ(result.errorOutput.substr(lineEnd + 1), kRunMessage + "\n") << c.what;
    }
}
