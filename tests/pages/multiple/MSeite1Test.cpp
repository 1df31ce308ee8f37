// The multiple page: its load, the scale chain of its diagram, the curves, the line families, its keys,
// events and the page settings.
#include "MSeite1Lauf.h"

#include "frmKONTEXT.h"

#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/CheckBox.h"

#include "platform/runtime/Convert.h"

#include <gtest/gtest.h>
#include <QScrollBar>

using namespace mseite1test;
using platform::Variant;

namespace {

float g0(MSeite1Lauf& lauf, const char* spalte) {
    return platform::CSng(lauf.wert(
        QStringLiteral("SELECT [%1] FROM G0 WHERE ID = 0 AND IDOBJEKT = 110").arg(QLatin1String(spalte))));
}

// The blue lines (saturation and air-void lines) of the printed diagram.
std::size_t blaueLinien(mdiMSEITE1& seite) {
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.BILD110(1, 0, 0);
    seite.setDrucker(nullptr);
    std::size_t n = 0;
    for (const auto& c : blatt.calls(QStringLiteral("Line")))
        if (c.color.value_or(c.foreColor) == 0xFF0000) ++n; // RGB(0, 0, 255)
    return n;
}

TEST(MSeite1, LoadingTakesTheActiveRecordsByIdWithoutTheMultipleEvaluationAndStepsTheBar) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(4));
    lauf.setze(QStringLiteral("UPDATE E1 SET AKT = 0 WHERE ID = 2"));
    lauf.setze(QStringLiteral("UPDATE E1 SET AKT = 1 WHERE ID = 0")); // never listed, even when active
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_EQ(seite.ids(), (std::vector<std::int32_t>{1, 3, 4}));
    EXPECT_EQ(seite.namen(), (QStringList{QStringLiteral("P1"), QStringLiteral("P3"), QStringLiteral("P4")}));
    EXPECT_TRUE(seite.kommentar().isEmpty()); // no M1 row
    EXPECT_TRUE(seite.geladen());
    EXPECT_FALSE(seite.BONEU());
    const std::vector<float>& bar = lauf.run.progress().values();
    ASSERT_GE(bar.size(), 4u);
    EXPECT_EQ(bar.front(), 0);
    EXPECT_EQ(bar[1], 30);
    EXPECT_EQ(bar.back(), 90);
    // The diagram moves the bar by 30 in small steps between 30 and 60.
    EXPECT_NE(std::find(bar.begin(), bar.end(), 60.0f), bar.end());
    EXPECT_TRUE(std::is_sorted(bar.begin(), bar.end()));
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
}

TEST(MSeite1, TheCommentOfTheMultipleEvaluationStandsInTheHeader) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(2));
    lauf.setze(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, 'Baugrube {Nord}')"));
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_EQ(seite.kommentar(), QStringLiteral("Baugrube {Nord}"));
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.DRUCKEN();
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("Baugrube {Nord}")));
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("P1, P2")));
}

