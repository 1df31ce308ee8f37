#include "FileLock.h"

#include "../runtime/Language.h"
#include "FileSystem.h"
#include "UserAccount.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// The byte that a holder locks: far beyond the file's text, so that a file server that makes a byte-range
// lock mandatory (SMB) still lets everybody read the text.
constexpr off_t kHolderByte = off_t(1) << 30;
// The renewal count: its digits, written in place in the file's last line.
constexpr int kCountDigits = 10;
// The line after which a run that took a stale lock over writes its own lines into the file it removes.
constexpr char kTakenOver[] = "taken over by\n";

QByteArray native(const QString& file) {
    return QFile::encodeName(file);
}

QDateTime fileTime(const struct stat& info) {
    return QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                          info.st_mtim.tv_nsec / 1000000);
}

// A name beside `file` that no other run picks: for the files this run writes there for a moment.
QString besideName(const QString& file, const char* kind) {
    return file + QLatin1Char('.') + QString::number(QRandomGenerator::system()->generate64(), 16) +
           QLatin1Char('.') + QLatin1String(kind);
}

struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

// Whether the file at `path` is the file `device`/`inode` (opened, so that a file server's client looks the
// name up afresh). Nothing when that can't be told (the server does not answer).
std::optional<bool> isFile(const QByteArray& path, quint64 device, quint64 inode) {
    const Descriptor d(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (d.fd < 0) {
        if (errno == ENOENT || errno == ELOOP) return false;
        if (::lstat(path.constData(), &info) != 0)
            return errno == ENOENT ? std::optional<bool>(false) : std::nullopt;
    } else if (::fstat(d.fd, &info) != 0) {
        return std::nullopt;
    }
    return quint64(info.st_dev) == device && quint64(info.st_ino) == inode;
}

// Locks the holder's byte for as long as the descriptor stays open: the system lets go of it however the
// process ends. An open file description's lock, so that no other descriptor of this process that is opened
// and closed on the file (a look at its holder) drops it. False where the file system keeps no such locks.
bool lockHolderByte(int fd) {
    struct flock byte {};
    byte.l_type = F_WRLCK;
    byte.l_whence = SEEK_SET;
    byte.l_start = kHolderByte;
    byte.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &byte) == 0;
}

