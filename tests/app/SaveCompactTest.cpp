#include "ChildLock.h"
#include "Installation.h"
#include "LockFiles.h"
#include "SmallDisk.h"

#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/system/FileLock.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTimer>
#include <utility>

using platform::Connection;
using platform::Recordset;
using platform::Variant;
namespace Msg = platform::Msg;
using testsupport::Installation;

namespace {

// Every row of every table, as text: two databases with the same rows give the same list.
QStringList contents(const QString& database) {
    Connection c;
    c.Open(database);
    Recordset tables;
    tables.Open(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"), c);
    QStringList out;
    for (; !tables.eof(); tables.MoveNext()) {
        const QString table = tables.Value(0).asString();
        Recordset rs;
        rs.Open(QStringLiteral("SELECT * FROM [") + table + QStringLiteral("] ORDER BY 1, 2"), c);
        for (; !rs.eof(); rs.MoveNext()) {
            QStringList row{table};
            for (int i = 0; i < rs.FieldCount(); ++i)
                row << (rs.Value(i).isNull() ? QStringLiteral("<Null>") : platform::CStr(rs.Value(i)));
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

// Makes the project database exactly `bytes` long: a long comment brings it near, zeros beyond its last page
// make up the rest (the engine reads the size of the database from its header).
void growTo(const QString& database, qint64 bytes) {
    {
        Connection c;
        c.Open(database);
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (9, 'Gross', ?, 0)"),
                  {Variant(QString(int(bytes - 150000), QLatin1Char('x')))});
    }
    QFile f(database);
    ASSERT_LT(f.size(), bytes);
    ASSERT_TRUE(f.resize(bytes));
}

// A working copy with much free space: a large record written and deleted again.
void leaveFreeSpace(frmMAIN& w, int kilobytes) {
    w.cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (8, 'Weg', ?, 0)"),
                    {Variant(QString(kilobytes * 1000, QLatin1Char('y')))});
    w.cnnX->Execute(QStringLiteral("DELETE FROM E1 WHERE ID = 8"));
}

TEST(Save, MakesTheProjectDatabaseEqualToTheWorkingCopy) {
    Installation inst;
    frmMAIN& w = inst.start();
    w.cnnX->Execute(
        QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (2, 'Neu', 'Kommentar', 1, 1)"));
    w.cnnX->Execute(QStringLiteral("INSERT INTO E2 (ID, KENV, DC, HC) VALUES (2, 1, 10, 12.73)"));
    w.cnnX->Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (2, 0, 1850.5), (2, 1, 1902.25)"));
    w.cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU, RHPR) VALUES (2, 0, 1.93)"));
    w.cnnX->Execute(QStringLiteral("UPDATE E1 SET KOM = NULL WHERE ID = 1"));
    w.setDirty(true);
    Recordset before; // a recordset open during Save goes on working
    before.Open(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=2"), *w.cnnX);
    ASSERT_NE(contents(inst.projectDatabase()), contents(inst.workingCopy()));

    EXPECT_TRUE(w.saveProject());
    EXPECT_TRUE(inst.dialogs().asked().empty());
    EXPECT_FALSE(w.dirty());
    EXPECT_EQ(contents(inst.projectDatabase()), contents(inst.workingCopy()));
    EXPECT_FALSE(QFile::exists(inst.projectDatabase() + QStringLiteral(".tmp")));
    EXPECT_EQ(platform::ScreenPointer::current(), platform::ScreenPointer::Arrow);
    before.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("Neu2")));
    EXPECT_NO_THROW(before.Update());
}

TEST(Save, AFailedSaveSaysSoAndKeepsTheFlag) {
    Installation inst;
    frmMAIN& w = inst.start();
    w.setDirty(true);
    ASSERT_TRUE(QDir(inst.projectsFolder() + QStringLiteral("/P1")).removeRecursively());
    inst.dialogs().answer(Msg::OK);
    w.mnuSPEICHERN_Click();
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    EXPECT_TRUE(inst.dialogs().asked().front().prompt.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_EQ(inst.dialogs().asked().front().title, QStringLiteral("Speichern"));
    EXPECT_EQ(inst.dialogs().asked().front().style, Msg::OKCancel | Msg::Exclamation);
    EXPECT_TRUE(w.dirty());
    EXPECT_EQ(platform::ScreenPointer::current(), platform::ScreenPointer::Arrow);
}

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Put over the project, a working copy that is no sound project database would wipe it: Save refuses it
// with one message, keeps the dirty flag and leaves the project database as it was.
TEST(Save, RefusesAWorkingCopyThatIsNoSoundProjectDatabase) {
    const struct {
        const char* name;
        std::function<void(const QString& copy)> spoil;
        const char* says;
    } cases[] = {
        {"empty",
         [](const QString& copy) {
             QFile f(copy);
             ASSERT_TRUE(f.resize(0));
         },
         "keine Datenbank"},
        {"damaged",
         [](const QString& copy) {
             QFile f(copy);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             ASSERT_GT(f.size(), 40 * 4096);
             f.seek(8 * 4096);
             f.write(QByteArray(16 * 4096, '\x5a'));
         },
         "ist beschädigt"},
        {"no tables",
         [](const QString& copy) {
             QFile::remove(copy);
             Connection::CreateDatabase(copy, QStringLiteral("PRAGMA user_version = 1;"));
         },
         "fehlen die Tabellen E1, E2, E3, A1, A2, G0, M1, TAMBRIN_VE1, TAMBRIN_VE2."},
        {"a table missing",
         [](const QString& copy) {
             Connection c;
             c.Open(copy);
             c.Execute(QStringLiteral("DROP TABLE E1"));
         },
         "fehlen die Tabellen E1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        frmMAIN& w = inst.start();
        {
            Connection::Transaction t(*w.cnnX);
            for (int id = 2; id < 400; ++id)
                w.cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (?, ?, ?, 0)"),
                                {Variant(std::int32_t(id)), Variant(QStringLiteral("R%1").arg(id)),
                                 Variant(QString(300, QLatin1Char('k')))});
            t.commit();
        }
        w.cnnX->Close();
        c.spoil(inst.workingCopy());
        w.setDirty(true);
        const QByteArray project = bytesOf(inst.projectDatabase());
        inst.dialogs().answer(Msg::OK);

        EXPECT_FALSE(w.saveProject());
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& box = inst.dialogs().asked().front();
        EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("VB-Error: "))) << box.prompt.toStdString();
        EXPECT_TRUE(box.prompt.contains(QStringLiteral("Die Arbeitskopie wird nicht gespeichert: ")));
        EXPECT_TRUE(box.prompt.contains(QString::fromUtf8(c.says))) << box.prompt.toStdString();
        EXPECT_TRUE(box.prompt.endsWith(
            QStringLiteral("Die Projektdatenbank %1 bleibt, wie sie war.").arg(inst.projectDatabase())));
        EXPECT_EQ(box.title, QStringLiteral("Speichern"));
        EXPECT_TRUE(w.dirty());
        EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
        EXPECT_FALSE(QFile::exists(inst.projectDatabase() + QStringLiteral(".tmp")));
    }
}

// A copy that fails under the project's lock (here an unsound working copy) is told once the lock is let
// go: another user's Save, in another process, takes the lock while this user reads the message.
TEST(Save, AFailedCopyIsToldWithoutTheLock) {
    Installation inst;
    frmMAIN& w = inst.start();
    w.cnnX->Close();
    QFile copy(inst.workingCopy());
    ASSERT_TRUE(copy.resize(0));
    w.setDirty(true);
    testsupport::MeanwhileDialogs dialogs;
    w.setDialogs(&dialogs);
    bool otherSaveTookTheLock = false;
    dialogs.whileAsked = [&] {
        testsupport::ChildLock other(w.projectLockFile());
        otherSaveTookTheLock = other.holding();
    };
    dialogs.answer(Msg::OK);

    EXPECT_FALSE(w.saveProject());
    EXPECT_TRUE(otherSaveTookTheLock);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(
        dialogs.messages().front().contains(QStringLiteral("Die Arbeitskopie wird nicht gespeichert")));
    EXPECT_TRUE(w.dirty());
}

// The rename must not go around the file's mode: a read-only project database is refused as the original
// platform refused it, "Zugriff verweigert" (70).
TEST(Save, RefusesAReadOnlyProjectDatabase) {
    Installation inst;
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
    w.setDirty(true);
    const QFileDevice::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(inst.projectDatabase(), readOnly));
    const QByteArray project = bytesOf(inst.projectDatabase());
    inst.dialogs().answer(Msg::OK);
    EXPECT_FALSE(w.saveProject());
    EXPECT_EQ(inst.dialogs().messages(),
              QStringList{QStringLiteral("VB-Error: 70\nZugriff verweigert: ") + inst.projectDatabase()});
    EXPECT_TRUE(w.dirty());
    EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
    const QFileDevice::Permissions modes = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                           QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFile::permissions(inst.projectDatabase()) & modes, readOnly);
    EXPECT_FALSE(QFile::exists(inst.projectDatabase() + QStringLiteral(".tmp")));
}

