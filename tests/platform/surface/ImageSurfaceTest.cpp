#include "PdfPages.h"

#include "platform/runtime/Color.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/ImageSurface.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace platform;
using surfacetest::inkBounds;
using surfacetest::inkRunsInColumn;
using surfacetest::inkRunsInRow;

namespace {

constexpr double k = ImageSurface::kScreenPixelsPerMm;

TEST(ImageSurface, AbsurdPositionsAreClampedAndLinesKeepTheirDirection) {
    ImageSurface s(100, 100);
    s.Line(10, 10, 1e30f, 1e30f);
    s.Line(std::nanf(""), 0, 50, 50);
    s.Circle(1e30f, 1e30f, 1e30f);
    s.Box(-1e30f, -1e30f, 1e30f, 1e30f);
    s.setCurrentX(1e30f);
    s.Print(QStringLiteral("weit"));
    // The diagonal from (10, 10) passes (60, 60) on the picture.
    const auto runs = inkRunsInRow(s.image(), int(60 * k), int(50 * k), int(70 * k));
    ASSERT_FALSE(runs.empty());
    EXPECT_NEAR(runs.front() / k, 60, 1);
}

TEST(ImageSurface, APictureOfMillimetresAt96PixelsPerInch) {
    ImageSurface s(135, 130);
    EXPECT_EQ(s.image().width(), 510);
    EXPECT_EQ(s.image().height(), 491);
    EXPECT_FLOAT_EQ(s.ScaleWidth(), 135);
    EXPECT_FLOAT_EQ(s.Width(), 135 * 56.7f);
    EXPECT_FALSE(s.isPrinter());
    EXPECT_EQ(s.logPixelsY(), 96);
    // Sizes are taken in whole pixels: 8 points are 11 pixels, which read back as 8.25 points.
    s.setFontSize(8);
    EXPECT_FLOAT_EQ(s.Font().Size, 8.25f);
    s.setFontSize(7);
    EXPECT_FLOAT_EQ(s.Font().Size, 6.75f);
    EXPECT_THROW(s.setDrawWidth(0), VbError);
    EXPECT_THROW(s.setDrawStyle(7), VbError);
}

// A drawing pass keeps one painter from its first item until the picture is read or cleared, and draws
// exactly what a painter per item drew: each item starts from the painter as it was opened.
TEST(ImageSurface, OnePainterPerDrawingPassDrawsWhatAPainterPerItemDrew) {
    const auto draw = [](ImageSurface& s, int from, int to) {
        for (int i = from; i < to; ++i) {
            s.setDrawWidth(1 + i % 3);
            s.setDrawStyle(i % 2 ? Surface::Dash : Surface::Solid);
            s.Line(float(i % 90), 5, float(i % 90) + 10, 55, long(i % 16));
            s.setFillStyle(Surface::FillSolid);
            s.setFillColor(long(i % 7));
            if (i % 50 == 0) s.FilledBox(float(i % 80), 20, float(i % 80) + 5, 25, 9);
        }
    };
    ImageSurface onePass(100, 60), itemByItem(100, 60);
    draw(onePass, 0, 1000);
    EXPECT_EQ(onePass.painterPasses(), 1);
    for (int i = 0; i < 1000; ++i) {
        draw(itemByItem, i, i + 1);
        itemByItem.endPass();
    }
    EXPECT_EQ(itemByItem.painterPasses(), 1000);
    EXPECT_EQ(onePass.image(), itemByItem.image());

    // Reading the picture in the middle shows what was drawn so far; the drawing goes on in a new pass.
    ImageSurface s(100, 60);
    s.Line(10, 20, 50, 20, 0);
    EXPECT_FALSE(inkBounds(s.image(), s.image().rect()).isEmpty());
    s.Line(10, 40, 50, 40, 0);
    EXPECT_EQ(s.painterPasses(), 2);
    EXPECT_GT(inkBounds(s.image(), s.image().rect()).height(), 15);
    s.Cls();
    EXPECT_TRUE(inkBounds(s.image(), s.image().rect()).isEmpty());
}

TEST(ImageSurface, LinesAndBoxesStandWhereTheMillimetresSay) {
    ImageSurface s(100, 60);
    s.Line(10, 20, 50, 20);
    EXPECT_FLOAT_EQ(s.CurrentX(), 50);
    const QRect line = inkBounds(s.image(), s.image().rect());
    EXPECT_NEAR(line.left(), 10 * k, 1.0);
    EXPECT_NEAR(line.right(), 50 * k, 1.0);
    EXPECT_NEAR(line.center().y(), 20 * k, 1.0);
    EXPECT_LE(line.height(), 2);

    ImageSurface b(100, 60);
    b.setFillStyle(Surface::FillSolid);
    b.setFillColor(12);
    b.Box(60, 10, 80, 30);
    EXPECT_EQ(QColor(b.image().pixel(int(70 * k), int(20 * k))), QColor(255, 0, 0));
    b.FilledBox(10, 10, 20, 20, 9);
    EXPECT_EQ(QColor(b.image().pixel(int(15 * k), int(15 * k))), QColor(0, 0, 255));
    b.Cls();
    EXPECT_TRUE(inkBounds(b.image(), b.image().rect()).isEmpty());
}

TEST(ImageSurface, DashPatternsAreMillimetres) {
    ImageSurface s(100, 20);
    s.setDrawStyle(Surface::Dash);
    s.Line(0, 10, 100, 10);
    const int row = int(std::lround(10 * k));
    std::vector<double> centres = inkRunsInRow(s.image(), row, 0, s.image().width() - 1);
    if (centres.size() < 3) centres = inkRunsInRow(s.image(), row - 1, 0, s.image().width() - 1);
    ASSERT_GE(centres.size(), 10u);
    // A dash of 2 mm and a gap of 1 mm repeat every 3 mm.
    EXPECT_NEAR((centres[9] - centres[1]) / 8 / k, 3.0, 0.15);
}

TEST(ImageSurface, TextHasTheTopLeftCornerOfItsCellAtTheCurrentPoint) {
    ImageSurface s(100, 40);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(20);
    s.setCurrentX(20);
    s.setCurrentY(10);
    s.Print(QStringLiteral("HH"));
    const QRect ink = inkBounds(s.image(), s.image().rect());
    const float width = s.TextWidth(QStringLiteral("HH")), height = s.TextHeight(QStringLiteral("HH"));
    // The letter H has equal side bearings: the ink stands centred in the measured width.
    EXPECT_NEAR(ink.left() / k - 20.0, (width - ink.width() / k) / 2, 0.3);
    EXPECT_GT(ink.top() / k, 10.0);
    EXPECT_LT(ink.bottom() / k, 10.0 + height);
    EXPECT_NEAR(ink.width() / k, width, 1.6);
    // 20 points are 7.06 mm; the cell of Liberation Sans is 1.149 em high.
    EXPECT_NEAR(height, 20 * 25.4 / 72 * 1.149, 0.2);
    EXPECT_FLOAT_EQ(s.CurrentX(), 0);
    EXPECT_FLOAT_EQ(s.CurrentY(), 10 + height);
}

TEST(ImageSurface, TheSymbolFontDrawsGreekLettersInTheSurfaceFont) {
    ImageSurface greek(30, 15), unicode(30, 15);
    greek.setFontName(QStringLiteral("Symbol"));
    greek.setFontSize(16);
    greek.Print(QStringLiteral("rD"));
    unicode.setFontName(QStringLiteral("Arial"));
    unicode.setFontSize(16);
    unicode.Print(QStringLiteral(u"ρΔ"));
    EXPECT_EQ(greek.image(), unicode.image());
    EXPECT_FLOAT_EQ(greek.TextWidth(QStringLiteral("rD")), unicode.TextWidth(QStringLiteral(u"ρΔ")));
}

TEST(ImageSurface, RotatedTextTurnsAboutTheTopLeftCornerOfItsCell) {
    ImageSurface s(60, 60);
    SurfaceFont f;
    f.Size = 12;
    const int x = int(30 * k), y = int(40 * k), cell = 20;
    s.TextOutRotated(x, y, QStringLiteral("HHHH"), f, cell, 900);
    const QRect ink = inkBounds(s.image(), s.image().rect());
    // Turned a quarter counterclockwise the text runs upwards and its cell lies to the right of the point.
    EXPECT_GE(ink.left(), x - 1);
    EXPECT_LE(ink.right(), x + cell + 1);
    EXPECT_LE(ink.bottom(), y + 1);
    EXPECT_GT(ink.height(), 2 * ink.width());
}

TEST(ImageSurface, NothingIsDrawnOutsideTheClip) {
    ImageSurface s(60, 60);
    {
        const ClipScope clip(s, Surface::ClipRect{10, 10, 20, 20});
        s.Line(0, 20, 60, 20);
        s.FilledBox(0, 0, 60, 5);
    }
    EXPECT_FALSE(s.Clip().has_value());
    const QRect ink = inkBounds(s.image(), s.image().rect());
    EXPECT_NEAR(ink.left(), 10 * k, 1.0);
    EXPECT_NEAR(ink.right(), 30 * k, 1.5);
    s.Line(0, 50, 60, 50);
    EXPECT_NEAR(inkBounds(s.image(), s.image().rect()).right(), 60 * k, 1.5);
}

TEST(ImageSurface, CirclesArcsAndPies) {
    ImageSurface s(60, 60);
    s.setFillStyle(Surface::FillSolid);
    s.setFillColor(9);
    s.Circle(20, 20, 10);
    EXPECT_EQ(QColor(s.image().pixel(int(20 * k), int(20 * k))), QColor(0, 0, 255));
    const QRect disc = inkBounds(s.image(), QRect(0, 0, int(40 * k), int(40 * k)));
    EXPECT_NEAR(disc.width() / k, 20, 0.6);
    // An arc from 0 to a quarter turn is the upper right quarter (counterclockwise on the surface).
    ImageSurface a(60, 60);
    a.Circle(30, 30, 10, std::nullopt, 0.0f, 1.5707964f);
    const QRect arc = inkBounds(a.image(), a.image().rect());
    EXPECT_NEAR(arc.left() / k, 30, 0.6);
    EXPECT_NEAR(arc.bottom() / k, 30, 0.6);
    EXPECT_NEAR(arc.top() / k, 20, 0.6);
    // Negative angles also draw the radii.
    ImageSurface p(60, 60);
    p.Circle(30, 30, 10, std::nullopt, -0.0001f, -1.5707964f);
    EXPECT_FALSE(inkRunsInRow(p.image(), int(25 * k), int(29 * k), int(31 * k)).empty());
    EXPECT_FALSE(inkRunsInColumn(p.image(), int(35 * k), int(29 * k), int(31 * k)).empty());
}

} // namespace
