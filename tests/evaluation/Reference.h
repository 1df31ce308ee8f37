#pragma once

#include "RecordFixture.h"

#include <array>
#include <vector>

// The evaluation worked out independently in double precision, to compare the stored results with.
namespace reference {

struct Points {
    std::vector<double> WU, RHDU, W, RHD;
};

struct Results {
    Points points;
    double RHPR = 0, WPR = 0, RHPRU = 0, WPRU = 0, WUDPR = 0, WODPR = 0, RHS = 0;
    bool curves = false; // three or more readings in rising water content
    // The curve through the corrected (K) and the uncorrected (U) points at the 72 sample abscissae.
    std::array<double, 72> XK{}, YK{}, XU{}, YU{};
    double RHPRSP = 0, RHPRUSP = 0, WUDPRSP = 0, WODPRSP = 0;
};

// Straight from the physics: V = π/4 d² (hc + h'' - h'), w = water over dry mass, ρd = dry mass over V,
// the oversize share counted with its water content and 0.9 times its grain density.
Results evaluate(const fixture::Record& record);

// The interpolating cubic with not-a-knot ends through (x, y), from the full system of interpolation,
// continuity and end conditions; through three points the parabola. Evaluated at X.
class Cubic {
public:
    Cubic(const std::vector<double>& x, const std::vector<double>& y);
    double operator()(double X) const;
    // The third derivative on interval i.
    double third(int i) const { return 6.0 * coefficients_[4 * i + 3]; }

private:
    std::vector<double> x_, coefficients_; // a, b, c, d per interval
};

// The 72 sample abscissae of a fitted curve: 70 equal steps accumulated in single precision, then the last.
std::array<double, 72> sampleAbscissae(float first, float last);

} // namespace reference
