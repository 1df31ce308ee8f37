#pragma once

#include "../runtime/VbError.h"
#include "LockHolder.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <QDateTime>
#include <QString>
#include <sys/types.h>

namespace platform {

// How often a holder renews its lock file, and after how long without that another computer's lock may be
// stale. Generous against a file server that answers slowly: a lock not renewed for two minutes whose holder
// still runs only makes the user be asked.
struct LockTiming {
    std::chrono::milliseconds refresh{15000};
    std::chrono::milliseconds staleAfter{120000};
};

// A lock file that can't be made, for a cause that waiting does not mend: a folder (or anything but a file)
// stands where the lock file goes, the folder may not be written, the disk is full. The description names
// the cause and the file or folder, in the run's language.
class FileLockError : public VbError {
public:
    enum class Cause { NotAFile, FolderNotWritable, DiskFull, Other };
    FileLockError(Cause cause, const QString& path, int systemError = 0);
    Cause cause() const { return cause_; }
    // The file or folder the cause lies in.
    const QString& path() const { return path_; }

private:
    static VbError describe(Cause cause, const QString& path, int systemError);

    Cause cause_;
    QString path_;
};

// A lock that one run at a time holds on a resource, as a lock file beside it that names the holder (see
// LockHolder). Projects and user folders may lie on a file server that several computers share (NFS, SMB),
// so a lock is judged by where its holder runs:
// - On this computer (its name and machine id, since its last start) by the lock the operating system keeps
//   for the holder on a byte beyond the file's text: it goes with the process however that ends, whatever
//   runs under its number later. A file server's byte-range lock leaves the text readable, and needs a file
//   opened for writing, which only the holder has. Where no such lock can be asked, by the process itself.
// - On another computer (or this one before a restart) by the file's time, which the holder renews every
//   `refresh` by writing to the file, so that the file's server sets it by its own clock. The file's age is
//   measured against that same server's clock (the time of a file this run writes beside it), so computers
//   whose clocks differ judge it alike. A lock the server still keeps for a holder means nothing here: an
//   NFS server keeps a dead client's lock until that client starts again. A lock renewed within
//   `staleAfter` is a live run's; one not renewed for longer may be stale (that computer died, froze or its
//   run was killed): only the user can tell, so it is taken over only after a question, with takeOver().
// A holder that finds its file gone or replaced (taken over meanwhile) has lost the lock: lost() says so,
// and it must then write and delete nothing that the lock guards.
//
//   FileLock lock(folder + "/TAMBRIN.lock", user);
//   switch (lock.take(wait)) {
//   case FileLock::State::Taken: ...      // released when the object goes, or by release()
//   case FileLock::State::Held: ...       // a live run holds it: lock.judged() says who
//   case FileLock::State::MayBeStale: ... // ask the user about *lock.judged(), then lock.takeOver(that)
//   }
class FileLock {
public:
    using Timing = LockTiming;
    enum class State { Taken, Held, MayBeStale };

    // `user` is written into the lock file for others to read, in capitals (the login name when empty).
    explicit FileLock(const QString& file, const QString& user = {}, Timing timing = {});
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `wait` for a live holder to let go; `meanwhile` runs between the tries
    // (the windows repaint). A lock that may be stale is answered at once: waiting does not renew it.
    // Throws FileLockError when the lock file can't be made.
    State take(std::chrono::milliseconds wait = std::chrono::milliseconds::zero(),
               const std::function<void()>& meanwhile = {});
    // Takes over the lock the user was asked about, only while it is still that one and still not renewed:
    // Taken, or the state of the lock that is there now (judged()).
    State takeOver(const LockHolder& asked);
    // The holder as the last take() or takeOver() judged it; nothing after Taken.
    const std::optional<LockHolder>& judged() const { return judged_; }
    // The holder as the lock file says now; nothing when there is no lock file.
    std::optional<LockHolder> holder() const;
    // Lets go of the lock: its file is removed, when it is still this run's.
    void release();
    bool held() const { return fd_ >= 0; }
    // Whether this run still holds its lock: its own file is still there, unchanged. False once the lock
    // was taken over (the renewal notices that too); false when it was never taken.
    bool stillHeld() const;
    // True when the lock was taken and is no longer this run's (taken over by another run meanwhile).
    bool lost() const;
    // The run that took this run's lock over, as it wrote itself into the file it removed; nothing when it
    // did not (or the lock is still this run's).
    std::optional<LockHolder> takenOverBy() const;
    const QString& file() const { return file_; }

private:
    // One try, without waiting.
    State tryTake();
    // Makes the lock file; false when it exists already.
    bool create();
    bool createInPlace(const QByteArray& content);
    QByteArray text() const;
    // Judges the lock file that is there.
    State judge(const std::optional<LockHolder>& holder);
    // How long ago the holder last renewed its lock file, by the file server's clock (negative: ahead).
    qint64 ageOf(const LockHolder& holder);
    // Whether that was within `staleAfter` (or the time lies ahead by less than a day).
    bool renewedLately(const LockHolder& holder);
    // The file server's time now, as it stamps a file written beside the lock file.
    QDateTime serverNow();
    // Removes the lock file when it is still the one `expected` describes; false when it is not.
    bool remove(const LockHolder& expected);
    // Renews the lock; the count to raise stands at `countAt` in the file.
    void startRefreshing(off_t countAt);
    // Holds the lock made on `fd`, whose text is `textSize` bytes long.
    void hold(int fd, qsizetype textSize);
    // Removes what runs killed at the wrong moment left beside the lock file.
    void removeLeftovers();

    QString file_;
    QString user_;
    Timing timing_;
    int fd_ = -1;
    quint64 device_ = 0, inode_ = 0;
    std::optional<LockHolder> judged_;
    // The difference of the file server's clock to this computer's, measured once per take.
    std::optional<qint64> serverOffsetMs_;
    struct Refresher;
    std::unique_ptr<Refresher> refresher_;
    // Set by the renewal when it finds the lock file gone or replaced.
    mutable std::atomic<bool> lost_{false};
};

} // namespace platform
