#include "Zeichenlauf.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Color.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using zeichentest::Zeichenlauf;

namespace {

// Data coordinates are millimetres (y downwards) inside a plot frame from (10, 10) to (120, 120).
struct Symbollauf : Zeichenlauf {
    Symbollauf() { millimeterRahmen(10, 10, 120, 120); }
    std::vector<std::vector<double>> linien() const { return zeichentest::linien(surface); }
};

// A segment with its ends in a fixed order, since the clipped segment draws from its left end.
std::vector<double> strecke(double x1, double y1, double x2, double y2) {
    if (x2 < x1 || (x2 == x1 && y2 < y1)) return {x2, y2, x1, y1};
    return {x1, y1, x2, y2};
}

void expectSameSegments(std::vector<std::vector<double>> got, std::vector<std::vector<double>> want) {
    for (auto& l : got)
        l = strecke(l[0], l[1], l[2], l[3]);
    for (auto& l : want)
        l = strecke(l[0], l[1], l[2], l[3]);
    ASSERT_EQ(got.size(), want.size());
    auto kleiner = [](const std::vector<double>& a, const std::vector<double>& b) {
        for (std::size_t i = 0; i < 4; ++i)
            if (std::abs(a[i] - b[i]) > 1e-3) return a[i] < b[i];
        return false;
    };
    std::sort(got.begin(), got.end(), kleiner);
    std::sort(want.begin(), want.end(), kleiner);
    for (std::size_t i = 0; i < got.size(); ++i)
        for (std::size_t j = 0; j < 4; ++j)
            EXPECT_NEAR(got[i][j], want[i][j], 1e-3) << "segment " << i;
}

TEST(Symbole, GroundHatchingRepeatsGroupsOfSixStrokes) {
    for (const int gruppen : {0, 2}) {
        SCOPED_TRACE(gruppen);
        Symbollauf s;
        s.grafik->GELAENDESCHRAFFUR(20, 50, 4, std::int16_t(gruppen), 0, 0);
        // Along a level ground line with y growing downwards: a goes 45 degrees below it, b above.
        const double h = 4 / std::sqrt(2.0);
        const double ax = h, ay = h, bx = h, by = -h;
        std::vector<std::vector<double>> want;
        double qx = 20, qy = 50;
        for (int g = 0; g < gruppen; ++g) {
            auto p = [&](double i, double j) {
                return std::pair{qx + i * ax + j * bx, qy + i * ay + j * by};
            };
            const std::pair<double, double> von[] = {p(0, 0), p(1, 0), p(1, 0), p(2, 0), p(2, 1), p(2, 1)};
            const std::pair<double, double> bis[] = {p(1, 0), p(2, 0), p(1, 1), p(2, 1), p(3, 1), p(2, 2)};
            for (int i = 0; i < 6; ++i)
                want.push_back({von[i].first, von[i].second, bis[i].first, bis[i].second});
            qx += 2 * ax + 2 * bx;
            qy += 2 * ay + 2 * by;
        }
        expectSameSegments(s.linien(), want);
        // The second group starts 2a + 2b further along the ground line.
        if (gruppen == 2) {
            EXPECT_NEAR(want[6][0], 20 + 4 * h, 1e-9);
        }
    }
}

TEST(Symbole, LevelTriangleOnItsLevelLine) {
    Symbollauf s;
    s.grafik->modell().MY = 2;
    float px = 0, py = 0;
    s.grafik->KOORDTRANS(60, 80, px, py);
    float DH = 8;
    s.grafik->KOTENDREIECK(60, 80, DH, 0, 0, 0);
    EXPECT_FLOAT_EQ(DH, 4); // y data units became millimetres
    expectSameSegments(s.linien(), {{px, py, px + 4, py},
                                    {px, py, px - 4, py},
                                    {px, py, px - 4, py - 4},
                                    {px - 4, py - 4, px + 4, py - 4},
                                    {px + 4, py - 4, px, py}});
}

TEST(Symbole, LevelTriangleGroundwaterBarsAndFill) {
    struct Fall {
        std::int16_t GW, VOLL;
        int striche;
        int rechts, links; // fill rays right and left of the level point
    };
    const Fall faelle[] = {{1, 0, 5 + 4, 0, 0},
                           {2, 0, 5, 0, 0},
                           {0, 1, 5 + 34, 34, 0},
                           {0, 2, 5 + 34, 0, 34},
                           {0, 3, 5 + 68, 34, 34}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "GW " << f.GW << " VOLL " << f.VOLL);
        Symbollauf s;
        float DH = 4;
        s.grafik->KOTENDREIECK(60, 80, DH, 0, f.GW, f.VOLL);
        const auto l = s.linien();
        ASSERT_EQ(int(l.size()), f.striche);
        if (f.GW == 1) {
            // Bars 6 mm long 1 mm below the line and 2 mm long 2 mm below it.
            expectSameSegments({l[5], l[6], l[7], l[8]},
                               {{60, 81, 57, 81}, {60, 81, 63, 81}, {60, 82, 59, 82}, {60, 82, 61, 82}});
        }
        int rechts = 0, links = 0;
        for (std::size_t i = 5; f.VOLL > 0 && i < l.size(); ++i) {
            const auto& r = strecke(l[i][0], l[i][1], l[i][2], l[i][3]);
            // Each ray runs from the level point to the top side, 4 mm above.
            const bool nachRechts = r[0] == 60 && r[1] == 80;
            const auto& ende = nachRechts ? std::pair{r[2], r[3]} : std::pair{r[0], r[1]};
            EXPECT_NEAR(ende.second, 76, 1e-4);
            EXPECT_LE(std::abs(ende.first - 60), 4 + 1e-4);
            (nachRechts ? rechts : links)++;
        }
        EXPECT_EQ(rechts, f.rechts);
        EXPECT_EQ(links, f.links);
    }
}

