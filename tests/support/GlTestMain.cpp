// Test main for programs that need the real Core: starts it once, before any test, and tears it down last.
#include <gtest/gtest.h>

#include <memory>

#include "tests/sanitizer/KeepDriversLoaded.h"
#include "tests/support/TestSupport.h"

namespace testing_support {
namespace {
std::unique_ptr<Core> sharedCore;

class CoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        sharedCore = std::make_unique<Core>(EditorWindowSettings());
        ASSERT_TRUE(sharedCore->initialized) << "the offscreen Core did not start";
    }
    void TearDown() override { sharedCore.reset(); }
};
}  // namespace

Core* SharedCore() { return sharedCore.get(); }
}  // namespace testing_support

int main(int argc, char** argv) {
    sanitizer_support::KeepDriversLoaded();  // before any SDL_Init; see the header
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new testing_support::CoreEnvironment);
    return RUN_ALL_TESTS();
}
