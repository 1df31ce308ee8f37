// fileserver_rules: a preload library that plays the lock rules of file servers on a local disk, so that
// the lock code can be tried as it behaves on NFS and SMB without a server at hand.
//
// It applies to files whose last name holds ".lock" only; databases and everything else pass through
// untouched. FILESERVER_RULES names the rules to play, separated by commas (unset or empty: none, and the
// library only passes calls on):
//
//   nfs   An exclusive lock needs a descriptor opened for writing (the NFS client turns flock() into a
//         byte-range write lock, which the server grants only for a file opened for writing):
//         flock(LOCK_EX) and F_SETLK/F_SETLKW/F_OFD_SETLK/F_OFD_SETLKW with F_WRLCK on a read-only
//         descriptor fail with EBADF. Shared locks and F_GETLK/F_OFD_GETLK are allowed on any descriptor.
//
//   smb   Locks are mandatory (the CIFS client, Linux 5.5 and later, turns flock() into SMB byte-range
//         locks, and SMB locks bind every handle but the one that took them): while another open file
//         description holds an exclusive flock, or a write lock by fcntl (classic or OFD) over the bytes
//         in question, read/pread/readv through this descriptor fail with EACCES; while another holds any
//         flock or any byte-range lock over them, write/pwrite/writev fail with EACCES. Reads outside a
//         locked range, and all I/O through the description that holds the lock, are fine.
//
//   keep  An NFSv3 server keeps the lock of a client that died until that client starts again. Every
//         exclusive lock taken (flock LOCK_EX, F_WRLCK by F_SETLK(W) or F_OFD_SETLK(W)) is written to the
//         folder FILESERVER_REGISTRY (made when missing), one file per locked file and taker, named by the
//         hex of the file's device and inode and the taker's process number ("fe00-a71d26.4711"), holding
//         the file's path, the taker's process number, the range (a flock: the whole file, as the NFS
//         client takes it; a taker's later lock on the file replaces its earlier range) and the file's
//         handle. The entry goes only with an explicit unlock by its taker (LOCK_UN, F_UNLCK), never with
//         close() or the process's end. Another process then finds the file locked: flock(LOCK_SH/LOCK_EX
//         | LOCK_NB) fails with EWOULDBLOCK, F_SETLK/F_OFD_SETLK with EAGAIN, F_GETLK/F_OFD_GETLK report
//         F_WRLCK with l_pid -1. A waiting request (flock without LOCK_NB, F_SETLKW, F_OFD_SETLKW) would
//         wait forever on a server; here it fails with EDEADLK and says so on stderr, so that a test ends.
//         A file unlinked and made anew is another file (its handle differs even when its inode number
//         is reused), so an old entry does not apply to it. Emptying the folder plays the client's restart.
//
// A test sets, for the process under test:
//   LD_PRELOAD=<path of this library>  FILESERVER_RULES=nfs,smb,keep  FILESERVER_REGISTRY=<fresh folder>
// (tests/fileserver/FileServerTest.cmake's fileserver_test() does that for a CTest test).
//
// What is seen: calls to open/open64/openat/openat64/creat/creat64, close, dup/dup2/dup3,
// fcntl/fcntl64 (lock commands and F_DUPFD), flock, read/pread/pread64/readv, write/pwrite/pwrite64/writev
// that go through the dynamic linker. The C library's own internal calls (fopen, fclose) and descriptors
// made before the library was loaded are not seen; a descriptor number closed unseen and used again is
// noticed by its device and inode and forgotten. The only state is the table of descriptors of .lock
// files, behind one mutex.

#include "Digits.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/uio.h>
#include <unistd.h>

#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {

// ---- The C library's own functions ------------------------------------------------------------------

