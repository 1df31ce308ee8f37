#include "platform/system/FileLock.h"
#include "ChildLock.h"
#include "LockFiles.h"
#include "platform/run/RunState.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"
#include "SmallDisk.h"
#include "TempDir.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSysInfo>
#include <QThread>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileLock;
using platform::FileLockError;
using platform::LockHolder;
using testsupport::ChildLock;
using testsupport::leaveLock;

namespace {

QByteArray contentOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Another computer's run can't be asked whether it lives: its lock file's time tells, which a live holder
// renews. One renewed lately is held; one not renewed for long may be stale, and is never taken unasked.
TEST(FileLock, AnotherComputersLockIsJudgedByWhenItsHolderLastRenewedIt) {
    const QByteArray older = "4711\nTAMBRIN\nlabpc07\n";
    const QByteArray ours = "4711\nTAMBRIN\nlabpc07\nmaschine\nstart\nMEIER\n2026-12-11T08:12:00.000Z\n";
    const struct {
        const char* name;
        QByteArray lines;
        qint64 secondsAgo;
        FileLock::State state;
        const char* user;
    } cases[] = {
        {"an hour ago", older, 3600, FileLock::State::MayBeStale, ""},
        {"a moment ago", older, 0, FileLock::State::Held, ""},
        {"a minute and a half ago", older, 90, FileLock::State::Held, ""},
        {"an hour ahead (a holder whose clock is fast stamps it)", older, -3600, FileLock::State::Held, ""},
        {"two days ahead", older, -2 * 86400, FileLock::State::MayBeStale, ""},
        {"naming its user, an hour ago", ours, 3600, FileLock::State::MayBeStale, "MEIER"},
        {"naming its user, a moment ago", ours, 1, FileLock::State::Held, "MEIER"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
        leaveLock(file, c.lines, c.secondsAgo);
        FileLock lock(file);
        int tries = 0;
        EXPECT_EQ(lock.take(std::chrono::milliseconds(c.state == FileLock::State::Held ? 250 : 10000),
                            [&] { ++tries; }),
                  c.state);
        // Waiting renews no lock: one that may be stale is answered at once.
        if (c.state == FileLock::State::MayBeStale) {
            EXPECT_EQ(tries, 0);
        }
        EXPECT_FALSE(lock.held());
        EXPECT_EQ(contentOf(file), c.lines);
        const std::optional<LockHolder> holder = lock.holder();
        ASSERT_TRUE(holder);
        EXPECT_EQ(holder->pid, 4711);
        EXPECT_EQ(holder->computer, QStringLiteral("labpc07"));
        EXPECT_FALSE(holder->thisComputer);
        EXPECT_EQ(holder->user, QString::fromLatin1(c.user));
        EXPECT_EQ(holder->since,
                  c.lines == ours ? QDateTime::fromString(QStringLiteral("2026-12-11T08:12:00Z"), Qt::ISODate)
                                  : holder->touched);
    }
}

// Yes to the question takes over the lock the user was asked about, not one renewed since by a holder that
// lives after all.
TEST(FileLock, TakingOverNeedsTheLockTheUserWasAskedAbout) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
    const QByteArray lines = "4711\nTAMBRIN\nlabpc07\n";
    leaveLock(file, lines, 3600);
    FileLock lock(file, QStringLiteral("SCHULZE"));
    ASSERT_EQ(lock.take(), FileLock::State::MayBeStale);
    const LockHolder asked = *lock.holder();

    leaveLock(file, lines, 0); // renewed while the question was open
    EXPECT_EQ(lock.takeOver(asked), FileLock::State::Held);
    EXPECT_EQ(contentOf(file), lines);

    leaveLock(file, lines, 7200); // another stale lock than the one asked about
    EXPECT_EQ(lock.takeOver(asked), FileLock::State::MayBeStale);
    EXPECT_EQ(contentOf(file), lines);

    EXPECT_EQ(lock.takeOver(*lock.holder()), FileLock::State::Taken);
    EXPECT_TRUE(lock.held());
    const LockHolder now = *FileLock(file).holder();
    EXPECT_EQ(now.pid, qint64(::getpid()));
    EXPECT_EQ(now.user, QStringLiteral("SCHULZE"));
    EXPECT_EQ(now.computer, QSysInfo::machineHostName());
    EXPECT_TRUE(now.thisComputer);
    EXPECT_LE(std::abs(now.since.secsTo(QDateTime::currentDateTime())), 60);
    lock.release();
    EXPECT_FALSE(QFile::exists(file));
}

// A holder keeps its lock file's time fresh for as long as it holds the lock, however long that is.
TEST(FileLock, AHolderRenewsItsLockFile) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    FileLock lock(file, {}, platform::LockTiming{std::chrono::milliseconds(20), std::chrono::seconds(120)});
    ASSERT_EQ(lock.take(), FileLock::State::Taken);
    const QByteArray content = contentOf(file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    f.close();
    bool renewed = false;
    for (int i = 0; i < 500 && !renewed; ++i) {
        QThread::msleep(10);
        renewed = std::abs(QFileInfo(file).lastModified().secsTo(QDateTime::currentDateTime())) < 60;
    }
    EXPECT_TRUE(renewed);
    // Renewed by raising its count, which makes the file's server stamp it; the holder's lines stay.
    const QByteArray now = contentOf(file);
    EXPECT_EQ(now.size(), content.size());
    EXPECT_EQ(now.left(now.lastIndexOf('\n', now.size() - 2)),
              content.left(content.lastIndexOf('\n', content.size() - 2)));
    EXPECT_NE(now, content);
}

// This computer's lock is judged by the lock the system keeps for its holder: a run that holds it keeps it,
// whatever its file says or however old it is; a file whose holder is gone is stale, whatever runs under its
// number now: a process that ended but was not waited for, a process number taken anew by another program,
// the first process, a number no process can have, or this very process, which never took it. One from
// before the machine was restarted is stale too.
TEST(FileLock, ThisComputersLockLivesOnlyWhileItsHolderHoldsIt) {
    if (QSysInfo::machineUniqueId().isEmpty() || QSysInfo::bootUniqueId().isEmpty())
        GTEST_SKIP() << "this machine tells no machine or boot id";
    const QByteArray program =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName().toUtf8();
    const auto lines = [&](qint64 pid, const QByteArray& boot) {
        return QByteArray::number(pid) + '\n' + program + '\n' + QSysInfo::machineHostName().toUtf8() + '\n' +
               QSysInfo::machineUniqueId() + '\n' + boot + '\n' + "MEIER\n";
    };
    // A child that has ended and that nobody has waited for yet.
    const pid_t zombie = ::fork();
    ASSERT_GE(zombie, 0);
    if (zombie == 0) ::_exit(0);
    for (int i = 0; i < 200 && QFile(QStringLiteral("/proc/%1/stat").arg(zombie)).open(QIODevice::ReadOnly) &&
                    !QFile(QStringLiteral("/proc/%1/stat").arg(zombie)).readAll().contains(") Z");
         ++i)
        QThread::msleep(10);
    const struct {
        const char* name;
        qint64 pid;
        QByteArray boot;
    } cases[] = {
        {"an ended process not yet waited for", zombie, QSysInfo::bootUniqueId()},
        {"this process, which never took it", ::getpid(), QSysInfo::bootUniqueId()},
        {"the first process", 1, QSysInfo::bootUniqueId()},
        {"a number no process has", 4294967295LL, QSysInfo::bootUniqueId()},
        {"a live process of an earlier boot", ::getpid(), "0123456789abcdef"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
        leaveLock(file, lines(c.pid, c.boot), 3600);
        FileLock lock(file);
        EXPECT_EQ(lock.take(), FileLock::State::Taken);
    }
    ::waitpid(zombie, nullptr, 0);

    // A live holder keeps it however its file's time looks.
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    ChildLock other(file);
    ASSERT_TRUE(other.holding());
    for (const qint64 secondsAgo : {qint64(0), qint64(3600), qint64(-3600)}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                                  QFileDevice::FileModificationTime));
        f.close();
        FileLock lock(file);
        EXPECT_EQ(lock.take(), FileLock::State::Held) << secondsAgo;
    }
}