// The first drawing of a new evaluation writes the diagram's defaults and fits the axes to every
// record's points: a single record widens the stored zero bounds, several start from their own data.
TEST(MSeite1, TheScaleChainLeavesTheG0RowOfTheMultipleDiagram) {
    const struct {
        int n;
        bool vomNullpunkt;
    } cases[] = {{1, true}, {2, false}, {3, false}, {20, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        MSeite1Lauf lauf;
        lauf.zeige(c.n);
        EXPECT_EQ(g0(lauf, "OX"), 1);
        EXPECT_EQ(g0(lauf, "OY"), 1);
        EXPECT_EQ(g0(lauf, "RL"), 12);
        EXPECT_EQ(g0(lauf, "RR"), 12);
        EXPECT_EQ(g0(lauf, "RO"), 9);
        EXPECT_EQ(g0(lauf, "RU"), 12);
        EXPECT_EQ(g0(lauf, "MYMX"), 0);
        const float wMin =
            platform::CSng(lauf.wert(QStringLiteral("SELECT MIN(W) FROM A2 WHERE ID > 0"))) * 100;
        const float wMax =
            platform::CSng(lauf.wert(QStringLiteral("SELECT MAX(W) FROM A2 WHERE ID > 0"))) * 100;
        const float rMin = platform::CSng(lauf.wert(QStringLiteral("SELECT MIN(RHD) FROM A2 WHERE ID > 0")));
        const float rMax = platform::CSng(lauf.wert(QStringLiteral("SELECT MAX(RHD) FROM A2 WHERE ID > 0")));
        if (c.vomNullpunkt) {
            EXPECT_EQ(g0(lauf, "XMIN"), 0);
            EXPECT_EQ(g0(lauf, "YMIN"), 0);
        } else {
            EXPECT_GT(g0(lauf, "XMIN"), 0);
            EXPECT_GT(g0(lauf, "YMIN"), 0);
        }
        EXPECT_LE(g0(lauf, "XMIN"), wMin);
        EXPECT_GE(g0(lauf, "XMAX"), wMax);
        EXPECT_LE(g0(lauf, "YMIN"), rMin);
        EXPECT_GE(g0(lauf, "YMAX"), rMax);
        // The scales of the screen's plot area, 111 x 109 mm.
        EXPECT_NEAR(g0(lauf, "MX"), (g0(lauf, "XMAX") - g0(lauf, "XMIN")) / (135 - 24), 1e-4);
        EXPECT_NEAR(g0(lauf, "MY"), (g0(lauf, "YMAX") - g0(lauf, "YMIN")) / (130 - 21), 1e-4);
        EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    }
}

TEST(MSeite1, LaterDrawingsKeepTheStoredBoundsAndComputeOnlyTheScales) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    lauf.setze(
        QStringLiteral("UPDATE G0 SET XMIN = 0, XMAX = 40, YMIN = 1.2, YMAX = 2.4, MX = 7 WHERE ID = 0"));
    seite.BILD110();
    EXPECT_EQ(g0(lauf, "XMIN"), 0);
    EXPECT_EQ(g0(lauf, "XMAX"), 40);
    EXPECT_NEAR(g0(lauf, "YMAX"), 2.4, 1e-6);
    EXPECT_NEAR(g0(lauf, "MX"), 40.0 / 111, 1e-4);
}

TEST(MSeite1, WithTheSplineSwitchEachRecordIsACurveWithAMarkerOnEveryReading) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(2));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1, DKEN = 1 WHERE ID = 0"));
    lauf.setze(
        QStringLiteral("UPDATE E1 SET KEN = '{2}' WHERE ID = 2")); // a name is no markup (and short: a label
                                                                   // that leaves the frame is left out)
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_EQ(seite.POSP(), 1);
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.BILD110(1, 0, 0);
    // Open squares of 1 mm: six per record; and each name beside its curve.
    int marken = 0;
    for (const auto& c : blatt.calls(QStringLiteral("Box")))
        if (std::abs(c.args[2] - c.args[0] - 1) < 0.05) ++marken;
    EXPECT_EQ(marken, 12);
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("P1")));
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("{2}"))) << texte(blatt).toStdString();
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

// A record whose water contents do not rise has no spline: it is drawn through its points, and the load
// tells the user once which record it is, however often the page is drawn.
TEST(MSeite1, ARecordWithoutASplineIsDrawnThroughItsPointsWithOneMessage) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(3));
    lauf.setze(QStringLiteral("UPDATE A2 SET W = 0.30 WHERE ID = 2 AND I1 = 3"));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    ASSERT_EQ(lauf.meldungen().size(), 1);
    EXPECT_TRUE(lauf.meldungen().front().contains(QStringLiteral("P2")));
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.BILD110(1, 0, 0);
    seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    EXPECT_EQ(lauf.meldungen().size(), 1);
    EXPECT_FALSE(lauf.meldungen().join('|').contains(QStringLiteral("Fehler bei SPLINE")));
    // Its points are drawn: an open square on each of the 18 readings.
    int marken = 0;
    for (const auto& c : blatt.calls(QStringLiteral("Box")))
        if (std::abs(c.args[2] - c.args[0] - 1) < 0.05) ++marken;
    EXPECT_EQ(marken, 18);
}

TEST(MSeite1, EveryRecordWithoutASplineIsNamedInOneMessage) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(3));
    lauf.setze(QStringLiteral("UPDATE A2 SET W = 0.30 WHERE ID IN (1, 3) AND I1 = 3"));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    ASSERT_EQ(lauf.meldungen().size(), 1);
    EXPECT_TRUE(lauf.meldungen()[0].endsWith(QStringLiteral("\nP1\nP3")));
}

