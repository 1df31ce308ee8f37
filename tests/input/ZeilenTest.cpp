// Rows inserted and removed in coupled grids, and an open editor closed before the rows or the view move.
#include "Gitterform.h"
#include "TestRun.h"

#include "platform/runtime/Color.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>

using platform::Variant;

namespace {

// Two mass grids' worth: a grid with its readings and the grid coupled to it, five readings each.
struct Gekoppelt {
    Gitterform masse{6, 2};
    Gitterform hoehe{3, 2};
    Gekoppelt(int zeilen = 5) {
        alsMassenGitter(masse, zeilen);
        hoehe.flx.setELSB({10, 17, 17});
        hoehe.flx.setELST1({"Lfd.", "h'", "h''"});
        hoehe.flx.setELSTYP({1, 0, 0});
        hoehe.flx.setELINDEXMIN(Variant(std::int16_t(1)));
        hoehe.grid->setRows(1 + zeilen);
        hoehe.flx.NUMMERIEREN();
        QStringList m, h;
        for (int i = 1; i <= zeilen; ++i) {
            m << QStringLiteral("\tm%1").arg(i);
            h << QStringLiteral("\th%1").arg(i);
        }
        masse.fuellen(m);
        hoehe.fuellen(h);
        masse.flx.setEFLXK(&hoehe.flx);
    }
};

TEST(Zeilen, InsertInTheMiddleOfCoupledGrids) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    g.masse.grid->setRow(3);
    EXPECT_TRUE(g.masse.flx.ZEILEEINFUEGEN());
    EXPECT_EQ(g.masse.spalte(1), (QStringList{"m1", "m2", "", "m3", "m4", "m5"}));
    EXPECT_EQ(g.masse.spalte(0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(g.hoehe.spalte(1), (QStringList{"h1", "h2", "", "h3", "h4", "h5"}));
    EXPECT_EQ(g.hoehe.spalte(0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Zeilen, RemoveTakesTheSameReadingFromBothGrids) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    struct Fall {
        int zeile;
        QStringList rest;
    };
    // The last row too: the coupled grid loses reading 5, not the row that is current after the removal.
    for (const Fall& fall :
         {Fall{3, {"1", "2", "4", "5"}}, Fall{5, {"1", "2", "3", "4"}}, Fall{1, {"2", "3", "4", "5"}}}) {
        SCOPED_TRACE(fall.zeile);
        Gekoppelt g;
        g.hoehe.grid->setRow(1);
        g.masse.grid->setRow(fall.zeile);
        EXPECT_TRUE(g.masse.flx.ZEILEENTFERNEN());
        QStringList m, h;
        for (const QString& i : fall.rest) {
            m << QStringLiteral("m") + i;
            h << QStringLiteral("h") + i;
        }
        EXPECT_EQ(g.masse.spalte(1), m);
        EXPECT_EQ(g.hoehe.spalte(1), h);
        EXPECT_EQ(g.masse.spalte(0), (QStringList{"1", "2", "3", "4"}));
        EXPECT_EQ(g.hoehe.spalte(0), (QStringList{"1", "2", "3", "4"}));
    }
}

TEST(Zeilen, TheLastRowEmptiesAndGreysTheGridAndAnInsertBringsItBackNumbered) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g(1);
    const auto fest = g.masse.grid->BackColorFixed();
    EXPECT_TRUE(g.masse.flx.ZEILEENTFERNEN());
    for (Gitterform* f : {&g.masse, &g.hoehe}) {
        EXPECT_FALSE(f->grid->Enabled());
        EXPECT_EQ(f->grid->Rows(), 2);
        EXPECT_EQ(f->grid->BackColor(), f->grid->BackColorFixed());
        EXPECT_EQ(f->spalte(0), QStringList{""}); // the running number too
        EXPECT_EQ(f->spalte(1), QStringList{""});
    }
    EXPECT_EQ(g.masse.grid->BackColor(), fest);
    // Removing again leaves it so.
    EXPECT_TRUE(g.masse.flx.ZEILEENTFERNEN());
    EXPECT_FALSE(g.hoehe.grid->Enabled());

    // An insert enables both grids, without a new row, and their one row carries its running number again.
    EXPECT_TRUE(g.masse.flx.ZEILEEINFUEGEN());
    for (Gitterform* f : {&g.masse, &g.hoehe}) {
        EXPECT_TRUE(f->grid->Enabled());
        EXPECT_EQ(f->grid->Rows(), 2);
        EXPECT_EQ(f->grid->BackColor(), platform::SystemColor::WindowBackground);
        EXPECT_EQ(f->spalte(0), QStringList{"1"});
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Zeilen, ReadingsPastedIntoADisabledGridAreReadingsOfTheRecord) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g(1);
    g.masse.flx.ZEILEENTFERNEN();
    ASSERT_FALSE(g.masse.grid->Enabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("12,5\t13,5\r\n"));
    g.masse.grid->setRow(1);
    g.masse.grid->setCol(1);
    g.masse.grid->setColSel(2);
    g.masse.flx.EINFUEGEN(-1);
    // Saving stores the grids that are enabled: both are, and the reading carries its number.
    for (Gitterform* f : {&g.masse, &g.hoehe}) {
        EXPECT_TRUE(f->grid->Enabled());
        EXPECT_EQ(f->grid->BackColor(), platform::SystemColor::WindowBackground);
        EXPECT_EQ(f->spalte(0), QStringList{"1"});
    }
    EXPECT_EQ(g.masse.spalte(1), QStringList{"12,50"});
    EXPECT_EQ(g.masse.spalte(2), QStringList{"13,50"});
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Zeilen, AGridWithoutCouplingChangesOnlyItself) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    g.hoehe.grid->setRow(2);
    EXPECT_TRUE(g.hoehe.flx.ZEILEENTFERNEN());
    EXPECT_EQ(g.hoehe.grid->Rows(), 5);
    EXPECT_EQ(g.masse.grid->Rows(), 6);
}

TEST(Zeilen, ACouplingThatLeadsBackChangesEachGridOnce) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gekoppelt g;
    g.hoehe.flx.setEFLXK(&g.masse.flx);
    g.masse.grid->setRow(2);
    EXPECT_TRUE(g.masse.flx.ZEILEEINFUEGEN());
    EXPECT_EQ(g.masse.grid->Rows(), 7);
    EXPECT_EQ(g.hoehe.grid->Rows(), 7);
    EXPECT_TRUE(g.hoehe.flx.ZEILEENTFERNEN());
    EXPECT_EQ(g.masse.grid->Rows(), 6);
    EXPECT_EQ(g.hoehe.grid->Rows(), 6);
}

