// Data series: forms, marker selection, labels, arrowheads and colours.
#include "DrawingFixture.h"

#include "platform/runtime/Color.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>

using drawing::SingleArray;
using drawingtest::DrawingRun;

namespace {

// A series in a frame where data units are millimetres (frame 10..110 both ways, y downwards).
struct Series : DrawingRun {
    Series() { identityFrame(10, 10, 110, 110); }
    void draw(std::vector<float> x, std::vector<float> y, std::int16_t PSIT, std::int16_t PSTYP,
              const QString& text = QString(), std::int16_t LAGETEXT = 0, std::int16_t LAGEPFEIL = 0,
              std::int16_t FARBEN = 0, std::int16_t PNR = 0) {
        X = SingleArray(std::move(x));
        Y = SingleArray(std::move(y));
        grafik->POLYGON(X, Y, PSIT, PSTYP, PNR, text, LAGETEXT, LAGEPFEIL, FARBEN);
    }
    std::size_t count(const char* name) const { return surface.calls(QString::fromLatin1(name)).size(); }
    SingleArray X, Y;
};

// The centres of the open squares drawn, by their x.
std::vector<int> squaresAt(const platform::RecordingSurface& s) {
    std::vector<int> at;
    for (const auto& c : s.calls("Box"))
        at.push_back(int(std::lround((c.args[0] + c.args[2]) / 2)));
    return at;
}

TEST(Polygon, AMeasuredPointIsOneOpenSquareAndNothingElse) {
    Series s;
    s.draw({40}, {60}, -1, 2, QStringLiteral("x"), 0, 1);
    ASSERT_EQ(s.surface.calls().size(), 1u);
    const auto box = s.surface.calls("Box").at(0);
    EXPECT_EQ(box.args, (std::vector<double>{39.5, 59.5, 40.5, 60.5}));
}

TEST(Polygon, MarkersOnSomeOrAllPoints) {
    struct Case {
        std::int16_t PSIT;
        std::vector<int> marked;
    } cases[] = {
        {3, {20, 40, 60}},             // step (6 - 1) / 2 = 2.5 goes to 2
        {6, {20, 30, 40, 50, 60, 70}}, // every point
        {2, {20, 70}},
        {1, {70}},
        {-1, {20}},
        {-2, {20, 30, 40, 50, 60, 70}},
        {0, {}},
        {4, {20, 40, 60}},               // (6 - 1) / 3 = 1.67 goes to 2
        {100, {20, 30, 40, 50, 60, 70}}, // a quotient of 0 becomes 1
    };
    for (const Case& c : cases) {
        Series s;
        s.draw({20, 30, 40, 50, 60, 70}, {50, 50, 50, 50, 50, 50}, c.PSIT, 2);
        EXPECT_EQ(squaresAt(s.surface), c.marked) << c.PSIT;
        EXPECT_EQ(s.count("Line"), 5u) << c.PSIT; // one line per segment
    }
}

TEST(Polygon, MarkerShapes) {
    struct Case {
        std::int16_t type;
        std::size_t lines, boxes, filled, circles;
    } cases[] = {{0, 4, 0, 0, 0}, {1, 0, 0, 1, 0}, {2, 0, 1, 0, 0}, {3, 0, 0, 0, 1},
                 {4, 0, 0, 0, 1}, {5, 3, 0, 0, 0}, {6, 6, 0, 0, 0}, {7, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        Series s;
        s.draw({40}, {60}, 1, c.type);
        EXPECT_EQ(s.count("Line"), c.lines) << c.type;
        EXPECT_EQ(s.count("Box"), c.boxes) << c.type;
        EXPECT_EQ(s.count("FilledBox"), c.filled) << c.type;
        EXPECT_EQ(s.count("Circle"), c.circles) << c.type;
    }
}

TEST(Polygon, ThePolylineIsCutAtTheFrameTheMarkersAreNot) {
    Series s;
    s.draw({50, 130}, {50, 50}, 2, 2);
    const auto lines = s.surface.calls("Line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args, (std::vector<double>{50, 50, 110, 50}));
    EXPECT_EQ(squaresAt(s.surface), (std::vector<int>{50, 130}));
}

TEST(Polygon, LabelPositions) {
    // "ab" is 4 by 4 mm; the last segment runs from (60, 70) to (80, 50).
    struct Case {
        std::int16_t LAGETEXT;
        double x, y;
        bool rotated;
    } cases[] = {
        {1, 78, 46, false}, // centred above the last point
        {2, 78, 50, false}, // centred below it
        {3, 82, 48, false}, // to its right, vertically centred
        {4, 74, 48, false}, // to its left
        {6, 38, 66, false}, // the first point (40, 70)
        {8, 42, 68, false},  {11, 74, 50, false}, {12, 74, 46, false},
        {13, 82, 50, false}, {14, 82, 46, false}, {15, 0, 0, false}, // no such position: no label
    };
    for (const Case& c : cases) {
        Series s;
        s.draw({40, 60, 80}, {70, 70, 50}, 0, 0, QStringLiteral("ab"), c.LAGETEXT);
        const auto printed = s.surface.calls("Print");
        if (c.LAGETEXT == 15) {
            EXPECT_TRUE(printed.empty());
            continue;
        }
        ASSERT_EQ(printed.size(), 1u) << c.LAGETEXT;
        EXPECT_NEAR(printed[0].args[0], c.x, 1e-4) << c.LAGETEXT;
        EXPECT_NEAR(printed[0].args[1], c.y, 1e-4) << c.LAGETEXT;
    }
}

TEST(Polygon, SegmentLabelsFollowTheSlope) {
    struct Case {
        std::vector<float> x, y;
        std::int16_t LAGETEXT;
        int angle;
    } cases[] = {
        {{40, 60, 80}, {70, 70, 50}, 0, 45},          // rising last segment
        {{40, 60, 80}, {70, 50, 70}, 0, -45},         // falling
        {{40, 60, 60}, {70, 70, 40}, 0, 90},          // vertical
        {{40, 60, 80}, {70, 60, 60}, 5, 27},          // the first segment: atan(0.5) = 26.57 degrees
        {{40, 60, 80, 90}, {70, 60, 40, 40}, 10, 45}, // the middle segment, points 1 and 2
    };
    for (const Case& c : cases) {
        Series s;
        s.draw(c.x, c.y, 0, 0, QStringLiteral("ab"), c.LAGETEXT);
        const auto r = s.surface.calls("TextOutRotated");
        ASSERT_EQ(r.size(), 1u) << c.angle;
        EXPECT_EQ(r[0].args[3], c.angle * 10);
    }
    // A series of one point has no segment: no segment label and no arrowhead.
    Series one;
    one.draw({40}, {70}, 0, 0, QStringLiteral("ab"), 0, 3);
    EXPECT_TRUE(one.surface.calls().empty());
}

TEST(Polygon, ArrowheadsAtTheEndsOrOnEverySegment) {
    struct Case {
        std::int16_t LAGEPFEIL;
        std::size_t heads;
    } cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 3}, {6, 6}, {0, 0}, {7, 0}};
    for (const Case& c : cases) {
        Series s;
        s.draw({20, 40, 60, 80}, {50, 60, 50, 60}, 0, 0, QString(), 0, c.LAGEPFEIL);
        EXPECT_EQ(s.count("Line"), 3 + 3 * c.heads) << c.LAGEPFEIL;
    }
}

TEST(Polygon, PointNumbersBesideThePoints) {
    Series s;
    s.draw({20, 40, 60}, {50, 50, 50}, 0, 0, QString(), 0, 0, 0, 2);
    const auto printed = s.surface.calls("Print");
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].text, QStringLiteral("0"));
    EXPECT_EQ(printed[0].args, (std::vector<double>{21, 49}));
    EXPECT_EQ(printed[1].text, QStringLiteral("2"));
}