// The project's folder on a small disk of its own (400 KB), holding the project database; the database is
// kept `aside` too.
std::unique_ptr<testsupport::SmallDisk> projectOnASmallDisk(Installation& inst, const QString& aside) {
    QFile::remove(aside);
    QFile::rename(inst.projectDatabase(), aside);
    auto disk =
        std::make_unique<testsupport::SmallDisk>(QFileInfo(inst.projectDatabase()).path(), 400 * 1024);
    if (disk->mounted()) QFile::copy(aside, inst.projectDatabase());
    return disk;
}

// A Save onto a full disk says so, naming the project database, and leaves it as it was.
TEST(Save, AFullDiskSaysSoAndKeepsTheProject) {
    Installation inst;
    const QString aside = inst.root() + QStringLiteral("/P1.mdb");
    growTo(inst.projectDatabase(), 300000);
    const auto disk = projectOnASmallDisk(inst, aside);
    if (!disk->mounted()) GTEST_SKIP() << disk->why().toStdString();
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
    w.setDirty(true);
    inst.dialogs().answer(Msg::OK);
    EXPECT_FALSE(w.saveProject());
    EXPECT_EQ(inst.dialogs().messages(),
              QStringList{QStringLiteral("VB-Error: 61\nDatenträger voll: Die Datei '%1' konnte nicht "
                                         "geschrieben werden.")
                              .arg(inst.projectDatabase())});
    EXPECT_TRUE(w.dirty());
    EXPECT_EQ(bytesOf(inst.projectDatabase()), bytesOf(aside));
    EXPECT_FALSE(QFile::exists(inst.projectDatabase() + QStringLiteral(".tmp")));
    inst.stop();
}