TEST(Zeilen, ARowTheCoupledGridDoesNotHaveIsReportedAndItsOwnRowTaken) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    run.dialogs().answerAllMessages(platform::Msg::OK);
    Gekoppelt g;
    g.hoehe.grid->setRows(3); // two readings only
    g.hoehe.grid->setRow(1);
    g.masse.grid->setRow(5);
    g.masse.flx.ZEILEENTFERNEN();
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Zeile eintfernen"));
    EXPECT_EQ(g.hoehe.spalte(1), QStringList{"h2"});
}

// The open editor holds a value for reading 2; each action must first put it into its cell.
struct OffenerEditor {
    Gekoppelt g{20}; // more readings than the grid shows
    OffenerEditor(const QString& text) {
        g.masse.grid->setRow(2);
        g.masse.grid->setCol(1);
        g.masse.flx.BEARBEITEN(0);
        g.masse.txt->setText(text);
        // The row the buttons act on lies elsewhere.
        g.masse.grid->setRow(5);
    }
};

TEST(OffenerEditor, AnAcceptedValueIsWrittenBeforeTheActionAndARejectedOneStopsIt) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    struct Fall {
        const char* name;
        std::function<bool(Gitterform&)> aktion;
        std::function<bool(Gitterform&)> geschehen; // did the action happen?
    };
    const std::vector<Fall> faelle{
        {"insert", [](Gitterform& f) { return f.flx.ZEILEEINFUEGEN(); },
         [](Gitterform& f) { return f.grid->Rows() == 22; }},
        {"remove", [](Gitterform& f) { return f.flx.ZEILEENTFERNEN(); },
         [](Gitterform& f) { return f.grid->Rows() == 20; }},
        {"scroll",
         [](Gitterform& f) {
             f.grid->setTopRow(6);
             return true;
         },
         [](Gitterform& f) { return f.grid->TopRow() == 6; }},
        {"save", [](Gitterform& f) { return f.flx.EINFUEGEN(0); }, [](Gitterform&) { return true; }},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        {
            run.dialogs().clear();
            OffenerEditor e(QStringLiteral("77"));
            Gitterform& f = e.g.masse;
            fall.aktion(f);
            EXPECT_TRUE(fall.geschehen(f));
            EXPECT_TRUE(f.txt->isHidden());
            EXPECT_EQ(f.spalte(1)[1], QStringLiteral("77,00")); // reading 2 holds the value
            EXPECT_TRUE(run.dialogs().asked().empty());
        }
        {
            run.dialogs().clear();
            OffenerEditor e(QStringLiteral("-5"));
            Gitterform& f = e.g.masse;
            const bool weiter = fall.aktion(f);
            if (std::string(fall.name) != "scroll") {
                EXPECT_FALSE(weiter);
            }
            EXPECT_FALSE(fall.geschehen(f) && std::string(fall.name) != "save");
            EXPECT_FALSE(f.txt->isHidden());
            EXPECT_EQ(f.txt->text(), QStringLiteral("-5"));
            EXPECT_EQ(f.grid->Rows(), 21);
            EXPECT_EQ(f.grid->TopRow(), 1);
            EXPECT_EQ(e.g.hoehe.grid->Rows(), 21);
            EXPECT_EQ(f.spalte(1)[1], QStringLiteral("m2"));
            ASSERT_EQ(run.dialogs().asked().size(), 1u);
            EXPECT_TRUE(run.dialogs().asked()[0].prompt.startsWith(QStringLiteral("Zahlenwert außerhalb")));
        }
    }
}

} // namespace