// Who holds a lock, as every message names it.
TEST(FileLock, NamesItsHolder) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    const struct {
        const char* language;
        QByteArray lines;
        const char* says;
    } cases[] = {
        {"de", "4711\nTAMBRIN\nlabpc07\n\n\nMEIER\n", "Benutzer MEIER am Computer labpc07, seit %1"},
        {"en", "4711\nTAMBRIN\nlabpc07\n\n\nMEIER\n", "user MEIER on computer labpc07, since %1"},
        {"de", "4711\nTAMBRIN\nlabpc07\n", "einem unbekannten Benutzer am Computer labpc07, seit %1"},
        {"en", "4711\nTAMBRIN\nlabpc07\n", "an unknown user on computer labpc07, since %1"},
        {"de", "", "einem unbekannten Benutzer an einem unbekannten Computer, seit %1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.lines.toStdString());
        platform::SystemLocale::Override locale(QString::fromLatin1(c.language), QStringLiteral(","));
        leaveLock(file, c.lines, 3600);
        const LockHolder holder = *FileLock(file).holder();
        EXPECT_EQ(holder.describe().toStdString(),
                  QString::fromUtf8(c.says).arg(LockHolder::timeText(holder.since)).toStdString());
    }
}

// A lock file that can't be made for a cause that waiting does not mend says that cause at once, naming
// the file or folder it lies in.
TEST(FileLock, ALockFileThatCantBeMadeSaysWhyAtOnce) {
    const struct {
        const char* name;
        std::function<bool(const QString& folder, testsupport::SmallDisk& disk)> spoil;
        FileLockError::Cause cause;
        bool namesFile;
        const char* says;
    } cases[] = {
        {"an empty folder in its place",
         [](const QString& folder, testsupport::SmallDisk&) {
             return QDir(folder).mkdir(QStringLiteral("TAMBRIN.mdb.lock"));
         },
         FileLockError::Cause::NotAFile, true, "An der Stelle der Sperrdatei %1 steht ein Ordner."},
        {"a folder with a file in its place",
         [](const QString& folder, testsupport::SmallDisk&) {
             QFile inside(folder + QStringLiteral("/TAMBRIN.mdb.lock/x"));
             return QDir(folder).mkdir(QStringLiteral("TAMBRIN.mdb.lock")) &&
                    inside.open(QIODevice::WriteOnly);
         },
         FileLockError::Cause::NotAFile, true, "An der Stelle der Sperrdatei %1 steht ein Ordner."},
        {"a read-only folder",
         [](const QString&, testsupport::SmallDisk& disk) { return disk.makeReadOnly(); },
         FileLockError::Cause::FolderNotWritable, false, "Der Ordner %1 darf nicht beschrieben werden."},
        {"a full disk", [](const QString&, testsupport::SmallDisk& disk) { return disk.fill(); },
         FileLockError::Cause::DiskFull, false, "Der Datenträger des Ordners %1 ist voll."},
    };
    platform::SystemLocale::Override locale(QStringLiteral("de"), QStringLiteral(","));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const QString folder = dir.mkdir(QStringLiteral("projekt"));
        testsupport::SmallDisk disk(folder, 64 * 1024);
        if (!disk.mounted()) GTEST_SKIP() << disk.why().toStdString();
        ASSERT_TRUE(c.spoil(folder, disk));
        const QString file = folder + QStringLiteral("/TAMBRIN.mdb.lock");
        FileLock lock(file);
        int tries = 0;
        try {
            lock.take(std::chrono::seconds(10), [&] { ++tries; });
            ADD_FAILURE() << "taken";
        } catch (const FileLockError& e) {
            EXPECT_EQ(e.cause(), c.cause);
            const QString named = c.namesFile ? file : folder;
            EXPECT_EQ(e.path(), named);
            EXPECT_EQ(e.Description(), QString::fromUtf8(c.says).arg(named));
        }
        EXPECT_EQ(tries, 0);
        EXPECT_FALSE(lock.held());
        if (c.cause != FileLockError::Cause::NotAFile) {
            EXPECT_FALSE(QFile::exists(file));
        }
    }
}

