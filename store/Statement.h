#pragma once

#include "platform/runtime/Variant.h"

#include <QString>
#include <vector>

namespace store {

// A statement of the table cursor as it is run and as it reads. Values are bound to placeholders, so that a
// text value can never change the statement and one prepared statement serves every value; the readable
// text shows them in place, texts quoted with doubled apostrophes.
struct Statement {
    QString sql; // with "?" for every value
    std::vector<platform::Variant> params;

    Statement& operator<<(const QString& text) {
        sql += text;
        return *this;
    }
    // Appends a value, bound to a placeholder.
    Statement& value(const platform::Variant& v);
    // The statement with its values written out (names never hold a "?"), made only when it is asked for.
    QString shown() const;
};

// How a value reads inside a statement: numbers in decimal digits with a point, True and False as the
// database's true and false, texts in single quotes with doubled apostrophes, Empty and Null as NULL.
QString literalText(const platform::Variant& v);

} // namespace store
