#include "ControlErrors.h"

#include "ControlArray.h"
#include "platform/runtime/Language.h"

namespace platform {

namespace ControlErrors {

VbError invalidPropertyValue() {
    return VbError(380, Language::text(QStringLiteral("Invalid property value"),
                                       QStringLiteral("Ungültiger Eigenschaftswert")));
}

VbError invalidPropertyArrayIndex() {
    return VbError(381, Language::text(QStringLiteral("Subscript out of range"),
                                       QStringLiteral("Index außerhalb des gültigen Bereichs")));
}

VbError propertyIsReadOnly() {
    return VbError(383, Language::text(QStringLiteral("'Text' property is read-only"),
                                       QStringLiteral("Die Eigenschaft 'Text' ist schreibgeschützt")));
}

VbError notAnArray() {
    return VbError(343, Language::text(QStringLiteral("Object not an array"),
                                       QStringLiteral("Objekt ist kein Datenfeld")));
}

} // namespace ControlErrors

std::int16_t ControlArrayMember::Index() const {
    if (!index_) throw ControlErrors::notAnArray();
    return *index_;
}

} // namespace platform
