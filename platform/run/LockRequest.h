#pragma once

#include "../system/FileLock.h"

#include <chrono>
#include <QString>

namespace platform {

// Takes a lock for one of the user's commands as the user expects it, and says what it can't. It waits for a
// live holder to let go (the hourglass shows, the windows repaint, they take no input); it names who holds a
// lock it could not have (user, computer, since when); it asks before it takes over a lock that may be stale
// (another computer's run that died), defaulting to No; and it says why a lock file can't be made at all,
// without waiting for what waiting can't mend. One command, at most one question and one message; No to
// the question ends quietly. A run that finds its lock taken over says so with sayLost().
// The start of a run, Save and the export into another project use it, so they speak of locks alike.
//
//   ProjectLock lock(projectDatabase, BENUTZER());
//   if (!LockRequest(lock, LockRequest::Purpose::Save, projectDatabase, title).take(ProjectLock::WAIT))
//       return; // the user was told, or said No
class LockRequest {
public:
    enum class Purpose {
        Start,  // the run's lock of the user's working copy; `subject` is the user
        Save,   // the project database's lock, to replace it; `subject` is the project database
        Export, // the project database's lock, to write records into it; `subject` is the project database
    };

    LockRequest(FileLock& lock, Purpose purpose, const QString& subject, const QString& title);

    // True when the lock is taken. False after the one message, or after No to the question. Throws
    // VbError for a failure that has no message of its own here (a missing folder): the caller's error box.
    bool take(std::chrono::milliseconds wait);
    // Says, once, that the lock taken was lost: another run took it over meanwhile (named), so that this one
    // replaces and deletes nothing that the lock guards.
    void sayLost() const;

private:
    void sayHeld(const LockHolder& holder) const;
    bool askTakeOver(const LockHolder& holder) const;
    void sayCause(const FileLockError& error) const;
    void say(const QString& text, int style) const;

    FileLock& lock_;
    Purpose purpose_;
    QString subject_;
    QString title_;
};

} // namespace platform
