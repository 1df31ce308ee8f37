// The refresh: running numbers of one to three levels, cell formats, the elapsed time.
#include "Gitterform.h"
#include "TestRun.h"

#include <gtest/gtest.h>

using platform::Variant;

namespace {

// The running numbers of the index columns, row by row, as "k1 k2 k3".
QStringList nummern(const Gitterform& f, int ebenen) {
    QStringList zeilen;
    for (int r = f.grid->FixedRows(); r < f.grid->Rows(); ++r) {
        QStringList z;
        for (int c = 0; c < ebenen; ++c)
            z << f.grid->TextMatrix(r, c);
        zeilen << z.join(' ');
    }
    return zeilen;
}

TEST(Nummerieren, OneTwoAndThreeLevels) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    struct Fall {
        const char* name;
        clsFLX::Liste typen;
        clsFLX::Indexwert starts;
        clsFLX::Indexwert maxima;
        int zeilen;
        QStringList soll;
    };
    const std::vector<Fall> faelle{
        {"one level from 0", {1, 0, 0, 0}, std::monostate{}, std::monostate{}, 4, {"0", "1", "2", "3"}},
        {"two levels",
         {1, 2, 0, 0},
         clsFLX::Liste{1, 1},
         Variant(std::int16_t(3)),
         5,
         {"1 1", "1 2", "1 3", "2 1", "2 2"}},
        {"three levels",
         {1, 2, 3, 0},
         clsFLX::Liste{0, 1, 1},
         clsFLX::Liste{3, 2},
         8,
         {"0 1 1", "0 1 2", "0 2 1", "0 2 2", "0 3 1", "0 3 2", "1 1 1", "1 1 2"}},
        {"level 3 without level 2 numbers one level",
         {1, 0, 3, 0},
         std::monostate{},
         std::monostate{},
         3,
         {"0 ", "1 ", "2 "}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Gitterform f(4, 2);
        f.flx.setELSB({10, 10, 10, 10});
        f.flx.setELSTYP(fall.typen);
        f.flx.setELINDEXMIN(fall.starts);
        if (!std::holds_alternative<std::monostate>(fall.maxima)) f.flx.setELINDEXMAX(fall.maxima);
        f.grid->setRows(f.grid->FixedRows() + fall.zeilen);
        // Old contents do not matter.
        f.grid->setTextMatrix(2, 0, QStringLiteral("99"));
        f.flx.NUMMERIEREN();
        EXPECT_EQ(nummern(f, int(fall.soll[0].count(' ')) + 1), fall.soll);
    }
}

TEST(Nummerieren, ALevelTwoColumnWithoutLevelOneNumbersNothing) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(3, 2);
    f.flx.setELSB({10, 10, 10});
    f.flx.setELSTYP({0, 2, 0});
    f.grid->setRows(4);
    f.flx.NUMMERIEREN();
    EXPECT_EQ(f.spalte(1), (QStringList{"", "", ""}));
}

TEST(Formate, EveryNonEmptyCellInItsColumnsFormat) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 2);
    f.flx.setELSB({10, 15, 15, 15});
    f.flx.setELSTYP({1, 0, 0, 0});
    f.flx.setELFORMAT({"#0.00", "#0.00", Variant(), "#0"});
    f.fuellen({"\t12,5\t12,5\t7,5", "\t\tabc\t3", "\t0,125\t\tx"});
    f.flx.AKTUALISIEREN();
    EXPECT_EQ(f.spalte(0), (QStringList{"0,00", "1,00", "2,00"})); // index columns are formatted as well
    EXPECT_EQ(f.spalte(1), (QStringList{"12,50", "", "0,13"}));    // an empty cell stays empty
    EXPECT_EQ(f.spalte(2), (QStringList{"12,5", "abc", ""}));      // no format: as typed
    EXPECT_EQ(f.spalte(3), (QStringList{"8", "3", "x"}));          // a text that is no number stays
    EXPECT_TRUE(run.dialogs().asked().empty());
}

struct Zeitfall {
    const char* name;
    clsFLX::Liste typen; // of columns 0..3
    std::int16_t det;
    QString einheit;
    QStringList zeilen; // tab-separated cells from column 0
    QStringList soll;   // the elapsed-time column
};

