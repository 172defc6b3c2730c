// FillRect and FillEllipse as OpenGL receives them (feedback mode) and as they rasterise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "render/PixelScale.h"
#include "render/Primitives.h"
#include "tests/support/TestSupport.h"

using namespace testing_support;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr Vec2 kCenter{600.0f, 450.0f};

// Feedback reports window coordinates after the projection, a few 1e-5 px away from the drawn values.
constexpr float kTolerance = 1e-3f;

bool Near(Vec2 a, Vec2 b) { return std::abs(a.x - b.x) <= kTolerance && std::abs(a.y - b.y) <= kTolerance; }

// Mesa returns one polygon of n corners as n - 2 triangles; either way n corners arrive as
// (vertices - 2 * (tokens - 1)). Counting this way needs no distinct vertices: the seventh corner of
// radius 3 lands almost exactly on the first.
int CornerCount(const std::vector<FeedbackPrimitive>& primitives) {
    int vertices = 0;
    for (const FeedbackPrimitive& p : primitives) vertices += static_cast<int>(p.vertices.size());
    return vertices - 2 * (static_cast<int>(primitives.size()) - 1);
}

bool AllPolygons(const std::vector<FeedbackPrimitive>& primitives) {
    for (const FeedbackPrimitive& p : primitives)
        if (p.kind != GL_POLYGON_TOKEN) return false;
    return true;
}

bool Contains(const std::vector<FeedbackPrimitive>& primitives, Vec2 corner) {
    for (const FeedbackPrimitive& p : primitives)
        for (Vec2 v : p.vertices)
            if (Near(v, corner)) return true;
    return false;
}

// Twice the signed area of a triangle: positive when its corners run counter-clockwise.
float Orientation(const FeedbackPrimitive& p) {
    const Vec2 a = p.vertices[0], b = p.vertices[1], c = p.vertices[2];
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

const struct EllipseCase {
    float radiusX, radiusY;
    int corners;  // by hand: 2 pi over pi / (larger radius), plus the seventh corner of radius 3
} kEllipseCases[] = {
    {1.5f, 1.5f, 3}, {2.0f, 2.0f, 4}, {3.0f, 3.0f, 7}, {5.0f, 5.0f, 10},
    {10.0f, 10.0f, 20}, {20.0f, 5.0f, 40}, {5.0f, 20.0f, 40},
};

std::vector<FeedbackPrimitive> Ellipse(float radiusX, float radiusY) {
    return CaptureFeedback([&] { FillEllipse(kCenter.x, kCenter.y, radiusX, radiusY); });
}

}  // namespace

TEST(FillEllipse, CornerCountFollowsTheLargerRadius) {
    for (const EllipseCase& c : kEllipseCases) {
        const auto primitives = Ellipse(c.radiusX, c.radiusY);
        EXPECT_TRUE(AllPolygons(primitives)) << c.radiusX << " x " << c.radiusY;
        EXPECT_EQ(CornerCount(primitives), c.corners) << c.radiusX << " x " << c.radiusY;
    }
}

// Dots stay round at any scale: their corners follow the radius in the drawable's pixels, so at 2 pixels a unit
// a radius of 1.5 gets the corners of radius 3 at 1 (the table above), and at half a pixel a unit a radius of 10
// those of radius 5.
TEST(FillEllipse, CornerCountFollowsTheRadiusInPixels) {
    const struct {
        float pixelsPerUnit, radius;
        int corners;
    } cases[] = {{2.0f, 1.5f, 7}, {2.0f, 5.0f, 20}, {0.5f, 10.0f, 10}, {0.5f, 40.0f, 40}};
    for (const auto& c : cases) {
        SetPixelScale(c.pixelsPerUnit);
        const int corners = CornerCount(Ellipse(c.radius, c.radius));
        SetPixelScale(1.0f);  // the shared Core's
        EXPECT_EQ(corners, c.corners) << "radius " << c.radius << " at " << c.pixelsPerUnit << " pixels a unit";
    }
}

TEST(FillEllipse, RadiusThreeComesBackAsFiveTriangles) {
    const auto primitives = Ellipse(3.0f, 3.0f);
    ASSERT_EQ(primitives.size(), 5u);
    for (const FeedbackPrimitive& p : primitives) EXPECT_EQ(p.vertices.size(), 3u);
}

