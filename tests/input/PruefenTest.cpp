// The input form's checks, its keys and the save from the keyboard.

#include "EingabeLauf.h"
#include "Tasten.h"

#include "clsFLX.h"

#include "platform/runtime/Convert.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

using testsupport::taste;
using testsupport::tippen;

// --- The check of a box that is left ---

struct Prueffall {
    const char* name;
    const char* sprache;
    const char* box; // object name
    const char* text;
    const char* meldung; // "" when the value is accepted
    const char* titel = ""; // a leave by a tab switch names none
};

class BoxVerlassen : public ::testing::TestWithParam<Prueffall> {};

TEST_P(BoxVerlassen, RefusesWithOneMessage) {
    const Prueffall& f = GetParam();
    EingabeLauf lauf(QString::fromLatin1(f.sprache));
    mdiEINGABE& form = lauf.neu();
    const QString name = QString::fromLatin1(f.box);
    bool abgelehnt = false;
    if (name == QLatin1String("cboDPR")) {
        form.cboDPR->setText(QString::fromUtf8(f.text));
        abgelehnt = form.cboDPR_Validate();
        EXPECT_EQ(form.cboDPR->Text(), QString::fromUtf8(f.text));
    } else if (name == QLatin1String("txtKEN")) {
        form.txtKEN->setText(QString::fromUtf8(f.text));
        abgelehnt = form.txtKEN_Validate();
    } else {
        auto* box = form.findChild<platform::TextBox*>(name);
        ASSERT_NE(box, nullptr);
        box->setText(QString::fromUtf8(f.text));
        abgelehnt = form.txtZAHL_Validate(*box);
        // The box keeps what was typed, blanks included.
        EXPECT_EQ(box->Text(), QString::fromUtf8(f.text));
    }
    const QString meldung = QString::fromUtf8(f.meldung);
    EXPECT_EQ(abgelehnt, !meldung.isEmpty());
    if (meldung.isEmpty()) {
        EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
        return;
    }
    ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_EQ(lauf.dialogs().asked()[0].prompt, meldung);
    EXPECT_EQ(lauf.dialogs().asked()[0].title, QString::fromUtf8(f.titel));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, BoxVerlassen,
    ::testing::Values(
        Prueffall{"KommaMitBlanks", "de", "txtDC", " 12,5 ", "", ""},
        Prueffall{"Buchstaben", "de", "txtDC", "abc", "Eingegeber Wert ist kein gültiges Zahlenformat!",
                  "DC"},
        Prueffall{"Obergrenze", "de", "txtMC", "100000", "", ""},
        Prueffall{"Negativ", "de", "txtMC", "-1",
                  "Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100000", "MC"},
        Prueffall{"UeberGrenzeEnglisch", "en", "txtUE", "100000.5",
                  "Numeric value out of preset limits:\nMinimum: 0, Maximum: 100000", "UE"},
        Prueffall{"KommaImEnglischen", "en", "txtWUE", "1,5", "Type of value is not numeric!", "WUE"},
        Prueffall{"Leer", "de", "txtH2S", "", "", ""},
        Prueffall{"TausenderPunkt", "de", "txtMSG", "3.000",
                  "Eingegeber Wert ist kein gültiges Zahlenformat!", "MSG"},
        Prueffall{"GradUeber100", "de", "cboDPR", "101",
                  "Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100", "DPR"},
        Prueffall{"GradGetippt", "de", "cboDPR", "93", "", ""},
        Prueffall{"GradKeineZahl", "en", "cboDPR", "high", "Type of value is not numeric!", "DPR"},
        Prueffall{"NameLeer", "de", "txtKEN", "   ", "Datensatzkennzeichnung fehlt!", "Datenfehler"},
        Prueffall{"NameLeerEnglisch", "en", "txtKEN", "", "File name is missing!", "Data error"},
        Prueffall{"NameMitBlanks", "de", "txtKEN", " B 1 ", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxVerlassen, FocusStaysInARefusedDegree) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    // The name box has the focus first; it is left only with a name.
    form.txtKEN->setFocus();
    QApplication::processEvents();
    form.cboDPR->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(lauf.dialogs().messages(), QStringList{"Datensatzkennzeichnung fehlt!"});
    EXPECT_TRUE(form.txtKEN->hasFocus());
    form.txtKEN->setText(QStringLiteral("B1"));
    lauf.dialogs().clear();
    form.cboDPR->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form.cboDPR->hasFocus());
    form.cboDPR->setText(QStringLiteral("150"));
    form.txtKEN->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(lauf.dialogs().messages(),
              QStringList{"Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100"});
    EXPECT_TRUE(form.cboDPR->hasFocus());

    form.cboDPR->setText(QStringLiteral("98"));
    form.txtKEN->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(form.txtKEN->hasFocus());
    EXPECT_EQ(lauf.dialogs().asked().size(), 1u);
}

