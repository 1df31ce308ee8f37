// The input form's grids as a spreadsheet: Tab stays in its grid, a computed column is not typed over, and
// the h' values kept aside on a method switch stay with their readings.

#include "EingabeLauf.h"
#include "Tasten.h"

#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTabWidget>

namespace {

using testsupport::taste;
using testsupport::tippen;

// The drying grid of a new record "Probe B" on the readings tab, with the focus on cell (1, spalte).
platform::FlexGrid& trocknungsgitter(mdiEINGABE& form, int spalte) {
    form.txtKEN->setText(QStringLiteral("Probe B"));
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setFocus();
    g.setRow(1);
    g.setCol(spalte);
    return g;
}

TEST(FormTab, ValuesTypedWithTabStayInTheirGrid) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& g = trocknungsgitter(form, 1);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), &g);
    for (const char* wert : {"2783", "256,2", "240"}) {
        tippen(QString::fromLatin1(wert));
        ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[0]);
        taste(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        ASSERT_EQ(QApplication::focusWidget(), &g);
    }
    EXPECT_EQ(zellen(g).first(), "0\t2783,00\t256,20\t240,00\t");
    EXPECT_EQ(g.Col(), 4);
    EXPECT_EQ(form.msgFLX[2]->TextMatrix(1, 1), "0,00");
    // Tab on the grid itself moves on too; the form's other controls do not get the focus.
    taste(&g, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(QApplication::focusWidget(), &g);
    taste(&g, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(g.Col(), 4);
    EXPECT_EQ(QApplication::focusWidget(), &g);
    EXPECT_TRUE(lauf.dialogs().asked().empty());
}

// Two readings of the added-water grid typed from a sheet with Tab between the values, first into new rows
// and then into two empty rows inserted in the middle: Tab from m1,r goes to the next m1, past the sum, so
// that no value typed is lost.
TEST(FormTab, TheAddedWaterReadingsTypedWithTabKeepEveryValue) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("Probe B"));
    form.optKENW[1]->setValue(true);
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[1];
    const auto tippeZweiAblesungen = [&] {
        g.setFocus();
        g.setRow(1);
        g.setCol(1);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), &g);
        for (const char* wert : {"2783", "1000", "2790", "990"}) {
            tippen(QString::fromLatin1(wert));
            ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[1]) << wert;
            taste(QApplication::focusWidget(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            ASSERT_EQ(QApplication::focusWidget(), &g);
        }
    };
    tippeZweiAblesungen();
    EXPECT_EQ(spalte(g, 1), (QStringList{"2783,00", "2790,00", ""}));
    EXPECT_EQ(spalte(g, 2), (QStringList{"1000,00", "990,00", ""}));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);

    // Two empty readings before the first: now the values go into middle rows.
    for (int k = 0; k < 2; ++k) {
        g.setRow(1);
        form.cmdH_Click(1);
    }
    ASSERT_EQ(g.Rows(), 6);
    tippeZweiAblesungen();
    EXPECT_EQ(spalte(g, 1), (QStringList{"2783,00", "2790,00", "2783,00", "2790,00", ""}));
    EXPECT_EQ(spalte(g, 2), (QStringList{"1000,00", "990,00", "1000,00", "990,00", ""}));
    EXPECT_EQ(spalte(g, 3).mid(0, 2), (QStringList{"3783,00", "3780,00"}));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_TRUE(lauf.dialogs().asked().empty());
}

TEST(FormEsc, ClosesTheCellEditorAndKeepsTheCell) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& g = trocknungsgitter(form, 2);
    g.setTextMatrix(1, 2, QStringLiteral("256,20"));
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), &g);
    tippen(QStringLiteral("9"));
    ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[0]);
    taste(form.txtFLX[0], Qt::Key_Escape);
    EXPECT_TRUE(form.txtFLX[0]->isHidden());
    EXPECT_EQ(g.TextMatrix(1, 2), QStringLiteral("256,20"));
    EXPECT_EQ(QApplication::focusWidget(), &g);
}

TEST(FormBerechnet, TheSumOfTheAddedWaterGridOpensNoEditor) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.optKENW[1]->setValue(true);
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[1];
    lauf.zelleTippen(form, 1, 1, 1, QStringLiteral("7000"));
    lauf.zelleTippen(form, 1, 1, 2, QStringLiteral("584"));
    EXPECT_EQ(g.TextMatrix(1, 3), QStringLiteral("7584,00"));
    g.setRow(1);
    g.setCol(3);
    form.msgFLX_KeyPress(1, '5');
    EXPECT_TRUE(form.txtFLX[1]->isHidden());
    form.msgFLX_DblClick(1);
    EXPECT_TRUE(form.txtFLX[1]->isHidden());
    EXPECT_EQ(g.TextMatrix(1, 3), QStringLiteral("7584,00"));
}

