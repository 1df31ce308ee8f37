#pragma once

#include <array>
#include <cstdint>
#include <span>

// The interpolating cubic spline of the compaction curve: not-a-knot ends, one parabola through exactly
// three points, sampled at 72 abscissae. All values are single precision; expressions are evaluated in
// double and rounded when stored. Needs no window: the record pages forward their APPCRV and SPLVAL here.
class clsSPLINE {
public:
    // The number of curve samples, and of entries of every working list.
    static constexpr int NSP = 72;
    using Curve = std::array<float, NSP>;

    // The value last computed by SPLVAL; 0 on a new object. A failing SPLVAL leaves it unchanged.
    float SPLWERT = 0.0f;

    // Fits the spline through the points (X(i), Y(i)), i = 0 .. N-1 with N = the size of X, and samples
    // it: XSP(0) = X(0), then 70 equal steps accumulated to X(N-1), and XSP(71) = X(N-1) once more.
    // A failure of the fit or of a sample asks "Fehler bei SPLINE: Error" once per call: Cancel returns
    // False at once (the curve filled as far as it got), OK goes on with what the fit computed.
    // More than 72 points, no point, or a Y shorter than X raise "subscript out of range" (9).
    bool APPCRV(std::span<const float> X, std::span<const float> Y, Curve& XSP, Curve& YSP);

    // The spline's value at X0 into SPLWERT. N intervals over the abscissae X(0..N), coefficients of the
    // intervals 0 .. N-1 in A, B, C, D. Codes: 0 done; 1 N outside 2 to 80; 2 X0 outside X(0)..X(N) when
    // all three are rounded to two decimal places.
    std::uint8_t SPLVAL(float X0, int N, std::span<const float> X, std::span<const float> A,
                        std::span<const float> B, std::span<const float> C, std::span<const float> D);

private:
    friend struct SplineProbe; // lets the tests look at the coefficients of one fit

    // The code SPLINE gives when the first interval is not positive (minus the interval's number would
    // read as success there).
    static constexpr int FIRST_INTERVAL_NOT_POSITIVE = 5;

    // Fills b, c, d (c also at n) of the not-a-knot spline through x(0..n), y(0..n). Codes: 0 done;
    // 1 n outside 2 to 80; 2 end-condition type above 3; -i the width of interval i is not positive;
    // 3 and 4 the solver's codes plus 2.
    static int SPLINE(int n, std::span<const float> x, std::span<const float> y, int type, std::span<float> b,
                      std::span<float> c, std::span<float> d);
    // Solves the tridiagonal system l(i) z(i-1) + d(i) z(i) + u(i) z(i+1) = r(i), i = 0 .. n-1, into r.
    // Mode 0 factorises l and d in place first; any other mode reuses an earlier factorisation.
    // Codes: 0 solved; 1 n outside 2 to 80; 2 a pivot too small.
    static std::uint8_t TRIDIAG(int mode, int n, std::span<float> l, std::span<float> d,
                                std::span<const float> u, std::span<float> r);
};
