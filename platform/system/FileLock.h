#pragma once

#include "../runtime/VbError.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <QDateTime>
#include <QString>

namespace platform {

// Who holds a lock, as its file tells.
struct LockHolder {
    qint64 pid = 0;    // 0 when the file names no process
    QString program;   // the holder's program file name
    QString computer;  // the holder's host name; empty when the file names none
    QString user;      // empty when the file does not say
    QDateTime since;   // when the lock was taken (the file's time when the file does not say)
    QDateTime touched; // the file's time: the holder's last sign of life
    bool thisComputer = false;

    // The same lock file as `other` describes: nobody took it over or renewed it in between.
    bool sameLock(const LockHolder& other) const;
    // The holder's computer: this computer's name for a file that names a process but no computer (an older
    // program's lock); empty when the file names nobody.
    QString computerName() const;
    // Who holds the lock, as every message names it, in the run's language: "Benutzer MEIER am Computer
    // labpc07, seit 11.12.26 09:12".
    QString describe() const;
    // A time as the messages write it: the locale's short date and time.
    static QString timeText(const QDateTime& time);
};

// How often a holder renews its lock file's time, and after how long without that another computer's lock
// may be stale. Generous against clocks that differ between computers: a lock not renewed for two minutes
// whose holder still runs only makes the user be asked.
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

// A lock that one run at a time holds on a resource, as a lock file beside it that names the holder: its
// process, program, computer, user and the time it was taken (the lines a Qt lock file has, then the user and
// the time). Projects and user folders may lie on a file server that several computers share, so a lock is
// judged by where its holder runs:
// - On this computer by its process: a live holder keeps it however long it has held it; one that no longer
//   runs (killed, crashed, from before a restart of the machine) left it stale, and it is taken over.
// - On another computer by the file's time: a holder renews its lock file's time every `refresh` while it
//   holds the lock, so a lock renewed within `staleAfter` is a live run's. One not renewed for longer may be
//   stale (that computer died, or its run was killed): only the user can tell, so it is never taken over
//   unasked, but with takeOver() after a question.
//
//   FileLock lock(folder + "/TAMBRIN.lock", user);
//   switch (lock.take(wait)) {
//   case FileLock::State::Taken: ...      // released when the object goes, or by release()
//   case FileLock::State::Held: ...       // a live run holds it: lock.holder() says who
//   case FileLock::State::MayBeStale: ... // ask the user, then lock.takeOver(*lock.holder())
//   }
class FileLock {
public:
    using Timing = LockTiming;
    enum class State { Taken, Held, MayBeStale };

    // `user` is written into the lock file for others to read (the login name when empty).
    explicit FileLock(const QString& file, const QString& user = {}, Timing timing = {});
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting up to `wait` for a live holder to let go; `meanwhile` runs between the tries
    // (the windows repaint). A lock that may be stale is answered at once: waiting does not renew it.
    // Throws FileLockError when the lock file can't be made.
    State take(std::chrono::milliseconds wait = std::chrono::milliseconds::zero(),
               const std::function<void()>& meanwhile = {});
    // Takes over a lock that may be stale, when its file is still the one `asked` describes (the user was
    // asked about that one) and nobody locks it: Taken, or what the lock is now.
    State takeOver(const LockHolder& asked);
    // The holder as the lock file says now; nothing when there is no lock file or it names nobody.
    std::optional<LockHolder> holder() const;
    void release();
    bool held() const { return fd_ >= 0; }
    const QString& file() const { return file_; }

private:
    // One try, without waiting.
    State tryTake();
    // Makes the lock file; false when it exists already.
    bool create();
    // Judges the lock file that is there.
    State judge(const std::optional<LockHolder>& holder) const;
    // Removes the lock file when nobody locks it and it is still the one `expected` describes.
    bool remove(const LockHolder& expected);
    void startRefreshing();

    QString file_;
    QString user_;
    Timing timing_;
    int fd_ = -1;
    struct Refresher;
    std::unique_ptr<Refresher> refresher_;
};

} // namespace platform
