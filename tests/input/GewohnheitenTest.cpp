// The grid's spreadsheet habits: a block pasted at one cell, Tab and Esc, computed columns, full-width keys.
#include "Gitterform.h"
#include "Tasten.h"
#include "TestRun.h"

#include "platform/runtime/Color.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>

using platform::Variant;

namespace {

using testsupport::taste;

// A block of numbers as a spreadsheet copies it: ROWS rows of COLS cells, "r,c" in each, CR LF after each
// row.
QString block(int zeilen, int spalten) {
    QString text;
    for (int r = 1; r <= zeilen; ++r) {
        QStringList zellen;
        for (int c = 1; c <= spalten; ++c)
            zellen << QStringLiteral("%1,%2").arg(r).arg(c);
        text += zellen.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    return text;
}

// A mass grid with one reading and the grid coupled to it.
struct Gekoppelt {
    Gitterform masse{6, 2};
    Gitterform hoehe{2, 2};
    Gekoppelt() {
        alsMassenGitter(masse, 1);
        hoehe.flx.setELSB({10, 17});
        hoehe.flx.setELSTYP({1, 0});
        hoehe.flx.setELINDEXMIN(Variant(std::int16_t(1)));
        hoehe.flx.NUMMERIEREN();
        masse.flx.setEFLXK(&hoehe.flx);
    }
};

TEST(EinfuegenAnEinerZelle, TheWholeBlockGoesInAndTheReadingsItNeedsAreAdded) {
    for (const bool gesperrt : {false, true}) {
        SCOPED_TRACE(gesperrt ? "into a disabled grid" : "into an enabled grid");
        testsupport::TestRun run(testsupport::ohneDatenbank());
        Gekoppelt g;
        if (gesperrt) g.masse.flx.ZEILEENTFERNEN();
        ASSERT_EQ(g.masse.grid->Enabled(), !gesperrt);
        QGuiApplication::clipboard()->setText(block(6, 4));
        g.masse.grid->setRow(1);
        g.masse.grid->setCol(2);
        g.masse.flx.EINFUEGEN(-1);
        EXPECT_TRUE(run.dialogs().asked().empty());
        ASSERT_EQ(g.masse.grid->Rows(), 7);
        // Each value in its column's format: two decimals, one in the last column.
        for (int c = 1; c <= 4; ++c) {
            QStringList erwartet;
            for (int r = 1; r <= 6; ++r)
                erwartet << QStringLiteral("%1,%2").arg(r).arg(c) + (c < 4 ? QStringLiteral("0") : QString());
            EXPECT_EQ(g.masse.spalte(1 + c), erwartet);
        }
        EXPECT_EQ(g.masse.spalte(1), QStringList(6, QString()));
        // Both grids take input and number their six readings.
        for (Gitterform* f : {&g.masse, &g.hoehe}) {
            EXPECT_TRUE(f->grid->Enabled());
            EXPECT_EQ(f->grid->BackColor(), platform::SystemColor::WindowBackground);
            EXPECT_EQ(f->spalte(0), (QStringList{"1", "2", "3", "4", "5", "6"}));
        }
    }
}

TEST(EinfuegenAnEinerZelle, RowsReadyBelowAreFilledWithoutNewOnes) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 5);
    QGuiApplication::clipboard()->setText(QStringLiteral("7\r\n8\r\n9\r\n"));
    f.grid->setRow(2);
    f.grid->setCol(5);
    f.flx.EINFUEGEN(-1);
    EXPECT_EQ(f.grid->Rows(), 6);
    EXPECT_EQ(f.spalte(5), (QStringList{"", "7,0", "8,0", "9,0", ""}));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(EinfuegenAnEinerZelle, WhatFallsBeyondTheGridIsNamedInOneMessage) {
    struct Fall {
        const char* name;
        int datenzeilen;
        int zeile, spalte;
        QString text;
        QString meldung;
        int zeilenDanach;
    };
    const QString ende =
        QStringLiteral(" der Zwischenablage, jenseits der letzten Spalte oder der größten Zahl "
                       "von Zeilen der Tabelle.");
    const std::vector<Fall> faelle{
        {"two columns beyond the last", 2, 1, 3, block(2, 5), "Nicht eingefügt: 2 Spalten" + ende, 3},
        {"one column beyond the last", 2, 2, 5, block(1, 2), "Nicht eingefügt: 1 Spalte" + ende, 3},
        {"rows beyond the most a grid holds", 32764, 32763, 1, block(6, 1),
         "Nicht eingefügt: 2 Zeilen" + ende, 32767},
        {"a row and a column", 32764, 32764, 4, block(4, 3), "Nicht eingefügt: 1 Zeile und 1 Spalte" + ende,
         32767},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        testsupport::TestRun run(testsupport::ohneDatenbank());
        Gitterform f(6, 2);
        alsMassenGitter(f, fall.datenzeilen);
        QGuiApplication::clipboard()->setText(fall.text);
        f.grid->setRow(fall.zeile);
        f.grid->setCol(fall.spalte);
        f.flx.EINFUEGEN(-1);
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt, fall.meldung);
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Einfügen"));
        EXPECT_EQ(f.grid->Rows(), fall.zeilenDanach);
        // What fits is written: the block's first cell and its cell in the last row.
        EXPECT_EQ(f.grid->TextMatrix(fall.zeile, fall.spalte),
                  fall.spalte == 5 ? QStringLiteral("1,1") : QStringLiteral("1,10"));
        EXPECT_FALSE(f.grid->TextMatrix(f.grid->Rows() - 1, fall.spalte).isEmpty());
    }
}

