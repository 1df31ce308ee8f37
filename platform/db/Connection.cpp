#include "Connection.h"
#include "DatabaseFailure.h"

#include "../runtime/Language.h"
#include "../runtime/VbError.h"
#include "../system/FileLock.h"
#include "../system/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <exception>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace platform {

namespace {

QString pathFromConnectionString(const QString& text) {
    const int at = text.indexOf(QLatin1String("Data Source="), 0, Qt::CaseInsensitive);
    if (at < 0) return text;
    const int start = at + int(qstrlen("Data Source="));
    const int end = text.indexOf(';', start);
    return text.mid(start, end < 0 ? -1 : end - start).trimmed();
}

QString engineMessage(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

// Another user's program holds the database's lock for longer than a connection waits for it.
DatabaseError inUse(const QString& path) {
    return DatabaseError(
        VbError::database(
            Language::text(
                QStringLiteral("The database '%1' is in use by another user. Please try again in a moment."),
                QStringLiteral("Die Datenbank '%1' wird gerade von einem anderen Benutzer bearbeitet. Bitte "
                               "versuchen Sie es gleich noch einmal."))
                .arg(path)),
        DatabaseFailure::Busy);
}

// The engine's error as the program reports it, with its cause: a full disk or a failing device is named as
// such (with the file), not as the statement's failure, so that no message blames the value that was being
// written.
DatabaseError engineError(sqlite3* db, const QString& path) {
    const EngineFault fault = engineFault(db);
    if (fault.failure == DatabaseFailure::Busy) return inUse(path);
    if (fault.writeError)
        return DatabaseError(FileSystem::WriteError(path, *fault.writeError), fault.failure);
    return DatabaseError(VbError::database(engineMessage(db)), fault.failure);
}

DatabaseError notADatabase(const QString& path) {
    return DatabaseError(
        VbError::database(Language::text(QStringLiteral("The file '%1' is not a database of this program."),
                                         QStringLiteral("Die Datei '%1' ist keine Datenbank dieses "
                                                        "Programms."))
                              .arg(path)),
        DatabaseFailure::NotADatabase);
}

// How long a copy waits for another process's copy onto the same file to end.
constexpr std::chrono::seconds copyWait{30};

} // namespace

QString SqlText(const QString& value) {
    QString v = value;
    v.replace('\'', QLatin1String("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString SqlName(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

Connection::~Connection() { Close(); }

void Connection::setLockWait(std::chrono::milliseconds wait) {
    lockWait_ = wait;
    if (db_) sqlite3_busy_timeout(db_, int(lockWait_.count()));
}

QString Connection::ConnectionString() const {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path_ +
           QStringLiteral(";Persist Security Info=False");
}

void Connection::Open(const QString& pathOrConnectionString) {
    const QString path = pathFromConnectionString(pathOrConnectionString);
    if (isOpen()) Close();
    path_ = path;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        throw VbError::database(Language::text(QStringLiteral("Could not find file '%1'."),
                                               QStringLiteral("Die Datei '%1' wurde nicht gefunden."))
                                    .arg(path));
    }
    // The engine would take an empty file for a new database and make one there.
    if (info.size() == 0) throw notADatabase(path);
    sqlite3* db = nullptr;
    // A connection belongs to the one thread that opened it, so it needs no lock of its own per call.
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? engineMessage(db) : QStringLiteral("out of memory");
        const DatabaseFailure failure = db ? engineFailure(db) : engineFailure(rc);
        sqlite3_close(db);
        throw DatabaseError(
            VbError::database(
                Language::text(QStringLiteral("The database '%1' cannot be opened: %2"),
                               QStringLiteral("Die Datenbank '%1' kann nicht geöffnet werden: %2"))
                    .arg(path, msg)),
            failure);
    }
    // Waits for a lock from the first read on: another user's program may be writing the file right now.
    sqlite3_busy_timeout(db, int(lockWait_.count()));
    // Reading the schema is what tells a database from any other file.
    const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check != SQLITE_OK) {
        const QString msg = engineMessage(db);
        const DatabaseFailure failure = engineFailure(db);
        sqlite3_close(db);
        if (failure == DatabaseFailure::NotADatabase) throw notADatabase(path);
        if (failure == DatabaseFailure::Busy) throw inUse(path);
        throw DatabaseError(
            VbError::database(
                Language::text(QStringLiteral("The database '%1' cannot be read: %2"),
                               QStringLiteral("Die Datenbank '%1' kann nicht gelesen werden: %2"))
                    .arg(path, msg)),
            failure);
    }
    sqlite3_exec(db, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    db_ = db;
    openTransactions_ = 0;
}

void Connection::finalizeStatements() {
    for (const CachedStatement& entry : statements_) sqlite3_finalize(entry.stmt);
    statements_.clear();
    for (auto& memos : memos_) memos.clear();
}

void Connection::evictStatement() {
    auto oldest = statements_.begin();
    for (auto it = statements_.begin(); it != statements_.end(); ++it)
        if (it->lastUse < oldest->lastUse) oldest = it;
    if (oldest == statements_.end()) return;
    for (auto& memos : memos_) memos.remove(oldest.key());
    sqlite3_finalize(oldest->stmt);
    statements_.erase(oldest);
}

std::shared_ptr<const void>& Connection::memo(const QString& sql, int kind) {
    auto& memos = memos_[kind == 0 ? 0 : 1];
    if (memos.size() > 1024) memos.clear();
    return memos[sql];
}

void Connection::Close() {
    if (!db_) return;
    finalizeStatements();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    openTransactions_ = 0;
}

void Connection::Reopen() {
    const QString path = path_;
    Close();
    Open(path);
}

sqlite3* Connection::handle() const {
    if (!db_) {
        throw VbError(
            3704,
            Language::text(QStringLiteral("Operation is not allowed when the object is closed."),
                           QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.")));
    }
    return db_;
}

void Connection::fail() const { throw engineError(db_, path_); }

sqlite3_stmt* Connection::statement(const QString& sql) {
    sqlite3* db = handle();
    const auto found = statements_.find(sql);
    if (found != statements_.end()) {
        found->lastUse = ++uses_;
        sqlite3_reset(found->stmt);
        sqlite3_clear_bindings(found->stmt);
        return found->stmt;
    }
    // Statement texts built from names are few; a long run that builds many keeps the ones in use.
    constexpr int capacity = 256;
    if (statements_.size() >= capacity) evictStatement();
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
        SQLITE_OK) {
        fail();
    }
    statements_.insert(sql, CachedStatement{stmt, ++uses_});
    return stmt;
}

void Connection::bind(sqlite3_stmt* stmt, int index, const Variant& value) {
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: sqlite3_bind_null(stmt, index); break;
    case VarType::Boolean: sqlite3_bind_int(stmt, index, value.asBool() ? 1 : 0); break;
    case VarType::Integer: sqlite3_bind_int(stmt, index, value.asInteger()); break;
    case VarType::Long: sqlite3_bind_int(stmt, index, value.asLong()); break;
    case VarType::Single: sqlite3_bind_double(stmt, index, double(value.asSingle())); break;
    case VarType::Double: sqlite3_bind_double(stmt, index, value.asDouble()); break;
    case VarType::Date: sqlite3_bind_double(stmt, index, value.asDate()); break;
    case VarType::String: {
        const QByteArray utf8 = value.asString().toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

int Connection::Execute(const QString& sql, const std::vector<Variant>& params) {
    // A change of the tables may change what a statement text gives.
    if (sql.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) ||
        sql.startsWith(QLatin1String("DROP"), Qt::CaseInsensitive) ||
        sql.startsWith(QLatin1String("ALTER"), Qt::CaseInsensitive)) {
        for (auto& memos : memos_) memos.clear();
    }
    sqlite3_stmt* stmt = statement(sql);
    for (size_t i = 0; i < params.size(); ++i) bind(stmt, int(i) + 1, params[i]);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        const DatabaseError error = engineError(db_, path_);
        sqlite3_reset(stmt);
        throw error;
    }
    const int changed = sqlite3_changes(db_);
    sqlite3_reset(stmt);
    return changed;
}

void Connection::CreateDatabase(const QString& path, const QString& schemaSql) {
    if (QFileInfo::exists(path)) {
        throw VbError(58, Language::text(QStringLiteral("File already exists: "),
                                         QStringLiteral("Datei existiert bereits: ")) +
                              path);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const QString msg = db ? engineMessage(db) : QStringLiteral("out of memory");
        sqlite3_close(db);
        throw VbError::database(msg);
    }
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    char* err = nullptr;
    const QByteArray script = schemaSql.toUtf8();
    if (sqlite3_exec(db, script.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "schema failed");
        sqlite3_free(err);
        sqlite3_close(db);
        QFile::remove(path);
        throw VbError::database(msg);
    }
    sqlite3_close(db);
}

QString Connection::copyLockFile(const QString& target) {
    return target + QStringLiteral(".tmp.lock");
}

void Connection::RemoveStaleCopy(const QString& file) {
    const QString target = FileSystem::LinkTarget(file);
    const QString temp = target + QStringLiteral(".tmp");
    if (!QFileInfo::exists(temp)) return;
    FileLock lock(copyLockFile(target));
    // A live copy is writing it; another computer's that stopped long ago is left for its own Save to clear.
    if (lock.take() != FileLock::State::Taken) return;
    if (QFileInfo::exists(temp)) FileSystem::DeleteFile(temp, true);
}

namespace {

// The engine's quick check of one table and its indexes: what it found wrong (at most three lines), empty
// when nothing. Throws VbError when the check can't run.
QStringList checkTable(Connection& c, const QString& table) {
    QStringList problems;
    sqlite3_stmt* check = c.statement(QStringLiteral("PRAGMA quick_check(%1)").arg(SqlText(table)));
    int rc;
    while ((rc = sqlite3_step(check)) == SQLITE_ROW && problems.size() < 3) {
        const QString line = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)));
        if (line != QLatin1String("ok")) problems << line;
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) problems << engineMessage(c.handle());
    sqlite3_reset(check);
    return problems;
}

// The check reads every page: mapped into memory it reads them without copying each one.
void mapForChecking(Connection& c) {
    sqlite3_exec(c.handle(), "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
}

} // namespace

void Connection::CheckDatabase(const QString& path, const QStringList& tables) {
    Connection c;
    c.Open(path);
    const auto damaged = [&](const QStringList& problems) {
        return DatabaseError(
            VbError::database(Language::text(QStringLiteral("The database '%1' is damaged: %2"),
                                             QStringLiteral("Die Datenbank '%1' ist beschädigt: %2"))
                                  .arg(path, problems.join(QStringLiteral("; ")))),
            DatabaseFailure::Damaged);
    };
    // Every table of the file with its indexes, checked on a few threads at once, the largest first (the
    // highest row id stands for the size): the check reads every page and is the greater part of Save.
    std::vector<std::pair<std::int64_t, QString>> all;
    {
        sqlite3_stmt* list = c.statement(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        int rc;
        while ((rc = sqlite3_step(list)) == SQLITE_ROW)
            all.emplace_back(0, QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0))));
        if (rc != SQLITE_DONE) {
            const QString message = engineMessage(c.db_);
            sqlite3_reset(list);
            throw damaged({message});
        }
        sqlite3_reset(list);
    }
    for (auto& [size, name] : all) {
        sqlite3_stmt* highest = nullptr;
        const QByteArray sql = (QStringLiteral("SELECT max(_rowid_) FROM ") + SqlName(name)).toUtf8();
        if (sqlite3_prepare_v2(c.db_, sql.constData(), -1, &highest, nullptr) == SQLITE_OK &&
            sqlite3_step(highest) == SQLITE_ROW)
            size = sqlite3_column_int64(highest, 0);
        sqlite3_finalize(highest);
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    // The schema's own table is not listed in itself.
    all.emplace_back(0, QStringLiteral("sqlite_master"));
    QStringList problems;
    std::mutex guard;
    std::atomic<size_t> next{0};
    // Each thread checks its tables on one connection of its own; this thread uses the one it has.
    mapForChecking(c);
    const auto work = [&](Connection* own) {
        Connection other;
        for (size_t i; (i = next++) < all.size();) {
            QStringList found;
            try {
                if (!own) {
                    other.Open(path);
                    mapForChecking(other);
                    own = &other;
                }
                found = checkTable(*own, all[i].second);
            } catch (const VbError& e) {
                found << e.Description();
            }
            if (found.isEmpty()) continue;
            const std::lock_guard<std::mutex> lock(guard);
            problems << found;
        }
    };
    // A thread and its connection cost about as much as checking a quarter of a megabyte: a small file is
    // checked on this thread alone.
    const std::int64_t bytes = QFileInfo(path).size();
    const unsigned threads = unsigned(std::clamp<std::int64_t>(
        std::min<std::int64_t>(std::thread::hardware_concurrency(), 1 + bytes / (512 * 1024)), 1, 4));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t) workers.emplace_back(work, nullptr);
    work(&c);
    for (std::thread& w : workers) w.join();
    if (!problems.isEmpty()) throw damaged(problems.mid(0, 3));
    QStringList missing;
    sqlite3_stmt* find = c.statement(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    for (const QString& table : tables) {
        sqlite3_reset(find);
        bind(find, 1, Variant(table));
        if (sqlite3_step(find) != SQLITE_ROW) missing << table;
    }
    sqlite3_reset(find);
    if (!missing.isEmpty()) {
        throw VbError::database(Language::text(QStringLiteral("The database '%1' lacks the tables %2."),
                                               QStringLiteral("Der Datenbank '%1' fehlen die Tabellen %2."))
                                    .arg(path, missing.join(QStringLiteral(", "))));
    }
}

