#include "RecordId.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VbError.h"

#include <cmath>
#include <limits>

namespace store {

std::int64_t recordId(const platform::Variant& id) {
    if (id.isNull() || id.isEmpty()) return 0;
    if (id.type() == platform::VarType::Long) return id.asLong();
    // A Double of 2^63 or beyond is no 64-bit number: it stands for the largest.
    const double d = std::round(platform::CDbl(id));
    constexpr double grenze = 9223372036854775808.0; // 2^63
    if (d >= grenze) return std::numeric_limits<std::int64_t>::max();
    if (d < -grenze) return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(d);
}

platform::Variant idValue(std::int64_t id) {
    if (fitsLong(id)) return platform::Variant(std::int32_t(id));
    return platform::Variant(double(id));
}

bool fitsLong(std::int64_t id) {
    return id >= std::numeric_limits<std::int32_t>::min() && id <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t longId(const platform::Variant& id, const platform::Variant& name) {
    const std::int64_t wert = recordId(id);
    if (!fitsLong(wert))
        throw platform::VbError(
            platform::VbError::Overflow,
            idTooLarge(name.isNull() || name.isEmpty() ? QString() : platform::CStr(name), wert));
    return std::int32_t(wert);
}

QString idTooLarge(const QString& name, std::int64_t id) {
    const QString zahl = QString::number(id);
    const QString grenze = QString::number(std::numeric_limits<std::int32_t>::max());
    return platform::Language::text(
               QStringLiteral("Record %1 has the number (ID) %2, beyond the largest this program keeps (%3): "
                              "it can't be opened, evaluated or overwritten here."),
               QStringLiteral("Der Datensatz %1 hat die Nummer (ID) %2, größer als die größte, die dieses "
                              "Programm führt (%3): Er kann hier nicht geöffnet, ausgewertet oder "
                              "überschrieben werden."))
        .arg(name, zahl, grenze);
}

} // namespace store
