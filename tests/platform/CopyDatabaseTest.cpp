#include "ChildLock.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "Schema.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

float massOf(const QString& marker) {
    return marker == QLatin1String("old") ? 1.0f : 2.0f;
}

// A project database whose records all carry one marker: the comment of E1 and the mass of E3.
void fill(const QString& path, const QString& marker, int records) {
    schema::create(schema::Database::Project, path);
    Connection c;
    c.Open(path);
    Connection::Transaction t(c);
    const QString comment = marker + QString(200, QLatin1Char('.'));
    for (int id = 1; id <= records; ++id) {
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (?, ?, ?, 0)"),
                  {Variant(std::int32_t(id)), Variant(QStringLiteral("R%1").arg(id)), Variant(comment)});
        for (short i = 0; i < 4; ++i)
            c.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (?, ?, ?)"),
                      {Variant(std::int32_t(id)), Variant(i), Variant(massOf(marker))});
    }
    t.commit();
}

QString scalar(Connection& c, const QString& sql) {
    Recordset rs;
    rs.Open(sql, c);
    return rs.eof() || rs.Value(0).isNull() ? QString() : CStr(rs.Value(0));
}

// "old" or "new" when the file is sound and holds exactly one of the two versions; what is wrong otherwise.
QString version(const QString& path, int oldRecords, int newRecords) {
    try {
        Connection c;
        c.Open(path);
        const QString check = scalar(c, QStringLiteral("PRAGMA integrity_check"));
        if (check != QLatin1String("ok")) return QStringLiteral("integrity: ") + check;
        const QString records = scalar(c, QStringLiteral("SELECT COUNT(*) FROM E1"));
        const QString markers = scalar(c, QStringLiteral("SELECT COUNT(DISTINCT substr(KOM, 1, 3)) FROM E1"));
        const QString marker = scalar(c, QStringLiteral("SELECT substr(MIN(KOM), 1, 3) FROM E1"));
        const QString readings = scalar(c, QStringLiteral("SELECT COUNT(*) FROM E3"));
        const QString ofMarker =
            scalar(c, QStringLiteral("SELECT COUNT(*) FROM E3 WHERE M1 = %1").arg(double(massOf(marker))));
        const int n = marker == QLatin1String("old") ? oldRecords : newRecords;
        if (markers != QLatin1String("1") || records.toInt() != n || readings.toInt() != 4 * n ||
            ofMarker != readings)
            return QStringLiteral("mixed: %1 records, %2 markers, %3 readings")
                .arg(records, markers, readings);
        return marker;
    } catch (const VbError& e) {
        return e.Description();
    }
}

TEST(CopyDatabase, WritesTheWholeDatabaseAndKeepsTheTargetsPermissions) {
    testsupport::TempDir dir;
    const QString source = dir.file(QStringLiteral("source.mdb")),
                  target = dir.file(QStringLiteral("target.mdb"));
    fill(source, QStringLiteral("new"), 20);
    fill(target, QStringLiteral("old"), 5);
    QFile::setPermissions(target,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
    Connection::CopyDatabase(source, target);
    EXPECT_EQ(version(target, 5, 20), QStringLiteral("new"));
    EXPECT_EQ(QFile::permissions(target) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther),
              QFile::ReadGroup | QFile::WriteGroup);
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".tmp")));
}

TEST(CopyDatabase, AFailedCopyLeavesTheTargetAsItWas) {
    testsupport::TempDir dir;
    const QString target = dir.file(QStringLiteral("target.mdb"));
    fill(target, QStringLiteral("old"), 5);
    const QString notADatabase = dir.file(QStringLiteral("text.mdb"));
    QFile f(notADatabase);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, 'x'));
    f.close();
    const struct {
        const char* name;
        QString source;
        QString target;
    } cases[] = {
        {"source missing", dir.file(QStringLiteral("missing.mdb")), target},
        {"source no database", notADatabase, target},
        {"target folder missing", target, dir.file(QStringLiteral("nowhere/target.mdb"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Connection::CopyDatabase(c.source, c.target), VbError);
        EXPECT_EQ(version(target, 5, 0), QStringLiteral("old"));
        EXPECT_FALSE(QFile::exists(c.target + QStringLiteral(".tmp")));
    }
}

// The copy runs in a child process that is killed at random moments, many times over: whenever it dies, the
// target is a sound database holding either all the old or all the new records.
TEST(CopyDatabase, AKilledCopyLeavesEitherTheOldOrTheNewDatabase) {
    testsupport::TempDir dir;
    const QString source = dir.file(QStringLiteral("working.mdb"));
    const QString target = dir.file(QStringLiteral("TAMBRIN.mdb"));
    const QString pristine = dir.file(QStringLiteral("old.mdb"));
    const int oldRecords = 3000, newRecords = 3600;
    fill(pristine, QStringLiteral("old"), oldRecords);
    fill(source, QStringLiteral("new"), newRecords);

    // One copy's duration sets the range of the moments to kill at, so that some land before the rename
    // and some after it.
    ASSERT_TRUE(QFile::copy(pristine, target));
    QElapsedTimer timer;
    timer.start();
    Connection::CopyDatabase(source, target);
    const qint64 copyMicroseconds = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);

    std::mt19937 random(20030801);
    std::uniform_int_distribution<qint64> moment(0, 2 * copyMicroseconds);
    std::map<QString, int> seen;
    for (int round = 0; round < 40; ++round) {
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(pristine, target));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (;;)
                    Connection::CopyDatabase(source, target);
            } catch (...) {
                _exit(3);
            }
        }
        usleep(useconds_t(moment(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the copy failed in round " << round;
        const QString found = version(target, oldRecords, newRecords);
        ASSERT_TRUE(found == QLatin1String("old") || found == QLatin1String("new"))
            << "round " << round << ": " << found.toStdString();
        ++seen[found];
    }
    RecordProperty("killed_before_rename", seen[QStringLiteral("old")]);
    RecordProperty("killed_after_rename", seen[QStringLiteral("new")]);

    // What a killed copy left behind does not stand in the way of the next one.
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(pristine, target));
    Connection::CopyDatabase(source, target);
    EXPECT_EQ(version(target, oldRecords, newRecords), QStringLiteral("new"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".tmp")));
}

