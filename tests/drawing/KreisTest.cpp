#include "Kreisschnitt.h"
#include "Zeichenlauf.h"

#include "platform/runtime/Color.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using platform::RecordingSurface;
using zeichentest::Zeichenlauf;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kZweiPi = float(2 * std::numbers::pi);

// A diagram whose plot frame runs from (10, 10) to (40, 30) mm, 30 mm by 20 mm, with the axes as given
// (1 normal, -1 reversed).
struct Kreislauf : Zeichenlauf {
    explicit Kreislauf(int OX = 1, int OY = 1) {
        millimeterRahmen(10, 10, 40, 30);
        grafik->modell().OX = std::int16_t(OX);
        grafik->modell().OY = std::int16_t(OY);
    }
    void kreis(float xm, float ym, float r, float al1, float al2, bool sehnen, std::int16_t pfeile = 0,
               std::int16_t KO = 0) {
        grafik->KREIS(xm, ym, r, al1, al2, pfeile, sehnen, KO);
    }
    std::vector<RecordingSurface::Call> kreise() const { return surface.calls(QStringLiteral("Circle")); }
};

double normiert(double w) {
    w = std::fmod(w, 2 * kPi);
    return w < 0 ? w + 2 * kPi : w;
}

// True when angle w lies on the arc that runs counterclockwise from a to b.
bool aufBogen(double w, double a, double b) {
    const double spanne = normiert(b - a);
    return normiert(w - a) <= (spanne == 0 ? 2 * kPi : spanne);
}

// The circle as drawn through the surface's Circle matches, at every whole degree away from the arc's
// ends and the frame's edges, the part of the requested arc that lies inside the frame.
void expectDrawnPart(const std::vector<RecordingSurface::Call>& kreise, float xm, float ym, float r,
                     double al1, double al2, int OX, int OY) {
    for (int grad = 0; grad < 360; ++grad) {
        const double phi = (grad + 0.5) * kPi / 180; // visual angle, counterclockwise as seen
        const double x = xm + r * std::cos(phi), y = ym - r * std::sin(phi);
        // The direction in the diagram: mirrored on a reversed axis.
        const double datenwinkel =
            std::atan2(OY == 1 ? std::sin(phi) : -std::sin(phi), OX == 1 ? std::cos(phi) : -std::cos(phi));
        const bool imRahmen = 10 < x && x < 40 && 10 < y && y < 30;
        const bool erwartet = imRahmen && aufBogen(datenwinkel, al1, al2);
        bool gezeichnet = false;
        for (const auto& c : kreise) {
            ASSERT_TRUE(c.start && c.end) << "an arc, not a full circle";
            gezeichnet = gezeichnet || aufBogen(phi, *c.start, *c.end);
        }
        EXPECT_EQ(gezeichnet, erwartet) << "at " << grad + 0.5 << " degrees";
    }
}

struct Bogenfall {
    const char* name;
    float xm, ym, r;
    double al1, al2;
    int OX = 1, OY = 1;
};

// The circle mode works out which parts of the circle lie inside the frame and draws where they meet the
// requested arc.
TEST(Kreis, CircleModeDrawsThePartInsideTheFrame) {
    const Bogenfall faelle[] = {
        {"a quarter wholly inside", 25, 20, 5, 0, kPi / 2},
        {"a quarter on a reversed x axis", 25, 20, 5, 0, kPi / 2, -1, 1},
        {"a quarter on a reversed y axis", 25, 20, 5, 0, kPi / 2, 1, -1},
        {"a quarter on two reversed axes", 25, 20, 5, 0, kPi / 2, -1, -1},
        {"bulging in through the left edge", 5, 20, 8, 0, 2 * kPi},
        {"bulging in, an arc across the angle 0", 5, 20, 8, 5 * kPi / 3, kPi / 3},
        {"bulging in, an arc that misses the frame", 5, 20, 8, kPi / 2, 3 * kPi / 2},
        {"centred near the bottom-left corner", 12, 28, 8, 0, 2 * kPi},
        {"crossing every edge twice", 25, 20, 16, 0, 2 * kPi},
        {"crossing every edge twice, an arc", 25, 20, 16, kPi / 6, 2 * kPi / 3},
        {"crossing every edge twice, reversed axes", 25, 20, 16, kPi / 6, 2 * kPi / 3, -1, -1},
    };
    for (const Bogenfall& f : faelle) {
        SCOPED_TRACE(f.name);
        Kreislauf k(f.OX, f.OY);
        k.kreis(f.xm, f.ym, f.r, float(f.al1), float(f.al2), false);
        EXPECT_TRUE(k.meldungen().isEmpty());
        expectDrawnPart(k.kreise(), f.xm, f.ym, f.r, f.al1, f.al2, f.OX, f.OY);
    }
}

