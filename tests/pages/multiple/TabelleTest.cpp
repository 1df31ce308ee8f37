// The results table and the summary box: the values of every record, the statistics rows with their "-"
// rule, the spline switch, and the box's figures from the statistics of the load.
#include "MSeite1Lauf.h"

#include "STATISTIK.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"

#include <gtest/gtest.h>

using namespace mseite1test;
using platform::Variant;

namespace {

std::vector<float> spalte(MSeite1Lauf& lauf, const char* name, float faktor = 1) {
    std::vector<float> v;
    for (int id : {1, 2, 3})
        v.push_back(
            platform::CSng(lauf.wert(
                QStringLiteral("SELECT [%1] FROM A1 WHERE ID = %2").arg(QLatin1String(name)).arg(id))) *
            faktor);
    return v;
}

QString zelle(const drawing::Zellenfeld& f, int i, int j) {
    const Variant& v = f(i, j);
    return v.isEmpty() ? QString() : platform::CStr(v);
}

TEST(Tabelle, EveryRecordWithItsResultsAndTheStatisticsOfTheValuesShown) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(3);
    const drawing::Zellenfeld& body = seite.tabelle();
    ASSERT_EQ(body.rows(), 3);
    EXPECT_EQ(zelle(body, 0, 1), QStringLiteral("P2"));
    EXPECT_TRUE(body.klartext(0, 1));
    const struct {
        int column;
        const char* name;
        float faktor;
    } cases[] = {{1, "RHPR", 1}, {2, "WPR", 100}, {3, "WUDPR", 100}, {4, "WODPR", 100}, {5, "RHS", 1}};
    const drawing::Zellenfeld& st = seite.tabellenstatistik();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<float> werte = spalte(lauf, c.name, c.faktor);
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(platform::CSng(body(c.column, j)), werte[std::size_t(j)], 1e-4);
        const drawing::Statistik s = drawing::STATISTIK(werte);
        EXPECT_NEAR(platform::CSng(st(c.column, 0)), *s.MW, 1e-4);
        EXPECT_NEAR(platform::CSng(st(c.column, 1)), *s.SD, 1e-4);
        EXPECT_NEAR(platform::CSng(st(c.column, 2)), *s.VK, 1e-5);
    }
    EXPECT_EQ(zelle(st, 0, 0), QStringLiteral("Mittelwert"));
    EXPECT_EQ(zelle(st, 0, 1), QStringLiteral("Stand.abw."));
    EXPECT_EQ(zelle(st, 0, 2), QStringLiteral("Var.koeff."));
    // The page statistics of the load: the mean grain density, the results' means and deviations.
    EXPECT_NEAR(*seite.statistik().RHS.MW, *drawing::STATISTIK(spalte(lauf, "RHS")).MW, 1e-5);
    EXPECT_NEAR(*seite.statistik().WPR.SD, *drawing::STATISTIK(spalte(lauf, "WPR")).SD, 1e-6);
}

// A column with an empty or zero cell has no statistics: "-" in its three rows; the other columns keep
// theirs. A record without results shows empty densities and 0.0 water contents.
TEST(Tabelle, AColumnWithAnEmptyOrZeroCellShowsDashes) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(3));
    lauf.setze(QStringLiteral("UPDATE A1 SET WUDPR = 0 WHERE ID = 1"));
    mdiMSEITE1& seite = lauf.laden();
    const drawing::Zellenfeld& st = seite.tabellenstatistik();
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ(zelle(st, 3, j), QStringLiteral("-"));
        EXPECT_NE(zelle(st, 2, j), QStringLiteral("-"));
    }

    MSeite1Lauf leer;
    leer.projekt(proben(2));
    leer.setze(QStringLiteral("DELETE FROM A1 WHERE ID = 2"));
    mdiMSEITE1& s2 = leer.laden();
    const drawing::Zellenfeld& body = s2.tabelle();
    EXPECT_TRUE(body(1, 1).isEmpty());
    EXPECT_TRUE(body(5, 1).isEmpty());
    EXPECT_EQ(platform::CSng(body(2, 1)), 0.0f);
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(zelle(s2.tabellenstatistik(), i, 0), QStringLiteral("-")) << i;
    // The page statistics of a result that a record lacks are empty too, and the load names the record.
    EXPECT_FALSE(s2.statistik().RHPR.MW);
    ASSERT_EQ(leer.meldungen().size(), 1);
    EXPECT_TRUE(leer.meldungen().front().endsWith(QStringLiteral("\nP2")));
}

TEST(Tabelle, TheSplineSwitchChangesTheResultColumnsAndTheSummaryBox) {
    const struct {
        int POSP;
        const char* rho;
        const char* w;
    } cases[] = {{0, "RHPR", "WPR"}, {1, "RHPRSP", "WPRSP"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.POSP);
        MSeite1Lauf lauf;
        lauf.projekt(proben(3));
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1 WHERE ID = 0").arg(c.POSP));
        mdiMSEITE1& seite = lauf.laden();
        const std::vector<float> rho = spalte(lauf, c.rho), w = spalte(lauf, c.w, 100);
        EXPECT_NEAR(platform::CSng(seite.tabelle()(1, 2)), rho[2], 1e-5);
        EXPECT_NEAR(platform::CSng(seite.tabelle()(2, 2)), w[2], 1e-4);
        EXPECT_NEAR(platform::CSng(seite.tabelle()(5, 2)), spalte(lauf, "RHS")[2], 1e-5); // RHS either way

        platform::RecordingSurface blatt(druckseite());
        seite.setDrucker(&blatt);
        seite.BILD130(1, 20, 16);
        const drawing::Statistik r = drawing::STATISTIK(rho), s = drawing::STATISTIK(spalte(lauf, c.w));
        const QString text = texte(blatt);
        const auto f = [](float v, const char* p) {
            return platform::Format(Variant(v), QString::fromLatin1(p));
        };
        EXPECT_TRUE(text.contains(f(*r.MW, "#0.000") + QStringLiteral(" ± ") + f(*r.SD, "#0.000")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(f(*s.MW * 100, "#0.0") + QStringLiteral(" ± ") + f(*s.SD * 100, "#0.0")))
            << text.toStdString();
        // The frame of the box: 45 x 14 mm from 2 mm inside the printed box.
        const auto boxes = blatt.calls(QStringLiteral("Box"));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NEAR(boxes[0].args[0], 153 + 20 + 2, 0.01);
        EXPECT_NEAR(boxes[0].args[1], 135 + 16 + 2, 0.01);
        EXPECT_NEAR(boxes[0].args[2] - boxes[0].args[0], 45, 0.01);
        EXPECT_NEAR(boxes[0].args[3] - boxes[0].args[1], 14, 0.01);
    }
}

TEST(Tabelle, ASingleRecordHasNoDeviation) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(1);
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.BILD130(1, 20, 16);
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral(" ± -"))) << texte(blatt).toStdString();
    EXPECT_EQ(zelle(seite.tabellenstatistik(), 1, 1), QStringLiteral("-"));
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

} // namespace
