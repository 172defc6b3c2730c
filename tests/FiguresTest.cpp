// The two figures' points, checked against circle and law-of-sines formulas evaluated here in double precision.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "figures/IsotoxalStarPolygon.h"
#include "figures/RegularStarPolygon.h"

namespace {

constexpr double kPiD = std::numbers::pi;

// Float rounding of angles up to 2 pi moves a point on a radius of a few hundred pixels by about 1e-4 px.
constexpr double kPixelTolerance = 1e-3;

// Degrees as the editor stores them: single precision, pi as 3.1415927, multiplied first.
float Radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

struct Point {
    double x;
    double y;
};

Point OnCircle(Point center, double radius, double angle) {
    return {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
}

double Distance(Vec2 a, Vec2 b) { return std::hypot(double{a.x} - b.x, double{a.y} - b.y); }

// Interior angle at `at` between the rays to `a` and `b`; atan2 stays accurate near 0 and pi.
double AngleBetween(Vec2 at, Vec2 a, Vec2 b) {
    const double ux = double{a.x} - at.x, uy = double{a.y} - at.y;
    const double vx = double{b.x} - at.x, vy = double{b.y} - at.y;
    return std::atan2(std::abs(ux * vy - uy * vx), ux * vx + uy * vy);
}

// Twice the signed area of the outline: positive when it runs counter-clockwise.
double SignedArea(const std::vector<Vec2>& outline) {
    double sum = 0.0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec2 a = outline[i];
        const Vec2 b = outline[(i + 1) % outline.size()];
        sum += double{a.x} * b.y - double{b.x} * a.y;
    }
    return sum;
}

void ExpectAt(Vec2 actual, Point expected, const char* what, size_t index) {
    EXPECT_NEAR(actual.x, expected.x, kPixelTolerance) << what << " " << index;
    EXPECT_NEAR(actual.y, expected.y, kPixelTolerance) << what << " " << index;
}

// The law of sines in the triangle centre - tip - neighbouring inner corner.
double InnerRadius(int n, double alpha, double radius) {
    return radius * std::sin(alpha / 2.0) / std::sin(kPiD - kPiD / n - alpha / 2.0);
}

RegularStarPolygon DefaultRegular() { return RegularStarPolygon({300.0f, 550.0f}, 7, 3, 250.0f, 5.0f); }

IsotoxalStarPolygon DefaultIsotoxal() {
    return IsotoxalStarPolygon({900.0f, 550.0f}, 7, Radians(24.0f), 200.0f, Radians(36.0f));
}

}  // namespace

TEST(RegularStar, DefaultsPlaceSevenPointsCounterClockwiseOnRadius250) {
    const RegularStarPolygon star = DefaultRegular();
    ASSERT_EQ(star.vertices.size(), 7u);
    EXPECT_FLOAT_EQ(star.angleStep, 0.8975979f);
    EXPECT_EQ(star.vertices[0].x, 550.0f);
    EXPECT_EQ(star.vertices[0].y, 550.0f);
    for (size_t i = 0; i < 7; ++i) ExpectAt(star.vertices[i], OnCircle({300, 550}, 250, 2 * kPiD * i / 7), "point", i);
    EXPECT_GT(star.vertices[1].y, 550.0f) << "point 1 follows counter-clockwise, above point 0";
}

TEST(RegularStar, PointsFollowCountRadiusCentreAndOffset) {
    const struct {
        int32_t n;
        float radius;
        Vec2 center;
        float offsetDegrees;
    } cases[] = {
        {2, 250.0f, {300.0f, 550.0f}, 0.0f},   {12, 100.0f, {10.0f, 20.0f}, 0.0f},
        {5, 250.0f, {300.0f, 550.0f}, 90.0f},  {100, 250.0f, {300.0f, 550.0f}, 45.0f},
        {7, 80.0f, {-40.0f, 1000.0f}, 359.0f},
    };
    for (const auto& c : cases) {
        RegularStarPolygon star = DefaultRegular();
        star.vertexCount = c.n;
        star.radius = c.radius;
        star.center = c.center;
        star.angleOffset = Radians(c.offsetDegrees);
        star.UpdateVertices();
        ASSERT_EQ(star.vertices.size(), static_cast<size_t>(c.n));
        const double offset = c.offsetDegrees * kPiD / 180.0;
        for (size_t i = 0; i < star.vertices.size(); ++i)
            ExpectAt(star.vertices[i], OnCircle({c.center.x, c.center.y}, c.radius, offset + 2 * kPiD * i / c.n),
                     "point", i);
    }
}

