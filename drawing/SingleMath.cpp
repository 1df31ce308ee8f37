#include "SingleMath.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"

#include <cmath>
#include <limits>

namespace drawing {

using platform::VbError;

float& SingleArray::operator()(int i) {
    if (i < lower || i > UBound()) throw VbError::subscriptOutOfRange();
    return values[std::size_t(i - lower)];
}

float SingleArray::operator()(int i) const {
    if (i < lower || i > UBound()) throw VbError::subscriptOutOfRange();
    return values[std::size_t(i - lower)];
}

float single(double value) {
    if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw VbError::overflow();
    return float(value);
}

float divide(double a, double b) {
    if (b == 0.0) throw VbError::divisionByZero();
    return single(a / b);
}

float LOG10(float x) {
    return x > 0 ? float(std::log10(double(x))) : 0.0f;
}

double entry(const NumberList& list, int i) {
    if (!list || i < 0 || i >= int(list->size())) throw VbError::subscriptOutOfRange();
    return (*list)[std::size_t(i)];
}

int upperBound(const NumberList& list) {
    if (!list) throw VbError::typeMismatch();
    return int(list->size()) - 1;
}

std::int16_t integerEntry(const NumberList& list, int i) {
    return platform::CInt(platform::Variant(entry(list, i)));
}

} // namespace drawing
