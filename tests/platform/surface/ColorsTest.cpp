#include "platform/surface/Colors.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Colors, NumbersUpTo15AreThePaletteOthersAreRgb) {
    struct Case {
        long number;
        QColor color;
    } cases[] = {
        {0, QColor(0, 0, 0)},          {9, QColor(0, 0, 255)},
        {12, QColor(255, 0, 0)},       {15, QColor(255, 255, 255)},
        {7, QColor(192, 192, 192)},    {16, QColor(16, 0, 0)},
        {255, QColor(255, 0, 0)},      {65280, QColor(0, 255, 0)},
        {16711680, QColor(0, 0, 255)}, {RGB(0, 215, 0), QColor(0, 215, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorFromNumber(c.number), c.color) << c.number;
}

TEST(Colors, PaletteNumbersAndRgbNumbers) {
    EXPECT_EQ(QBColor(0), 0);
    EXPECT_EQ(QBColor(12), RGB(255, 0, 0));
    EXPECT_EQ(QBColor(15), 16777215);
    EXPECT_THROW(QBColor(16), VbError);
    EXPECT_EQ(RGB(300, -4, 1), 255 + 65536);
    EXPECT_EQ(ColorNumber(QColor(1, 2, 3)), 1 + 2 * 256 + 3 * 65536);
}

} // namespace