TEST(FileLock, ALiveHolderKeepsItHoweverOldItsLockIs) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    ChildLock other(file);
    ASSERT_TRUE(other.holding());
    // A run that has lasted for days.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    f.close();
    FileLock lock(file);
    EXPECT_EQ(lock.take(), FileLock::State::Held);
    EXPECT_FALSE(lock.held());
    lock.release(); // releasing a lock it does not hold leaves the holder's file alone
    EXPECT_TRUE(QFile::exists(file));
}

TEST(FileLock, ALockLeftByAKilledProcessIsTakenOver) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    ChildLock other(file);
    ASSERT_TRUE(other.holding());
    other.kill();
    ASSERT_TRUE(QFile::exists(file));
    FileLock lock(file);
    EXPECT_EQ(lock.take(), FileLock::State::Taken);
    lock.release();
    EXPECT_FALSE(QFile::exists(file));
}

// A process killed between making its lock file and writing its name into it leaves a file that names
// nobody. Nobody can ask such a file whether its holder lives, so it is judged by the lock the operating
// system keeps for the holder: none, and it is taken over (after a moment, which any live taker needs
// far less than to write its name); one, and it is left alone while the file is young.
TEST(FileLock, ALockFileThatNamesNobodyIsTakenOverUnlessSomeoneLocksIt) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    const auto leave = [&](const QByteArray& content, int secondsAgo) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(content), content.size());
        ASSERT_TRUE(f.flush());
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                                  QFileDevice::FileModificationTime));
    };
    for (const QByteArray& content : {QByteArray(), QByteArray("\n"), QByteArray("\x01\x02garbage\n\n\n")}) {
        SCOPED_TRACE(content.toStdString());
        leave(content, 10);
        FileLock lock(file);
        EXPECT_EQ(lock.take(), FileLock::State::Taken);
        lock.release();
        EXPECT_FALSE(QFile::exists(file));
    }

    // Just left: refused at once, taken when waited for.
    leave(QByteArray(), 0);
    FileLock young(file);
    EXPECT_EQ(young.take(), FileLock::State::Held);
    EXPECT_EQ(young.take(std::chrono::milliseconds(3000)), FileLock::State::Taken);
    young.release();

    // A live process that has locked the empty file: still its own, however old the file.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CREAT, 0666);
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        const bool locked =
            fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_SETLK, &whole) == 0;
        const char answer = locked ? 1 : 0;
        if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char locked = 0;
    ASSERT_EQ(::read(ready[0], &locked, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(locked, 1);
    leave(QByteArray(), 10);
    FileLock lock(file);
    EXPECT_EQ(lock.take(std::chrono::milliseconds(300)), FileLock::State::Held);
    EXPECT_TRUE(QFile::exists(file));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // Gone with its maker; and a file server that keeps the lock of a maker that died keeps it no longer
    // than any maker takes to write its name.
    leave(QByteArray(), 600);
    EXPECT_EQ(lock.take(), FileLock::State::Taken);
}

TEST(FileLock, OfManyProcessesStartingAtOnceExactlyOneTakesIt) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.lock"));
    for (int round = 0; round < 5; ++round) {
        // The children wait at a common start line, then all try at the same moment.
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> children;
        for (int i = 0; i < 6; ++i) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(start[1]);
                char go;
                if (::read(start[0], &go, 1) != 0) ::_exit(3);
                bool taken = false;
                try {
                    taken = (new FileLock(file))->take() == FileLock::State::Taken;
                } catch (...) {
                    ::_exit(4);
                }
                ::usleep(300000); // held while the others try
                ::_exit(taken ? 0 : 1);
            }
            children.push_back(child);
        }
        ::close(start[0]);
        ::close(start[1]); // the start signal: every child reads the end of the pipe
        int winners = 0, losers = 0;
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            if (WEXITSTATUS(status) == 0) ++winners;
            if (WEXITSTATUS(status) == 1) ++losers;
        }
        EXPECT_EQ(winners, 1) << "round " << round;
        EXPECT_EQ(losers, 5) << "round " << round;
        QFile::remove(file); // the winner ended without releasing
    }
}

