#include "Recordset.h"

#include "../runtime/Convert.h"
#include "../runtime/SystemLocale.h"
#include "../runtime/VbError.h"
#include "Connection.h"

#include <cmath>
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
    return VbError(3265, SystemLocale::pick(QStringLiteral("Item '%1' cannot be found in the collection."),
                                            QStringLiteral("Das Element '%1' wurde in der Auflistung nicht gefunden."))
                             .arg(name));
}

Variant columnValue(sqlite3_stmt* stmt, int column, FieldType type) {
    const int storage = sqlite3_column_type(stmt, column);
    if (storage == SQLITE_NULL) return Variant::null();
    // The common cases directly: a whole number in a whole-number column, a real in a real column.
    if (storage == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(stmt, column);
        if (type == FieldType::Long && v >= INT32_MIN && v <= INT32_MAX) return Variant(std::int32_t(v));
        if (type == FieldType::Integer && v >= INT16_MIN && v <= INT16_MAX) return Variant(std::int16_t(v));
        if (type == FieldType::Boolean) return Variant(v != 0);
    } else if (storage == SQLITE_FLOAT) {
        const double d = sqlite3_column_double(stmt, column);
        if (type == FieldType::Double) return Variant(d);
        if (type == FieldType::Single && std::isfinite(d) &&
            std::fabs(d) <= double(std::numeric_limits<float>::max()))
            return Variant(float(d));
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
                SystemLocale::pick(QStringLiteral("The field is too small to accept the amount of data you attempted "
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

void Recordset::open(const QString& sql, Connection& connection, const std::vector<Variant>& params,
                     bool updatable) {
    Close();
    connection_ = &connection;
    table_.clear();
    fields_.clear();
    rows_.clear();
    deletedRows_ = 0;
    hasRowid_ = false;

    sqlite3_stmt* stmt = nullptr;
    // The row ids that name the rows to change are read only for a recordset that may be changed.
    if (updatable && !readOnlyStatement(sql)) {
        const QString rewritten = withRowid(sql);
        if (!rewritten.isEmpty()) {
            try {
                stmt = connection.statement(rewritten);
                hasRowid_ = true;
            } catch (const VbError&) {
                stmt = nullptr;
            }
        }
    }
    if (!stmt) stmt = connection.statement(sql);
    for (size_t i = 0; i < params.size(); ++i) Connection::bind(stmt, int(i) + 1, params[i]);

    const int first = hasRowid_ ? 1 : 0;
    const int count = sqlite3_column_count(stmt);
    QString table;
    bool oneTable = hasRowid_;
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
        fields_.push_back(f);
    }
    if (oneTable && !table.isEmpty()) table_ = table;

    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        if (hasRowid_) row.rowid = sqlite3_column_int64(stmt, 0);
        row.values.reserve(fields_.size());
        for (int c = first; c < count; ++c) row.values.push_back(columnValue(stmt, c, fields_[c - first].type));
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(connection.handle()));
        sqlite3_reset(stmt);
        throw VbError::database(msg);
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
    deletedRows_ = 0;
    fields_.clear();
    position_ = -1;
}

void Recordset::requireOpen() const {
    if (!open_) {
        throw VbError(3704, SystemLocale::pick(QStringLiteral("Operation is not allowed when the object is closed."),
                                               QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.")));
    }
}

void Recordset::requireCurrent() const {
    requireOpen();
    if (adding_) return;
    if (position_ < 0 || position_ >= long(rows_.size()) || rows_[position_].deleted) throw VbError::noCurrentRecord();
}

void Recordset::requireUpdatable() const {
    if (table_.isEmpty() || !hasRowid_) {
        throw VbError(3251, SystemLocale::pick(QStringLiteral("Current Recordset does not support updating."),
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
    if (index < 0 || index >= int(fields_.size())) throw VbError::subscriptOutOfRange();
    return fields_[index].name;
}

FieldType Recordset::fieldType(int index) const {
    requireOpen();
    if (index < 0 || index >= int(fields_.size())) throw VbError::subscriptOutOfRange();
    return fields_[index].type;
}

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < int(fields_.size()); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Variant Recordset::Value(int index) const {
    requireCurrent();
    if (index < 0 || index >= int(fields_.size())) throw VbError::subscriptOutOfRange();
    return adding_ ? newRow_.values[index] : rows_[position_].values[index];
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
    if (index < 0 || index >= int(fields_.size())) throw VbError::subscriptOutOfRange();
    const FieldInfo& f = fields_[index];
    if (f.column.isEmpty()) {
        throw VbError(-2147217911,
                      SystemLocale::pick(QStringLiteral("Field '%1' cannot be updated."),
                                         QStringLiteral("Das Feld '%1' kann nicht aktualisiert werden."))
                          .arg(f.name));
    }
    const Variant converted = convertFor(f.type, f.size, value);
    Row& row = adding_ ? newRow_ : rows_[position_];
    row.values[index] = converted;
    if (std::find(assigned_.begin(), assigned_.end(), index) == assigned_.end()) assigned_.push_back(index);
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
    newRow_ = Row{};
    newRow_.values.assign(fields_.size(), Variant::null());
    assigned_.clear();
}

void Recordset::readRow(Row& row, std::int64_t rowid) {
    QStringList columns;
    for (const auto& f : fields_) columns << (f.column.isEmpty() ? QStringLiteral("NULL") : SqlName(f.column));
    sqlite3_stmt* stmt = connection_->statement(QStringLiteral("SELECT ") + columns.join(',') +
                                                QStringLiteral(" FROM ") + SqlName(table_) +
                                                QStringLiteral(" WHERE _rowid_=?"));
    sqlite3_bind_int64(stmt, 1, rowid);
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < int(fields_.size()); ++c) {
            if (!fields_[c].column.isEmpty()) row.values[c] = columnValue(stmt, c, fields_[c].type);
        }
    }
    sqlite3_reset(stmt);
}

void Recordset::Update() {
    requireOpen();
    if (!editing()) {
        requireCurrent();
        return;
    }
    requireUpdatable();
    std::vector<int> assigned = assigned_;
    const bool adding = adding_;
    // Whatever happens, the edit is over: a failed write leaves the row as the table holds it.
    assigned_.clear();
    adding_ = false;
    std::vector<Variant> params;
    if (adding) {
        QString sql;
        if (assigned.empty()) {
            sql = QStringLiteral("INSERT INTO ") + SqlName(table_) + QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList names, marks;
            for (int i : assigned) {
                names << SqlName(fields_[i].column);
                marks << QStringLiteral("?");
                params.push_back(newRow_.values[i]);
            }
            sql = QStringLiteral("INSERT INTO ") + SqlName(table_) + QStringLiteral(" (") + names.join(',') +
                  QStringLiteral(") VALUES (") + marks.join(',') + QLatin1Char(')');
        }
        connection_->Execute(sql, params);
        Row row = newRow_;
        row.rowid = sqlite3_last_insert_rowid(connection_->handle());
        readRow(row, row.rowid);
        rows_.push_back(std::move(row));
        position_ = long(rows_.size()) - 1;
        return;
    }
    Row& row = rows_[position_];
    QStringList sets;
    for (int i : assigned) {
        sets << SqlName(fields_[i].column) + QStringLiteral("=?");
        params.push_back(row.values[i]);
    }
    params.push_back(rowidValue(row.rowid));
    try {
        connection_->Execute(QStringLiteral("UPDATE ") + SqlName(table_) + QStringLiteral(" SET ") + sets.join(',') +
                                 QStringLiteral(" WHERE _rowid_=?"),
                             params);
    } catch (...) {
        readRow(row, row.rowid);
        throw;
    }
}

void Recordset::CancelUpdate() {
    requireOpen();
    if (adding_) {
        adding_ = false;
    } else if (!assigned_.empty() && position_ >= 0 && position_ < long(rows_.size())) {
        readRow(rows_[position_], rows_[position_].rowid);
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
    connection_->Execute(QStringLiteral("DELETE FROM ") + SqlName(table_) + QStringLiteral(" WHERE _rowid_=?"),
                         {rowidValue(row.rowid)});
    row.deleted = true;
    ++deletedRows_;
}

} // namespace platform
