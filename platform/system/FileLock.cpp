#include "FileLock.h"

#include "../runtime/VbError.h"
#include "FileSystem.h"

#include <QLockFile>

namespace platform {

FileLock::FileLock(const QString& file) : file_(file), lock_(std::make_unique<QLockFile>(file)) {
    // Only a holder that no longer runs makes a lock stale, never its age: a run may last for days.
    lock_->setStaleLockTime(std::chrono::milliseconds::zero());
}

FileLock::~FileLock() {
    release();
}

bool FileLock::take(std::chrono::milliseconds wait) {
    if (lock_->isLocked()) return true;
    if (lock_->tryLock(wait)) return true;
    switch (lock_->error()) {
    case QLockFile::LockFailedError:
        return false;
    case QLockFile::PermissionError:
        throw VbError::permissionDenied(file_);
    default:
        throw FileSystem::WriteError(file_, 0); // a full disk, as a rule
    }
}

void FileLock::release() {
    if (lock_->isLocked()) lock_->unlock();
}

bool FileLock::held() const {
    return lock_->isLocked();
}

} // namespace platform
