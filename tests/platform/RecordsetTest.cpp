#include "CommitCounter.h"
#include "Schema.h"
#include "TempDir.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"

#include <QFile>
#include <cmath>
#include <sqlite3.h>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file(QStringLiteral("TAMBRIN.mdb"));
        schema::create(schema::Database::Project, path);
        cnn.Open(path);
    }
    long count(const QString& sql) {
        Recordset rs;
        rs.Open(sql, cnn);
        return rs.RecordCount();
    }
    testsupport::TempDir dir;
    QString path;
    Connection cnn;
    SystemLocale::Override locale{QStringLiteral("de"), QStringLiteral(",")};
};

TEST_F(RecordsetTest, AddNewTakesTheTableDefaultsForFieldsNotAssigned) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=1"), cnn);
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    rs.AddNew();
    rs.SetValue(QStringLiteral("ID"), Variant(std::int32_t(1)));
    rs.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("Probe 1")));
    rs.Update();
    EXPECT_EQ(rs.Value(QStringLiteral("AKT")), Variant(false));
    EXPECT_TRUE(rs.Value(QStringLiteral("KOM")).isNull());

    Recordset a1;
    a1.Open(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=1"), cnn);
    a1.AddNew();
    a1.SetValue(QStringLiteral("ID"), Variant(std::int32_t(1)));
    a1.Update();
    a1.Close();
    Recordset all;
    all.Open(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=1"), cnn);
    ASSERT_FALSE(all.eof());
    EXPECT_EQ(all.Value(QStringLiteral("BONEU")), Variant(true));
    EXPECT_EQ(all.Value(QStringLiteral("SRLI")), Variant(std::int16_t(1)));
    EXPECT_EQ(all.Value(QStringLiteral("NALI")), Variant(std::int16_t(0)));
    EXPECT_EQ(all.Value(QStringLiteral("DESR")), Variant(0.1f));
    EXPECT_EQ(all.Value(QStringLiteral("DENA")), Variant(0.025f));
    EXPECT_EQ(all.Value(QStringLiteral("RHPR")), Variant(0.0f));
}

TEST_F(RecordsetTest, UpdateWritesOnlyTheAssignedFields) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (1, 'A', 'old')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=1"), cnn);
    // Another writer changes the comment after the recordset was read.
    Connection other;
    other.Open(path);
    other.Execute(QStringLiteral("UPDATE E1 SET KOM='new' WHERE ID=1"));
    other.Close();
    rs.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("B")));
    rs.Update();
    Recordset check;
    check.Open(QStringLiteral("SELECT [KEN],[KOM] FROM [E1] WHERE [ID]=1"), cnn);
    EXPECT_EQ(check.Value(0), Variant(QStringLiteral("B")));
    EXPECT_EQ(check.Value(1), Variant(QStringLiteral("new")));
}

TEST_F(RecordsetTest, NullEmptyAndBooleans) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [E1]"), cnn);
    rs.AddNew();
    rs.SetValue(QStringLiteral("ID"), Variant(std::int32_t(4)));
    rs.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("X")));
    rs.SetValue(QStringLiteral("KOM"), Variant());         // Empty stores Null
    rs.SetValue(QStringLiteral("SPR"), Variant::null());
    rs.SetValue(QStringLiteral("AKT"), Variant(true));
    rs.Update();
    rs.Close();
    EXPECT_EQ(count(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KOM] IS NULL AND [SPR] IS NULL")), 1);
    Recordset back;
    back.Open(QStringLiteral("SELECT [AKT] FROM [E1] WHERE [ID]=4"), cnn);
    EXPECT_EQ(back.Value(0), Variant(true));
    back.SetValue(0, Variant::null()); // a Yes/No field holds no Null: it becomes No
    back.Update();
    EXPECT_EQ(count(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=false")), 1);
}

TEST_F(RecordsetTest, TextIntoNumberColumnsFollowsTheLocale) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [ID],[DC],[KENV] FROM [E2] WHERE [ID]=1"), cnn);
    rs.AddNew();
    rs.SetValue(QStringLiteral("ID"), Variant(std::int32_t(1)));
    rs.SetValue(QStringLiteral("DC"), Variant(QStringLiteral("12,5")));
    EXPECT_EQ(rs.Value(QStringLiteral("DC")), Variant(12.5f));
    try {
        rs.SetValue(QStringLiteral("DC"), Variant(QStringLiteral("abc")));
        FAIL() << "abc was taken";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), VbError::TypeMismatch);
    }
    EXPECT_THROW(rs.SetValue(QStringLiteral("KENV"), Variant(40000.0)), VbError); // Integer overflow
    rs.Update();
    Recordset back;
    back.Open(QStringLiteral("SELECT [DC] FROM [E2] WHERE [ID]=1"), cnn);
    EXPECT_EQ(back.Value(0), Variant(12.5f));
}

