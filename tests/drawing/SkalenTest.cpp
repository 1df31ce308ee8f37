// The scale routine with its stored settings: chains of fitting calls, the write-back, the scale ratio,
// the scroll bars and the axes it draws.
#include "DrawingFixture.h"

#include "platform/surface/ImageSurface.h"
#include "platform/surface/ScrollBar.h"

#include <gtest/gtest.h>

using drawingtest::DrawingRun;
using drawingtest::list;
using platform::RecordingSurface;

namespace {

// Both axes with the lists of the examples: bounds 0..10 in steps of 2, spans 2..10.
void exampleLists(clsGRAFIK& g, bool automatic) {
    g.setELXMIN(list({0, 2, 4, 6, 8, 10}));
    g.setELXDIFF(list({2, 4, 6, 8, 10}));
    g.setELXIT(list({2, 4, 6, 8, 10}));
    g.setELXGIT(list({1, 1, 1, 1, 1}));
    g.setELXZL(list({1, 2, 3, 4, 5}));
    g.setELYMIN(g.ELXMIN());
    g.setELYDIFF(g.ELXDIFF());
    g.setELYIT(g.ELXIT());
    g.setELYGIT(g.ELXGIT());
    g.setELYZL(g.ELXZL());
    g.setEBOXMIN(automatic);
    g.setEBOXMAX(automatic);
    g.setEBOYMIN(automatic);
    g.setEBOYMAX(automatic);
}

std::vector<platform::RecordingSurface::Call> lines(const RecordingSurface& s) {
    return s.calls("Line");
}

TEST(Skalen, OneSeriesFittedDrawnAndWrittenBack) {
    DrawingRun d;
    d.g0(12, 12, 9, 12);
    exampleLists(*d.grafik, true);
    const std::vector<float> x{3.1f, 7.4f, 5.0f}, y{0.5f, 9.5f, 4.0f};
    d.grafik->SKALEN(-1, &x, &y);
    EXPECT_FLOAT_EQ(d.grafik->modell().XMIN, 2);
    EXPECT_FLOAT_EQ(d.grafik->modell().XMAX, 8);
    EXPECT_EQ(d.grafik->modell().XIT, 6);
    EXPECT_EQ(d.grafik->modell().XZL, 3);
    EXPECT_EQ(d.g0Value("XMIN").asSingle(), 2.0f);
    EXPECT_EQ(d.g0Value("XMAX").asSingle(), 8.0f);
    EXPECT_EQ(d.g0Value("YMIN").asSingle(), 0.0f);
    EXPECT_EQ(d.g0Value("YMAX").asSingle(), 10.0f);
    // The scale fills the frame and is stored.
    EXPECT_FLOAT_EQ(d.grafik->modell().MX, 6.0f / 111);
    EXPECT_FLOAT_EQ(d.g0Value("MX").asSingle(), 6.0f / 111);
    EXPECT_FLOAT_EQ(d.g0Value("MY").asSingle(), 10.0f / 109);
    EXPECT_FALSE(lines(d.surface).empty());
    EXPECT_TRUE(d.run.dialogs().asked().empty());
}

TEST(Skalen, AChainOfCallsWidensThroughTheStoredBounds) {
    DrawingRun d;
    d.g0(12, 12, 9, 12);
    exampleLists(*d.grafik, true);
    const std::vector<float> first{3.1f, 7.4f}, second{1.5f, 6.0f};
    d.grafik->SKALEN(1, &first, &first);
    EXPECT_EQ(d.g0Value("XMIN").asSingle(), 2.0f);
    EXPECT_EQ(d.g0Value("XMAX").asSingle(), 8.0f);
    EXPECT_TRUE(d.surface.calls().empty());
    // NR 2 widens but never draws and never touches the scale.
    const std::vector<float> wider{0.5f, 7.0f};
    d.grafik->SKALEN(2, &wider, &wider);
    EXPECT_EQ(d.g0Value("XMIN").asSingle(), 0.0f);
    EXPECT_EQ(d.g0Value("MX").asSingle(), 0.0f);
    EXPECT_TRUE(d.surface.calls().empty());
    d.run.state().cnnX->Execute(QStringLiteral("UPDATE G0 SET XMIN=2"));
    d.grafik->SKALEN(3, &second, &second);
    EXPECT_FLOAT_EQ(d.grafik->modell().XMIN, 0);
    EXPECT_FLOAT_EQ(d.grafik->modell().XMAX, 8);
    EXPECT_FALSE(d.surface.calls().empty());
}

TEST(Skalen, BoundsWithoutFlagsComeFromStorageAndAreNotWritten) {
    DrawingRun d;
    d.g0(12, 12, 9, 12, 2, 7, 0, 10);
    exampleLists(*d.grafik, false);
    d.grafik->SKALEN(0);
    // The upper bound is re-derived from the span in the model only.
    EXPECT_FLOAT_EQ(d.grafik->modell().XMAX, 8);
    EXPECT_EQ(d.g0Value("XMAX").asSingle(), 7.0f);
}

TEST(Skalen, EqualLengthsLetTheYSpanFollowTheXSpanBeforeItIsSnapped) {
    DrawingRun d;
    d.g0(12, 12, 9, 12, 0, 30, 1.6f, 2.2f);
    auto& g = *d.grafik;
    g.setELXMIN(list({0, 10, 20, 30}));
    g.setELXDIFF(list({10, 20, 30}));
    g.setELXIT(list({1, 1, 3}));
    g.setELXGIT(list({1, 1, 1}));
    g.setELYMIN(list({0, 1.6}));
    // 1.6 + 30 x 109 / 111 = 31.06: a span of 29.46 takes the admissible 29.5.
    g.setELYDIFF(list({29, 29.4, 29.5, 30}));
    g.setELYIT(list({1, 1, 1, 1}));
    g.setELYGIT(list({1, 1, 1, 1}));
    g.setEXYIT(1);
    g.SKALEN(0);
    EXPECT_FLOAT_EQ(g.modell().YMIN, 1.6f);
    EXPECT_FLOAT_EQ(g.modell().YMAX, 1.6f + 29.5f);
}

TEST(Skalen, StoredScalesAreUsedAndNotWrittenBack) {
    DrawingRun d;
    d.g0(12, 12, 9, 12, 0, 10, 0, 10, 0.5f, 0.25f, 3);
    exampleLists(*d.grafik, false);
    d.grafik->SKALEN(0);
    EXPECT_FLOAT_EQ(d.grafik->modell().MX, 0.5f);
    EXPECT_FLOAT_EQ(d.grafik->modell().MY, 0.25f);
    EXPECT_EQ(d.g0Value("MY").asSingle(), 0.25f);
}

TEST(Skalen, AMissingRowReadsAsZerosAndTheFirstWriteCreatesIt) {
    DrawingRun d;
    exampleLists(*d.grafik, true);
    const std::vector<float> x{3.1f, 7.4f};
    d.grafik->SKALEN(1, &x, &x);
    EXPECT_EQ(d.grafik->modell().OX, 0);
    EXPECT_EQ(d.grafik->modell().RL, 0);
    EXPECT_EQ(d.g0Value("XMAX").asSingle(), 8.0f);
}

TEST(Skalen, AFailedReadOfTheSettingsEndsTheCall) {
    // Without the table the first read fails: the cursor says so once, and nothing is fitted or drawn.
    DrawingRun d;
    d.run.state().cnnX->Execute(QStringLiteral("DROP TABLE G0"));
    exampleLists(*d.grafik, true);
    const std::vector<float> x{3.1f, 7.4f};
    d.grafik->SKALEN(-1, &x, &x);
    ASSERT_EQ(d.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(d.run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_FLOAT_EQ(d.grafik->modell().XMAX, 0);
    EXPECT_TRUE(d.surface.calls().empty());

    // Without the scale ratio's column the bounds are written back, but nothing is drawn.
    DrawingRun e;
    e.g0(12, 12, 9, 12);
    e.run.state().cnnX->Execute(QStringLiteral("ALTER TABLE G0 RENAME COLUMN MYMX TO MYMX2"));
    exampleLists(*e.grafik, true);
    e.grafik->SKALEN(-1, &x, &x);
    EXPECT_EQ(e.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(e.g0Value("XMAX").asSingle(), 8.0f);
    EXPECT_EQ(e.g0Value("MX").asSingle(), 0.0f);
    EXPECT_TRUE(e.surface.calls().empty());
}

// The ratio of the scales pushes the y axis far beyond the plot frame; nothing may leave the picture.
TEST(Skalen, AnImposedScaleRatioDrawsNothingOutsideThePicture) {
    DrawingRun d;
    // x 0..30 over 111 mm; y 1.6..2.2 with MY = MX x 0.005 needs 444 mm.
    d.g0(12, 12, 9, 12, 0, 30, 1.6f, 2.2f, 0, 0, 0.005f);
    auto& g = *d.grafik;
    g.setELXMIN(list({0, 30}));
    g.setELXDIFF(list({30}));
    g.setELXIT(list({6}));
    g.setELXGIT(list({6}));
    g.setELYMIN(list({1.6}));
    g.setELYDIFF(list({0.6}));
    g.setELYIT(list({6}));
    g.setELYGIT(list({6}));
    g.SKALEN(0);
    EXPECT_FLOAT_EQ(g.modell().MY, g.modell().MX * 0.005f);
    float xa = 0, ya = 0, xb = 0, yb = 0;
    g.KOORDTRANS(0, 1.6f, xa, ya);
    g.KOORDTRANS(30, 2.2f, xb, yb);
    EXPECT_GT(ya - yb, 400); // the y axis is as long as the ratio requires
    for (const auto& c : d.surface.calls()) {
        ASSERT_TRUE(c.clip.has_value()) << c.name.toStdString();
        EXPECT_EQ(*c.clip, (platform::Surface::ClipRect{0, 0, 135, 130}));
    }
    EXPECT_TRUE(d.surface.Clip() == std::nullopt);

    // On a page: the diagram area lies inside a larger sheet and the sheet outside it stays white.
    testsupport::TestRun& run = d.run;
    (void)run;
    platform::ImageSurface sheet(200, 200);
    clsGRAFIK onSheet;
    onSheet.setEOBJEKT(&sheet);
    onSheet.setEXDL(40);
    onSheet.setEYDO(30);
    onSheet.setELX(135);
    onSheet.setELY(130);
    onSheet.setELXMIN(g.ELXMIN());
    onSheet.setELXDIFF(g.ELXDIFF());
    onSheet.setELXIT(g.ELXIT());
    onSheet.setELXGIT(g.ELXGIT());
    onSheet.setELYMIN(g.ELYMIN());
    onSheet.setELYDIFF(g.ELYDIFF());
    onSheet.setELYIT(g.ELYIT());
    onSheet.setELYGIT(g.ELYGIT());
    d.run.state().cnnX->Execute(QStringLiteral("UPDATE G0 SET MX=0, MY=0"));
    onSheet.SKALEN(0);
    const double k = sheet.pixelsPerMmX();
    const QImage& image = sheet.image();
    int outside = 0, inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(image.pixel(x, y)) == 255 && qGreen(image.pixel(x, y)) == 255) continue;
            const bool in = x >= 40 * k - 1 && x <= 175 * k + 1 && y >= 30 * k - 1 && y <= 160 * k + 1;
            ++(in ? inside : outside);
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST(Skalen, ScrollBarsOfAPictureThatNeedsMoreRoom) {
    DrawingRun d;
    // Available: 1.01 x 135 - 24 = 112.35 mm. The x range 0..100 at a stored scale needing twice that.
    const float available = 1.01f * 135 - 24;
    d.g0(12, 12, 9, 12, 0, 100, 0, 100, 100 / (2 * available), 1);
    auto& g = *d.grafik;
    g.setELXMIN(list({0, 100}));
    g.setELXDIFF(list({100}));
    g.setELYMIN(list({0, 100}));
    g.setELYDIFF(list({100}));
    platform::StoredScrollBar xbar, ybar;
    xbar.setVisible(false);
    ybar.setVisible(true);
    g.setEXBALKEN(&xbar);
    g.setEYBALKEN(&ybar);
    g.SKALEN(0);
    EXPECT_TRUE(xbar.Visible());
    EXPECT_EQ(xbar.LargeChange(), 5000);
    EXPECT_EQ(xbar.SmallChange(), 100);
    EXPECT_EQ(xbar.Max(), 10000);
    EXPECT_FLOAT_EQ(xbar.Top(), 125);
    EXPECT_FLOAT_EQ(xbar.Width(), 130);
    EXPECT_FLOAT_EQ(xbar.Height(), 5);
    // The y range needs 100 mm of 1.01 x 130 - 21: the bar is hidden at 0.
    EXPECT_FALSE(ybar.Visible());
    EXPECT_EQ(ybar.Value(), 0);
    // While a bar is shown nothing is drawn.
    EXPECT_TRUE(d.surface.calls().empty());

    // Scrolled half way: the diagram moves left by half of what does not fit (and the margins).
    xbar.setValue(5000);
    g.SKALEN(0);
    const float needed = 100 / (100 / (2 * available));
    EXPECT_NEAR(g.modell().XVERSATZ, 0.5 * (available - needed - 24), 1e-3);
}

TEST(Skalen, ThePrinterShowsThePositionTheScreenIsScrolledTo) {
    RecordingSurface::Options printer;
    printer.printer = true;
    printer.width = 297;
    printer.height = 210;
    DrawingRun d(printer);
    d.g0(12, 12, 9, 12, 0, 100, 0, 100, 0.5f, 1);
    auto& g = *d.grafik;
    g.setELX(154);
    g.setELY(151);
    g.setELXMIN(list({0, 100}));
    g.setELXDIFF(list({100}));
    g.setELYMIN(list({0, 100}));
    g.setELYDIFF(list({100}));
    platform::StoredScrollBar xbar;
    xbar.setVisible(false);
    xbar.setValue(2500);
    g.setEXBALKEN(&xbar);
    g.SKALEN(0);
    EXPECT_FALSE(xbar.Visible());
    EXPECT_EQ(xbar.Value(), 2500);
    EXPECT_NEAR(g.modell().XVERSATZ, 0.25 * (154 - 200 - 24), 1e-4);
    EXPECT_FALSE(d.surface.calls().empty());
}

} // namespace
