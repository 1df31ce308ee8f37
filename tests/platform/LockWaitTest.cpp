// Connections of several users on one database file: they take turns, and only a lock held longer than a
// connection waits is reported, as the database being in use by another user.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"
#include "TempDir.h"

#include <chrono>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <thread>

using namespace platform;

namespace {

// A database with one table, made afresh.
QString database(testsupport::TempDir& dir) {
    const QString path = dir.file(QStringLiteral("ARCHIV.mdb"));
    Connection::CreateDatabase(path, QStringLiteral("CREATE TABLE T (A INTEGER);"));
    return path;
}

// The description of the error the call throws; empty when it throws none.
std::string failure(const std::function<void()>& call) {
    try {
        call();
    } catch (const VbError& e) {
        return e.Description().toStdString();
    }
    return {};
}

TEST(Connection, ALockHeldLongerThanTheWaitNamesTheDatabaseAsInUse) {
    constexpr std::chrono::milliseconds shortWait{200};
    const struct {
        const char* language;
        const char* says;
    } languages[] = {
        {"de", "Die Datenbank '%1' wird gerade von einem anderen Benutzer bearbeitet. Bitte versuchen Sie es "
               "gleich noch einmal."},
        {"en", "The database '%1' is in use by another user. Please try again in a moment."},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        SystemLocale::Override locale(QString::fromLatin1(l.language), QStringLiteral(","));
        testsupport::TempDir dir;
        const QString path = database(dir);
        Connection before;
        before.setLockWait(shortWait);
        before.Open(path);
        Connection other; // another user's program, in the middle of a write
        other.Open(path);
        other.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
        const std::string says = QString::fromUtf8(l.says).arg(path).toStdString();
        EXPECT_EQ(failure([&] {
                      Connection c;
                      c.setLockWait(shortWait);
                      c.Open(path);
                  }),
                  says)
            << "opening";
        EXPECT_EQ(failure([&] {
                      Recordset rs;
                      rs.Open(QStringLiteral("SELECT A FROM T"), before);
                  }),
                  says)
            << "reading";
        EXPECT_EQ(failure([&] { before.Execute(QStringLiteral("INSERT INTO T VALUES (1)")); }), says)
            << "writing";
        EXPECT_EQ(failure([&] { Connection::Transaction t(before); }), says) << "a transaction";
        other.Execute(QStringLiteral("COMMIT"));
        EXPECT_EQ(failure([&] { before.Execute(QStringLiteral("INSERT INTO T VALUES (1)")); }), "");
    }
}

// A transaction that reads and then writes, while another user's write is under way, waits for that write
// to end instead of failing at once (the engine can't turn a read lock into a write lock while the other
// holds its write lock).
TEST(Connection, ATransactionThatReadsAndThenWritesWaitsForAnotherUsersWrite) {
    testsupport::TempDir dir;
    const QString path = database(dir);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        std::promise<void> writing;
        std::thread other([&] {
            Connection o;
            o.Open(path);
            o.Execute(QStringLiteral("BEGIN IMMEDIATE"));
            o.Execute(QStringLiteral("INSERT INTO T VALUES (1)"));
            writing.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            o.Execute(QStringLiteral("COMMIT"));
        });
        writing.get_future().wait();
        Connection c;
        c.Open(path);
        const std::string failed = failure([&] {
            Connection::Transaction t(c);
            Recordset rs;
            rs.Open(QStringLiteral("SELECT COUNT(*) FROM T"), c);
            c.Execute(QStringLiteral("INSERT INTO T VALUES (?)"),
                      {Variant(std::int32_t(rs.Value(0).asLong() + 100))});
            t.commit();
        });
        other.join();
        EXPECT_EQ(failed, "");
        Recordset rows;
        rows.Open(QStringLiteral("SELECT COUNT(*) FROM T"), c);
        EXPECT_EQ(rows.Value(0).asLong(), 2 * (round + 1));
    }
}

} // namespace