struct Real {
    int (*open)(const char*, int, ...);
    int (*open64)(const char*, int, ...);
    int (*openat)(int, const char*, int, ...);
    int (*openat64)(int, const char*, int, ...);
    int (*creat)(const char*, mode_t);
    int (*creat64)(const char*, mode_t);
    int (*close)(int);
    int (*dup)(int);
    int (*dup2)(int, int);
    int (*dup3)(int, int, int);
    int (*fcntl)(int, int, ...);
    int (*fcntl64)(int, int, ...);
    int (*flock)(int, int);
    ssize_t (*read)(int, void*, size_t);
    ssize_t (*pread)(int, void*, size_t, off_t);
    ssize_t (*pread64)(int, void*, size_t, off64_t);
    ssize_t (*readv)(int, const struct iovec*, int);
    ssize_t (*write)(int, const void*, size_t);
    ssize_t (*pwrite)(int, const void*, size_t, off_t);
    ssize_t (*pwrite64)(int, const void*, size_t, off64_t);
    ssize_t (*writev)(int, const struct iovec*, int);
};

template <typename F> void next(F& f, const char* name) { f = reinterpret_cast<F>(dlsym(RTLD_NEXT, name)); }

const Real& real() {
    static const Real r = [] {
        Real x{};
        next(x.open, "open");
        next(x.open64, "open64");
        next(x.openat, "openat");
        next(x.openat64, "openat64");
        next(x.creat, "creat");
        next(x.creat64, "creat64");
        next(x.close, "close");
        next(x.dup, "dup");
        next(x.dup2, "dup2");
        next(x.dup3, "dup3");
        next(x.fcntl, "fcntl");
        next(x.fcntl64, "fcntl64");
        next(x.flock, "flock");
        next(x.read, "read");
        next(x.pread, "pread");
        next(x.pread64, "pread64");
        next(x.readv, "readv");
        next(x.write, "write");
        next(x.pwrite, "pwrite");
        next(x.pwrite64, "pwrite64");
        next(x.writev, "writev");
        if (!x.fcntl64) x.fcntl64 = x.fcntl; // a C library older than fcntl64
        return x;
    }();
    return r;
}

// ---- The rules chosen -------------------------------------------------------------------------------

struct Rules {
    bool nfs = false;
    bool smb = false;
    bool keep = false;
    std::string registry;
    bool any() const { return nfs || smb || keep; }
};

const Rules& rules() {
    static const Rules r = [] {
        Rules x;
        const char* list = std::getenv("FILESERVER_RULES");
        std::string all = list ? list : "";
        std::size_t from = 0;
        while (from <= all.size()) {
            std::size_t to = all.find(',', from);
            if (to == std::string::npos) to = all.size();
            const std::string rule = all.substr(from, to - from);
            if (rule == "nfs") x.nfs = true;
            else if (rule == "smb") x.smb = true;
            else if (rule == "keep") x.keep = true;
            else if (!rule.empty()) std::fprintf(stderr, "fileserver_rules: unknown rule '%s'\n", rule.c_str());
            from = to + 1;
        }
        const char* registry = std::getenv("FILESERVER_REGISTRY");
        x.registry = registry ? registry : "";
        if (x.keep && x.registry.empty()) {
            std::fprintf(stderr, "fileserver_rules: 'keep' needs FILESERVER_REGISTRY; it is not played\n");
            x.keep = false;
        }
        return x;
    }();
    return r;
}

// ---- The descriptors of .lock files -----------------------------------------------------------------

// One open file description (shared by dup'ed descriptors): what was opened and which locks it took.
struct Description {
    std::string path;
    int access = O_RDONLY; // O_RDONLY, O_WRONLY or O_RDWR
    dev_t dev = 0;
    ino_t ino = 0;
    int flock = 0;            // LOCK_SH, LOCK_EX or 0 while it holds no flock
    bool classicLock = false; // a classic fcntl lock was taken through it and may still be held
};
using DescriptionPtr = std::shared_ptr<Description>;

struct Table {
    std::mutex mutex;
    std::unordered_map<int, DescriptionPtr> fds;
};

// Never destroyed: close() may still be called by other libraries' destructors at exit.
Table& table() {
    static Table* t = new Table;
    return *t;
}

bool isLockName(const char* path) {
    if (!path) return false;
    const char* slash = std::strrchr(path, '/');
    const char* name = slash ? slash + 1 : path;
    // The lock file itself, and the files the lock code writes beside it under its name ("x.lock.1f.new")
    // before it links one into the lock file's place: the lock is taken on those.
    return std::strstr(name, ".lock") != nullptr;
}

