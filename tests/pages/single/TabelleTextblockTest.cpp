// The table of readings and the text block of page 1, drawn onto a recording printer page.
#include "Seite1Lauf.h"

#include "platform/runtime/NumberFormat.h"

#include <gtest/gtest.h>

using namespace seite1test;

namespace {

// The texts of the cells and labels, one per print call.
QStringList zellen(const platform::RecordingSurface& s) {
    QStringList out;
    for (const auto& c : s.calls(QStringLiteral("Print")))
        out << c.text;
    return out;
}

struct Gedruckt {
    explicit Gedruckt(const fixture::Record& record, const QString& a1 = {}) {
        seite = &lauf.zeige(record, a1);
        seite->setDrucker(&druck);
    }
    Seite1Lauf lauf;
    mdiSEITE1* seite = nullptr;
    platform::RecordingSurface druck{druckseite()};
};

TEST(Tabelle, DryingOfSubSamplesOneRowPerReadingWithTitleAndFootnote) {
    Gedruckt g(fixture::dryingSet());
    g.seite->BILD12(1, 20, 8);
    const QStringList z = zellen(g.druck);
    for (const char* text :
         {"Nr", "[g]", "[cm]", "h'", "0", "1", "2", "3", "4", "5", "2783,00", "3196,00", "0,47", "256,20",
          "240,00", "40,00", "Wassergehaltbestimmung durch Trocknen von Teilproben", "h'' = 1,20 cm"})
        EXPECT_TRUE(z.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(z.contains(QStringLiteral("6")));
    EXPECT_EQ(g.seite->readingCount(), 5);
    // The table starts at its picture's place plus the offsets and the margins, 153 + 20 + 2.5 across and
    // 30 + 8 + 7 down, its double frame's outer line half a millimetre further out.
    double links = 1e9, oben = 1e9;
    for (const auto& c : g.druck.calls())
        if (c.name == QLatin1String("Line") || c.name == QLatin1String("Box")) {
            links = std::min({links, c.args[0], c.args[2]});
            oben = std::min({oben, c.args[1], c.args[3]});
        }
    EXPECT_NEAR(links, 175.5 - 0.5, 0.01);
    EXPECT_NEAR(oben, 45 - 0.5, 0.01);
    EXPECT_TRUE(g.lauf.meldungen().isEmpty());
}

TEST(Tabelle, AddedWaterShowsTheSoilAloneAndTheStoredSum) {
    Gedruckt g(fixture::addedWaterSet());
    g.seite->BILD12(1, 20, 8);
    const QStringList z = zellen(g.druck);
    // The first reading: 2010 g of soil in the cylinder of 4000 g; the rest (3000 x 1.128 - 2010 g) with
    // the accessories (200 g) is 1574 g.
    for (const char* text :
         {"Wassergehaltbestimmung durch Wiegen der Wasserzugabe", "6010,00", "1574,00", "7584,00", "m",
          " + m", "1,r", "h'' = 1,20 cm         m", "s,g", " = 3000,00 g         m", " = 200,00 g"})
        EXPECT_TRUE(z.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(g.seite->readingCount(), 4);
}

TEST(Tabelle, AReadingNumberWithoutARowLeavesItsRowEmpty) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::addedWaterSet()));
    lauf.setze(QStringLiteral("INSERT INTO E3 (ID, I1, M1, M1R, HS) VALUES (1, 6, 9000, 1500, 0.5)"));
    mdiSEITE1& seite = lauf.laden();
    platform::RecordingSurface druck(druckseite());
    seite.setDrucker(&druck);
    seite.BILD12(1);
    const QStringList z = zellen(druck);
    EXPECT_TRUE(z.contains(QStringLiteral("6")));
    EXPECT_TRUE(z.contains(QStringLiteral("7500,00"))); // 9000 - 1500
    EXPECT_FALSE(z.contains(QStringLiteral("5")));      // the missing reading
    EXPECT_FALSE(z.contains(QStringLiteral("0,00")));   // no difference of two missing masses
    EXPECT_EQ(seite.readingCount(), 6);
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
}