TEST(Kreis, CirclesThatShowNothing) {
    struct Fall {
        const char* name;
        float xm, ym, r;
        bool sehnen;
    };
    const Fall faelle[] = {
        {"the frame lies inside the circle, chords", 25, 20, 40, true},
        {"the frame lies inside the circle, circle", 25, 20, 40, false},
        {"touching the left edge from outside", 5, 20, 5, false},
        {"wholly above the frame", 25, 2, 5, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Kreislauf k;
        k.kreis(f.xm, f.ym, f.r, 0, 0, f.sehnen, 3);
        EXPECT_TRUE(k.surface.calls().empty());
        EXPECT_EQ(k.surface.FillStyle(), platform::Surface::FillTransparent);
    }
}

TEST(Kreis, FullTurnInsideIsOneCircleAndTheEndAngleBecomesTwoPi) {
    Kreislauf k;
    float al2 = 0;
    k.grafik->KREIS(25, 20, 5, 0, al2, 0, false, 0);
    EXPECT_EQ(al2, kZweiPi);
    const auto kreise = k.kreise();
    ASSERT_EQ(kreise.size(), 1u);
    EXPECT_EQ(kreise[0].args, (std::vector<double>{25, 20, 5}));
    EXPECT_FALSE(kreise[0].start || kreise[0].end);
}

TEST(Kreis, QuarterInsideGetsTheVisualAnglesZeroAndHalfPi) {
    Kreislauf k;
    k.kreis(25, 20, 5, 0, float(kPi / 2), false);
    const auto kreise = k.kreise();
    ASSERT_EQ(kreise.size(), 1u);
    EXPECT_NEAR(*kreise[0].start, 0, 1e-6);
    EXPECT_NEAR(*kreise[0].end, kPi / 2, 1e-6);
}

TEST(Kreis, ChordsOfTenDegreesEndExactlyAtTheEndAngle) {
    Kreislauf k;
    const double ende = 25 * kPi / 180;
    k.kreis(25, 20, 5, 0, float(ende), true);
    const auto linien = zeichentest::linien(k.surface);
    ASSERT_EQ(linien.size(), 3u); // 10, 10 and 5 degrees
    // Each chord joins two points of the circle, from the growing x axis upwards on the page.
    const double winkel[] = {0, 10, 20, 25};
    for (std::size_t i = 0; i < 3; ++i) {
        const double a = winkel[i] * kPi / 180, b = winkel[i + 1] * kPi / 180;
        // STRECKE draws from the end with the smaller x.
        EXPECT_NEAR(linien[i][0], 25 + 5 * std::cos(b), 1e-4);
        EXPECT_NEAR(linien[i][1], 20 - 5 * std::sin(b), 1e-4);
        EXPECT_NEAR(linien[i][2], 25 + 5 * std::cos(a), 1e-4);
        EXPECT_NEAR(linien[i][3], 20 - 5 * std::sin(a), 1e-4);
    }
}

// With the start angle above the end angle the chords sweep the angles between them, while the circle
// goes counterclockwise from the start across the angle 0: the two modes draw complementary halves.
TEST(Kreis, ChordAndCircleModesDrawComplementaryArcs) {
    Kreislauf sehnen, kreis;
    sehnen.kreis(25, 20, 5, float(3 * kPi / 2), float(kPi / 2), true);
    kreis.kreis(25, 20, 5, float(3 * kPi / 2), float(kPi / 2), false);
    const auto linien = zeichentest::linien(sehnen.surface);
    ASSERT_EQ(linien.size(), 18u);
    for (const auto& l : linien) {
        EXPECT_LE(l[0], 25 + 1e-4);
        EXPECT_LE(l[2], 25 + 1e-4);
    }
    expectDrawnPart(kreis.kreise(), 25, 20, 5, 3 * kPi / 2, kPi / 2, 1, 1);
    for (int grad : {10, 80, 280, 350})
        EXPECT_TRUE(aufBogen(grad * kPi / 180, *kreis.kreise()[0].start, *kreis.kreise()[0].end));
}

TEST(Kreis, FourEdgesCrossedTwiceGiveFourPieces) {
    Kreislauf k;
    const auto schnitte = drawing::kreisschnitte(25, 20, 16, 10, 10, 40, 30);
    EXPECT_EQ(schnitte.punkte.size(), 8u);
    EXPECT_EQ(schnitte.zweipunktkanten, 4);
    EXPECT_TRUE(schnitte.erstesPaar);
    auto mit = schnitte;
    for (auto& p : mit.punkte)
        p.winkel = float(normiert(std::atan2(p.y - 20.0, p.x - 25.0)));
    EXPECT_EQ(drawing::kreisstuecke(mit, 25, 20).size(), 4u);
}

// A circle through a corner can meet the edges an odd number of times as the edges count them: the
// message comes once and nothing is drawn, end marks included.
TEST(Kreis, OddCrossingCountIsReportedAndNothingDrawn) {
    float xm = 0, ym = 0, r = 0;
    bool gefunden = false;
    for (int dx = 300; dx >= 10 && !gefunden; dx -= 7)
        for (int dy = -300; dy <= 300 && !gefunden; dy += 7) {
            xm = 10 - dx / 10.0f;
            ym = 10 + dy / 10.0f;
            r = float(std::hypot(dx / 10.0, dy / 10.0));
            gefunden = drawing::kreisschnitte(xm, ym, r, 10, 10, 40, 30).punkte.size() % 2 == 1;
        }
    ASSERT_TRUE(gefunden);
    Kreislauf k;
    k.kreis(xm, ym, r, 0, 0, false, 3);
    ASSERT_EQ(k.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(k.run.dialogs().asked()[0].prompt,
              QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"));
    EXPECT_EQ(k.run.dialogs().asked()[0].title, QStringLiteral("Bogen"));
    EXPECT_TRUE(k.surface.calls().empty());
}

TEST(Kreis, AngleOutsideTheSurfaceRangeStopsTheCircle) {
    Kreislauf k;
    k.kreis(25, 20, 5, float(-5 * kPi), float(kPi / 2), false, 1);
    ASSERT_EQ(k.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(k.run.dialogs().asked()[0].prompt, QStringLiteral("Winkel  H1 bzw. H2 < 0"));
    EXPECT_EQ(k.run.dialogs().asked()[0].title, QStringLiteral("KREIS"));
    EXPECT_TRUE(k.surface.calls().empty());
}

TEST(Kreis, FarOffAnglesEndAfterABoundedDrawing) {
    // Angles a Single can't step through: neither the chords nor the arc's span may be counted up to them.
    for (bool sehnen : {true, false}) {
        SCOPED_TRACE(sehnen ? "chords" : "circle");
        Kreislauf k;
        k.kreis(25, 20, 5, 0, 1e30f, sehnen);
        EXPECT_LE(k.surface.calls().size(), 400u);
        Kreislauf l;
        l.kreis(25, 20, 5, 1e30f, 0, sehnen, 1);
        EXPECT_LE(l.surface.calls().size(), 400u);
    }
}

// An arrow: three lines from its tip on the arc's end, across its base on the circle, back to the tip.
struct Pfeil {
    double tipX, tipY, baseX, baseY, laenge;
};
std::vector<Pfeil> pfeile(const std::vector<std::vector<double>>& linien) {
    std::vector<Pfeil> out;
    for (std::size_t i = 0; i + 2 < linien.size(); i += 3) {
        // STRECKE draws each line from its left end; the tip is the point the first and third share.
        const auto& a = linien[i];
        const auto& c = linien[i + 2];
        double tx = a[0], ty = a[1];
        if (!((std::abs(a[0] - c[0]) < 1e-4 && std::abs(a[1] - c[1]) < 1e-4) ||
              (std::abs(a[0] - c[2]) < 1e-4 && std::abs(a[1] - c[3]) < 1e-4))) {
            tx = a[2];
            ty = a[3];
        }
        const auto& b = linien[i + 1];
        const double bx = (b[0] + b[2]) / 2, by = (b[1] + b[3]) / 2;
        out.push_back({tx, ty, bx, by, std::hypot(bx - tx, by - ty)});
    }
    return out;
}

TEST(Kreis, EndMarksSitOnTheArcsEnds) {
    // An arc of 3 mm (0.6 rad of radius 5): the arrows shrink to 1.5 mm, their bases inside the arc.
    for (const bool sehnen : {false, true}) {
        SCOPED_TRACE(sehnen ? "chords" : "circle");
        Kreislauf k;
        k.kreis(25, 20, 5, 0, 0.6f, sehnen, 3);
        auto linien = zeichentest::linien(k.surface);
        if (sehnen) linien.erase(linien.begin(), linien.begin() + 4); // the chords of 10, 10, 10, 4.4 degrees
        const auto p = pfeile(linien);
        ASSERT_EQ(p.size(), 2u);
        const double tips[2][2] = {{25 + 5 * std::cos(0.6), 20 - 5 * std::sin(0.6)}, {30, 20}};
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(p[std::size_t(i)].tipX, tips[i][0], 1e-4);
            EXPECT_NEAR(p[std::size_t(i)].tipY, tips[i][1], 1e-4);
            EXPECT_NEAR(p[std::size_t(i)].laenge, 1.5, 0.01);
            EXPECT_NEAR(std::hypot(p[std::size_t(i)].baseX - 25, p[std::size_t(i)].baseY - 20), 5, 1e-3);
            const double basis = std::atan2(20 - p[std::size_t(i)].baseY, p[std::size_t(i)].baseX - 25);
            EXPECT_GT(basis, 0);
            EXPECT_LT(basis, 0.6);
        }
        EXPECT_EQ(k.surface.FillStyle(), platform::Surface::FillTransparent);
        EXPECT_EQ(k.surface.FillColor(), platform::RGB(255, 255, 255));
    }
}

TEST(Kreis, DotAtTheStartAndArrowAtTheEnd) {
    Kreislauf k;
    k.surface.setForeColor(platform::RGB(0, 0, 200));
    k.kreis(25, 20, 5, 0, float(kPi / 2), false, 4);
    const auto kreise = k.kreise();
    ASSERT_EQ(kreise.size(), 2u); // the arc, then the dot
    EXPECT_EQ(kreise[1].args, (std::vector<double>{30, 20, 0.5}));
    EXPECT_EQ(kreise[1].fillStyle, platform::Surface::FillSolid);
    EXPECT_EQ(kreise[1].fillColor, platform::RGB(0, 0, 200));
    const auto p = pfeile(zeichentest::linien(k.surface));
    ASSERT_EQ(p.size(), 1u);
    EXPECT_NEAR(p[0].tipX, 25, 1e-4);
    EXPECT_NEAR(p[0].tipY, 15, 1e-4);
}

TEST(Kreis, FillSettingsAreTouchedOnlyWithEndMarks) {
    for (const std::int16_t pfeile : {std::int16_t(0), std::int16_t(6)}) {
        Kreislauf k;
        k.surface.setFillStyle(platform::Surface::FillSolid);
        k.surface.setFillColor(platform::RGB(1, 2, 3));
        k.kreis(25, 20, 5, 0, float(kPi / 2), false, pfeile);
        EXPECT_EQ(k.kreise().size(), 1u);
        EXPECT_TRUE(zeichentest::linien(k.surface).empty());
        EXPECT_EQ(k.surface.FillStyle(),
                  pfeile == 0 ? platform::Surface::FillSolid : platform::Surface::FillTransparent);
        EXPECT_EQ(k.surface.FillColor(), pfeile == 0 ? platform::RGB(1, 2, 3) : platform::RGB(255, 255, 255));
    }
}

TEST(Kreis, CentreAndRadiusByCoordinateMode) {
    struct Fall {
        std::int16_t KO;
        float xm, ym, r;
    };
    // Data coordinates with 2 units per millimetre across and 1 up the page; the diagram area at (5, 3).
    const Fall faelle[] = {{0, 25, 20, 4}, {1, 10 + 25 / 2.0f, 20, 2}, {2, 30, 23, 4}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.KO);
        Kreislauf k;
        auto& m = k.grafik->modell();
        m.MX = 2;
        m.XMIN = 0;
        k.grafik->setEXDL(5);
        k.grafik->setEYDO(3);
        m.RL = 5;
        m.RO = 7;
        m.OY = 0; // y downwards: the data y is the millimetres below the frame's top
        m.YMIN = 10;
        k.kreis(25, 20, 4, 0, 0, false, 0, f.KO);
        const auto kreise = k.kreise();
        ASSERT_EQ(kreise.size(), 1u);
        EXPECT_EQ(kreise[0].args, (std::vector<double>{f.xm, f.ym, f.r}));
    }
}

TEST(Kreis, LinesMeetingTheCircle) {
    struct Fall {
        bool senkrecht;
        float linie;
        bool trifft;
        float a, b;
    };
    // Circle around (2, 1) of radius 5.
    const Fall faelle[] = {
        {true, 5, true, -3, 5},  {true, 7, true, 1, 1},   {true, 8, false, 99, 99},
        {false, 4, true, -2, 6}, {false, -4, true, 2, 2}, {false, -5, false, 99, 99},
    };
    for (const Fall& f : faelle) {
        float v[2] = {99, 99};
        const bool trifft = f.senkrecht ? drawing::SCHNITTSENKRECHT(2, 1, 5, f.linie, v)
                                        : drawing::SCHNITTWAAGRECHT(2, 1, 5, f.linie, v);
        EXPECT_EQ(trifft, f.trifft);
        EXPECT_FLOAT_EQ(v[0], f.a);
        EXPECT_FLOAT_EQ(v[1], f.b);
    }
    EXPECT_EQ(drawing::MIN(1, 2), 1);
    EXPECT_EQ(drawing::MIN(2, 1), 1);
}

} // namespace
