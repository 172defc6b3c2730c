// What the two figures' drawings hand to OpenGL (feedback mode), including figures that break their contract.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "figures/IsotoxalStarPolygon.h"
#include "figures/RegularStarPolygon.h"
#include "render/Primitives.h"
#include "render/StarDrawing.h"
#include "tests/support/TestSupport.h"
#include "tests/support/VertexGuard.h"

using namespace testing_support;

using vertex_guard::VertexRecorder;

namespace {

// Feedback reports window coordinates after the projection, a few 1e-5 px away from the drawn values.
constexpr float kTolerance = 1e-3f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

float Radians(float degrees) { return degrees * 3.1415927f / 180.0f; }

bool Near(Vec2 a, Vec2 b) { return std::abs(a.x - b.x) <= kTolerance && std::abs(a.y - b.y) <= kTolerance; }
bool Within(Vec2 a, Vec2 center, float radius) {
    return std::hypot(a.x - center.x, a.y - center.y) <= radius + kTolerance;
}
bool IsFinite(Vec2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

std::vector<FeedbackPrimitive> OfKind(const std::vector<FeedbackPrimitive>& primitives, GLenum kind) {
    std::vector<FeedbackPrimitive> result;
    for (const FeedbackPrimitive& p : primitives)
        if (p.kind == kind) result.push_back(p);
    return result;
}

bool AllFinite(const std::vector<FeedbackPrimitive>& primitives) {
    for (const FeedbackPrimitive& p : primitives)
        for (Vec2 v : p.vertices)
            if (!IsFinite(v)) return false;
    return true;
}

RegularStarPolygon Regular(int32_t n, int32_t m) { return RegularStarPolygon({300.0f, 550.0f}, n, m, 250.0f, 5.0f); }

IsotoxalStarPolygon Isotoxal(int32_t n, float alphaDegrees, float offsetDegrees) {
    return IsotoxalStarPolygon({900.0f, 550.0f}, n, Radians(alphaDegrees), 200.0f, Radians(offsetDegrees));
}

// The regular drawing of `star` joins every point i to point i + step (mod n) by exactly one segment, draws
// nothing else as a line, and puts exactly one dot on every point.
void ExpectEdgesAndDots(const RegularStarPolygon& star, int step, const std::string& figure) {
    SCOPED_TRACE(figure);
    const auto primitives = CaptureFeedback([&] { DrawRegularStar(star); });
    const auto lines = OfKind(primitives, GL_LINE_TOKEN);
    const auto dots = OfKind(primitives, GL_POLYGON_TOKEN);
    const size_t n = star.vertices.size();
    EXPECT_EQ(lines.size() + dots.size(), primitives.size()) << "only segments and dots";

    EXPECT_EQ(lines.size(), n);
    for (size_t i = 0; i < n; ++i) {
        const Vec2 from = star.vertices[i], to = star.vertices[(i + static_cast<size_t>(step)) % n];
        int found = 0;
        for (const FeedbackPrimitive& line : lines) found += Near(line.vertices[0], from) && Near(line.vertices[1], to);
        EXPECT_EQ(found, 1) << "edge from point " << i;
    }

    // A dot of radius 1.5 is one triangle around its point.
    std::vector<int> dotsAt(n, 0);
    for (const FeedbackPrimitive& dot : dots) {
        bool placed = false;
        for (size_t k = 0; k < n && !placed; ++k) {
            placed = true;
            for (Vec2 v : dot.vertices) placed = placed && Within(v, star.vertices[k], star.dotRadius);
            if (placed) ++dotsAt[k];
        }
        EXPECT_TRUE(placed) << "a polygon away from every point, at " << dot.vertices[0].x << ", " << dot.vertices[0].y;
    }
    for (size_t k = 0; k < n; ++k) EXPECT_EQ(dotsAt[k], 1) << "dots on point " << k;
}

// Every coordinate sent is one of `points` or lies on a dot around one of them.
void ExpectOnlyNear(const std::vector<Vec2>& sent, const std::vector<Vec2>& points, float dotRadius) {
    for (Vec2 v : sent) {
        bool known = false;
        for (Vec2 point : points) known = known || Within(v, point, dotRadius);
        EXPECT_TRUE(known) << "stray coordinate " << v.x << ", " << v.y;
    }
}

}  // namespace

TEST(RegularDrawing, JoinsEveryPointToThePointDensityPlacesOn) {
    const struct { int32_t n, m; } cases[] = {
        {7, 3}, {7, 1}, {7, 2}, {2, 1}, {5, 2}, {8, 3}, {8, 4}, {12, 5}, {100, 49}};
    for (const auto& c : cases)
        ExpectEdgesAndDots(Regular(c.n, c.m), c.m, "{" + std::to_string(c.n) + "/" + std::to_string(c.m) + "}");
}

TEST(RegularDrawing, SixTwoDrawsBothTriangles) {
    const RegularStarPolygon star = Regular(6, 2);
    const auto lines = OfKind(CaptureFeedback([&] { DrawRegularStar(star); }), GL_LINE_TOKEN);
    const struct { size_t from, to; } edges[] = {{0, 2}, {2, 4}, {4, 0}, {1, 3}, {3, 5}, {5, 1}};
    for (const auto& e : edges) {
        const Vec2 from = star.vertices[e.from], to = star.vertices[e.to];
        bool found = false;
        for (const FeedbackPrimitive& line : lines)
            found = found || (Near(line.vertices[0], from) && Near(line.vertices[1], to));
        EXPECT_TRUE(found) << "edge " << e.from << " -> " << e.to;
    }
}

TEST(RegularDrawing, DensityOutsideTheCountIsTakenModuloTheCount) {
    const struct { int32_t n, m, equivalent; } cases[] = {
        {7, 10, 3}, {7, -1, 6}, {7, -4, 3}, {5, 12, 2}, {6, 8, 2}, {7, -15, 6}};
    for (const auto& c : cases)
        ExpectEdgesAndDots(Regular(c.n, c.m), c.equivalent,
                           "{" + std::to_string(c.n) + "/" + std::to_string(c.m) + "}");
}

TEST(RegularDrawing, ANonPositiveCountDrawsNothing) {
    for (int32_t n : {0, -3}) {
        RegularStarPolygon stale = Regular(7, 3);  // its seven points stay, only the count says otherwise
        stale.vertexCount = n;
        EXPECT_TRUE(CaptureFeedback([&] { DrawRegularStar(stale); }).empty()) << "count set to " << n;
        const RegularStarPolygon built = Regular(n, 3);
        EXPECT_TRUE(CaptureFeedback([&] { DrawRegularStar(built); }).empty()) << "built with count " << n;
    }
}

TEST(RegularDrawing, AShortPointListIsNeverReadPastItsEnd) {
    const struct { int32_t n, m; size_t kept; } cases[] = {{7, 3, 4}, {7, 3, 1}, {7, 3, 0}, {12, 5, 6}, {7, 10, 2}};
    for (const auto& c : cases) {
        RegularStarPolygon star = Regular(c.n, c.m);
        star.vertices.resize(c.kept);  // the dropped points stay in the spare capacity, readable but stale
        VertexRecorder recorder;
        CaptureFeedback([&] { DrawRegularStar(star); });
        SCOPED_TRACE("{" + std::to_string(c.n) + "/" + std::to_string(c.m) + "} with " + std::to_string(c.kept) +
                     " points");
        ExpectOnlyNear(recorder.vertices, star.vertices, star.dotRadius);
    }
}

TEST(RegularDrawing, EdgesUseTheFiguresLineWidth) {
    RegularStarPolygon star = Regular(7, 3);
    star.lineWidth = 3.0f;
    glLineWidth(1.0f);
    CaptureFeedback([&] { DrawRegularStar(star); });
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 3.0f);
    glLineWidth(1.0f);
}

