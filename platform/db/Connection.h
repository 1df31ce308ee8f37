#pragma once

#include "../runtime/Variant.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// A connection to one database file. It opens existing files only: a missing file or a file that is no
// database (an empty file of 0 bytes too) is refused with an error that says so. Every connection enforces
// the relations between the tables (foreign keys), uses a rollback journal (the files are copied whole) and
// waits up to 10 seconds (unless told otherwise) for a lock that another user's program holds; a lock held
// longer is reported as the database being in use by another user.
class Connection {
public:
    // How long a connection waits for another connection's lock unless it is told otherwise.
    static constexpr std::chrono::milliseconds defaultLockWait{10000};

    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database file. Takes a plain path or a connection string that names it after
    // "Data Source=". Throws VbError when the file is missing or is no database.
    void Open(const QString& pathOrConnectionString);
    // How long this connection waits for another connection's lock, from now on and at every later Open
    // (tests shorten it).
    void setLockWait(std::chrono::milliseconds wait);
    // Closes the connection; a closed connection may be opened again.
    void Close();
    // Closes and opens the same file again, so that everyone who holds this object keeps working.
    void Reopen();
    bool isOpen() const { return db_ != nullptr; }
    // The file path of the open (or last opened) database.
    const QString& path() const { return path_; }
    // The connection string of this connection.
    QString ConnectionString() const;

    // Runs a statement that returns no rows, with values bound to its "?" placeholders in order.
    // Returns the number of rows it changed. Throws VbError on failure.
    int Execute(const QString& sql, const std::vector<Variant>& params = {});

    // Creates a new, empty database file and runs the given SQL script in it (the schema).
    // Fails when the file exists.
    static void CreateDatabase(const QString& path, const QString& schemaSql);
    // Writes the database `source` whole over `target` so that target is never half written: its bytes,
    // read under the engine's read lock, go into a new file beside target (its name with ".tmp"), which is
    // synced and then renamed over target. Whatever stops the copy, target holds either its old content or
    // the complete copy. A read-only target is refused (permission denied), a full disk says so. Two
    // processes that copy onto one target take turns (a lock beside it, see copyLockFile). A check of the
    // source, when given, runs beside the copy on a thread of its own; when it throws, target stays as it was
    // and its error is thrown. `beforeReplace`, when given, runs right before the copy takes target's place
    // (a run makes sure there that it still holds the lock that guards target); when it throws, target stays
    // as it was and its exception is thrown. A target that is a symbolic link stays one: the file it points
    // to is replaced. Throws VbError on failure.
    static void CopyDatabase(const QString& source, const QString& target,
                             const std::function<void()>& check = {},
                             const std::function<void()>& beforeReplace = {});
    // The lock a copy onto `target` holds while its ".tmp" file lives.
    static QString copyLockFile(const QString& target);
    // Removes the ".tmp" file that a copy onto `target` left when it was stopped half way, unless a live
    // process is copying onto target right now. Throws VbError when it can't be removed.
    static void RemoveStaleCopy(const QString& target);
    // Checks that the file is a sound database holding every one of the tables: it opens, the engine's
    // quick check finds nothing wrong, and no table is missing. Throws VbError saying what is wrong.
    static void CheckDatabase(const QString& path, const QStringList& tables);

    // A statement prepared once per connection and kept for reuse; reset before it is handed out. The
    // connection keeps the statements last used: when it holds too many, the one used longest ago goes, so
    // a statement is valid until the next call of statement().
    sqlite3_stmt* statement(const QString& sql);
    // A place where a user of the connection keeps what it has learned about a statement text, so that it
    // is worked out once per connection (the recordset keeps its fields' names and types). Emptied when the
    // connection closes or its tables change.
    std::shared_ptr<const void>& memo(const QString& sql, int kind);
    sqlite3* handle() const;

    // Binds a value to a statement parameter (1-based).
    static void bind(sqlite3_stmt* stmt, int index, const Variant& value);
    // Throws the engine's current error message as a VbError.
    [[noreturn]] void fail() const;

    // A transaction that nests (a savepoint): it either commits whole or leaves the data as it was. The
    // outermost one takes the write lock as it begins, waiting for another user's write to end: a read lock
    // taken first could not become a write lock while another user writes (the engine fails at once then).
    class Transaction {
    public:
        explicit Transaction(Connection& connection);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        Connection& connection_;
        int depth_ = 0; // the savepoint's name: its nesting depth, so that its statements are prepared once
        bool began_ = false; // the outermost: began the engine's transaction
        bool done_ = false;
    };
    // The reads and writes of one command in one transaction, so that a command commits once instead of once
    // per write and its reads share one lock. Unlike Transaction it never undoes anything: what the command
    // wrote before a failure stays, as it would without the scope. End() commits and reports a failure; the
    // destructor commits what End() did not, and when even that fails, the command's writes are undone.
    class CommandScope {
    public:
        explicit CommandScope(Connection& connection);
        ~CommandScope();
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;
        // Commits (throws VbError on failure, for example a full disk; the writes are then undone).
        void End();

    private:
        std::optional<Transaction> transaction_;
    };
    // True while a transaction of this connection is open.
    bool inTransaction() const { return openTransactions_ > 0; }

private:
    void finalizeStatements();
    void evictStatement();

    struct CachedStatement {
        sqlite3_stmt* stmt = nullptr;
        std::uint64_t lastUse = 0;
    };
    sqlite3* db_ = nullptr;
    QString path_;
    std::chrono::milliseconds lockWait_ = defaultLockWait;
    QHash<QString, CachedStatement> statements_;
    std::uint64_t uses_ = 0;
    QHash<QString, std::shared_ptr<const void>> memos_[2];
    int openTransactions_ = 0;
};

// Quotes a text value for SQL text: in single quotes, every apostrophe doubled. The one place where a
// value is put into SQL text instead of being bound.
QString SqlText(const QString& value);
// A table or column name of the program's own in SQL text, in square brackets.
QString SqlName(const QString& name);

} // namespace platform