// The rename would go around the file's mode: a read-only project database is refused, as the original
// platform refused to overwrite a read-only file.
TEST(CopyDatabase, ARefusesAReadOnlyTarget) {
    testsupport::TempDir dir;
    const QString source = dir.file(QStringLiteral("source.mdb")),
                  target = dir.file(QStringLiteral("target.mdb"));
    fill(source, QStringLiteral("new"), 3);
    fill(target, QStringLiteral("old"), 2);
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup));
    try {
        Connection::CopyDatabase(source, target);
        ADD_FAILURE() << "a read-only target was replaced";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), VbError::PermissionDenied);
        EXPECT_TRUE(e.Description().contains(target));
    }
    EXPECT_EQ(version(target, 2, 3), QStringLiteral("old"));
    EXPECT_EQ(QFile::permissions(target) & (QFile::WriteOwner | QFile::ReadOwner), QFile::ReadOwner);
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".tmp")));
}

TEST(CopyDatabase, AStaleCopyGoesUnlessALiveCopyIsWritingIt) {
    testsupport::TempDir dir;
    const QString target = dir.file(QStringLiteral("TAMBRIN.mdb"));
    const QString temp = target + QStringLiteral(".tmp");
    for (const bool live : {false, true}) {
        SCOPED_TRACE(live ? "a live copy" : "a killed copy");
        QFile f(temp);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        testsupport::ChildLock writer(Connection::copyLockFile(target));
        ASSERT_TRUE(writer.holding());
        if (!live) writer.kill();
        Connection::RemoveStaleCopy(target);
        EXPECT_EQ(QFile::exists(temp), live);
        EXPECT_EQ(QFile::exists(Connection::copyLockFile(target)), live);
    }
}

TEST(Connection, AnEmptyFileIsNoDatabase) {
    testsupport::TempDir dir;
    const QString empty = dir.file(QStringLiteral("TAMBRIN.mdb"));
    QFile f(empty);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Connection c;
    try {
        c.Open(empty);
        ADD_FAILURE() << "an empty file opened as a database";
    } catch (const VbError& e) {
        EXPECT_TRUE(e.Description().contains(QStringLiteral("keine Datenbank")))
            << e.Description().toStdString();
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_EQ(QFile(empty).size(), 0); // the engine made no database of it
}

TEST(Connection, CheckDatabaseSaysWhatIsWrong) {
    testsupport::TempDir dir;
    const QStringList tables{QStringLiteral("E1"), QStringLiteral("E3"), QStringLiteral("G0")};
    const auto project = [&](const QString& name) {
        const QString path = dir.file(name);
        fill(path, QStringLiteral("old"), 400);
        return path;
    };
    const QString sound = project(QStringLiteral("sound.mdb"));
    const QString withoutG0 = project(QStringLiteral("ohne.mdb"));
    {
        Connection c;
        c.Open(withoutG0);
        c.Execute(QStringLiteral("DROP TABLE G0"));
    }
    const QString damaged = project(QStringLiteral("damaged.mdb"));
    {
        // Garbage over the pages after the schema: the tables' trees no longer hold together.
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 40 * 4096);
        f.seek(8 * 4096);
        f.write(QByteArray(16 * 4096, '\x5a'));
    }
    // A file large enough to be checked on several threads, sound and with garbage deep inside it.
    const QString large = dir.file(QStringLiteral("large.mdb"));
    fill(large, QStringLiteral("old"), 6000);
    ASSERT_GT(QFileInfo(large).size(), 2 * 1024 * 1024);
    const QString largeDamaged = dir.file(QStringLiteral("large-damaged.mdb"));
    ASSERT_TRUE(QFile::copy(large, largeDamaged));
    {
        QFile f(largeDamaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 4096 * 3 / 4 * 4096);
        f.write(QByteArray(8 * 4096, '\x5a'));
    }
    const QString empty = dir.file(QStringLiteral("empty.mdb"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString tableless = dir.file(QStringLiteral("tableless.mdb"));
    Connection::CreateDatabase(tableless, QStringLiteral("PRAGMA user_version = 1;"));

    EXPECT_NO_THROW(Connection::CheckDatabase(sound, tables));
    EXPECT_NO_THROW(Connection::CheckDatabase(large, tables));
    const struct {
        const char* name;
        QString path;
        const char* says;
    } cases[] = {
        {"empty", empty, "keine Datenbank"},
        {"damaged", damaged, "ist beschädigt"},
        {"damaged deep inside a large file", largeDamaged, "ist beschädigt"},
        {"a table missing", withoutG0, "fehlen die Tabellen G0."},
        {"no tables", tableless, "fehlen die Tabellen E1, E3, G0."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            Connection::CheckDatabase(c.path, tables);
            ADD_FAILURE() << "passed the check";
        } catch (const VbError& e) {
            EXPECT_TRUE(e.Description().contains(c.path));
            EXPECT_TRUE(e.Description().contains(QString::fromUtf8(c.says))) << e.Description().toStdString();
        }
    }
}

} // namespace