// Save puts the working copy over the project database only when nobody wrote that file since the copy was
// taken (records exported into it from another project, another user's Save), or the user says yes: No
// leaves the project database, the working copy and the dirty flag as they are.
TEST(Save, AProjectDatabaseChangedSinceTheCopyIsReplacedOnlyWhenTheUserSaysYes) {
    const struct {
        const char* name;
        const char* language;
        std::function<void(Installation&)> change;
        int answer;
        const char* says;
    } cases[] = {
        {"records exported into it, No", "de",
         [](Installation& inst) {
             Installation::addRecord(inst.projectDatabase(), 5, QStringLiteral("Fremd"));
         },
         Msg::No,
         "Die Projektdatenbank %1 wurde geändert, seit die Arbeitskopie angelegt wurde (zum Beispiel durch "
         "einen Export aus einem anderen Projekt oder das Speichern eines anderen Benutzers).\nSoll sie "
         "trotzdem "
         "durch die Arbeitskopie ersetzt werden? Diese Änderungen gehen dann verloren."},
        {"another user's Save, No", "en",
         [](Installation& inst) {
             const QString other = inst.root() + QStringLiteral("/anderer.mdb");
             ASSERT_TRUE(QFile::copy(inst.projectDatabase(), other));
             Installation::addRecord(other, 5, QStringLiteral("Fremd"));
             Connection::CopyDatabase(other, inst.projectDatabase());
         },
         Msg::No,
         "The project database %1 was changed since the working copy was made (for example by an export from "
         "another project or by another user's Save).\nReplace it by the working copy all the same? Those "
         "changes are then lost."},
        {"records exported into it, Yes", "de",
         [](Installation& inst) {
             Installation::addRecord(inst.projectDatabase(), 5, QStringLiteral("Fremd"));
         },
         Msg::Yes, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst(QString::fromLatin1(c.language));
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        w.setDirty(true);
        c.change(inst);
        const QByteArray project = bytesOf(inst.projectDatabase());
        const QByteArray copy = bytesOf(inst.workingCopy());
        inst.dialogs().clear();
        inst.dialogs().answer(c.answer);

        EXPECT_EQ(w.saveProject(), c.answer == Msg::Yes);
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& box = inst.dialogs().asked().front();
        if (c.says) {
            EXPECT_EQ(box.prompt, QString::fromUtf8(c.says).arg(inst.projectDatabase()));
        }
        // No is the default: Yes discards the other user's changes.
        EXPECT_EQ(box.style, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2);
        EXPECT_EQ(box.title, w.mnuSPEICHERN->text().remove(QLatin1Char('&')));
        EXPECT_EQ(bytesOf(inst.workingCopy()), copy);
        if (c.answer == Msg::No) {
            EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
            EXPECT_TRUE(w.dirty());
        } else {
            EXPECT_EQ(contents(inst.projectDatabase()), contents(inst.workingCopy()));
            EXPECT_FALSE(w.dirty());
        }
    }
}

// After a Save the project database is the working copy: the next Save replaces it without a question,
// and a change after that is found again.
TEST(Save, ASaveRenewsWhatTheNextSaveComparesWith) {
    Installation inst;
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.projectDatabase(), 5, QStringLiteral("Fremd"));
    inst.dialogs().answer(Msg::Yes);
    ASSERT_TRUE(w.saveProject());
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    inst.dialogs().clear();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
    EXPECT_TRUE(w.saveProject());
    EXPECT_TRUE(inst.dialogs().asked().empty());
    Installation::addRecord(inst.projectDatabase(), 6, QStringLiteral("Fremd 2"));
    inst.dialogs().answer(Msg::No);
    EXPECT_FALSE(w.saveProject());
    EXPECT_EQ(inst.dialogs().asked().size(), 1u);
}

