#include "FileLock.h"

#include "../runtime/Clock.h"
#include "../runtime/Language.h"
#include "../runtime/SystemLocale.h"
#include "FileSystem.h"
#include "UserAccount.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

QByteArray native(const QString& file) {
    return QFile::encodeName(file);
}

QDateTime fileTime(const struct stat& info) {
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                          info.st_mtim.tv_nsec / 1000000);
}

// The name of a running process's program file; empty when it can't be told (another user's process).
QString programOf(qint64 pid) {
    const QByteArray exe = "/proc/" + QByteArray::number(pid) + "/exe";
    char buffer[4096];
    const ssize_t n = ::readlink(exe.constData(), buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    QByteArray path(buffer, int(n));
    if (path.endsWith(" (deleted)")) path.chop(10);
    return QFileInfo(QFile::decodeName(path)).fileName();
}

// Whether the process that a lock file of this computer names still runs: a process of that number that runs
// another program got the number anew after the holder ended.
bool processRuns(const LockHolder& holder) {
    if (holder.pid <= 0) return false;
    if (::kill(pid_t(holder.pid), 0) != 0 && errno != EPERM) return false;
    const QString program = programOf(holder.pid);
    return program.isEmpty() || holder.program.isEmpty() || program == holder.program;
}

// Whether a live process of this computer (or, on a file server that passes locks on, of any) has the file
// locked. Unknown when the file can't be opened.
std::optional<bool> lockedBySomeone(const QString& file) {
    const int fd = ::open(native(file).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return std::nullopt;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

std::chrono::milliseconds ageOf(const QDateTime& touched) {
    return std::chrono::milliseconds(std::abs(touched.msecsTo(QDateTime::currentDateTime())));
}

// What stops the lock file from being made, from the system's error number.
FileLockError lockFileError(const QString& file, int error) {
    const QString folder = FileSystem::GetParentFolderName(file);
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return FileLockError(FileLockError::Cause::FolderNotWritable, folder, error);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileLockError(FileLockError::Cause::DiskFull, folder, error);
    default:
        return FileLockError(FileLockError::Cause::Other, file, error);
    }
}

} // namespace

VbError FileLockError::describe(Cause cause, const QString& path, int systemError) {
    switch (cause) {
    case Cause::NotAFile:
        return VbError(
            VbError::PermissionDenied,
            (QFileInfo(path).isDir()
                 ? Language::text(QStringLiteral("A folder stands where the lock file %1 belongs."),
                                  QStringLiteral("An der Stelle der Sperrdatei %1 steht ein Ordner."))
                 : Language::text(
                       QStringLiteral("Something that is no file stands where the lock file %1 belongs."),
                       QStringLiteral("An der Stelle der Sperrdatei %1 steht keine Datei.")))
                .arg(path));
    case Cause::FolderNotWritable:
        return VbError(VbError::PermissionDenied,
                       Language::text(QStringLiteral("The folder %1 may not be written."),
                                      QStringLiteral("Der Ordner %1 darf nicht beschrieben werden."))
                           .arg(path));
    case Cause::DiskFull:
        return VbError(VbError::DiskFull,
                       Language::text(QStringLiteral("The disk of the folder %1 is full."),
                                      QStringLiteral("Der Datenträger des Ordners %1 ist voll."))
                           .arg(path));
    case Cause::Other:
        break;
    }
    return FileSystem::WriteError(path, systemError);
}

QString LockHolder::timeText(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    return SystemLocale::shortDate(Clock::dateValue(local.date())) + QLatin1Char(' ') +
           SystemLocale::shortTime(Clock::timeValue(local.time()));
}

QString LockHolder::computerName() const {
    if (!computer.isEmpty()) return computer;
    return pid != 0 ? QSysInfo::machineHostName() : QString();
}

QString LockHolder::describe() const {
    const QString host = computerName();
    const QString who =
        user.isEmpty()
            ? Language::text(QStringLiteral("an unknown user"), QStringLiteral("einem unbekannten Benutzer"))
            : Language::text(QStringLiteral("user %1"), QStringLiteral("Benutzer %1")).arg(user);
    const QString where =
        host.isEmpty()
            ? Language::text(QStringLiteral("on an unknown computer"),
                             QStringLiteral("an einem unbekannten Computer"))
            : Language::text(QStringLiteral("on computer %1"), QStringLiteral("am Computer %1")).arg(host);
    return Language::text(QStringLiteral("%1 %2, since %3"), QStringLiteral("%1 %2, seit %3"))
        .arg(who, where, timeText(since));
}

bool LockHolder::sameLock(const LockHolder& other) const {
    return pid == other.pid && program == other.program && computer == other.computer && user == other.user &&
           since == other.since && touched == other.touched;
}

FileLockError::FileLockError(Cause cause, const QString& path, int systemError)
    : VbError(describe(cause, path, systemError)), cause_(cause), path_(path) {}

// Renews the lock file's time while the lock is held, so that other computers see its holder lives.
struct FileLock::Refresher {
    std::mutex mutex;
    std::condition_variable stop;
    bool stopping = false;
    std::thread thread;

    Refresher(int fd, std::chrono::milliseconds every) {
        thread = std::thread([this, fd, every] {
            std::unique_lock<std::mutex> lock(mutex);
            while (!stop.wait_for(lock, every, [this] { return stopping; }))
                ::futimens(fd, nullptr); // a file server that can't be reached now is tried again next time
        });
    }
    ~Refresher() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        stop.notify_all();
        thread.join();
    }
};