// Lets the form handle what a click left for later, as many rounds as a user's patience gives.
void ereignisseAbarbeiten() {
    for (int runde = 0; runde < 50; ++runde)
        QApplication::processEvents();
}

// Two boxes with values beyond the limits, as another program writes them into the database: a click from
// one into the other costs one message about the box left, and the focus stays there; the box the focus
// went to is not checked on its way back.
TEST(BoxVerlassen, AClickBetweenTwoRefusedBoxesGivesOneMessage) {
    for (const char* sprache : {"de", "en"}) {
        SCOPED_TRACE(sprache);
        EingabeLauf lauf(QString::fromLatin1(sprache));
        examples::store(lauf.db(), examples::dryingSet(), 1);
        lauf.db().Execute(QStringLiteral("UPDATE E2 SET MC = 200000, H2S = 200000 WHERE ID = 1"));
        mdiEINGABE& form = lauf.neu();
        form.OEFFNEN(1);
        ASSERT_EQ(form.txtMC->Text(), "200000");
        ASSERT_EQ(form.txtH2S->Text(), "200000");
        form.txtMC->setFocus();
        ereignisseAbarbeiten();
        ASSERT_TRUE(form.txtMC->hasFocus());
        const QString grenzen = QStringLiteral("\nMinimum: 0, Maximum: 100000");
        const QString meldung = (QLatin1String(sprache) == QLatin1String("en")
                                     ? QStringLiteral("Numeric value out of preset limits:")
                                     : QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:")) +
                                grenzen;

        testsupport::klicken(form.txtH2S);
        ereignisseAbarbeiten();
        ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
        EXPECT_EQ(lauf.dialogs().asked()[0].prompt, meldung);
        EXPECT_EQ(lauf.dialogs().asked()[0].title, "MC");
        EXPECT_TRUE(form.txtMC->hasFocus());
        // A second click is a second action: its one message.
        testsupport::klicken(form.txtH2S);
        ereignisseAbarbeiten();
        EXPECT_EQ(lauf.dialogs().asked().size(), 2u);
        EXPECT_TRUE(form.txtMC->hasFocus());

        // The first mended, the click takes the focus into the second; leaving it costs one message about it.
        lauf.dialogs().clear();
        form.txtMC->setText(QStringLiteral("1130"));
        testsupport::klicken(form.txtH2S);
        ereignisseAbarbeiten();
        EXPECT_TRUE(lauf.dialogs().asked().empty());
        EXPECT_TRUE(form.txtH2S->hasFocus());
        testsupport::klicken(form.txtMC);
        ereignisseAbarbeiten();
        ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
        EXPECT_EQ(lauf.dialogs().asked()[0].prompt, meldung);
        EXPECT_EQ(lauf.dialogs().asked()[0].title, "H2S");
        EXPECT_TRUE(form.txtH2S->hasFocus());
        EXPECT_EQ(form.txtH2S->Text(), "200000");
        EXPECT_EQ(form.txtMC->Text(), "1130");
    }
}

// The click that a check refuses does nothing where it was aimed: a control's own reaction to it would be a
// second message for one action, or a change the user did not get to see.
TEST(BoxVerlassen, ARefusedClickReachesNothingElse) {
    {
        SCOPED_TRACE("an option of the method, leaving a number beyond the limits");
        EingabeLauf lauf;
        mdiEINGABE& form = lauf.neu();
        form.txtKEN->setText(QStringLiteral("B1"));
        form.txtMC->setText(QStringLiteral("200000"));
        form.txtMC->setFocus();
        ereignisseAbarbeiten();
        ASSERT_TRUE(form.optKENW[0]->Value());
        testsupport::klicken(form.optKENW[1]);
        ereignisseAbarbeiten();
        EXPECT_EQ(lauf.dialogs().messages(),
                  QStringList{"Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100000"});
        EXPECT_TRUE(form.optKENW[0]->Value());
        EXPECT_FALSE(form.optKENW[1]->Value());
        EXPECT_TRUE(form.txtMC->hasFocus());
    }
    {
        SCOPED_TRACE("the grid whose editor holds a refused value, leaving an empty name");
        EingabeLauf lauf;
        mdiEINGABE& form = lauf.neu();
        form.txtKEN->setText(QStringLiteral("B1"));
        form.SSTab->setCurrentIndex(1);
        platform::FlexGrid& g = *form.msgFLX[0];
        g.setFocus();
        g.setRow(1);
        g.setCol(1);
        form.msgFLX_KeyPress(0, 'x');
        ereignisseAbarbeiten();
        ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[0]);
        testsupport::klicken(form.txtKEN);
        ereignisseAbarbeiten();
        form.txtKEN->setText(QString());
        testsupport::klicken(g.viewport());
        ereignisseAbarbeiten();
        EXPECT_EQ(lauf.dialogs().messages(), QStringList{"Datensatzkennzeichnung fehlt!"});
        EXPECT_TRUE(form.txtKEN->hasFocus());
        EXPECT_FALSE(form.txtFLX[0]->isHidden());
        EXPECT_EQ(form.txtFLX[0]->text(), "x");
        // The next click on the grid, with a name, is the grid's again: its editor's check.
        form.txtKEN->setText(QStringLiteral("B1"));
        testsupport::klicken(g.viewport());
        ereignisseAbarbeiten();
        EXPECT_EQ(lauf.dialogs().messages().size(), 2);
        EXPECT_EQ(lauf.dialogs().messages().value(1), "Eingegeber Wert ist kein gültiges Zahlenformat!");
    }
}