TEST(Textblock, TestConditionsResultsAndOversize) {
    const auto record = [](int KENV, bool KEND, bool KENP, float UE) {
        fixture::Record r = fixture::dryingSet();
        r.KENV = KENV;
        r.KEND = KEND;
        r.KENP = KENP;
        return UE != 0 ? fixture::withOversize(r, UE) : r;
    };
    const struct {
        const char* name;
        fixture::Record record;
        QStringList steht, fehlt;
    } cases[] = {
        {"standard, by hand, with plate",
         record(0, true, true, 0),
         {"Versuchsdurchführung: Standard-TAMBRINversuch", "manuell mit Einlageplatte", "rs = 2,700 g/cm³",
          "dmax = 31,50 mm", "TAMBRINzylinder:", "dc = 10,00 cm", "hc = 12,00 cm", "mc = 1130,00 g",
          "rPr = ", "wPr = "},
         {"Überkörnung:", "rs,U"}},
        {"modified, by machine, without plate, oversize",
         record(1, false, false, 10),
         {"Versuchsdurchführung: modifizierter TAMBRINversuch", "maschinell ohne Einlageplatte",
          "rs,U = 2,700 g/cm³", "Überkörnung:", "Ü = 10,0 %", "dmax,Ü = 63,00 mm", "rs,Ü = 2,650 g/cm³",
          "wÜ = 1,0 %"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Gedruckt g(c.record);
        g.seite->BILD13(1, 20, 15);
        const QString t = texte(g.druck);
        for (const QString& s : c.steht)
            EXPECT_TRUE(t.contains(s)) << s.toStdString();
        for (const QString& s : c.fehlt)
            EXPECT_FALSE(t.contains(s)) << s.toStdString();
    }
}

TEST(Textblock, TheResultsFromThePointsOrTheSplineAndForASingleReadingThatPoint) {
    const struct {
        const char* name;
        std::size_t readings;
        int POSP;
        const char *rho, *w;
    } cases[] = {
        {"points", 6, 0, "RHPR", "WPR"},
        {"spline", 6, 1, "RHPRSP", "WPRSP"},
        {"one reading", 1, 0, "RHPR", "WPR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fixture::Record r = fixture::dryingSet();
        r.readings.resize(c.readings);
        Gedruckt g(r, QStringLiteral("POSP = %1").arg(c.POSP));
        g.seite->BILD11(1); // the text block shows the spline switch as the diagram read it
        g.druck.clearCalls();
        g.seite->BILD13(1);
        const QString rho = platform::Format(g.lauf.wert("A1", c.rho), QStringLiteral("##0.000"));
        const float w = float(g.lauf.wert("A1", c.w).number()) * 100.0f;
        const QString wText = platform::Format(platform::Variant(w), QStringLiteral("##0.0"));
        const bool maximum = c.readings > 1;
        const QString t = texte(g.druck);
        EXPECT_TRUE(
            t.contains((maximum ? QStringLiteral("rPr = ") : QStringLiteral("rd = ")) + rho + " g/cm³"))
            << t.toStdString();
        EXPECT_TRUE(t.contains((maximum ? QStringLiteral("wPr = ") : QStringLiteral("w = ")) + wText + " %"))
            << t.toStdString();
    }
}

TEST(Textblock, TheResultsFrameMovesWithTheBlock) {
    Gedruckt g(fixture::dryingSet());
    g.seite->BILD13(1, 20, 15);
    const auto boxes = g.druck.calls(QStringLiteral("Box"));
    ASSERT_EQ(boxes.size(), 1u);
    // The block at (153 + 20, 95 + 15) mm; its frame 31 and 47 mm further in, 34 x 15 mm.
    EXPECT_EQ(boxes[0].args, (std::vector<double>{204, 157, 238, 172}));
}

} // namespace
