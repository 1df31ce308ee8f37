#pragma once

#include <optional>
#include <vector>

namespace drawing {

// Mean, sample standard deviation and coefficient of variation of a list of values, each stored as a
// Single. A figure that does not exist for the list is std::nullopt: the mean of no values, the standard
// deviation of fewer than two values, the coefficient of a list whose mean is 0 (or whose deviation is
// undefined). Tables show such a figure as "-".
struct Statistik {
    std::optional<float> MW; // mean
    std::optional<float> SD; // sample standard deviation (divisor n - 1)
    std::optional<float> VK; // SD / MW as a fraction, not in percent
};

// Works in double precision and in two passes (the mean first, then the squared deviations from it), so
// that tightly clustered values keep their spread; never raises.
Statistik STATISTIK(const std::vector<float>& X);

// The statistics of a list of several records' results where 0 stands for a missing value (no result row,
// Null or 0): a list with a missing value has no figures at all, so that no mean counts a record that has
// none. Tables and summaries of the results share this rule.
Statistik STATISTIKVOLLSTAENDIG(const std::vector<float>& X);

} // namespace drawing
