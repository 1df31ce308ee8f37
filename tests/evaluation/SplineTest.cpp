#include "clsSPLINE.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"
#include "TestRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using platform::Msg::Cancel;
using platform::Msg::OK;

// Fits without sampling, so that the tests can look at the coefficients.
struct SplineProbe {
    int code = 0;
    clsSPLINE::Curve a{}, b{}, c{}, d{};
    std::vector<float> x, y;

    SplineProbe(std::vector<float> xs, std::vector<float> ys) : x(std::move(xs)), y(std::move(ys)) {
        clsSPLINE::Curve wx{}, wy{};
        std::copy(x.begin(), x.end(), wx.begin());
        std::copy(y.begin(), y.end(), wy.begin());
        code = clsSPLINE::SPLINE(int(x.size()) - 1, wx, wy, 0, b, c, d);
        for (std::size_t i = 0; i + 1 < y.size(); ++i)
            a[i] = y[i];
    }
    int n() const { return int(x.size()) - 1; }
    // The spline's value at X0 through SPLVAL; NaN when it refuses.
    float value(float X0) const {
        clsSPLINE s;
        clsSPLINE::Curve wx{};
        std::copy(x.begin(), x.end(), wx.begin());
        return s.SPLVAL(X0, n(), wx, a, b, c, d) == 0 ? s.SPLWERT : std::nanf("");
    }
    static std::uint8_t tridiag(int mode, int n, std::vector<float>& l, std::vector<float>& d,
                                const std::vector<float>& u, std::vector<float>& r) {
        return clsSPLINE::TRIDIAG(mode, n, l, d, u, r);
    }
    // The end of interval i as its own cubic gives it.
    double endOfInterval(int i) const {
        const double h = double(x[i + 1]) - x[i];
        return ((double(d[i]) * h + c[i]) * h + b[i]) * h + a[i];
    }
};