TEST(HBeiseite, ARemovedReadingTakesItsKeptValueWithIt) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& h = lauf.mitTiefenlehre(form);
    platform::FlexGrid& m = *form.msgFLX[0];
    ASSERT_EQ(m.Rows(), 7);
    // Away to the added-water method and back: the six readings have their h' again.
    form.optKENW[1]->setValue(true);
    form.optKENW[0]->setValue(true);
    ASSERT_EQ(spalte(h, 1), (QStringList{"0,41", "0,42", "0,43", "0,44", "0,45", "0,46"}));

    // Readings 1 to 5 removed, then five new ones come in as an import brings them.
    form.SSTab->setCurrentIndex(1);
    for (int k = 0; k < 5; ++k) {
        m.setRow(2);
        form.cmdW_Click(0);
    }
    ASSERT_EQ(m.Rows(), 2);
    ASSERT_EQ(spalte(h, 1), QStringList{"0,41"});
    m.setRows(7);
    form.REITERFORMATIEREN(1);
    form.REITERAKTUALISIEREN(1);
    EXPECT_EQ(spalte(h, 1), (QStringList{"0,41", "0,00", "0,00", "0,00", "0,00", "0,00"}));
}

TEST(HBeiseite, AReadingAppendedToTheOtherMethodMovesNoKeptValue) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& h = lauf.mitTiefenlehre(form);
    form.optKENW[1]->setValue(true);
    form.SSTab->setCurrentIndex(1);
    // Enter in the last cell of the added-water grid appends its second reading, in h' too.
    platform::FlexGrid& w = *form.msgFLX[1];
    w.setRow(w.Rows() - 1);
    w.setCol(w.Cols() - 1);
    form.msgFLX_KeyPress(1, 13);
    ASSERT_EQ(h.Rows(), 3);
    form.SSTab->setCurrentIndex(0);
    form.optKENW[0]->setValue(true);
    EXPECT_EQ(spalte(h, 1).mid(2), (QStringList{"0,43", "0,44", "0,45", "0,46"}));
}

TEST(FormEinfuegen, ABlockPastedAtOneCellBecomesReadingsAndIsSaved) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& g = trocknungsgitter(form, 1);
    QString block;
    for (int r = 0; r < 6; ++r)
        block += QStringLiteral("%1\t%2\t240\t40\r\n").arg(2700 + r).arg(250 + r);
    QApplication::clipboard()->setText(block);
    taste(&g, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_TRUE(lauf.dialogs().asked().empty());
    EXPECT_EQ(g.Rows(), 7);
    EXPECT_EQ(form.msgFLX[2]->Rows(), 7);
    EXPECT_EQ(zellen(g).last(), "5\t2705,00\t255,00\t240,00\t40,00");
    ASSERT_TRUE(form.EINGABEPRUEFEN());
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), 6);
    EXPECT_EQ(lauf.wert("SELECT M1W FROM E3 WHERE ID = 1 AND I1 = 5"), "255");
    // The new readings' h' are filled as for a reading inserted with the button.
    EXPECT_EQ(lauf.wert("SELECT HS FROM E3 WHERE ID = 1 AND I1 = 5"), "0");
}

// h' values pasted beyond the readings: the h' grid takes one for each reading, and the one message names
// the rows of the block left out. Its rows are the readings': Tab and Enter in its last cell add none.
TEST(FormEinfuegen, HValuesBeyondTheReadingsAreNamedNotDroppedUnsaid) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& g = trocknungsgitter(form, 1);
    lauf.zelleTippen(form, 0, 1, 1, QStringLiteral("2783"));
    platform::FlexGrid& h = *form.msgFLX[2];
    h.setFocus();
    h.setRow(1);
    h.setCol(1);
    QApplication::clipboard()->setText(QStringLiteral("0,41\r\n0,42\r\n0,43\r\n0,44\r\n0,45\r\n"));
    taste(&h, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(
        lauf.dialogs().messages(),
        QStringList{"4 Zeilen der Zwischenablage wurden nicht eingefügt: die Tabelle hat ab der gewählten "
                    "Zeile nur 1 Zeile."});
    EXPECT_EQ(h.Rows(), 2);
    EXPECT_EQ(spalte(h, 1), QStringList{"0,41"});
    EXPECT_EQ(g.Rows(), 2);
    for (const int key : {Qt::Key_Tab, Qt::Key_Return}) {
        h.setRow(1);
        h.setCol(1);
        taste(&h, key, Qt::NoModifier, key == Qt::Key_Tab ? QStringLiteral("\t") : QStringLiteral("\r"));
        EXPECT_EQ(h.Rows(), 2);
        EXPECT_EQ(g.Rows(), 2);
    }
}

} // namespace
