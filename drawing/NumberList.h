#pragma once

#include <optional>
#include <vector>

namespace drawing {

// A list setting of the diagram object (admissible bounds, spans, counts): either no list at all
// (std::nullopt) or an array of numbers, which may be empty.
using NumberList = std::optional<std::vector<double>>;

// An array of Singles with its lower bound, as the data series take it: elements below 0 are not part of
// the series, an element at -1 is a base point.
struct SingleArray {
    std::vector<float> values;
    int lower = 0;

    SingleArray() = default;
    SingleArray(std::vector<float> v, int lowerBound = 0) : values(std::move(v)), lower(lowerBound) {}
    int LBound() const { return lower; }
    int UBound() const { return lower + int(values.size()) - 1; }
    // Element i; raises "subscript out of range" (9) outside the bounds.
    float& operator()(int i);
    float operator()(int i) const;
};

} // namespace drawing