// Corner k lies at the angle k * pi / (larger radius), scaled by each radius on its own axis.
TEST(FillEllipse, CornersAreTheStepsAroundTheEllipseStartingToTheRight) {
    for (const EllipseCase& c : kEllipseCases) {
        const auto primitives = Ellipse(c.radiusX, c.radiusY);
        const double step = std::numbers::pi / std::max(c.radiusX, c.radiusY);
        std::vector<Vec2> expected;
        for (int k = 0; k < c.corners; ++k)
            expected.push_back({kCenter.x + c.radiusX * static_cast<float>(std::cos(k * step)),
                                kCenter.y + c.radiusY * static_cast<float>(std::sin(k * step))});
        for (size_t k = 0; k < expected.size(); ++k)
            EXPECT_TRUE(Contains(primitives, expected[k])) << c.radiusX << " x " << c.radiusY << ", corner " << k;
        for (const FeedbackPrimitive& p : primitives)
            for (Vec2 v : p.vertices) {
                bool known = false;
                for (Vec2 e : expected) known = known || Near(v, e);
                EXPECT_TRUE(known) << c.radiusX << " x " << c.radiusY << ": stray corner " << v.x << ", " << v.y;
            }
    }
}

TEST(FillEllipse, DotOfRadiusOneAndAHalfIsATriangleAt0_120_240Degrees) {
    const auto primitives = Ellipse(1.5f, 1.5f);
    ASSERT_EQ(primitives.size(), 1u);
    ASSERT_EQ(primitives[0].vertices.size(), 3u);
    const float halfHeight = 1.2990381f;  // 1.5 * sin 60 degrees
    for (Vec2 corner : {Vec2{601.5f, 450.0f}, Vec2{599.25f, 450.0f + halfHeight}, Vec2{599.25f, 450.0f - halfHeight}})
        EXPECT_TRUE(Contains(primitives, corner)) << corner.x << ", " << corner.y;
}

TEST(FillEllipse, NonPositiveOrNaNRadiusEmitsNothing) {
    const struct { float radiusX, radiusY; } cases[] = {
        {0.0f, 5.0f}, {5.0f, 0.0f}, {-1.0f, 3.0f}, {3.0f, -1.0f}, {kNaN, 2.0f}, {2.0f, kNaN}, {0.0f, 0.0f}};
    for (const auto& c : cases)
        EXPECT_TRUE(Ellipse(c.radiusX, c.radiusY).empty()) << c.radiusX << " x " << c.radiusY;
}

TEST(FillRect, EmptyNegativeOrNaNSizeEmitsNothing) {
    const struct { float width, height; } cases[] = {
        {0.0f, 5.0f}, {5.0f, 0.0f}, {-5.0f, 5.0f}, {5.0f, -5.0f}, {kNaN, 5.0f}, {5.0f, kNaN}, {kNaN, kNaN}};
    for (const auto& c : cases) {
        const auto primitives = CaptureFeedback([&] { FillRect(100.0f, 200.0f, c.width, c.height); });
        EXPECT_TRUE(primitives.empty()) << c.width << " x " << c.height;
    }
}

TEST(FillRect, EmitsItsFourCornersCounterClockwise) {
    const auto primitives = CaptureFeedback([] { FillRect(Rect{100.0f, 200.0f, 30.0f, 40.0f}); });
    ASSERT_TRUE(AllPolygons(primitives));
    EXPECT_EQ(CornerCount(primitives), 4);
    for (Vec2 corner : {Vec2{100.0f, 200.0f}, Vec2{130.0f, 200.0f}, Vec2{130.0f, 240.0f}, Vec2{100.0f, 240.0f}})
        EXPECT_TRUE(Contains(primitives, corner)) << corner.x << ", " << corner.y;
    for (const FeedbackPrimitive& p : primitives) EXPECT_GT(Orientation(p), 0.0f);
}

TEST(FillRect, CoversExactlyThePixelsInside) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const Rgba red{1.0f, 0.0f, 0.0f, 1.0f};
    SetColor(red);
    FillRect(100.0f, 100.0f, 50.0f, 20.0f);
    SaveFramePng("fill_rect");
    const Pixel inside = ToPixel(red), outside = ToPixel({});
    const struct { int x, y; bool in; } cases[] = {
        {100, 100, true}, {149, 100, true}, {100, 119, true}, {149, 119, true}, {125, 110, true},
        {99, 100, false}, {150, 100, false}, {100, 99, false}, {100, 120, false}, {150, 120, false}};
    for (const auto& c : cases) EXPECT_EQ(ReadPixel(c.x, c.y), c.in ? inside : outside) << c.x << ", " << c.y;
}

TEST(Primitives, LeaveColourAndLineWidthAsTheyFoundThem) {
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    glLineWidth(3.0f);
    FillRect(10.0f, 10.0f, 20.0f, 20.0f);
    FillEllipse(50.0f, 50.0f, 10.0f, 4.0f);
    GLfloat color[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, color);
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(color[0], 0.2f);
    EXPECT_FLOAT_EQ(color[1], 0.4f);
    EXPECT_FLOAT_EQ(color[2], 0.6f);
    EXPECT_FLOAT_EQ(color[3], 0.8f);
    EXPECT_EQ(width, 3.0f);
    glLineWidth(1.0f);
}
