// The grid editor's bindings and column model: the reset, the lists and what their setters do to the grid.
#include "Gitterform.h"
#include "TestRun.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using platform::Variant;

namespace {

TEST(Modell, BindingAGridResetsTheWholeModel) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(5, 10);
    EXPECT_EQ(f.grid->Cols(), 5);
    EXPECT_EQ(f.grid->Rows(), 2);
    EXPECT_EQ(f.grid->FixedCols(), 0);
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(f.grid->ColWidth(c), 850); // 15 mm: 850.5, to the even neighbour
        EXPECT_EQ(f.grid->TextMatrix(0, c), QStringLiteral("I%1").arg(c + 1));
        EXPECT_EQ(f.flx.ELSTTT()[size_t(c)], Variant(QStringLiteral("SpaltenNr.%1").arg(c + 1)));
        EXPECT_EQ(f.grid->ColAlignment(c), 7);
        EXPECT_EQ(f.grid->FixedAlignment(c), 4);
    }
    EXPECT_EQ(f.flx.EDET(), -1);
    EXPECT_EQ(f.flx.EDETE(), QStringLiteral("mm"));
    EXPECT_TRUE(f.flx.EBOH());
    EXPECT_EQ(f.flx.ELINDEXMAX(), clsFLX::Indexwert(Variant(std::int16_t(0))));
    EXPECT_EQ(f.grid->font().pointSize(), 11);
    EXPECT_TRUE(f.txt->isHidden());
    EXPECT_TRUE(f.cbo->isHidden());
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Modell, WidthsInMillimetresBecomeWholeTwips) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(5, 10);
    f.flx.setELST2(clsFLX::Liste{"a", "b", "c", "d", "e"});
    f.flx.setELFORMAT({"#0", "#0", "#0", "#0", "#0"});
    f.flx.setELSB({10, 17.0f});
    EXPECT_EQ(f.grid->Cols(), 2);
    EXPECT_EQ(f.grid->ColWidth(0), 567);
    EXPECT_EQ(f.grid->ColWidth(1), 964); // 963.9
    // Every list the widths reset has two entries now, also those set before; the second captions stay.
    EXPECT_EQ(f.flx.ELFORMAT().size(), 2u);
    EXPECT_TRUE(f.flx.ELFORMAT()[0].isEmpty());
    EXPECT_EQ(f.flx.ELST1().size(), 2u);
    EXPECT_EQ(f.flx.ELMIN().size(), 2u);
    ASSERT_TRUE(f.flx.ELST2().has_value());
    EXPECT_EQ(f.flx.ELST2()->size(), 5u);
}

TEST(Modell, TheIndexLevelsPresentGiveTheFixedColumns) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    struct Fall {
        clsFLX::Liste typen;
        int fixed;
    };
    const std::vector<Fall> faelle{{{1, 0, 0}, 1}, {{1, 2, 0}, 2}, {{1, 2, 3}, 3},
                                   {{0, 2, 0}, 0}, {{2, 1, 0}, 2}, {{0, 0, 0}, 0}};
    for (const Fall& fall : faelle) {
        Gitterform f(3, 4);
        f.flx.setELSB({10, 10, 10});
        f.flx.setELSTYP(fall.typen);
        SCOPED_TRACE(::testing::Message() << platform::CStr(fall.typen[0]).toStdString()
                                          << platform::CStr(fall.typen[1]).toStdString()
                                          << platform::CStr(fall.typen[2]).toStdString());
        EXPECT_EQ(f.grid->FixedCols(), fall.fixed);
    }
}

TEST(Modell, TheRightmostColumnOfATypeIsTheOneUsed) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 4);
    f.flx.setELSB({20, 20, 10, 15});
    // Two date columns: the elapsed time is taken from the rightmost one.
    f.flx.setELSTYP({4, 4, 5, 6});
    f.fuellen({"01.01.2003\t01.02.2003\t23:00", "01.01.2003\t02.02.2003\t01:00"});
    f.flx.setEDETE("hh");
    f.flx.AKTUALISIEREN();
    EXPECT_EQ(f.spalte(3), (QStringList{"0", "2"}));
}