platform::Variant msp(Zeichenlauf& z, int id, int idObjekt) {
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT MSP FROM G0 WHERE ID=? AND IDOBJEKT=?"), *z.run.state().cnnX,
            {platform::Variant(std::int32_t(id)), platform::Variant(std::int16_t(idObjekt))});
    return rs.eof() ? platform::Variant() : rs.Value(0);
}

// The load scale belongs to the diagram: it is kept in the G0 row of the diagram's own record and number,
// not in the first active record's.
TEST(Symbole, LoadAreasKeepTheirScaleInTheDiagramsOwnRow) {
    Symbollauf s;
    s.run.state().cnnX->Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT, MSP) VALUES (1, 110, 7)"));
    s.grafik->setEID(2);
    s.grafik->setEIDOBJEKT(110);
    const std::array<float, 2> X{30, 70}, Y{80, 80};
    // 30 down on the first area, 15 down on the second: the largest resultant, 45, becomes 15 mm.
    std::array<std::array<float, 2>, 4> P{{{30, 30}, {0, 0}, {15, 15}, {0, 0}}};
    s.grafik->LASTFLAECHEN(X, Y, P, 4);
    EXPECT_FLOAT_EQ(platform::CSng(msp(s, 2, 110)), 3);
    EXPECT_FLOAT_EQ(platform::CSng(msp(s, 1, 110)), 7);

    // Base line, five arrows (shaft and three head lines) and the outline in red; the second area's in
    // dark red.
    const auto calls = s.surface.calls(QStringLiteral("Line"));
    const long rot = platform::RGB(255, 0, 0), dunkelrot = platform::RGB(125, 0, 0);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.foreColor == rot; }),
              22);
    EXPECT_EQ(
        std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.foreColor == dunkelrot; }),
        21);
    // The first shaft runs 10 mm down to the base line, the first of the second area 5 mm down to the first.
    expectSameSegments({calls[1].args, calls[22].args}, {{30, 70, 30, 80}, {30, 65, 30, 70}});

    // A second call with other loads keeps the stored scale: 60 becomes 20 mm.
    s.surface.clearCalls();
    P = {{{60, 60}, {0, 0}, {0, 0}, {0, 0}}};
    s.grafik->LASTFLAECHEN(X, Y, P, 4);
    expectSameSegments({s.surface.calls(QStringLiteral("Line"))[1].args}, {{30, 60, 30, 80}});
    EXPECT_FLOAT_EQ(platform::CSng(msp(s, 2, 110)), 3);
}

TEST(Symbole, SectionForceArrowAcrossOrAlongTheMember) {
    struct Fall {
        std::int16_t TYP, SY;
        std::vector<double> pfeil; // the double arrow's shaft, or none
    };
    const Fall faelle[] = {
        {1, 0, {}}, {1, 1, {40, 46, 40, 54}}, {2, 1, {36, 48.75, 44, 48.75}}, {3, 1, {36, 48.75, 44, 48.75}},
        {5, 1, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "TYP " << f.TYP << " SY " << f.SY);
        Symbollauf s;
        s.grafik->SCHNITTKRAFT(20, 50, 60, 50, 8, f.TYP, f.SY);
        const auto l = s.surface.calls(QStringLiteral("Line"));
        ASSERT_EQ(l.size(), f.pfeil.empty() ? 1u : 8u);
        EXPECT_EQ(l[0].args, (std::vector<double>{20, 50, 60, 50}));
        EXPECT_EQ(l[0].foreColor, platform::RGB(0, 125, 0));
        EXPECT_EQ(l[0].drawWidth, 1); // 0.2 mm at 4 pixels per millimetre
        if (f.pfeil.empty()) continue;
        expectSameSegments({l[1].args}, {f.pfeil});
        // A head at each end of the shaft.
        const auto& a = f.pfeil;
        int spitzen = 0;
        for (std::size_t i = 2; i < l.size(); ++i)
            for (const auto& [x, y] : {std::pair{a[0], a[1]}, std::pair{a[2], a[3]}})
                if ((std::abs(l[i].args[0] - x) < 1e-4 && std::abs(l[i].args[1] - y) < 1e-4) ||
                    (std::abs(l[i].args[2] - x) < 1e-4 && std::abs(l[i].args[3] - y) < 1e-4))
                    ++spitzen;
        EXPECT_EQ(spitzen, 4);
    }
}

} // namespace