namespace {

testsupport::TestRun::Options noDatabase() {
    return {QStringLiteral("de"), QStringLiteral(","), false};
}

struct Fit {
    bool ok = false;
    clsSPLINE::Curve XSP{}, YSP{};
};

Fit appcrv(clsSPLINE& s, const std::vector<float>& x, const std::vector<float>& y) {
    Fit f;
    f.ok = s.APPCRV(x, y, f.XSP, f.YSP);
    return f;
}

double polynomial(const std::vector<double>& coefficients, double x) {
    double v = 0;
    for (auto it = coefficients.rbegin(); it != coefficients.rend(); ++it)
        v = v * x + *it;
    return v;
}

TEST(Spline, ThreePointsGiveTheParabolaThroughThem) {
    testsupport::TestRun run(noDatabase());
    const std::vector<float> x{0.10f, 0.14f, 0.18f}, y{1.80f, 1.90f, 1.85f};
    clsSPLINE s;
    const Fit f = appcrv(s, x, y);
    ASSERT_TRUE(f.ok);
    EXPECT_TRUE(run.dialogs().asked().empty());
    EXPECT_EQ(f.XSP[0], 0.10f);
    EXPECT_EQ(f.XSP[71], 0.18f);
    EXPECT_NEAR(f.YSP[0], 1.80, 1e-5);
    EXPECT_NEAR(f.YSP[71], 1.85, 1e-5);
    // The parabola in Lagrange form, in double precision.
    const auto parabola = [&](double w) {
        double v = 0;
        for (int i = 0; i < 3; ++i) {
            double l = y[i];
            for (int j = 0; j < 3; ++j)
                if (j != i) l *= (w - x[j]) / (double(x[i]) - x[j]);
            v += l;
        }
        return v;
    };
    for (int k = 0; k < clsSPLINE::NSP; ++k)
        EXPECT_NEAR(f.YSP[k], parabola(f.XSP[k]), 2e-5) << "sample " << k;
    // Its top: 1.90 - (1.85 - 1.80)^2 / (8 * (1.85 - 2 * 1.90 + 1.80)) = 1.9020833 at w = 0.14667.
    const auto top = std::max_element(f.YSP.begin(), f.YSP.end());
    EXPECT_NEAR(*top, 1.9020833, 2e-5);
    EXPECT_NEAR(f.XSP[top - f.YSP.begin()], 0.146667, 0.0006);

    const SplineProbe p(x, y);
    EXPECT_EQ(p.code, 0);
    EXPECT_EQ(p.d[0], 0.0f);
    EXPECT_EQ(p.d[1], 0.0f);
    EXPECT_NEAR(p.c[0], -46.875, 1e-3); // the parabola's leading coefficient
}

struct CubicCase {
    const char* name;
    std::vector<double> coefficients; // y = c0 + c1 x + c2 x^2 + c3 x^3
    std::vector<float> x;
};

TEST(Spline, ACubicIsReproducedExactly) {
    testsupport::TestRun run(noDatabase());
    const CubicCase cases[] = {
        {"four points", {1.2, 40.0, -300.0, 500.0}, {0.08f, 0.11f, 0.15f, 0.20f}},
        {"six uneven points", {1.5, 12.0, -40.0, -30.0}, {0.06f, 0.09f, 0.10f, 0.14f, 0.19f, 0.21f}},
        {"six points in percent", {1.9, 0.02, -0.001, 0.00001}, {8.1f, 9.9f, 12.0f, 14.3f, 16.1f, 18.2f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> y;
        for (float xi : c.x)
            y.push_back(float(polynomial(c.coefficients, xi)));
        clsSPLINE s;
        const Fit f = appcrv(s, c.x, y);
        ASSERT_TRUE(f.ok);
        for (int k = 0; k < clsSPLINE::NSP; ++k)
            EXPECT_NEAR(f.YSP[k], polynomial(c.coefficients, f.XSP[k]), 2e-5) << "sample " << k;
        const SplineProbe p(c.x, y);
        ASSERT_EQ(p.code, 0);
        for (int i = 0; i < p.n(); ++i)
            EXPECT_NEAR(p.d[i], c.coefficients[3], 1e-3 * std::fabs(c.coefficients[3]));
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

struct CurveCase {
    const char* name;
    std::vector<float> x, y;
};

// Realistic compaction points: water content (fraction) and dry density.
const std::vector<CurveCase>& curves() {
    static const std::vector<CurveCase> cases = {
        {"four points", {0.081f, 0.099f, 0.120f, 0.143f}, {1.5244f, 1.6960f, 1.8964f, 1.8304f}},
        {"five points",
         {0.128f, 0.145f, 0.156f, 0.168f, 0.192f},
         {1.7819f, 1.8271f, 1.8287f, 1.7979f, 1.7240f}},
        {"six points",
         {0.081f, 0.099f, 0.120f, 0.143f, 0.161f, 0.182f},
         {1.5294f, 1.7520f, 1.8786f, 1.8985f, 1.8481f, 1.7701f}},
        {"seven uneven points",
         {0.050f, 0.052f, 0.070f, 0.090f, 0.091f, 0.130f, 0.200f},
         {1.60f, 1.62f, 1.75f, 1.86f, 1.87f, 1.80f, 1.55f}},
    };
    return cases;
}

TEST(Spline, TheCurvePassesThroughEveryKnotAndIsContinuous) {
    testsupport::TestRun run(noDatabase());
    for (const auto& c : curves()) {
        SCOPED_TRACE(c.name);
        const SplineProbe p(c.x, c.y);
        ASSERT_EQ(p.code, 0);
        for (std::size_t i = 0; i < c.x.size(); ++i)
            EXPECT_NEAR(p.value(c.x[i]), c.y[i], 2e-6) << "knot " << i;
        for (int i = 0; i < p.n(); ++i)
            EXPECT_NEAR(p.endOfInterval(i), c.y[i + 1], 2e-5) << "interval " << i;
        // Continuous slope and curvature at the inner knots.
        for (int i = 1; i < p.n(); ++i) {
            const double h = double(c.x[i]) - c.x[i - 1];
            const double slope = p.b[i - 1] + 2.0 * p.c[i - 1] * h + 3.0 * p.d[i - 1] * h * h;
            EXPECT_NEAR(slope, p.b[i], 1e-3 * (1 + std::fabs(p.b[i]))) << "knot " << i;
            EXPECT_NEAR(p.c[i - 1] + 3.0 * p.d[i - 1] * h, p.c[i], 1e-3 * (1 + std::fabs(p.c[i])))
                << "knot " << i;
        }
    }
}

TEST(Spline, NotAKnotEndsKeepTheThirdDerivativeOnTheFirstTwoAndLastTwoIntervals) {
    testsupport::TestRun run(noDatabase());
    for (const auto& c : curves()) {
        SCOPED_TRACE(c.name);
        const SplineProbe p(c.x, c.y);
        ASSERT_EQ(p.code, 0);
        const int n = p.n();
        const double scale = std::max({std::fabs(p.d[0]), std::fabs(p.d[n - 1]), 1.0f});
        EXPECT_NEAR(p.d[0], p.d[1], 1e-4 * scale);
        EXPECT_NEAR(p.d[n - 2], p.d[n - 1], 1e-4 * scale);
        // Not trivially so: the inner intervals of a longer curve have other third derivatives.
        if (n >= 4) {
            EXPECT_GT(std::fabs(double(p.d[1]) - p.d[2]), 1e-2 * scale);
        }
    }
}

TEST(Spline, SamplesAccumulateSeventyEqualStepsAndEndOnTheLastAbscissa) {
    testsupport::TestRun run(noDatabase());
    for (const auto& c : curves()) {
        SCOPED_TRACE(c.name);
        clsSPLINE s;
        const Fit f = appcrv(s, c.x, c.y);
        ASSERT_TRUE(f.ok);
        const float dx = (c.x.back() - c.x.front()) / 70.0f;
        EXPECT_EQ(f.XSP[0], c.x.front());
        for (int k = 1; k <= 70; ++k)
            EXPECT_EQ(f.XSP[k], f.XSP[k - 1] + dx) << "sample " << k;
        EXPECT_EQ(f.XSP[71], c.x.back());
        EXPECT_NEAR(f.XSP[70], c.x.back(), 1e-6);
        EXPECT_NEAR(f.YSP[70], f.YSP[71], 1e-5);
        EXPECT_NEAR(f.YSP[0], c.y.front(), 2e-6);
        EXPECT_NEAR(f.YSP[71], c.y.back(), 2e-6);
    }
}

TEST(Spline, SeventyTwoPointsFitAndASeventyThirdOrAShortOrdinateListIsOutOfRange) {
    testsupport::TestRun run(noDatabase());
    std::vector<float> x, y;
    for (int i = 0; i < 73; ++i) {
        x.push_back(0.05f + 0.002f * float(i));
        y.push_back(float(1.9 - 40.0 * std::pow(x.back() - 0.12, 2)));
    }
    clsSPLINE s;
    Fit f;
    EXPECT_TRUE(s.APPCRV(std::span(x).first(72), std::span(y).first(72), f.XSP, f.YSP));
    EXPECT_NEAR(*std::max_element(f.YSP.begin(), f.YSP.end()), 1.9, 1e-4);

    const std::function<void()> refused[] = {
        [&] { s.APPCRV(x, y, f.XSP, f.YSP); },
        [&] { s.APPCRV(std::span(x).first(5), std::span(y).first(4), f.XSP, f.YSP); },
        [&] { s.APPCRV({}, {}, f.XSP, f.YSP); },
    };
    for (const auto& call : refused) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const platform::VbError& e) {
            EXPECT_EQ(e.Number(), platform::VbError::SubscriptOutOfRange);
        }
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

struct FailCase {
    const char* name;
    std::vector<float> x, y;
};

TEST(Spline, AFailingFitAsksOnceAndCancelStopsAtOnce) {
    const FailCase cases[] = {
        {"repeated water content", {0.10f, 0.12f, 0.12f, 0.16f}, {1.70f, 1.80f, 1.82f, 1.75f}},
        {"first interval falls", {0.12f, 0.10f, 0.14f, 0.16f}, {1.80f, 1.70f, 1.82f, 1.75f}},
        {"later interval falls", {0.10f, 0.12f, 0.16f, 0.14f}, {1.70f, 1.80f, 1.75f, 1.82f}},
        {"two points", {0.10f, 0.14f}, {1.70f, 1.80f}},
        {"one point", {0.10f}, {1.70f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            testsupport::TestRun run(noDatabase());
            run.dialogs().answerAllMessages(OK);
            clsSPLINE s;
            const Fit f = appcrv(s, c.x, c.y);
            EXPECT_TRUE(f.ok);
            ASSERT_EQ(run.dialogs().asked().size(), 1u);
            const auto& box = run.dialogs().asked()[0];
            EXPECT_EQ(box.prompt, QStringLiteral("Fehler bei SPLINE: Error"));
            EXPECT_EQ(box.style, platform::Msg::OKCancel);
            EXPECT_EQ(box.title, QStringLiteral("TAMBRIN"));
        }
        {
            testsupport::TestRun run(noDatabase());
            run.dialogs().answer(Cancel);
            clsSPLINE s;
            Fit f;
            f.XSP.fill(-1.0f);
            f.YSP.fill(-1.0f);
            EXPECT_FALSE(s.APPCRV(c.x, c.y, f.XSP, f.YSP));
            EXPECT_EQ(run.dialogs().asked().size(), 1u);
            EXPECT_EQ(f.XSP[0], -1.0f);
            EXPECT_EQ(f.YSP[0], -1.0f);
        }
    }
}

TEST(Spline, AfterOkAFailedFitGivesAStepCurveAndFailedSamplesRepeatTheLastValue) {
    testsupport::TestRun run(noDatabase());
    run.dialogs().answerAllMessages(OK);
    // Out of order: b, c and d stay zero, so every sample takes the ordinate where the search lands.
    const std::vector<float> x{0.10f, 0.12f, 0.16f, 0.14f}, y{1.70f, 1.80f, 1.75f, 1.82f};
    clsSPLINE s;
    const Fit f = appcrv(s, x, y);
    ASSERT_TRUE(f.ok);
    for (int k = 0; k < clsSPLINE::NSP; ++k)
        EXPECT_TRUE(f.YSP[k] == 1.70f || f.YSP[k] == 1.80f || f.YSP[k] == 1.75f) << "sample " << k;
    EXPECT_EQ(f.YSP[0], 1.70f);

    // Falling abscissae: every sample lies outside the range from X(0) to X(N) and fails, so the curve
    // repeats what the object computed last: 0 on a new object, the last value of an earlier fit otherwise.
    const std::vector<float> falling{0.20f, 0.25f, 0.10f}, fy{1.7f, 1.8f, 1.6f};
    clsSPLINE fresh;
    const Fit g = appcrv(fresh, falling, fy);
    EXPECT_TRUE(g.ok);
    for (float v : g.YSP)
        EXPECT_EQ(v, 0.0f);
    const Fit h = appcrv(s, falling, fy);
    for (float v : h.YSP)
        EXPECT_EQ(v, f.YSP[71]);
    EXPECT_EQ(run.dialogs().asked().size(), 3u); // one per fit
}

struct ValueCase {
    const char* name;
    float X0;
    int N;
    int code;
};

TEST(Spline, SplvalCodesAndTheTwoDecimalRange) {
    testsupport::TestRun run(noDatabase());
    const SplineProbe p({0.101f, 0.14f, 0.18f, 0.224f}, {1.80f, 1.90f, 1.86f, 1.70f});
    ASSERT_EQ(p.code, 0);
    const ValueCase cases[] = {
        {"first knot", 0.101f, 3, 0},
        {"inside", 0.15f, 3, 0},
        {"last knot", 0.224f, 3, 0},
        {"below but rounds to the first", 0.0951f, 3, 0},
        {"beyond but rounds to the last", 0.2249f, 3, 0},
        {"below the rounded range", 0.094f, 3, 2},
        {"beyond the rounded range", 0.226f, 3, 2},
        {"one interval", 0.15f, 1, 1},
        {"eighty-one intervals", 0.15f, 81, 1},
    };
    clsSPLINE::Curve wx{};
    std::copy(p.x.begin(), p.x.end(), wx.begin());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsSPLINE s;
        s.SPLWERT = -7.0f;
        EXPECT_EQ(s.SPLVAL(c.X0, c.N, wx, p.a, p.b, p.c, p.d), c.code);
        if (c.code != 0) {
            EXPECT_EQ(s.SPLWERT, -7.0f);
            continue;
        }
        // Inside and beyond the ends the value is the cubic of the interval the search lands on.
        const int i = c.X0 < 0.14f ? 0 : c.X0 < 0.18f ? 1 : 2;
        const double t = double(c.X0) - p.x[i];
        EXPECT_NEAR(s.SPLWERT, ((double(p.d[i]) * t + p.c[i]) * t + p.b[i]) * t + p.a[i], 1e-6);
    }
}

TEST(Spline, TheSolverFactorisesOnceAndSolvesAgainWithTheFactors) {
    // 4 z0 + z1 = r0; z0 + 4 z1 + z2 = r1; z1 + 4 z2 = r2.
    std::vector<float> l{0, 1, 1}, d{4, 4, 4}, u{1, 1, 0}, r{5, 6, 5};
    ASSERT_EQ(SplineProbe::tridiag(0, 3, l, d, u, r), 0);
    for (float z : r)
        EXPECT_NEAR(z, 1.0, 1e-6);
    std::vector<float> again{6, 12, 14}; // z = 1, 2, 3
    ASSERT_EQ(SplineProbe::tridiag(1, 3, l, d, u, again), 0);
    EXPECT_NEAR(again[0], 1.0, 1e-6);
    EXPECT_NEAR(again[1], 2.0, 1e-6);
    EXPECT_NEAR(again[2], 3.0, 1e-6);

    struct Refusal {
        const char* name;
        int n;
        std::vector<float> d;
        int code;
    };
    const Refusal refusals[] = {
        {"one equation", 1, {4, 4, 4}, 1},
        {"eighty-one equations", 81, {4, 4, 4}, 1},
        {"a first pivot too small", 3, {1e-18f, 4, 4}, 2},
        {"a last pivot too small", 2, {1, 1, 4}, 2},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        std::vector<float> l2{0, 1, 1}, d2 = c.d, r2{5, 6, 5};
        EXPECT_EQ(SplineProbe::tridiag(0, c.n, l2, d2, u, r2), c.code);
    }
}

} // namespace
