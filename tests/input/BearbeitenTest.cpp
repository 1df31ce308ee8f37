// In-place editing, the value check and its messages, copy, paste, fill and Enter in the last cell.
#include "Gitterform.h"
#include "Tasten.h"
#include "TestRun.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

using platform::Variant;

namespace {

using testsupport::taste;

// Columns: 0 running number, 1 value, 2 date, 3 free text (equal limits), 4 time, 5 choice.
void pruefGitter(Gitterform& f) {
    f.flx.setELSB({10, 17, 20, 17, 15, 20});
    f.flx.setELST1({"Lfd.", "m{t,3}1,w", "Datum", "Bem.", "Zeit", "Art"});
    f.flx.setELSTYP({1, 0, 4, 0, 5, 7});
    f.flx.setELFORMAT({Variant(), "#0.00", Variant(), "#0.0", Variant(), Variant()});
    f.flx.setELMIN({0, 0, 0, 5, 0, Variant()});
    f.flx.setELMAX({100000, 100000, 100000, 5, 100000, Variant()});
    f.flx.setELCBO(5, {"Proctor", "modifiziert"});
    f.grid->setRows(6);
    f.flx.NUMMERIEREN();
}

TEST(Bearbeiten, TypingOpensTheBoxWithTheCharacterAndADoubleClickWithTheCellsText) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    pruefGitter(f);
    f.grid->setTextMatrix(2, 1, QStringLiteral("12,50"));
    f.klick(2, 1);
    // Space and backspace open nothing.
    taste(f.grid, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    taste(f.grid, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_TRUE(f.txt->isHidden());

    f.tippe(QStringLiteral("57"));
    ASSERT_FALSE(f.txt->isHidden());
    EXPECT_EQ(f.txt->text(), QStringLiteral("57"));
    EXPECT_TRUE(f.txt->alignment() & Qt::AlignRight);
    EXPECT_EQ(f.flx.EZNR(), 2);
    EXPECT_EQ(f.flx.ESNR(), 1);
    // Laid exactly over the cell.
    const QPoint zelle =
        f.grid->viewport()->mapTo(f.fenster, f.mitte(2, 1, 0.0) - QPoint(0, f.grid->rowHeight(2) / 2));
    EXPECT_EQ(f.txt->geometry(), QRect(zelle, QSize(f.grid->columnWidth(1), f.grid->rowHeight(2))));
    f.enterImEditor();
    EXPECT_TRUE(f.txt->isHidden());
    EXPECT_EQ(f.grid->TextMatrix(2, 1), QStringLiteral("57,00"));

    f.doppelklick(2, 1);
    ASSERT_FALSE(f.txt->isHidden());
    EXPECT_EQ(f.txt->text(), QStringLiteral("57,00"));
    EXPECT_EQ(f.txt->selectedText(), QStringLiteral("57,00"));
    // An open editor is not moved or reopened by another key on the grid.
    f.flx.BEARBEITEN('9');
    EXPECT_EQ(f.txt->text(), QStringLiteral("57,00"));
    // A text cell opens left-aligned.
    f.txt->clear();
    f.enterImEditor();
    f.grid->setTextMatrix(3, 3, QStringLiteral("abc"));
    f.klick(3, 3);
    f.tippe(QStringLiteral("x"));
    EXPECT_TRUE(f.txt->alignment() & Qt::AlignLeft);
}

TEST(Bearbeiten, AChoiceCellOpensTheComboBoxWithItsList) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    pruefGitter(f);
    f.grid->setTextMatrix(1, 5, QStringLiteral("Proctor"));
    f.klick(1, 5);
    f.tippe(QStringLiteral("X"));
    EXPECT_TRUE(f.txt->isHidden());
    ASSERT_FALSE(f.cbo->isHidden());
    EXPECT_EQ(f.cbo->Text(), QStringLiteral("ProctorX"));
    EXPECT_EQ(f.cbo->ListCount(), 2);
    EXPECT_EQ(f.cbo->List(1), QStringLiteral("modifiziert"));
    EXPECT_TRUE(f.flx.EINFUEGEN(13));
    EXPECT_TRUE(f.cbo->isHidden());
    EXPECT_EQ(f.grid->TextMatrix(1, 5), QStringLiteral("ProctorX"));
}

TEST(Wertpruefen, TheChecksByColumnTypeAndTheirMessages) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    const QString bereich =
        QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100000");
    const QString keineZahl = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!");
    const QString keinDatum = QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!");
    struct Fall {
        const char* name;
        int spalte;
        QString eingabe;
        QString meldung; // "" = accepted
        QString titel;
        QString zelle; // the cell afterwards
    };
    const std::vector<Fall> faelle{
        {"a fraction in an index column", 0, "2,5", "Eingegeber Wert ist keine ganze Zahl!",
         "MSFlexGrid / Indexspalte Lfd.", "0"},
        {"a whole number in an index column", 0, "7", "", "", "7"},
        {"below the range", 1, "-1", bereich, "MSFlexGrid / Spalte m1,w", "alt"},
        {"above the range", 1, "100000,5", bereich, "MSFlexGrid / Spalte m1,w", "alt"},
        {"the upper limit itself", 1, "100000", "", "", "100000,00"},
        {"blanks around a number: the cell gets it formatted", 1, " 12,5 ", "", "", "12,50"},
        {"no number", 1, "abc", keineZahl, "MSFlexGrid / Spalte m1,w", "alt"},
        {"a point where the run has a comma", 1, "12.5", keineZahl, "MSFlexGrid / Spalte m1,w", "alt"},
        {"empty clears the cell", 1, "", "", "", ""},
        {"a date", 2, "01.02.2003", "", "", "01.02.2003"},
        {"a time in the date column", 2, "10:30", "", "", "10:30"},
        {"a number in the date column gets the date message", 2, "12", keinDatum,
         "MSFlexGrid / Datumsspalte Datum", "alt"},
        {"a time", 4, "23:15", "", "", "23:15"},
        {"no time", 4, "spät", keinDatum, "MSFlexGrid / Uhrzeitspalte Zeit", "alt"},
        {"equal limits take any text, formatted", 3, "abc", "", "", "abc"},
        {"equal limits: a number is formatted", 3, "7", "", "", "7,0"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        run.dialogs().clear();
        Gitterform f(6, 2);
        pruefGitter(f);
        if (fall.spalte > 0) f.grid->setTextMatrix(1, fall.spalte, QStringLiteral("alt"));
        f.grid->setRow(1);
        f.grid->setCol(fall.spalte);
        f.flx.BEARBEITEN(0);
        f.txt->setText(fall.eingabe);
        f.enterImEditor();
        if (fall.meldung.isEmpty()) {
            EXPECT_TRUE(run.dialogs().asked().empty());
            EXPECT_TRUE(f.txt->isHidden());
        } else {
            ASSERT_EQ(run.dialogs().asked().size(), 1u);
            const auto& box = run.dialogs().asked()[0];
            EXPECT_EQ(box.prompt, fall.meldung);
            EXPECT_EQ(box.title, fall.titel);
            EXPECT_EQ(box.style, platform::Msg::OKOnly | platform::Msg::Exclamation);
            // The editor stays open with the text as typed; a second Enter checks again.
            EXPECT_FALSE(f.txt->isHidden());
            EXPECT_EQ(f.txt->text(), fall.eingabe);
            EXPECT_FALSE(f.flx.EINFUEGEN(0));
            EXPECT_EQ(run.dialogs().asked().size(), 2u);
        }
        EXPECT_EQ(f.grid->TextMatrix(1, fall.spalte), fall.zelle);
    }
}

TEST(Bearbeiten, EnterInTheLastCellAppendsARowToBothCoupledGrids) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform masse(6, 2), hoehe(3, 2);
    alsMassenGitter(masse, 3);
    hoehe.flx.setELSB({10, 17, 17});
    hoehe.flx.setELSTYP({1, 0, 0});
    hoehe.flx.setELINDEXMIN(Variant(std::int16_t(1)));
    hoehe.grid->setRows(4);
    hoehe.flx.NUMMERIEREN();
    masse.flx.setEFLXK(&hoehe.flx);