FileLock::FileLock(const QString& file, const QString& user, Timing timing)
    : file_(file), user_(user.isEmpty() ? LoginName() : user), timing_(timing) {}

FileLock::~FileLock() {
    release();
}

std::optional<LockHolder> FileLock::holder() const {
    struct stat info {};
    if (::lstat(native(file_).constData(), &info) != 0) return std::nullopt;
    LockHolder h;
    h.touched = fileTime(info);
    h.since = h.touched;
    QFile f(file_);
    if (!S_ISREG(info.st_mode) || !f.open(QIODevice::ReadOnly)) return h;
    const QList<QByteArray> lines = f.read(4096).split('\n');
    bool number = false;
    h.pid = lines.value(0).trimmed().toLongLong(&number);
    if (!number || h.pid <= 0) {
        h.pid = 0;
        return h;
    }
    h.program = QString::fromUtf8(lines.value(1).trimmed());
    h.computer = QString::fromUtf8(lines.value(2).trimmed());
    h.user = QString::fromUtf8(lines.value(5).trimmed());
    const QDateTime since =
        QDateTime::fromString(QString::fromLatin1(lines.value(6).trimmed()), Qt::ISODateWithMs);
    if (since.isValid()) h.since = since.toLocalTime();
    const QByteArray machine = lines.value(3).trimmed(), boot = lines.value(4).trimmed();
    h.thisComputer = h.computer.isEmpty() || h.computer == QSysInfo::machineHostName();
    // The same machine since restarted: its processes are gone, whatever runs under their numbers now.
    if (h.thisComputer && !machine.isEmpty() && machine == QSysInfo::machineUniqueId() && !boot.isEmpty() &&
        boot != QSysInfo::bootUniqueId())
        h.pid = -h.pid;
    return h;
}

bool FileLock::create() {
    const int fd = ::open(native(file_).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw lockFileError(file_, errno);
    }
    // Nobody else has it yet: this run made it. The system's lock tells this computer's other runs that its
    // holder lives, and goes with the process however it ends.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const QByteArray content = QByteArray::number(qint64(::getpid())) + '\n' +
                               QFile::encodeName(programOf(::getpid())) + '\n' +
                               QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() +
                               '\n' + QSysInfo::bootUniqueId() + '\n' + user_.toUtf8() + '\n' +
                               QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    qsizetype written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + written, size_t(content.size() - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            ::unlink(native(file_).constData());
            throw lockFileError(file_, error);
        }
        written += n;
    }
    ::fdatasync(fd);
    fd_ = fd;
    startRefreshing();
    return true;
}

void FileLock::startRefreshing() {
    if (timing_.refresh > std::chrono::milliseconds::zero())
        refresher_ = std::make_unique<Refresher>(fd_, timing_.refresh);
}

