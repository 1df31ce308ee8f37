#include "Reference.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace reference {

namespace {

// Gaussian elimination with partial pivoting; the system is small (4 unknowns per interval).
std::vector<double> solve(std::vector<std::vector<double>> a, std::vector<double> b) {
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (a[pivot][col] == 0.0) throw std::runtime_error("singular");
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const double f = a[r][col] / a[col][col];
            for (std::size_t c = col; c < n; ++c)
                a[r][c] -= f * a[col][c];
            b[r] -= f * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t r = n; r-- > 0;) {
        double s = b[r];
        for (std::size_t c = r + 1; c < n; ++c)
            s -= a[r][c] * x[c];
        x[r] = s / a[r][r];
    }
    return x;
}

// The last segment of the polyline that passes t rising (dry side) and falling (wet side); a flat segment
// at t has no single crossing and gives 0.
std::pair<double, double> crossings(const std::vector<double>& x, const std::vector<double>& y, double t) {
    const auto at = [&](std::size_t j) {
        if (y[j] == y[j + 1]) return 0.0;
        return x[j] + (t - y[j]) * (x[j + 1] - x[j]) / (y[j + 1] - y[j]);
    };
    double dry = 0, wet = 0;
    for (std::size_t j = 0; j + 1 < y.size(); ++j)
        if (y[j] <= t && t <= y[j + 1]) dry = at(j);
    for (std::size_t j = 0; j + 1 < y.size(); ++j)
        if (y[j] >= t && t >= y[j + 1]) wet = at(j);
    return {dry, wet};
}

// The first of the highest values and its abscissa.
std::pair<double, double> maximum(const std::vector<double>& x, const std::vector<double>& y) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < y.size(); ++i)
        if (y[i] > y[best]) best = i;
    return {y[best], x[best]};
}

} // namespace

Cubic::Cubic(const std::vector<double>& x, const std::vector<double>& y) : x_(x) {
    const int n = int(x.size()) - 1;
    const int unknowns = 4 * n;
    std::vector<std::vector<double>> a;
    std::vector<double> b;
    const auto row = [&](std::vector<std::pair<int, double>> entries, double rhs) {
        std::vector<double> r(unknowns, 0.0);
        for (auto [k, v] : entries)
            r[k] += v;
        a.push_back(std::move(r));
        b.push_back(rhs);
    };
    for (int i = 0; i < n; ++i) {
        const double h = x[i + 1] - x[i];
        row({{4 * i, 1.0}}, y[i]);
        row({{4 * i, 1.0}, {4 * i + 1, h}, {4 * i + 2, h * h}, {4 * i + 3, h * h * h}}, y[i + 1]);
        if (i + 1 < n) {
            row({{4 * i + 1, 1.0}, {4 * i + 2, 2 * h}, {4 * i + 3, 3 * h * h}, {4 * i + 5, -1.0}}, 0.0);
            row({{4 * i + 2, 2.0}, {4 * i + 3, 6 * h}, {4 * i + 6, -2.0}}, 0.0);
        }
    }
    if (n == 2) {
        row({{3, 1.0}}, 0.0);
        row({{7, 1.0}}, 0.0);
    } else {
        row({{3, 1.0}, {7, -1.0}}, 0.0);
        row({{4 * (n - 2) + 3, 1.0}, {4 * (n - 1) + 3, -1.0}}, 0.0);
    }
    coefficients_ = solve(a, b);
}

double Cubic::operator()(double X) const {
    const int n = int(x_.size()) - 1;
    int i = 0;
    while (i + 1 < n && X >= x_[i + 1])
        ++i;
    const double t = X - x_[i];
    const double* c = &coefficients_[4 * i];
    return ((c[3] * t + c[2]) * t + c[1]) * t + c[0];
}

std::array<double, 72> sampleAbscissae(float first, float last) {
    std::array<double, 72> xs{};
    const float dx = float((double(last) - first) / 70.0);
    float x = first;
    xs[0] = x;
    for (int k = 1; k <= 70; ++k)
        xs[k] = x = float(double(x) + dx);
    xs[71] = last;
    return xs;
}

Results evaluate(const fixture::Record& r) {
    Results res;
    const double share = r.UE / 100.0;
    Points& p = res.points;
    for (const auto& x : r.readings) {
        const double volume = std::numbers::pi / 4.0 * double(r.DC) * r.DC * (double(r.HC) + r.H2S - x.HS);
        double w = 0, dry = 0;
        if (r.KENW) {
            w = (double(x.M1W) - x.M2W) / (double(x.M2W) - x.MCW);
            dry = (double(x.M1) - r.MC) / (1.0 + w) / volume;
        } else {
            const double wetSoil = double(x.M1) - r.MC - x.M1R;
            const double allSoil = double(x.M1) - r.MC - r.MZ; // wet soil in and beside the cylinder
            w = (allSoil - r.MSG) / r.MSG;
            dry = wetSoil / volume / (1.0 + w);
        }
        p.WU.push_back(w);
        p.RHDU.push_back(dry);
        p.W.push_back((1.0 - share) * w + share * r.WUE / 100.0);
        p.RHD.push_back((1.0 - share) * dry + share * 0.9 * r.RHSUE);
    }
    res.RHS = (1.0 - share) * r.RHSU + share * r.RHSUE;
    std::tie(res.RHPR, res.WPR) = maximum(p.W, p.RHD);
    std::tie(res.RHPRU, res.WPRU) = maximum(p.WU, p.RHDU);
    std::tie(res.WUDPR, res.WODPR) = crossings(p.W, p.RHD, r.DPR / 100.0 * res.RHPR);

    const std::size_t n = p.W.size();
    res.curves = n >= 3;
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (!(p.W[i + 1] > p.W[i]) || !(p.WU[i + 1] > p.WU[i])) res.curves = false;
    if (!res.curves) return res;

    const auto sample = [&](const std::vector<double>& x, const std::vector<double>& y,
                            std::array<double, 72>& xs, std::array<double, 72>& ys) {
        const Cubic curve(x, y);
        xs = sampleAbscissae(float(x.front()), float(x.back()));
        for (int k = 0; k < 72; ++k)
            ys[k] = curve(xs[k]);
    };
    sample(p.W, p.RHD, res.XK, res.YK);
    sample(p.WU, p.RHDU, res.XU, res.YU);
    const std::vector<double> xk(res.XK.begin(), res.XK.end()), yk(res.YK.begin(), res.YK.end());
    res.RHPRSP = maximum(xk, yk).first;
    res.RHPRUSP = *std::max_element(res.YU.begin(), res.YU.end());
    std::tie(res.WUDPRSP, res.WODPRSP) = crossings(xk, yk, r.DPR / 100.0 * res.RHPRSP);
    return res;
}

} // namespace reference
