// Segments cut to the plot frame, rectangles clamped to it, direction angles and arrowheads.
#include "Clipping.h"
#include "DrawingFixture.h"

#include <gtest/gtest.h>
#include <numbers>

using drawing::Rahmen;
using drawingtest::DrawingRun;

namespace {

const Rahmen kFrame{10, 10, 110, 110};

TEST(Clipping, SegmentsAreCutToThePlotFrame) {
    struct Case {
        const char* what;
        float x1, y1, x2, y2;
        bool visible;
        float ex1 = 0, ey1 = 0, ex2 = 0, ey2 = 0;
    } cases[] = {
        {"inside", 20, 20, 50, 60, true, 20, 20, 50, 60},
        {"along an edge", 10, 80, 10, 20, true, 10, 20, 10, 80},
        {"on the top edge from outside", 0, 10, 200, 10, true, 10, 10, 110, 10},
        {"both ends left", 0, 20, 5, 90, false},
        {"both ends below", 20, 120, 90, 115, false},
        {"long but beyond one edge", -500, 0, 500, 5, false},
        {"past a corner outside", 0, 15, 15, 0, false},
        {"touching a corner from outside", 0, 20, 20, 0, false},
        {"touching an edge from outside", 10, 0, 10, 10, false},
        {"through two corners", 0, 0, 120, 120, true, 10, 10, 110, 110},
        {"from a corner out through the right edge", 10, 110, 130, 50, true, 10, 110, 110, 60},
        {"from above into a corner", 80, 0, 110, 110, true, 80 + 30 * 10.0f / 110, 10, 110, 110},
        {"vertical through the frame", 50, 0, 50, 130, true, 50, 10, 50, 110},
        {"horizontal through the frame", 0, 50, 200, 50, true, 10, 50, 110, 50},
        {"inside to outside", 50, 50, 150, 100, true, 50, 50, 110, 80},
        {"outside to inside, ends swapped", 150, 100, 50, 50, true, 50, 50, 110, 80},
        {"crossing two edges", 0, 60, 60, 0, true, 10, 50, 50, 10},
    };
    for (const Case& c : cases) {
        const auto piece = drawing::clipToFrame(kFrame, c.x1, c.y1, c.x2, c.y2);
        ASSERT_EQ(piece.has_value(), c.visible) << c.what;
        if (!piece) continue;
        EXPECT_NEAR(piece->x1, c.ex1, 1e-4) << c.what;
        EXPECT_NEAR(piece->y1, c.ey1, 1e-4) << c.what;
        EXPECT_NEAR(piece->x2, c.ex2, 1e-4) << c.what;
        EXPECT_NEAR(piece->y2, c.ey2, 1e-4) << c.what;
    }
}

TEST(Clipping, RectanglesAreClampedToTheFrame) {
    auto r = drawing::clampToFrame(kFrame, 0, 50, 200, 120);
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->x1, 10);
    EXPECT_FLOAT_EQ(r->y1, 50);
    EXPECT_FLOAT_EQ(r->x2, 110);
    EXPECT_FLOAT_EQ(r->y2, 110);
    r = drawing::clampToFrame(kFrame, 200, 0, 50, 60); // swapped, rising
    ASSERT_TRUE(r);
    EXPECT_FLOAT_EQ(r->y1, 60);
    EXPECT_FLOAT_EQ(r->x2, 110);
    EXPECT_FLOAT_EQ(r->y2, 10);
    EXPECT_FALSE(drawing::clampToFrame(kFrame, 120, 20, 130, 90));
}

TEST(Clipping, DirectionAngles) {
    const double pi = double(float(std::numbers::pi));
    struct Case {
        float dx, dy;
        double angle;
    } cases[] = {
        {1, 0, 0},           {0, 1, pi / 2}, {-1, 0, pi},          {0, -1, 3 * pi / 2}, {1, -1, 7 * pi / 4},
        {-1, 1, 3 * pi / 4}, {1, 1, pi / 4}, {-1, -1, 5 * pi / 4}, {0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(drawing::WINKEL(3, 4, 3 + c.dx, 4 + c.dy), c.angle, 1e-6) << c.dx << c.dy;
}

TEST(Clipping, ArrowheadsAreThreeClippedSides) {
    struct Case {
        float x1, y1, x2, y2;
        float side;
    } cases[] = {{40, 50, 50, 50, 2.5f}, {46, 50, 50, 50, 2.0f}, {50, 60, 50, 50, 2.5f}};
    for (const Case& c : cases) {
        DrawingRun d;
        d.identityFrame(10, 10, 110, 110);
        d.grafik->PFEIL(c.x1, c.y1, c.x2, c.y2);
        const auto lines = d.surface.calls("Line");
        ASSERT_EQ(lines.size(), 3u);
        // Two sides of the given length from the tip, 30 degrees apart, and the base between them.
        for (int i : {0, 1}) {
            const auto& l = lines[std::size_t(i)].args;
            const double tipX = l[0] == c.x2 && l[1] == c.y2 ? l[0] : l[2];
            const double tipY = l[0] == c.x2 && l[1] == c.y2 ? l[1] : l[3];
            EXPECT_FLOAT_EQ(tipX, c.x2);
            EXPECT_FLOAT_EQ(tipY, c.y2);
            EXPECT_NEAR(std::hypot(l[2] - l[0], l[3] - l[1]), c.side, 1e-4);
        }
        const auto& base = lines[2].args;
        EXPECT_NEAR(std::hypot(base[2] - base[0], base[3] - base[1]),
                    2 * c.side * std::sin(15 * std::numbers::pi / 180), 1e-4);
    }
    // The head points away from the first point: its base lies towards it.
    DrawingRun d;
    d.identityFrame(10, 10, 110, 110);
    d.grafik->PFEIL(40, 50, 50, 50);
    const auto base = d.surface.calls("Line")[2].args;
    EXPECT_NEAR(base[0], 50 - 2.5 * std::cos(15 * std::numbers::pi / 180), 1e-4);
    // Near the frame's edge the sides are cut.
    DrawingRun e;
    e.identityFrame(10, 10, 110, 110);
    e.grafik->PFEIL(10, 30, 10, 20);
    for (const auto& l : e.surface.calls("Line")) {
        EXPECT_GE(l.args[0], 10);
        EXPECT_GE(l.args[2], 10);
    }
}

} // namespace