// A block with a value its column refuses pastes nothing; the one message says which cell of the clipboard
// it is, in which column, and what it holds.
TEST(EinfuegenAnEinerZelle, ARefusedValuePastesNothingAndItsCellIsNamed) {
    struct Fall {
        const char* name;
        const char* sprache;
        int spalte;
        QString text;
        QString meldung;
        QString titel;
    };
    const QString keineZahl = QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!\n\n");
    const std::vector<Fall> faelle{
        {"a text cell", "de", 1, QStringLiteral("1\t2\r\n3\tvier\r\n5\t6\r\n"),
         keineZahl +
             QStringLiteral("Nichts wurde eingefügt: Zeile 2 der Zwischenablage, Spalte m1,f: „vier“"),
         QStringLiteral("MSFlexGrid / Spalte m1,f")},
        {"a header row copied with the block", "de", 1,
         QStringLiteral("Masse feucht\tMasse Feuchte\r\n2783\t256,2\r\n"),
         keineZahl + QStringLiteral(
                         "Nichts wurde eingefügt: Zeile 1 der Zwischenablage, Spalte m1,w: „Masse feucht“"),
         QStringLiteral("MSFlexGrid / Spalte m1,w")},
        // The grid's messages are German in an English run too: the whole box, the added line with it.
        {"a value out of range, English", "en", 4, QStringLiteral("40\t-3\r\n"),
         QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: 0, Maximum: 100000\n\n"
                        "Nichts wurde eingefügt: Zeile 1 der Zwischenablage, Spalte C: „-3“"),
         QStringLiteral("MSFlexGrid / Spalte C")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        testsupport::TestRun::Options optionen = testsupport::ohneDatenbank();
        optionen.language = QString::fromLatin1(fall.sprache);
        optionen.decimalSign =
            optionen.language == QLatin1String("en") ? QStringLiteral(".") : QStringLiteral(",");
        testsupport::TestRun run(optionen);
        Gekoppelt g;
        QGuiApplication::clipboard()->setText(fall.text);
        g.masse.grid->setRow(1);
        g.masse.grid->setCol(fall.spalte);
        g.masse.flx.EINFUEGEN(-1);
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt, fall.meldung);
        EXPECT_EQ(run.dialogs().asked()[0].title, fall.titel);
        EXPECT_EQ(g.masse.grid->Rows(), 2);
        EXPECT_EQ(g.hoehe.grid->Rows(), 2);
        EXPECT_EQ(g.masse.spalte(fall.spalte), QStringList{""});
    }
}

