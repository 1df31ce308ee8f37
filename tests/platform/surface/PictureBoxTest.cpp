#include "PdfPages.h"

#include "platform/runtime/VbError.h"
#include "platform/surface/PictureBox.h"

#include <gtest/gtest.h>
#include <QScrollBar>

using namespace platform;

namespace {

TEST(PictureBox, ShowsThePictureDrawnOnItsSurfaceAtItsPlaceInMillimetres) {
    QWidget page;
    page.resize(1200, 800);
    PictureBox box(&page);
    box.setGeometryMm(15, 30, 135, 130);
    EXPECT_EQ(box.geometry(), QRect(57, 113, 510, 491));
    // The place is kept as given (the pixels round it), until the box is moved otherwise.
    EXPECT_EQ(box.leftMm(), 15.0f);
    EXPECT_EQ(box.topMm(), 30.0f);
    box.move(60, 113);
    EXPECT_NEAR(box.leftMm(), 60 * 25.4 / 96, 1e-4);
    box.setGeometryMm(15, 30, 135, 130);
    box.surface().Line(10, 10, 100, 100);
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, box.picture());
    EXPECT_FALSE(surfacetest::inkBounds(shown, shown.rect()).isEmpty());
}

TEST(PictureBox, ItsScrollBarsArePlacedInMillimetres) {
    PictureBox box;
    box.setGeometryMm(0, 0, 135, 130);
    ScrollBar& bar = box.horizontalScrollBar();
    EXPECT_FALSE(bar.Visible());
    bar.setTop(125);
    bar.setLeft(0);
    bar.setWidth(130);
    bar.setHeight(5);
    bar.setMin(0);
    bar.setMax(10000);
    bar.setLargeChange(5000);
    bar.setValue(2500);
    bar.setVisible(true);
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(box.horizontalScrollBarWidget()->geometry(), QRect(0, 472, 491, 19));
    EXPECT_EQ(box.horizontalScrollBarWidget()->pageStep(), 5000);
    EXPECT_EQ(bar.Value(), 2500);
    EXPECT_THROW(bar.setSmallChange(0), VbError);
}

} // namespace
