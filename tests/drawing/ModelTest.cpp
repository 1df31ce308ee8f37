// The diagram object's properties and its transform.
#include "DrawingFixture.h"

#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using drawingtest::DrawingRun;
using drawingtest::list;

namespace {

TEST(Model, ANewObjectTakesTheFirstActiveRecordAndTheDefaults) {
    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), true});
    auto& cnn = *run.state().cnnX;
    EXPECT_EQ(clsGRAFIK().EID(), 0);
    cnn.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (4, 'a', 0), (7, 'b', 1), (9, 'c', 0)"));
    clsGRAFIK g;
    EXPECT_EQ(g.EID(), 7);
    EXPECT_EQ(g.EIDOBJEKT(), 11);
    EXPECT_EQ(g.EOBJEKT(), nullptr);
    EXPECT_EQ(g.EAXEX(), 1);
    EXPECT_EQ(g.EAXEY(), 1);
    EXPECT_EQ(g.ESKZX(), QStringLiteral("####0"));
    EXPECT_EQ(g.ESKZY(), QStringLiteral("####0"));
    EXPECT_FALSE(g.EBOXMIN());
    EXPECT_FALSE(g.ELXMIN().has_value());
    EXPECT_EQ(g.EPTYP(), 0);
    EXPECT_EQ(g.modell().MX, 0);
}

TEST(Model, AnyIdOfTheTableIsKept) {
    DrawingRun d;
    for (std::int32_t id : {32767, 32768, 40000, 2147483647}) {
        d.grafik->setEID(id);
        EXPECT_EQ(d.grafik->EID(), id);
    }
}

TEST(Model, SizesResetTheListsAndGridListsAlsoSetTheLabelLists) {
    DrawingRun d;
    d.grafik->setELXMIN(list({0, 1, 2}));
    d.grafik->setELXDIFF(list({3}));
    d.grafik->setELX(150);
    EXPECT_EQ(d.grafik->ELXMIN(), list({0, 150}));
    EXPECT_EQ(d.grafik->ELXDIFF(), list({150}));
    EXPECT_EQ(d.grafik->ELXIT(), list({1}));
    EXPECT_EQ(d.grafik->ELXGIT(), list({0}));
    EXPECT_EQ(d.grafik->ELXZL(), list({0}));
    d.grafik->setELY(80);
    EXPECT_EQ(d.grafik->ELYMIN(), list({0, 80}));
    d.grafik->setELXGIT(list({1, 2}));
    EXPECT_EQ(d.grafik->ELXZL(), list({1, 2}));
    d.grafik->setELXZL(list({5, 6}));
    EXPECT_EQ(d.grafik->ELXGIT(), list({1, 2}));
    EXPECT_EQ(d.grafik->ELXZL(), list({5, 6}));
    d.grafik->setELYGIT(list({4}));
    EXPECT_EQ(d.grafik->ELYZL(), list({4}));
}

TEST(Model, TheEqualLengthModeIsAWholeNumberHalvesToEven) {
    DrawingRun d;
    for (auto [in, out] : {std::pair{1.5f, 2.0f}, {2.5f, 2.0f}, {0.4f, 0.0f}, {1.0f, 1.0f}}) {
        d.grafik->setEXYIT(in);
        EXPECT_FLOAT_EQ(d.grafik->EXYIT(), out) << in;
    }
}

TEST(Model, TheTransformInBothDirectionsOfBothAxes) {
    DrawingRun d;
    auto& m = d.grafik->modell();
    d.grafik->setEXDL(10);
    m.RL = 12;
    m.XMIN = 0;
    m.XMAX = 50;
    m.MX = 0.5f;
    m.OX = 1;
    m.RO = 9;
    m.YMIN = 1.6f;
    m.YMAX = 2.2f;
    m.MY = 0.005f;
    m.OY = 1;
    float xp = 0, yp = 0, yp2 = 0;
    d.grafik->KOORDTRANS(20, 2.0f, xp, yp);
    EXPECT_FLOAT_EQ(xp, 62);
    d.grafik->KOORDTRANS(20, 2.1f, xp, yp2);
    EXPECT_LT(yp2, yp); // a larger y stands higher
    m.OX = 0;
    m.OY = 0;
    d.grafik->KOORDTRANS(20, 2.0f, xp, yp);
    EXPECT_FLOAT_EQ(xp, 82);
    d.grafik->KOORDTRANS(20, 2.1f, xp, yp2);
    EXPECT_GT(yp2, yp);
    // The inverse returns the input, for both directions of both axes, with scroll offsets.
    m.XVERSATZ = -3;
    m.YVERSATZ = 2;
    for (std::int16_t ox : {1, 0})
        for (std::int16_t oy : {1, 0}) {
            m.OX = ox;
            m.OY = oy;
            float x = 0, y = 0;
            d.grafik->KOORDTRANS(37.5f, 1.93f, xp, yp);
            d.grafik->KOORDTRANSINV(xp, yp, x, y, 0, 0);
            EXPECT_NEAR(x, 37.5f, 1e-4) << ox << oy;
            EXPECT_NEAR(y, 1.93f, 1e-5) << ox << oy;
        }
    EXPECT_TRUE(d.run.dialogs().asked().empty());
}

TEST(Model, TheInverseGivesPlainNumbersOnLogarithmicAxes) {
    DrawingRun d;
    auto& m = d.grafik->modell();
    m.OX = m.OY = 1;
    m.XMIN = -2;
    m.YMAX = 3;
    m.MX = m.MY = 0.1f;
    float xp = 0, yp = 0, x = 0, y = 0;
    d.grafik->KOORDTRANS(2, 1, xp, yp);
    d.grafik->KOORDTRANSINV(xp, yp, x, y, 1, 1);
    EXPECT_NEAR(x, 100, 1e-3);
    EXPECT_NEAR(y, 10, 1e-4);
}

TEST(Model, TheDecimalLogarithmIsZeroForNoPositiveValue) {
    EXPECT_EQ(clsGRAFIK::LOG10(0), 0);
    EXPECT_EQ(clsGRAFIK::LOG10(-5), 0);
    EXPECT_FLOAT_EQ(clsGRAFIK::LOG10(1000), 3);
    EXPECT_FLOAT_EQ(clsGRAFIK::LOG10(0.01f), -2);
}

TEST(Model, TheTransformBeforeAScaleShowsItsBox) {
    DrawingRun d;
    float xp = -1, yp = -1;
    d.grafik->KOORDTRANS(1, 1, xp, yp);
    // OK goes on: both coordinates fail with a division by zero and stay as they were.
    ASSERT_EQ(d.run.dialogs().asked().size(), 2u);
    EXPECT_EQ(d.run.dialogs().asked()[0].title, QStringLiteral("Koordinatentransformation"));
    EXPECT_TRUE(d.run.dialogs().asked()[0].prompt.startsWith(QStringLiteral("VB-Fehler: 11\n")));
    EXPECT_EQ(xp, -1);
    EXPECT_EQ(yp, -1);
}

} // namespace
