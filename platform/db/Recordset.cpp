#include "Recordset.h"

#include "../runtime/Convert.h"
#include "../runtime/Language.h"
#include "../runtime/VbError.h"
#include "Connection.h"
#include "DatabaseFailure.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <QRegularExpression>
#include <sqlite3.h>

namespace platform {

namespace {

// Statements that can't name one row of one table are read-only.
bool readOnlyStatement(const QString& sql) {
    static const QRegularExpression pattern(
        QStringLiteral("\\bDISTINCT\\b|\\bGROUP\\s+BY\\b|\\bUNION\\b|\\bJOIN\\b|\\b(COUNT|MIN|MAX|SUM|AVG|TOTAL)\\s*\\("),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(sql).hasMatch();
}

QString withRowid(const QString& sql) {
    static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\s+"), QRegularExpression::CaseInsensitiveOption);
    const auto m = select.match(sql);
    if (!m.hasMatch()) return {};
    return QStringLiteral("SELECT _rowid_ AS [__rowid__], ") + sql.mid(m.capturedEnd());
}

Variant rowidValue(std::int64_t rowid) {
    if (rowid >= INT32_MIN && rowid <= INT32_MAX) return Variant(std::int32_t(rowid));
    return Variant(double(rowid));
}


VbError fieldNotFound(const QString& name) {
    return VbError(3265,
                   Language::text(QStringLiteral("Item '%1' cannot be found in the collection."),
                                  QStringLiteral("Das Element '%1' wurde in der Auflistung nicht gefunden."))
                       .arg(name));
}

// The value of a column as the field's type. `exact` tells whether writing that value back would store
// exactly what the table holds (same storage class, same bits), so that such a write can be left out.
Variant columnValue(sqlite3_stmt* stmt, int column, FieldType type, bool& exact) {
    const int storage = sqlite3_column_type(stmt, column);
    exact = false;
    if (storage == SQLITE_NULL) {
        exact = type != FieldType::Boolean;
        return Variant::null();
    }
    // The common cases directly: a whole number in a whole-number column, a real in a real column.
    if (storage == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, column);
        exact = true;
        if (type == FieldType::Long && v >= INT32_MIN && v <= INT32_MAX) return Variant(std::int32_t(v));
        if (type == FieldType::Integer && v >= INT16_MIN && v <= INT16_MAX) return Variant(std::int16_t(v));
        exact = v == 0 || v == 1;
        if (type == FieldType::Boolean) return Variant(v != 0);
        exact = false;
    } else if (storage == SQLITE_FLOAT) {
        const double d = sqlite3_column_double(stmt, column);
        if (type == FieldType::Double) {
            exact = !std::isnan(d);
            return Variant(d);
        }
        if (type == FieldType::Single && std::isfinite(d) &&
            std::fabs(d) <= double(std::numeric_limits<float>::max())) {
            exact = double(float(d)) == d;
            return Variant(float(d));
        }
    } else if (storage == SQLITE_TEXT && (type == FieldType::Text || type == FieldType::Memo)) {
        exact = true;
        return Variant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                         sqlite3_column_bytes(stmt, column)));
    }
    auto asText = [&] {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    };
    auto asNumber = [&]() -> Variant {
        if (storage == SQLITE_INTEGER) {
            const sqlite3_int64 v = sqlite3_column_int64(stmt, column);
            if (v >= INT32_MIN && v <= INT32_MAX) return Variant(std::int32_t(v));
            return Variant(double(v));
        }
        if (storage == SQLITE_FLOAT) return Variant(sqlite3_column_double(stmt, column));
        return Variant(asText());
    };
    try {
        switch (type) {
        case FieldType::Integer: return Variant(CInt(asNumber()));
        case FieldType::Long: return Variant(CLng(asNumber()));
        case FieldType::Single: return Variant(CSng(asNumber()));
        case FieldType::Double: return Variant(CDbl(asNumber()));
        case FieldType::Boolean: return Variant(CBool(asNumber()));
        case FieldType::Date: return Variant::date(CDbl(asNumber()));
        case FieldType::Text:
        case FieldType::Memo: return Variant(storage == SQLITE_TEXT ? asText() : CStr(asNumber()));
        case FieldType::Variant: return asNumber();
        }
    } catch (const VbError&) {
        // A value the column's type can't hold (written by another program): hand it over as stored.
        return asNumber();
    }
    return Variant::null();
}

