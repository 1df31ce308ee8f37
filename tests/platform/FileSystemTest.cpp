#include "platform/system/FileSystem.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"
#include "platform/system/SettingsStore.h"
#include "TempDir.h"
#include "TestRun.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <QFile>
#include <QSettings>

using namespace platform;

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

TEST(FileSystem, CopyMoveDeleteAndSizes) {
    testsupport::TempDir dir;
    const QString a = dir.file(QStringLiteral("a.mdb")), b = dir.file(QStringLiteral("b.mdb"));
    writeFile(a, "12345");
    EXPECT_EQ(FileSystem::FileSize(a), 5);
    FileSystem::CopyFile(a, b);
    EXPECT_TRUE(FileSystem::FileExists(b));
    EXPECT_THROW(FileSystem::CopyFile(a, b, false), VbError);
    EXPECT_THROW(FileSystem::MoveFile(a, b), VbError); // the target exists
    FileSystem::DeleteFile(b);
    FileSystem::MoveFile(a, b);
    EXPECT_FALSE(FileSystem::FileExists(a));
    EXPECT_THROW(FileSystem::DeleteFile(a), VbError);
    QFile::setPermissions(b, QFile::ReadOwner);
    EXPECT_THROW(FileSystem::DeleteFile(b), VbError); // read-only and not forced
    FileSystem::DeleteFile(b, true);
    EXPECT_FALSE(FileSystem::FileExists(b));
}

TEST(FileSystem, ACopyNeverReplacesAReadOnlyFileAndLeavesNoHalfCopy) {
    testsupport::TempDir dir;
    const QString a = dir.file(QStringLiteral("a.mdb")), b = dir.file(QStringLiteral("b.mdb"));
    writeFile(a, "new");
    writeFile(b, "old");
    QFile::setPermissions(b, QFile::ReadOwner);
    try {
        FileSystem::CopyFile(a, b);
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), VbError::PermissionDenied);
    }
    QFile f(b);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(b + QStringLiteral(".tmp")));
    // A copy that was stopped half way does not stand in the way of the next.
    QFile::setPermissions(b, QFile::ReadOwner | QFile::WriteOwner);
    writeFile(b + QStringLiteral(".tmp"), "half");
    FileSystem::CopyFile(a, b);
    EXPECT_EQ(FileSystem::FileSize(b), 3);
    EXPECT_FALSE(QFile::exists(b + QStringLiteral(".tmp")));
}

TEST(FileSystem, AFailedWriteSaysWhatHappened) {
    const QString file = QStringLiteral("/daten/TAMBRIN.mdb");
    const struct {
        int errorNumber;
        long number;
        const char* says;
    } cases[] = {
        {ENOSPC, 61, "Datenträger voll: Die Datei '/daten/TAMBRIN.mdb' konnte nicht geschrieben werden."},
        {EDQUOT, 61, "Datenträger voll"},
        {EACCES, 70, "Zugriff verweigert: /daten/TAMBRIN.mdb"},
        {EROFS, 70, "Zugriff verweigert"},
        {ENOENT, 76, "Pfad nicht gefunden: /daten/TAMBRIN.mdb"},
        {EIO, 57, "E/A-Gerätefehler: Die Datei '/daten/TAMBRIN.mdb' konnte nicht geschrieben werden ("},
    };
    const SystemLocale::Override german(QStringLiteral("de"), QStringLiteral(","));
    for (const auto& c : cases) {
        const VbError e = FileSystem::WriteError(file, c.errorNumber);
        EXPECT_EQ(e.Number(), c.number) << c.says;
        EXPECT_TRUE(e.Description().startsWith(QString::fromUtf8(c.says))) << e.Description().toStdString();
    }
}

TEST(FileSystem, FoldersAndNames) {
    testsupport::TempDir dir;
    const QString f = FileSystem::BuildPath(dir.path(), QStringLiteral("BENUTZER"));
    FileSystem::CreateFolder(f);
    EXPECT_TRUE(FileSystem::FolderExists(f));
    EXPECT_THROW(FileSystem::CreateFolder(FileSystem::BuildPath(dir.path(), QStringLiteral("x/y"))), VbError);
    EXPECT_EQ(FileSystem::GetParentFolderName(QStringLiteral("/a/b/c.mdb")), QStringLiteral("/a/b"));
    EXPECT_EQ(FileSystem::GetParentFolderName(QStringLiteral("/a/b/")), QStringLiteral("/a"));
    EXPECT_EQ(FileSystem::GetFileName(QStringLiteral("/a/b/c.mdb")), QStringLiteral("c.mdb"));
    EXPECT_EQ(FileSystem::BuildPath(QStringLiteral("/a/"), QStringLiteral("b")), QStringLiteral("/a/b"));
}

TEST(FileSystem, FileNameOfReplacesWhatAFileNameCantHold) {
    const struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"Probe B", "Probe B"},
        {"TE 1/2: Ton?", "TE 1_2_ Ton_"},
        {"a\\b*c\"d<e>f|g", "a_b_c_d_e_f_g"},
        {"Zeile\nzwei\t", "Zeile_zwei_"},
        {"Übergröße.pdf", "Übergröße.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileSystem::FileNameOf(QString::fromUtf8(c.text)), QString::fromUtf8(c.name)) << c.text;
}

TEST(Clock, DateAndTimeValuesAndTheFixedClock) {
    EXPECT_EQ(Clock::dateValue(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(Clock::dateValue(QDate(2003, 8, 1)), 37834.0);
    EXPECT_DOUBLE_EQ(Clock::timeValue(QTime(18, 0)), 0.75);
    {
        const Clock::Override fixed(QDateTime(QDate(2003, 8, 1), QTime(6, 0)));
        EXPECT_EQ(Clock::Date(), 37834.0);
        EXPECT_DOUBLE_EQ(Clock::Time(), 0.25);
    }
    EXPECT_GT(Clock::Date(), 37834.0); // the system's clock again
}

TEST(RunState, WorkingCopyPathCreatesTheUserFolders) {
    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), false});
    run.state().setUserName(QStringLiteral("mueller"));
    EXPECT_EQ(run.state().BENUTZER(), QStringLiteral("MUELLER"));
    const QString copy = run.state().XMDBPFAD();
    EXPECT_EQ(copy, run.dir().file(QStringLiteral("BENUTZER/MUELLER/TAMBRIN.mdb")));
    EXPECT_TRUE(FileSystem::FolderExists(run.dir().file(QStringLiteral("BENUTZER/MUELLER"))));
}

TEST(RunState, DevelopmentModeByTheProgramFolder) {
    RunState s;
    s.setProgramFolder(QStringLiteral("/home/x/Source/bin"));
    EXPECT_TRUE(s.developmentMode());
    s.setProgramFolder(QStringLiteral("/opt/tambrin/bin"));
    EXPECT_FALSE(s.developmentMode());
}

TEST(SettingsStore, DatabaseFolderIsReadOnEveryCall) {
    testsupport::TempDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    RunState s;
    EXPECT_EQ(s.DATENBANKPFAD(), QString());
    SettingsStore::SaveSetting(QStringLiteral("HELVANO"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"),
                               QStringLiteral("/data/db"));
    EXPECT_EQ(s.DATENBANKPFAD(), QStringLiteral("/data/db"));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("HELVANO/HELVANO.ini"))));
}

} // namespace
