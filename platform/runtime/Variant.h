#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace platform {

// The value types a Variant can hold.
enum class VarType { Empty, Null, Boolean, Integer, Long, Single, Double, String, Date };

// A value of any of the program's scalar types, with Empty (never assigned) and Null (no data).
// Conversions between the types follow the rules of Convert.h.
class Variant {
public:
    Variant() = default;
    Variant(bool v) : value_(v) {}
    Variant(std::int16_t v) : value_(v) {}
    Variant(std::int32_t v) : value_(v) {}
    Variant(float v) : value_(v) {}
    Variant(double v) : value_(v) {}
    Variant(const QString& v) : value_(v) {}
    Variant(const char* v) : value_(QString::fromUtf8(v)) {}

    static Variant null();
    // A date as days since 30 December 1899, the fraction being the time of day.
    static Variant date(double days);

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isString() const { return type() == VarType::String; }
    bool isNumeric() const; // Boolean, Integer, Long, Single, Double or Date

    // Direct access to the held value; the caller knows the type (see Convert.h for conversions).
    bool asBool() const { return std::get<bool>(value_); }
    std::int16_t asInteger() const { return std::get<std::int16_t>(value_); }
    std::int32_t asLong() const { return std::get<std::int32_t>(value_); }
    float asSingle() const { return std::get<float>(value_); }
    double asDouble() const { return std::get<double>(value_); }
    const QString& asString() const { return std::get<QString>(value_); }
    double asDate() const { return std::get<DateValue>(value_).days; }

    // The numeric value for any numeric type (True is -1); throws type mismatch otherwise.
    double number() const;

    // Same type and same value.
    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

    // A readable form for test output and logs, e.g. Single(1.8), String("abc"), Null.
    QString debugText() const;

private:
    struct NullValue {
        bool operator==(const NullValue&) const { return true; }
    };
    struct DateValue {
        double days;
        bool operator==(const DateValue& o) const { return days == o.days; }
    };
    std::variant<std::monostate, NullValue, bool, std::int16_t, std::int32_t, float, double, QString, DateValue> value_;
};

} // namespace platform
