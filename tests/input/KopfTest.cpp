// The header: fonts and row heights, the captions drawn with the markup, tooltips.
#include "Gitterform.h"
#include "TestRun.h"

#include "Golden.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>

using platform::Variant;

namespace {

TEST(Schrift, DefaultsAndTheCaptionRowForOneOrTwoLines) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 3);
    f.flx.setELSB({10, 17, 17, 17});
    f.flx.SCHRIFTEINSTELLUNGEN();
    EXPECT_EQ(f.grid->font().pointSize(), 11);
    EXPECT_FALSE(f.grid->font().bold());
    EXPECT_EQ(f.grid->ForeColor(), 0);
    const int zeile = f.grid->CellHeight();
    EXPECT_EQ(f.grid->RowHeight(0), zeile);
    f.flx.setELST2(clsFLX::Liste{"", "[g]", "[g]", "[g]"});
    f.flx.SCHRIFTEINSTELLUNGEN(QString(), 10, -1, 0, -1, 255);
    EXPECT_EQ(f.grid->font().pointSize(), 10);
    EXPECT_TRUE(f.grid->font().bold());
    EXPECT_TRUE(f.grid->font().italic());
    EXPECT_EQ(f.grid->ForeColor(), 255);
    EXPECT_EQ(f.grid->RowHeight(0), 2 * f.grid->CellHeight());
    // The editors take the grid's font.
    EXPECT_EQ(f.txt->font(), f.grid->font());
    EXPECT_EQ(f.cbo->font(), f.grid->font());
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Tooltip, TheTipOfTheColumnUnderThePointer) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(3, 3);
    f.flx.setELSB({10, 20, 10});
    f.flx.setELSTTT({"eins", "zwei", "drei"});
    struct Fall {
        float x;
        QString tip;
    };
    for (const Fall& fall : {Fall{100, "eins"}, Fall{566, "eins"}, Fall{567, "zwei"}, Fall{2267, "drei"},
                             Fall{2268, ""}, Fall{50000, ""}}) {
        SCOPED_TRACE(fall.x);
        f.flx.TOOLTIP(fall.x, 0);
        EXPECT_EQ(f.grid->ToolTipText(), fall.tip);
        EXPECT_EQ(f.pic->toolTip(), fall.tip);
    }
    // Over the header picture: the picture's own mouse moves, in millimetres.
    QMouseEvent ueber(QEvent::MouseMove, QPointF(40, 3), f.pic->mapToGlobal(QPointF(40, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.pic, &ueber);
    EXPECT_EQ(f.pic->toolTip(), QStringLiteral("zwei"));
}

// The header of a readings grid with two caption lines: subscripts, a degree sign, a Greek letter.
//
//     TAMBRIN_UPDATE_GOLDEN=1 build/bin/input_grid_tests --gtest_filter='Kopf.*'
TEST(Kopf, TheCaptionsLookAsStored) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 3);
    alsMassenGitter(f, 4);
    f.flx.setELST2(clsFLX::Liste{"[-]", "[g]", "[g]", "[g]", "{g,1}r{t,1}d", "[{c,176}C]"});
    f.pic->surface().setFont(f.flx.EPIC()->surface().Font());
    platform::SurfaceFont eigene;
    eigene.Name = QStringLiteral("Arial");
    eigene.Size = 10;
    f.pic->surface().setFont(eigene);
    f.pic->surface().setBackColor(0xE0E0E0);
    f.flx.SCHRIFTEINSTELLUNGEN(QString(), 10);
    f.flx.BESCHRIFTEN();
    EXPECT_TRUE(run.dialogs().asked().empty());
    // As wide as the columns (the grid is wider), as high as the caption row.
    const float breite = float(10 + 5 * 17);
    EXPECT_NEAR(f.pic->surface().ScaleWidth(), breite, 0.05);
    EXPECT_NEAR(f.pic->surface().ScaleHeight() * 56.7f, float(f.grid->RowHeight(0)), 1.0);

    testsupport::wieGespeichert(f.pic->picture(), QStringLiteral(TAMBRIN_SOURCE_DIR "/tests/input/kopf.png"),
                                testsupport::Ablage::Voll);
}

TEST(Kopf, ACaptionIsCentredOnItsTextWithoutTheGroups) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    // The leftmost inked column of the caption of a 17 mm column.
    auto linkerRand = [](const QString& titel) {
        Gitterform f(1, 3);
        f.flx.setELSB({17});
        f.flx.setELST1({titel});
        platform::SurfaceFont eigene;
        eigene.Size = 10;
        f.pic->surface().setFont(eigene);
        f.flx.SCHRIFTEINSTELLUNGEN(QString(), 10);
        f.flx.BESCHRIFTEN();
        const QImage bild = f.pic->picture();
        for (int x = 0; x < bild.width(); ++x)
            for (int y = 0; y < bild.height(); ++y)
                if (qGray(bild.pixel(x, y)) < 128) return x;
        return -1;
    };
    // The group itself counts nothing, its three characters count: both start at the same place.
    const int mitGruppe = linkerRand(QStringLiteral("m{t,3}1,w")), ohne = linkerRand(QStringLiteral("m1,w"));
    ASSERT_GT(ohne, 0);
    EXPECT_NEAR(mitGruppe, ohne, 1);
    EXPECT_LT(linkerRand(QStringLiteral("m1,wwww")), ohne - 3);
}

TEST(Kopf, ColumnsScrolledAwayGetNoCaptionAndAWideGridLeavesRoomForItsScrollBar) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(12, 3);
    clsFLX::Liste breiten(12, Variant(30));
    f.flx.setELSB(breiten);
    f.flx.setELSTYP({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    f.flx.SCHRIFTEINSTELLUNGEN(QString(), 10);
    f.flx.BESCHRIFTEN();
    const float gitter = float(f.grid->Width());
    // Wider than the grid: the grid's width less 1 mm, as no vertical scroll bar shows.
    EXPECT_NEAR(f.pic->surface().ScaleWidth(), (gitter - 56.7f) / 56.7f, 0.05);
    f.grid->setRows(40);
    f.flx.BESCHRIFTEN();
    EXPECT_NEAR(f.pic->surface().ScaleWidth(), (gitter - 311.85f) / 56.7f, 0.05);
    // Scrolled two columns to the right: the header starts with the fixed column, then column 3.
    f.grid->setLeftCol(3);
    EXPECT_FALSE(f.grid->ColIsVisible(1));
    EXPECT_TRUE(f.grid->ColIsVisible(3));
    EXPECT_GE(f.scrollEvents, 1);
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Kopf, AGroupWithoutACommaEndsTheCaptionWithOneBox) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    run.dialogs().answerAllMessages(platform::Msg::OK);
    Gitterform f(2, 3);
    f.flx.setELSB({17, 17});
    f.flx.setELST1({"m{t3}1", "w"});
    f.flx.BESCHRIFTEN();
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Text"));
}

} // namespace