TEST(Polygon, PaletteColoursAndTheForeColourAfterwards) {
    struct Case {
        std::int16_t PSTYP;
        long color;
    } cases[] = {{0, platform::RGB(0, 0, 255)}, {1, platform::RGB(0, 215, 0)}, {7, 0}, {9, 4242}};
    for (const Case& c : cases) {
        Series s;
        s.surface.setForeColor(4242);
        s.draw({20, 40}, {50, 50}, 2, c.PSTYP, QString(), 0, 0, -1);
        EXPECT_EQ(s.surface.calls("Line").at(0).foreColor, c.color) << c.PSTYP;
        EXPECT_EQ(s.surface.ForeColor(), 4242);
    }
    // Cancel in the box leaves the palette colour on the surface.
    Series s;
    s.surface.setForeColor(4242);
    s.run.dialogs().answer(platform::Msg::Cancel);
    SingleArray x({20, 40, 60}), y({50, 50});
    s.grafik->POLYGON(x, y, 0, 3, 0, QString(), 0, 0, -1);
    EXPECT_EQ(s.surface.ForeColor(), platform::RGB(255, 0, 0));
    EXPECT_EQ(s.run.dialogs().asked().at(0).title, QStringLiteral("Polygon"));
}

TEST(Polygon, StepOutlinesAndStaircases) {
    // Points (20, 50), (40, 70), (60, 60); the base line of the diagram corner is y = YMIN = 10. A line is
    // drawn from its end with the smaller x, and a vertical one from its second end.
    struct Case {
        std::int16_t EPTYP;
        std::vector<std::vector<double>> lines;
    } cases[] = {
        {1,
         {{10, 50, 10, 10},
          {10, 50, 30, 50},
          {30, 70, 40, 70},
          {40, 70, 50, 70},
          {30, 70, 30, 50},
          {50, 60, 50, 70},
          {50, 60, 70, 60},
          {70, 10, 70, 60}}},
        {2,
         {{10, 40, 20, 40},
          {20, 60, 20, 40},
          {40, 70, 40, 60},
          {40, 65, 40, 70},
          {20, 60, 40, 60},
          {40, 65, 60, 65},
          {60, 55, 60, 65},
          {10, 55, 60, 55}}},
        {4,
         {{10, 50, 10, 10},
          {10, 50, 20, 50},
          {20, 70, 20, 50},
          {20, 70, 40, 70},
          {40, 60, 40, 70},
          {40, 60, 60, 60},
          {60, 10, 60, 60}}},
        {5,
         {{10, 10, 20, 10},
          {20, 50, 20, 10},
          {20, 50, 40, 50},
          {40, 70, 40, 50},
          {40, 70, 60, 70},
          {60, 60, 60, 70},
          {10, 60, 60, 60}}},
    };
    for (const Case& c : cases) {
        Series s;
        s.grafik->setEPTYP(c.EPTYP);
        s.draw({20, 40, 60}, {50, 70, 60}, 0, 0);
        std::vector<std::vector<double>> lines;
        for (const auto& l : s.surface.calls("Line"))
            lines.push_back(l.args);
        EXPECT_EQ(lines, c.lines) << c.EPTYP;
    }
    // A base point at index -1 starts the staircase there.
    Series s;
    s.grafik->setEPTYP(4);
    SingleArray x({15, 20, 40}, -1), y({100, 50, 70}, -1);
    s.grafik->POLYGON(x, y, 0, 0);
    EXPECT_EQ(s.surface.calls("Line").at(0).args, (std::vector<double>{15, 50, 15, 100}));
}