// The description behind fd, or null for a descriptor that is not of a .lock file. A number that now
// names another file (closed unseen and used again) is forgotten.
DescriptionPtr find(int fd) {
    if (!rules().any() || fd < 0) return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.fds.find(fd);
    if (it == t.fds.end()) return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_dev != it->second->dev || st.st_ino != it->second->ino) {
        t.fds.erase(it);
        return nullptr;
    }
    return it->second;
}

// A descriptor goes (close, or dup2 over it): closing any descriptor of a file lets go of all classic
// fcntl locks of the process on that file, so no description of it holds one any more.
void forgetLocked(Table& t, int fd) {
    auto it = t.fds.find(fd);
    if (it == t.fds.end()) return;
    for (auto& [other, d] : t.fds)
        if (d->dev == it->second->dev && d->ino == it->second->ino) d->classicLock = false;
    t.fds.erase(it);
}

void forget(int fd) {
    if (!rules().any() || fd < 0) return;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    forgetLocked(t, fd);
}

int opened(int fd, const char* path, int flags) {
    if (fd < 0 || !rules().any()) return fd;
    const int saved = errno;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.fds.erase(fd); // a number closed unseen
    struct stat st;
    if (isLockName(path) && !(flags & O_PATH) && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        auto d = std::make_shared<Description>();
        d->path = path;
        d->access = flags & O_ACCMODE;
        d->dev = st.st_dev;
        d->ino = st.st_ino;
        t.fds[fd] = d;
    }
    errno = saved;
    return fd;
}

int duplicated(int from, int to) {
    if (to < 0 || !rules().any()) return to;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    auto it = t.fds.find(from);
    if (it != t.fds.end()) t.fds[to] = it->second;
    else t.fds.erase(to);
    return to;
}

void setFlock(const DescriptionPtr& d, int kind) {
    std::lock_guard<std::mutex> lock(table().mutex);
    d->flock = kind == LOCK_UN ? 0 : kind;
}

void setClassicLock(const DescriptionPtr& d, bool held) {
    std::lock_guard<std::mutex> lock(table().mutex);
    if (held) {
        d->classicLock = true;
        return;
    }
    // An unlock through any descriptor lets go of the process's locks in that range; which ones are left
    // is not followed here, so all descriptions of the file count as holding none.
    for (auto& [fd, other] : table().fds)
        if (other->dev == d->dev && other->ino == d->ino) other->classicLock = false;
}

// ---- Byte ranges ------------------------------------------------------------------------------------

constexpr std::int64_t toEnd = INT64_MAX;

struct Range {
    std::int64_t begin = 0;
    std::int64_t end = toEnd; // one past the last byte
    bool overlaps(const Range& o) const { return begin < o.end && o.begin < end; }
};

// The bytes a struct flock names, l_whence resolved against fd.
Range rangeOf(int fd, const struct flock& l) {
    std::int64_t base = 0;
    if (l.l_whence == SEEK_CUR) base = ::lseek(fd, 0, SEEK_CUR);
    else if (l.l_whence == SEEK_END) {
        struct stat st;
        if (::fstat(fd, &st) == 0) base = st.st_size;
    }
    const std::int64_t start = base + l.l_start;
    if (l.l_len > 0) return {start, start + l.l_len};
    if (l.l_len < 0) return {start + l.l_len, start};
    return {start, toEnd};
}

// ---- keep: the server's record of locks -------------------------------------------------------------

struct Entry {
    long pid = 0;
    Range range;
    std::string handle;
};

// The names of a file's entries, one per process that took a lock on it: "<device>-<inode>.<pid>" in hex.
std::string entryPrefix(const DescriptionPtr& d) {
    return fileserver::digits(static_cast<unsigned long long>(d->dev), 16) + "-" +
           fileserver::digits(static_cast<unsigned long long>(d->ino), 16) + ".";
}

std::string entryPath(const DescriptionPtr& d) {
    return rules().registry + "/" + entryPrefix(d) + fileserver::digits(::getpid());
}

