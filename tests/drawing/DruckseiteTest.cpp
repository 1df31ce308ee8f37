// A printed page: header and footer and a ruled table with its statistics block, written into a PDF on
// A4 landscape, rendered, and measured where the ink stands.
#include "clsKOPFFUSS.h"
#include "clsTABELLE.h"
#include "PdfPages.h"
#include "TestRun.h"

#include "platform/run/VersionInfo.h"
#include "platform/surface/PrinterSurface.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QProcess>
#include <QRect>

using drawing::Zellenfeld;
using platform::Variant;

namespace {

constexpr int kDpi = 150;
constexpr double kPxPerMm = kDpi / 25.4;

// The box around the ink in an area given by its edges in millimetres, in millimetres.
QRectF inkMm(const QImage& image, double left, double top, double right, double bottom) {
    return surfacetest::inkBoundsMm(image, kDpi, QRectF(left, top, right - left, bottom - top));
}

// Page 1's header and footer, as the page sets them for print.
void kopfUndFuss(platform::Surface& drucker) {
    const platform::VersionInfo version = platform::VersionInfo::current();
    clsKOPFFUSS kf;
    kf.setAUSGABEOBJEKT(clsKOPFFUSS::rahmenVon(drucker), &drucker);
    kf.setBEARBEITER(QStringLiteral("Prüfer"));
    kf.setCOPYRIGHT(version.LegalCopyright);
    kf.setKENNZEICHNUNG(QStringList{"Probe 1", "Probe 2", "Probe {3}"});
    kf.setDATUM(37800);
    kf.setKOMMENTAR(QStringLiteral("Mehrfachauswertung"));
    kf.setRANDABSTAND(15);
    kf.setUEBERSCHRIFT(version.ProductName);
    kf.setLIZENZGEBER(version.LegalCopyright);
    kf.setLIZENZNEHMER(QStringLiteral("Erdbaulabor Nordheim"));
    kf.setPROGRAMMIERER(version.LegalTrademarks);
    kf.setPROJEKT(QStringLiteral("TE0815.01"));
    kf.setSPRACHE(3);
    kf.setUHRZEIT(37800.5);
    kf.KOPFFUSSZEILE();
}

// The results table of the multiple evaluation at (20, 45) mm: two header rows, four records, three
// statistics rows.
void tabelle(platform::Surface& drucker) {
    clsTABELLE t;
    t.setEOBJEKT(&drucker);
    t.setEXDL(20);
    t.setEYDO(45);
    t.setERZ(1.5f);
    t.setEZA(1.2f);
    t.setEZH(3.5f);
    t.setELSB(std::vector<double>{18, 17, 13, 13, 13, 17});
    t.setELGIT(std::vector<double>{2, 1, 1, 1, 1});
    t.setELGITLEER(std::vector<double>{0, 0, 0, 0, 0});
    t.setELA(std::vector<double>{0, 3, 3, 3, 3, 3});
    t.setELFORMAT(std::vector<QString>{"", "#0.000", "##0.0", "##0.0", "##0.0", "#0.00"});
    t.setELMW(std::vector<double>{0, 1, 1, 1, 1, 1});
    Zellenfeld kopf(6, 2);
    const char* oben[] = {"Datensatz", "{g,1}r{t,2}Pr", "w{t,2}Pr", "w{t,1}u", "w{t,1}o", "{g,1}r{t,1}S"};
    const char* unten[] = {"", "[g/cm³]", "[%]", "[%]", "[%]", "[g/cm³]"};
    for (int i = 0; i < 6; ++i) {
        kopf(i, 0) = Variant(oben[i]);
        kopf(i, 1) = Variant(unten[i]);
    }
    Zellenfeld body(6, 4);
    const float werte[4][5] = {{1.951f, 12.1f, 9.8f, 14.5f, 2.65f},
                               {1.952f, 12.4f, 10.2f, 14.9f, 2.66f},
                               {1.953f, 11.9f, 9.5f, 14.1f, 2.65f},
                               {1.950f, 12.0f, 0.0f, 14.6f, 2.67f}};
    for (int j = 0; j < 4; ++j) {
        body.setKlartext(0, j, QStringLiteral("Probe {%1}").arg(j + 1));
        for (int i = 0; i < 5; ++i)
            body(i + 1, j) = Variant(werte[j][i]);
    }
    Zellenfeld st(6, 3);
    st(0, 0) = Variant("Mittelwert");
    st(0, 1) = Variant("Stand.abw.");
    st(0, 2) = Variant("Var.koeff.");
    t.TABELLE(kopf, 0);
    t.TABELLE(body, 1);
    t.TABELLE(st, 2);
    t.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 9, 0, 0, 0, 0);
    t.TITEL(QStringLiteral("Ergebnisse"));
    t.FUSSNOTE(QStringLiteral("{g,1}r{t,2}Pr: größte Trockendichte"));
}