TEST(Polygon, DotsOnlyStrictlyInsideAndStepOutlinesNeedTwoPoints) {
    Series s;
    s.grafik->setEPTYP(3);
    s.draw({50, 10, 110, 60}, {50, 50, 60, 110}, 0, 0);
    ASSERT_EQ(s.count("PSet"), 1u);
    Series one;
    one.grafik->setEPTYP(1);
    one.run.dialogs().answerAllMessages(platform::Msg::OK);
    one.draw({50}, {50}, -1, 2);
    EXPECT_EQ(one.count("Line"), 0u);
    EXPECT_EQ(one.count("Box"), 1u);
    EXPECT_GE(one.run.dialogs().count(QStringLiteral("MsgBox")), 1);
}

TEST(Polygon, LogarithmicAxesTakeTheLogarithmsInTheCallersArrays) {
    Series s;
    s.grafik->setESKTX(1);
    s.draw({100, 0}, {50, 60}, 0, 0);
    EXPECT_FLOAT_EQ(s.X(0), 2);
    EXPECT_FLOAT_EQ(s.X(1), 0); // a value of 0 or below plots at logarithm 0
    EXPECT_FLOAT_EQ(s.Y(0), 50);
}

TEST(Polygon, SegmentsOnlyWhereTheSwitchSaysOne) {
    Series s;
    SingleArray x({20, 40, 60, 80}), y({50, 50, 50, 50});
    const std::vector<platform::Variant> bol{platform::Variant(std::int16_t(1)),
                                             platform::Variant(std::int16_t(0)), platform::Variant(1.0)};
    s.grafik->POLYGON(x, y, 0, 0, 0, QString(), 0, 0, 0, &bol);
    const auto lines = s.surface.calls("Line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].args[0], 20);
    EXPECT_EQ(lines[1].args[0], 60);
}

} // namespace
