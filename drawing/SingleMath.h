#pragma once

#include "NumberList.h"

#include <cstdint>

namespace drawing {

// Single-precision arithmetic that fails as the program's runtime does instead of giving inf or NaN.

// The value as a Single; raises overflow (6) beyond the Single range or for a value that is no number.
float single(double value);
// a / b as a Single; raises division by zero (11) when b is 0.
float divide(double a, double b);
// The decimal logarithm of x for x > 0, and 0 for x <= 0 (never an error).
float LOG10(float x);
// Entry i of a list; raises "subscript out of range" (9) when the list holds no array or has no entry i.
double entry(const NumberList& list, int i);
// The highest index of a list (-1 when empty); raises type mismatch (13) when it holds no array.
int upperBound(const NumberList& list);
// Entry i as a 16-bit integer (halves to the even neighbour).
std::int16_t integerEntry(const NumberList& list, int i);

} // namespace drawing