// --- The check before a save ---

TEST(VorDemSpeichern, RefusedBoxIsShownWithOneMessage) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("B1"));
    form.txtHC->setText(QStringLiteral("12 cm"));
    form.txtMZ->setText(QStringLiteral("x"));
    form.SSTab->setCurrentIndex(1);
    EXPECT_FALSE(form.EINGABEPRUEFEN());
    EXPECT_EQ(lauf.dialogs().messages(), QStringList{"Eingegeber Wert ist kein gültiges Zahlenformat!"});
    EXPECT_EQ(lauf.dialogs().asked()[0].title, "HC");
    EXPECT_EQ(form.SSTab->currentIndex(), 0);
    // Showing the tab for the message puts no default over the refused value.
    EXPECT_EQ(form.txtHC->Text(), "12 cm");
}

TEST(VorDemSpeichern, PastedCellThatIsNoNumber) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::dryingSet());
    form.msgFLX[0]->setTextMatrix(3, 2, QStringLiteral("25O,2"));
    EXPECT_FALSE(form.EINGABEPRUEFEN());
    ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_EQ(lauf.dialogs().asked()[0].title, "M1W");
    EXPECT_EQ(form.SSTab->currentIndex(), 1);
    EXPECT_EQ(form.msgFLX[0]->Row(), 3);
    EXPECT_EQ(form.msgFLX[0]->Col(), 2);
}

TEST(VorDemSpeichern, NegativeDepthGaugeReadingIsAllowed) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::dryingSet());
    form.msgFLX[2]->setTextMatrix(2, 1, QStringLiteral("-0,35"));
    EXPECT_TRUE(form.EINGABEPRUEFEN());
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

// --- Ctrl+S with a value still in a grid's editor ---

TEST(StrgS, SaveClosesTheEditorThroughItsCheck) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::dryingSet());
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setRow(2);
    g.setCol(1);
    form.msgFLX_KeyPress(0, '3');
    form.txtFLX[0]->insert(QStringLiteral("100"));
    ASSERT_TRUE(form.txtFLX[0]->isVisible());

    taste(form.txtFLX[0], Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_EQ(lauf.haupt().panel8, 1);
    EXPECT_TRUE(lauf.haupt().gespeichert) << lauf.dialogs().messages().join(" | ").toStdString();
    EXPECT_FALSE(form.txtFLX[0]->isVisible());
    EXPECT_EQ(lauf.wert("SELECT M1 FROM E3 WHERE ID = 1 AND I1 = 1"), "3100");
}