// A working copy kept from an interrupted run is compared with the project database as it was when that
// copy was taken, not as it is at the next start.
TEST(Save, AWorkingCopyKeptFromAnInterruptedRunKnowsWhatItWasTakenFrom) {
    Installation inst;
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Arbeit"));
    const QByteArray copy = bytesOf(inst.workingCopy());
    const QString ownerFile = w.workingCopyOwnerFile();
    const QByteArray owner = bytesOf(ownerFile);
    inst.stop();
    // What the killed run left behind.
    for (const auto& [file, bytes] : {std::pair{inst.workingCopy(), copy}, std::pair{ownerFile, owner}}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    Installation::addRecord(inst.projectDatabase(), 5, QStringLiteral("Fremd"));
    const QByteArray project = bytesOf(inst.projectDatabase());
    inst.dialogs().clear();
    inst.dialogs().answer(Msg::Yes); // the kept copy is taken back
    frmMAIN& again = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    ASSERT_EQ(Installation::names(inst.workingCopy()), (QStringList{"Probe", "Arbeit"}));
    inst.dialogs().clear();
    inst.dialogs().answer(Msg::No);
    EXPECT_FALSE(again.saveProject());
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    EXPECT_TRUE(inst.dialogs().asked().front().prompt.startsWith(QStringLiteral("Die Projektdatenbank ")));
    EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
    EXPECT_TRUE(again.dirty());
}

// Another user's Save of the project: that user's working copy, with a record of its own, put over it.
void anotherUsersSave(Installation& inst) {
    const QString other = inst.root() + QStringLiteral("/anderer.mdb");
    QFile::remove(other);
    ASSERT_TRUE(QFile::copy(inst.projectDatabase(), other));
    Installation::addRecord(other, 5, QStringLiteral("Fremd"));
    Connection::CopyDatabase(other, inst.projectDatabase());
}

const char* const changedSinceCopy = "Die Projektdatenbank %1 wurde geändert, seit die Arbeitskopie angelegt";

// Another user's Save that ends while this one's compaction question is open is found: the project database
// is checked after the question, right before it is replaced, and the user is asked.
TEST(Save, AnotherUsersSaveWhileTheCompactionQuestionIsOpenIsAskedAbout) {
    Installation inst;
    growTo(inst.projectDatabase(), 10500000);
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
    w.setDirty(true);
    testsupport::MeanwhileDialogs dialogs;
    w.setDialogs(&dialogs);
    dialogs.whileAsked = [&] { anotherUsersSave(inst); };
    dialogs.answer(Msg::No).answer(Msg::No); // no compaction; keep the other user's Save

    EXPECT_FALSE(w.saveProject());
    const QStringList m = dialogs.messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_TRUE(m[0].startsWith(QStringLiteral("Datenbank hat 10,5 MB erreicht!")));
    EXPECT_TRUE(m[1].startsWith(QString::fromUtf8(changedSinceCopy).arg(inst.projectDatabase())));
    EXPECT_EQ(Installation::names(inst.projectDatabase()), QStringList({"Probe", "Fremd", "Gross"}));
    EXPECT_TRUE(w.dirty());
}

// Two users' Saves of one project take turns: a Save that finds the other's lock waits with the hourglass
// until the other Save has replaced the project database, and then asks as for any change since its copy.
TEST(Save, WaitsForAnotherUsersSaveAndThenAsks) {
    for (const int answer : {Msg::No, Msg::Yes}) {
        SCOPED_TRACE(answer);
        Installation inst;
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
        w.setDirty(true);
        platform::FileLock other(w.projectLockFile());
        ASSERT_EQ(other.take(), platform::FileLock::State::Taken);
        int pointer = -1;
        // The other Save ends as soon as this one waits.
        QTimer::singleShot(0, [&] {
            pointer = platform::ScreenPointer::current();
            anotherUsersSave(inst);
            other.release();
        });
        inst.dialogs().answer(answer);

        EXPECT_EQ(w.saveProject(), answer == Msg::Yes);
        EXPECT_EQ(pointer, platform::ScreenPointer::Hourglass);
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        EXPECT_TRUE(inst.dialogs().asked().front().prompt.startsWith(
            QString::fromUtf8(changedSinceCopy).arg(inst.projectDatabase())));
        EXPECT_EQ(Installation::names(inst.projectDatabase()),
                  answer == Msg::No ? QStringList({"Probe", "Fremd"}) : QStringList({"Probe", "Meins"}));
        EXPECT_EQ(w.dirty(), answer == Msg::No);
        EXPECT_FALSE(QFile::exists(w.projectLockFile()));
    }
}

// A lock that another run holds longer than a Save waits gives one message, naming who holds it: nothing is
// replaced and the changes stay to be saved. The lock of a run that was killed is taken over.
TEST(Save, ALockHeldLongerThanTheWaitGivesOneMessageAndOneOfAKilledRunIsTakenOver) {
    for (const char* language : {"de", "en"}) {
        SCOPED_TRACE(language);
        Installation inst{QString::fromLatin1(language)};
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
        w.setDirty(true);
        w.setSaveLockWait(std::chrono::milliseconds(300));
        testsupport::ChildLock other(w.projectLockFile(), QStringLiteral("MEIER"));
        ASSERT_TRUE(other.holding());
        const QByteArray project = bytesOf(inst.projectDatabase());

        EXPECT_FALSE(w.saveProject());
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& box = inst.dialogs().asked().front();
        const QDateTime since = platform::FileLock(w.projectLockFile()).holder()->since;
        EXPECT_EQ(
            box.prompt,
            QString::fromUtf8(language == std::string("de")
                                  ? "Die Projektdatenbank %1 ist gesperrt von Benutzer MEIER am Computer %2, "
                                    "seit %3: Sie wird gerade gespeichert, oder es werden Datensätze in sie "
                                    "exportiert.\nSie wurde nicht ersetzt; Ihre Änderungen bleiben in der "
                                    "Arbeitskopie. Bitte speichern Sie gleich noch einmal."
                                  : "The project database %1 is locked by user MEIER on computer %2, since "
                                    "%3: it is being saved, or records are being exported into it, right "
                                    "now.\nIt was not replaced; your changes stay in the working copy. "
                                    "Please save again in a moment.")
                .arg(inst.projectDatabase(), QSysInfo::machineHostName(),
                     platform::LockHolder::timeText(since)));
        EXPECT_EQ(box.style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(box.title, w.mnuSPEICHERN->text().remove(QLatin1Char('&')));
        EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
        EXPECT_TRUE(w.dirty());
        EXPECT_EQ(platform::ScreenPointer::current(), platform::ScreenPointer::Arrow);

        other.kill();
        inst.dialogs().clear();
        EXPECT_TRUE(w.saveProject());
        EXPECT_TRUE(inst.dialogs().asked().empty());
        EXPECT_EQ(Installation::names(inst.projectDatabase()), QStringList({"Probe", "Meins"}));
        EXPECT_FALSE(w.dirty());
        EXPECT_FALSE(QFile::exists(w.projectLockFile()));
    }
}

// The lock that a Save on another computer left when that computer died (a power cut, a frozen PC): a Save
// asks whether to take it over, naming the computer and the time, No being the default; Yes saves, No ends
// with no further box and keeps everything as it was. A lock that computer renewed a moment ago is a live
// Save's: no question, one message naming it.
// The lock the user is asked about is taken over only while it is still not renewed: renewed while the
// question is open (its computer was only slow), it is a live run's, waited for, and named in the one
// message; nothing is replaced.
TEST(Save, ALockRenewedWhileTheQuestionIsOpenIsWaitedForAndNamed) {
    const QByteArray lines = "31337\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000000\n";
    const QByteArray renewed =
        "31337\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000001\n";
    Installation inst;
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
    w.setDirty(true);
    w.setSaveLockWait(std::chrono::milliseconds(300));
    testsupport::leaveLock(w.projectLockFile(), lines, 3600);
    const QByteArray project = bytesOf(inst.projectDatabase());
    testsupport::MeanwhileDialogs dialogs;
    w.setDialogs(&dialogs);
    dialogs.whileAsked = [&] { testsupport::leaveLock(w.projectLockFile(), renewed, 0); };
    dialogs.answer(Msg::Yes).answer(Msg::OK);

    EXPECT_FALSE(w.saveProject());
    const QStringList m = dialogs.messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_TRUE(m[0].contains(QStringLiteral("Soll die Sperre aufgehoben")));
    EXPECT_TRUE(
        m[1].startsWith(QStringLiteral("Die Projektdatenbank %1 ist gesperrt von Benutzer MEIER am Computer "
                                       "labpc07")
                            .arg(inst.projectDatabase())))
        << m[1].toStdString();
    EXPECT_TRUE(m[1].contains(QStringLiteral("wird gerade gespeichert")));
    EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
    EXPECT_EQ(bytesOf(w.projectLockFile()), renewed);
    EXPECT_TRUE(w.dirty());
}

TEST(Save, AnotherComputersLockIsTakenOverOnlyAfterAQuestion) {
    const QByteArray lines = "31337\nTAMBRIN\nlabpc07\n";
    const char* const asks =
        "Die Projektdatenbank %1 ist gesperrt von einem unbekannten Benutzer am Computer labpc07, seit "
        "%2.\nDie "
        "Sperre wurde seit %2 nicht mehr erneuert: Vielleicht wurde das Programm dort nicht ordentlich "
        "beendet "
        "(Stromausfall, Absturz, eingefrorener Computer).\n\nAntworten Sie nur dann mit Ja, wenn TAMBRIN am "
        "Computer labpc07 nicht mehr läuft. Soll die Sperre aufgehoben und die Projektdatenbank gespeichert "
        "werden?";
    const char* const says =
        "Die Projektdatenbank %1 ist gesperrt von einem unbekannten Benutzer am Computer labpc07, seit %2: "
        "Sie "
        "wird gerade gespeichert, oder es werden Datensätze in sie exportiert.\nSie wurde nicht ersetzt; "
        "Ihre "
        "Änderungen bleiben in der Arbeitskopie. Bitte speichern Sie gleich noch einmal.";
    const struct {
        const char* name;
        qint64 secondsAgo;
        int answer;
        bool saved;
    } cases[] = {
        {"an hour old, Yes", 3600, Msg::Yes, true},
        {"an hour old, No", 3600, Msg::No, false},
        {"an hour old, Enter", 3600, 0, false},
        {"a moment old", 0, Msg::OK, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
        w.setDirty(true);
        w.setSaveLockWait(std::chrono::milliseconds(300));
        testsupport::leaveLock(w.projectLockFile(), lines, c.secondsAgo);
        const QDateTime touched = QFileInfo(w.projectLockFile()).lastModified();
        const QByteArray project = bytesOf(inst.projectDatabase());
        if (c.answer)
            inst.dialogs().answer(c.answer);
        else
            inst.dialogs().answerEnter();

        EXPECT_EQ(w.saveProject(), c.saved);
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& box = inst.dialogs().asked().front();
        const bool question = c.secondsAgo > 0;
        EXPECT_EQ(box.prompt.toStdString(),
                  QString::fromUtf8(question ? asks : says)
                      .arg(inst.projectDatabase(), platform::LockHolder::timeText(touched))
                      .toStdString());
        EXPECT_EQ(box.style, question ? Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2
                                      : Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(box.title, QStringLiteral("Speichern"));
        EXPECT_EQ(w.dirty(), !c.saved);
        if (c.saved) {
            EXPECT_EQ(Installation::names(inst.projectDatabase()), QStringList({"Probe", "Meins"}));
            EXPECT_FALSE(QFile::exists(w.projectLockFile()));
        } else {
            EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
            EXPECT_EQ(bytesOf(w.projectLockFile()), lines);
        }
    }
}

// A lock that can't be taken for a cause that waiting does not mend (a folder in the lock file's place, a
// project folder that may not be written, a full disk) says that cause once, at once: nothing is replaced and
// the changes stay in the working copy.
TEST(Save, ALockThatCantBeTakenSaysItsCauseOnceWithoutWaiting) {
    const struct {
        const char* name;
        std::function<bool(const QString& lockFile, testsupport::SmallDisk& disk)> spoil;
        bool namesFile;
        const char* cause;
    } cases[] = {
        {"an empty folder in the lock's place",
         [](const QString& lockFile, testsupport::SmallDisk&) { return QDir().mkpath(lockFile); }, true,
         "An der Stelle der Sperrdatei %1 steht ein Ordner."},
        {"a folder with files in the lock's place",
         [](const QString& lockFile, testsupport::SmallDisk&) {
             return QDir().mkpath(lockFile + QStringLiteral("/alt"));
         },
         true, "An der Stelle der Sperrdatei %1 steht ein Ordner."},
        {"a project folder that may not be written",
         [](const QString&, testsupport::SmallDisk& disk) { return disk.makeReadOnly(); }, false,
         "Der Ordner %1 darf nicht beschrieben werden."},
        {"a full disk", [](const QString&, testsupport::SmallDisk& disk) { return disk.fill(); }, false,
         "Der Datenträger des Ordners %1 ist voll."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        const QString folder = QFileInfo(inst.projectDatabase()).path();
        const auto disk = projectOnASmallDisk(inst, inst.root() + QStringLiteral("/projekt.mdb"));
        if (!disk->mounted()) GTEST_SKIP() << disk->why().toStdString();
        frmMAIN& w = inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        w.setDirty(true);
        ASSERT_TRUE(c.spoil(w.projectLockFile(), *disk));
        const QByteArray project = bytesOf(inst.projectDatabase());
        // Would run while the Save waited.
        bool waited = false;
        QTimer::singleShot(0, [&] { waited = true; });

        EXPECT_FALSE(w.saveProject());
        EXPECT_FALSE(waited);
        const QString named = c.namesFile ? w.projectLockFile() : folder;
        EXPECT_EQ(
            inst.dialogs().messages(),
            QStringList{QStringLiteral("Die Projektdatenbank %1 kann nicht gespeichert werden: %2\nSie wurde "
                                       "nicht ersetzt; Ihre Änderungen bleiben in der Arbeitskopie.")
                            .arg(inst.projectDatabase(), QString::fromUtf8(c.cause).arg(named))});
        EXPECT_EQ(inst.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(bytesOf(inst.projectDatabase()), project);
        EXPECT_TRUE(w.dirty());
        EXPECT_EQ(Installation::names(inst.workingCopy()), QStringList({"Probe", "Neu"}));
        QCoreApplication::processEvents();
    }
}

// The question about another user's change waits for its answer without the project's lock: another Save
// meanwhile goes through. After Yes the project database is checked again under the lock, and a change made
// while the question was open is asked about again.
TEST(Save, AChangeMadeWhileTheQuestionIsOpenIsAskedAboutAgain) {
    Installation inst;
    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Meins"));
    w.setDirty(true);
    w.setSaveLockWait(std::chrono::milliseconds(300));
    anotherUsersSave(inst);
    testsupport::MeanwhileDialogs dialogs;
    w.setDialogs(&dialogs);
    bool lockFree = false;
    dialogs.whileAsked = [&] {
        platform::FileLock other(w.projectLockFile());
        lockFree = other.take() == platform::FileLock::State::Taken;
        Installation::addRecord(inst.projectDatabase(), 6, QStringLiteral("Noch einer"));
    };
    dialogs.answer(Msg::Yes).answer(Msg::No);

    EXPECT_FALSE(w.saveProject());
    EXPECT_TRUE(lockFree);
    const QStringList m = dialogs.messages();
    ASSERT_EQ(m.size(), 2);
    for (const QString& asked : m)
        EXPECT_TRUE(asked.startsWith(QString::fromUtf8(changedSinceCopy).arg(inst.projectDatabase())));
    EXPECT_EQ(Installation::names(inst.projectDatabase()), QStringList({"Probe", "Fremd", "Noch einer"}));
    EXPECT_TRUE(w.dirty());
}

// A project database that is a symbolic link (to a file that others open) stays one: Save replaces the file
// it points to, and the next Save finds that file unchanged since.
TEST(Save, AProjectDatabaseThatIsALinkStaysOne) {
    for (const bool relative : {false, true}) {
        SCOPED_TRACE(relative);
        Installation inst;
        const QString shared = inst.root() + QStringLiteral("/GEMEINSAM/P1.mdb");
        ASSERT_TRUE(QDir().mkpath(QFileInfo(shared).path()));
        ASSERT_TRUE(QFile::rename(inst.projectDatabase(), shared));
        ASSERT_TRUE(QFile::link(relative ? QStringLiteral("../../GEMEINSAM/P1.mdb") : shared,
                                inst.projectDatabase()));
        ASSERT_EQ(Installation::names(inst.projectDatabase()), QStringList({"Probe"}));
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        w.setDirty(true);

        EXPECT_TRUE(w.saveProject());
        EXPECT_TRUE(inst.dialogs().asked().empty());
        EXPECT_TRUE(QFileInfo(inst.projectDatabase()).isSymLink());
        EXPECT_EQ(contents(shared), contents(inst.workingCopy()));
        const QStringList left = QDir(QFileInfo(shared).path()).entryList(QDir::Files);
        EXPECT_EQ(left, QStringList({"P1.mdb"}));
        EXPECT_EQ(QDir(QFileInfo(inst.projectDatabase()).path()).entryList(QDir::Files | QDir::System),
                  QStringList({"TAMBRIN.mdb"}));

        Installation::addRecord(inst.workingCopy(), 3, QStringLiteral("Noch eins"));
        EXPECT_TRUE(w.saveProject());
        EXPECT_TRUE(inst.dialogs().asked().empty());
        EXPECT_TRUE(QFileInfo(inst.projectDatabase()).isSymLink());
        EXPECT_EQ(Installation::names(shared), QStringList({"Probe", "Neu", "Noch eins"}));
    }
}

TEST(Save, OffersToCompactAWorkingCopyAbove10MB) {
    struct Case {
        qint64 bytes;
        const char* language;
        const char* decimalSign;
        const char* question; // empty: no question
        const char* title;
    };
    const Case cases[] = {
        {10000000, "de", ",", "", ""},
        {10049000, "de", ",", "", ""},
        {10100000, "de", ",", "Datenbank hat 10,1 MB erreicht! \nSoll die Datei komprimiert werden?",
         "Speichern"},
        {12345678, "de", ",", "Datenbank hat 12,3 MB erreicht! \nSoll die Datei komprimiert werden?",
         "Speichern"},
        {12345678, "en", ".", "Database reaches 12.3 MB! \nDo you want to compact the file?", "Save"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bytes) + " " + c.language);
        Installation inst(QString::fromLatin1(c.language), QString::fromLatin1(c.decimalSign));
        growTo(inst.projectDatabase(), c.bytes);
        frmMAIN& w = inst.start();
        ASSERT_EQ(QFileInfo(inst.workingCopy()).size(), c.bytes);
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        w.setDirty(true);
        inst.dialogs().answer(Msg::No);
        EXPECT_TRUE(w.saveProject());
        const QString question = QString::fromUtf8(c.question);
        if (question.isEmpty()) {
            EXPECT_TRUE(inst.dialogs().asked().empty());
        } else {
            ASSERT_EQ(inst.dialogs().asked().size(), 1u);
            const auto& q = inst.dialogs().asked().front();
            EXPECT_EQ(q.prompt, question);
            EXPECT_EQ(q.title, QString::fromUtf8(c.title));
            EXPECT_EQ(q.style, Msg::YesNo | Msg::Question | Msg::HelpButton);
            EXPECT_EQ(q.helpFile, w.helpFile());
            EXPECT_EQ(q.helpContext, 34);
        }
        // No copies the working copy as it is.
        EXPECT_EQ(Installation::names(inst.projectDatabase()),
                  (QStringList{QStringLiteral("Probe"), QStringLiteral("Neu"), QStringLiteral("Gross")}));
        EXPECT_FALSE(w.dirty());
    }
}

TEST(Save, YesCompactsReportsAndThenCopiesTheCompactedFile) {
    Installation inst;
    growTo(inst.projectDatabase(), 10500000);
    frmMAIN& w = inst.start();
    w.cnnX->Execute(QStringLiteral("UPDATE E1 SET KOM = 'klein' WHERE ID = 9"));
    w.setDirty(true);
    inst.dialogs().answer(Msg::Yes).answer(Msg::OK);
    EXPECT_TRUE(w.saveProject());
    const QStringList m = inst.dialogs().messages();
    ASSERT_EQ(m.size(), 2);
    EXPECT_TRUE(m[1].startsWith(QStringLiteral("Datenbank wurde um ")));
    EXPECT_LT(QFileInfo(inst.workingCopy()).size(), 1000000);
    EXPECT_EQ(contents(inst.projectDatabase()), contents(inst.workingCopy()));
    EXPECT_FALSE(w.dirty());
}

TEST(Compact, TheCompactionFileIsNamedAfterTheFileOnly) {
    const struct {
        const char* workingCopy;
        const char* compactionFile;
    } cases[] = {
        {"/inst/BENUTZER/PRUEFER/TAMBRIN.mdb", "/inst/BENUTZER/PRUEFER/TAMBRINTEMP.mdb"},
        {"/daten.mdb/BENUTZER/PRUEFER/TAMBRIN.mdb", "/daten.mdb/BENUTZER/PRUEFER/TAMBRINTEMP.mdb"},
        {"/inst/BENUTZER/PRUEFER/TAMBRIN.MDB", "/inst/BENUTZER/PRUEFER/TAMBRINTEMP.mdb"},
        {"/inst/a.mdb.b/TAMBRIN.mdb", "/inst/a.mdb.b/TAMBRINTEMP.mdb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmMAIN::compactionFile(QString::fromUtf8(c.workingCopy)),
                  QString::fromUtf8(c.compactionFile))
            << c.workingCopy;
}

TEST(Compact, ReportsTheSavingFromTheBytes) {
    const struct {
        int language;
        qint64 before, after;
        const char* decimalSign;
        const char* report;
    } cases[] = {
        {3, 12000000, 9600000, ",", "Datenbank wurde um 20 % auf 9,6 MB komprimiert !"},
        {1, 12000000, 9600000, ".", "Database was compact about 20 % to 9.6 MB!"},
        {3, 12345678, 10000000, ",", "Datenbank wurde um 19 % auf 10 MB komprimiert !"},
        {1, 1000000, 333000, ".", "Database was compact about 66.7 % to 0.3 MB!"},
        // Below 0.05 MB the sizes round to 0 MB; the saving still comes from the bytes.
        {3, 40000, 24576, ",", "Datenbank wurde um 38,6 % auf 0 MB komprimiert !"},
        {1, 0, 0, ".", "Database was compact about 0 % to 0 MB!"},
        {2, 12000000, 9600000, ".", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmMAIN::compactReport(c.language, c.before, c.after, QString::fromLatin1(c.decimalSign)),
                  QString::fromUtf8(c.report))
            << c.before << " " << c.after;
}

TEST(Compact, ShrinksTheWorkingCopyInPlaceAndReports) {
    for (const char* language : {"de", "en"}) {
        SCOPED_TRACE(language);
        const bool english = QLatin1String(language) == QLatin1String("en");
        Installation inst(QString::fromLatin1(language), english ? QStringLiteral(".") : QStringLiteral(","));
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        leaveFreeSpace(w, 2000);
        const QStringList rows = contents(inst.workingCopy());
        const qint64 before = QFileInfo(inst.workingCopy()).size();
        const platform::Connection* connection = w.cnnX.get();
        Recordset open; // opened before Compact, written after it
        open.Open(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=2"), *w.cnnX);

        w.mnuKOMPRIMIEREN_Click();
        const qint64 after = QFileInfo(inst.workingCopy()).size();
        EXPECT_LT(after, before / 4);
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& report = inst.dialogs().asked().front();
        EXPECT_EQ(report.prompt, frmMAIN::compactReport(english ? 1 : 3, before, after, w.DEZIMALPUNKT));
        EXPECT_EQ(report.title,
                  english ? QStringLiteral("Compact Database") : QStringLiteral("Komprimieren"));
        EXPECT_EQ(report.style, Msg::OKOnly | Msg::Information);
        EXPECT_FALSE(QFile::exists(frmMAIN::compactionFile(inst.workingCopy())));
        EXPECT_EQ(contents(inst.workingCopy()), rows);
        EXPECT_EQ(w.cnnX.get(), connection);
        EXPECT_TRUE(w.cnnX->isOpen());
        open.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("Neu2")));
        EXPECT_NO_THROW(open.Update());
        EXPECT_EQ(Installation::names(inst.workingCopy()),
                  (QStringList{QStringLiteral("Probe"), QStringLiteral("Neu2")}));
        EXPECT_EQ(platform::ScreenPointer::current(), platform::ScreenPointer::Default);
    }
}

TEST(Compact, ALeftoverCompactionFileIsReplaced) {
    Installation inst;
    frmMAIN& w = inst.start();
    QFile stale(frmMAIN::compactionFile(inst.workingCopy()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("left by an earlier run");
    stale.close();
    w.mnuKOMPRIMIEREN_Click();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 1); // the report only
    EXPECT_FALSE(QFile::exists(frmMAIN::compactionFile(inst.workingCopy())));
    EXPECT_EQ(Installation::names(inst.workingCopy()), QStringList{QStringLiteral("Probe")});
}

// When no compacted file can be written, the working copy stays as it was and its connection works.
TEST(Compact, AFailedCompactionKeepsTheWorkingCopy) {
    for (const int answer : {Msg::OK, Msg::Cancel}) {
        SCOPED_TRACE(answer == Msg::OK ? "OK" : "Cancel");
        Installation inst;
        frmMAIN& w = inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu"));
        const QStringList rows = contents(inst.workingCopy());
        ASSERT_TRUE(
            QDir().mkdir(frmMAIN::compactionFile(inst.workingCopy()))); // nothing can be written there
        inst.dialogs().answer(answer);
        w.mnuKOMPRIMIEREN_Click();
        ASSERT_EQ(inst.dialogs().asked().size(), 1u); // the error, no report
        EXPECT_TRUE(inst.dialogs().asked().front().prompt.startsWith(QStringLiteral("VB-Error: ")));
        EXPECT_EQ(inst.dialogs().asked().front().title, QStringLiteral("Komprimieren"));
        EXPECT_EQ(contents(inst.workingCopy()), rows);
        ASSERT_TRUE(w.cnnX->isOpen());
        EXPECT_NO_THROW(w.cnnX->Execute(QStringLiteral("UPDATE E1 SET KOM = 'weiter' WHERE ID = 2")));
        EXPECT_EQ(platform::ScreenPointer::current(), platform::ScreenPointer::Default);
    }
}

} // namespace
