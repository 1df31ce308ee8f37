#include "platform/runtime/Color.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QPalette>

using namespace platform;

namespace {

TEST(Color, NumbersStandForPaletteRgbAndSystemColours) {
    struct Case {
        const char* name;
        std::int64_t number;
        QColor color;
    };
    const std::vector<Case> cases{
        {"palette black", 0, QColor(0, 0, 0)},
        {"palette blue", 1, QColor(0, 0, 128)},
        {"palette light grey", 7, QColor(192, 192, 192)},
        {"palette light red", 12, QColor(255, 0, 0)},
        {"palette white", 15, QColor(255, 255, 255)},
        {"the first RGB number", 16, QColor(16, 0, 0)},
        {"RGB", RGB(1, 2, 3), QColor(1, 2, 3)},
        {"RGB white", RGB(255, 255, 255), QColor(255, 255, 255)},
        {"window background", SystemColor::WindowBackground,
         QGuiApplication::palette().color(QPalette::Base)},
        {"window background as a signed 32-bit number", std::int32_t(0x80000005u),
         QGuiApplication::palette().color(QPalette::Base)},
        {"button face", SystemColor::ButtonFace, QGuiApplication::palette().color(QPalette::Button)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColorFromNumber(c.number), c.color);
    }
    EXPECT_EQ(RGB(1, 2, 3), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(NumberFromColor(QColor(10, 20, 30)), RGB(10, 20, 30));
}

} // namespace
