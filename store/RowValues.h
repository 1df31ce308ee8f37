#pragma once

#include "platform/db/Recordset.h"

namespace store {

// Sets a column of the current row unless the row holds exactly that value already: a row keeps its ID,
// filter and key values, and not rewriting them spares the table's indexes. A row being added is always set.
inline void setUnlessHeld(platform::Recordset& rs, int field, const platform::Variant& value) {
    if (!rs.eof()) {
        const platform::Variant held = rs.Value(field);
        if (!held.isNull() && platform::Recordset::convertFor(rs.fieldType(field), 0, value) == held) return;
    }
    rs.SetValue(field, value);
}

inline void setUnlessHeld(platform::Recordset& rs, const QString& column, const platform::Variant& value) {
    const int field = rs.fieldIndex(column);
    if (field < 0) {
        rs.SetValue(column, value); // says that there is no such field
        return;
    }
    setUnlessHeld(rs, field, value);
}

} // namespace store