TEST_F(RecordsetTest, SinglesComeBackExactly) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [ID],[DC] FROM [E2]"), cnn);
    rs.AddNew();
    rs.SetValue(0, Variant(std::int32_t(1)));
    rs.SetValue(1, Variant(1.8f));
    rs.Update();
    Recordset back;
    back.Open(QStringLiteral("SELECT [DC] FROM [E2] WHERE [ID]=1"), cnn);
    EXPECT_EQ(back.fieldType(0), FieldType::Single);
    EXPECT_EQ(back.Value(0).asSingle(), 1.8f);
}

TEST_F(RecordsetTest, ApostrophesBoundOrQuotedSelectExactlyTheirRows) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [E1]"), cnn);
    int id = 1;
    for (const char* name : {"O'Brien", "x", "x' OR 'x'='x"}) {
        rs.AddNew();
        rs.SetValue(QStringLiteral("ID"), Variant(std::int32_t(id++)));
        rs.SetValue(QStringLiteral("KEN"), Variant(QString::fromUtf8(name)));
        rs.Update();
    }
    rs.Close();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]=") + SqlText(QStringLiteral("O'Brien"))), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]=") + SqlText(QStringLiteral("x' OR 'x'='x"))), 1);
    Recordset bound;
    bound.Open(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]=?"), cnn, {Variant(QStringLiteral("o'brien"))});
    EXPECT_EQ(bound.RecordCount(), 1); // names compare without regard to case
}

TEST_F(RecordsetTest, TextLongerThanTheColumnIsRefused) {
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [E1]"), cnn);
    rs.AddNew();
    rs.SetValue(QStringLiteral("ID"), Variant(std::int32_t(1)));
    EXPECT_THROW(rs.SetValue(QStringLiteral("KEN"), Variant(QString(51, 'x'))), VbError);
    rs.SetValue(QStringLiteral("KEN"), Variant(QString(50, 'x')));
    rs.Update();
}

TEST_F(RecordsetTest, DeleteWhileWalkingTheRows) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    for (int i = 0; i < 5; ++i)
        cnn.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (1, ?, ?)"),
                    {Variant(std::int16_t(i)), Variant(float(i) * 10)});
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [M1],[ID],[I1] FROM [E3] WHERE [ID] = 1 ORDER BY [I1]"), cnn);
    ASSERT_EQ(rs.RecordCount(), 5);
    rs.MoveNext();
    rs.MoveNext();
    while (!rs.eof()) {
        rs.Delete();
        rs.MoveNext();
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E3]")), 2);
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_THROW(rs.MoveNext(), VbError);
    rs.MoveFirst();
    rs.Delete();
    rs.MoveNext();
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.eof() && rs.bof());
    rs.Open(QStringLiteral("SELECT [M1] FROM [E3]"), cnn);
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST_F(RecordsetTest, ARecordsetOpenedForReadingReadsTheSameAndRefusesChanges) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'A', 1), (2, 'B', 0)"));
    Recordset read;
    read.OpenForReading(QStringLiteral("SELECT [KEN],[AKT],[ID] FROM [E1] WHERE [ID] >= ? ORDER BY [ID]"),
                        cnn, {Variant(std::int32_t(1))});
    Recordset changeable;
    changeable.Open(QStringLiteral("SELECT [KEN],[AKT],[ID] FROM [E1] WHERE [ID] >= ? ORDER BY [ID]"), cnn,
                    {Variant(std::int32_t(1))});
    ASSERT_EQ(read.RecordCount(), 2);
    ASSERT_EQ(read.FieldCount(), 3);
    for (; !read.eof(); read.MoveNext(), changeable.MoveNext())
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(read.Value(f), changeable.Value(f));
    read.MoveFirst();
    EXPECT_THROW(read.SetValue(0, Variant(QStringLiteral("C"))), VbError);
    EXPECT_THROW(read.Delete(), VbError);
    EXPECT_THROW(read.AddNew(), VbError);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='A'")), 1);
}

TEST_F(RecordsetTest, DeletingTheRecordDeletesItsRowsEverywhere) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    cnn.Execute(QStringLiteral("INSERT INTO E2 (ID) VALUES (1)"));
    cnn.Execute(QStringLiteral("INSERT INTO E3 (ID, I1) VALUES (1, 0)"));
    cnn.Execute(QStringLiteral("INSERT INTO A1 (ID) VALUES (1)"));
    cnn.Execute(QStringLiteral("INSERT INTO A2 (ID, I1) VALUES (1, 0)"));
    cnn.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT) VALUES (1, 11)"));
    cnn.Execute(QStringLiteral("DELETE FROM E1 WHERE ID=1"));
    for (const char* t : {"E2", "E3", "A1", "A2", "G0"}) EXPECT_EQ(count(QStringLiteral("SELECT * FROM ") + t), 0) << t;
}

TEST_F(RecordsetTest, ATransactionLeavesTheDataAsItWasUnlessCommitted) {
    {
        Connection::Transaction outer(cnn);
        cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
        {
            Connection::Transaction inner(cnn);
            cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (2, 'B')"));
        } // not committed: B goes
        outer.commit();
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1]")), 1);
    {
        Connection::Transaction t(cnn);
        cnn.Execute(QStringLiteral("DELETE FROM E1"));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1]")), 1);
    EXPECT_FALSE(cnn.inTransaction());
}