// A pasted value gets its column's format, as a typed one does.
TEST(EinfuegenAnEinerZelle, APastedValueLooksLikeATypedOne) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.klick(2, 1);
    f.tippe(QStringLiteral("2783"));
    f.enterImEditor();
    QGuiApplication::clipboard()->setText(QStringLiteral("2783\t256,2\t\t40\t20\r\n"));
    f.grid->setRow(1);
    f.grid->setCol(1);
    f.flx.EINFUEGEN(-1);
    EXPECT_EQ(f.grid->TextMatrix(2, 1), QStringLiteral("2783,00"));
    EXPECT_EQ(f.grid->TextMatrix(1, 1), f.grid->TextMatrix(2, 1));
    EXPECT_EQ(f.grid->TextMatrix(1, 2), QStringLiteral("256,20"));
    EXPECT_EQ(f.grid->TextMatrix(1, 3), QString());
    EXPECT_EQ(f.grid->TextMatrix(1, 5), QStringLiteral("20,0"));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

// A grid that appends no rows on Enter (the h' grid, whose rows are the readings') takes as many values as
// it has rows, and names the rows of the block left out.
TEST(EinfuegenAnEinerZelle, AGridThatAppendsNoRowsKeepsThemAndNamesTheRowsLeftOut) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    g.hoehe.flx.setEBOH(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("0,41\r\n0,42\r\n0,43\r\n0,44\r\n0,45\r\n"));
    g.hoehe.grid->setRow(1);
    g.hoehe.grid->setCol(1);
    g.hoehe.flx.EINFUEGEN(-1);
    EXPECT_EQ(g.hoehe.grid->Rows(), 2);
    EXPECT_EQ(g.hoehe.spalte(1), QStringList{"0,41"});
    EXPECT_EQ(g.masse.grid->Rows(), 2);
    EXPECT_EQ(
        run.dialogs().messages(),
        QStringList{"4 Zeilen der Zwischenablage wurden nicht eingefügt: die Tabelle hat ab der gewählten "
                    "Zeile nur 1 Zeile."});
}

TEST(Tab, MovesToTheNextAndThePreviousCellOfTheSameGrid) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.klick(1, 4);
    const std::vector<std::tuple<int, int, int>> schritte{
        {Qt::Key_Tab, 1, 5}, {Qt::Key_Tab, 2, 1},     {Qt::Key_Backtab, 1, 5},
        {Qt::Key_Tab, 2, 1}, {Qt::Key_Backtab, 1, 5}, {Qt::Key_Tab, 2, 1},
    };
    for (const auto& [key, zeile, spalte] : schritte) {
        taste(f.grid, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier,
              key == Qt::Key_Tab ? QStringLiteral("\t") : QString());
        EXPECT_EQ(f.grid->Row(), zeile);
        EXPECT_EQ(f.grid->Col(), spalte);
        EXPECT_EQ(f.grid->RowSel(), zeile);
        EXPECT_EQ(f.grid->ColSel(), spalte);
    }
    // In a grid that appends no rows, the last cell and the first one stay where they are; Tab opens no
    // editor.
    f.flx.setEBOH(false);
    f.grid->setRow(2);
    f.grid->setCol(5);
    taste(f.grid, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(f.grid->Col(), 5);
    f.grid->setRow(1);
    f.grid->setCol(1);
    taste(f.grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.grid->Row(), 1);
    EXPECT_EQ(f.grid->Col(), 1);
    EXPECT_TRUE(f.txt->isHidden());
}