TEST(Modell, IndexStartsAndMaxima) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 4);
    f.flx.setELSB({10, 10, 10, 10});
    f.flx.setELSTYP({1, 2, 3, 0});
    f.flx.setELINDEXMAX(clsFLX::Liste{9, 9});
    struct Fall {
        const char* name;
        clsFLX::Indexwert starts;
        QString erste; // the first data row's running numbers
    };
    const std::vector<Fall> faelle{
        {"unset", std::monostate{}, "0 0 0"},
        {"a number", Variant(std::int16_t(5)), "5 0 0"},
        {"two entries", clsFLX::Liste{5, 1}, "5 1 0"},
        {"three entries", clsFLX::Liste{0, 1, 1}, "0 1 1"},
        {"four entries change nothing", clsFLX::Liste{7, 7, 7, 7}, "0 1 1"},
        {"another kind of number changes nothing", Variant(2.5f), "0 1 1"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        f.grid->setTextMatrix(1, 0, QStringLiteral("x"));
        f.flx.setELINDEXMIN(fall.starts);
        EXPECT_EQ(f.flx.ELINDEXMIN(), fall.starts);
        const QString erste =
            f.grid->TextMatrix(1, 0) + " " + f.grid->TextMatrix(1, 1) + " " + f.grid->TextMatrix(1, 2);
        EXPECT_EQ(erste, fall.erste); // renumbered in every case
    }
    // One cycle of the inner levels: (3 - 1 + 1) x (2 - 1 + 1) rows.
    f.flx.setELINDEXMAX(clsFLX::Liste{3, 2});
    EXPECT_EQ(f.grid->Rows(), f.grid->FixedRows() + 6);
    EXPECT_EQ(f.spalte(1), (QStringList{"1", "1", "2", "2", "3", "3"}));
    f.flx.setELINDEXMAX(Variant(std::int16_t(4)));
    EXPECT_EQ(f.grid->Rows(), f.grid->FixedRows() + 4);
    f.flx.setELINDEXMAX(std::monostate{});
    EXPECT_EQ(f.grid->Rows(), f.grid->FixedRows() + 1);
    // A list of fewer than two maxima is an error of the member, in its own box.
    f.flx.setELINDEXMAX(clsFLX::Liste{3});
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("MSFlexGrid / ELINDEXMAX"));
}

TEST(Modell, AlignmentsAndTheirCodes) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(4, 4);
    f.flx.setELSB({10, 10, 10, 10});
    f.grid->setColAlignment(3, 0);
    f.flx.setELA({0, 1, 2, 5});
    EXPECT_EQ(f.grid->ColAlignment(0), 1);
    EXPECT_EQ(f.grid->ColAlignment(1), 4);
    EXPECT_EQ(f.grid->ColAlignment(2), 7);
    EXPECT_EQ(f.grid->ColAlignment(3), 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(f.grid->FixedAlignment(c), 4);
}

TEST(Modell, CouplingAndCellAccess) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform f(5, 10);
    f.flx.setELSB({10, 10, 10, 10, 10});
    clsFLX* neu = f.flx.EFLXK();
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->EFLX(), nullptr);
    EXPECT_EQ(f.flx.EFLXK(), neu);
    // Coupling operations find no grid in it and leave it alone.
    f.grid->setRows(4);
    f.grid->setRow(3);
    f.grid->setCol(4);
    f.flx.BEARBEITEN(13);
    EXPECT_EQ(f.grid->Rows(), 5);
    EXPECT_TRUE(f.flx.ZEILEENTFERNEN());
    EXPECT_TRUE(run.dialogs().asked().empty());

    f.grid->setTextMatrix(2, 3, QStringLiteral("7,5"));
    EXPECT_EQ(f.flx.EMATRIX(2, 3), QStringLiteral("7,5"));
    clsFLX::Matrix m(3, std::vector<Variant>(4));
    m[2][3] = Variant(12.5f);
    f.flx.setEMATRIX(2, 3, m);
    EXPECT_EQ(f.grid->TextMatrix(2, 3), QStringLiteral("12,5"));
}

TEST(Modell, FaultsOfTheSettersAreShownWithTheirTags) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    run.dialogs().answerAllMessages(platform::Msg::OK);
    Gitterform f(3, 4);
    struct Fall {
        const char* name;
        std::function<void()> aufruf;
        QString titel;
        int boxen;
    };
    const std::vector<Fall> faelle{
        {"a width that is no number",
         [&] {
             f.flx.setELSB({10, "breit", 10});
         },
         "MSFlexGrid / LSB", 1},
        {"captions for two of three columns",
         [&] {
             f.flx.setELST1({"a", "b"});
         },
         "MSFlexGrid / LST1", 1},
        {"types for one of three columns", [&] { f.flx.setELSTYP({1}); }, "LSTYP - FlexGrid", 2},
        {"alignments for two of three columns",
         [&] {
             f.flx.setELA({0, 1});
         },
         "MSFlexGrid / LA ", 1},
        {"a choice list beyond the columns", [&] { f.flx.setELCBO(3, {"a"}); }, "MSFlexGrid / LCBO", 1},
        {"a cell beyond the grid", [&] { f.flx.EMATRIX(9, 0); }, "MSFlexGrid / EMATRIX", 1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        run.dialogs().clear();
        fall.aufruf();
        ASSERT_EQ(int(run.dialogs().asked().size()), fall.boxen);
        EXPECT_EQ(run.dialogs().asked()[0].title, fall.titel);
        EXPECT_TRUE(run.dialogs().asked()[0].prompt.startsWith(QStringLiteral("VB-Error: ")));
    }
    EXPECT_THROW(f.flx.ELCBO(5), platform::VbError);
}

} // namespace
