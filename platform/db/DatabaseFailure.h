#pragma once

#include "../runtime/VbError.h"

#include <exception>
#include <optional>

struct sqlite3;

namespace platform {

// What stopped a database operation, told once by the database layer from the engine's result code, so
// that the program's messages never look at the engine or match its texts.
//
//   catch (const std::exception& e) {
//       if (databaseFailure(e) == DatabaseFailure::DiskFull) ... say the disk is full ...
//   }
enum class DatabaseFailure {
    Other,        // the operation itself failed: a refused value, a missing table or column, ...
    DiskFull,     // the disk, or the user's share of it, is full
    ReadOnly,     // the file may not be written
    Busy,         // another connection holds the file locked
    NotADatabase, // the file is no database
    Damaged,      // the database's content is damaged
    CannotOpen,   // the file, or the journal beside it, can't be opened
    DeviceIO,     // the disk can't be read or written
};

// An error of the database layer: the error the program reports, and its cause.
class DatabaseError : public VbError {
public:
    DatabaseError(const VbError& error, DatabaseFailure failure) : VbError(error), failure_(failure) {}
    DatabaseFailure failure() const { return failure_; }

private:
    DatabaseFailure failure_;
};

// The cause of any failure: the one a database error carries, a full or failing disk for the file errors
// of that number (a database file copied byte by byte), Other for everything else.
DatabaseFailure databaseFailure(const std::exception& error);

// The engine's last error, classified once: its cause, and when the disk refused a write of the file, the
// system's error number (0 when it gave none), so that the message names the file and not the statement.
struct EngineFault {
    DatabaseFailure failure = DatabaseFailure::Other;
    std::optional<int> writeError;
};

// The engine's last error on a connection; of a result code when there is no connection to ask. For the
// layer's own use, where it turns the engine's errors into DatabaseError.
EngineFault engineFault(sqlite3* db);
EngineFault engineFault(int resultCode, int systemError = 0);
// The cause alone.
DatabaseFailure engineFailure(sqlite3* db);
DatabaseFailure engineFailure(int resultCode, int systemError = 0);

} // namespace platform