// Readings typed with Tab alone, between the values and at each row's end: Tab in the last cell gives the
// next reading its row, here and in the coupled grid, and goes to its first value cell.
TEST(Tab, InTheLastCellAppendsTheNextReadingWhereEnterDoes) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    Gitterform& m = g.masse;
    m.klick(1, 1);
    for (const char* wert : {"2783", "256,2", "240", "40", "20", "3057", "259,8", "240", "40", "21"}) {
        m.tippe(QString::fromLatin1(wert));
        ASSERT_FALSE(m.txt->isHidden());
        taste(m.txt, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    }
    EXPECT_EQ(m.grid->Rows(), 4);
    EXPECT_EQ(g.hoehe.grid->Rows(), 4);
    EXPECT_EQ(m.spalte(1), (QStringList{"2783,00", "3057,00", ""}));
    EXPECT_EQ(m.spalte(4), (QStringList{"40,00", "40,00", ""}));
    EXPECT_EQ(m.spalte(5), (QStringList{"20,0", "21,0", ""}));
    EXPECT_EQ(g.hoehe.spalte(0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(m.grid->Row(), 3);
    EXPECT_EQ(m.grid->Col(), 1);

    // Shift+Tab goes back to the reading before, and takes no row away.
    taste(m.grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(m.grid->Row(), 2);
    EXPECT_EQ(m.grid->Col(), 5);
    EXPECT_EQ(m.grid->Rows(), 4);
    // Tab on the grid itself in the last cell appends as well.
    m.grid->setRow(3);
    m.grid->setCol(5);
    taste(m.grid, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(m.grid->Rows(), 5);
    EXPECT_EQ(g.hoehe.grid->Rows(), 5);
    EXPECT_EQ(m.grid->Row(), 4);
    EXPECT_EQ(m.grid->Col(), 1);
    EXPECT_TRUE(run.dialogs().asked().empty());
}

// One Enter that takes the value of the last cell also gives the next reading its row: what is typed next
// goes there, not over the value just taken.
TEST(Enter, InTheEditorOfTheLastCellTakesTheValueAndAppendsTheNextReading) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    Gitterform& m = g.masse;
    m.klick(1, 5);
    m.tippe(QStringLiteral("20"));
    m.enterImEditor();
    EXPECT_TRUE(m.txt->isHidden());
    EXPECT_EQ(m.grid->TextMatrix(1, 5), QStringLiteral("20,0"));
    EXPECT_EQ(m.grid->Rows(), 3);
    EXPECT_EQ(g.hoehe.grid->Rows(), 3);
    EXPECT_EQ(m.grid->Row(), 2);
    EXPECT_EQ(m.grid->Col(), 1);
    m.tippe(QStringLiteral("3057"));
    m.enterImEditor();
    EXPECT_EQ(m.spalte(1), (QStringList{"", "3057,00"}));
    EXPECT_EQ(m.spalte(5), (QStringList{"20,0", ""}));
    // Enter in another cell appends nothing; nor does a value the check refuses in the last cell.
    EXPECT_EQ(m.grid->Rows(), 3);
    m.grid->setRow(2);
    m.grid->setCol(5);
    m.tippe(QStringLiteral("x"));
    m.enterImEditor();
    EXPECT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_FALSE(m.txt->isHidden());
    EXPECT_EQ(m.grid->Rows(), 3);
    taste(m.txt, Qt::Key_Escape);
    // Without EBOH the last cell's Enter only takes the value.
    m.flx.setEBOH(false);
    m.tippe(QStringLiteral("21"));
    m.enterImEditor();
    EXPECT_EQ(m.grid->TextMatrix(2, 5), QStringLiteral("21,0"));
    EXPECT_EQ(m.grid->Rows(), 3);
}

TEST(Tab, InTheEditorWritesTheValueAsEnterDoesAndMovesOn) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.klick(1, 5);
    f.tippe(QStringLiteral("12,5"));
    ASSERT_FALSE(f.txt->isHidden());
    taste(f.txt, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_TRUE(f.txt->isHidden());
    EXPECT_EQ(f.grid->TextMatrix(1, 5), QStringLiteral("12,5"));
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(f.grid->Col(), 1);

    // The next value lands in the cell Tab went to; Shift+Tab goes back.
    f.tippe(QStringLiteral("3"));
    taste(f.txt, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.grid->TextMatrix(2, 1), QStringLiteral("3,00"));
    EXPECT_EQ(f.grid->Row(), 1);
    EXPECT_EQ(f.grid->Col(), 5);

    // A refused value keeps the editor open over its cell, and the cell stays.
    f.grid->setRow(2);
    f.grid->setCol(2);
    f.tippe(QStringLiteral("x"));
    taste(f.txt, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Spalte m1,f"));
    EXPECT_FALSE(f.txt->isHidden());
    EXPECT_EQ(f.txt->text(), QStringLiteral("x"));
    EXPECT_EQ(f.grid->TextMatrix(2, 2), QString());
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(f.grid->Col(), 2);
}

// Columns the form works out take no typing, and Tab and Shift+Tab pass over them as a spreadsheet passes
// over a locked cell; the arrow keys and a click still reach them. The added-water grid: m1, m1,r and their
// sum in its last column; a grid with the elapsed time between two value columns.
TEST(Tab, PassesOverAComputedColumnBothWays) {
    const clsFLX::Liste summe{1, 0, 0, 8}, zeit{1, 0, 6, 0};
    struct Fall {
        const clsFLX::Liste& typen;
        int zeile, spalte, key;
        bool anhaengen; // EBOH: the grid appends a row on Enter and Tab in its last cell
        int nachZeile, nachSpalte, zeilen;
    };
    const Fall faelle[] = {
        {summe, 1, 2, Qt::Key_Tab, true, 2, 1, 4},     // m1,r of a middle row: m1 of the next
        {summe, 2, 1, Qt::Key_Backtab, true, 1, 2, 4}, // m1 of a row: m1,r of the row above
        {summe, 1, 1, Qt::Key_Tab, true, 1, 2, 4},
        {summe, 2, 2, Qt::Key_Backtab, true, 2, 1, 4},
        {summe, 1, 3, Qt::Key_Tab, true, 2, 1, 4}, // from the sum itself, reached by a click
        {summe, 1, 3, Qt::Key_Backtab, true, 1, 2, 4},
        {summe, 3, 2, Qt::Key_Tab, true, 4, 1, 5},     // the last row's m1,r: the next reading
        {summe, 3, 2, Qt::Key_Tab, false, 3, 2, 4},    // nothing to append: the last value cell stays
        {summe, 1, 1, Qt::Key_Backtab, true, 1, 1, 4}, // the first cell stays
        {summe, 1, 2, Qt::Key_Right, true, 1, 3, 4},   // the arrow keys go on into the sum
        {summe, 2, 1, Qt::Key_Left, true, 2, 1, 4},
        {summe, 2, 3, Qt::Key_Down, true, 3, 3, 4},
        {zeit, 1, 1, Qt::Key_Tab, true, 1, 3, 4}, // over the elapsed time to the value column behind it
        {zeit, 1, 3, Qt::Key_Backtab, true, 1, 1, 4},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << "key " << fall.key << " from " << fall.zeile << ", " << fall.spalte
                                        << (fall.anhaengen ? "" : " without EBOH")
                                        << (&fall.typen == &zeit ? " beside the elapsed time" : ""));
        testsupport::TestRun run(testsupport::ohneDatenbank());
        Gitterform f(4);
        f.flx.setELSB({10, 17, 17, 25});
        f.flx.setELSTYP(fall.typen);
        f.grid->setRows(4);
        f.flx.setEBOH(fall.anhaengen);
        f.klick(fall.zeile, fall.spalte);
        taste(f.grid, fall.key, fall.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier,
              fall.key == Qt::Key_Tab ? QStringLiteral("\t") : QString());
        EXPECT_EQ(f.grid->Row(), fall.nachZeile);
        EXPECT_EQ(f.grid->Col(), fall.nachSpalte);
        EXPECT_EQ(f.grid->Rows(), fall.zeilen);
        EXPECT_TRUE(f.txt->isHidden());
    }
}

TEST(Esc, ClosesTheEditorAndTheCellKeepsItsText) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.grid->setTextMatrix(1, 1, QStringLiteral("5,00"));
    for (const bool doppelklick : {false, true}) {
        SCOPED_TRACE(doppelklick ? "opened by a double click" : "opened by a key");
        if (doppelklick) {
            f.doppelklick(1, 1);
            f.txt->setText(QStringLiteral("99"));
        } else {
            f.klick(1, 1);
            f.tippe(QStringLiteral("99"));
        }
        ASSERT_FALSE(f.txt->isHidden());
        taste(f.txt, Qt::Key_Escape);
        EXPECT_TRUE(f.txt->isHidden());
        EXPECT_EQ(f.grid->TextMatrix(1, 1), QStringLiteral("5,00"));
        // Nothing of the dropped text comes back with the next editor.
        f.tippe(QStringLiteral("1"));
        EXPECT_EQ(f.txt->text(), QStringLiteral("1"));
        taste(f.txt, Qt::Key_Escape);
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(BerechneteSpalte, OpensNoEditor) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 2);
    f.flx.setELSB({10, 17, 17, 17});
    f.flx.setELSTYP({1, 0, 6, 8});
    f.grid->setTextMatrix(1, 2, QStringLiteral("12"));
    f.grid->setTextMatrix(1, 3, QStringLiteral("7584,00"));
    for (const int spalte : {2, 3}) {
        SCOPED_TRACE(spalte);
        f.klick(1, spalte);
        f.tippe(QStringLiteral("5"));
        EXPECT_TRUE(f.txt->isHidden());
        f.doppelklick(1, spalte);
        EXPECT_TRUE(f.txt->isHidden());
    }
    EXPECT_EQ(f.grid->TextMatrix(1, 3), QStringLiteral("7584,00"));
    // The value column beside them opens as before.
    f.klick(1, 1);
    f.tippe(QStringLiteral("5"));
    EXPECT_FALSE(f.txt->isHidden());
}

TEST(VolleBreite, AFullWidthDigitTypedFirstIsReadAsItsDigit) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.klick(1, 1);
    taste(f.grid, 0, Qt::NoModifier, QString(QChar(0xFF15))); // FULLWIDTH DIGIT FIVE
    ASSERT_FALSE(f.txt->isHidden());
    EXPECT_EQ(f.txt->text(), QStringLiteral("5"));
    f.enterImEditor();
    EXPECT_EQ(f.grid->TextMatrix(1, 1), QStringLiteral("5,00"));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

} // namespace

namespace {

TEST(KlickInDenEditor, KeepsItsTextAndPlacesTheCursor) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(6, 2);
    alsMassenGitter(f, 2);
    f.grid->setTextMatrix(1, 1, QStringLiteral("2783,00"));
    f.doppelklick(1, 1);
    ASSERT_EQ(f.txt->selectedText(), QStringLiteral("2783,00"));
    const QPoint links(3, f.txt->height() / 2);
    for (const QEvent::Type typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(typ, QPointF(links), f.txt->mapToGlobal(QPointF(links)), Qt::LeftButton,
                      typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.txt, &e);
    }
    EXPECT_FALSE(f.txt->isHidden());
    EXPECT_EQ(f.txt->text(), QStringLiteral("2783,00"));
    EXPECT_TRUE(f.txt->selectedText().isEmpty());
    EXPECT_EQ(f.txt->cursorPosition(), 0);
    EXPECT_EQ(f.grid->TextMatrix(1, 1), QStringLiteral("2783,00"));
}

} // namespace