// Two first starts of a fresh installation at once both make the user's folder for the working copy.
TEST(RunState, StartsAtOnceAllFindTheUsersFolder) {
    testsupport::TempDir dir;
    const QString program = dir.mkdir(QStringLiteral("TAMBRIN"));
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < 6; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(start[1]);
            char go;
            if (::read(start[0], &go, 1) != 0) ::_exit(3);
            try {
                platform::RunState run;
                run.setProgramFolder(program);
                run.setUserName(QStringLiteral("pruefer"));
                run.XMDBPFAD();
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_TRUE(QDir(dir.file(QStringLiteral("BENUTZER/PRUEFER"))).exists());
}

TEST(FileLock, AFolderThatCantBeWrittenIsAnError) {
    FileLock lock(QStringLiteral("/proc/TAMBRIN.lock"));
    EXPECT_THROW(lock.take(), platform::VbError);
}

// Computers cloned from one image share a name: a lock is this computer's only when its machine id is this
// computer's too. Another machine's lock under this computer's name is judged by its renewal, never by this
// computer's processes. The holder's clock decides nothing: the time it wrote into the file only tells the
// user since when; the file's time, stamped by the file's server, tells whether it lives.
TEST(FileLock, AnotherMachineIsJudgedByItsRenewalWhateverItsNameOrClock) {
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray self = QByteArray::number(qint64(::getpid()));
    const auto lines = [](const QByteArray& pid, const QByteArray& computer, const QByteArray& machine,
                          qint64 clockAheadSeconds) {
        return pid + "\nTAMBRIN\n" + computer + '\n' + machine + "\nboot-of-that-machine\nMEIER\n" +
               QDateTime::currentDateTimeUtc()
                   .addSecs(-1800 + clockAheadSeconds)
                   .toString(Qt::ISODateWithMs)
                   .toLatin1() +
               "\n0000000000\n";
    };
    const struct {
        const char* name;
        QByteArray lines;
        qint64 renewedSecondsAgo;
        FileLock::State state;
    } cases[] = {
        {"this computer's name, another machine id, renewed a second ago",
         lines(self, host, "another-machine-id", 0), 1, FileLock::State::Held},
        {"this computer's name, another machine id, not renewed for an hour",
         lines(self, host, "another-machine-id", 0), 3600, FileLock::State::MayBeStale},
        {"a clock 10 minutes ahead, live", lines("4711", "labpc07", "m7", 600), 1, FileLock::State::Held},
        {"a clock 10 minutes ahead, dead", lines("4711", "labpc07", "m7", 600), 3600,
         FileLock::State::MayBeStale},
        {"a clock 10 minutes behind, live", lines("4711", "labpc07", "m7", -600), 1, FileLock::State::Held},
        {"a clock 10 minutes behind, dead", lines("4711", "labpc07", "m7", -600), 3600,
         FileLock::State::MayBeStale},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
        leaveLock(file, c.lines, c.renewedSecondsAgo);
        FileLock lock(file);
        EXPECT_EQ(lock.take(), c.state);
        EXPECT_EQ(contentOf(file), c.lines);
        ASSERT_TRUE(lock.judged());
        EXPECT_FALSE(lock.judged()->thisComputer);
        EXPECT_EQ(lock.judged()->user, QStringLiteral("MEIER"));
    }
}

// The holder the user is asked about is the one judged stale, and only that one is taken over, while it is
// still not renewed: a renewal between the judgement and the question, or between the question and the
// answer, makes it a live lock again.
TEST(FileLock, OnlyALockThatIsStillStaleIsTakenOver) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
    const QByteArray lines = "4711\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000000\n";
    const QByteArray renewed =
        "4711\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000001\n";
    leaveLock(file, lines, 3600);
    FileLock lock(file, QStringLiteral("schulze"));
    ASSERT_EQ(lock.take(), FileLock::State::MayBeStale);
    const LockHolder asked = *lock.judged();
    EXPECT_EQ(asked.content, lines);

    // Renewed (its count raised), its time still old: no longer the lock asked about, and judged anew.
    leaveLock(file, renewed, 3600);
    EXPECT_EQ(lock.takeOver(asked), FileLock::State::MayBeStale);
    EXPECT_EQ(contentOf(file), renewed);
    EXPECT_EQ(lock.judged()->content, renewed);
    // Renewed lately: a live run's.
    leaveLock(file, renewed, 0);
    EXPECT_EQ(lock.takeOver(*lock.judged()), FileLock::State::Held);
    EXPECT_EQ(contentOf(file), renewed);
    EXPECT_FALSE(lock.held());

    leaveLock(file, lines, 3600);
    ASSERT_EQ(lock.take(), FileLock::State::MayBeStale);
    EXPECT_EQ(lock.takeOver(*lock.judged()), FileLock::State::Taken);
    EXPECT_TRUE(lock.held());
    const LockHolder now = *FileLock(file).holder();
    EXPECT_EQ(now.pid, qint64(::getpid()));
    EXPECT_EQ(now.user, QStringLiteral("SCHULZE")); // one spelling in every lock
    // Nothing was left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("TAMBRIN.mdb.lock")});
}