TEST(Zeitdifferenz, ElapsedTimeByReferenceUnitAndSource) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    const std::vector<Zeitfall> faelle{
        {"times, previous row", {0, 5, 6, 0}, -1, "mm", {"\t10:00", "\t10:30", "\t11:15"}, {"0", "30", "45"}},
        {"times, first row", {0, 5, 6, 0}, 0, "mm", {"\t10:00", "\t10:30", "\t11:15"}, {"0", "30", "75"}},
        {"over midnight in hours",
         {4, 5, 6, 0},
         -1,
         "hh",
         {"01.02.2003\t23:00", "02.02.2003\t01:00"},
         {"0", "2"}},
        {"dates only: days, whatever the unit",
         {4, 0, 6, 0},
         -1,
         "hh",
         {"01.02.2003", "04.02.2003"},
         {"0", "3"}},
        {"a date without its time: days, divided by the unit",
         {4, 5, 6, 0},
         -1,
         "mm",
         {"01.02.2003\t10:00", "04.02.2003\t"},
         {"0", "0,05"}},
        {"earlier the same day is negative", {0, 5, 6, 0}, -1, "mm", {"\t10:30", "\t10:00"}, {"0", "-30"}},
        {"the unit in capitals leaves seconds", {0, 5, 6, 0}, -1, "HH", {"\t10:00", "\t10:01"}, {"0", "60"}},
        {"groups refer to the last row of the group before",
         {0, 5, 6, 0},
         4,
         "mm",
         {"\t10:00\t\t\tA", "\t10:10\t\t\tA", "\t10:30\t\t\tB", "\t10:50\t\t\tB"},
         {"0", "10", "20", "40"}},
        {"a row without a time keeps its cell", {0, 5, 6, 0}, -1, "mm", {"\t10:00", "\t\t7"}, {"0", "7"}},
        {"a number typed into the first row stays",
         {0, 5, 6, 0},
         -1,
         "mm",
         {"\t10:00\t5", "\t10:30"},
         {"5", "30"}},
    };
    for (const Zeitfall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Gitterform f(5, 2);
        f.flx.setELSB({20, 15, 15, 10, 10});
        clsFLX::Liste typen = fall.typen;
        typen.push_back(0);
        f.flx.setELSTYP(typen);
        f.flx.setEDET(fall.det);
        f.flx.setEDETE(fall.einheit);
        f.fuellen(fall.zeilen);
        f.flx.AKTUALISIEREN();
        EXPECT_EQ(f.spalte(2), fall.soll);
        EXPECT_TRUE(run.dialogs().asked().empty());
    }
}

TEST(Zeitdifferenz, AnElapsedColumnInItsFormat) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(3, 2);
    f.flx.setELSB({15, 15, 15});
    f.flx.setELSTYP({5, 6, 0});
    f.flx.setELFORMAT({Variant(), "#0.00", Variant()});
    f.flx.setEDETE("hh");
    f.fuellen({"10:00", "10:20"});
    f.flx.AKTUALISIEREN();
    EXPECT_EQ(f.spalte(1), (QStringList{"0", "0,33"}));
}

TEST(Zeitdifferenz, AGroupWithNoEarlierGroupIsReportedInTheRefreshBox) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    for (const std::int16_t spalte : {std::int16_t(2), std::int16_t(9)}) {
        SCOPED_TRACE(spalte);
        run.dialogs().clear();
        run.dialogs().answer(platform::Msg::Cancel);
        Gitterform f(3, 2);
        f.flx.setELSB({15, 15, 15});
        f.flx.setELST1({"t", "dt", "G"});
        f.flx.setELSTYP({5, 6, 0});
        // Column 2 holds the header's own text in every row: no row differs from it.
        f.fuellen({"10:00		G", "10:30		G", "10:45		G"});
        f.flx.setEDET(spalte);
        f.flx.AKTUALISIEREN();
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / Aktulisieren"));
        EXPECT_EQ(f.spalte(1), (QStringList{"0", "", ""}));
    }
}

} // namespace
