// Page 1 on paper and on screen: printed into a PDF on A4 landscape, rendered and measured where the ink
// stands; and the screen page compared with a stored picture.
//
// The stored picture seite1.png is made anew, after a wanted change of the page, with
//     TAMBRIN_UPDATE_GOLDEN=1 build/bin/page1_tests --gtest_filter='Bildschirm.*'
#include "Blatt.h"
#include "PdfPages.h"
#include "Seite1Lauf.h"

#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include "Golden.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>

using namespace seite1test;

namespace {

using namespace blatttest;

// Prints page 1 of the record into a PDF in the run's folder and renders it.
QImage drucken(Seite1Lauf& lauf, mdiSEITE1& seite, const QString& name = QStringLiteral("seite1.pdf")) {
    const QString pdf = lauf.run.dir().file(name);
    lauf.haupt.printer.pdfFile = pdf;
    seite.DRUCKEN();
    return surfacetest::renderPdfPage(pdf, kDpi);
}

TEST(Druck, HeaderFooterDiagramTableAndTextBlockStandAtTheirMillimetres) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QImage page = drucken(lauf, seite);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    pruefeBlattUndDiagramm(page, 150);

    // The table at (173, 38) mm: its double frame from 2.5 mm in and 7 mm down.
    EXPECT_TRUE(enthaelt(zeile(page, 50, 170, 180), 173 + 2.5 - 0.5, 0.3));
    EXPECT_TRUE(enthaelt(spalte(page, 200, 40, 50), 38 + 7 - 0.5, 0.3));
    // The text block at (173, 110) mm: its results frame 31 and 47 mm in, 34 x 15 mm.
    pruefeKasten(page, {220, 150, 180}, {165, 195, 250}, QRectF(173 + 31, 110 + 47, 34, 15));
    EXPECT_FALSE(tinte(page, 175, 112, 270, 120).isEmpty()); // "Versuchsdurchführung: ..."
}

TEST(Druck, WithoutHeaderAndFooterNeitherSheetNorScreenHasThem) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    seite.KONTEXT(false, false, 0xFFFFFF, 0xFFFFFF);
    const QImage page = drucken(lauf, seite);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(tinte(page, 0, 0, 297, 27).isEmpty());
    EXPECT_TRUE(tinte(page, 0, 184, 297, 210).isEmpty());
    EXPECT_FALSE(tinte(page, 15, 30, 170, 180).isEmpty());
    // The screen is drawn again afterwards, still without them.
    const QImage screen = seite.pageSurface()->picture();
    EXPECT_TRUE(surfacetest::inkBounds(screen, QRect(0, 0, screen.width(), 100)).isEmpty());
    EXPECT_FALSE(seite.picBILD11->picture().isNull());
}

TEST(Druck, TheHeadingByTheRecordsReportLanguage) {
    const struct {
        int SPR;
        const char* heading;
        const char* label;
    } cases[] = {{1, "TAMBRIN Test", "File"}, {3, "TAMBRIN Verdichtungsversuch", "Datensatz"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.SPR);
        Seite1Lauf lauf;
        fixture::Record r = fixture::dryingSet();
        r.SPR = c.SPR;
        r.KEN = QStringLiteral("Probe B");
        mdiSEITE1& seite = lauf.zeige(r);
        drucken(lauf, seite);
        const QString text = surfacetest::popplerOutput(QStringLiteral("pdftotext"),
                                                        {lauf.haupt.printer.pdfFile, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.heading))) << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.label))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Probe B")));
    }
}

TEST(Druck, WithoutAChoiceAndWithoutAPrinterThePageGoesIntoAPdfInTheProjectFolder) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
    Seite1Lauf lauf;
    fixture::Record r = fixture::dryingSet();
    r.KEN = QStringLiteral("TE 7/3: Ton");
    mdiSEITE1& seite = lauf.zeige(r);
    const QString folder = QDir(lauf.haupt.PROJEKTSPFAD).filePath(lauf.haupt.PROJEKT);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString expected = QDir(folder).filePath(QStringLiteral("TE 7_3_ Ton Seite 1.pdf"));
    EXPECT_EQ(seite.druckziel().pdfFile, expected);
    seite.DRUCKEN();
    EXPECT_TRUE(QFile::exists(expected));
    // A printer or a file the print dialog chose goes first.
    lauf.haupt.printer.printerName = QStringLiteral("Labor");
    EXPECT_EQ(seite.druckziel().printerName, QStringLiteral("Labor"));
    EXPECT_TRUE(seite.druckziel().pdfFile.isEmpty());
    lauf.haupt.printer.pdfFile = QStringLiteral("/tmp/x.pdf");
    EXPECT_EQ(seite.druckziel().pdfFile, QStringLiteral("/tmp/x.pdf"));
}

TEST(Bildschirm, TheScreenPageLooksAsStored) {
    Seite1Lauf lauf;
    fixture::Record r = fixture::withOversize(fixture::dryingSet());
    r.KEN = QStringLiteral("Probe B");
    r.KOM = QStringLiteral("Schluffiger Sand");
    mdiSEITE1& seite = lauf.zeige(r);
    testsupport::wieGespeichert(seite.grab().toImage(),
                                QStringLiteral(TAMBRIN_SOURCE_DIR "/tests/pages/single/seite1.png"));
}

} // namespace
