#pragma once

#include "../runtime/Variant.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class Connection;

// The data types of a field, by the column's declared type in the schema.
enum class FieldType {
    Integer, // 16 bit: SMALLINT
    Long,    // 32 bit: INTEGER
    Single,  // FLOAT
    Double,  // DOUBLE
    Boolean, // BOOLEAN, stored as 0/1
    Date,    // DATETIME, days since 30 December 1899
    Text,    // TEXT(n) / VARCHAR(n): at most n characters
    Memo,    // TEXT without a size
    Variant, // an expression: as the engine delivers it
};

// A static recordset: all rows of a SELECT are read when it opens; the cursor moves over them.
// A recordset on one table can be changed: AddNew and assignments, then Update writes the row (only the
// fields that were assigned), Delete removes the current row. Values assigned to a field are converted to
// its type at once (a text into a number column with the locale's decimal sign); a value the field cannot
// hold raises the error there, and nothing is written.
class Recordset {
public:
    Recordset() = default;
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Opens the SELECT on the connection, with values bound to its "?" placeholders in order.
    void Open(const QString& sql, Connection& connection, const std::vector<Variant>& params = {});
    // Opens the SELECT for reading only: it reads faster and can't be changed.
    void OpenForReading(const QString& sql, Connection& connection, const std::vector<Variant>& params = {});
    void Close();
    bool isOpen() const { return open_; }

    bool eof() const;
    bool bof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // The number of rows (deleted rows not counted).
    long RecordCount() const;

    int FieldCount() const { return int(fields().size()); }
    QString FieldName(int index) const;
    FieldType fieldType(int index) const;
    // The position of a field by its name (case ignored); -1 when there is none.
    int fieldIndex(const QString& name) const;

    // The value of a field in the current row (or of the row being added).
    Variant Value(int index) const;
    Variant Value(const QString& name) const;
    // Assigns a field of the current row; converted to the field's type at once.
    void SetValue(int index, const Variant& value);
    void SetValue(const QString& name, const Variant& value);

    // Starts a new row; Update writes it. Fields not assigned get the table's defaults.
    void AddNew();
    // Writes the assigned fields of the current (or new) row.
    void Update();
    // Drops the assignments since the last Update.
    void CancelUpdate();
    // Deletes the current row from the table; the cursor stays on the deleted row until it moves.
    void Delete();
    // True while a new row or assignments wait for Update.
    bool editing() const { return adding_ || !assigned_.empty(); }

    // The base table of an updatable recordset ("" for a read-only one).
    const QString& tableName() const { return shape_->table; }

    // Converts a value for a field of this type, as an assignment does (throws VbError).
    static Variant convertFor(FieldType type, int size, const Variant& value);
    static FieldType typeOfDeclaration(const QString& declaredType, int* size = nullptr);

private:
    struct FieldInfo {
        QString name;
        QString column; // the base table's column, empty for an expression
        FieldType type = FieldType::Variant;
        int size = 0;
    };
    // What a SELECT text gives, worked out once per connection: the statement run (with the row id where
    // the rows may be changed), its fields and its one base table.
    struct Shape {
        QString sql;
        bool hasRowid = false;
        QString table;
        std::vector<FieldInfo> fields;
    };
    // A row of the selection; its values are the row's stretch of cells_.
    struct Row {
        std::int64_t rowid = 0;
        // Fields (of the first 64) whose value holds exactly what the table stores: assigning the same
        // value again writes nothing.
        std::uint64_t exact = 0;
        bool deleted = false;
    };
    // The statement that writes a set of fields, built once per recordset.
    struct Writer {
        std::uint64_t fields = 0;
        QString sql;
    };

    void open(const QString& sql, Connection& connection, const std::vector<Variant>& params, bool updatable);
    // The shape of a recordset that is not open, shared by all.
    static const std::shared_ptr<const Shape>& noShape();
    std::shared_ptr<const Shape> shapeOf(const QString& sql, Connection& connection, bool updatable);
    const std::vector<FieldInfo>& fields() const { return shape_->fields; }
    void requireOpen() const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void flushPendingEdit();
    // Reads the row at this position again as the table holds it.
    void readRow(long position);
    const QString& writer(std::vector<Writer>& writers, const std::vector<int>& assigned, bool insert);

    Connection* connection_ = nullptr;
    bool open_ = false;
    std::shared_ptr<const Shape> shape_ = noShape(); // a closed recordset's: no fields, no table
    std::vector<Row> rows_;
    std::vector<Variant> cells_; // the values of all rows, row after row
    long deletedRows_ = 0; // counted as they go, so that EOF and the row count are answered at once
    long position_ = -1; // -1 = BOF, rows_.size() = EOF
    bool adding_ = false;
    std::vector<Variant> newValues_; // the row being added
    std::vector<int> assigned_;
    std::vector<Writer> updates_, inserts_;
    QString readSql_, deleteSql_, unkeyedSql_;
};

} // namespace platform
