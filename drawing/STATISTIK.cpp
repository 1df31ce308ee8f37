#include "STATISTIK.h"

#include <cmath>
#include <limits>

namespace drawing {

namespace {
// The value as a Single, or nothing when a Single cannot hold it.
std::optional<float> asSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max())) return {};
    return float(value);
}
} // namespace

Statistik STATISTIK(const std::vector<float>& X) {
    Statistik out;
    const std::size_t n = X.size();
    if (n == 0) return out;
    double sum = 0;
    for (float x : X)
        sum += x;
    const double mean = sum / double(n);
    out.MW = asSingle(mean);
    if (n < 2) return out;
    double squares = 0;
    for (float x : X)
        squares += (x - mean) * (x - mean);
    const double sd = std::sqrt(squares / double(n - 1));
    out.SD = asSingle(sd);
    if (out.MW && *out.MW != 0.0f) out.VK = asSingle(sd / mean);
    return out;
}

Statistik STATISTIKVOLLSTAENDIG(const std::vector<float>& X) {
    for (float x : X)
        if (x == 0.0f) return {};
    return STATISTIK(X);
}

} // namespace drawing