// A run whose lock was taken over (its computer froze, another user was asked and said Yes) finds it out
// right before it would write, and its renewal notices too; its release leaves the other run's lock alone.
TEST(FileLock, AHolderWhoseLockWasTakenOverKnowsIt) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
    FileLock mine(file, {}, platform::LockTiming{std::chrono::milliseconds(20), std::chrono::seconds(120)});
    ASSERT_EQ(mine.take(), FileLock::State::Taken);
    EXPECT_TRUE(mine.stillHeld());
    EXPECT_FALSE(mine.lost());
    // Another computer's run takes it over: the file is replaced by its own.
    ASSERT_TRUE(QFile::remove(file));
    const QByteArray theirs = "4711\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000000\n";
    leaveLock(file, theirs, 0);
    EXPECT_FALSE(mine.stillHeld());
    EXPECT_TRUE(mine.lost());
    mine.release();
    EXPECT_EQ(contentOf(file), theirs);

    // The renewal notices it by itself, and renews nothing of the other's.
    ASSERT_TRUE(QFile::remove(file));
    FileLock again(file, {}, platform::LockTiming{std::chrono::milliseconds(20), std::chrono::seconds(120)});
    ASSERT_EQ(again.take(), FileLock::State::Taken);
    ASSERT_TRUE(QFile::remove(file));
    leaveLock(file, theirs, 3600);
    const QDateTime old = QFileInfo(file).lastModified();
    bool noticed = false;
    for (int i = 0; i < 300 && !noticed; ++i) {
        QThread::msleep(10);
        noticed = again.lost();
    }
    EXPECT_TRUE(noticed);
    QThread::msleep(100);
    EXPECT_EQ(QFileInfo(file).lastModified(), old);
    EXPECT_EQ(contentOf(file), theirs);
}