FileLock::State FileLock::judge(const std::optional<LockHolder>& h) const {
    if (!h) return State::Taken; // gone meanwhile: try again
    const std::optional<bool> locked = lockedBySomeone(file_);
    if (locked.value_or(false)) return State::Held;
    if (h->pid == 0) {
        // A file that can't be read can't be asked about its holder: its time tells, as another computer's.
        if (!locked) return ageOf(h->touched) <= timing_.staleAfter ? State::Held : State::MayBeStale;
        // One that names nobody was left by a process killed while it took the lock, or is being written by a
        // live one this very moment, which takes far less than a second.
        return ageOf(h->touched) < std::chrono::seconds(1) ? State::Held : State::Taken;
    }
    if (h->thisComputer) return h->pid > 0 && processRuns(*h) ? State::Held : State::Taken;
    return ageOf(h->touched) <= timing_.staleAfter ? State::Held : State::MayBeStale;
}

bool FileLock::remove(const LockHolder& expected) {
    const QByteArray path = native(file_);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT) return true;
    if (fd < 0 && errno != EACCES) return false;
    struct Closer {
        int fd;
        ~Closer() {
            if (fd >= 0) ::close(fd);
        }
    } closer{fd};
    // Locked while it is removed: a live holder that comes meanwhile keeps it.
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) return false;
    struct stat opened {
    }, there{};
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || ::lstat(path.constData(), &there) != 0 ||
                    opened.st_ino != there.st_ino || opened.st_dev != there.st_dev))
        return false;
    const std::optional<LockHolder> now = holder();
    if (!now) return true;
    if (!now->sameLock(expected)) return false;
    if (::unlink(path.constData()) == 0 || errno == ENOENT) return true;
    throw lockFileError(file_, errno);
}

FileLock::State FileLock::tryTake() {
    if (held()) return State::Taken;
    // A few rounds: a stale file removed here may be taken by another run before this one makes its own.
    for (int round = 0; round < 4; ++round) {
        if (create()) return State::Taken;
        struct stat info {};
        if (::lstat(native(file_).constData(), &info) != 0) continue; // gone meanwhile
        if (!S_ISREG(info.st_mode)) throw FileLockError(FileLockError::Cause::NotAFile, file_);
        const std::optional<LockHolder> h = holder();
        const State state = judge(h);
        if (state != State::Taken) return state;
        if (h && !remove(*h)) continue;
    }
    return State::Held;
}

FileLock::State FileLock::take(std::chrono::milliseconds wait, const std::function<void()>& meanwhile) {
    using namespace std::chrono;
    constexpr milliseconds slice{100};
    const milliseconds total = std::max(wait, milliseconds::zero());
    const auto deadline = steady_clock::now() + total;
    // The count bounds the loop should the clock jump.
    const long long tries = total / slice + 2;
    for (long long i = 0; i < tries; ++i) {
        const State state = tryTake();
        if (state != State::Held) return state;
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now());
        if (left <= milliseconds::zero()) break;
        if (meanwhile) meanwhile();
        std::this_thread::sleep_for(std::min(left, slice));
    }
    return State::Held;
}

FileLock::State FileLock::takeOver(const LockHolder& asked) {
    if (held()) return State::Taken;
    struct stat info {};
    if (::lstat(native(file_).constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) throw FileLockError(FileLockError::Cause::NotAFile, file_);
        // Another lock than the one the user was asked about (renewed, or taken anew) is judged afresh.
        if (!remove(asked)) {
            const State now = judge(holder());
            if (now != State::Taken) return now;
        }
    }
    return tryTake();
}

void FileLock::release() {
    if (fd_ < 0) return;
    refresher_.reset();
    // Removed while still locked, so that nobody takes the file for stale in between; and only while it is
    // still this run's file, not the one of a run that took the lock over meanwhile.
    struct stat mine {
    }, there{};
    const QByteArray path = native(file_);
    if (::fstat(fd_, &mine) == 0 && ::lstat(path.constData(), &there) == 0 && mine.st_ino == there.st_ino &&
        mine.st_dev == there.st_dev)
        ::unlink(path.constData());
    ::close(fd_);
    fd_ = -1;
}

} // namespace platform
