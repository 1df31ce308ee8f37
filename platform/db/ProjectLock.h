#pragma once

#include "../system/FileLock.h"

#include <chrono>
#include <QString>

namespace platform {

// The lock of a project database that every run writing it holds: the Save that replaces it by a user's
// working copy, from its check of the file's stamp to the end of the replace, and the export from another
// project that writes records into it. Records written between a Save's check and its replace would be lost
// without a question. The lock file lies beside the project database, beside the real file when the project
// database is a symbolic link, so that every way to the file shares one lock.
//
//   ProjectLock lock(projectDatabase, user);
//   if (LockRequest(lock, LockRequest::Purpose::Save, ...).take(ProjectLock::WAIT)) ...
//   ...                                      // released when the object goes
class ProjectLock : public FileLock {
public:
    // How long a run waits for another one's write: about as long as a Save of a large project takes.
    static constexpr std::chrono::milliseconds WAIT{10000};

    explicit ProjectLock(const QString& projectDatabase, const QString& user = {});

    // The lock file of a project database.
    static QString file(const QString& projectDatabase);
};

} // namespace platform
