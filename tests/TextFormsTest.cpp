// The three forms in which the editor shows numbers: integers, angles in whole degrees and colour components.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "editor/TextForms.h"

namespace {
// A typed angle as the editor stores it: degrees to radians in single precision, product first.
float StoredAngle(int degrees) { return static_cast<float>(degrees) * 3.1415927f / 180.0f; }

// The single-precision degrees the editor computes back from a stored angle: product first, then the quotient.
float ShownDegrees(float radians) { return radians * 180.0f / 3.1415927f; }

// The float next to `start` (searching upward) whose conversion back to degrees is exactly `degrees`.
float AngleShowingExactly(float degrees, float start) {
    float radians = start;
    for (int step = 0; step < 64; ++step, radians = std::nextafter(radians, 1.0f))
        if (ShownDegrees(radians) == degrees) return radians;
    return std::numeric_limits<float>::quiet_NaN();
}
}  // namespace

TEST(IntToText, WritesPlainDecimalWithoutPaddingOrGrouping) {
    const struct { int32_t value; const char* text; } cases[] = {
        {0, "0"},
        {7, "7"},
        {-1, "-1"},
        {36, "36"},
        {-360, "-360"},
        {1000, "1000"},
        {1234567, "1234567"},
        {std::numeric_limits<int32_t>::max(), "2147483647"},
        {std::numeric_limits<int32_t>::min(), "-2147483648"},
    };
    for (const auto& c : cases) EXPECT_EQ(IntToText(c.value), c.text) << c.value;
}

TEST(AngleToText, EveryWholeDegreeTypedFrom0To360ShowsAsTyped) {
    int wouldTruncateLower = 0;
    for (int degrees = 0; degrees <= 360; ++degrees) {
        const float stored = StoredAngle(degrees);
        EXPECT_EQ(AngleToText(stored), std::to_string(degrees)) << "stored as " << stored;
        if (ShownDegrees(stored) < static_cast<float>(degrees)) ++wouldTruncateLower;
    }
    // The angles that come back just below their whole degree, which truncation would show one lower.
    EXPECT_EQ(wouldTruncateLower, 38);
}

TEST(AngleToText, TheStartingAnglesAndAFullTurnShowTheirDegrees) {
    const struct { float radians; const char* text; } cases[] = {
        {0.41887903f, "24"},   // the starting tip angle
        {0.62831855f, "36"},   // the starting offset, pi / 5
        {6.2831855f, "360"},
        {0.0f, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(AngleToText(c.radians), c.text) << c.radians;
}

TEST(AngleToText, AnAngleJustBelowAWholeDegreeShowsThatDegree) {
    // A typed 23 is stored as 0.40142572 and computes back to 22.999998.
    const float stored23 = StoredAngle(23);
    ASSERT_LT(ShownDegrees(stored23), 23.0f);
    EXPECT_EQ(AngleToText(stored23), "23");
    const int others[] = {29, 46, 58, 69, 81, 85, 92};
    for (int degrees : others) {
        ASSERT_LT(ShownDegrees(StoredAngle(degrees)), static_cast<float>(degrees)) << degrees;
        EXPECT_EQ(AngleToText(StoredAngle(degrees)), std::to_string(degrees));
    }
}

TEST(AngleToText, RoundsToTheNearestDegreeWithHalvesAwayFromZero) {
    const struct { float radians; const char* text; } cases[] = {
        {0.4f, "23"},      // 22.918312 degrees
        {1.0f, "57"},      // 57.29578
        {-1.0f, "-57"},
        {0.01f, "1"},      // 0.5729578
        {-0.01f, "-1"},
        {0.008f, "0"},     // 0.45836625
        {-0.008f, "0"},
        {3.0f, "172"},     // 171.88733
    };
    for (const auto& c : cases) EXPECT_EQ(AngleToText(c.radians), c.text) << c.radians;

    // Exact halves: the next whole degree away from zero, never the even neighbour.
    const struct { float degrees; const char* text; const char* negated; } halves[] = {
        {0.5f, "1", "-1"}, {2.5f, "3", "-3"}, {22.5f, "23", "-23"}, {90.5f, "91", "-91"}};
    for (const auto& h : halves) {
        const float radians = AngleShowingExactly(h.degrees, std::nextafter(h.degrees * 3.1415927f / 180.0f, 0.0f));
        ASSERT_FALSE(std::isnan(radians)) << "no float converts to exactly " << h.degrees;
        EXPECT_EQ(AngleToText(radians), h.text) << h.degrees;
        EXPECT_EQ(AngleToText(-radians), h.negated) << -h.degrees;
    }
}

TEST(ComponentToText, PadsToThreeDigitsAndNeverCuts) {
    const struct { float component; const char* text; } cases[] = {
        {0.0f, "000"},
        {5.0f, "005"},
        {42.0f, "042"},
        {99.0f, "099"},
        {100.0f, "100"},
        {216.0f, "216"},
        {255.0f, "255"},
        {1000.0f, "1000"},
        {7.9f, "007"},     // truncated, not rounded
        {254.99f, "254"},
    };
    for (const auto& c : cases) EXPECT_EQ(ComponentToText(c.component), c.text) << c.component;
}