// The file's handle as an NFS server names it: it tells a file made anew under a reused inode number
// from the old one. "none" where the file system has no handles.
std::string handleOf(int fd) {
    alignas(struct file_handle) unsigned char storage[sizeof(struct file_handle) + MAX_HANDLE_SZ];
    auto* h = reinterpret_cast<struct file_handle*>(storage);
    h->handle_bytes = MAX_HANDLE_SZ;
    int mount = 0;
    if (::name_to_handle_at(fd, "", h, &mount, AT_EMPTY_PATH) != 0) return "none";
    std::string hex = fileserver::digits(h->handle_type) + ":";
    const unsigned char* bytes = storage + offsetof(struct file_handle, f_handle);
    static const char kHex[] = "0123456789abcdef";
    for (unsigned i = 0; i < h->handle_bytes; ++i) {
        hex += kHex[bytes[i] >> 4];
        hex += kHex[bytes[i] & 0xf];
    }
    return hex;
}

void makeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos) break;
    }
}

bool readEntry(const std::string& path, Entry& e) {
    const int fd = real().open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char text[4096];
    const ssize_t n = real().read(fd, text, sizeof text - 1);
    real().close(fd);
    if (n <= 0) return false;
    const std::string_view fields(text, static_cast<std::size_t>(n));
    long long begin = 0, end = 0;
    if (!fileserver::readDigits(fileserver::field(fields, "pid"), e.pid) ||
        !fileserver::readDigits(fileserver::field(fields, "begin"), begin) ||
        !fileserver::readDigits(fileserver::field(fields, "end"), end))
        return false;
    e.range = {begin, end};
    e.handle = std::string(fileserver::field(fields, "handle"));
    return !e.handle.empty();
}

void record(int fd, const DescriptionPtr& d, const Range& r) {
    makeFolders(rules().registry);
    const std::string path = entryPath(d);
    const std::string part = path + "." + fileserver::digits(::gettid()) + ".part";
    const std::string fields = "pid=" + fileserver::digits(static_cast<long>(::getpid())) +
                               "\nbegin=" + fileserver::digits(static_cast<long long>(r.begin)) +
                               "\nend=" + fileserver::digits(static_cast<long long>(r.end)) + "\nhandle=" + handleOf(fd) + "\n";
    char target[4096] = {};
    const std::string link = "/proc/self/fd/" + fileserver::digits(fd);
    const bool resolved = ::readlink(link.c_str(), target, sizeof target - 1) > 0;
    const std::string text = "path=" + (resolved ? std::string(target) : d->path) + "\n" + fields;
    const int out = real().open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) return;
    const bool written = real().write(out, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    real().close(out);
    if (!written || std::rename(part.c_str(), path.c_str()) != 0) ::unlink(part.c_str());
}

// An explicit unlock by the taker ends the server's record; another process's unlock does not.
void unrecord(const DescriptionPtr& d) { ::unlink(entryPath(d).c_str()); }

// Whether the server still keeps a lock of another process (a client that died) over r on fd's file.
bool keptForOther(int fd, const DescriptionPtr& d, const Range& r, Entry& e) {
    DIR* folder = ::opendir(rules().registry.c_str());
    if (!folder) return false;
    const std::string prefix = entryPrefix(d);
    const std::string own = prefix + fileserver::digits(::getpid());
    std::string handle;
    bool kept = false;
    while (const struct dirent* item = ::readdir(folder)) {
        const std::string name = item->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0 || name == own || name.find(".part") != std::string::npos)
            continue;
        if (!readEntry(rules().registry + "/" + name, e) || !e.range.overlaps(r)) continue;
        if (handle.empty()) handle = handleOf(fd);
        if (e.handle == handle) {
            kept = true;
            break;
        }
    }
    ::closedir(folder);
    return kept;
}

// A request the server would keep waiting for ever.
int refuseWait() {
    static const char note[] = "fileserver_rules: a waiting lock request on a lock the server keeps would wait "
                               "for ever; it fails with EDEADLK\n";
    (void)!real().write(2, note, sizeof note - 1);
    errno = EDEADLK;
    return -1;
}

