// The compaction diagram of page 1, drawn onto a recording printer page: the series, the legend, the line
// at the degree of compaction with its marks, and the saturation and air-void lines.
#include "Seite1Lauf.h"

#include "platform/runtime/NumberFormat.h"

#include <gtest/gtest.h>

using namespace seite1test;
using platform::Variant;

namespace {

const long kRot = 255, kBlau = 255L << 16, kSchwarz = 0;
enum Stil { Durchgezogen = 0, Gestrichelt = 1, Gepunktet = 2 };

// Page 1 of a record whose A1 row was changed after the evaluation, its diagram drawn again on a
// recording printer page.
struct Diagramm {
    explicit Diagramm(const fixture::Record& record, const QString& a1 = {}) {
        seite = &lauf.zeige(record, a1);
        seite->setDrucker(&druck);
        seite->BILD11(1);
    }
    float a1(const char* spalte) { return float(lauf.wert("A1", spalte).number()); }
    // The labels in one colour, run together in the order they were drawn.
    QString texteIn(long farbe) const {
        QString all;
        for (const auto& c : druck.calls())
            if ((c.name == QLatin1String("Print") || c.name == QLatin1String("TextOutRotated")) &&
                c.foreColor == farbe)
                all += c.text;
        return all;
    }

    Seite1Lauf lauf;
    mdiSEITE1* seite = nullptr;
    platform::RecordingSurface druck{druckseite()};
};

TEST(Diagramm, PointsOrSplineCurvesOfTheCorrectedSoilAndOfTheTestedFraction) {
    // Six readings: a polyline has 5 segments, a spline curve 71. Marker type 5 is a triangle of three
    // lines, marker type 2 a box; the legend adds one line and one marker to each series.
    const struct {
        const char* name;
        bool ueberkorn;
        int POSP;
        std::size_t rot, gepunktet, kaestchen;
        bool legende;
    } cases[] = {
        {"no oversize, points", false, 0, 5 + 6 * 3, 0, 0, false},
        {"no oversize, spline", false, 1, 71 + 6 * 3, 0, 0, false},
        {"oversize, points", true, 0, 5 + 1, 5 + 6 * 3 + 1 + 2 * 3, 6 + 2, true},
        {"oversize, spline", true, 1, 71 + 1, 71 + 6 * 3 + 1 + 2 * 3, 6 + 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fixture::Record r =
            c.ueberkorn ? fixture::withOversize(fixture::dryingSet()) : fixture::dryingSet();
        Diagramm d(r, QStringLiteral("POSP = %1").arg(c.POSP));
        EXPECT_EQ(d.seite->POSP(), c.POSP);
        EXPECT_EQ(linien(d.druck, kRot, Durchgezogen).size(), c.rot);
        EXPECT_EQ(linien(d.druck, kSchwarz, Gepunktet).size(), c.gepunktet);
        EXPECT_EQ(d.druck.calls(QStringLiteral("Box")).size(), c.kaestchen);
        const QString legende = d.texteIn(kRot) + d.texteIn(kSchwarz);
        EXPECT_EQ(legende.contains(QStringLiteral(" mit Überkornanteil")), c.legende);
        EXPECT_EQ(legende.contains(QStringLiteral(" ohne Überkornanteil")), c.legende);
        EXPECT_TRUE(d.lauf.meldungen().isEmpty());
    }
}

TEST(Diagramm, TheLegendStandsNearTheLowerLeftCorner) {
    Diagramm d(fixture::withOversize(fixture::dryingSet()));
    std::optional<platform::RecordingSurface::Call> mit, ohne;
    for (const auto& c : d.druck.calls(QStringLiteral("Print"))) {
        if (c.text == QStringLiteral(" mit Überkornanteil")) mit = c;
        if (c.text == QStringLiteral(" ohne Überkornanteil")) ohne = c;
    }
    ASSERT_TRUE(mit && ohne);
    EXPECT_EQ(mit->foreColor, kRot);
    // The plot frame on paper runs from 27 to 157 mm across and from 39 to 169 mm down.
    EXPECT_LT(mit->args[0], 27 + 130 * 0.25);
    EXPECT_GT(mit->args[1], 169 - 130 * 0.15);
    EXPECT_GT(ohne->args[1], mit->args[1]); // the tested fraction below
}

TEST(Diagramm, TheLineAtTheDegreeOfCompactionWithItsMarksFromThePointsOrTheSpline) {
    for (int POSP : {0, 1}) {
        SCOPED_TRACE(POSP);
        Diagramm d(fixture::dryingSet(), QStringLiteral("POSP = %1").arg(POSP));
        const char* spalten[3][2] = {{"RHPR", "RHPRSP"}, {"WUDPR", "WUDPRSP"}, {"WODPR", "WODPRSP"}};
        const float rhoPr = d.a1(spalten[0][POSP]), wu = d.a1(spalten[1][POSP]), wo = d.a1(spalten[2][POSP]);
        const float t = 97 / 100.0f * rhoPr;
        const QString schwarz = d.texteIn(kSchwarz);
        EXPECT_TRUE(schwarz.contains(QStringLiteral("DPr = 97 %")));
        EXPECT_TRUE(schwarz.contains(QStringLiteral("rd = ") +
                                     platform::Format(Variant(t), QStringLiteral("#0.000")) +
                                     QStringLiteral(" g/cm³")));
        EXPECT_TRUE(schwarz.contains(QStringLiteral("wu = ") +
                                     platform::Format(Variant(wu), QStringLiteral("#0.0 %"))));
        EXPECT_TRUE(schwarz.contains(QStringLiteral("wo = ") +
                                     platform::Format(Variant(wo), QStringLiteral("#0.0 %"))));
        // One dashed line across the plot frame (27 to 157 mm on paper).
        const auto gestrichelt = linien(d.druck, kSchwarz, Gestrichelt);
        ASSERT_EQ(gestrichelt.size(), 1u);
        EXPECT_NEAR(gestrichelt[0][0], 27, 0.01);
        EXPECT_NEAR(gestrichelt[0][2], 157, 0.01);
        EXPECT_EQ(gestrichelt[0][1], gestrichelt[0][3]);
    }
}

TEST(Diagramm, NoDegreeOfCompactionNoLineAndAMissingWaterContentNoMark) {
    const fixture::Record ohneGrad = [] {
        fixture::Record r = fixture::dryingSet();
        r.DPR = 0;
        return r;
    }();
    Diagramm keine(ohneGrad);
    EXPECT_TRUE(linien(keine.druck, kSchwarz, Gestrichelt).empty());
    EXPECT_FALSE(keine.texteIn(kSchwarz).contains(QStringLiteral("DPr")));
    EXPECT_FALSE(keine.texteIn(kSchwarz).contains(QStringLiteral("wu = ")));

    Diagramm beide(fixture::dryingSet());
    Diagramm ohneTrocken(fixture::dryingSet(), QStringLiteral("WUDPR = 0"));
    EXPECT_EQ(linien(ohneTrocken.druck, kSchwarz, Gestrichelt).size(), 1u);
    EXPECT_FALSE(ohneTrocken.texteIn(kSchwarz).contains(QStringLiteral("wu = ")));
    EXPECT_TRUE(ohneTrocken.texteIn(kSchwarz).contains(QStringLiteral("wo = ")));
    // Each mark is two short ticks.
    EXPECT_EQ(linien(beide.druck, kSchwarz, Durchgezogen).size() -
                  linien(ohneTrocken.druck, kSchwarz, Durchgezogen).size(),
              2u);
}

TEST(Diagramm, SaturationAndAirVoidLinesByTheirSwitchesAndSpacing) {
    // The blue labels, run together: the first line of a family carries the name.
    const struct {
        const char* name;
        QString a1;
        QString blau;
    } cases[] = {
        {"saturation 0.1 (defaults)", QString(), QStringLiteral("Sr = 10,90,80,70,60,5")},
        {"saturation 0.25", QStringLiteral("DESR = 0.25"), QStringLiteral("Sr = 10,750,5")},
        // Eleven air-void lines: the last one at 0.25 is no longer lost to rounding.
        {"air voids 0.025", QStringLiteral("SRLI = 0, NALI = 1"),
         QStringLiteral("na = 00,0250,050,0750,10,1250,150,1750,20,2250,25")},
        {"air voids 0.05", QStringLiteral("SRLI = 0, NALI = 1, DENA = 0.05"),
         QStringLiteral("na = 00,050,10,150,20,25")},
        {"both families", QStringLiteral("NALI = 1, DESR = 0.25, DENA = 0.125"),
         QStringLiteral("Sr = 10,750,5na = 00,1250,25")},
        {"switched off", QStringLiteral("SRLI = 0"), QString()},
        {"no spacing", QStringLiteral("DESR = 0"), QString()},
        {"negative spacing", QStringLiteral("DESR = -0.1"), QString()},
        // Without a grain density there is no such line, and no error.
        {"no grain density", QStringLiteral("RHS = 0, NALI = 1"), QString()},
        {"negative grain density", QStringLiteral("RHS = -2.7, NALI = 1"), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Diagramm d(fixture::dryingSet(), c.a1);
        EXPECT_EQ(d.texteIn(kBlau), c.blau);
        EXPECT_EQ(linien(d.druck, kBlau).empty(), c.blau.isEmpty());
        EXPECT_TRUE(d.lauf.meldungen().isEmpty()) << d.lauf.meldungen().join('\n').toStdString();
    }
}

TEST(Diagramm, ALineOutsideTheDensityRangeIsLeftOut) {
    // Dry densities from 2.0 g/cm³ up, water contents from 8 %: the lines of 60 and 50 % saturation stay
    // below that on the whole axis.
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    lauf.setze(QStringLiteral("UPDATE G0 SET YMIN = 2.0, YMAX = 2.4 WHERE ID = 1"));
    platform::RecordingSurface druck(druckseite());
    seite.setDrucker(&druck);
    seite.BILD11(1);
    QString blau;
    for (const auto& c : druck.calls())
        if (c.foreColor == kBlau && c.name == QLatin1String("TextOutRotated")) blau += c.text;
    EXPECT_EQ(blau, QStringLiteral("Sr = 10,90,80,7"));
}

TEST(Diagramm, PrintedAtThePicturesPlacePlusTheOffsets) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    platform::RecordingSurface ohne(druckseite()), mit(druckseite());
    seite.setDrucker(&ohne);
    seite.BILD11(1);
    seite.setDrucker(&mit);
    seite.BILD11(1, 10, 5);
    const auto a = ohne.calls(QStringLiteral("Line")), b = mit.calls(QStringLiteral("Line"));
    ASSERT_EQ(a.size(), b.size());
    double links = 1e9, oben = 1e9, rechts = 0, unten = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(b[i].args[0], a[i].args[0] + 10, 1e-3);
        EXPECT_NEAR(b[i].args[1], a[i].args[1] + 5, 1e-3);
        links = std::min({links, a[i].args[0], a[i].args[2]});
        rechts = std::max({rechts, a[i].args[0], a[i].args[2]});
        oben = std::min({oben, a[i].args[1], a[i].args[3]});
        unten = std::max({unten, a[i].args[1], a[i].args[3]});
    }
    // The diagram area on paper: 154 x 151 mm from (15, 30).
    EXPECT_GE(links, 15);
    EXPECT_LE(rechts, 15 + 154);
    EXPECT_GE(oben, 30);
    EXPECT_LE(unten, 30 + 151);
    // The screen is not touched by printing the picture.
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

TEST(Diagramm, GridLinesFollowTheirSwitches) {
    const auto senkrecht = [](const Diagramm& d) {
        std::size_t n = 0;
        for (const auto& l : linien(d.druck, kSchwarz, Durchgezogen))
            if (l[0] == l[2] && std::abs(l[1] - l[3]) > 100) ++n; // across the whole plot frame
        return n;
    };
    const auto waagerecht = [](const Diagramm& d) {
        std::size_t n = 0;
        for (const auto& l : linien(d.druck, kSchwarz, Durchgezogen))
            if (l[1] == l[3] && std::abs(l[0] - l[2]) > 100) ++n;
        return n;
    };
    Diagramm ohne(fixture::dryingSet());
    Diagramm w(fixture::dryingSet(), QStringLiteral("GITW = 1"));
    Diagramm rho(fixture::dryingSet(), QStringLiteral("GITRHD = 1"));
    EXPECT_GT(senkrecht(w), senkrecht(ohne));
    EXPECT_EQ(waagerecht(w), waagerecht(ohne));
    EXPECT_GT(waagerecht(rho), waagerecht(ohne));
    EXPECT_EQ(senkrecht(rho), senkrecht(ohne));
}

TEST(Diagramm, TheDiagramDrawsItsOwnPointsWhateverTheTableCounts) {
    // A reading stored after the evaluation: the table counts it, the diagram draws the evaluated points,
    // one marker each, also when it is drawn again after the table.
    for (int POSP : {0, 1}) {
        SCOPED_TRACE(POSP);
        Seite1Lauf lauf;
        ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
        lauf.setze(QStringLiteral("INSERT INTO E3 (ID, I1, M1, HS) VALUES (1, 7, 3100, 0.5)"));
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1").arg(POSP));
        mdiSEITE1& seite = lauf.laden();
        EXPECT_EQ(seite.readingCount(), 7);
        EXPECT_EQ(seite.pointCount(), 5);
        platform::RecordingSurface druck(druckseite());
        seite.setDrucker(&druck);
        seite.BILD11(1);
        EXPECT_EQ(linien(druck, kRot).size(), (POSP ? 71u : 5u) + 6 * 3);
        EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    }
}

} // namespace