TEST(StrgS, RefusedValueStopsTheSave) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::dryingSet());
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setRow(2);
    g.setCol(1);
    form.msgFLX_KeyPress(0, '-');
    form.txtFLX[0]->insert(QStringLiteral("5"));

    taste(form.txtFLX[0], Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_EQ(lauf.haupt().panel8, 1);
    EXPECT_FALSE(lauf.haupt().gespeichert);
    ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_TRUE(
        lauf.dialogs().asked()[0].prompt.startsWith("Zahlenwert außerhalb der vorgegeben Schranken:"));
    EXPECT_TRUE(form.txtFLX[0]->isVisible());
    EXPECT_EQ(form.txtFLX[0]->Text(), "-5");
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E1"), 0);

    // OK on its own is no way round the check.
    EXPECT_FALSE(form.OK(1));
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E1"), 0);
}

// --- Keys ---

struct Kommafall {
    const char* sprache;
    const char* erwartet;
};

class KommaTaste : public ::testing::TestWithParam<Kommafall> {};

TEST_P(KommaTaste, TypesTheRunsDecimalSign) {
    EingabeLauf lauf(QString::fromLatin1(GetParam().sprache));
    mdiEINGABE& form = lauf.neu();
    const QString erwartet = QString::fromLatin1(GetParam().erwartet);
    form.txtDC->setText(QStringLiteral("12"));
    form.txtDC->end(false);
    taste(form.txtDC, Qt::Key_Comma, Qt::KeypadModifier, QStringLiteral(","));
    EXPECT_EQ(form.txtDC->Text(), "12" + erwartet);
    taste(form.txtDC, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(form.txtDC->Text(), "12" + erwartet + erwartet);

    // In the grid: the key opens the editor with the decimal sign.
    form.SSTab->setCurrentIndex(1);
    form.msgFLX[2]->setRow(1);
    form.msgFLX[2]->setCol(1);
    taste(form.msgFLX[2], Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_TRUE(form.txtFLX[2]->isVisible());
    EXPECT_EQ(form.txtFLX[2]->Text(), erwartet);
    taste(form.txtFLX[2], Qt::Key_Comma, Qt::KeypadModifier, QStringLiteral(","));
    EXPECT_EQ(form.txtFLX[2]->Text(), erwartet + erwartet);
}

INSTANTIATE_TEST_SUITE_P(Sprachen, KommaTaste, ::testing::Values(Kommafall{"de", ","}, Kommafall{"en", "."}),
                         [](const auto& info) { return std::string(info.param.sprache); });

TEST(Tasten, AltQQuitsAndCtrlCCopiesOnlyFromAGrid) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    taste(form.txtKOM, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(lauf.haupt().beenden, 1);

    lauf.eintragen(form, examples::dryingSet());
    QApplication::clipboard()->setText(QStringLiteral("vorher"));
    form.txtKOM->setText(QStringLiteral("Kommentar"));
    form.txtKOM->selectAll();
    taste(form.txtKOM, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    EXPECT_EQ(QApplication::clipboard()->text(), "Kommentar");

    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setRow(1);
    g.setCol(1);
    g.setRowSel(2);
    g.setColSel(2);
    taste(&g, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    const QStringList zeilen =
        QApplication::clipboard()->text().split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    EXPECT_EQ(zeilen, (QStringList{g.TextMatrix(1, 1) + "\t" + g.TextMatrix(1, 2),
                                   g.TextMatrix(2, 1) + "\t" + g.TextMatrix(2, 2)}));
}

TEST(Tasten, BlockPastedFromASpreadsheet) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("Probe B"));
    form.SSTab->setCurrentIndex(1);
    // Room for three readings, then the block into the selected cells.
    for (int k = 0; k < 2; ++k)
        form.cmdH_Click(0);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setRow(1);
    g.setCol(1);
    g.setRowSel(3);
    g.setColSel(4);
    QApplication::clipboard()->setText(
        QStringLiteral("2783\t256,2\t240\t40\r3057\t259,8\t240\t40\r3224\t264\t240\t40"));
    taste(&g, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(g.TextMatrix(3, 2), "264,00");
    EXPECT_EQ(form.msgFLX[2]->Rows(), 4);
    ASSERT_TRUE(form.EINGABEPRUEFEN());
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), 3);
    EXPECT_EQ(lauf.wert("SELECT M1W FROM E3 WHERE ID = 1 AND I1 = 1"), "259,8");
}

} // namespace

