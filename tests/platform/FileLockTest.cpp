#include "platform/system/FileLock.h"
#include "ChildLock.h"
#include "platform/run/RunState.h"
#include "platform/runtime/VbError.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::FileLock;
using testsupport::ChildLock;

namespace {

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
    EXPECT_FALSE(lock.take());
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
    EXPECT_TRUE(lock.take());
    lock.release();
    EXPECT_FALSE(QFile::exists(file));
}

// A process killed between making its lock file and writing its name into it leaves a file that names
// nobody. Nobody can ask such a file whether its holder lives, so it is judged by the lock the operating
// system keeps for the holder: none, and it is taken over (after a moment, which any live taker needs
// far less than to write its name); one, and it is left alone.
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
        EXPECT_TRUE(lock.take());
        lock.release();
        EXPECT_FALSE(QFile::exists(file));
    }

    // Just left: refused at once, taken when waited for.
    leave(QByteArray(), 0);
    FileLock young(file);
    EXPECT_FALSE(young.take());
    EXPECT_TRUE(young.take(std::chrono::milliseconds(3000)));
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
        const bool locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_SETLK, &whole) == 0;
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
    EXPECT_FALSE(lock.take(std::chrono::milliseconds(300)));
    EXPECT_TRUE(QFile::exists(file));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(lock.take());
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
                    taken = (new FileLock(file))->take();
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

} // namespace