TEST(Druckseite, HeaderFooterAndTableStandWhereTheyBelong) {
    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), false});
    const QString pdf = run.dir().file(QStringLiteral("seite.pdf"));
    {
        platform::PrinterSurface drucker({QString(), pdf});
        kopfUndFuss(drucker);
        tabelle(drucker);
        drucker.EndDoc();
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
    const QImage page = surfacetest::renderPdfPage(pdf, kDpi);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width() / kPxPerMm, 297, 1);
    EXPECT_NEAR(page.height() / kPxPerMm, 210, 1);

    // The heading starts at the top-left margins (its cell's top; the capitals' ink a little lower).
    const QRectF heading = inkMm(page, 0, 0, 140, 21);
    EXPECT_NEAR(heading.left(), 15, 1.0);
    EXPECT_NEAR(heading.top(), 15, 1.5);
    // The project ends at the right margin, level with the heading's bottom.
    const QRectF projekt = inkMm(page, 200, 0, 297, 25);
    EXPECT_NEAR(projekt.right(), 297 - 15, 1.0);
    EXPECT_NEAR(projekt.bottom(), heading.bottom(), 1.0);
    // The record line 9 mm below the top margin.
    const QRectF namen = inkMm(page, 0, 23, 140, 29);
    EXPECT_NEAR(namen.left(), 15, 1.0);
    EXPECT_NEAR(namen.top(), 24 + 0.8, 1.0);

    // The footer's first line ends on the bottom margin, the second one line lower; the right column
    // ends at the right margin.
    const QRectF fussLinks = inkMm(page, 0, 180, 100, 210);
    EXPECT_NEAR(fussLinks.left(), 15, 1.0);
    EXPECT_NEAR(fussLinks.top(), 195 - 2.9, 1.0);
    EXPECT_NEAR(fussLinks.bottom(), 195 + 2.9, 1.0);
    const QRectF fussRechts = inkMm(page, 200, 180, 297, 210);
    EXPECT_NEAR(fussRechts.right(), 297 - 15, 1.0);

    // The table's outer frame: from (22, 47) to the width of its columns (91 mm) plus 1 and down over the
    // header (10.7 mm), the body (19.1 mm) and the statistics block (14.9 mm) with their double lines.
    const QRectF rahmen = inkMm(page, 18, 46, 130, 94.5);
    EXPECT_NEAR(rahmen.left(), 22, 0.4);
    EXPECT_NEAR(rahmen.top(), 47, 0.4);
    EXPECT_NEAR(rahmen.right(), 22.5 + 91 + 0.5, 0.4);
    EXPECT_NEAR(rahmen.bottom(), 47.5 + 10.7 + 19.1 + 0.5 + 14.9 + 1, 0.4);
    // The title ends ERZ + 1.5 mm above the table's top, the footnote starts as far below its bottom.
    const QRectF titel = inkMm(page, 18, 38, 130, 46.5);
    EXPECT_NEAR(titel.left(), 22.5, 1.0);
    EXPECT_LE(titel.bottom(), 44.6);
    const QRectF fussnote = inkMm(page, 18, 94.5, 130, 105);
    EXPECT_NEAR(fussnote.left(), 24, 1.0);
    EXPECT_GE(fussnote.top(), 95.1);
}

} // namespace
