#pragma once

#include <chrono>
#include <memory>
#include <QString>

class QLockFile;

namespace platform {

// A lock that one process at a time holds on a resource, as a lock file that names the process. A lock
// left behind by a process that no longer runs (killed, crashed, or from before a restart of the machine)
// is taken over, and so is one that names nobody because its taker was killed while it wrote the file; a
// live holder is never second-guessed, however long it has held the lock.
//
//   FileLock lock(folder + "/TAMBRIN.lock");
//   if (!lock.take()) ...; // another live process holds it
//   ...                    // released when the object goes, or by release()
//
// Taking the lock creates the file; releasing it removes the file.
class FileLock {
public:
    explicit FileLock(const QString& file);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `wait` for a live holder to let go. False when a live process still
    // holds it. Throws VbError when the lock file can't be written (a folder without write permission).
    bool take(std::chrono::milliseconds wait = std::chrono::milliseconds::zero());
    void release();
    bool held() const;
    const QString& file() const { return file_; }

private:
    // Removes a lock file that names no process and that nobody locks; true when the file is gone.
    bool removeUnfinished();

    QString file_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace platform
