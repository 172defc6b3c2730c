// Start-up, projection, failure reporting and teardown of the real Core, and the exit status of the program.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <cstdio>

#include "render/Primitives.h"
#include "tests/support/Process.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;


TEST(CoreStartup, OpensTheWindowWithThePixelProjectionAndBlending) {
    Core core(EditorWindowSettings());
    ASSERT_TRUE(core.initialized);
    int w = 0, h = 0;
    SDL_GetWindowSize(core.sdlWindow, &w, &h);
    EXPECT_EQ(w, 1200);
    EXPECT_EQ(h, 900);
    EXPECT_STREQ(SDL_GetWindowTitle(core.sdlWindow), "Kalvora - Dalmoren, Olix");
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);

    // A one-pixel square at (x, y) lights exactly pixel (x, y), counted from the bottom-left corner.
    const struct { int x, y; } corners[] = {{0, 0}, {1199, 0}, {0, 899}, {1199, 899}, {600, 450}, {37, 811}};
    for (const auto& c : corners) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor4f(1, 0, 0, 1);
        FillRect(static_cast<float>(c.x), static_cast<float>(c.y), 1, 1);
        EXPECT_EQ(ReadPixel(c.x, c.y), (Pixel{255, 0, 0, 255})) << c.x << "," << c.y;
        if (c.x + 1 < 1200) {
            EXPECT_EQ(ReadPixel(c.x + 1, c.y), (Pixel{0, 0, 0, 255}));
        }
        if (c.y + 1 < 900) {
            EXPECT_EQ(ReadPixel(c.x, c.y + 1), (Pixel{0, 0, 0, 255}));
        }
    }
    // Half-transparent red over black blends to half red.
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 0, 0, 0.5f);
    FillRect(10, 10, 5, 5);
    EXPECT_NEAR(ReadPixel(12, 12)[0], 128, 1);
}

TEST(CoreStartup, FractionalSizeTruncatesTheWindowButNotTheProjection) {
    WindowSettings settings = EditorWindowSettings();
    settings.width = 640.75f;
    settings.height = 480.5f;
    Core core(settings);
    ASSERT_TRUE(core.initialized);
    int w = 0, h = 0;
    SDL_GetWindowSize(core.sdlWindow, &w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    GLdouble projection[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], 2.0 / 640.75, 1e-7);
    EXPECT_NEAR(projection[5], 2.0 / 480.5, 1e-7);
}

TEST(CoreStartup, WithoutVsyncStartsAsWell) {
    WindowSettings settings = EditorWindowSettings();
    settings.vsync = false;
    Core core(settings);
    EXPECT_TRUE(core.initialized);
}

struct FailureCase {
    const char* variable;
    const char* value;
    const char* message;
};

class CoreStartupFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CoreStartupFailure, ReportsTheStepWithSdlsErrorAndStillTearsDown) {
    const FailureCase& c = GetParam();
    ScopedEnv env(c.variable, c.value);
    StderrCapture stderrCapture;
    {
        Core core(EditorWindowSettings());
        EXPECT_FALSE(core.initialized);
        const std::vector<std::string> lines = stderrCapture.Lines();
        ASSERT_EQ(lines.size(), 1u) << stderrCapture.Text();
        EXPECT_TRUE(StartsWith(lines[0], c.message)) << lines[0];
        EXPECT_GT(lines[0].size(), std::string(c.message).size()) << "SDL's error text is missing";
    }
    // The teardown shut every library down, also after the failure.
    EXPECT_EQ(SDL_WasInit(0), 0u);
    EXPECT_EQ(TTF_WasInit(), 0);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CoreStartupFailure,
    ::testing::Values(
        FailureCase{"SDL_VIDEODRIVER", "no-such-video-driver", "Core::Initialize( ), error when calling SDL_Init: "},
        FailureCase{"SDL_AUDIODRIVER", "no-such-audio-driver", "Core::Initialize( ), error when calling SDL_Init: "}));

TEST(CoreRun, WithoutAStartedCoreReportsAndWaitsForOneCharacter) {
    ScopedEnv env("SDL_VIDEODRIVER", "no-such-video-driver");
    const StdinFeed input("xy");
    StderrCapture stderrCapture;
    {
        Core core(EditorWindowSettings());
        core.Run();
    }
    const std::vector<std::string> lines = stderrCapture.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Core::Run( ), Core not correctly initialized, unable to run the game");
    EXPECT_EQ(std::getchar(), 'y') << "Run should have read exactly one character";
}

TEST(CoreRun, EndsAtAQueuedQuitEvent) {
    Core core(EditorWindowSettings());
    ASSERT_TRUE(core.initialized);
    SDL_Event quit = Quit();
    SDL_PushEvent(&quit);
    core.Run();  // returns instead of looping forever
    SUCCEED();
}

namespace {
std::string ProgramErrorFile() { return std::string(STAR_TEST_OUTPUT_DIR) + "/program-stderr.txt"; }
}  // namespace

TEST(Program, AFailedStartupExitsWithStatusOneAfterItsMessages) {
    const ProgramResult result =
        RunEditor({{"SDL_VIDEODRIVER", "no-such-video-driver"}}, Input::EndOfFile, ProgramErrorFile());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(StartsWith(result.errorOutput, "Core::Initialize( ), error when calling SDL_Init: "));
    EXPECT_NE(result.errorOutput.find("\nCore::Run( ), Core not correctly initialized, unable to run the game\n"),
              std::string::npos)
        << result.errorOutput;
}

TEST(Program, ANormalRunEndsWithStatusZeroWhenClosed) {
    // SDL turns SIGTERM into a quit event; the editor has reached its loop well before.
    const ProgramResult result =
        RunEditor({{"SDL_VIDEODRIVER", "offscreen"}}, Input::EndOfFile, ProgramErrorFile(), 3000);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.status, 0) << result.errorOutput;
    EXPECT_EQ(result.errorOutput, "");
}