namespace {

// Copies the bytes of one file into a new one and flushes it; the database engine's own copy goes page by
// page through its cache and costs several times as much. Throws the write error that stopped it.
void copyBytes(const QString& source, const QString& temp, const QString& target) {
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) throw FileSystem::WriteError(source, errno);
    const int out = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        throw FileSystem::WriteError(target, error);
    }
    int error = 0;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = errno ? errno : EIO;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.data() + done, size_t(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                error = w < 0 ? errno : ENOSPC;
                break;
            }
            done += w;
        }
        if (error) break;
    }
    if (!error && ::fsync(out) != 0) error = errno;
    if (::close(out) != 0 && !error) error = errno;
    // Closed only once the engine's own read lock is released: closing a descriptor of the file drops every
    // lock this process holds on it.
    ::close(in);
    if (error) throw FileSystem::WriteError(target, error);
}

} // namespace

void Connection::CopyDatabase(const QString& source, const QString& file, const std::function<void()>& check,
                              const std::function<void()>& beforeReplace) {
    // Through a symbolic link the file it points to is replaced: whoever opens the link finds the copy.
    const QString target = FileSystem::LinkTarget(file);
    // Refused before anything is written: a rename would go around the file's mode.
    if (FileSystem::ReadOnly(target)) throw VbError::permissionDenied(target);
    Connection from;
    try {
        from.Open(source);
    } catch (const VbError&) {
        // A source that is no database at all fails the check too, which says so in its own words.
        if (check) check();
        throw;
    }
    const QString temp = target + QStringLiteral(".tmp");
    FileLock lock(copyLockFile(target));
    FileLock::State state = lock.take(copyWait);
    // A copy onto a file is made only under the lock of its owner (the project's Save lock, the run's lock of
    // a working copy), which the user was asked about when it was another computer's: a copy lock beside it
    // that its holder stopped renewing long ago belongs to a copy that died with that computer.
    if (state == FileLock::State::MayBeStale && lock.judged()) state = lock.takeOver(*lock.judged());
    if (state != FileLock::State::Taken) {
        throw VbError(VbError::PermissionDenied,
                      Language::text(
                          QStringLiteral("Permission denied: '%1' is being written by another program (%2)."),
                          QStringLiteral("Zugriff verweigert: '%1' wird gerade von einem anderen "
                                         "Programm geschrieben (%2)."))
                          .arg(target, lock.judged() ? lock.judged()->describe() : QString()));
    }
    // A copy that was stopped half way left this file; it was never renamed, so it holds nothing of value.
    if (QFileInfo::exists(temp) && !QFile::remove(temp)) throw VbError::permissionDenied(temp);

    // The check reads the source on a connection of its own while the bytes are copied.
    std::exception_ptr checkFailed;
    std::thread checking;
    if (check) {
        checking = std::thread([&] {
            try {
                check();
            } catch (...) {
                checkFailed = std::current_exception();
            }
        });
    }
    struct Join {
        std::thread& thread;
        ~Join() {
            if (thread.joinable()) thread.join();
        }
    } join{checking};

    // While the engine holds its read lock nobody writes the file: its bytes are one state of the database.
    try {
        from.Execute(QStringLiteral("BEGIN"));
        sqlite3_exec(from.handle(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        copyBytes(source, temp, target);
        from.Execute(QStringLiteral("COMMIT"));
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    from.Close();
    if (checking.joinable()) checking.join();
    if (checkFailed) {
        QFile::remove(temp);
        std::rethrow_exception(checkFailed);
    }

    if (QFileInfo::exists(target)) {
        QFile::setPermissions(temp, QFile::permissions(target));
        // A hot journal left beside the old file by a writer that crashed would be played into the new file
        // at its next opening: let the engine roll it back into the old file first.
        if (QFileInfo::exists(target + QStringLiteral("-journal"))) {
            try {
                Connection old;
                old.Open(target);
            } catch (const VbError&) {
                // The old file is replaced anyway.
            }
        }
    }
    try {
        if (beforeReplace) beforeReplace();
        FileSystem::ReplaceFile(temp, target);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
}

namespace {
QString savepointName(int depth) { return QStringLiteral("sp%1").arg(depth); }
} // namespace

Connection::Transaction::Transaction(Connection& connection) : connection_(connection) {
    depth_ = connection_.openTransactions_ + 1;
    // A file that can't be written takes no write lock; a transaction begun by hand holds what it holds.
    sqlite3* db = connection_.handle();
    began_ = depth_ == 1 && sqlite3_get_autocommit(db) && sqlite3_db_readonly(db, "main") == 0;
    connection_.Execute(began_ ? QStringLiteral("BEGIN IMMEDIATE")
                               : QStringLiteral("SAVEPOINT ") + savepointName(depth_));
    ++connection_.openTransactions_;
}

void Connection::Transaction::commit() {
    if (done_) return;
    connection_.Execute(began_ ? QStringLiteral("COMMIT")
                               : QStringLiteral("RELEASE ") + savepointName(depth_));
    done_ = true;
    --connection_.openTransactions_;
}

Connection::Transaction::~Transaction() {
    if (done_ || !connection_.isOpen()) return;
    try {
        if (began_) {
            // A failed commit may have ended the transaction already.
            if (!sqlite3_get_autocommit(connection_.handle()))
                connection_.Execute(QStringLiteral("ROLLBACK"));
        } else {
            connection_.Execute(QStringLiteral("ROLLBACK TO ") + savepointName(depth_));
            connection_.Execute(QStringLiteral("RELEASE ") + savepointName(depth_));
        }
    } catch (...) {
        // The connection is failing anyway; its next use reports the error.
    }
    if (connection_.openTransactions_ > 0) --connection_.openTransactions_;
}

Connection::CommandScope::CommandScope(Connection& connection) { transaction_.emplace(connection); }

void Connection::CommandScope::End() {
    if (!transaction_) return;
    try {
        transaction_->commit();
    } catch (...) {
        transaction_.reset(); // undoes what could not be committed
        throw;
    }
    transaction_.reset();
}

Connection::CommandScope::~CommandScope() {
    try {
        End();
    } catch (...) {
        // A destructor can't report: a command that has to tell its user calls End() itself.
    }
}

} // namespace platform