namespace {

// A new record named from the keyboard, then the drying grid on the readings tab with the focus on the
// first value cell.
platform::FlexGrid& zumErstenWert(mdiEINGABE& form) {
    form.txtKEN->setFocus();
    tippen(QStringLiteral("Probe B"));
    form.SSTab->setCurrentIndex(1);
    platform::FlexGrid& g = *form.msgFLX[0];
    g.setFocus();
    g.setRow(1);
    g.setCol(1);
    QApplication::processEvents();
    return g;
}

TEST(Tastatur, ReadingsTypedIntoTheGridFromTheKeyboard) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    platform::FlexGrid& g = zumErstenWert(form);
    // Each value: its keys open the editor over the cell, Enter writes it; the arrow moves on.
    for (const char* wert : {"2783", "256,2", "240", "40"}) {
        tippen(QString::fromLatin1(wert));
        ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[0]);
        taste(form.txtFLX[0], Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), &g);
        taste(&g, Qt::Key_Right);
    }
    // Enter in the last cell gives the next reading its row, in h' too.
    taste(&g, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(form.msgFLX[2]->Rows(), 3);
    EXPECT_EQ(zellen(g).first(), "0\t2783,00\t256,20\t240,00\t40,00");
    EXPECT_EQ(form.msgFLX[2]->TextMatrix(1, 1), "0,00");

    taste(&g, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_TRUE(lauf.haupt().gespeichert) << lauf.dialogs().messages().join(" | ").toStdString();
    // The row Enter appended holds nothing: it is no reading and is not saved.
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), 1);
    EXPECT_EQ(lauf.wert("SELECT M1W FROM E3 WHERE ID = 1 AND I1 = 0"), "256,2");
}

} // namespace

namespace {

// Set B of the published readings typed into a new record as a laboratory types it from its sheet, without
// looking at the screen: Tab between the values, and at each row's end Tab or one Enter. Each reading gets
// its own row, and the row left for a seventh is neither saved nor counted.
TEST(Tastatur, SetBTypedWithTabOrOneEnterAtEachRowsEnd) {
    for (const bool enter : {false, true}) {
        SCOPED_TRACE(enter ? "one Enter at each row's end" : "Tab only");
        EingabeLauf lauf;
        mdiEINGABE& form = lauf.neu();
        platform::FlexGrid& g = zumErstenWert(form);
        const examples::Record satz = examples::dryingSet();
        for (const examples::Reading& x : satz.readings) {
            const float werte[] = {x.M1, x.M1W, x.M2W, x.MCW};
            for (int k = 0; k < 4; ++k) {
                tippen(platform::SingleText(werte[k], lauf.d()));
                ASSERT_EQ(QApplication::focusWidget(), form.txtFLX[0]);
                if (k == 3 && enter)
                    taste(form.txtFLX[0], Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                else
                    taste(form.txtFLX[0], Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
                ASSERT_EQ(QApplication::focusWidget(), &g);
            }
        }
        EXPECT_EQ(g.Rows(), 8);
        EXPECT_EQ(form.msgFLX[2]->Rows(), 8);
        EXPECT_EQ(g.Row(), 7);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(zellen(g).first(), "0\t2783,00\t256,20\t240,00\t40,00");

        taste(&g, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
        EXPECT_TRUE(lauf.haupt().gespeichert) << lauf.dialogs().messages().join(" | ").toStdString();
        EXPECT_TRUE(lauf.dialogs().asked().empty());
        ASSERT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), 6);
        for (int i = 0; i < 6; ++i) {
            const examples::Reading& x = satz.readings[std::size_t(i)];
            const QString wo = QStringLiteral(" FROM E3 WHERE ID = 1 AND I1 = %1").arg(i);
            EXPECT_EQ(lauf.wert("SELECT M1" + wo), platform::SingleText(x.M1, lauf.d()));
            EXPECT_EQ(lauf.wert("SELECT M1W" + wo), platform::SingleText(x.M1W, lauf.d()));
            EXPECT_EQ(lauf.wert("SELECT M2W" + wo), platform::SingleText(x.M2W, lauf.d()));
            EXPECT_EQ(lauf.wert("SELECT MCW" + wo), platform::SingleText(x.MCW, lauf.d()));
        }
    }
}

TEST(VorDemSpeichern, OneMessageAlsoWhenTheFocusLeavesAnotherRefusedBox) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("B1"));
    form.txtMC->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(form.txtMC->hasFocus());
    form.txtMC->setText(QStringLiteral("x"));
    form.txtHC->setText(QStringLiteral("y"));
    EXPECT_FALSE(form.EINGABEPRUEFEN());
    QApplication::processEvents();
    ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_EQ(lauf.dialogs().asked()[0].title, "HC");
    EXPECT_TRUE(form.txtHC->hasFocus());
}

} // namespace

