// The preload library that plays the file servers' lock rules, tried on plain system calls: each rule
// does what the server does to .lock files, and nothing to other files or without the rule.
#include "ProbeRun.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Two computers or runs: the first takes a lock and, when its calls end in "hold", keeps running while
// the second makes its calls; otherwise the first has ended (died) before the second starts. "@" stands
// for the test's folder, which holds x.lock and x.db with a line of text each.
struct Scenario {
    const char* name;
    const char* rules;
    std::vector<std::string> first;
    std::string firstSees;
    std::vector<std::string> second;
    std::string secondSees;
};

std::ostream& operator<<(std::ostream& out, const Scenario& s) { return out << s.name; }

class FileServerRules : public ::testing::TestWithParam<Scenario> {
protected:
    void SetUp() override {
        for (const char* name : {"x.lock", "x.db"}) {
            QFile f(dir_.file(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("4711\nTAMBRIN\nlabpc07\nsome more text so that a read of 100 bytes finds 100 bytes to read"
                    "...............................................\n");
        }
    }

    std::vector<std::string> inFolder(std::vector<std::string> calls) const {
        const std::string folder = dir_.path().toStdString();
        for (auto& c : calls)
            for (std::size_t at; (at = c.find('@')) != std::string::npos;) c.replace(at, 1, folder);
        return calls;
    }

    std::string registry() const { return dir_.file("registry").toStdString(); }

    testsupport::TempDir dir_;
};

TEST_P(FileServerRules, EachCallSeesWhatTheServerWouldDo) {
    const Scenario& s = GetParam();
    const bool holds = !s.first.empty() && s.first.back() == "hold";
    ProbeRun first(s.rules, registry(), inFolder(s.first));
    if (holds) {
        EXPECT_EQ(first.held(), s.firstSees) << "the first run";
    } else {
        EXPECT_EQ(first.finish(), s.firstSees) << "the first run";
    }
    if (!s.second.empty()) {
        EXPECT_EQ(ProbeRun::outcomes(s.rules, registry(), inFolder(s.second)), s.secondSees) << "the second run";
    }
    first.finish();
    EXPECT_EQ(first.status(), 0);
}

// EWOULDBLOCK and EAGAIN are one number on Linux; its name is EAGAIN.
const Scenario nfs[] = {
    {"exclusive flock needs a descriptor opened for writing", "nfs",
     {"open:@/x.lock:rw", "flock:exnb", "flock:un", "open:@/x.lock:ro", "flock:exnb", "flock:ex", "flock:shnb"},
     "ok ok ok ok EBADF EBADF ok", {}, ""},
    {"a byte-range write lock needs a descriptor opened for writing", "nfs",
     {"open:@/x.lock:ro", "getlk:ofd:0:0", "getlk:posix:0:0", "setlk:ofd:wr:0:1", "setlk:posix:wr:0:1",
      "setlk:ofd:rd:0:1", "open:@/x.lock:rw", "setlk:ofd:wr:5:1"},
     "ok free free EBADF EBADF ok ok ok", {}, ""},
    {"a file not named .lock is left alone", "nfs", {"open:@/x.db:ro", "flock:exnb"}, "ok ok", {}, ""},
    {"without rules a read-only descriptor takes an exclusive flock", "", {"open:@/x.lock:ro", "flock:exnb"},
     "ok ok", {}, ""},
};
INSTANTIATE_TEST_SUITE_P(Nfs, FileServerRules, ::testing::ValuesIn(nfs));

const Scenario smb[] = {
    {"an exclusive flock refuses reads and writes through another computer's descriptor", "smb",
     {"open:@/x.lock:rw", "flock:exnb", "read:100", "readv:100", "write:4712", "hold"}, "ok ok ok ok ok",
     {"open:@/x.lock:rw", "read:100", "readv:100", "pread:0:10", "write:4713", "getlk:ofd:0:0"},
     "ok EACCES EACCES EACCES EACCES free"},
    {"a shared flock refuses writes only", "smb", {"open:@/x.lock:rw", "flock:shnb", "read:100", "hold"},
     "ok ok ok", {"open:@/x.lock:rw", "read:100", "write:4713"}, "ok ok EACCES"},
    {"a run's flock binds its own other descriptors, not the one that holds it", "smb",
     {"open:@/x.lock:rw", "flock:exnb", "open:@/x.lock:ro", "read:100", "use:0", "read:100"},
     "ok ok ok EACCES ok ok", {}, ""},
    {"an OFD write lock far past the text refuses reads of its range only", "smb",
     {"open:@/x.lock:rw", "setlk:ofd:wr:1000000:1", "read:100", "pread:1000000:1", "hold"}, "ok ok ok ok",
     {"open:@/x.lock:rw", "read:100", "pread:1000000:1", "pread:999990:20", "pread:1000001:5", "write:4713"},
     "ok ok EACCES EACCES ok ok"},
    {"a classic write lock refuses another computer's reads of its range", "smb",
     {"open:@/x.lock:rw", "setlk:posix:wr:0:10", "hold"}, "ok ok",
     {"open:@/x.lock:ro", "read:100", "pread:20:10"}, "ok EACCES ok"},
    {"a run's classic lock binds its own other descriptors", "smb",
     {"open:@/x.lock:rw", "setlk:posix:wr:1000000:1", "pread:1000000:1", "open:@/x.lock:ro", "pread:1000000:1",
      "read:100"},
     "ok ok ok ok EACCES ok", {}, ""},
    {"a shared byte-range lock lets others read", "smb", {"open:@/x.lock:rw", "setlk:ofd:rd:0:10", "hold"},
     "ok ok", {"open:@/x.lock:rw", "read:100", "write:4713"}, "ok ok EACCES"},
    {"a file not named .lock is left alone", "smb", {"open:@/x.db:rw", "flock:exnb", "hold"}, "ok ok",
     {"open:@/x.db:rw", "read:100", "write:4713"}, "ok ok ok"},
    {"without rules a flock refuses no read", "", {"open:@/x.lock:rw", "flock:exnb", "hold"}, "ok ok",
     {"open:@/x.lock:ro", "read:100"}, "ok ok"},
    {"threads reading while another locks and unlocks", "nfs,smb,keep", {"open:@/x.lock:rw", "threads:300"},
     "ok ok", {}, ""},
};
INSTANTIATE_TEST_SUITE_P(Smb, FileServerRules, ::testing::ValuesIn(smb));

const Scenario keep[] = {
    {"a dead run's flock stays taken", "keep", {"open:@/x.lock:rw", "flock:exnb"}, "ok ok",
     {"open:@/x.lock:rw", "getlk:ofd:0:0", "getlk:posix:0:1", "flock:exnb", "flock:shnb", "setlk:ofd:wr:0:0",
      "setlk:posix:rd:0:1", "flock:ex", "read:100"},
     "ok locked:-1 locked:-1 EAGAIN EAGAIN EAGAIN EAGAIN EDEADLK ok"},
    {"a dead run's classic write lock stays taken", "keep", {"open:@/x.lock:rw", "setlk:posix:wr:0:0"}, "ok ok",
     {"open:@/x.lock:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok locked:-1 EAGAIN"},
    {"a dead run's byte-range lock stays taken on its range only", "keep",
     {"open:@/x.lock:rw", "setlk:ofd:wr:1000000:1"}, "ok ok",
     {"open:@/x.lock:rw", "getlk:ofd:0:100", "getlk:ofd:999999:2", "setlk:ofd:wr:0:100", "flock:exnb"},
     "ok free locked:-1 ok EAGAIN"},
    {"an unlock by the run ends the kept flock", "keep", {"open:@/x.lock:rw", "flock:exnb", "flock:un"},
     "ok ok ok", {"open:@/x.lock:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok free ok"},
    {"an unlock by the run ends the kept byte-range lock", "keep",
     {"open:@/x.lock:rw", "setlk:ofd:wr:0:0", "setlk:ofd:un:0:0"}, "ok ok ok",
     {"open:@/x.lock:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok free ok"},
    {"another run's unlock does not end the kept lock", "keep", {"open:@/x.lock:rw", "flock:exnb"}, "ok ok",
     {"open:@/x.lock:rw", "flock:un", "setlk:ofd:un:0:0", "open:@/x.lock:rw", "flock:exnb"}, "ok ok ok ok EAGAIN"},
    {"a lock file made anew is free", "keep", {"open:@/x.lock:rw", "flock:exnb"}, "ok ok",
     {"unlink:@/x.lock", "open:@/x.lock:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok ok free ok"},
    {"the holder's own kept lock is not another's", "keep",
     {"open:@/x.lock:rw", "flock:exnb", "getlk:ofd:0:0", "flock:un", "flock:exnb"}, "ok ok free ok ok", {}, ""},
    {"a file not named .lock is left alone", "keep", {"open:@/x.db:rw", "flock:exnb"}, "ok ok",
     {"open:@/x.db:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok free ok"},
    {"without rules a dead run's lock goes with it", "", {"open:@/x.lock:rw", "flock:exnb"}, "ok ok",
     {"open:@/x.lock:rw", "getlk:ofd:0:0", "flock:exnb"}, "ok free ok"},
};
INSTANTIATE_TEST_SUITE_P(Keep, FileServerRules, ::testing::ValuesIn(keep));

// The server's record of a kept lock: one file in the registry folder (made when missing) naming the
// locked file, gone after its taker's unlock.
TEST_F(FileServerRules, KeptLockIsRecordedUntilItsTakerUnlocks) {
    const std::string folder = dir_.file("registry/made/when/missing").toStdString();
    const std::vector<std::string> take = inFolder({"open:@/x.lock:rw", "flock:exnb", "hold"});
    ProbeRun holder("keep", folder, take);
    ASSERT_EQ(holder.held(), "ok ok");
    const QStringList entries = QDir(QString::fromStdString(folder)).entryList(QDir::Files);
    ASSERT_EQ(entries.size(), 1);
    QFile entry(QString::fromStdString(folder) + "/" + entries.first());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().startsWith("path=" + dir_.file("x.lock").toUtf8() + "\n"));
    holder.finish();

    EXPECT_EQ(ProbeRun::outcomes("keep", folder, inFolder({"open:@/x.lock:rw", "flock:exnb", "flock:un"})),
              "ok EAGAIN ok");
    EXPECT_EQ(QDir(QString::fromStdString(folder)).entryList(QDir::Files).size(), 1) << "another run's unlock";
}

// Runs only under fileserver_test() (tests/fileserver/FileServerTest.cmake): the environment it sets, and
// a Qt test program that goes on working with every rule preloaded.
TEST(FileServerTestEnvironment, RunsWithTheRulesPreloaded) {
    const char* rules = std::getenv("FILESERVER_RULES");
    if (!rules) GTEST_SKIP() << "runs under fileserver_test() only";
    EXPECT_STREQ(rules, "nfs,smb,keep");
    EXPECT_STREQ(std::getenv("QT_QPA_PLATFORM"), "offscreen");
    ASSERT_NE(std::getenv("LD_PRELOAD"), nullptr);
    EXPECT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(std::getenv("LD_PRELOAD"))));
    const QDir registry(QString::fromLocal8Bit(std::getenv("FILESERVER_REGISTRY")));
    EXPECT_TRUE(registry.exists());
    EXPECT_TRUE(registry.isEmpty()) << "a fresh folder for each run";

    testsupport::TempDir dir;
    QFile file(dir.file("x.lock"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("4711\n");
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(::flock(file.handle(), LOCK_EX | LOCK_NB), -1) << "the nfs rule is played";
    EXPECT_EQ(errno, EBADF);
    EXPECT_EQ(file.readAll(), "4711\n");
}

} // namespace
