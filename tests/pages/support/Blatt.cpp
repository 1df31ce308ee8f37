#include "Blatt.h"
#include "SeitenLauf.h"

#include "PdfPages.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>

namespace blatttest {

std::vector<double> spalte(const QImage& page, double x, double von, double bis) {
    return surfacetest::inkRunsInColumnMm(page, kDpi, x, von, bis);
}

std::vector<double> zeile(const QImage& page, double y, double von, double bis) {
    return surfacetest::inkRunsInRowMm(page, kDpi, y, von, bis);
}

QRectF tinte(const QImage& page, double left, double top, double right, double bottom) {
    return surfacetest::inkBoundsMm(page, kDpi, QRectF(QPointF(left, top), QPointF(right, bottom)));
}

bool enthaelt(const std::vector<double>& runs, double mm, double tolerance) {
    for (double r : runs)
        if (std::abs(r - mm) <= tolerance) return true;
    return false;
}

void pruefeKasten(const QImage& page, Linie senkrecht, Linie waagerecht, const QRectF& rahmen) {
    const auto s = spalte(page, senkrecht.bei, senkrecht.von, senkrecht.bis);
    ASSERT_GE(s.size(), 2u);
    EXPECT_NEAR(s.front(), rahmen.top(), 0.4);
    EXPECT_NEAR(s.back(), rahmen.bottom(), 0.4);
    const auto w = zeile(page, waagerecht.bei, waagerecht.von, waagerecht.bis);
    ASSERT_GE(w.size(), 2u);
    EXPECT_NEAR(w.front(), rahmen.left(), 0.4);
    EXPECT_NEAR(w.back(), rahmen.right(), 0.4);
}

void pruefeBlattUndDiagramm(const QImage& page, double unterY) {
    EXPECT_NEAR(page.width() / (kDpi / 25.4), 297, 1);
    EXPECT_NEAR(page.height() / (kDpi / 25.4), 210, 1);

    // The heading at the top-left margins of 15 mm, the footer above the bottom margin.
    const QRectF kopf = tinte(page, 0, 0, 140, 21);
    EXPECT_NEAR(kopf.left(), 15, 1.0);
    EXPECT_NEAR(kopf.top(), 15, 1.5);
    const QRectF fuss = tinte(page, 0, 182, 100, 210);
    EXPECT_NEAR(fuss.left(), 15, 1.0);
    EXPECT_NEAR(fuss.top(), 195 - 2.9, 1.0);
    EXPECT_NEAR(tinte(page, 200, 182, 297, 210).right(), 297 - 15, 1.0);

    // The diagram's plot frame: the 154 x 151 mm area at (15, 30) less the margins 12, 12, 9 and 12 mm.
    const auto senkrecht = spalte(page, 92, 33, 175);
    ASSERT_FALSE(senkrecht.empty());
    EXPECT_NEAR(senkrecht.front(), 30 + 9, 0.6);
    EXPECT_TRUE(enthaelt(senkrecht, 30 + 151 - 12));
    const auto waagerecht = zeile(page, unterY, 22, 165);
    ASSERT_FALSE(waagerecht.empty());
    EXPECT_NEAR(waagerecht.front(), 15 + 12, 0.6);
    EXPECT_NEAR(waagerecht.back(), 15 + 154 - 12, 0.6);
}

platform::RecordingSurface::Options druckseite() {
    platform::RecordingSurface::Options o;
    o.width = 297;
    o.height = 210;
    o.printer = true;
    return o;
}

QString texte(const platform::RecordingSurface& surface) {
    QString all;
    for (const auto& c : surface.calls())
        if (c.name == QLatin1String("Print") || c.name == QLatin1String("TextOutRotated")) all += c.text;
    return all;
}

bool lesbar(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, pdf + QStringLiteral("-bild")});
    if (!p.waitForFinished(60000)) return false;
    const QByteArray errors = p.readAllStandardError();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
    return p.exitCode() == 0 && errors.isEmpty() && QFile::exists(pdf + QStringLiteral("-bild.png"));
}

} // namespace blatttest