// A run killed in the moment it wrote a file beside the lock file (to make the lock, to read the server's
// clock, to take a stale lock over or to let go of its own) left it there: the next run that takes the lock
// removes what is older than any run takes, and leaves alone what another run writes right now.
TEST(FileLock, WhatAKilledRunLeftBesideTheLockGoes) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("TAMBRIN.mdb.lock"));
    QStringList old, fresh;
    for (const char* kind : {"new", "clock", "stale", "done"}) {
        old << dir.file(QStringLiteral("TAMBRIN.mdb.lock.1f2e.%1").arg(QLatin1String(kind)));
        fresh << dir.file(QStringLiteral("TAMBRIN.mdb.lock.3d4c.%1").arg(QLatin1String(kind)));
    }
    const QString other = dir.file(QStringLiteral("TAMBRIN.mdb.lock.notes"));
    for (const QString& f : old + QStringList{other})
        leaveLock(f, "4711\n", 3600);
    for (const QString& f : fresh)
        leaveLock(f, "4711\n", 1);
    FileLock lock(file);
    ASSERT_EQ(lock.take(), FileLock::State::Taken);
    for (const QString& f : old)
        EXPECT_FALSE(QFile::exists(f)) << f.toStdString();
    for (const QString& f : fresh + QStringList{other, file})
        EXPECT_TRUE(QFile::exists(f)) << f.toStdString();
}