TEST(RegularDrawing, LightsTheEdgesAndLeavesTheMiddleOpen) {
    const Rgba background{0.0f, 0.0f, 0.2f, 1.0f}, white{1.0f, 1.0f, 1.0f, 1.0f};
    glClearColor(background.r, background.g, background.b, background.a);
    glClear(GL_COLOR_BUFFER_BIT);
    const RegularStarPolygon star = Regular(7, 3);
    SetColor(white);
    DrawRegularStar(star);
    SaveFramePng("regular_star_7_3");
    for (size_t i = 0; i < 7; ++i) {
        const Vec2 a = star.vertices[i], b = star.vertices[(i + 3) % 7];
        const int x = static_cast<int>((a.x + b.x) / 2), y = static_cast<int>((a.y + b.y) / 2);
        EXPECT_EQ(ReadPixel(x, y), ToPixel(white)) << "middle of the edge from point " << i;
        EXPECT_EQ(ReadPixel(static_cast<int>(a.x), static_cast<int>(a.y)), ToPixel(white)) << "point " << i;
    }
    EXPECT_EQ(ReadPixel(300, 550), ToPixel(background)) << "the centre is not filled";
}

TEST(IsotoxalDrawing, FanOfTwoTrianglesPerTipInOutlineOrder) {
    const struct {
        int32_t n;
        float alphaDegrees, offsetDegrees;
        size_t triangles;  // by hand
    } cases[] = {{7, 24.0f, 36.0f, 14}, {250, 24.0f, 0.0f, 500}, {3, 5.0f, 0.0f, 6}, {2, 90.0f, 0.0f, 4},
                 {7, 180.0f, 0.0f, 14}};
    for (const auto& c : cases) {
        const IsotoxalStarPolygon star = Isotoxal(c.n, c.alphaDegrees, c.offsetDegrees);
        const auto primitives = CaptureFeedback([&] { DrawIsotoxalStar(star); });
        SCOPED_TRACE(std::to_string(c.n) + " tips at " + std::to_string(c.alphaDegrees));
        ASSERT_EQ(primitives.size(), c.triangles);
        const size_t k = star.vertices.size();
        for (size_t i = 0; i < primitives.size(); ++i) {
            const FeedbackPrimitive& t = primitives[i];
            ASSERT_EQ(t.kind, static_cast<GLenum>(GL_POLYGON_TOKEN));
            ASSERT_EQ(t.vertices.size(), 3u);
            EXPECT_TRUE(Near(t.vertices[0], star.vertices[i])) << "triangle " << i;
            EXPECT_TRUE(Near(t.vertices[1], star.center)) << "triangle " << i;
            EXPECT_TRUE(Near(t.vertices[2], star.vertices[(i + 1) % k])) << "triangle " << i;
        }
    }
}

