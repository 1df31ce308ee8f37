#include "ControlErrors.h"

#include "ControlArray.h"
#include "platform/runtime/SystemLocale.h"

namespace platform {

namespace ControlErrors {

VbError invalidPropertyValue() {
    return VbError(380, SystemLocale::pick(QStringLiteral("Invalid property value"),
                                           QStringLiteral("Ungültiger Eigenschaftswert")));
}

VbError invalidPropertyArrayIndex() {
    return VbError(381, SystemLocale::pick(QStringLiteral("Subscript out of range"),
                                           QStringLiteral("Index außerhalb des gültigen Bereichs")));
}

VbError propertyIsReadOnly() {
    return VbError(383, SystemLocale::pick(QStringLiteral("'Text' property is read-only"),
                                           QStringLiteral("Die Eigenschaft 'Text' ist schreibgeschützt")));
}

VbError notAnArray() {
    return VbError(343, SystemLocale::pick(QStringLiteral("Object not an array"),
                                           QStringLiteral("Objekt ist kein Datenfeld")));
}

} // namespace ControlErrors

std::int16_t ControlArrayMember::Index() const {
    if (!index_) throw ControlErrors::notAnArray();
    return *index_;
}

} // namespace platform
