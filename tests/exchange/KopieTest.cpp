// The record copy between two project databases: whole records, by column name, one transaction each.
#include "clsKOPIE.h"
#include "ExchangeFixture.h"

#include "platform/db/Recordset.h"
#include "platform/runtime/VbError.h"
#include "Schema.h"

using platform::Connection;
using platform::Variant;

namespace exchangetest {
namespace {

class KopieTest : public ExchangeFixture {};

TEST_F(KopieTest, CopiesEveryRowOfTheRecordUnderTheNewId) {
    clsKOPIE kopie(work(), other());
    ASSERT_EQ(kopie.NEUEID(), 10);
    kopie.KOPIEREN(1, kopie.NEUEID());
    // Name, comment, readings, results with display options, evaluated points and diagram settings.
    const QStringList rows = recordRows(other(), 10);
    EXPECT_EQ(rows, recordRows(work(), 1));
    EXPECT_EQ(rows.filter(QStringLiteral("E3: ")).size(), 6);
    EXPECT_EQ(rows.filter(QStringLiteral("A2: ")).size(), 6);
    EXPECT_EQ(rows.filter(QStringLiteral("G0: ")).size(), 1);
    EXPECT_TRUE(rows.filter(QStringLiteral("A1: ")).front().contains(QStringLiteral("POSP=Integer(0)")));
    EXPECT_EQ(records(other()), (QStringList{"4 Fremd 1", "9 Probe B", "10 Probe A"}));
}

TEST_F(KopieTest, ARecordNeverEvaluatedTakesTheTablesItHas) {
    clsKOPIE kopie(work(), other());
    kopie.KOPIEREN(3, 10);
    EXPECT_EQ(recordRows(other(), 10), recordRows(work(), 3));
    EXPECT_TRUE(recordRows(other(), 10).filter(QStringLiteral("A2: ")).isEmpty());
}

TEST_F(KopieTest, TheNewIdIsOneAboveTheHighestOfE1) {
    struct Case {
        const char* what;
        std::vector<int> ids;
        int expected;
    };
    const Case cases[] = {
        {"empty", {}, 1}, {"only row 0", {0}, 1}, {"gaps", {0, 2, 7}, 8}, {"only below 0", {-7, -3}, 1}};
    for (const Case& c : cases) {
        const QString file = run.dir().file(QString::fromUtf8(c.what) + QStringLiteral(".mdb"));
        schema::create(schema::Database::Project, file);
        Connection target;
        target.Open(file);
        for (int id : c.ids)
            target.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (?, ?)"),
                           {Variant(std::int32_t(id)), Variant(QStringLiteral("R%1").arg(id))});
        EXPECT_EQ(clsKOPIE(work(), target).NEUEID(), c.expected) << c.what;
    }
}

// Worked out beyond 32 bits: a target whose highest ID is the largest a Long holds has none left, and says
// so before anything is written, instead of giving the copy a negative ID that the next one would share.
TEST_F(KopieTest, NoNewIdBeyondTheLargestTheColumnHolds) {
    Connection& target = other();
    target.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (2147483646, 'Vorletzter')"));
    EXPECT_EQ(clsKOPIE(work(), target).NEUEID(), 2147483647);
    target.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (2147483647, 'Letzter')"));
    const QStringList before = allRows(target);
    try {
        clsKOPIE(work(), target).NEUEID();
        ADD_FAILURE() << "no error";
    } catch (const platform::VbError& e) {
        EXPECT_EQ(e.Number(), platform::VbError::Overflow);
        EXPECT_EQ(e.Description(),
                  QStringLiteral("Es kann kein weiterer Datensatz angelegt werden: Die höchste "
                                 "Datensatznummer (ID) 2147483647 ist erreicht."));
    }
    EXPECT_EQ(allRows(target), before);
}

TEST_F(KopieTest, NamesAreFoundWithApostrophesUmlautsAndAnyCase) {
    Connection& target = other();
    target.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (20, ?)"),
                   {Variant(QStringLiteral("O'Brien's Kies"))});
    target.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (21, ?)"),
                   {Variant(QStringLiteral("Größe ü"))});
    clsKOPIE kopie(work(), target);
    EXPECT_TRUE(kopie.VORHANDEN(QStringLiteral("O'Brien's Kies")));
    EXPECT_TRUE(kopie.VORHANDEN(QStringLiteral("Größe ü")));
    EXPECT_TRUE(kopie.VORHANDEN(QStringLiteral("probe b")));
    EXPECT_FALSE(kopie.VORHANDEN(QStringLiteral("O'Brien")));
    EXPECT_FALSE(kopie.VORHANDEN(QStringLiteral("' OR '1'='1")));
}

