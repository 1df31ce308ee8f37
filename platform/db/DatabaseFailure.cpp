#include "DatabaseFailure.h"

#include <cerrno>
#include <sqlite3.h>

namespace platform {

DatabaseFailure databaseFailure(const std::exception& error) {
    if (const auto* database = dynamic_cast<const DatabaseError*>(&error)) return database->failure();
    if (const auto* vb = dynamic_cast<const VbError*>(&error)) {
        if (vb->Number() == VbError::DiskFull) return DatabaseFailure::DiskFull;
        if (vb->Number() == VbError::DeviceIO) return DatabaseFailure::DeviceIO;
    }
    return DatabaseFailure::Other;
}

DatabaseFailure engineFailure(sqlite3* db) {
    if (!db) return DatabaseFailure::Other;
    return engineFailure(sqlite3_extended_errcode(db), sqlite3_system_errno(db));
}

DatabaseFailure engineFailure(int resultCode, int systemError) {
    switch (resultCode & 0xFF) {
    case SQLITE_FULL:
        return DatabaseFailure::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return DatabaseFailure::ReadOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DatabaseFailure::Busy;
    case SQLITE_NOTADB:
        return DatabaseFailure::NotADatabase;
    case SQLITE_CORRUPT:
        return DatabaseFailure::Damaged;
    case SQLITE_CANTOPEN:
        return DatabaseFailure::CannotOpen;
    case SQLITE_IOERR:
        // The system's own reason where the engine passes it on: a full disk, a write the file's rights
        // refuse.
        switch (systemError) {
        case ENOSPC:
        case EDQUOT:
            return DatabaseFailure::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return DatabaseFailure::ReadOnly;
        default:
            return DatabaseFailure::DeviceIO;
        }
    default:
        return DatabaseFailure::Other;
    }
}

} // namespace platform
