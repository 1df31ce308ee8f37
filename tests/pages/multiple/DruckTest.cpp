// The multiple page on paper and on screen: printed into a PDF on A4 landscape, rendered and measured
// where the ink stands; every record of a long table printed; and the screen page compared with a stored
// picture.
//
// The stored picture mseite1.png is made anew, after a wanted change of the page, with
//     TAMBRIN_UPDATE_GOLDEN=1 build/bin/multiple_tests --gtest_filter='MBildschirm.*'
#include "Blatt.h"
#include "MSeite1Lauf.h"
#include "PdfPages.h"

#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"

#include "Golden.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>

using namespace mseite1test;

namespace {

using namespace blatttest;

QString drucken(MSeite1Lauf& lauf, mdiMSEITE1& seite, const QString& name = QStringLiteral("mseite1.pdf")) {
    const QString pdf = lauf.run.dir().file(name);
    lauf.haupt.printer.pdfFile = pdf;
    seite.DRUCKEN();
    return pdf;
}

TEST(MDruck, HeaderFooterDiagramTableAndSummaryBoxStandAtTheirMillimetres) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(3));
    lauf.setze(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, 'Baugrube Nord')"));
    mdiMSEITE1& seite = lauf.laden();
    const QString pdf = drucken(lauf, seite);
    const QImage page = surfacetest::renderPdfPage(pdf, kDpi);
    ASSERT_FALSE(page.isNull());
    if (qEnvironmentVariableIsSet("TAMBRIN_KEEP_PDF")) QFile::copy(pdf, QStringLiteral("/tmp/mseite1.pdf"));
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    EXPECT_EQ(seite.blaetter(), 1);
    pruefeBlattUndDiagramm(page, 165);

    // The table at (173, 37) mm: its double frame from 2.5 mm in.
    EXPECT_TRUE(enthaelt(zeile(page, 45, 170, 180), 173 + 2.5 - 0.5, 0.3));
    EXPECT_TRUE(enthaelt(spalte(page, 200, 36, 45), 37 + 2.5 - 0.5, 0.3));
    // The summary box at (173, 151) mm: its frame 2 mm in, 45 x 14 mm.
    pruefeKasten(page, {177, 145, 175}, {160, 170, 230}, QRectF(173 + 2, 151 + 2, 45, 14));

    const QString text = surfacetest::popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* t :
         {"Datensätze", "P1, P2, P3", "Baugrube Nord", "Mittelwert", "Stand.abw.", "Var.koeff."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
}

// Twenty records fit on the sheet; the table then reaches the summary box's place, and the box moves below
// it. Sixty do not: the rows continue on further sheets, the statistics and the box after the last row.
TEST(MDruck, ThePrintedTableListsEveryRecord) {
    const struct {
        int n;
        int blaetter;
    } cases[] = {{2, 1}, {20, 1}, {60, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        MSeite1Lauf lauf;
        mdiMSEITE1& seite = lauf.zeige(c.n);
        platform::RecordingSurface blatt(druckseite());
        seite.setDrucker(&blatt);
        seite.DRUCKEN();
        EXPECT_EQ(seite.blaetter(), c.blaetter);
        EXPECT_EQ(int(blatt.calls(QStringLiteral("NewPage")).size()), c.blaetter - 1);
        // Every name once in the table (the header lists them joined), on its own line.
        for (int k = 1; k <= c.n; ++k) {
            int mal = 0;
            for (const auto& call : blatt.calls(QStringLiteral("Print")))
                if (call.text == QStringLiteral("P%1").arg(k)) ++mal;
            EXPECT_EQ(mal, 1) << k;
        }
        // Nothing below the footer's line, nothing beyond the sheet.
        for (const auto& call : blatt.calls())
            if (!call.args.empty() && call.name != QLatin1String("TextOutRotated")) {
                EXPECT_LT(call.args[1], 200) << call.name.toStdString();
            }
        // The box and the statistics are printed once; the box below the table's end.
        std::vector<platform::RecordingSurface::Call> kasten;
        for (const auto& b : blatt.calls(QStringLiteral("Box")))
            if (std::abs(b.args[2] - b.args[0] - 45) < 0.01) kasten.push_back(b);
        ASSERT_EQ(kasten.size(), 1u);
        EXPECT_GE(kasten[0].args[1], 151 + 2 - 0.01);
        EXPECT_LE(kasten[0].args[3], 190);
        EXPECT_EQ(texte(blatt).count(QStringLiteral("Mittelwert")), 1);
        EXPECT_TRUE(lauf.meldungen().isEmpty());
    }
}

TEST(MDruck, ALongTableContinuesOnFurtherSheetsOfTheSameDocument) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(60);
    const QString pdf = drucken(lauf, seite);
    if (qEnvironmentVariableIsSet("TAMBRIN_KEEP_PDF"))
        QFile::copy(pdf, QStringLiteral("/tmp/mseite1-60.pdf"));
    EXPECT_TRUE(surfacetest::popplerOutput(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+3"))));
    const QString text = surfacetest::popplerOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* t : {"Seite 1/3", "Seite 2/3", "Seite 3/3", "P33", "P60", "Mittelwert"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

TEST(MDruck, WithoutHeaderAndFooterNeitherSheetNorScreenHasThem) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    seite.KONTEXT(false, false, 0xFFFFFF, 0xFFFFFF);
    const QImage page = surfacetest::renderPdfPage(drucken(lauf, seite), kDpi);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(tinte(page, 0, 0, 297, 27).isEmpty());
    EXPECT_TRUE(tinte(page, 0, 184, 297, 210).isEmpty());
    const QImage screen = seite.pageSurface()->picture();
    EXPECT_TRUE(surfacetest::inkBounds(screen, QRect(0, 0, screen.width(), 100)).isEmpty());
    seite.KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    drucken(lauf, seite, QStringLiteral("wieder.pdf"));
    EXPECT_FALSE(
        surfacetest::inkBounds(seite.pageSurface()->picture(), QRect(0, 0, screen.width(), 100)).isEmpty());
}

TEST(MBildschirm, TheScreenPageLooksAsStored) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(3));
    lauf.setze(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, 'Baugrube Nord')"));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1, DKEN = 1, SRLI = 1, DESR = 0.1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    testsupport::wieGespeichert(seite.grab().toImage(),
                                QStringLiteral(TAMBRIN_SOURCE_DIR "/tests/pages/multiple/mseite1.png"));
}

} // namespace
