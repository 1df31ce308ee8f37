#include "STATISTIK.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

using drawing::STATISTIK;

namespace {

struct Fall {
    const char* name;
    std::vector<float> werte;
    std::optional<double> MW, SD, VK;
};

void expectFigure(const std::optional<float>& got, const std::optional<double>& want, const char* what) {
    ASSERT_EQ(got.has_value(), want.has_value()) << what;
    if (want) {
        EXPECT_NEAR(*got, *want, 1e-6 * std::max(1.0, std::fabs(*want))) << what;
    }
}

TEST(Statistik, FiguresOfTheListsAndTheUndefinedOnes) {
    const Fall faelle[] = {
        {"two values", {2, 4}, 3.0, std::sqrt(2.0), std::sqrt(2.0) / 3},
        {"four values", {1, 2, 3, 4}, 2.5, std::sqrt(5.0 / 3), std::sqrt(5.0 / 3) / 2.5},
        {"equal values", {1.8f, 1.8f, 1.8f}, double(1.8f), 0.0, 0.0},
        // One value has no sample deviation, and so no coefficient.
        {"one value", {5}, 5.0, std::nullopt, std::nullopt},
        // A zero mean leaves the coefficient undefined instead of failing.
        {"zero mean", {-1, 1}, 0.0, std::sqrt(2.0), std::nullopt},
        {"no values", {}, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const auto st = STATISTIK(f.werte);
        expectFigure(st.MW, f.MW, "mean");
        expectFigure(st.SD, f.SD, "standard deviation");
        expectFigure(st.VK, f.VK, "coefficient");
    }
}

// Densities that agree to the third decimal keep their spread. The reference is worked out in double
// precision from the decimal readings themselves; the Singles the routine gets differ from them by less
// than 1e-7 each, so the deviation must agree to a fraction of a percent (a sum of squares kept in single
// precision was 40 % off).
TEST(Statistik, TightClusterMatchesADoublePrecisionReference) {
    const std::vector<std::vector<double>> listen = {
        {1.951, 1.952, 1.953},
        {2.0341, 2.0343, 2.0338, 2.0345, 2.0340, 2.0342},
        {1.8105, 1.8107, 1.8104, 1.8106},
    };
    for (const auto& werte : listen) {
        double sum = 0;
        for (double x : werte)
            sum += x;
        const double mean = sum / double(werte.size());
        double sq = 0;
        for (double x : werte)
            sq += (x - mean) * (x - mean);
        const double sd = std::sqrt(sq / double(werte.size() - 1));

        const auto st = STATISTIK(std::vector<float>(werte.begin(), werte.end()));
        ASSERT_TRUE(st.MW && st.SD && st.VK);
        EXPECT_NEAR(*st.MW, mean, 1e-6 * mean);
        EXPECT_NEAR(*st.SD, sd, 5e-3 * sd);
        EXPECT_NEAR(*st.VK, sd / mean, 5e-3 * sd / mean);
    }
}

} // namespace
