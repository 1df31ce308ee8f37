// The page with records that lack results: a record never evaluated and one with too few readings for a
// spline. The summary box, the lines of equal saturation and the one message of the load.
#include "MSeite1Lauf.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <QTextDocument>

using namespace mseite1test;
using platform::Variant;

namespace {

// Three records: P2 never evaluated (no result row, no evaluated points), P3 with two readings only.
void dreiProben(MSeite1Lauf& lauf, int POSP) {
    std::vector<fixture::Record> records = proben(3);
    records[2].readings.resize(2);
    lauf.projekt(records);
    lauf.setze(QStringLiteral("DELETE FROM A1 WHERE ID = 2"));
    lauf.setze(QStringLiteral("DELETE FROM A2 WHERE ID = 2"));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1 WHERE ID = 0").arg(POSP));
}

// The two lines of the summary box as printed.
QString kasten(mdiMSEITE1& seite) {
    platform::RecordingSurface blatt(druckseite());
    seite.setDrucker(&blatt);
    seite.BILD130(1, 20, 16);
    seite.setDrucker(nullptr);
    return texte(blatt);
}

std::vector<float> spalte(MSeite1Lauf& lauf, const char* name) {
    std::vector<float> v;
    for (int id : {1, 2, 3})
        v.push_back(platform::CSng(
            lauf.wert(QStringLiteral("SELECT [%1] FROM A1 WHERE ID = %2").arg(QLatin1String(name)).arg(id))));
    return v;
}

// A line of the box shows "-" for its mean and deviation when a record lacks its value (no row, Null or
// 0), as the table's column does; the other line keeps its figures. The three records' results: density
// 1,88189, 1,882506 and 1,883117 g/cm³ at water contents of 14,3, 14,9 and 15,5 %; by the spline 1,889772,
// 1,890352 and 1,890927 g/cm³ at 13,44, 14,04 and 14,64 %. Means and deviations (of a sample) of two or
// three of them, as the box rounds them:
TEST(OhneErgebnisse, TheSummaryBoxShowsDashesForALineThatARecordLacks) {
    const struct {
        const char* name;
        const char* sql; // after three evaluated records
        int POSP;
        const char* rho; // the density line's figures, or its dashes
        const char* w;   // the water content line's
    } cases[] = {
        {"no result row", "DELETE FROM A1 WHERE ID = 2", 0, "- ± -", "- ± -"},
        {"density Null", "UPDATE A1 SET RHPR = NULL WHERE ID = 2", 0, "- ± -", "14,9 ± 0,6"},
        {"water content 0", "UPDATE A1 SET WPR = 0 WHERE ID = 3", 0, "1,883 ± 0,001", "- ± -"},
        {"spline density 0", "UPDATE A1 SET RHPRSP = 0 WHERE ID = 1", 1, "- ± -", "14,0 ± 0,6"},
        {"spline density 0, points shown", "UPDATE A1 SET RHPRSP = 0 WHERE ID = 1", 0, "1,883 ± 0,001",
         "14,9 ± 0,6"},
        {"every value there", "SELECT 1", 1, "1,890 ± 0,001", "14,0 ± 0,6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MSeite1Lauf lauf;
        lauf.projekt(proben(3));
        lauf.setze(QString::fromLatin1(c.sql));
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1 WHERE ID = 0").arg(c.POSP));
        mdiMSEITE1& seite = lauf.laden();
        const QString text = kasten(seite);
        EXPECT_TRUE(
            text.contains(QStringLiteral(" = ") + QString::fromUtf8(c.rho) + QStringLiteral(" g/cm³")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral(" = ") + QString::fromUtf8(c.w) + QStringLiteral(" %")))
            << text.toStdString();
    }
}

// The lines of equal saturation stand where the evaluated records' grain density puts them: a record
// without results does not pull the mean down.
TEST(OhneErgebnisse, TheMeanGrainDensityIsThatOfTheRecordsWithOne) {
    MSeite1Lauf lauf;
    dreiProben(lauf, 0);
    mdiMSEITE1& seite = lauf.laden();
    const float rhs1 = spalte(lauf, "RHS")[0], rhs3 = spalte(lauf, "RHS")[2];
    ASSERT_GT(rhs1, 2.0f);
    ASSERT_TRUE(seite.statistik().RHS.MW);
    EXPECT_NEAR(*seite.statistik().RHS.MW, (rhs1 + rhs3) / 2, 1e-5);
}

// One message when the page loads: the records without results, and, when the page shows the spline,
// those without spline results. Drawing again asks nothing.
TEST(OhneErgebnisse, OneMessageNamesEveryRecordShownWithoutFigures) {
    const struct {
        int POSP;
        int SPRACHE;
        const char* erster;  // the first line
        const char* zweiter; // the heading of the spline's records, or none
    } cases[] = {
        {0, 3, "Datensätze ohne Ergebnisse (nicht ausgewertet), auf der Seite ohne diese Werte dargestellt:",
         nullptr},
        {1, 3, "Datensätze ohne Ergebnisse (nicht ausgewertet), auf der Seite ohne diese Werte dargestellt:",
         "Datensätze ohne Spline-Ergebnisse (weniger als drei Messungen oder nicht steigende Wassergehalte), "
         "auf der Seite ohne diese Werte dargestellt:"},
        {1, 1, "Records without results (not calculated), shown on the page without these values:",
         "Records without spline results (fewer than three readings or water contents that do not rise), "
         "shown on the page without these values:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.POSP * 10 + c.SPRACHE);
        MSeite1Lauf lauf;
        lauf.haupt.SPRACHE = std::int16_t(c.SPRACHE);
        dreiProben(lauf, c.POSP);
        mdiMSEITE1& seite = lauf.laden();
        ASSERT_EQ(lauf.meldungen().size(), 1) << lauf.meldungen().join(" | ").toStdString();
        const QStringList zeilen = lauf.meldungen().front().split(QLatin1Char('\n'));
        QStringList erwartet{QString::fromUtf8(c.erster), QStringLiteral("P2")};
        if (c.zweiter) erwartet << QString() << QString::fromUtf8(c.zweiter) << QStringLiteral("P3");
        EXPECT_EQ(zeilen, erwartet);
        EXPECT_EQ(lauf.dialoge().asked().front().style, platform::Msg::Exclamation | platform::Msg::OKOnly);
        seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
        seite.BILD110();
        EXPECT_EQ(lauf.meldungen().size(), 1);
    }
}

// Every evaluated record with a spline: nothing to tell, also with the switch on.
TEST(OhneErgebnisse, RecordsWithAllTheirResultsAskNothing) {
    for (int POSP : {0, 1}) {
        MSeite1Lauf lauf;
        lauf.projekt(proben(3));
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1 WHERE ID = 0").arg(POSP));
        lauf.laden();
        EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join(" | ").toStdString();
    }
}

// The names are the user's text: they stand after the first line, which a message box reads to decide
// whether the text is markup.
TEST(OhneErgebnisse, ANameThatLooksLikeMarkupStaysText) {
    std::vector<fixture::Record> records = proben(2);
    records[1].KEN = QStringLiteral("<b>P2</b>");
    MSeite1Lauf lauf;
    lauf.projekt(records);
    lauf.setze(QStringLiteral("DELETE FROM A1 WHERE ID = 2"));
    lauf.laden();
    ASSERT_EQ(lauf.meldungen().size(), 1);
    EXPECT_TRUE(lauf.meldungen().front().endsWith(QStringLiteral("\n<b>P2</b>")));
    EXPECT_FALSE(Qt::mightBeRichText(lauf.meldungen().front()));
}

} // namespace

namespace {

// The ranges of the diagram as its first drawing fitted them.
QString achsen(MSeite1Lauf& lauf) {
    QStringList out;
    for (const char* spalte : {"XMIN", "XMAX", "YMIN", "YMAX"})
        out << platform::CStr(lauf.wert(QStringLiteral("SELECT [%1] FROM G0 WHERE ID = 0 AND IDOBJEKT = 110")
                                            .arg(QLatin1String(spalte))));
    return out.join(QLatin1Char(' '));
}

} // namespace

// A record never evaluated has no points: it draws none at (0, 0), and the axes fit the records that
// have points, as if it were not on the page.
TEST(OhneErgebnisse, ARecordWithoutPointsLeavesTheAxesToTheOthers) {
    MSeite1Lauf mit;
    dreiProben(mit, 0);
    mit.laden();
    MSeite1Lauf ohne;
    dreiProben(ohne, 0);
    ohne.setze(QStringLiteral("UPDATE E1 SET AKT = 0 WHERE ID = 2"));
    ohne.laden();
    EXPECT_EQ(achsen(mit), achsen(ohne));
    EXPECT_GT(platform::CSng(mit.wert(QStringLiteral("SELECT YMIN FROM G0 WHERE ID = 0 AND IDOBJEKT = 110"))),
              1.0f);
}