// ---- smb: mandatory locks ---------------------------------------------------------------------------

// Whether another process holds a flock on d's file (an exclusive one, or any one when `any`), by the
// kernel's list of locks. This process's own flocks are told apart by the table instead.
bool otherProcessFlock(const DescriptionPtr& d, bool any) {
    const int fd = real().open("/proc/locks", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::string all;
    char chunk[4096];
    for (ssize_t n; (n = real().read(fd, chunk, sizeof chunk)) > 0;) all.append(chunk, static_cast<std::size_t>(n));
    real().close(fd);
    const long self = ::getpid();
    std::size_t from = 0;
    while (from < all.size()) {
        std::size_t to = all.find('\n', from);
        if (to == std::string::npos) to = all.size();
        const std::string line = all.substr(from, to - from);
        from = to + 1;
        // "1: FLOCK  ADVISORY  WRITE 4711 08:01:1234 0 EOF": number, kind, mode, type, pid, device:inode.
        const std::vector<std::string_view> words = fileserver::words(line);
        if (words.size() < 6) continue;
        const std::string_view where = words[5];
        const std::size_t first = where.find(':'), second = where.rfind(':');
        long pid = 0;
        unsigned maj = 0, min = 0;
        unsigned long ino = 0;
        if (first == second || !fileserver::readDigits(words[4], pid) ||
            !fileserver::readDigits(where.substr(0, first), maj, 16) ||
            !fileserver::readDigits(where.substr(first + 1, second - first - 1), min, 16) ||
            !fileserver::readDigits(where.substr(second + 1), ino))
            continue;
        if (words[1] != "FLOCK" || pid == self) continue;
        if (maj != major(d->dev) || min != minor(d->dev) || ino != d->ino) continue;
        if (any || words[3] == "WRITE") return true;
    }
    return false;
}

// Whether reading (or writing) count bytes at offset through fd is refused by another description's lock.
bool smbRefuses(int fd, const DescriptionPtr& d, std::int64_t offset, std::size_t count, bool writing) {
    if (count == 0 || offset < 0) return false;
    // A flock binds every other handle; the description that holds it reads and writes freely.
    bool ownFlock = false, otherFlock = false, otherClassic = false;
    {
        std::lock_guard<std::mutex> lock(table().mutex);
        ownFlock = d->flock != 0;
        for (auto& [other, o] : table().fds) {
            if (o == d || o->dev != d->dev || o->ino != d->ino) continue;
            if (o->flock == LOCK_EX || (writing && o->flock != 0)) otherFlock = true;
            if (o->classicLock) otherClassic = true;
        }
    }
    if (!ownFlock && (otherFlock || otherProcessFlock(d, writing))) return true;
    // Byte-range locks: F_OFD_GETLK on the reading descriptor reports a conflicting lock of any other
    // description (OFD locks with l_pid -1, classic locks of other processes with their pid), and also
    // this process's own classic locks (l_pid is ours), which are a conflict only when another description
    // of this process took them.
    struct flock probe {};
    probe.l_type = writing ? F_WRLCK : F_RDLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = offset;
    probe.l_len = static_cast<off_t>(count);
    if (real().fcntl(fd, F_OFD_GETLK, &probe) != 0 || probe.l_type == F_UNLCK) return false;
    return probe.l_pid != ::getpid() || otherClassic;
}

ssize_t refuseIo() {
    errno = EACCES;
    return -1;
}

std::size_t total(const struct iovec* iov, int count) {
    std::size_t n = 0;
    for (int i = 0; i < count; ++i) n += iov[i].iov_len;
    return n;
}

// The offset a read or write through fd starts at.
std::int64_t position(int fd, bool writing) {
    if (writing) {
        const int flags = real().fcntl(fd, F_GETFL);
        struct stat st;
        if (flags >= 0 && (flags & O_APPEND) && ::fstat(fd, &st) == 0) return st.st_size;
    }
    return ::lseek(fd, 0, SEEK_CUR);
}

bool ioRefused(int fd, std::int64_t offset, std::size_t count, bool writing, bool atPosition) {
    if (!rules().smb) return false;
    const DescriptionPtr d = find(fd);
    if (!d) return false;
    const int saved = errno;
    const bool refused = smbRefuses(fd, d, atPosition ? position(fd, writing) : offset, count, writing);
    errno = saved;
    return refused;
}

// ---- Locks ------------------------------------------------------------------------------------------

int lockByFlock(int fd, int op) {
    const DescriptionPtr d = find(fd);
    if (!d) return real().flock(fd, op);
    const int kind = op & (LOCK_SH | LOCK_EX | LOCK_UN);
    if (rules().nfs && kind == LOCK_EX && d->access == O_RDONLY) {
        errno = EBADF;
        return -1;
    }
    Entry e;
    if (rules().keep && kind != LOCK_UN && keptForOther(fd, d, Range{}, e)) {
        if (!(op & LOCK_NB)) return refuseWait();
        errno = EWOULDBLOCK;
        return -1;
    }
    const int result = real().flock(fd, op);
    if (result != 0) return result;
    const int saved = errno;
    setFlock(d, kind);
    if (rules().keep && kind == LOCK_EX) record(fd, d, Range{});
    if (rules().keep && kind == LOCK_UN) unrecord(d);
    errno = saved;
    return result;
}

bool isLockCommand(int cmd) {
    return cmd == F_GETLK || cmd == F_SETLK || cmd == F_SETLKW || cmd == F_OFD_GETLK || cmd == F_OFD_SETLK ||
           cmd == F_OFD_SETLKW;
}

int control(int (*call)(int, int, ...), int fd, int cmd, unsigned long arg) {
    if (cmd == F_DUPFD || cmd == F_DUPFD_CLOEXEC) return duplicated(fd, call(fd, cmd, arg));
    const DescriptionPtr d = isLockCommand(cmd) ? find(fd) : nullptr;
    if (!d) return call(fd, cmd, arg);
    auto* l = reinterpret_cast<struct flock*>(arg);
    const bool ofd = cmd == F_OFD_GETLK || cmd == F_OFD_SETLK || cmd == F_OFD_SETLKW;
    const bool asking = cmd == F_GETLK || cmd == F_OFD_GETLK;
    const bool waiting = cmd == F_SETLKW || cmd == F_OFD_SETLKW;
    if (rules().nfs && !asking && l->l_type == F_WRLCK && d->access == O_RDONLY) {
        errno = EBADF;
        return -1;
    }
    const Range range = rangeOf(fd, *l);
    Entry e;
    if (rules().keep && !asking && l->l_type != F_UNLCK && keptForOther(fd, d, range, e)) {
        if (waiting) return refuseWait();
        errno = EAGAIN;
        return -1;
    }
    const int result = call(fd, cmd, arg);
    if (result != 0) return result;
    const int saved = errno;
    if (asking) {
        if (rules().keep && l->l_type == F_UNLCK && keptForOther(fd, d, range, e)) {
            l->l_type = F_WRLCK;
            l->l_whence = SEEK_SET;
            l->l_start = e.range.begin;
            l->l_len = e.range.end == toEnd ? 0 : e.range.end - e.range.begin;
            l->l_pid = -1;
        }
    } else if (l->l_type == F_UNLCK) {
        if (!ofd) setClassicLock(d, false);
        if (rules().keep) unrecord(d);
    } else {
        if (!ofd) setClassicLock(d, true);
        if (rules().keep && l->l_type == F_WRLCK) record(fd, d, range);
    }
    errno = saved;
    return result;
}

bool needsMode(int flags) { return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE; }

// A fork while another thread holds the table would leave the child's table locked for ever.
__attribute__((constructor)) void guardFork() {
    pthread_atfork([] { table().mutex.lock(); }, [] { table().mutex.unlock(); }, [] { table().mutex.unlock(); });
}

} // namespace