// This computer's clock decides nothing either: a run whose clock is minutes off measures a lock's age
// against the time the file's server gives a file it writes beside the lock. The run is played by this test
// program again, its clock moved by libfaketime; the lock files are left by this process, their times set by
// the file system.
TEST(FileLock, ARunWhoseClockIsOffJudgesLocksByTheServersClock) {
    const QString faketime = QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1");
    ASSERT_TRUE(QFile::exists(faketime)) << "libfaketime is missing: scripts/install-deps installs it";
    const QByteArray lines = "4711\nTAMBRIN\nlabpc07\nm7\nb7\nMEIER\n2026-12-11T08:12:00.000Z\n0000000000\n";
    for (const char* offset : {"+3m", "-3m", "+10m", "-10m"}) {
        SCOPED_TRACE(offset);
        testsupport::TempDir dir;
        leaveLock(dir.file(QStringLiteral("renewed-a-second-ago.lock")), lines, 1);
        leaveLock(dir.file(QStringLiteral("renewed-an-hour-ago.lock")), lines, 3600);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LD_PRELOAD"), faketime);
        env.insert(QStringLiteral("FAKETIME"), QString::fromLatin1(offset));
        env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        // The files' times stay those of the file system: only the run's own clock is off.
        env.insert(QStringLiteral("NO_FAKE_STAT"), QStringLiteral("1"));
        env.insert(QStringLiteral("TAMBRIN_TEST_LOCKS"), dir.path());
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=FileLock.DISABLED_JudgesTheLocksInTheFolderGiven"),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString said = QString::fromUtf8(child.readAll());
        EXPECT_TRUE(said.contains(QStringLiteral("judged renewed-a-second-ago.lock Held")))
            << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("judged renewed-an-hour-ago.lock MayBeStale")))
            << said.toStdString();
        // Its own clock is off indeed.
        EXPECT_TRUE(said.contains(QStringLiteral("clock off by at least a minute"))) << said.toStdString();
    }
}

// The run of the test above, with its clock moved.
TEST(FileLock, DISABLED_JudgesTheLocksInTheFolderGiven) {
    const QString folder = qEnvironmentVariable("TAMBRIN_TEST_LOCKS");
    ASSERT_FALSE(folder.isEmpty());
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        FileLock lock(folder + QLatin1Char('/') + name);
        const FileLock::State state = lock.take();
        const char* text = state == FileLock::State::Held         ? "Held"
                           : state == FileLock::State::MayBeStale ? "MayBeStale"
                                                                  : "Taken";
        std::printf("judged %s %s\n", qPrintable(name), text);
    }
    const QString probe = folder + QStringLiteral("/probe");
    QFile f(probe);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    if (std::abs(QFileInfo(probe).lastModified().secsTo(QDateTime::currentDateTime())) >= 60)
        std::printf("clock off by at least a minute\n");
}

} // namespace
