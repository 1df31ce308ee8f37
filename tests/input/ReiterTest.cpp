// The input form's tab routines: the water-content method's layout, the completion of the added-water
// grid, the h' grid's rows and fill; the fixed test-type list and the name's typing limit.

#include "EingabeLauf.h"

#include "clsFLX.h"

#include "platform/runtime/VbError.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabWidget>

namespace {

TEST(Methode, SwitchingKeepsTheDepthGaugeReadingsOfTheOtherGrid) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& h = lauf.mitTiefenlehre(form);
    const QStringList trocknen = zellen(*form.msgFLX[0]);
    const QStringList hVorher = spalte(h, 1);

    form.optKENW[1]->setValue(true);
    EXPECT_FALSE(form.optKENW[0]->Value());
    EXPECT_FALSE(form.msgFLX[0]->Enabled());
    EXPECT_TRUE(form.msgFLX[1]->Enabled());
    EXPECT_TRUE(form.fraREITER0[4]->isVisible());
    EXPECT_EQ(h.Rows(), form.msgFLX[1]->Rows());
    // A second reading of the added-water method gets a row in h' too.
    form.SSTab->setCurrentIndex(1);
    form.cmdH_Click(1);
    EXPECT_EQ(h.Rows(), 3);

    form.SSTab->setCurrentIndex(0);
    form.optKENW[0]->setValue(true);
    EXPECT_FALSE(form.optKENW[1]->Value());
    EXPECT_EQ(zellen(*form.msgFLX[0]), trocknen);
    EXPECT_EQ(h.Rows(), 7);
    // The reading inserted before them moved the h' values down by one, those kept aside too.
    EXPECT_EQ(spalte(h, 1).mid(1), hVorher.mid(0, 5));
    EXPECT_EQ(spalte(h, 0), (QStringList{"0", "1", "2", "3", "4", "5"}));
}

struct Ergaenzfall {
    const char* name;
    const char* c1;
    const char* c2;
    const char* c3;
    const char* e1;
    const char* e3;
};

class Wasserzugabe : public ::testing::TestWithParam<Ergaenzfall> {};