// Whether some process holds the holder's byte of the file (or all of it). Nothing when that can't be asked.
std::optional<bool> holderByteLocked(const QString& file) {
    const Descriptor d(::open(native(file).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (d.fd < 0) return std::nullopt;
    struct flock byte {};
    byte.l_type = F_RDLCK;
    byte.l_whence = SEEK_SET;
    byte.l_start = kHolderByte;
    byte.l_len = 1;
    if (::fcntl(d.fd, F_OFD_GETLK, &byte) != 0) return std::nullopt;
    return byte.l_type != F_UNLCK;
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

// Whether a process of that number exists and has not ended: one that ended but was not yet waited for by
// its parent (a zombie) holds nothing any more.
bool processExists(qint64 pid) {
    if (pid <= 0 || pid > qint64(std::numeric_limits<pid_t>::max())) return false;
    if (::kill(pid_t(pid), 0) != 0 && errno != EPERM) return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.read(1024);
    const int end = line.lastIndexOf(')');
    return end < 0 || line.size() < end + 3 || (line[end + 2] != 'Z' && line[end + 2] != 'X');
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

// Puts a lock file that was moved aside and is another run's back in its place, where no lock was made
// meanwhile; otherwise the run it belongs to finds its lock lost. Without links the file is renamed back.
void putBack(const QByteArray& aside, const QByteArray& path) {
    if (::link(aside.constData(), path.constData()) == 0 || errno == EEXIST)
        ::unlink(aside.constData());
    else
        ::rename(aside.constData(), path.constData());
}

// Writes all of `content` at the start of the file; the system's error number, or 0.
int writeAll(int fd, const QByteArray& content) {
    qsizetype written = 0;
    while (written < content.size()) {
        const ssize_t n =
            ::pwrite(fd, content.constData() + written, size_t(content.size() - written), written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        written += n;
    }
    return ::fdatasync(fd) == 0 || errno == EINVAL ? 0 : errno;
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

FileLockError::FileLockError(Cause cause, const QString& path, int systemError)
    : VbError(describe(cause, path, systemError)), cause_(cause), path_(path) {}

// Renews the lock while it is held, so that other computers see its holder lives: it raises the count in the
// file's last line, so that the file's server stamps the file with its own time. It stops, and marks the lock
// lost, once the file is gone or another one stands in its place (a run that took the lock over).
struct FileLock::Refresher {
    std::mutex mutex;
    std::condition_variable stop;
    bool stopping = false;
    std::thread thread;

    Refresher(int fd, QByteArray path, quint64 device, quint64 inode, off_t countAt,
              std::chrono::milliseconds every, std::atomic<bool>& lost) {
        thread = std::thread([this, fd, path, device, inode, countAt, every, &lost] {
            std::unique_lock<std::mutex> lock(mutex);
            for (quint32 count = 1; !stop.wait_for(lock, every, [this] { return stopping; }); ++count) {
                // A file server that can't be reached now is tried again next time.
                const std::optional<bool> mine = isFile(path, device, inode);
                if (mine && !*mine) {
                    lost = true;
                    return;
                }
                const QByteArray digits =
                    QByteArray::number(count % 1000000000u).rightJustified(kCountDigits, '0');
                if (::pwrite(fd, digits.constData(), size_t(digits.size()), countAt) == digits.size())
                    ::fdatasync(fd);
            }
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
    : file_(file), user_((user.isEmpty() ? LoginName() : user).toUpper()), timing_(timing) {}

FileLock::~FileLock() {
    release();
}

std::optional<LockHolder> FileLock::holder() const {
    const QByteArray path = native(file_);
    const Descriptor d(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (d.fd < 0 ? ::lstat(path.constData(), &info) != 0 : ::fstat(d.fd, &info) != 0) return std::nullopt;
    QByteArray content;
    bool readable = d.fd >= 0 && S_ISREG(info.st_mode);
    if (readable) {
        char buffer[4096];
        ssize_t n;
        do {
            n = ::pread(d.fd, buffer, sizeof buffer, 0);
        } while (n < 0 && errno == EINTR);
        // A file server that locks the whole file for its holder refuses the read (SMB): its time tells.
        readable = n >= 0;
        if (readable) content = QByteArray(buffer, int(n));
    }
    LockHolder h = readable ? LockHolder::parse(content) : LockHolder();
    h.readable = readable;
    h.touched = fileTime(info);
    if (!h.since.isValid()) h.since = h.touched;
    h.device = quint64(info.st_dev);
    h.inode = quint64(info.st_ino);
    return h;
}

QByteArray FileLock::text() const {
    return QByteArray::number(qint64(::getpid())) + '\n' + QFile::encodeName(programOf(::getpid())) + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n' + user_.toUtf8() + '\n' +
           QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1() + '\n' +
           QByteArray(kCountDigits, '0') + '\n';
}

bool FileLock::create() {
    const QByteArray content = text();
    // Written in full under a name of its own, then linked to the lock file's name, which fails when that is
    // there: nobody ever reads a lock file without its holder's name, and no second run makes it too.
    const QByteArray temp = native(besideName(file_, "new"));
    const int fd = ::open(temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) throw lockFileError(file_, errno);
    lockHolderByte(fd);
    if (const int error = writeAll(fd, content)) {
        ::close(fd);
        ::unlink(temp.constData());
        throw lockFileError(file_, error);
    }
    if (::link(temp.constData(), native(file_).constData()) == 0) {
        ::unlink(temp.constData());
        hold(fd, content.size());
        return true;
    }
    const int error = errno;
    ::close(fd);
    ::unlink(temp.constData());
    if (error == EEXIST) return false;
    // A file system without links (some SMB shares): the file is made in its place, then written.
    if (error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EMLINK)
        return createInPlace(content);
    throw lockFileError(file_, error);
}

bool FileLock::createInPlace(const QByteArray& content) {
    const QByteArray path = native(file_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return false;
        throw lockFileError(file_, errno);
    }
    lockHolderByte(fd);
    if (const int error = writeAll(fd, content)) {
        ::close(fd);
        ::unlink(path.constData());
        throw lockFileError(file_, error);
    }
    hold(fd, content.size());
    return true;
}

void FileLock::hold(int fd, qsizetype textSize) {
    struct stat info {};
    ::fstat(fd, &info);
    fd_ = fd;
    device_ = quint64(info.st_dev);
    inode_ = quint64(info.st_ino);
    lost_ = false;
    judged_.reset();
    startRefreshing(off_t(textSize - kCountDigits - 1));
}

void FileLock::startRefreshing(off_t countAt) {
    if (timing_.refresh <= std::chrono::milliseconds::zero()) return;
    refresher_ =
        std::make_unique<Refresher>(fd_, native(file_), device_, inode_, countAt, timing_.refresh, lost_);
}

QDateTime FileLock::serverNow() {
    if (!serverOffsetMs_) {
        // A file written beside the lock file gets the server's time, as the holder's renewal does.
        serverOffsetMs_ = 0;
        const QByteArray probe = native(besideName(file_, "clock"));
        const Descriptor d(::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (d.fd >= 0) {
            struct stat info {};
            const QDateTime before = QDateTime::currentDateTime();
            if (writeAll(d.fd, QByteArray("0")) == 0 && ::fstat(d.fd, &info) == 0) {
                const QDateTime after = QDateTime::currentDateTime();
                serverOffsetMs_ = before.msecsTo(fileTime(info)) - before.msecsTo(after) / 2;
            }
            ::unlink(probe.constData());
        }
    }
    return QDateTime::currentDateTime().addMSecs(*serverOffsetMs_);
}

qint64 FileLock::ageOf(const LockHolder& h) {
    return h.touched.msecsTo(serverNow());
}

bool FileLock::renewedLately(const LockHolder& h) {
    const qint64 age = ageOf(h);
    // A time ahead of the server's was set by the holder's own clock (a file system that lets it): a live
    // holder with a fast clock keeps it ahead. One more than a day ahead is no sign of life at all.
    return age < 0 ? age > -qint64(24) * 3600 * 1000 : std::chrono::milliseconds(age) <= timing_.staleAfter;
}

FileLock::State FileLock::judge(const std::optional<LockHolder>& h) {
    if (!h) return State::Taken; // gone meanwhile: try again
    // A file whose text can't be read can't be asked about its holder: its time tells.
    if (!h->readable) return renewedLately(*h) ? State::Held : State::MayBeStale;
    if (h->pid == 0) {
        // One that names nobody was left by a process killed while it made it in place, or is being written
        // by a live one this very moment, which takes far less than a second.
        const qint64 age = ageOf(*h);
        if (age >= 0 && age < 1000) return State::Held;
        // A maker that locked it and is still writing is waited for, but not for longer than a live run
        // renews its lock: a file server keeps the lock of a maker that died.
        const bool young = age >= 0 && std::chrono::milliseconds(age) <= timing_.staleAfter;
        return young && holderByteLocked(file_).value_or(false) ? State::Held : State::Taken;
    }
    if (h->thisBoot) {
        // The system lock of a holder that ended went with it; one that a file server keeps for a process
        // that is gone is no sign of life. Where no lock can be asked, the process itself tells.
        const std::optional<bool> locked = holderByteLocked(file_);
        bool lives = locked ? *locked && processExists(h->pid) : processExists(h->pid);
        if (!locked && lives) {
            const QString program = programOf(h->pid);
            lives = program.isEmpty() || h->program.isEmpty() || program == h->program;
        }
        return lives ? State::Held : State::Taken;
    }
    // This computer before its last start: its processes are gone. Its lock is taken over unasked once it is
    // no longer renewed; one renewed lately is a live run of a computer cloned from this one.
    if (h->thisComputer) return renewedLately(*h) ? State::Held : State::Taken;
    return renewedLately(*h) ? State::Held : State::MayBeStale;
}

bool FileLock::remove(const LockHolder& expected) {
    // Moved aside first, which only one run can: the file moved is then looked at without a race, and the
    // lock of a run that took it meanwhile is put back.
    const QByteArray path = native(file_);
    const QByteArray aside = native(besideName(file_, "stale"));
    if (::rename(path.constData(), aside.constData()) != 0) {
        if (errno == ENOENT) return true;
        throw lockFileError(file_, errno);
    }
    FileLock moved(QFile::decodeName(aside));
    const std::optional<LockHolder> now = moved.holder();
    if (now && now->sameLock(expected)) {
        // Its holder, should it wake up, reads there who took its lock over.
        const Descriptor d(::open(aside.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW));
        if (d.fd >= 0) {
            const QByteArray note = QByteArray(kTakenOver) + text();
            if (::write(d.fd, note.constData(), size_t(note.size())) == note.size()) ::fdatasync(d.fd);
        }
        ::unlink(aside.constData());
        return true;
    }
    putBack(aside, path);
    return false;
}

void FileLock::removeLeftovers() {
    // The files a run writes beside the lock file live for a moment; one that a run killed in that moment
    // left is older than any run takes.
    const QFileInfo lock(file_);
    const QDateTime before = serverNow().addSecs(-600);
    QDir folder(lock.path());
    const QString pattern = lock.fileName() + QStringLiteral(".*.");
    for (const char* kind : {"new", "clock", "stale", "done"}) {
        for (const QFileInfo& left : folder.entryInfoList({pattern + QLatin1String(kind)},
                                                          QDir::Files | QDir::Hidden | QDir::System)) {
            if (left.lastModified() < before) QFile::remove(left.filePath());
        }
    }
}

FileLock::State FileLock::tryTake() {
    if (held()) return State::Taken;
    judged_.reset();
    // A few rounds: a file that goes between the tries is tried again; a stale one of this computer is
    // removed and the lock made anew, which another run may do first.
    for (int round = 0; round < 4; ++round) {
        if (create()) {
            removeLeftovers();
            return State::Taken;
        }
        struct stat info {};
        if (::lstat(native(file_).constData(), &info) != 0) continue; // gone meanwhile
        if (!S_ISREG(info.st_mode)) throw FileLockError(FileLockError::Cause::NotAFile, file_);
        judged_ = holder();
        const State state = judge(judged_);
        if (state != State::Taken) return state;
        if (judged_) remove(*judged_);
    }
    judged_ = holder();
    return State::Held;
}

FileLock::State FileLock::take(std::chrono::milliseconds wait, const std::function<void()>& meanwhile) {
    using namespace std::chrono;
    constexpr milliseconds slice{100};
    serverOffsetMs_.reset();
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
    serverOffsetMs_.reset();
    struct stat info {};
    if (::lstat(native(file_).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        throw FileLockError(FileLockError::Cause::NotAFile, file_);
    judged_ = holder();
    if (judged_) {
        const State now = judge(judged_);
        if (!judged_->sameLock(asked) || now != State::MayBeStale) {
            // Another lock than the one the user was asked about (renewed, or taken anew), or that one
            // renewed after all: judged as it is now.
            if (now != State::Taken) return now;
        } else if (!remove(asked)) {
            judged_ = holder();
            const State again = judge(judged_);
            if (again != State::Taken) return again;
        }
    }
    return tryTake();
}

bool FileLock::stillHeld() const {
    if (fd_ < 0 || lost_) return false;
    const std::optional<bool> mine = isFile(native(file_), device_, inode_);
    if (mine && !*mine) lost_ = true;
    // A file server that does not answer can't confirm it either: nothing is written on a guess.
    return mine.value_or(false);
}

std::optional<LockHolder> FileLock::takenOverBy() const {
    if (fd_ < 0) return std::nullopt;
    char buffer[8192];
    const ssize_t n = ::pread(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) return std::nullopt;
    const QByteArray content(buffer, int(n));
    const qsizetype at = content.indexOf(QByteArray(kTakenOver));
    if (at < 0) return std::nullopt;
    LockHolder h = LockHolder::parse(content.mid(at + qsizetype(sizeof kTakenOver) - 1));
    if (h.pid == 0) return std::nullopt;
    return h;
}

bool FileLock::lost() const {
    return fd_ >= 0 && (lost_ || (isFile(native(file_), device_, inode_) == std::optional<bool>(false)));
}

void FileLock::release() {
    if (fd_ < 0) return;
    refresher_.reset();
    // Only this run's own file goes, not the one of a run that took the lock over meanwhile. Moved aside
    // while still locked, so that nobody takes it for stale in between, and looked at once more there: one
    // that is not this run's after all is put back.
    const QByteArray path = native(file_);
    if (isFile(path, device_, inode_).value_or(false)) {
        const QByteArray aside = native(besideName(file_, "done"));
        if (::rename(path.constData(), aside.constData()) == 0) {
            struct stat there {};
            const bool mine = ::lstat(aside.constData(), &there) == 0 && quint64(there.st_dev) == device_ &&
                              quint64(there.st_ino) == inode_;
            if (mine)
                ::unlink(aside.constData());
            else
                putBack(aside, path);
        }
    }
    ::close(fd_);
    fd_ = -1;
    judged_.reset();
}

} // namespace platform