// A command's scope commits once and never undoes what the command wrote, also where a transfer inside it
// failed and undid its own rows; two scopes one after the other reuse the same savepoint names.
TEST_F(RecordsetTest, ACommandScopeCommitsOnceAndKeepsWhatWasWritten) {
    testsupport::CommitCounter counter(cnn);
    for (int round = 0; round < 2; ++round) {
        Connection::CommandScope command(cnn);
        cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (?, 'A')"), {Variant(std::int32_t(10 + round))});
        {
            Connection::Transaction transfer(cnn);
            cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (?, 'B')"), {Variant(std::int32_t(20 + round))});
        } // a failed transfer: only its own row goes
        cnn.Execute(QStringLiteral("UPDATE E1 SET KOM = 'x' WHERE ID = ?"), {Variant(std::int32_t(10 + round))});
        if (round == 0) command.End(); // the second round commits when the scope ends
    }
    EXPECT_EQ(counter.commits(), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KOM]='x'")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='B'")), 0);
    EXPECT_FALSE(cnn.inTransaction());
}

// The connection keeps a bounded number of prepared statements: a run that builds many distinct ones makes
// it drop old ones one at a time, and a recordset whose statements went keeps reading and writing.
TEST_F(RecordsetTest, ManyDistinctStatementsKeepEveryRecordsetWorking) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [ID]=1"), cnn);
    rs.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("B")));
    rs.Update();
    for (int i = 0; i < 600; ++i) {
        Recordset other;
        other.OpenForReading(QStringLiteral("SELECT %1 AS n").arg(i), cnn);
        ASSERT_EQ(other.Value(0), Variant(std::int32_t(i)));
        if (i % 50 == 0) {
            EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='B'")), 1);
        }
    }
    rs.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("C")));
    rs.Update();
    rs.Close();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='C'")), 1);
}

// A value assigned as the table holds it is not written again; one that differs in its last bit, or a
// value stored with more precision than the field's type holds, is.
TEST_F(RecordsetTest, OnlyValuesThatChangeTheTableAreWritten) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (1, 'A')"));
    cnn.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1, HS) VALUES (1, 0, 1.5, 0.1)"));
    const auto changes = [&] { return sqlite3_total_changes(cnn.handle()); };
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [M1],[HS],[ID] FROM [E3] WHERE [ID]=1"), cnn);
    int before = changes();
    rs.SetValue(0, Variant(1.5f));
    rs.SetValue(2, Variant(std::int32_t(1)));
    rs.Update();
    EXPECT_EQ(changes(), before);
    rs.SetValue(1, Variant(0.1f)); // HS holds the double 0.1, which no Single is
    rs.Update();
    EXPECT_EQ(changes(), before + 1);
    before = changes();
    rs.SetValue(0, Variant(std::nextafter(1.5f, 2.0f)));
    rs.Update();
    EXPECT_EQ(changes(), before + 1);
    Recordset check;
    check.OpenForReading(QStringLiteral("SELECT [M1],[HS] FROM [E3] WHERE [ID]=1"), cnn);
    EXPECT_EQ(check.Value(0), Variant(std::nextafter(1.5f, 2.0f)));
    EXPECT_EQ(check.Value(1), Variant(0.1f));
}

TEST_F(RecordsetTest, AggregatesAreReadOnly) {
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (3, 'A')"));
    Recordset rs;
    rs.Open(QStringLiteral("SELECT MAX([ID]) FROM E1"), cnn);
    EXPECT_EQ(rs.Value(0), Variant(std::int32_t(3)));
    EXPECT_THROW(rs.SetValue(0, Variant(std::int32_t(4))), VbError);
}

TEST(Connection, RefusesMissingFilesAndFilesThatAreNoDatabase) {
    testsupport::TempDir dir;
    SystemLocale::Override en(QStringLiteral("en"), QStringLiteral("."));
    Connection cnn;
    try {
        cnn.Open(dir.file(QStringLiteral("missing.mdb")));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("Could not find file"))) << e.Description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("missing.mdb")))); // nothing was created
    QFile f(dir.file(QStringLiteral("text.mdb")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    try {
        cnn.Open(dir.file(QStringLiteral("text.mdb")));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("is not a database"))) << e.Description().toStdString();
    }
    EXPECT_FALSE(cnn.isOpen());
}

TEST(Connection, OpensByConnectionStringAndReopensInPlace) {
    testsupport::TempDir dir;
    const QString path = dir.file(QStringLiteral("A.mdb"));
    schema::create(schema::Database::Archive, path);
    Connection cnn;
    cnn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path + QStringLiteral(";Persist Security Info=False"));
    EXPECT_EQ(cnn.path(), path);
    cnn.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER) VALUES ('X')"));
    cnn.Reopen();
    Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='x'"), cnn);
    EXPECT_EQ(rs.RecordCount(), 1);
}

} // namespace