namespace {

// A leave by a tab switch: the cases of a leave by the focus.
using Reiterfall = Prueffall;

class ReiterWechsel : public ::testing::TestWithParam<Reiterfall> {};

// Showing the other tab leaves the box with the focus: a refused value gives its one message, the tab stays
// where the box is, the focus in it and the typed text kept; neither the defaults nor a save replace it.
TEST_P(ReiterWechsel, LeavesTheBoxThroughItsCheck) {
    const Reiterfall& f = GetParam();
    EingabeLauf lauf(QString::fromLatin1(f.sprache));
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("B1"));
    auto* box = form.findChild<QWidget*>(QString::fromLatin1(f.box));
    ASSERT_NE(box, nullptr);
    box->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(box->hasFocus());
    const QString text = QString::fromUtf8(f.text);
    if (box == form.cboDPR)
        form.cboDPR->setText(text);
    else
        static_cast<platform::TextBox*>(box)->setText(text);
    auto inhalt = [&] {
        return box == form.cboDPR ? form.cboDPR->Text() : static_cast<platform::TextBox*>(box)->Text();
    };

    form.SSTab->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(lauf.dialogs().messages(), QStringList{QString::fromUtf8(f.meldung)});
    EXPECT_EQ(form.SSTab->currentIndex(), 0);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(inhalt(), text);

