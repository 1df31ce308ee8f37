// The cause of a database failure, told by the database layer from what really went wrong: a full disk, a
// read-only or locked database, a file that is no database or is damaged, a disk that can't be written.
// A refusal whose text reads like one of them is none of them.
#include "platform/db/DatabaseFailure.h"
#include "FileSizeLimit.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/system/FileSystem.h"
#include "TempDir.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace platform;

namespace {

// A database of one table with a few hundred rows of text, so that garbage over its middle pages hits them.
QString database(const testsupport::TempDir& dir) {
    const QString path = dir.file(QStringLiteral("f.db"));
    Connection::CreateDatabase(path, QStringLiteral("CREATE TABLE t (x TEXT NOT NULL);"));
    Connection c;
    c.Open(path);
    Connection::Transaction t(c);
    for (int i = 0; i < 400; ++i)
        c.Execute(QStringLiteral("INSERT INTO t VALUES (?)"), {Variant(QString(300, QLatin1Char('x')))});
    t.commit();
    return path;
}

void growBy(Connection& c, int bytes) {
    c.Execute(QStringLiteral("INSERT INTO t VALUES (hex(zeroblob(%1)))").arg(bytes / 2));
}

void garbageOverItsPages(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(f.size(), 24 * 4096);
    f.seek(8 * 4096);
    f.write(QByteArray(16 * 4096, '\x5a'));
}

} // namespace

TEST(DatabaseFailure, TheLayerTellsWhatWentWrong) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> before; // done to the file before it is opened
        std::function<void(Connection& c)> fail;         // throws what the layer raised
        DatabaseFailure cause;
    };
    const auto nothing = [](const QString&) {};
    const std::vector<Case> cases = {
        {"disk full", nothing,
         [](Connection& c) {
             c.Execute(QStringLiteral("PRAGMA max_page_count=%1").arg(QFileInfo(c.path()).size() / 4096 + 1));
             growBy(c, 200000);
         },
         DatabaseFailure::DiskFull},
        {"read-only", nothing,
         [](Connection& c) {
             c.Execute(QStringLiteral("PRAGMA query_only=1"));
             growBy(c, 10);
         },
         DatabaseFailure::ReadOnly},
        {"locked by another connection", nothing,
         [](Connection& c) {
             Connection other;
             other.Open(c.path());
             other.Execute(QStringLiteral("BEGIN IMMEDIATE"));
             c.Execute(QStringLiteral("PRAGMA busy_timeout=0"));
             growBy(c, 10);
         },
         DatabaseFailure::Busy},
        {"a table its own connection is still reading", nothing,
         [](Connection& c) {
             ASSERT_EQ(sqlite3_step(c.statement(QStringLiteral("SELECT x FROM t"))), SQLITE_ROW);
             c.Execute(QStringLiteral("DROP TABLE t"));
         },
         DatabaseFailure::Other},
        {"no database",
         [](const QString& path) {
             QFile f(path);
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write(QByteArray("Kopf;Wert\n").repeated(500));
         },
         [](Connection&) {}, DatabaseFailure::NotADatabase},
        {"damaged, read", garbageOverItsPages,
         [](Connection& c) {
             Recordset rs;
             rs.OpenForReading(QStringLiteral("SELECT x FROM t"), c);
         },
         DatabaseFailure::Damaged},
        {"damaged, checked", garbageOverItsPages,
         [](Connection& c) { Connection::CheckDatabase(c.path(), {QStringLiteral("t")}); },
         DatabaseFailure::Damaged},
        {"disk can't be written", nothing,
         [](Connection& c) {
             testsupport::FileSizeLimit limit(rlim_t(QFileInfo(c.path()).size()));
             growBy(c, 200000);
         },
         DatabaseFailure::DeviceIO},
        {"a refusal that reads like a full disk", nothing,
         [](Connection& c) {
             c.Execute(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON t BEGIN SELECT RAISE(ABORT, "
                                      "'database or disk is full'); END"));
             growBy(c, 10);
         },
         DatabaseFailure::Other},
        {"a refused value", nothing,
         [](Connection& c) { c.Execute(QStringLiteral("INSERT INTO t VALUES (NULL)")); },
         DatabaseFailure::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const QString path = database(dir);
        c.before(path);
        try {
            Connection connection;
            connection.Open(path);
            c.fail(connection);
            ADD_FAILURE() << "nothing failed";
        } catch (const std::exception& e) {
            EXPECT_EQ(databaseFailure(e), c.cause) << e.what();
        }
    }
}

// A database file copied byte by byte fails as any file does: a full or failing disk is told as such.
TEST(DatabaseFailure, FileErrorsOfTheDiskAreToldToo) {
    EXPECT_EQ(databaseFailure(FileSystem::WriteError(QStringLiteral("/x"), ENOSPC)),
              DatabaseFailure::DiskFull);
    EXPECT_EQ(databaseFailure(FileSystem::WriteError(QStringLiteral("/x"), EIO)), DatabaseFailure::DeviceIO);
    EXPECT_EQ(databaseFailure(VbError::overflow()), DatabaseFailure::Other);
    EXPECT_EQ(databaseFailure(std::runtime_error("disk I/O error")), DatabaseFailure::Other);
}
