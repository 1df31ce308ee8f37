#pragma once

#include "Variant.h"

#include <QString>

namespace platform {

// Format(value, pattern): writes a value with a pattern of placeholders.
// Numbers: "0" a digit always written, "#" a digit written only when significant, "." the decimal sign
// (written as the locale's), "," between digit placeholders groups thousands, "%" multiplies by 100,
// "E+0"/"E-0" scientific; other characters are copied, "\x" and "..." literally; up to three sections
// "positive;negative;zero". A value exactly half way between two results rounds away from zero; Singles
// are formatted from their shortest decimal text, Doubles from their exact binary value.
// Dates and times: d dd m mm yy yyyy h hh n nn s ss (m and mm after h are minutes).
// Texts that are no number, Empty ("" ) and Null ("") pass unchanged.
QString Format(const Variant& value, const QString& pattern);

// The same with an explicit decimal sign instead of the locale's.
QString Format(const Variant& value, const QString& pattern, const QString& decimalSign);

} // namespace platform