// Whether two values of a field are the same to the table: same type, same bits.
bool sameStored(const Variant& a, const Variant& b) {
    if (a.type() != b.type()) return false;
    switch (a.type()) {
    case VarType::Empty:
    case VarType::Null: return true;
    case VarType::Boolean: return a.asBool() == b.asBool();
    case VarType::Integer: return a.asInteger() == b.asInteger();
    case VarType::Long: return a.asLong() == b.asLong();
    case VarType::Single: {
        const float x = a.asSingle(), y = b.asSingle();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    case VarType::Double: {
        const double x = a.asDouble(), y = b.asDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    case VarType::String: return a.asString() == b.asString();
    case VarType::Date: return false;
    }
    return false;
}

constexpr int exactFields = 64;

std::uint64_t bitOf(int field) { return field < exactFields ? std::uint64_t(1) << field : 0; }

} // namespace

FieldType Recordset::typeOfDeclaration(const QString& declaredType, int* size) {
    const QString d = declaredType.trimmed().toUpper();
    if (size) *size = 0;
    if (d.isEmpty()) return FieldType::Variant;
    if (d.contains(QLatin1String("BOOL")) || d == QLatin1String("BIT") || d == QLatin1String("YESNO"))
        return FieldType::Boolean;
    if (d.startsWith(QLatin1String("SMALLINT")) || d.startsWith(QLatin1String("SHORT"))) return FieldType::Integer;
    if (d.contains(QLatin1String("INT")) || d.startsWith(QLatin1String("LONG"))) return FieldType::Long;
    if (d.startsWith(QLatin1String("FLOAT")) || d.startsWith(QLatin1String("SINGLE")) || d.startsWith(QLatin1String("REAL")))
        return FieldType::Single;
    if (d.contains(QLatin1String("DOUB"))) return FieldType::Double;
    if (d.contains(QLatin1String("DATE")) || d.contains(QLatin1String("TIME"))) return FieldType::Date;
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("TEXT")) || d.contains(QLatin1String("MEMO"))) {
        static const QRegularExpression sized(QStringLiteral("\\((\\d+)\\)"));
        const auto m = sized.match(d);
        if (m.hasMatch() && !d.contains(QLatin1String("MEMO"))) {
            if (size) *size = m.captured(1).toInt();
            return FieldType::Text;
        }
        return FieldType::Memo;
    }
    return FieldType::Variant;
}

Variant Recordset::convertFor(FieldType type, int size, const Variant& value) {
    if (value.isEmpty() || value.isNull()) {
        // A Yes/No field has no Null: it stores No.
        return type == FieldType::Boolean ? Variant(false) : Variant::null();
    }
    switch (type) {
    case FieldType::Integer: return Variant(CInt(value));
    case FieldType::Long: return Variant(CLng(value));
    case FieldType::Single: return Variant(CSng(value));
    case FieldType::Double: return Variant(CDbl(value));
    case FieldType::Boolean: return Variant(CBool(value));
    case FieldType::Date: return Variant::date(CDate(value));
    case FieldType::Text: {
        const QString text = CStr(value);
        if (size > 0 && text.size() > size) {
            throw VbError::database(
                Language::text(
                    QStringLiteral("The field is too small to accept the amount of data you attempted "
                                   "to add (%1 characters at most)."),
                    QStringLiteral("Das Feld ist zu klein für die Datenmenge, die Sie hinzufügen "
                                   "wollten (höchstens %1 Zeichen)."))
                    .arg(size));
        }
        return Variant(text);
    }
    case FieldType::Memo: return Variant(CStr(value));
    case FieldType::Variant: return value;
    }
    return value;
}

Recordset::~Recordset() { Close(); }

void Recordset::Open(const QString& sql, Connection& connection, const std::vector<Variant>& params) {
    open(sql, connection, params, true);
}

void Recordset::OpenForReading(const QString& sql, Connection& connection,
                               const std::vector<Variant>& params) {
    open(sql, connection, params, false);
}

const std::shared_ptr<const Recordset::Shape>& Recordset::noShape() {
    static const auto none = std::make_shared<const Shape>();
    return none;
}

