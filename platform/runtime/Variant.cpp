#include "Variant.h"

#include "VbError.h"

namespace platform {

Variant Variant::null() {
    Variant v;
    v.value_ = NullValue{};
    return v;
}

Variant Variant::date(double days) {
    Variant v;
    v.value_ = DateValue{days};
    return v;
}

VarType Variant::type() const {
    switch (value_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Boolean;
    case 3: return VarType::Integer;
    case 4: return VarType::Long;
    case 5: return VarType::Single;
    case 6: return VarType::Double;
    case 7: return VarType::String;
    default: return VarType::Date;
    }
}

bool Variant::isNumeric() const {
    switch (type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Date: return true;
    default: return false;
    }
}

double Variant::number() const {
    switch (type()) {
    case VarType::Boolean: return asBool() ? -1.0 : 0.0;
    case VarType::Integer: return asInteger();
    case VarType::Long: return asLong();
    case VarType::Single: return asSingle();
    case VarType::Double: return asDouble();
    case VarType::Date: return asDate();
    case VarType::Empty: return 0.0;
    default: throw VbError::typeMismatch();
    }
}

bool Variant::operator==(const Variant& other) const { return value_ == other.value_; }

QString Variant::debugText() const {
    switch (type()) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Boolean: return asBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Integer: return QStringLiteral("Integer(%1)").arg(asInteger());
    case VarType::Long: return QStringLiteral("Long(%1)").arg(asLong());
    case VarType::Single: return QStringLiteral("Single(%1)").arg(double(asSingle()), 0, 'g', 9);
    case VarType::Double: return QStringLiteral("Double(%1)").arg(asDouble(), 0, 'g', 17);
    case VarType::String: return QStringLiteral("String(\"%1\")").arg(asString());
    case VarType::Date: return QStringLiteral("Date(%1)").arg(asDate(), 0, 'g', 17);
    }
    return {};
}

} // namespace platform
