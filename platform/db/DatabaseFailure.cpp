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

EngineFault engineFault(sqlite3* db) {
    if (!db) return {};
    return engineFault(sqlite3_extended_errcode(db), sqlite3_system_errno(db));
}

EngineFault engineFault(int resultCode, int systemError) {
    switch (resultCode & 0xFF) {
    case SQLITE_FULL:
        return {DatabaseFailure::DiskFull, ENOSPC};
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return {DatabaseFailure::ReadOnly, {}};
    case SQLITE_BUSY:
        return {DatabaseFailure::Busy, {}};
    case SQLITE_LOCKED:
        // A table locked inside the connection itself (its own statement still reads the table it changes) is
        // no other user's lock: connections share no cache here, so nobody else holds it, and waiting would
        // not end it (the engine does not wait for it). It is the operation's own failure, told by the
        // engine's text, never "in use by another user".
        return {DatabaseFailure::Other, {}};
    case SQLITE_NOTADB:
        return {DatabaseFailure::NotADatabase, {}};
    case SQLITE_CORRUPT:
        return {DatabaseFailure::Damaged, {}};
    case SQLITE_CANTOPEN:
        return {DatabaseFailure::CannotOpen, {}};
    case SQLITE_IOERR: {
        // The system's own reason where the engine passes it on: a full disk, a write the file's rights
        // refuse.
        DatabaseFailure failure = DatabaseFailure::DeviceIO;
        switch (systemError) {
        case ENOSPC:
        case EDQUOT:
            return {DatabaseFailure::DiskFull, ENOSPC};
        case EACCES:
        case EPERM:
        case EROFS:
            failure = DatabaseFailure::ReadOnly;
            break;
        default:
            break;
        }
        const bool reading = resultCode == SQLITE_IOERR_READ || resultCode == SQLITE_IOERR_SHORT_READ;
        return {failure, reading ? std::nullopt : std::optional<int>(systemError)};
    }
    default:
        return {};
    }
}

DatabaseFailure engineFailure(sqlite3* db) {
    return engineFault(db).failure;
}

DatabaseFailure engineFailure(int resultCode, int systemError) {
    return engineFault(resultCode, systemError).failure;
}

} // namespace platform
