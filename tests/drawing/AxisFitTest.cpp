// Fitting an axis to its data and to the admissible bounds and spans, and the scale.
#include "ACHSENTEILUNG.h"
#include "DrawingFixture.h"

#include <gtest/gtest.h>

using drawing::AchsenListen;
using drawing::AchsenTeilung;
using drawing::NumberList;
using drawingtest::list;

namespace {

// The lists of the examples: bounds 0..10 in steps of 2, spans 2..10, ticks 2..10, one grid interval,
// labels 1..5.
struct Lists {
    NumberList MIN = list({0, 2, 4, 6, 8, 10});
    NumberList DIFF = list({2, 4, 6, 8, 10});
    NumberList IT = list({2, 4, 6, 8, 10});
    NumberList GIT = list({1, 1, 1, 1, 1});
    NumberList ZL = list({1, 2, 3, 4, 5});
    AchsenListen get() const { return {MIN, DIFF, IT, GIT, ZL}; }
};

// The dry-density lists of page 1: 0, 0.2, ..., 4 as doubles.
Lists dryDensity() {
    Lists l;
    std::vector<double> bounds, spans, counts;
    for (int i = 0; i <= 20; ++i)
        bounds.push_back(i / 5.0);
    for (int i = 1; i <= 20; ++i) {
        spans.push_back(i / 5.0);
        counts.push_back(10);
    }
    l.MIN = bounds;
    l.DIFF = spans;
    l.IT = l.GIT = l.ZL = counts;
    return l;
}

TEST(AxisFit, LinearAxesSnapToTheAdmissibleBoundsAndSpans) {
    struct Case {
        std::int16_t NR;
        std::vector<float> data;
        float min, max;
        std::int16_t IT, ZL;
    } cases[] = {
        {-1, {3.1f, 7.4f, 5.0f}, 2, 8, 6, 3},
        {-1, {0.5f, 9.5f, 4.0f}, 0, 10, 10, 5},
        // All data above the last admissible bound: the lower bound stays, the span is the smallest.
        {-1, {12, 15}, 12, 14, 2, 1},
        // Below the first admissible bound: the lower bound becomes the first.
        {-1, {-3, 5}, 0, 6, 6, 3},
        // NR 1: the upper bound is snapped but not re-derived from the span.
        {1, {3.1f, 7.4f}, 2, 8, 6, 3},
        {1, {3.1f, 6.5f}, 2, 8, 6, 3},
        {3, {3.1f, 6.5f}, 2, 8, 6, 3},
    };
    Lists l;
    for (const Case& c : cases) {
        AchsenTeilung a;
        a.MIN = 100; // NR 1 starts from the data, not from what was held
        a.MAX = -100;
        if (c.NR == 3) a.MIN = 2, a.MAX = 8;
        drawing::ACHSENTEILUNG(c.NR, true, true, 0, c.data, a, l.get());
        EXPECT_FLOAT_EQ(a.MIN, c.min) << c.NR << " " << c.data[0];
        EXPECT_FLOAT_EQ(a.MAX, c.max) << c.NR << " " << c.data[0];
        EXPECT_EQ(a.IT, c.IT);
        EXPECT_EQ(a.GIT, 1);
        EXPECT_EQ(a.ZL, c.ZL);
        ASSERT_EQ(int(a.TICKS.size()), c.IT + 1);
        EXPECT_FLOAT_EQ(a.TICKS.front(), c.min);
    }
}

TEST(AxisFit, TheTicksStepByTheSpanOverTheTickCount) {
    Lists l;
    AchsenTeilung a;
    drawing::ACHSENTEILUNG(-1, true, true, 0, {3.1f, 7.4f, 5.0f}, a, l.get());
    EXPECT_EQ(a.TICKS, (std::vector<float>{2, 3, 4, 5, 6, 7, 8}));
}

TEST(AxisFit, BoundsWithoutTheirFlagAreKeptAndTheSpanIsRoundedFirst) {
    Lists l;
    AchsenTeilung a;
    a.MIN = 2;
    a.MAX = 8.0000004f; // a range of 6.0000004 counts as 6
    drawing::ACHSENTEILUNG(0, false, false, 0, {0}, a, l.get());
    EXPECT_FLOAT_EQ(a.MIN, 2);
    EXPECT_FLOAT_EQ(a.MAX, 8);
    EXPECT_EQ(a.IT, 6);
    // Without flags nothing is snapped: a lower bound of 2.5 stays.
    a.MIN = 2.5f;
    a.MAX = 5;
    drawing::ACHSENTEILUNG(0, false, false, 0, {0}, a, l.get());
    EXPECT_FLOAT_EQ(a.MIN, 2.5f);
    EXPECT_FLOAT_EQ(a.MAX, 6.5f);
}

TEST(AxisFit, StoredSinglesMeetTheDoubleListsAsEqual) {
    // A stored 1.8 is the Single nearest to 1.8: it must snap to 1.8, not to 1.6; 2.2 to 2.2, not 2.4.
    const Lists l = dryDensity();
    struct Case {
        std::vector<float> data;
        float min, max;
    } cases[] = {
        {{1.8f, 2.2f}, 1.8f, 2.2f},   {{1.6f, 2.0f}, 1.6f, 2.0f}, {{1.81f, 2.19f}, 1.8f, 2.2f},
        {{1.79f, 2.21f}, 1.6f, 2.4f}, {{0.6f, 1.4f}, 0.6f, 1.4f},
    };
    for (const Case& c : cases) {
        AchsenTeilung a;
        drawing::ACHSENTEILUNG(-1, true, true, 0, c.data, a, l.get());
        EXPECT_FLOAT_EQ(a.MIN, c.min) << c.data[0];
        EXPECT_FLOAT_EQ(a.MAX, c.max) << c.data[0];
    }
    // The same bounds read back from storage on the next drawing stay where they are.
    AchsenTeilung a;
    a.MIN = 1.8f;
    a.MAX = 2.2f;
    drawing::ACHSENTEILUNG(0, false, false, 0, {0}, a, l.get());
    EXPECT_FLOAT_EQ(a.MAX, 2.2f);
}

TEST(AxisFit, LogarithmicAxesRunOverDecades) {
    Lists l;
    l.MIN = list({0.01, 0.1, 1, 10, 100});
    l.IT = list({10});
    l.GIT = list({1});
    l.ZL = list({1});
    AchsenTeilung a;
    drawing::ACHSENTEILUNG(-1, true, true, 1, {0.05f, 30}, a, l.get());
    EXPECT_FLOAT_EQ(a.MIN, 0.01f);
    EXPECT_FLOAT_EQ(a.MAX, 100);
    // Every j times a power of ten from 0.01 to 100: the first, 2..9 of the first decade, three full
    // decades and the last.
    ASSERT_EQ(a.TICKS.size(), 37u);
    EXPECT_EQ(a.IT, 36);
    EXPECT_FLOAT_EQ(a.TICKS[0], -2);
    EXPECT_NEAR(a.TICKS[1], -2 + std::log10(2.0), 1e-6);
    EXPECT_NEAR(a.TICKS[8], -2 + std::log10(9.0), 1e-6);
    EXPECT_FLOAT_EQ(a.TICKS[9], -1);
    EXPECT_FLOAT_EQ(a.TICKS[36], 2);
    // Grid lines and numbers at the decades.
    EXPECT_EQ(a.GITTER, (std::vector<float>{-2, -1, 0, 1, 2, 2}));

    // One tick per decade; without flags the bounds snap outwards to the list.
    l.IT = list({1});
    AchsenTeilung b;
    b.MIN = 0.05f;
    b.MAX = 30;
    drawing::ACHSENTEILUNG(0, false, false, 1, {0}, b, l.get());
    EXPECT_FLOAT_EQ(b.MIN, 0.01f);
    EXPECT_FLOAT_EQ(b.MAX, 100);
    EXPECT_EQ(b.TICKS, (std::vector<float>{-2, -1, 0, 1, 2, 2}));
    EXPECT_EQ(b.GITTER, b.TICKS);
}

TEST(AxisFit, TheScaleFollowsTheRequiredRatio) {
    struct Case {
        float xmin, xmax, ymin, ymax, MYMX, mx0, my0, mx, my;
    } cases[] = {
        // x 0..30 over 111 mm, y 1.6..2.2 over 109 mm, MYMX 0.02: the y scale follows the x scale.
        {0, 30, 1.6f, 2.2f, 0.02f, 0, 0, 30.0f / 111, 30.0f / 111 * 0.02f},
        // Free scales fill the frame.
        {0, 30, 1.6f, 2.2f, 0, 0, 0, 30.0f / 111, 0.6f / 109},
        // The x scale follows the larger y scale.
        {0, 1, 0, 50, 2, 0, 0, 50.0f / 109 / 2, 50.0f / 109},
        // A stored factor is kept.
        {0, 30, 1.6f, 2.2f, 0, 0.5f, 0, 0.5f, 0.6f / 109},
    };
    for (const Case& c : cases) {
        float mx = c.mx0, my = c.my0;
        drawing::MASSSTAB(c.xmin, c.xmax, c.ymin, c.ymax, 135, 130, 12, 12, 12, 9, c.MYMX, mx, my);
        EXPECT_NEAR(mx, c.mx, 1e-6);
        EXPECT_NEAR(my, c.my, 1e-6);
    }
}

} // namespace
