#include "platform/system/FileLock.h"
#include "ChildLock.h"
#include "platform/run/RunState.h"
#include "platform/runtime/VbError.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
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