    // Anywhere but the last cell, Enter does nothing.
    masse.grid->setRow(3);
    masse.grid->setCol(4);
    taste(masse.grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(masse.grid->Rows(), 4);

    masse.grid->setCol(5);
    taste(masse.grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(masse.grid->Rows(), 5);
    EXPECT_EQ(masse.grid->Row(), 4);
    EXPECT_EQ(masse.grid->Col(), 1);
    EXPECT_EQ(masse.grid->LeftCol(), 1);
    EXPECT_EQ(masse.spalte(0), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(hoehe.grid->Rows(), 5);
    EXPECT_EQ(hoehe.grid->Row(), 4);
    EXPECT_EQ(hoehe.spalte(0), (QStringList{"1", "2", "3", "4"}));

    masse.flx.setEBOH(false);
    masse.grid->setCol(5);
    taste(masse.grid, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(masse.grid->Rows(), 5);
}

TEST(Fuellen, ADragFromACellsRightEdgeFillsDownwardOnly) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 8);
    f.grid->setTextMatrix(2, 1, QStringLiteral("20"));
    f.ziehe(2, 1, 0.95, 6, 1);
    EXPECT_EQ(f.spalte(1), (QStringList{"", "20", "20", "20", "20", "20", "", ""}));
    EXPECT_EQ(f.grid->MousePointer(), 0);

    // Upward, nothing.
    f.grid->setTextMatrix(8, 2, QStringLiteral("30"));
    f.ziehe(8, 2, 0.95, 4, 2);
    EXPECT_EQ(f.spalte(2), (QStringList{"", "", "", "", "", "", "", "30"}));
    // A press in the middle of a cell selects, it does not fill.
    f.ziehe(2, 1, 0.5, 3, 3);
    EXPECT_EQ(f.grid->TextMatrix(3, 3), QString());
    EXPECT_EQ(f.grid->RowSel(), 3);
    EXPECT_EQ(f.grid->ColSel(), 3);
    // Rectangular blocks to the right and down.
    f.ziehe(2, 1, 0.95, 3, 3);
    EXPECT_EQ(f.grid->TextMatrix(3, 3), QStringLiteral("20"));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Zwischenablage, CopyAndPasteRoundTripAsASpreadsheetWritesIt) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 8);
    f.fuellen({"\t1,00\t2,00", "\t3,00\t4,00", "\t5,00\t6,00"});
    f.grid->setRow(1);
    f.grid->setCol(1);
    f.grid->setRowSel(3);
    f.grid->setColSel(2);
    f.flx.BEARBEITEN(-1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("1,00\t2,00\r\n3,00\t4,00\r\n5,00\t6,00\r\n"));

