#include "FileLock.h"

#include "../runtime/VbError.h"
#include "FileSystem.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace platform {

FileLock::FileLock(const QString& file) : file_(file), lock_(std::make_unique<QLockFile>(file)) {
    // Only a holder that no longer runs makes a lock stale, never its age: a run may last for days.
    lock_->setStaleLockTime(std::chrono::milliseconds::zero());
}

FileLock::~FileLock() {
    release();
}

bool FileLock::take(std::chrono::milliseconds wait) {
    using std::chrono::milliseconds;
    if (lock_->isLocked()) return true;
    // Waited for in short slices, so that a file left unfinished is taken over as soon as it may be. The
    // first try waits for nothing; the count bounds the loop should the clock jump.
    constexpr milliseconds slice{100};
    const milliseconds total = std::max(wait, milliseconds::zero());
    const auto deadline = std::chrono::steady_clock::now() + total;
    const long long slices = total / slice + 2;
    for (long long i = 0; i < slices; ++i) {
        const milliseconds left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        const milliseconds now = i == 0 ? milliseconds::zero() : std::clamp(left, milliseconds::zero(), slice);
        // The lock file's failed write leaves its cause in errno (QLockFile reports only "unknown").
        errno = 0;
        if (lock_->tryLock(now)) return true;
        const int cause = errno;
        switch (lock_->error()) {
        case QLockFile::LockFailedError:
            break;
        case QLockFile::PermissionError:
            throw VbError::permissionDenied(file_);
        default:
            throw FileSystem::WriteError(file_, cause); // a full disk, as a rule
        }
        if (removeUnfinished() && lock_->tryLock(milliseconds::zero())) return true;
        if (i > 0 && left <= now) break;
    }
    return false;
}

bool FileLock::removeUnfinished() {
    // A file that names a process is judged by whether that process runs, and a live holder never loses it.
    qint64 pid = 0;
    QString host, application;
    if (lock_->getLockInfo(&pid, &host, &application)) return false;
    // One that names nobody was left by a process killed while it took the lock, or is being written by a
    // live one this very moment, which takes far less than a second and holds the system's lock on it.
    const QFileInfo info(file_);
    if (!info.exists()) return true;
    if (std::abs(info.lastModified().msecsTo(QDateTime::currentDateTime())) < 1000) return false;
    return lock_->removeStaleLockFile();
}

void FileLock::release() {
    if (lock_->isLocked()) lock_->unlock();
}

bool FileLock::held() const {
    return lock_->isLocked();
}

} // namespace platform
