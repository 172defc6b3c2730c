// Test main for programs that start (or fail to start) their own Core, or need none.
#include <gtest/gtest.h>

#include "tests/sanitizer/KeepDriversLoaded.h"
#include "tests/support/TestSupport.h"

namespace testing_support {
Core* SharedCore() { return nullptr; }
}  // namespace testing_support

int main(int argc, char** argv) {
    sanitizer_support::KeepDriversLoaded();  // before any SDL_Init; see the header
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