TEST_P(Wasserzugabe, RowIsCompletedOnTab1) {
    const Ergaenzfall& f = GetParam();
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.optKENW[1]->setValue(true);
    platform::FlexGrid& g = *form.msgFLX[1];
    g.setTextMatrix(1, 1, QString::fromLatin1(f.c1));
    g.setTextMatrix(1, 2, QString::fromLatin1(f.c2));
    g.setTextMatrix(1, 3, QString::fromLatin1(f.c3));
    form.SSTab->setCurrentIndex(1);
    EXPECT_EQ(g.TextMatrix(1, 1), QString::fromLatin1(f.e1));
    EXPECT_EQ(g.TextMatrix(1, 3), QString::fromLatin1(f.e3));
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Wasserzugabe,
                         ::testing::Values(Ergaenzfall{"Summe", "812,40", "95,35", "", "812,40", "907,75"},
                                           Ergaenzfall{"Differenz", "", "95,35", "907,75", "812,40",
                                                       "907,75"},
                                           Ergaenzfall{"SummeNeu", "812,4", "95,35", "1", "812,4", "907,75"},
                                           Ergaenzfall{"NurEineSpalte", "812,4", "", "", "812,4", ""},
                                           Ergaenzfall{"KeineZahl", "abc", "95,35", "", "abc", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Fuellfall {
    const char* sprache;
    const char* null;
};

class HFuellung : public ::testing::TestWithParam<Fuellfall> {};

TEST_P(HFuellung, EmptyDepthGaugeCellsGetZeroWithTheRunsSign) {
    EingabeLauf lauf(QString::fromLatin1(GetParam().sprache));
    mdiEINGABE& form = lauf.neu();
    form.SSTab->setCurrentIndex(1);
    form.cmdH_Click(0);
    EXPECT_EQ(spalte(*form.msgFLX[2], 1),
              (QStringList{QString::fromLatin1(GetParam().null), QString::fromLatin1(GetParam().null)}));
}

INSTANTIATE_TEST_SUITE_P(Sprachen, HFuellung,
                         ::testing::Values(Fuellfall{"de", "0,00"}, Fuellfall{"en", "0.00"}),
                         [](const auto& info) { return std::string(info.param.sprache); });

TEST(Methode, EmptiedGridComesBackWithOneRowOnTab0) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.SSTab->setCurrentIndex(1);
    form.cmdW_Click(0);
    EXPECT_FALSE(form.msgFLX[0]->Enabled());
    EXPECT_FALSE(form.msgFLX[2]->Enabled());
    form.SSTab->setCurrentIndex(0);
    EXPECT_TRUE(form.msgFLX[0]->Enabled());
    EXPECT_TRUE(form.msgFLX[2]->Enabled());
    EXPECT_EQ(form.msgFLX[0]->Rows(), 2);
    EXPECT_EQ(form.msgFLX[0]->TextMatrix(1, 0), "0");
}

TEST(Versuchsart, IsAFixedList) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    EXPECT_FALSE(form.cboKENV->isEditable());
    EXPECT_THROW(form.cboKENV->setText(QStringLiteral("Proctor")), platform::VbError);
    EXPECT_EQ(form.cboKENV->ListIndex(), 0);
}

TEST(Versuchsart, StoredMinusOneOpensAndSavesAsTheStandardTest) {
    EingabeLauf lauf;
    examples::Record r = examples::dryingSet();
    examples::store(lauf.db(), r, 1);
    lauf.db().Execute(QStringLiteral("UPDATE E2 SET KENV = -1 WHERE ID = 1"));
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_EQ(form.cboKENV->ListIndex(), 0);
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.wert("SELECT KENV FROM E2 WHERE ID = 1"), "0");
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

TEST(Name, TypingStopsAtEightCharactersButAStoredNameShowsWhole) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setFocus();
    for (QChar c : QStringLiteral("Probe B12")) {
        QKeyEvent k(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(form.txtKEN, &k);
    }
    EXPECT_EQ(form.txtKEN->Text(), "Probe B1");
    form.txtKEN->setText(QStringLiteral("Langer Name"));
    EXPECT_EQ(form.txtKEN->Text(), "Langer Name");
    QKeyEvent loeschen(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(form.txtKEN, &loeschen);
    EXPECT_EQ(form.txtKEN->Text(), "Langer Nam");
}

TEST(Bild, BothTabsInBothLanguages) {
    // The pictures go where TAMBRIN_BILDER names, for a look at the layout; without it they are only made.
    const QString ordner = qEnvironmentVariable("TAMBRIN_BILDER");
    for (const char* sprache : {"de", "en"}) {
        EingabeLauf lauf(QString::fromLatin1(sprache));
        mdiEINGABE& form = lauf.neu();
        // The German form with the drying method, the English one with the added water.
        lauf.eintragen(form, QLatin1String(sprache) == QLatin1String("de") ? examples::dryingSet()
                                                                           : examples::addedWaterSet());
        for (int tab = 0; tab < 2; ++tab) {
            form.SSTab->setCurrentIndex(tab);
            QApplication::processEvents();
            const QImage bild = form.grab().toImage();
            EXPECT_FALSE(bild.isNull());
            if (!ordner.isEmpty())
                bild.save(QDir(ordner).filePath(QStringLiteral("eingabe_%1_%2.png").arg(sprache).arg(tab)));
        }
    }
}

} // namespace

namespace {

TEST(Kopf, PointerOverTheHeaderShowsTheColumnsTooltip) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.SSTab->setCurrentIndex(1);
    QApplication::processEvents();
    // 20 mm into the h' grid's header: its second column, 10 mm wide the first.
    QMouseEvent bewegt(QEvent::MouseMove, QPointF(20 * 96 / 25.4, 10), QPointF(), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(form.picFLX[2], &bewegt);
    EXPECT_EQ(form.msgFLX[2]->ToolTipText(), "h' ist das mit der Tiefenlehre gemessene Abstrichmaß");
    form.msgFLX_MouseMove(1, 100, 100);
    EXPECT_EQ(form.msgFLX[1]->ToolTipText(), "Laufende Nummer");
}

} // namespace