std::shared_ptr<const Recordset::Shape> Recordset::shapeOf(const QString& sql, Connection& connection,
                                                          bool updatable) {
    std::shared_ptr<const void>& memo = connection.memo(sql, updatable ? 1 : 0);
    if (memo) return std::static_pointer_cast<const Shape>(memo);
    auto shape = std::make_shared<Shape>();
    sqlite3_stmt* stmt = nullptr;
    // The row ids that name the rows to change are read only for a recordset that may be changed.
    if (updatable && !readOnlyStatement(sql)) {
        const QString rewritten = withRowid(sql);
        if (!rewritten.isEmpty()) {
            try {
                stmt = connection.statement(rewritten);
                shape->sql = rewritten;
                shape->hasRowid = true;
            } catch (const VbError&) {
                stmt = nullptr;
            }
        }
    }
    if (!stmt) {
        stmt = connection.statement(sql);
        shape->sql = sql;
    }
    const int first = shape->hasRowid ? 1 : 0;
    const int count = sqlite3_column_count(stmt);
    QString table;
    bool oneTable = shape->hasRowid;
    for (int c = first; c < count; ++c) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* origin = sqlite3_column_origin_name(stmt, c);
        const char* tab = sqlite3_column_table_name(stmt, c);
        f.column = origin ? QString::fromUtf8(origin) : QString();
        if (tab) {
            const QString t = QString::fromUtf8(tab);
            if (table.isEmpty())
                table = t;
            else if (table.compare(t, Qt::CaseInsensitive) != 0)
                oneTable = false;
        }
        const char* decl = sqlite3_column_decltype(stmt, c);
        f.type = typeOfDeclaration(decl ? QString::fromUtf8(decl) : QString(), &f.size);
        shape->fields.push_back(f);
    }
    if (oneTable && !table.isEmpty()) shape->table = table;
    memo = shape;
    return shape;
}

void Recordset::open(const QString& sql, Connection& connection, const std::vector<Variant>& params,
                     bool updatable) {
    Close();
    connection_ = &connection;
    rows_.clear();
    cells_.clear();
    deletedRows_ = 0;
    updates_.clear();
    inserts_.clear();
    readSql_.clear();
    deleteSql_.clear();

    shape_ = shapeOf(sql, connection, updatable);
    sqlite3_stmt* stmt = connection.statement(shape_->sql);
    for (size_t i = 0; i < params.size(); ++i) Connection::bind(stmt, int(i) + 1, params[i]);

    const int first = shape_->hasRowid ? 1 : 0;
    const int count = first + int(fields().size());
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        if (shape_->hasRowid) row.rowid = sqlite3_column_int64(stmt, 0);
        for (int c = first; c < count; ++c) {
            bool exact = false;
            cells_.push_back(columnValue(stmt, c, fields()[c - first].type, exact));
            if (exact) row.exact |= bitOf(c - first);
        }
        rows_.push_back(row);
    }
    if (rc != SQLITE_DONE) {
        const DatabaseError error(VbError::database(QString::fromUtf8(sqlite3_errmsg(connection.handle()))),
                                  engineFailure(connection.handle()));
        sqlite3_reset(stmt);
        // A lock held longer than the connection waits is the connection's to name.
        if (error.failure() == DatabaseFailure::Busy) connection.fail();
        throw error;
    }
    sqlite3_reset(stmt);
    open_ = true;
    position_ = 0;
    adding_ = false;
    assigned_.clear();
}

void Recordset::Close() {
    open_ = false;
    adding_ = false;
    assigned_.clear();
    rows_.clear();
    cells_.clear();
    deletedRows_ = 0;
    shape_ = noShape();
    position_ = -1;
}