// ---- The calls seen ---------------------------------------------------------------------------------

#define MODE_ARGUMENT(flags)                                                                                      \
    mode_t mode = 0;                                                                                           \
    if (needsMode(flags)) {                                                                                    \
        va_list ap;                                                                                            \
        va_start(ap, flags);                                                                                   \
        mode = va_arg(ap, mode_t);                                                                             \
        va_end(ap);                                                                                            \
    }

extern "C" {

int open(const char* path, int flags, ...) {
    MODE_ARGUMENT(flags)
    return opened(real().open(path, flags, mode), path, flags);
}

int open64(const char* path, int flags, ...) {
    MODE_ARGUMENT(flags)
    return opened(real().open64(path, flags, mode), path, flags);
}

int openat(int dir, const char* path, int flags, ...) {
    MODE_ARGUMENT(flags)
    return opened(real().openat(dir, path, flags, mode), path, flags);
}

int openat64(int dir, const char* path, int flags, ...) {
    MODE_ARGUMENT(flags)
    return opened(real().openat64(dir, path, flags, mode), path, flags);
}

int creat(const char* path, mode_t mode) {
    return opened(real().creat(path, mode), path, O_WRONLY | O_CREAT | O_TRUNC);
}

int creat64(const char* path, mode_t mode) {
    return opened(real().creat64(path, mode), path, O_WRONLY | O_CREAT | O_TRUNC);
}

int close(int fd) {
    forget(fd);
    return real().close(fd);
}

int dup(int fd) { return duplicated(fd, real().dup(fd)); }

int dup2(int fd, int to) {
    if (fd != to) forget(to);
    return duplicated(fd, real().dup2(fd, to));
}

int dup3(int fd, int to, int flags) {
    if (fd != to) forget(to);
    return duplicated(fd, real().dup3(fd, to, flags));
}

int fcntl(int fd, int cmd, ...) {
    va_list ap;
    va_start(ap, cmd);
    const unsigned long arg = va_arg(ap, unsigned long);
    va_end(ap);
    return control(real().fcntl, fd, cmd, arg);
}

int fcntl64(int fd, int cmd, ...) {
    va_list ap;
    va_start(ap, cmd);
    const unsigned long arg = va_arg(ap, unsigned long);
    va_end(ap);
    return control(real().fcntl64, fd, cmd, arg);
}

// FILESERVER_FREEZE names a lock file: the process stops (SIGSTOP) right after it has first linked a file
// into that name, that is right after it first took the lock, as a computer that froze there. A test then plays what
// others do meanwhile and continues it (SIGCONT).
int link(const char* from, const char* to) {
    static const auto real = reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "link"));
    const int result = real(from, to);
    const char* freeze = std::getenv("FILESERVER_FREEZE");
    static std::atomic<bool> frozen{false};
    if (result == 0 && freeze && *freeze && std::strcmp(freeze, to) == 0 && !frozen.exchange(true))
        ::raise(SIGSTOP);
    return result;
}

