// The axes a drawing call of the scale routine draws: lines, ticks, grid lines, numbers and titles.
#include "DrawingFixture.h"

#include <gtest/gtest.h>

using drawingtest::DrawingRun;
using drawingtest::list;

namespace {

// An x axis 0..10 over the frame 10..110 mm (1 unit = 10 mm) at the bottom edge y = 110; the y axis 0..10
// over 110..10 mm. Lines are sorted into the axis line, ticks and grid lines by where they run.
struct Axes : DrawingRun {
    Axes(std::int16_t ticks, std::int16_t grid, std::int16_t labels, std::int16_t placement = 1) {
        g0(10, 25, 10, 20, 0, 10, 0, 10);
        auto& g = *grafik;
        g.setELXMIN(list({0, 10}));
        g.setELXDIFF(list({10}));
        g.setELXIT(list({double(ticks)}));
        g.setELXGIT(list({double(grid)}));
        g.setELXZL(list({double(labels)}));
        g.setELYMIN(list({0, 10}));
        g.setELYDIFF(list({10}));
        g.setEAXEX(placement);
        g.setEAXEY(0);
        g.setETEXTX(QStringLiteral("w [%]"));
        g.SKALEN(0);
    }
    // x of the vertical lines that run between two heights.
    std::vector<double> verticalsBetween(double ya, double yb) const {
        std::vector<double> x;
        for (const auto& c : surface.calls("Line")) {
            const auto& a = c.args;
            if (a[0] == a[2] && std::min(a[1], a[3]) == std::min(ya, yb) &&
                std::max(a[1], a[3]) == std::max(ya, yb))
                x.push_back(a[0]);
        }
        return x;
    }
    QStringList texts() const {
        QStringList t;
        for (const auto& c : surface.calls("Print"))
            t << c.text;
        return t;
    }
    std::vector<double> textTops() const {
        std::vector<double> y;
        for (const auto& c : surface.calls("Print"))
            y.push_back(c.args[1]);
        return y;
    }
};

std::vector<double> at(std::initializer_list<int> ticks) {
    std::vector<double> x;
    for (int t : ticks)
        x.push_back(10 + 10 * t);
    return x;
}

TEST(Achsen, TicksGridLinesAndNumbersByTheirCounts) {
    Axes a(10, 4, 3);
    // The axis line along the bottom edge.
    ASSERT_EQ(a.surface.calls("Line").at(0).args, (std::vector<double>{10, 110, 110, 110}));
    // A tick of 1.5 mm downwards at every position.
    EXPECT_EQ(a.verticalsBetween(110, 111.5), at({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // Grid lines at every 2.5th tick, halves to the even neighbour: 0, 2, 4, 6, 8, 10.
    EXPECT_EQ(a.verticalsBetween(110, 10), at({0, 2, 4, 6, 8, 10}));
    // Numbers at every 3.33rd tick: 0, 3, 6, 9 and none at the last; the title 6 mm below the axis.
    EXPECT_EQ(a.texts(), (QStringList{"0", "3", "6", "9", "w [%]"}));
    EXPECT_EQ(a.textTops(), (std::vector<double>{112, 112, 112, 112, 116}));
}

TEST(Achsen, TheTitleStandsCloserWithoutSeveralNumbers) {
    struct Case {
        std::int16_t labels;
        QStringList texts;
        double titleTop;
    } cases[] = {
        {0, {"w [%]"}, 112},
        {1, {"0", "10", "w [%]"}, 112},
        {2, {"0", "5", "10", "w [%]"}, 116},
    };
    for (const Case& c : cases) {
        Axes a(10, 1, c.labels);
        EXPECT_EQ(a.texts(), c.texts) << c.labels;
        EXPECT_EQ(a.textTops().back(), c.titleTop) << c.labels;
    }
}

TEST(Achsen, GridCountsZeroAndOne) {
    Axes none(10, 0, 0);
    EXPECT_TRUE(none.verticalsBetween(110, 10).empty());
    // With one grid interval the lines at the first and last tick close the frame.
    Axes frame(10, 1, 0);
    EXPECT_EQ(frame.verticalsBetween(110, 10), at({0, 10}));
}

TEST(Achsen, PlacementsOfTheXAxis) {
    Axes none(10, 1, 1, 0);
    EXPECT_TRUE(none.surface.calls().empty());
    // 5 mm below the bottom edge, ticks pointing down, numbers below.
    Axes below(10, 1, 1, 5);
    EXPECT_EQ(below.surface.calls("Line").at(0).args, (std::vector<double>{10, 115, 110, 115}));
    EXPECT_EQ(below.verticalsBetween(115, 116.5).size(), 11u);
    EXPECT_EQ(below.textTops().front(), 117);
    // On the top edge the ticks point up and the numbers stand on their line above them.
    Axes top(10, 1, 1, -1);
    EXPECT_EQ(top.surface.calls("Line").at(0).args, (std::vector<double>{10, 10, 110, 10}));
    EXPECT_EQ(top.verticalsBetween(10, 8.5).size(), 11u);
    EXPECT_EQ(top.textTops().front(), 8 - 4);
}

TEST(Achsen, TheYAxisHasTurnedNumbersLeftOfIt) {
    DrawingRun d;
    d.g0(10, 25, 10, 20, 0, 10, 0, 10);
    auto& g = *d.grafik;
    g.setELYMIN(list({0, 10}));
    g.setELYDIFF(list({10}));
    g.setELYIT(list({10}));
    g.setELYGIT(list({5}));
    g.setETEXTY(QStringLiteral("{g,1}r"));
    g.setEAXEX(0);
    g.SKALEN(0);
    // Axis line along the left edge, ticks to the left, grid lines across.
    EXPECT_EQ(d.surface.calls("Line").at(0).args, (std::vector<double>{10, 110, 10, 10}));
    int ticks = 0, grid = 0;
    for (const auto& c : d.surface.calls("Line")) {
        if (c.args[0] == 10 && c.args[2] == 8.5) ++ticks;
        if (c.args[0] == 10 && c.args[2] == 110 && c.args[1] == c.args[3]) ++grid;
    }
    EXPECT_EQ(ticks, 11);
    EXPECT_EQ(grid, 6);
    // Numbers at 0, 2, ..., 10 turned by 90 degrees, their bottom 2 mm left of the axis: the cell's
    // top-left corner stands 4 mm further left (x = 4 mm, 16 pixels).
    const auto turned = d.surface.calls("TextOutRotated");
    ASSERT_EQ(turned.size(), 7u); // six numbers and the Greek letter
    EXPECT_EQ(turned[0].text, QStringLiteral("0"));
    EXPECT_EQ(turned[0].args[0], 16);
    EXPECT_EQ(turned[0].args[1], (110 + 1) * 4); // centred: half of one digit below the tick
    EXPECT_EQ(turned[0].args[3], 900);
    // The title 6 mm out, in the Greek font, raised (to the left) by 0.1 x the height of "g".
    EXPECT_EQ(turned[6].text, QStringLiteral("r"));
    EXPECT_EQ(turned[6].font.Name, QStringLiteral("Symbol"));
    EXPECT_EQ(turned[6].args[0], std::round((10 - 6 - 4 - 0.4) * 4));
}

TEST(Achsen, LogarithmicNumbersAtTheDecades) {
    DrawingRun d;
    d.g0(10, 25, 10, 20);
    auto& g = *d.grafik;
    g.setESKTX(1);
    g.setELXMIN(list({0.01, 0.1, 1, 10, 100}));
    g.setELXDIFF(list({1}));
    g.setELXIT(list({10}));
    g.setELXGIT(list({1}));
    g.setELXZL(list({1}));
    g.setEBOXMIN(true);
    g.setEBOXMAX(true);
    g.setEAXEY(0);
    const std::vector<float> x{0.05f, 30};
    g.SKALEN(-1, &x);
    QStringList numbers;
    for (const auto& c : d.surface.calls("Print"))
        if (!c.text.isEmpty()) numbers << c.text;
    EXPECT_EQ(numbers, (QStringList{"0", "0", "1", "10", "100", "100"}));
    // The bounds are stored as plain values, the model holds their logarithms.
    EXPECT_FLOAT_EQ(d.g0Value("XMAX").asSingle(), 100);
    EXPECT_FLOAT_EQ(g.modell().XMAX, 2);
    // A full stop at the end of a number is dropped.
    DrawingRun e;
    e.g0(10, 25, 10, 20);
    auto& h = *e.grafik;
    h.setESKTX(1);
    h.setESKZX(QStringLiteral("#0."));
    h.setELXMIN(g.ELXMIN());
    h.setELXIT(list({1}));
    h.setELXGIT(list({1}));
    h.setEBOXMIN(true);
    h.setEBOXMAX(true);
    h.setEAXEY(0);
    h.SKALEN(-1, &x);
    numbers.clear();
    for (const auto& c : e.surface.calls("Print"))
        if (!c.text.isEmpty()) numbers << c.text;
    EXPECT_EQ(numbers.mid(2, 3), (QStringList{"1", "10", "100"}));
}

} // namespace
