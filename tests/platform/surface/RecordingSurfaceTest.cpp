#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(RecordingSurface, LogsEveryCallWithTheSettingsItWasDrawnWith) {
    RecordingSurface s;
    s.setForeColor(255);
    s.setDrawWidth(3);
    s.setDrawStyle(Surface::Dot);
    s.Line(1, 2, 3, 4);
    s.Box(5, 6, 7, 8, 9);
    s.setCurrentX(10);
    s.setCurrentY(11);
    s.Print(QStringLiteral("ab"));
    s.Circle(1, 1, 0.7f);
    ASSERT_EQ(s.calls().size(), 4u);
    const auto& line = s.calls()[0];
    EXPECT_EQ(line.name, QStringLiteral("Line"));
    EXPECT_EQ(line.args, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(line.foreColor, 255);
    EXPECT_EQ(line.drawWidth, 3);
    EXPECT_EQ(line.drawStyle, Surface::Dot);
    EXPECT_EQ(s.calls()[1].color, 9);
    EXPECT_EQ(s.calls("Print").at(0).text, QStringLiteral("ab"));
    EXPECT_EQ(s.calls("Print").at(0).args, (std::vector<double>{10, 11}));
    EXPECT_EQ(s.calls("Circle").size(), 1u);
}

TEST(RecordingSurface, MeasuresByRulesThatCanBeWorkedOutByHand) {
    RecordingSurface s;
    s.setFontSize(8);
    EXPECT_FLOAT_EQ(s.TextWidth(QStringLiteral("abc")), 6.0f);
    EXPECT_FLOAT_EQ(s.TextHeight(QStringLiteral("abc")), 4.0f);
    EXPECT_EQ(s.pixelWidth(), 540);
    RecordingSurface::Options o;
    o.snapFontSizes = true;
    RecordingSurface screen(o);
    screen.setFontSize(8);
    EXPECT_FLOAT_EQ(screen.Font().Size, 8.25f);
}

} // namespace