TEST(RegularStar, AFullTurnOfOffsetGivesThePointsOfNoOffset) {
    RegularStarPolygon star = DefaultRegular();
    star.angleOffset = Radians(360.0f);
    star.UpdateVertices();
    ASSERT_EQ(star.vertices.size(), 7u);
    for (size_t i = 0; i < 7; ++i) ExpectAt(star.vertices[i], OnCircle({300, 550}, 250, 2 * kPiD * i / 7), "point", i);
}

TEST(RegularStar, DensityDoesNotEnterThePoints) {
    RegularStarPolygon star = DefaultRegular();
    const std::vector<Vec2> before = star.vertices;
    auto expectUnchanged = [&](const char* when) {
        ASSERT_EQ(star.vertices.size(), before.size()) << when;
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(star.vertices[i].x, before[i].x) << when << ", point " << i;
            EXPECT_EQ(star.vertices[i].y, before[i].y) << when << ", point " << i;
        }
    };
    star.density = 2;
    expectUnchanged("density changed alone");
    star.UpdateVertices();
    expectUnchanged("after recomputing");
}

TEST(RegularStar, DotRadiusIsHalfTheLineWidthLessOne) {
    const struct { float lineWidth, dotRadius; } cases[] = {{5.0f, 1.5f}, {2.0f, 0.0f}, {3.0f, 0.5f}, {10.0f, 4.0f}};
    for (const auto& c : cases) {
        const RegularStarPolygon star({300.0f, 550.0f}, 7, 3, 250.0f, c.lineWidth);
        EXPECT_EQ(star.dotRadius, c.dotRadius) << "line width " << c.lineWidth;
        EXPECT_EQ(star.angleOffset, 0.0f);
    }
}

TEST(RegularStar, ANonPositiveCountGivesNoPoints) {
    for (int32_t n : {0, -1, -7}) {
        const RegularStarPolygon star({300.0f, 550.0f}, n, 3, 250.0f, 5.0f);
        EXPECT_TRUE(star.vertices.empty()) << "count " << n;
    }
}

TEST(IsotoxalStar, DefaultsAlternateTipsAndInnerCornersFrom36Degrees) {
    const IsotoxalStarPolygon star = DefaultIsotoxal();
    ASSERT_EQ(star.vertices.size(), 14u);
    EXPECT_FLOAT_EQ(star.angleStep, 0.8975979f);
    const double step = 2 * kPiD / 7, offset = 36 * kPiD / 180;
    const double inner = InnerRadius(7, 24 * kPiD / 180, 200);
    EXPECT_NEAR(inner, 67.98, 0.01);
    for (size_t i = 0; i < 7; ++i) {
        ExpectAt(star.vertices[2 * i], OnCircle({900, 550}, 200, offset + i * step), "outer", i);
        ExpectAt(star.vertices[2 * i + 1], OnCircle({900, 550}, inner, offset + i * step + step / 2), "inner", i);
    }
}

