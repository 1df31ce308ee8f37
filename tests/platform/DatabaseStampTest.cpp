// What a database file was at one moment: any committed write, or another file put in its place, changes
// the stamp; reading does not.
#include "platform/db/DatabaseStamp.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "Schema.h"
#include "TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QFile>
#include <sys/stat.h>

using platform::Connection;
using platform::DatabaseStamp;

namespace {

TEST(DatabaseStamp, AWriteChangesItAReadDoesNot) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb"));
    EXPECT_FALSE(DatabaseStamp::of(file).exists());
    schema::create(schema::Database::Project, file);
    const DatabaseStamp before = DatabaseStamp::of(file);
    ASSERT_TRUE(before.exists());
    Connection c;
    c.Open(file);
    {
        platform::Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM E1"), c);
    }
    EXPECT_EQ(DatabaseStamp::of(file), before);

    // A write that keeps the size, with the time of change put back: the engine's counter still tells.
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
    c.Execute(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, 'x')"));
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
    const DatabaseStamp after = DatabaseStamp::of(file);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modified, before.modified);
    EXPECT_EQ(after.changeCounter, before.changeCounter + 1);
    EXPECT_NE(after, before);
}

// Another user's Save renames its copy over the file: a file of the same size and change counter, written
// within the same tick of the file system's clock as the one it replaces, is still another file.
TEST(DatabaseStamp, AnotherFilePutInItsPlaceChangesItHoweverAlikeTheTwoAre) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb"));
    const QString copy = dir.file(QStringLiteral("TAMBRIN.mdb.tmp"));
    schema::create(schema::Database::Project, file);
    ASSERT_TRUE(QFile::copy(file, copy));
    struct stat info = {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(copy).constData(), times, 0), 0);
    const DatabaseStamp before = DatabaseStamp::of(file);
    ASSERT_EQ(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(file).constData()), 0);
    const DatabaseStamp after = DatabaseStamp::of(file);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modified, before.modified);
    EXPECT_EQ(after.changeCounter, before.changeCounter);
    EXPECT_NE(after, before);
}

TEST(DatabaseStamp, ItsTextReadsBack) {
    const DatabaseStamp stamp{123456, 1765400000123456789, 4000000000u, 2049, 18446744073709551615u};
    EXPECT_EQ(DatabaseStamp::fromText(stamp.text()), stamp);
    EXPECT_EQ(DatabaseStamp::fromText(stamp.text())->inode, stamp.inode);
    // As an earlier version noted it: the same file as far as it can tell.
    const std::optional<DatabaseStamp> older =
        DatabaseStamp::fromText(QStringLiteral("123456 1765400000123456789 4000000000"));
    ASSERT_TRUE(older.has_value());
    EXPECT_EQ(*older, stamp);
    for (const char* text : {"", "1 2", "1 2 x", "a b c", "1 2 3 4", "1 2 3 4 x", "1 2 3 4 5 6"})
        EXPECT_FALSE(DatabaseStamp::fromText(QString::fromLatin1(text)).has_value()) << text;
}

} // namespace