int flock(int fd, int op) { return lockByFlock(fd, op); }

ssize_t read(int fd, void* buffer, size_t count) {
    return ioRefused(fd, 0, count, false, true) ? refuseIo() : real().read(fd, buffer, count);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    return ioRefused(fd, offset, count, false, false) ? refuseIo() : real().pread(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off64_t offset) {
    return ioRefused(fd, offset, count, false, false) ? refuseIo() : real().pread64(fd, buffer, count, offset);
}

ssize_t readv(int fd, const struct iovec* iov, int count) {
    return ioRefused(fd, 0, total(iov, count), false, true) ? refuseIo() : real().readv(fd, iov, count);
}

ssize_t write(int fd, const void* buffer, size_t count) {
    return ioRefused(fd, 0, count, true, true) ? refuseIo() : real().write(fd, buffer, count);
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) {
    return ioRefused(fd, offset, count, true, false) ? refuseIo() : real().pwrite(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset) {
    return ioRefused(fd, offset, count, true, false) ? refuseIo() : real().pwrite64(fd, buffer, count, offset);
}

ssize_t writev(int fd, const struct iovec* iov, int count) {
    return ioRefused(fd, 0, total(iov, count), true, true) ? refuseIo() : real().writev(fd, iov, count);
}

} // extern "C"