void Recordset::requireOpen() const {
    if (!open_) {
        throw VbError(
            3704,
            Language::text(QStringLiteral("Operation is not allowed when the object is closed."),
                           QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.")));
    }
}

void Recordset::requireCurrent() const {
    requireOpen();
    if (adding_) return;
    if (position_ < 0 || position_ >= long(rows_.size()) || rows_[position_].deleted) throw VbError::noCurrentRecord();
}

void Recordset::requireUpdatable() const {
    if (shape_->table.isEmpty() || !shape_->hasRowid) {
        throw VbError(
            3251, Language::text(QStringLiteral("Current Recordset does not support updating."),
                                 QStringLiteral("Das aktuelle Recordset unterstützt keine Aktualisierung.")));
    }
}

bool Recordset::eof() const {
    requireOpen();
    return position_ >= long(rows_.size()) || RecordCount() == 0;
}

bool Recordset::bof() const {
    requireOpen();
    return position_ < 0 || RecordCount() == 0;
}

long Recordset::RecordCount() const {
    requireOpen();
    return long(rows_.size()) - deletedRows_;
}

void Recordset::flushPendingEdit() {
    if (editing()) Update();
}

void Recordset::MoveFirst() {
    requireOpen();
    flushPendingEdit();
    position_ = 0;
    while (position_ < long(rows_.size()) && rows_[position_].deleted) ++position_;
}

void Recordset::MoveLast() {
    requireOpen();
    flushPendingEdit();
    position_ = long(rows_.size()) - 1;
    while (position_ >= 0 && rows_[position_].deleted) --position_;
    if (position_ < 0) position_ = long(rows_.size());
}

void Recordset::MoveNext() {
    requireOpen();
    if (position_ >= long(rows_.size())) throw VbError::noCurrentRecord();
    flushPendingEdit();
    ++position_;
    while (position_ < long(rows_.size()) && rows_[position_].deleted) ++position_;
}

void Recordset::MovePrevious() {
    requireOpen();
    if (position_ < 0) throw VbError::noCurrentRecord();
    flushPendingEdit();
    --position_;
    while (position_ >= 0 && rows_[position_].deleted) --position_;
}

QString Recordset::FieldName(int index) const {
    requireOpen();
    if (index < 0 || index >= int(fields().size())) throw VbError::subscriptOutOfRange();
    return fields()[index].name;
}

FieldType Recordset::fieldType(int index) const {
    requireOpen();
    if (index < 0 || index >= int(fields().size())) throw VbError::subscriptOutOfRange();
    return fields()[index].type;
}

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < int(fields().size()); ++i)
        if (fields()[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Variant Recordset::Value(int index) const {
    requireCurrent();
    if (index < 0 || index >= int(fields().size())) throw VbError::subscriptOutOfRange();
    return adding_ ? newValues_[index] : cells_[size_t(position_) * fields().size() + size_t(index)];
}

Variant Recordset::Value(const QString& name) const {
    requireOpen();
    const int i = fieldIndex(name);
    if (i < 0) throw fieldNotFound(name);
    return Value(i);
}

void Recordset::SetValue(int index, const Variant& value) {
    requireCurrent();
    requireUpdatable();
    if (index < 0 || index >= int(fields().size())) throw VbError::subscriptOutOfRange();
    const FieldInfo& f = fields()[index];
    if (f.column.isEmpty()) {
        throw VbError(-2147217911,
                      Language::text(QStringLiteral("Field '%1' cannot be updated."),
                                     QStringLiteral("Das Feld '%1' kann nicht aktualisiert werden."))
                          .arg(f.name));
    }
    const Variant converted = convertFor(f.type, f.size, value);
    Variant& held = adding_ ? newValues_[index] : cells_[size_t(position_) * fields().size() + size_t(index)];
    const bool assigned = std::find(assigned_.begin(), assigned_.end(), index) != assigned_.end();
    // The value the table holds already: nothing to write.
    if (!adding_ && !assigned && (rows_[position_].exact & bitOf(index)) && sameStored(held, converted)) return;
    held = converted;
    if (!assigned) assigned_.push_back(index);
}

void Recordset::SetValue(const QString& name, const Variant& value) {
    requireOpen();
    const int i = fieldIndex(name);
    if (i < 0) throw fieldNotFound(name);
    SetValue(i, value);
}

void Recordset::AddNew() {
    requireOpen();
    requireUpdatable();
    flushPendingEdit();
    adding_ = true;
    newValues_.assign(fields().size(), Variant::null());
    assigned_.clear();
}

void Recordset::readRow(long position) {
    Row& row = rows_[position];
    Variant* values = cells_.data() + size_t(position) * fields().size();
    if (readSql_.isEmpty()) {
        QStringList columns;
        for (const auto& f : fields()) columns << (f.column.isEmpty() ? QStringLiteral("NULL") : SqlName(f.column));
        readSql_ = QStringLiteral("SELECT ") + columns.join(',') + QStringLiteral(" FROM ") +
                   SqlName(shape_->table) + QStringLiteral(" WHERE _rowid_=?");
    }
    sqlite3_stmt* stmt = connection_->statement(readSql_);
    sqlite3_bind_int64(stmt, 1, row.rowid);
    row.exact = 0;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < int(fields().size()); ++c) {
            if (fields()[c].column.isEmpty()) continue;
            bool exact = false;
            values[c] = columnValue(stmt, c, fields()[c].type, exact);
            if (exact) row.exact |= bitOf(c);
        }
    }
    sqlite3_reset(stmt);
}

// The statement that writes the fields (in the order of the fields), built once per recordset and set of fields.
const QString& Recordset::writer(std::vector<Writer>& writers, const std::vector<int>& assigned, bool insert) {
    std::uint64_t key = 0;
    bool keyed = true;
    for (int i : assigned) {
        if (i >= exactFields) keyed = false;
        key |= bitOf(i);
    }
    if (keyed)
        for (const Writer& w : writers)
            if (w.fields == key) return w.sql;
    QString sql;
    if (insert) {
        if (assigned.empty()) {
            sql = QStringLiteral("INSERT INTO ") + SqlName(shape_->table) + QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList names, marks;
            for (int i : assigned) {
                names << SqlName(fields()[i].column);
                marks << QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO ") + SqlName(shape_->table) + QStringLiteral(" (") + names.join(',') +
                  QStringLiteral(") VALUES (") + marks.join(',') + QLatin1Char(')');
        }
    } else {
        QStringList sets;
        for (int i : assigned) sets << SqlName(fields()[i].column) + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE ") + SqlName(shape_->table) + QStringLiteral(" SET ") + sets.join(',') +
              QStringLiteral(" WHERE _rowid_=?");
    }
    if (!keyed) {
        unkeyedSql_ = sql;
        return unkeyedSql_;
    }
    writers.push_back(Writer{key, sql});
    return writers.back().sql;
}

void Recordset::Update() {
    requireOpen();
    if (!editing()) {
        requireCurrent();
        return;
    }
    requireUpdatable();
    std::vector<int> assigned = assigned_;
    // In the order of the fields, so that one statement serves a set of fields however it was assigned.
    std::sort(assigned.begin(), assigned.end());
    const bool adding = adding_;
    // Whatever happens, the edit is over: a failed write leaves the row as the table holds it.
    assigned_.clear();
    adding_ = false;
    std::vector<Variant> params;
    params.reserve(assigned.size() + 1);
    if (adding) {
        for (int i : assigned) params.push_back(newValues_[i]);
        connection_->Execute(writer(inserts_, assigned, true), params);
        Row row;
        row.rowid = sqlite3_last_insert_rowid(connection_->handle());
        rows_.push_back(row);
        cells_.insert(cells_.end(), newValues_.begin(), newValues_.end());
        position_ = long(rows_.size()) - 1;
        readRow(position_);
        return;
    }
    const Variant* values = cells_.data() + size_t(position_) * fields().size();
    for (int i : assigned) params.push_back(values[i]);
    params.push_back(rowidValue(rows_[position_].rowid));
    try {
        connection_->Execute(writer(updates_, assigned, false), params);
    } catch (...) {
        readRow(position_);
        throw;
    }
}

void Recordset::CancelUpdate() {
    requireOpen();
    if (adding_) {
        adding_ = false;
    } else if (!assigned_.empty() && position_ >= 0 && position_ < long(rows_.size())) {
        readRow(position_);
    }
    assigned_.clear();
}

void Recordset::Delete() {
    requireOpen();
    if (adding_) {
        CancelUpdate();
        return;
    }
    requireCurrent();
    requireUpdatable();
    assigned_.clear();
    Row& row = rows_[position_];
    if (deleteSql_.isEmpty())
        deleteSql_ = QStringLiteral("DELETE FROM ") + SqlName(shape_->table) + QStringLiteral(" WHERE _rowid_=?");
    connection_->Execute(deleteSql_, {rowidValue(row.rowid)});
    row.deleted = true;
    ++deletedRows_;
}

} // namespace platform
