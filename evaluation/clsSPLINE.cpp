#include "clsSPLINE.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr int MAX_INTERVALS = 80;
// The smallest pivot the solver accepts, as the single-precision constant it always was.
constexpr float MIN_PIVOT = 2.204E-17f;

using Work = clsSPLINE::Curve;

// The one message of a failing fit; true when the user chose OK.
bool askGoOn() {
    const int answer = platform::RunState::current().dialogs().MsgBox(
        QStringLiteral("Fehler bei SPLINE: Error"), platform::Msg::OKCancel, platform::RunState::TITLE());
    return answer == platform::Msg::OK;
}

void requireEntries(std::span<const float> list, std::size_t count) {
    if (list.size() < count) throw platform::VbError::subscriptOutOfRange();
}

} // namespace

bool clsSPLINE::APPCRV(std::span<const float> X, std::span<const float> Y, Curve& XSP, Curve& YSP) {
    const int N = int(X.size());
    if (N == 0 || N > NSP) throw platform::VbError::subscriptOutOfRange();
    requireEntries(Y, X.size());

    Work x{}, y{}, a{}, b{}, c{}, d{};
    for (int i = 0; i < N; ++i) {
        x[i] = X[i];
        y[i] = Y[i];
    }
    const int code = SPLINE(N - 1, x, y, 0, b, c, d);
    for (int i = 0; i <= N - 2; ++i)
        a[i] = y[i];

    // One message per fit: after OK a failed fit samples silently what it has.
    bool asked = false;
    const auto failed = [&asked] {
        if (asked) return false;
        asked = true;
        return !askGoOn();
    };
    if (code != 0 && failed()) return false;

    const float dx = float((double(X[N - 1]) - double(X[0])) / 70.0);
    XSP[0] = X[0];
    for (int k = 1; k <= 70; ++k)
        XSP[k] = float(double(XSP[k - 1]) + double(dx));
    XSP[71] = X[N - 1];

    for (int k = 0; k < NSP; ++k) {
        if (SPLVAL(XSP[k], N - 1, x, a, b, c, d) != 0 && failed()) return false;
        YSP[k] = SPLWERT;
    }
    return true;
}

std::uint8_t clsSPLINE::SPLVAL(float X0, int N, std::span<const float> X, std::span<const float> A,
                               std::span<const float> B, std::span<const float> C, std::span<const float> D) {
    if (N < 2 || N > MAX_INTERVALS) return 1;
    requireEntries(X, std::size_t(N) + 1);
    for (auto list : {A, B, C, D})
        requireEntries(list, std::size_t(N));

    // The range test is taken on values rounded to two decimal places. Rounding never changes the order of
    // two values, so an X0 inside X(0)..X(N) passes it anyway and only one outside needs rounding.
    if (!(X0 >= X[0] && X0 <= X[N])) {
        const double x0 = platform::Round(X0, 2);
        if (x0 < platform::Round(X[0], 2) || x0 > platform::Round(X[N], 2)) return 2;
    }

    int lo = 0, hi = N;
    for (;;) {
        const int mid = (lo + hi) / 2;
        if (mid == lo) break;
        if (X0 >= X[mid])
            lo = mid;
        else
            hi = mid;
    }
    const float t = float(double(X0) - double(X[lo]));
    SPLWERT = float(((double(D[lo]) * t + C[lo]) * t + B[lo]) * t + A[lo]);
    return 0;
}

int clsSPLINE::SPLINE(int n, std::span<const float> x, std::span<const float> y, int type, std::span<float> b,
                      std::span<float> c, std::span<float> d) {
    if (n < 2 || n > MAX_INTERVALS) return 1;
    Work h{}, r{};

    for (int i = 0; i <= n - 1; ++i) {
        h[i] = float(double(x[i + 1]) - double(x[i]));
        if (!(h[i] > 0.0f)) return i == 0 ? FIRST_INTERVAL_NOT_POSITIVE : -i;
    }
    // Row i solves for c(i+1): b the sub-diagonal, c the super-diagonal, d the diagonal.
    for (int i = 0; i <= n - 2; ++i) {
        r[i] = float(3.0 * ((double(y[i + 2]) - y[i + 1]) / h[i + 1] - (double(y[i + 1]) - y[i]) / h[i]));
        b[i] = h[i];
        c[i] = h[i + 1];
        d[i] = float(2.0 * (double(h[i]) + h[i + 1]));
    }
    if (type > 3) return 2;

    if (n == 2) {
        // Three points: one row, and the parabola has the same c everywhere.
        r[0] = float(double(r[0]) / 3.0);
        d[0] = float(double(d[0]) * 0.5);
        c[1] = float(double(r[0]) / d[0]);
    } else {
        // Not-a-knot: the third derivative does not jump at the second and at the last but one knot.
        r[0] = float(double(r[0]) * h[1] / (double(h[0]) + h[1]));
        r[n - 2] = float(double(r[n - 2]) * h[n - 2] / (double(h[n - 1]) + h[n - 2]));
        d[0] = float(double(d[0]) - h[0]);
        d[n - 2] = float(double(d[n - 2]) - h[n - 1]);
        c[0] = float(double(c[0]) - h[0]);
        b[n - 2] = float(double(b[n - 2]) - h[n - 1]);
        const std::uint8_t e = TRIDIAG(0, n - 1, b, d, c, r);
        if (e != 0) return e + 2;
        for (int i = 0; i <= n - 2; ++i)
            c[i + 1] = r[i];
    }

    if (n == 2) {
        c[2] = c[1];
        c[0] = c[1];
    } else {
        c[0] = float(double(c[1]) + (double(c[1]) - c[2]) * h[0] / h[1]);
        c[n] = float(double(c[n - 1]) + (double(c[n - 1]) - c[n - 2]) * h[n - 1] / h[n - 2]);
    }
    for (int i = 0; i <= n - 1; ++i) {
        b[i] = float((double(y[i + 1]) - y[i]) / h[i] - (2.0 * c[i] + c[i + 1]) * h[i] / 3.0);
        d[i] = float((double(c[i + 1]) - c[i]) / (3.0 * h[i]));
    }
    return 0;
}

std::uint8_t clsSPLINE::TRIDIAG(int mode, int n, std::span<float> l, std::span<float> d,
                                std::span<const float> u, std::span<float> r) {
    if (n < 2 || n > MAX_INTERVALS) return 1;
    if (mode == 0) {
        for (int i = 1; i <= n - 1; ++i) {
            if (std::fabs(d[i - 1]) < MIN_PIVOT) return 2;
            l[i] = float(double(l[i]) / d[i - 1]);
            d[i] = float(double(d[i]) - double(l[i]) * u[i - 1]);
        }
        if (std::fabs(d[n - 1]) < MIN_PIVOT) return 2;
    }
    for (int i = 1; i <= n - 1; ++i)
        r[i] = float(double(r[i]) - double(l[i]) * r[i - 1]);
    r[n - 1] = float(double(r[n - 1]) / d[n - 1]);
    for (int i = n - 2; i >= 0; --i) {
        if (d[i] != 0.0f) r[i] = float((double(r[i]) - double(u[i]) * r[i + 1]) / d[i]);
    }
    return 0;
}
