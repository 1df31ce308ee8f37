// Runs on computers that share the project and user folders on a file server, when one of them freezes (a
// suspended laptop, a hung PC) and another user takes its lock over: the frozen run, woken, writes and
// deletes nothing that the lock guards. And two runs that answer Yes to one stale lock at once.
#include "Installation.h"
#include "LockFiles.h"
#include "UserRunProcess.h"

#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/db/ProjectLock.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>
#include <vector>

using platform::Connection;
using platform::Variant;
namespace Msg = platform::Msg;
using testsupport::Installation;
using testsupport::UserRun;

namespace {

// A lock file whose holder stopped renewing it an hour ago: its computer froze.
void ageLock(const QString& file) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

QString commentOf(const QString& database, int id) {
    Connection c;
    c.Open(database);
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [KOM] FROM [E1] WHERE [ID]=%1").arg(id), c);
    return rs.eof() || rs.Value(0).isNull() ? QString() : rs.Value(0).asString();
}

bool waitUntilFrozen(UserRun& run) {
    for (int i = 0; i < 600 && !run.frozen(); ++i)
        QThread::msleep(10);
    return run.frozen();
}

// The user's run on labpc07 froze; the same user starts on this computer, is asked, says Yes and saves.
// labpc07 wakes up and is ended: its end deletes neither the working copy nor its owner file, which the
// run here works with now, and says once who took the lock over. The run here saves again.
TEST(FrozenComputer, AWokenRunWhoseLockWasTakenOverDeletesNothingAtItsEnd) {
    if (!UserRun::canPlayAnotherComputer()) GTEST_SKIP() << "another computer's name can't be played here";
    Installation inst;
    UserRun there(inst, Installation::user(), {QStringLiteral("labpc07"), {}});
    ASSERT_EQ(there.line(), QStringLiteral("ready"));
    there.send(QStringLiteral("start"));
    ASSERT_EQ(there.answer(), "started 0 1");
    there.freeze();
    ageLock(inst.runLock());

    UserRun here(inst, Installation::user());
    ASSERT_EQ(here.line(), QStringLiteral("ready"));
    for (int i = 0; i < 2; ++i) {
        here.send(QStringLiteral("answer 6"));
        ASSERT_EQ(here.line(), QStringLiteral("ok"));
    }
    here.send(QStringLiteral("start"));
    const std::string started = here.answer();
    ASSERT_TRUE(started.starts_with("started 0 1\nbox: Das Programm TAMBRIN läuft vielleicht noch"))
        << started;
    EXPECT_NE(started.find("am Computer labpc07"), std::string::npos) << started;
    here.send(QStringLiteral("comment 1 von hier"));
    ASSERT_EQ(here.line(), QStringLiteral("ok"));
    here.send(QStringLiteral("save"));
    ASSERT_EQ(here.answer(), "saved 1 dirty 0");

    there.thaw();
    there.send(QStringLiteral("quit"));
    const std::string ended = there.answer();
    EXPECT_TRUE(ended.starts_with("ended\nbox: Die Sperre dieses Laufs von TAMBRIN für den Benutzer PRUEFER "
                                  "wurde inzwischen übernommen von Benutzer PRUEFER am Computer " +
                                  QSysInfo::machineHostName().toStdString()))
        << ended;
    EXPECT_EQ(std::count(ended.begin(), ended.end(), '\n'), 1) << ended; // one message
    EXPECT_TRUE(QFile::exists(inst.workingCopy()));
    EXPECT_TRUE(QFile::exists(inst.runLock()));

    here.send(QStringLiteral("comment 1 noch einmal von hier"));
    ASSERT_EQ(here.line(), QStringLiteral("ok"));
    here.send(QStringLiteral("save"));
    EXPECT_EQ(here.answer(), "saved 1 dirty 0");
    EXPECT_EQ(commentOf(inst.projectDatabase(), 1), QStringLiteral("noch einmal von hier"));
    here.send(QStringLiteral("quit"));
    EXPECT_EQ(here.answer(), "ended");
    EXPECT_FALSE(QFile::exists(inst.workingCopy()));
}

// MEIER's Save on labpc07 freezes right after it took the project's lock. Here the user is asked about
// that lock, says Yes and saves record H3. labpc07 wakes up: its Save replaces nothing and says once who
// took the lock over; H3 stays.
TEST(FrozenComputer, AWokenSaveWhoseLockWasTakenOverReplacesNothing) {
    if (!UserRun::canPlayAnotherComputer()) GTEST_SKIP() << "another computer's name can't be played here";
    Installation inst;
    inst.handOverTo(QStringLiteral("MEIER"));
    const QString projectLock = platform::ProjectLock::file(inst.projectDatabase());
    UserRun there(inst, QStringLiteral("MEIER"),
                  {QStringLiteral("labpc07"),
                   {QStringLiteral("LD_PRELOAD=") + QStringLiteral(FILESERVER_RULES_LIBRARY),
                    QStringLiteral("FILESERVER_FREEZE=") + projectLock}});
    ASSERT_EQ(there.line(), QStringLiteral("ready"));
    there.send(QStringLiteral("start"));
    ASSERT_EQ(there.answer(), "started 0 1");
    there.send(QStringLiteral("comment 1 von labpc07"));
    ASSERT_EQ(there.line(), QStringLiteral("ok"));
    there.send(QStringLiteral("save"));
    ASSERT_TRUE(waitUntilFrozen(there));
    ageLock(projectLock);

    frmMAIN& w = inst.start();
    Installation::addRecord(inst.workingCopy(), 3, QStringLiteral("H3"));
    w.setDirty(true);
    inst.dialogs().clear();
    inst.dialogs().answer(Msg::Yes);
    EXPECT_TRUE(w.saveProject());
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    EXPECT_TRUE(inst.dialogs().asked().front().prompt.contains(QStringLiteral("am Computer labpc07")));
    ASSERT_TRUE(Installation::names(inst.projectDatabase()).contains(QStringLiteral("H3")));

    there.thaw();
    const std::string saved = there.answer();
    EXPECT_TRUE(saved.starts_with("saved 0 dirty 1\nbox: Die Sperre der Projektdatenbank " +
                                  inst.projectDatabase().toStdString() +
                                  " wurde inzwischen übernommen von Benutzer PRUEFER am Computer " +
                                  QSysInfo::machineHostName().toStdString()))
        << saved;
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 1) << saved;
    EXPECT_TRUE(Installation::names(inst.projectDatabase()).contains(QStringLiteral("H3")));
    EXPECT_NE(commentOf(inst.projectDatabase(), 1), QStringLiteral("von labpc07"));
    EXPECT_FALSE(QFile::exists(inst.projectDatabase() + QStringLiteral(".tmp")));
    there.send(QStringLiteral("answer 7"));
    there.line();
    there.send(QStringLiteral("quit"));
}

