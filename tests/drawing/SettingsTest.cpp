// Binding a surface, pen and font settings and the markup font set.
#include "DrawingFixture.h"

#include "platform/runtime/Color.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using drawingtest::DrawingRun;
using platform::RecordingSurface;

namespace {

RecordingSurface::Options screen() {
    RecordingSurface::Options o;
    o.snapFontSizes = true; // sizes read back in whole pixels at 96 per inch, 8 as 8.25
    return o;
}

TEST(Settings, BindingAPictureTakesItsSizeAndArial8InBlack) {
    DrawingRun d(screen());
    EXPECT_FLOAT_EQ(d.grafik->ELX(), 135);
    EXPECT_FLOAT_EQ(d.grafik->ELY(), 130);
    EXPECT_EQ(d.grafik->ELXMIN(), drawingtest::list({0, 135}));
    EXPECT_FLOAT_EQ(d.grafik->pixelsPerUnit().x, 4);
    EXPECT_EQ(d.surface.Font().Name, QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(d.surface.Font().Size, 8.25f);
    EXPECT_FALSE(d.surface.Font().Bold());
    EXPECT_EQ(d.surface.ForeColor(), 0);
    const auto& f = d.grafik->schriften();
    for (int slot : {1, 2}) {
        EXPECT_EQ(f.slot(slot).Name, QStringLiteral("Arial"));
        EXPECT_FLOAT_EQ(f.slot(slot).Size, 8.25f);
    }
    EXPECT_EQ(f.slot(3).Name, QStringLiteral("Symbol"));
    EXPECT_FLOAT_EQ(f.slot(3).Size, 8.25f);
    // 8.25 / 1.175 = 7.02: the reduced size is 7, as for 8 (6.81).
    EXPECT_FLOAT_EQ(f.slot(4).Size, 7);
    EXPECT_EQ(f.slot(5).Name, QStringLiteral("Symbol"));
    EXPECT_FLOAT_EQ(f.slot(5).Size, 7);
}

TEST(Settings, ASurfaceWithoutSizeCannotBeBound) {
    DrawingRun d;
    RecordingSurface::Options o;
    o.width = 0;
    RecordingSurface empty(o);
    try {
        d.grafik->setEOBJEKT(&empty);
        FAIL() << "bound a surface without width";
    } catch (const platform::VbError& e) {
        EXPECT_EQ(e.Number(), platform::VbError::DivisionByZero);
    }
}

TEST(Settings, PenWidthsInMillimetresBecomePixels) {
    struct Case {
        std::int16_t style;
        float width;
        long color;
        float widthAfter;
        int drawWidth;
        long foreColor;
    } cases[] = {
        {0, 0, 0, 1, 1, 0},           // one pixel, solid, black
        {1, 0.2f, 255, 0.8f, 1, 255}, // 0.2 mm at 4 pixels per mm: 0.8, one whole pixel
        {2, 0.5f, 9, 2.0f, 2, 9},     // palette colour 9, bright blue
        {0, 0.1f, 0, 0.4f, 1, 0},     // below half a pixel: still one pixel
    };
    for (const auto& c : cases) {
        DrawingRun d;
        float width = c.width;
        long color = c.color;
        d.grafik->LINIENEINSTELLUNGEN(c.style, width, color);
        EXPECT_FLOAT_EQ(width, c.widthAfter);
        EXPECT_EQ(d.surface.DrawWidth(), c.drawWidth);
        EXPECT_EQ(d.surface.DrawStyle(), c.style);
        EXPECT_EQ(d.surface.DrawMode(), 13);
        EXPECT_EQ(d.surface.ForeColor(), c.foreColor);
    }
}

TEST(Settings, ARejectedLineStyleStillSetsTheOtherPenSettings) {
    DrawingRun d;
    d.run.dialogs().answer(platform::Msg::OK);
    float width = 0.5f;
    long red = 255;
    d.grafik->LINIENEINSTELLUNGEN(9, width, red);
    ASSERT_EQ(d.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(d.run.dialogs().asked()[0].title, QStringLiteral("Linieneinstellungen"));
    EXPECT_TRUE(d.run.dialogs().asked()[0].prompt.startsWith(QStringLiteral("VB-Fehler: 380\n")));
    EXPECT_EQ(d.surface.DrawStyle(), 0);
    EXPECT_EQ(d.surface.DrawWidth(), 2);
    EXPECT_EQ(d.surface.ForeColor(), 255);
}

TEST(Settings, FontSettingsRebuildTheMarkupFontSet) {
    DrawingRun d;
    d.grafik->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, 1, 0, 0, 255);
    EXPECT_EQ(d.surface.Font().Name, QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(d.surface.Font().Size, 10);
    EXPECT_TRUE(d.surface.Font().Bold());
    EXPECT_EQ(d.surface.ForeColor(), 255);
    const auto& f = d.grafik->schriften();
    EXPECT_FLOAT_EQ(f.slot(4).Size, 9); // 10 / 1.175 = 8.51
    EXPECT_TRUE(f.slot(4).Bold());
    EXPECT_EQ(f.slot(3).Name, QStringLiteral("Symbol"));
    EXPECT_FLOAT_EQ(f.slot(3).Size, 10);
    EXPECT_TRUE(f.slot(3).Bold());

    // Slot 0 belongs to the text routine: a new font setting leaves it alone.
    d.grafik->TEXT(0, 0, QStringLiteral("x"));
    const platform::SurfaceFont slot0 = f.slot(0);
    d.grafik->SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 1, 1, -2147483633);
    EXPECT_EQ(f.slot(0), slot0);
    EXPECT_FLOAT_EQ(f.slot(2).Size, 8);
    EXPECT_TRUE(f.slot(2).Italic);
    EXPECT_TRUE(f.slot(5).Underline);
    EXPECT_FALSE(f.slot(1).Bold());
    // A negative colour (a system colour) is black.
    EXPECT_EQ(d.surface.ForeColor(), 0);
}

TEST(Settings, PenAndFontBothSetTheForeColourTheLastCallWins) {
    DrawingRun d;
    float width = 0;
    long red = 12;
    d.grafik->LINIENEINSTELLUNGEN(0, width, red);
    d.grafik->SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    EXPECT_EQ(d.surface.ForeColor(), 0);
}

} // namespace
