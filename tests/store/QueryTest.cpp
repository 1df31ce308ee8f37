// The queries: first and last value with the row count, the record lists, deleting a selection, IDs by
// criteria.
#include "clsDATEN.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"
#include "StoreFixture.h"

using namespace storetest;
namespace Msg = platform::Msg;
using platform::Variant;

namespace {

class QueryTest : public StoreFixture {};

TEST_F(QueryTest, IndexGivesFirstLastAndCount) {
    struct Case {
        const char* name;
        QString table;
        QString idColumn;
        std::int32_t id;
        std::array<QString, 2> columns;
        OptionalVariant firstValue;
        std::array<std::int16_t, 3> expected; // MINI, MAXI, AN
        QString statement;
    };
    const std::vector<Case> cases{
        {"readings of a record",
         "E3",
         "ID",
         5,
         {"I1"},
         {},
         {0, 5, 6},
         "SELECT [I1] FROM E3 WHERE [ID] = 5 ORDER BY [I1] NULLS LAST"},
        {"an empty selection",
         "E3",
         "ID",
         4,
         {"I1"},
         {},
         {0, 0, 0},
         "SELECT [I1] FROM E3 WHERE [ID] = 4 ORDER BY [I1] NULLS LAST"},
        {"an empty table",
         "A2",
         "ID",
         5,
         {"I1"},
         {},
         {0, 0, 0},
         "SELECT [I1] FROM A2 WHERE [ID] = 5 ORDER BY [I1] NULLS LAST"},
        {"a filter column before the counted one",
         "E3",
         "",
         0,
         {"ID", "I1"},
         Variant(std::int32_t(7)),
         {0, 4, 5},
         "SELECT [I1] FROM E3 WHERE [ID]=7 ORDER BY [I1] NULLS LAST"},
        {"the record IDs",
         "E1",
         "",
         0,
         {"ID"},
         {},
         {3, 7, 3},
         "SELECT [ID] FROM E1 ORDER BY [ID] NULLS LAST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsDATEN daten;
        daten.ETABELLE = c.table;
        daten.ESPID = c.idColumn;
        daten.ESPIDW = c.id;
        std::int16_t mini = -1, maxi = -1, an = -1;
        daten.INDEX(mini, maxi, an, c.columns[0], c.firstValue, c.columns[1]);
        EXPECT_EQ((std::array<std::int16_t, 3>{mini, maxi, an}), c.expected);
        EXPECT_EQ(daten.lastStatement(), c.statement);
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(QueryTest, IndexLongFindsTheNextFreeId) {
    exec(QStringLiteral("DELETE FROM E1"));
    clsDATEN daten;
    daten.ESPID = QString();
    std::int32_t mini = 9, maxi = 9, an = 9;
    daten.INDEXL(mini, maxi, an, QStringLiteral("ID"));
    EXPECT_EQ(maxi + 1, 1);
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (7, 'a'), (1, 'b'), (2, 'c')"));
    daten.INDEXL(mini, maxi, an, QStringLiteral("ID"));
    EXPECT_EQ(maxi + 1, 8);
    EXPECT_EQ(mini, 1);
    EXPECT_EQ(an, 3);
}

TEST_F(QueryTest, IndexWithAKeyAndVariantOutputs) {
    exec(QStringLiteral("INSERT INTO TAMBRIN_VE1 (IDK, AKVK) VALUES (1, 'it''s'), (2, 'other')"));
    exec(QStringLiteral(
        "INSERT INTO TAMBRIN_VE2 (IDK, MNR, SPALTE) VALUES (1, 4, 'A'), (1, 2, 'A'), (2, 9, 'A')"));
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("TAMBRIN_VE2");
    daten.ESPID = QStringLiteral("IDK");
    daten.ESPIDW = 1;
    daten.ESPK1 = QStringLiteral("SPALTE");
    daten.ESPK1W = QStringLiteral("A");
    Variant mini, maxi;
    std::int16_t an = 0;
    daten.INDEXV(mini, maxi, an, QStringLiteral("MNR"));
    EXPECT_EQ(mini, Variant(std::int16_t(2)));
    EXPECT_EQ(maxi, Variant(std::int16_t(4)));
    EXPECT_EQ(an, 2);
    EXPECT_EQ(
        daten.lastStatement(),
        QStringLiteral(
            "SELECT [MNR] FROM TAMBRIN_VE2 WHERE [SPALTE] ='A' AND [IDK] = 1 ORDER BY [MNR] NULLS LAST"));
    daten.ESPIDW = 3;
    daten.INDEXV(mini, maxi, an, QStringLiteral("MNR"));
    EXPECT_EQ(mini, Variant(std::int16_t(0)));
    EXPECT_EQ(an, 0);
}

TEST_F(QueryTest, IndexFailuresAskAndKeepWhatWasNotReached) {
    exec(QStringLiteral("UPDATE E3 SET I1=40000 WHERE ID=5 AND I1=0"));
    struct Case {
        const char* name;
        int answer;
        std::array<std::int16_t, 3> expected;
    };
    // The number beyond an Integer sorts last: MAXI fails; OK goes on to AN, Cancel leaves it.
    for (const Case& c : {Case{"OK", Msg::OK, {1, -1, 6}}, Case{"Cancel", Msg::Cancel, {1, -1, -1}}}) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        run.dialogs().answer(c.answer);
        clsDATEN daten;
        daten.ETABELLE = QStringLiteral("E3");
        daten.ESPIDW = 5;
        std::int16_t mini = -1, maxi = -1, an = -1;
        daten.INDEX(mini, maxi, an, QStringLiteral("I1"));
        EXPECT_EQ((std::array<std::int16_t, 3>{mini, maxi, an}), c.expected);
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt, QStringLiteral("VB-Error: 6\nÜberlauf"));
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Index"));
        EXPECT_EQ(run.dialogs().asked()[0].style, Msg::OKCancel | Msg::Exclamation);
    }
    run.dialogs().clear();
    run.dialogs().answerAllMessages(Msg::Cancel);
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("GIBTESNICHT");
    std::int32_t mini = 0, maxi = 0, an = 0;
    daten.INDEXL(mini, maxi, an, QStringLiteral("I1"));
    EXPECT_EQ(run.dialogs().asked().at(0).title, QStringLiteral("Datenfehler"));
}

TEST_F(QueryTest, RecordListsByActivityAndName) {
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (0, 'M', 1)"));
    struct Case {
        bool active;
        std::vector<std::int32_t> ids;
        std::vector<QString> names;
        QString statement;
    };
    for (const Case& c : {Case{true,
                               {3, 7},
                               {"Probe A", "Probe B"},
                               "SELECT [KEN] FROM [E1] WHERE [AKT]=true and [ID]<>0 ORDER BY [ID]"},
                          Case{false,
                               {3, 7, 5},
                               {"Probe A", "Probe B", "Probe C"},
                               "SELECT [KEN] FROM [E1] WHERE [ID]<>0 ORDER BY [KEN]"}}) {
        SCOPED_TRACE(c.active);
        clsDATEN daten;
        std::vector<std::int32_t> ids{99, 98, 97, 96};
        std::vector<QString> names;
        daten.LID(ids, c.active);
        daten.LKEN(names, c.active);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(daten.lastStatement(), c.statement);
    }
    exec(QStringLiteral("UPDATE E1 SET AKT=0"));
    clsDATEN daten;
    std::vector<std::int32_t> ids{42};
    std::vector<QString> names{QStringLiteral("alt")};
    daten.LID(ids, true);
    daten.LKEN(names, true);
    EXPECT_EQ(ids, std::vector<std::int32_t>{42});
    EXPECT_EQ(names, std::vector<QString>{QStringLiteral("alt")});
    daten.ETABELLE = QStringLiteral("GIBTESNICHT");
    EXPECT_THROW(daten.LID(ids), platform::VbError);
}

// Rows that another tool left without a value in the ordering column (a reading without a number) come
// after the others in every selection; the index gives the smallest and largest value there is and counts
// every row, without a box.
TEST_F(QueryTest, RowsWithoutAnOrderingValueComeLast) {
    exec(QStringLiteral("UPDATE E3 SET I1=NULL WHERE ID=5 AND I1 IN (0, 3)"));
    exec(QStringLiteral("UPDATE E3 SET I1=NULL WHERE ID=7"));
    const struct {
        std::int32_t id;
        std::array<std::int16_t, 3> index; // MINI, MAXI, AN
        std::vector<float> m1;
    } cases[] = {{5, {1, 5, 6}, {51, 52, 54, 55, 50, 53}}, {7, {0, 0, 5}, {10, 11, 12, 13, 14}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        clsDATEN daten;
        daten.ETABELLE = QStringLiteral("E3");
        daten.ESPIDW = c.id;
        std::int16_t mini = -1, maxi = -1, an = -1;
        daten.INDEX(mini, maxi, an, QStringLiteral("I1"));
        EXPECT_EQ((std::array<std::int16_t, 3>{mini, maxi, an}), c.index);
        std::vector<float> m1(c.m1.size(), -1.0f);
        EXPECT_TRUE(daten.DTVSF(QStringLiteral("M1"), m1, QStringLiteral("I1")));
        EXPECT_EQ(m1, c.m1);
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(QueryTest, DeleteRemovesOnlyTheSelection) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = 5;
    EXPECT_TRUE(daten.LOESCHEN(QStringLiteral("I1"), std::int16_t(2)));
    EXPECT_EQ(texts(QStringLiteral("SELECT I1 FROM E3 WHERE ID=5 ORDER BY I1")),
              (QStringList{"0", "1", "3", "4", "5"}));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=7")), 5);
    EXPECT_EQ(
        daten.lastStatement(),
        QStringLiteral("SELECT [ID],[ID],[I1] FROM [E3] WHERE [ID] = 5 AND [I1]=2 ORDER BY [I1] NULLS LAST"));
    EXPECT_TRUE(daten.LOESCHEN());
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=5")), 0);
    EXPECT_TRUE(daten.LOESCHEN());
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(QueryTest, ADeleteThatFailsSaysSoAndKeepsTheSelection) {
    exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON E3 WHEN old.I1 = 3 BEGIN "
                        "SELECT RAISE(ABORT, 'reading 3 is kept'); END"));
    for (int answer : {int(Msg::OK), int(Msg::Cancel)}) {
        SCOPED_TRACE(answer);
        run.dialogs().clear();
        run.dialogs().answer(answer);
        clsDATEN daten;
        daten.ETABELLE = QStringLiteral("E3");
        daten.ESPIDW = 5;
        EXPECT_FALSE(daten.LOESCHEN(QStringLiteral("I1")));
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=5")), 6);
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt,
                  QStringLiteral("VB-Error: -2147467259\nreading 3 is kept"));
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
    }
}

TEST_F(QueryTest, IdsByCriteria) {
    exec(QStringLiteral(
        "INSERT INTO E1 (ID, KEN, KOM, SPR) VALUES (9, 'O''Brien', 'x', 1), (10, 'Probe AB', 'x', 3)"));
    struct Case {
        const char* name;
        std::array<QString, 2> columns;
        std::array<OptionalVariant, 2> values;
        std::array<QString, 2> operators;
        bool found;
        std::vector<std::int32_t> ids;
        QString statement;
    };
    const std::vector<Case> cases{
        {"LIKE looks for a text anywhere",
         {"KEN"},
         {Variant("Probe A")},
         {"LIKE"},
         true,
         {3, 10},
         "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]LIKE'%Probe A%' ORDER BY [KEN]"},
        {"a text compares with = whatever else is asked",
         {"KEN"},
         {Variant("Probe A")},
         {"<"},
         true,
         {3},
         "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]='Probe A' ORDER BY [KEN]"},
        {"operators are compared exactly",
         {"KEN"},
         {Variant("Probe A")},
         {"like"},
         true,
         {3},
         "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]='Probe A' ORDER BY [KEN]"},
        {"a number compares with = for LIKE",
         {"ID"},
         {Variant(std::int32_t(5))},
         {"LIKE"},
         true,
         {5},
         "SELECT [ID],[ID] FROM [E1] WHERE [ID]=5 ORDER BY [ID]"},
        {"a number keeps a comparison",
         {"ID"},
         {Variant(std::int32_t(5))},
         {">="},
         true,
         {5, 7, 9, 10},
         "SELECT [ID],[ID] FROM [E1] WHERE [ID]>=5 ORDER BY [ID]"},
        {"only the LIKE value is wrapped",
         {"KEN", "KOM"},
         {Variant("Probe"), Variant("x")},
         {"LIKE", "="},
         true,
         {10},
         "SELECT [ID],[KEN],[KOM] FROM [E1] WHERE [KEN]LIKE'%Probe%' AND [KOM]='x' ORDER BY [KEN],[KOM]"},
        {"a column without a value only orders",
         {"ID"},
         {},
         {},
         true,
         {3, 5, 7, 9, 10},
         "SELECT [ID],[ID] FROM [E1] ORDER BY [ID]"},
        {"an apostrophe compares as itself",
         {"KEN"},
         {Variant("O'Brien")},
         {""},
         true,
         {9},
         "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]='O''Brien' ORDER BY [KEN]"},
        {"a text that reads like a condition matches nothing",
         {"KEN"},
         {Variant("x' OR 'x'='x")},
         {""},
         false,
         {-1},
         "SELECT [ID],[KEN] FROM [E1] WHERE [KEN]='x'' OR ''x''=''x' ORDER BY [KEN]"},
        {"no match",
         {"SPR"},
         {Variant(std::int16_t(2))},
         {"="},
         false,
         {-1},
         "SELECT [ID],[SPR] FROM [E1] WHERE [SPR]=2 ORDER BY [SPR]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsDATEN daten;
        std::vector<std::int32_t> ids{-1};
        EXPECT_EQ(daten.IDKRIT(ids, c.columns[0], c.values[0], c.operators[0], c.columns[1], c.values[1],
                               c.operators[1]),
                  c.found);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(daten.lastStatement(), c.statement);
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

} // namespace