TEST_F(KopieTest, ValuesGoByColumnNameWhateverTheOrderOfTheColumns) {
    // A project database of another build: every table with its columns in reverse order, and one column
    // of E1 that this program does not know.
    const QString file = run.dir().file(QStringLiteral("umgekehrt.mdb"));
    Connection::CreateDatabase(
        file,
        QStringLiteral(
            "CREATE TABLE E1 (EXTRA TEXT(10) DEFAULT 'x', SPR SMALLINT, AKT BOOLEAN NOT NULL DEFAULT 0, KOM "
            "TEXT(255), "
            "  KEN TEXT(50) COLLATE NOCASE, ID INTEGER NOT NULL PRIMARY KEY);"
            "CREATE TABLE E2 (DPR FLOAT, MZ FLOAT, MSG FLOAT, DUEMAX FLOAT, WUE FLOAT, RHSUE FLOAT, UE "
            "FLOAT, DMAX FLOAT,"
            "  RHSU FLOAT, H2S FLOAT, MC FLOAT, HC FLOAT, DC FLOAT, KENW BOOLEAN NOT NULL DEFAULT 0,"
            "  KENP BOOLEAN NOT NULL DEFAULT 0, KEND BOOLEAN NOT NULL DEFAULT 0, KENV SMALLINT, ID INTEGER "
            "NOT NULL);"
            "CREATE TABLE E3 (HS FLOAT, M1R FLOAT, MCW FLOAT, M2W FLOAT, M1W FLOAT, M1 FLOAT, I1 SMALLINT, "
            "ID INTEGER NOT NULL);"
            "CREATE TABLE A1 (DENA FLOAT, DESR FLOAT, DKEN SMALLINT, POSP SMALLINT, GITRHD SMALLINT, GITW "
            "SMALLINT,"
            "  NALI SMALLINT, SRLI SMALLINT, RHS FLOAT, WODPRSP FLOAT, WUDPRSP FLOAT, WODPR FLOAT, WUDPR "
            "FLOAT,"
            "  WPRUSP FLOAT, RHPRUSP FLOAT, WPRU FLOAT, RHPRU FLOAT, WPRSP FLOAT, RHPRSP FLOAT, WPR FLOAT, "
            "RHPR FLOAT,"
            "  BONEU BOOLEAN NOT NULL DEFAULT 1, ID INTEGER NOT NULL);"
            "CREATE TABLE A2 (RHD FLOAT, W FLOAT, RHDU FLOAT, WU FLOAT, I1 SMALLINT, ID INTEGER NOT NULL);"
            "CREATE TABLE G0 (MSP FLOAT, MYMX FLOAT, MY FLOAT, MX FLOAT, YMAX FLOAT, YMIN FLOAT, XMAX FLOAT, "
            "XMIN FLOAT,"
            "  RU FLOAT, RO FLOAT, RR FLOAT, RL FLOAT, OY SMALLINT, OX SMALLINT, IDOBJEKT SMALLINT, ID "
            "INTEGER NOT NULL);"));
    Connection reversed;
    reversed.Open(file);

    clsKOPIE hin(work(), reversed);
    hin.KOPIEREN(1, hin.NEUEID());
    QStringList there = recordRows(reversed, 1);
    ASSERT_FALSE(there.isEmpty());
    EXPECT_TRUE(there.front().contains(QStringLiteral("EXTRA=String(\"x\")")));
    there.front().remove(QStringLiteral("EXTRA=String(\"x\") "));
    EXPECT_EQ(there, recordRows(work(), 1));

    // And back: the column the working copy lacks stays behind.
    reversed.Execute(QStringLiteral("UPDATE E1 SET KEN='Zurück' WHERE ID=1"));
    clsKOPIE zurueck(reversed, work());
    zurueck.KOPIEREN(1, zurueck.NEUEID());
    QStringList back = recordRows(work(), 4);
    QStringList expected = recordRows(work(), 1);
    expected.front().replace(QStringLiteral("KEN=String(\"Probe A\")"),
                             QStringLiteral("KEN=String(\"Zurück\")"));
    EXPECT_EQ(back, expected);
}

TEST_F(KopieTest, RowsLeftUnderTheNewIdAreReplaced) {
    // Rows of a record whose E1 row is gone, written by a tool that did not keep the relations.
    other().Execute(QStringLiteral("PRAGMA foreign_keys=OFF"));
    other().Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (10, 7, 99)"));
    other().Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT) VALUES (10, 11)"));
    other().Execute(QStringLiteral("PRAGMA foreign_keys=ON"));
    clsKOPIE kopie(work(), other());
    kopie.KOPIEREN(1, kopie.NEUEID());
    EXPECT_EQ(recordRows(other(), 10), recordRows(work(), 1));
}

TEST_F(KopieTest, AFailingWriteLeavesTheTargetAsItWasAndARetryWorks) {
    const QStringList before = allRows(other());
    other().Execute(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON A2 BEGIN SELECT RAISE(ABORT, "
                                   "'database or disk is full'); END"));
    clsKOPIE kopie(work(), other());
    EXPECT_THROW(kopie.KOPIEREN(1, kopie.NEUEID()), platform::VbError);
    EXPECT_EQ(allRows(other()), before);
    EXPECT_FALSE(kopie.VORHANDEN(QStringLiteral("Probe A")));

    other().Execute(QStringLiteral("DROP TRIGGER voll"));
    kopie.KOPIEREN(1, kopie.NEUEID());
    EXPECT_EQ(recordRows(other(), 10), recordRows(work(), 1));
}

TEST_F(KopieTest, TheMultipleEvaluationIsNoRecord) {
    clsKOPIE kopie(work(), other());
    EXPECT_THROW(kopie.KOPIEREN(0, kopie.NEUEID()), platform::VbError);
    EXPECT_EQ(records(other()), (QStringList{"4 Fremd 1", "9 Probe B"}));
}

} // namespace
} // namespace exchangetest
