#pragma once

#include "Variant.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// Conversions between the value types, with the program's rules:
// - to whole numbers the nearest value is taken, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
//   a value outside the type's range raises overflow (6), a value that is no number type mismatch (13);
// - texts are read and written with the locale's decimal sign (SystemLocale), without grouping;
// - True converts to -1, any non-zero number to True;
// - Null raises "invalid use of Null" (94), Empty counts as 0 or "".
std::int16_t CInt(const Variant& v);
std::int32_t CLng(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
bool CBool(const Variant& v);
QString CStr(const Variant& v);
// A date value (days since 30 December 1899).
double CDate(const Variant& v);

// The text of a Single: the shortest text of at most 7 significant digits that reads back as the same Single.
QString SingleText(float value, const QString& decimalSign);
// The same digits as a user types them: never with an exponent (0,00001 rather than 1E-05), so that a value
// read back into a box passes the check of typed numbers.
QString TypedSingleText(float value, const QString& decimalSign);
// The text of a Double: the shortest text of at most 15 significant digits that reads back as the same Double.
QString DoubleText(double value, const QString& decimalSign);

// Reads a number as the conversions do: blanks around, an optional sign, digits with at most one decimal
// sign, and an optional exponent (E+05). Thousands separators are refused. Empty: not a number.
std::optional<double> ReadNumber(const QString& text, const QString& decimalSign);

// Reads a number typed by a user: as ReadNumber, but without an exponent.
std::optional<double> ReadTypedNumber(const QString& text, const QString& decimalSign);

// A number typed by a user, read as ReadTypedNumber does and checked against a range: from min to max, or
// from min upwards when there is no max. Without a value, problem tells the user in the locale's language
// what is wrong and what to type instead: the other decimal sign (naming the one to use), thousands
// separators, an exponent, no number at all, or a number outside the range (naming the range). A dialog
// adds it to its own message.
struct TypedNumber {
    std::optional<double> value;
    QString problem;
};
TypedNumber ReadTypedNumberInRange(const QString& text, const QString& decimalSign, double min,
                                   std::optional<double> max = std::nullopt);

// The nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);
// Round(value, places): to the given number of decimal places, halves to the even neighbour.
double Round(double value, int places = 0);

} // namespace platform