// Clipping would hide a non-finite corner from feedback mode, so these are checked at the glVertex2f call.
TEST(IsotoxalDrawing, ANonFiniteCornerOrCentreSendsNothingToOpenGL) {
    IsotoxalStarPolygon movedCentre = Isotoxal(7, 24.0f, 36.0f);
    movedCentre.center.x = kNaN;  // after the points were computed: only the fan's middle corner breaks
    const struct {
        const char* name;
        IsotoxalStarPolygon star;
    } cases[] = {
        {"2 tips at 180 degrees", Isotoxal(2, 180.0f, 0.0f)},
        {"2 tips at 180 degrees, offset 36", Isotoxal(2, 180.0f, 36.0f)},
        {"2 tips at 180 degrees, offset 90", Isotoxal(2, 180.0f, 90.0f)},
        {"NaN radius", IsotoxalStarPolygon({900.0f, 550.0f}, 7, Radians(24.0f), kNaN, 0.0f)},
        {"infinite centre", IsotoxalStarPolygon({kInfinity, 550.0f}, 7, Radians(24.0f), 200.0f, 0.0f)},
        {"NaN centre", movedCentre},
    };
    for (const auto& c : cases) {
        bool nonFinite = !IsFinite(c.star.center);
        for (Vec2 v : c.star.vertices) nonFinite = nonFinite || !IsFinite(v);
        ASSERT_TRUE(nonFinite) << c.name << ": the case must hold a non-finite coordinate";
        VertexRecorder recorder;
        EXPECT_TRUE(CaptureFeedback([&] { DrawIsotoxalStar(c.star); }).empty()) << c.name;
        EXPECT_TRUE(recorder.vertices.empty()) << c.name;
    }
}

TEST(IsotoxalDrawing, TwoTipsJustBelowStraightSendOnlyFiniteCoordinates) {
    const IsotoxalStarPolygon star = Isotoxal(2, 179.0f, 0.0f);  // inner corners some 23000 px out
    VertexRecorder recorder;
    const auto primitives = CaptureFeedback([&] { DrawIsotoxalStar(star); });
    EXPECT_EQ(recorder.vertices.size(), 12u);  // four triangles
    for (Vec2 v : recorder.vertices) EXPECT_TRUE(IsFinite(v)) << v.x << ", " << v.y;
    EXPECT_FALSE(primitives.empty());
    EXPECT_TRUE(AllFinite(primitives));
}

TEST(IsotoxalDrawing, NoPointsDrawNothing) {
    const IsotoxalStarPolygon star = Isotoxal(0, 24.0f, 0.0f);
    EXPECT_TRUE(CaptureFeedback([&] { DrawIsotoxalStar(star); }).empty());
}

TEST(IsotoxalDrawing, FillsTipsAndCentreButNotTheGapsBetweenTips) {
    const Rgba background{0.0f, 0.0f, 0.2f, 1.0f}, white{1.0f, 1.0f, 1.0f, 1.0f};
    glClearColor(background.r, background.g, background.b, background.a);
    glClear(GL_COLOR_BUFFER_BIT);
    SetColor(white);
    DrawIsotoxalStar(Isotoxal(7, 24.0f, 36.0f));
    SaveFramePng("isotoxal_star_defaults");

    // 150 px out, a tip is about 20 px wide; halfway between two tips the outline is back at 68 px.
    const double step = 2 * std::numbers::pi / 7, offset = 36 * std::numbers::pi / 180;
    auto pixelAt = [](double angle) {
        return ReadPixel(static_cast<int>(900 + 150 * std::cos(angle)), static_cast<int>(550 + 150 * std::sin(angle)));
    };
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(pixelAt(offset + i * step), ToPixel(white)) << "tip " << i;
        EXPECT_EQ(pixelAt(offset + (i + 0.5) * step), ToPixel(background)) << "gap after tip " << i;
    }
    EXPECT_EQ(ReadPixel(900, 550), ToPixel(white));
}