TEST(MSeite1, TheLineFamiliesNeedAPositiveMeanGrainDensity) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(2));
    lauf.setze(QStringLiteral("UPDATE A1 SET SRLI = 1, DESR = 0.1, NALI = 0 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_GT(blaueLinien(seite), 0u);

    MSeite1Lauf ohne;
    ohne.projekt(proben(2));
    ohne.setze(QStringLiteral("UPDATE A1 SET RHS = 0"));
    ohne.setze(QStringLiteral("UPDATE A1 SET SRLI = 1, DESR = 0.1 WHERE ID = 0"));
    mdiMSEITE1& leer = ohne.laden();
    EXPECT_EQ(blaueLinien(leer), 0u);
    EXPECT_TRUE(ohne.meldungen().isEmpty()) << ohne.meldungen().join('\n').toStdString();
}

TEST(MSeite1, AProjectWithoutResultsStillDrawsThePage) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(2));
    lauf.setze(QStringLiteral("DELETE FROM A1 WHERE ID > 0"));
    lauf.setze(QStringLiteral("DELETE FROM A2"));
    lauf.setze(QStringLiteral("UPDATE A1 SET SRLI = 1, DESR = 0.1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_TRUE(seite.geladen());
    // One message names both records; the summary box has no figures.
    ASSERT_EQ(lauf.meldungen().size(), 1) << lauf.meldungen().join('\n').toStdString();
    EXPECT_TRUE(lauf.meldungen().front().endsWith(QStringLiteral("\nP1\nP2")));
    EXPECT_FALSE(seite.statistik().RHPR.MW);
    EXPECT_FALSE(seite.picBILD110->picture().isNull());
}

TEST(MSeite1, APageWithoutRecordsDrawsItsFrameAndPrints) {
    MSeite1Lauf lauf;
    lauf.projekt({});
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_TRUE(seite.geladen());
    EXPECT_TRUE(seite.ids().empty());
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.DRUCKEN();
    EXPECT_EQ(seite.blaetter(), 1);
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("Mittelwert")));
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
}

TEST(MSeite1, KeysOfThePageAndOfItsPicturesPressTheMainWindowsCommands) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    const struct {
        int code, shift;
        int panel; // -1 none, 0 quit
    } cases[] = {{27, 0, 15}, {27, 2, 15}, {81, 4, 0},  {83, 2, 10}, {80, 2, 11}, {67, 2, 12},
                 {87, 2, 13}, {65, 2, 14}, {80, 0, -1}, {81, 2, -1}, {66, 2, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        lauf.haupt.panels.clear();
        lauf.haupt.beenden = 0;
        EXPECT_EQ(seite.Form_KeyDown(c.code, c.shift), c.panel >= 0);
        if (c.panel > 0) {
            EXPECT_EQ(lauf.haupt.panels, std::vector<int>{c.panel});
        } else if (c.panel == 0) {
            EXPECT_EQ(lauf.haupt.beenden, 1);
        } else {
            EXPECT_TRUE(lauf.haupt.panels.empty());
        }
    }
    seite.Form_Activate();
    EXPECT_EQ(lauf.haupt.sichtbar.back(), (std::pair<int, bool>{14, false}));
}

TEST(MSeite1, ARightClickOnTheDiagramOpensItsDialogAClickOnThePageThePageDialog) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    seite.picBILD110_MouseDown(Qt::LeftButton);
    EXPECT_EQ(lauf.dialoge().count(QStringLiteral("ShowForm")), 0);
    seite.picBILD110_MouseDown(Qt::RightButton);
    EXPECT_EQ(lauf.dialoge().count(QStringLiteral("ShowForm")), 1);

    seite.KONTEXT(false, true, 0xC0C0C0, 0xE0E0E0);
    seite.Form_Click();
    frmKONTEXT* dialog = frmKONTEXT::offen();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->chkBOKF_Tag, QStringLiteral("0"));
    EXPECT_EQ(dialog->chkBOKFS_Tag, QStringLiteral("1"));
    EXPECT_EQ(dialog->cdlFARBEN_Color[0], 0xC0C0C0);
    EXPECT_EQ(dialog->cdlFARBEN_Color[1], 0xE0E0E0);
    EXPECT_EQ(dialog->seite(), &seite);
    // OK sends the settings to this page, whichever window is active.
    dialog->chkBOKF->setValue(1);
    dialog->cmdOK_Click();
    EXPECT_TRUE(seite.HBOKF());
    EXPECT_EQ(seite.pictureColor(), 0xE0E0E0);
}

TEST(MSeite1, MovingTheTablesScrollBarRedrawsOnlyTheTable) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(20);
    ASSERT_TRUE(seite.vscBILD120->isVisibleTo(&seite));
    const QImage diagramm = seite.picBILD110->picture();
    const QImage vorher = seite.picBILD120->picture();
    seite.vscBILD120->setValue(seite.vscBILD120->maximum());
    EXPECT_NE(seite.picBILD120->picture(), vorher);
    EXPECT_EQ(seite.picBILD110->picture(), diagramm);
}

} // namespace
