#include "NEUEID.h"

#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"

#include <cmath>
#include <limits>

using platform::FieldType;
using platform::VbError;

namespace store {

namespace {

// One above the highest ID, which the column's type bounds.
std::int32_t naechste(const platform::Variant& wert, std::int64_t grenze) {
    if (wert.isNull() || wert.isEmpty()) return 1;
    // A value beyond the column's type comes as a Double; it is whole (the column holds whole numbers).
    const double hoechste = std::floor(platform::CDbl(wert));
    // Only IDs below 1 (written by another tool): 0 is the multiple evaluation's, so the first record is 1.
    if (hoechste < 1) return 1;
    if (hoechste >= double(grenze)) {
        const QString zahl = QString::number(grenze);
        throw VbError(VbError::Overflow,
                      platform::Language::text(
                          QStringLiteral("No further record can be added: the highest record number (ID) "
                                         "%1 has been reached."),
                          QStringLiteral("Es kann kein weiterer Datensatz angelegt werden: Die höchste "
                                         "Datensatznummer (ID) %1 ist erreicht."))
                          .arg(zahl));
    }
    return std::int32_t(std::int64_t(hoechste) + 1);
}

// The largest whole number a column of the type holds.
std::int64_t groesste(FieldType typ) {
    switch (typ) {
    case FieldType::Integer:
        return std::numeric_limits<std::int16_t>::max();
    default:
        return std::numeric_limits<std::int32_t>::max();
    }
}

} // namespace

std::int32_t NEUEID(platform::Connection& verbindung) {
    platform::Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [ID] FROM [E1] ORDER BY [ID] DESC LIMIT 1"), verbindung);
    if (rs.eof()) return 1;
    return naechste(rs.Value(0), groesste(rs.fieldType(0)));
}

std::int32_t NEUEID(const platform::Variant& hoechste) {
    return naechste(hoechste, std::numeric_limits<std::int32_t>::max());
}

} // namespace store