TEST(IsotoxalStar, InnerRadiusFollowsTheLawOfSines) {
    const struct {
        int32_t n;
        float alphaDegrees;
        double expected;  // by hand
        double tolerance;
    } cases[] = {
        {7, 24.0f, 67.98, 0.01},
        {7, 180.0f, 222.0, 0.05},  // 200 / cos(pi / 7): the tips lie on the sides of a regular heptagon
        {3, 5.0f, 9.84, 0.01},
        {5, 36.0f, 76.39, 0.01},   // the pentagram: 200 / golden ratio squared
    };
    for (const auto& c : cases) {
        IsotoxalStarPolygon star = DefaultIsotoxal();
        star.vertexCount = c.n;
        star.alpha = Radians(c.alphaDegrees);
        star.UpdateVertices();
        ASSERT_EQ(star.vertices.size(), 2u * static_cast<size_t>(c.n));
        const double formula = InnerRadius(c.n, c.alphaDegrees * kPiD / 180, 200);
        EXPECT_NEAR(formula, c.expected, c.tolerance) << c.n << " tips at " << c.alphaDegrees;
        for (size_t i = 1; i < star.vertices.size(); i += 2)
            EXPECT_NEAR(Distance(star.vertices[i], star.center), formula, kPixelTolerance)
                << c.n << " tips at " << c.alphaDegrees << ", corner " << i;
    }
}

TEST(IsotoxalStar, TipAngleAtStraightLeavesEachTipOnTheLineOfItsInnerNeighbours) {
    IsotoxalStarPolygon star = DefaultIsotoxal();
    star.alpha = Radians(180.0f);
    star.UpdateVertices();
    const size_t k = star.vertices.size();
    for (size_t i = 0; i < k; i += 2)
        EXPECT_NEAR(AngleBetween(star.vertices[i], star.vertices[(i + k - 1) % k], star.vertices[i + 1]), kPiD, 1e-4)
            << "tip " << i / 2;
}

// The defining property, measured on the points: all 2n edges equally long, every tip angle alpha.
TEST(IsotoxalStar, EdgesAreEqualAndEveryTipHasAngleAlpha) {
    const struct {
        int32_t n;
        float alphaDegrees, radius, offsetDegrees;
    } cases[] = {
        {7, 24.0f, 200.0f, 36.0f}, {3, 5.0f, 200.0f, 0.0f},   {5, 36.0f, 100.0f, 90.0f},
        {2, 90.0f, 150.0f, 10.0f}, {250, 24.0f, 200.0f, 0.0f}, {12, 150.0f, 120.0f, 360.0f},
    };
    for (const auto& c : cases) {
        const IsotoxalStarPolygon star({900.0f, 550.0f}, c.n, Radians(c.alphaDegrees), c.radius,
                                       Radians(c.offsetDegrees));
        const size_t k = star.vertices.size();
        ASSERT_EQ(k, 2u * static_cast<size_t>(c.n));
        const double edge = Distance(star.vertices[0], star.vertices[1]);
        for (size_t i = 0; i < k; ++i) {
            EXPECT_NEAR(Distance(star.vertices[i], star.vertices[(i + 1) % k]), edge, kPixelTolerance)
                << c.n << " tips, edge " << i;
        }
        for (size_t i = 0; i < k; i += 2) {
            const double tip = AngleBetween(star.vertices[i], star.vertices[(i + k - 1) % k], star.vertices[i + 1]);
            EXPECT_NEAR(tip, c.alphaDegrees * kPiD / 180, 1e-4) << c.n << " tips, tip " << i / 2;
            EXPECT_NEAR(Distance(star.vertices[i], star.center), c.radius, kPixelTolerance);
        }
    }
}

TEST(IsotoxalStar, AnyOffsetKeepsTheOutlineCounterClockwiseFromOuterPointZero) {
    for (float degrees : {0.0f, 36.0f, 90.0f, 200.0f, 360.0f}) {
        IsotoxalStarPolygon star = DefaultIsotoxal();
        star.angleOffset = Radians(degrees);
        star.UpdateVertices();
        EXPECT_GT(SignedArea(star.vertices), 0.0) << degrees << " degrees";
        ExpectAt(star.vertices[0], OnCircle({900, 550}, 200, degrees * kPiD / 180), "offset in degrees",
                 static_cast<size_t>(degrees));
    }
}

TEST(IsotoxalStar, ANonPositiveCountGivesNoPoints) {
    for (int32_t n : {0, -1, -7}) {
        const IsotoxalStarPolygon star({900.0f, 550.0f}, n, Radians(24.0f), 200.0f, 0.0f);
        EXPECT_TRUE(star.vertices.empty()) << "count " << n;
    }
}