// Two users answer Yes to one stale lock at the same moment: one takes it over; the other waits for that
// run as for any live holder. Each is asked once, and no message names an unknown holder or the dead one.
TEST(FrozenComputer, TwoRunsAnsweringYesToOneStaleLockAskOnceEach) {
    const QStringList users{Installation::user(), QStringLiteral("MEIER")};
    Installation inst;
    inst.handOverTo(users[1]);
    std::vector<std::unique_ptr<UserRun>> runs = UserRun::startedWithAChange(inst, users);
    if (HasFailure()) return;
    for (auto& run : runs)
        for (const char* answer : {"answer 6", "answer 7"}) {
            run->send(QString::fromLatin1(answer));
            ASSERT_EQ(run->line(), QStringLiteral("ok"));
        }
    testsupport::leaveLock(platform::ProjectLock::file(inst.projectDatabase()),
                           "4711\nTAMBRIN\nlabpc07\nm7\nb7\nALT\n2026-12-11T08:12:00.000Z\n0000000000\n",
                           3600);
    for (auto& run : runs)
        run->send(QStringLiteral("save"));
    int saved = 0;
    for (auto& run : runs) {
        const std::string said = run->answer();
        SCOPED_TRACE(said);
        saved += said.starts_with("saved 1");
        const QStringList boxes = QString::fromStdString(said).split(QLatin1Char('\n')).mid(1);
        int lockQuestions = 0, others = 0;
        for (const QString& box : boxes) {
            EXPECT_FALSE(box.contains(QStringLiteral("unbekannt")));
            if (box.contains(QStringLiteral("von Benutzer ALT am Computer labpc07")))
                ++lockQuestions;
            else
                ++others;
        }
        EXPECT_EQ(lockQuestions, 1);
        // At most the question about the other's Save since the copy (answered No).
        EXPECT_LE(others, 1);
        for (const QString& box : boxes) {
            if (!box.contains(QStringLiteral("ALT"))) {
                EXPECT_TRUE(box.contains(QStringLiteral("wurde geändert")));
            }
        }
    }
    EXPECT_GE(saved, 1);
    for (auto& run : runs) {
        run->send(QStringLiteral("answer 7"));
        run->line();
        run->send(QStringLiteral("quit"));
    }
}

} // namespace
