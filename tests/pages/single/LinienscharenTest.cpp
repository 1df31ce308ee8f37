// Which saturation and air-void lines a spacing gives, and the samples of one line.
#include "Linienscharen.h"

#include <gtest/gtest.h>

namespace {

TEST(Linienscharen, TheSpacingGivesEveryLineUpToTheLastOne) {
    const struct {
        const char* name;
        std::vector<float> werte;
        std::vector<float> erwartet;
    } cases[] = {
        // Ten additions of 0.025 in single precision pass 0.25: counting the lines keeps the last one.
        {"air voids 0.025",
         linienscharen::luftporenanteile(0.025f),
         {0, 0.025f, 0.05f, 0.075f, 0.1f, 0.125f, 0.15f, 0.175f, 0.2f, 0.225f, 0.25f}},
        {"air voids 0.05", linienscharen::luftporenanteile(0.05f), {0, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f}},
        {"air voids 0.1", linienscharen::luftporenanteile(0.1f), {0, 0.1f, 0.2f}},
        {"air voids 0.25", linienscharen::luftporenanteile(0.25f), {0, 0.25f}},
        {"air voids 0.3", linienscharen::luftporenanteile(0.3f), {0}},
        {"saturation 0.1", linienscharen::saettigungsgrade(0.1f), {100, 90, 80, 70, 60, 50}},
        {"saturation 0.05",
         linienscharen::saettigungsgrade(0.05f),
         {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50}},
        {"saturation 0.3", linienscharen::saettigungsgrade(0.3f), {100, 70}},
        {"saturation 0.5", linienscharen::saettigungsgrade(0.5f), {100, 50}},
        // A step that points away from the end, or none, gives no line at all.
        {"saturation -0.1", linienscharen::saettigungsgrade(-0.1f), {}},
        {"air voids -0.025", linienscharen::luftporenanteile(-0.025f), {}},
        {"saturation 0", linienscharen::saettigungsgrade(0), {}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.werte.size(), c.erwartet.size()) << c.name;
        for (std::size_t i = 0; i < c.werte.size(); ++i)
            EXPECT_NEAR(c.werte[i], c.erwartet[i], 1e-5) << c.name << " line " << i;
    }
    // The last line is the end itself, not a value a rounding away from it.
    EXPECT_EQ(linienscharen::luftporenanteile(0.025f).back(), 0.25f);
    EXPECT_EQ(linienscharen::saettigungsgrade(0.1f).back(), 50.0f);
}

TEST(Linienscharen, ATinySpacingEndsAfterTheLargestFamily) {
    // Accumulating 1e-6 to 0.25 never gets there in single precision; the counted family stops.
    const auto werte = linienscharen::luftporenanteile(1e-6f);
    EXPECT_EQ(int(werte.size()), linienscharen::kMaxLinien + 1);
    EXPECT_NEAR(werte.back(), 1e-3f, 1e-6);
}

TEST(Linienscharen, SamplesInsideTheBoundsOnly) {
    // Full saturation of a soil of grain density 2.7: 1 / (1/2.7 + w/100).
    const auto linie = linienscharen::abtasten(
        10, 20, 1.8f, 2.0f, [](float w) { return linienscharen::saettigungsdichte(2.7, 100, w); });
    ASSERT_FALSE(linie.x.empty());
    EXPECT_EQ(linie.x.size(), linie.y.size());
    for (std::size_t i = 0; i < linie.x.size(); ++i) {
        EXPECT_GE(linie.y[i], 1.8f);
        EXPECT_LE(linie.y[i], 2.0f);
    }
    // 1.8 g/cm³ is reached at w = 100 (1/1.8 - 1/2.7) = 18.5 %, 2.0 at 12.96 %.
    EXPECT_NEAR(linie.x.front(), 12.97, 0.011);
    EXPECT_NEAR(linie.x.back(), 18.51, 0.011);
    EXPECT_NEAR(linienscharen::luftporendichte(2.7, 0.1, 10), 0.9 / (1 / 2.7 + 0.1), 1e-12);
    // A line wholly outside the bounds has no sample.
    EXPECT_TRUE(linienscharen::abtasten(10, 20, 2.5f, 3.0f, [](float w) {
                    return linienscharen::saettigungsdichte(2.7, 50, w);
                }).x.empty());
}

TEST(Linienscharen, SamplingIsCountedWhateverTheWaterContents) {
    // A Single plus 0.01 stays the same Single from 2^18 on: added up, the sampling never ended there.
    const auto flach = [](float) { return 1.0; };
    const struct {
        const char* name;
        float XMIN, XMAX;
        std::size_t hoechstens;
    } cases[] = {
        {"an ordinary diagram, 8 to 20 %", 8, 20, 1201},
        {"beyond 2^18", 1.0e6f, 1.0e6f + 2, 201},
        {"a million per cent wide", 0, 1.0e6f, std::size_t(linienscharen::kMaxSchritte) + 1},
        {"absurd bounds", -3e38f, 3e38f, std::size_t(linienscharen::kMaxSchritte) + 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto linie = linienscharen::abtasten(c.XMIN, c.XMAX, 0, 2, flach);
        ASSERT_FALSE(linie.x.empty());
        EXPECT_LE(linie.x.size(), c.hoechstens);
        EXPECT_EQ(linie.x.front(), c.XMIN);
        EXPECT_LE(linie.x.back(), c.XMAX);
        for (std::size_t i = 1; i < linie.x.size(); ++i)
            ASSERT_GT(linie.x[i], linie.x[i - 1]);
    }
    EXPECT_EQ(linienscharen::abtasten(8, 20, 0, 2, flach).x.size(), 1201u);
    EXPECT_TRUE(linienscharen::abtasten(20, 8, 0, 2, flach).x.empty());
}

} // namespace