    // Back into another block of the same size, as copied and as other programs write it.
    const std::vector<std::pair<const char*, QString>> texte{
        {"as copied", QGuiApplication::clipboard()->text()},
        {"LF", "1,00\t2,00\n3,00\t4,00\n5,00\t6,00\n"},
        {"CR", "1,00\t2,00\r3,00\t4,00\r5,00\t6,00"},
        {"CR LF without the last break", "1,00\t2,00\r\n3,00\t4,00\r\n5,00\t6,00"},
    };
    for (const auto& [name, text] : texte) {
        SCOPED_TRACE(name);
        for (int r = 4; r <= 8; ++r)
            for (int c = 3; c <= 4; ++c)
                f.grid->setTextMatrix(r, c, QStringLiteral("x"));
        QGuiApplication::clipboard()->setText(text);
        f.grid->setRow(5);
        f.grid->setCol(3);
        f.grid->setRowSel(7);
        f.grid->setColSel(4);
        f.flx.EINFUEGEN(-1);
        EXPECT_EQ(f.spalte(3).mid(3), (QStringList{"x", "1,00", "3,00", "5,00", "x"}));
        EXPECT_EQ(f.spalte(4).mid(3), (QStringList{"x", "2,00", "4,00", "6,00", "x"}));
    }
    EXPECT_TRUE(run.dialogs().asked().empty());

    // Into one selected cell the whole block goes, down from it.
    QGuiApplication::clipboard()->setText(QStringLiteral("7\r\n8\r\n9\r\n"));
    f.grid->setRow(1);
    f.grid->setCol(5);
    f.flx.EINFUEGEN(-1);
    EXPECT_EQ(f.spalte(5).mid(0, 4), (QStringList{"7,0", "8,0", "9,0", ""}));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Zwischenablage, RowsBeyondTheGridsEndAreNamedInOneMessage) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 5);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n3\t4\r\n5\t6\r\n7\t8\r\n"));
    f.grid->setRow(4);
    f.grid->setCol(1);
    f.grid->setRowSel(5);
    f.grid->setColSel(2);
    f.flx.EINFUEGEN(-1);
    EXPECT_EQ(f.spalte(1), (QStringList{"", "", "", "1,00", "3,00"}));
    EXPECT_EQ(f.spalte(2), (QStringList{"", "", "", "2,00", "4,00"}));
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(
        run.dialogs().asked()[0].prompt,
        QStringLiteral("2 Zeilen der Zwischenablage wurden nicht eingefügt: die Tabelle hat ab der gewählten "
                       "Zeile nur 2 Zeilen."));
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Einfügen"));
}

TEST(Zwischenablage, CtrlCOnTheGridCopiesNothingByItself) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(3, 2);
    f.grid->setTextMatrix(1, 1, QStringLiteral("geheim"));
    f.grid->setRow(1);
    f.grid->setCol(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    QKeyEvent e(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QApplication::sendEvent(f.grid, &e);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("vorher"));
    EXPECT_TRUE(f.txt->isHidden());
}

} // namespace

namespace {

TEST(Wertpruefen, AnEnglishRunReadsAndWritesItsDecimalPoint) {
    testsupport::TestRun::Options o;
    o.workingCopy = false;
    o.language = QStringLiteral("en");
    o.decimalSign = QStringLiteral(".");
    testsupport::TestRun run(o);
    struct Fall {
        QString eingabe;
        QString zelle;
        int boxen;
    };
    for (const Fall& fall :
         {Fall{"12.5", "12.50", 0}, Fall{"12,5", "alt", 1}, Fall{"100000", "100000.00", 0}}) {
        SCOPED_TRACE(fall.eingabe.toStdString());
        run.dialogs().clear();
        Gitterform f(6, 2);
        alsMassenGitter(f, 3);
        f.grid->setTextMatrix(1, 1, QStringLiteral("alt"));
        f.grid->setRow(1);
        f.grid->setCol(1);
        f.flx.BEARBEITEN(0);
        f.txt->setText(fall.eingabe);
        f.enterImEditor();
        EXPECT_EQ(f.grid->TextMatrix(1, 1), fall.zelle);
        ASSERT_EQ(int(run.dialogs().asked().size()), fall.boxen);
        // The messages stay German in an English run.
        if (fall.boxen) {
            EXPECT_EQ(run.dialogs().asked()[0].prompt,
                      QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"));
        }
    }
}

} // namespace