    // Back and forth through the tab bar's keys: the same check, the text still as typed.
    lauf.dialogs().clear();
    taste(form.SSTab->tabBar(), Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_EQ(form.SSTab->currentIndex(), 0);
    EXPECT_EQ(inhalt(), text);

    // Corrected, the box is left and the tab changes without a message.
    lauf.dialogs().clear();
    if (box == form.cboDPR)
        form.cboDPR->setText(QStringLiteral("95"));
    else
        static_cast<platform::TextBox*>(box)->setText(QStringLiteral("11"));
    form.SSTab->setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(form.SSTab->currentIndex(), 1);
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, ReiterWechsel,
    ::testing::Values(Reiterfall{"PunktImDeutschen", "de", "txtHC", "11.3",
                                 "Eingegeber Wert ist kein gültiges Zahlenformat!"},
                      Reiterfall{"Buchstaben", "de", "txtHC", "abc",
                                 "Eingegeber Wert ist kein gültiges Zahlenformat!"},
                      Reiterfall{"Englisch", "en", "txtRHSU", "-2",
                                 "Numeric value out of preset limits:\nMinimum: 0, Maximum: 100000"},
                      Reiterfall{"Grad", "de", "cboDPR", "101",
                                 "Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A refused value in a box of the frame the drying method hides is shown with its frame, focus in the box.
TEST(VorDemSpeichern, RefusedBoxOfAHiddenFrameIsShown) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    form.txtKEN->setText(QStringLiteral("B1"));
    form.optKENW[1]->setValue(true);
    form.optKENW_Click(1);
    form.txtMZ->setText(QStringLiteral("-5"));
    form.optKENW[0]->setValue(true);
    form.optKENW_Click(0);
    form.SSTab->setCurrentIndex(1);
    ASSERT_FALSE(form.fraREITER0[4]->isVisible());
    EXPECT_FALSE(form.EINGABEPRUEFEN());
    QApplication::processEvents();
    ASSERT_EQ(lauf.dialogs().asked().size(), 1u);
    EXPECT_EQ(lauf.dialogs().asked()[0].title, "MZ");
    EXPECT_EQ(form.SSTab->currentIndex(), 0);
    EXPECT_TRUE(form.fraREITER0[4]->isVisible());
    EXPECT_TRUE(form.txtMZ->hasFocus());
    EXPECT_EQ(form.txtMZ->Text(), "-5");
}

} // namespace

namespace {

struct Leerzeilenfall {
    const char* name;
    bool trocknen;
    int leer;       // the reading (0-based) that is emptied, -1 for none
    int angehaengt; // empty rows appended after the last reading
    const char* sprache;
    const char* meldung; // "" when the save goes through
};

class Leerzeilen : public ::testing::TestWithParam<Leerzeilenfall> {};

// Empty rows after the last reading are neither saved nor counted, also when tab 1 has given their h' a 0;
// an empty row between readings stops the save with a message that names it.
TEST_P(Leerzeilen, TrailingRowsAreNoReadingsAndAGapIsNamed) {
    const Leerzeilenfall& f = GetParam();
    EingabeLauf lauf(QString::fromLatin1(f.sprache));
    const examples::Record satz = f.trocknen ? examples::dryingSet() : examples::addedWaterSet();
    const int n = int(satz.readings.size());
    examples::store(lauf.db(), satz, 1);
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    const int i = f.trocknen ? 0 : 1;
    platform::FlexGrid& g = *form.msgFLX[i];
    form.SSTab->setCurrentIndex(1);
    // Rows appended after the last reading (Enter does it one at a time); tab 1 gives h' as many.
    g.setRows(g.Rows() + f.angehaengt);
    if (f.leer >= 0) {
        for (int c = 1; c < g.Cols(); ++c)
            g.setTextMatrix(g.FixedRows() + f.leer, c, QString());
        form.msgFLX[2]->setTextMatrix(g.FixedRows() + f.leer, 1, QString());
    }
    // Tab 1 again: the h' of the empty rows becomes 0.
    form.SSTab->setCurrentIndex(0);
    form.SSTab->setCurrentIndex(1);
    const int zeilen = g.Rows();
    ASSERT_EQ(zeilen, g.FixedRows() + n + f.angehaengt);
    ASSERT_EQ(form.msgFLX[2]->Rows(), zeilen);

    const QString meldung = QString::fromUtf8(f.meldung);
    const bool gespeichert = form.EINGABEPRUEFEN() && form.OK(1);
    EXPECT_EQ(gespeichert, meldung.isEmpty());
    EXPECT_EQ(lauf.dialogs().messages(), meldung.isEmpty() ? QStringList{} : QStringList{meldung});
    // Nothing typed is lost from the form, the empty rows included.
    EXPECT_EQ(g.Rows(), zeilen);
    if (!meldung.isEmpty()) {
        EXPECT_EQ(form.SSTab->currentIndex(), 1);
        EXPECT_EQ(g.Row(), g.FixedRows() + f.leer);
        return;
    }
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), n);
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1 AND HS IS NOT NULL AND M1 IS NOT NULL"), n);
    EXPECT_EQ(lauf.anzahl("SELECT MAX(I1) FROM E3 WHERE ID = 1"), n - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Leerzeilen,
    ::testing::Values(Leerzeilenfall{"EineAmEnde", true, -1, 1, "de", ""},
                      Leerzeilenfall{"ZweiAmEndeWasserzugabe", false, -1, 2, "de", ""},
                      Leerzeilenfall{
                          "Luecke", true, 2, 0, "de",
                          "Messung Nr. 2 ist leer: bitte ihre Werte eintragen oder die Zeile entfernen."},
                      Leerzeilenfall{"LueckeVorLeererZeileEnglisch", false, 0, 1, "en",
                                     "Reading no. 0 is empty: enter its values or remove the row."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
