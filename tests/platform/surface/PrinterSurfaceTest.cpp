#include "PdfPages.h"
#include "TempDir.h"

#include "platform/runtime/VbError.h"
#include "platform/surface/PrinterSurface.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <sys/stat.h>

using namespace platform;
using surfacetest::inkBounds;
using surfacetest::inkRunsInColumn;
using surfacetest::renderPdfPage;

namespace {

PrintTarget pdf(const QString& file) {
    PrintTarget t;
    t.pdfFile = file;
    return t;
}

TEST(PrinterSurface, TheWholeA4LandscapeSheetFromItsTopLeftCorner) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("page.pdf"));
    {
        PrinterSurface page(pdf(file));
        EXPECT_TRUE(page.isPrinter());
        EXPECT_NEAR(page.ScaleWidth(), 297, 0.1);
        EXPECT_NEAR(page.ScaleHeight(), 210, 0.1);
        EXPECT_NEAR(page.pixelsPerMmX(), page.logPixelsY() / 25.4, 1e-9);
        page.Line(20, 30, 120, 30);
        page.Line(150, 40, 150, 190);
        page.EndDoc();
        EXPECT_TRUE(page.finished());
    }
    // Written through a temporary file beside it, which is gone; the PDF has the mode of any new file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("page.pdf")});
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat written {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &written), 0);
    EXPECT_EQ(written.st_mode & 0777, 0666 & ~mask);
    const QImage image = renderPdfPage(file, 100);
    ASSERT_FALSE(image.isNull());
    const double k = 100 / 25.4;
    EXPECT_NEAR(image.width() / k, 297, 0.5);
    EXPECT_NEAR(image.height() / k, 210, 0.5);
    const QRect horizontal = inkBounds(image, QRect(0, 0, int(140 * k), int(35 * k)));
    EXPECT_NEAR(horizontal.left() / k, 20, 0.3);
    EXPECT_NEAR(horizontal.right() / k, 120, 0.3);
    EXPECT_NEAR(horizontal.center().y() / k, 30, 0.3);
    const QRect vertical = inkBounds(image, QRect(int(140 * k), int(35 * k), int(20 * k), int(170 * k)));
    EXPECT_NEAR(vertical.center().x() / k, 150, 0.3);
    EXPECT_NEAR(vertical.top() / k, 40, 0.3);
    EXPECT_NEAR(vertical.bottom() / k, 190, 0.3);
}

TEST(PrinterSurface, AOnePixelPenPrintsAtLeastATenthOfAMillimetre) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("thin.pdf"));
    {
        PrinterSurface page(pdf(file));
        page.setDrawWidth(1);
        page.Line(50, 100, 250, 100);
    }
    const int dpi = 1200;
    const double k = dpi / 25.4;
    // Only the middle of the line, 2 mm across.
    const QImage image = renderPdfPage(file, dpi, QRect(int(149 * k), int(99 * k), int(2 * k), int(2 * k)));
    ASSERT_FALSE(image.isNull());
    int thickness = 0;
    for (int y = 0; y < image.height(); ++y)
        if (surfacetest::isInk(image.pixel(image.width() / 2, y))) ++thickness;
    EXPECT_GE(thickness / k, 0.09);
    EXPECT_LE(thickness / k, 0.2);
}

TEST(PrinterSurface, ACancelledJobLeavesNoFile) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("cancelled.pdf"));
    PrinterSurface page(pdf(file));
    page.Line(10, 10, 100, 100);
    page.KillDoc();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_THROW(page.Line(10, 10, 20, 20), VbError);
}

TEST(PrinterSurface, TextIsMeasuredAsItIsPrinted) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("text.pdf"));
    float width = 0;
    {
        PrinterSurface page(pdf(file));
        page.setFontName(QStringLiteral("Arial"));
        page.setFontSize(24);
        page.setCurrentX(40);
        page.setCurrentY(50);
        width = page.TextWidth(QStringLiteral("HHHHHH"));
        page.Print(QStringLiteral("HHHHHH"));
    }
    const QImage image = renderPdfPage(file, 300);
    ASSERT_FALSE(image.isNull());
    const double k = 300 / 25.4;
    const QRect ink = inkBounds(image, image.rect());
    // The letter H has equal side bearings: the ink stands centred in the measured width.
    EXPECT_NEAR(ink.left() / k - 40, (width - ink.width() / k) / 2, 0.15);
    EXPECT_NEAR(ink.width() / k, width, 1.6);
    EXPECT_GT(ink.top() / k, 50);
    EXPECT_TRUE(surfacetest::popplerOutput(QStringLiteral("pdffonts"), {file})
                    .contains(QStringLiteral("LiberationSans")));
}

// Absurd positions (a diagram of masses of 1e30, a value that is no number) reach the painter clamped:
// the sheet parses, and a line that runs far off the sheet keeps its direction on it.
void absurd(Surface& s) {
    s.Line(-3e38f, 100, 3e38f, 100);
    s.Line(20, 20, 1e30f, 1e30f);
    s.Line(std::nanf(""), 0, 10, 10);
    s.Box(-1e30f, -1e30f, 1e30f, 50);
    s.FilledBox(1e20f, 1e20f, 2e20f, 2e20f, 0);
    s.Circle(1e30f, 1e30f, 1e30f);
    s.Circle(std::numeric_limits<float>::infinity(), 10, 5);
    s.PSet(-1e30f, 5);
    s.setCurrentX(1e30f);
    s.setCurrentY(-1e30f);
    s.Print(QStringLiteral("weit"));
    s.setCurrentX(std::nanf(""));
    s.Print(QStringLiteral("nichts"));
}

TEST(PrinterSurface, AbsurdPositionsGiveASheetThatParses) {
    testsupport::TempDir dir;
    const QString file = dir.file(QStringLiteral("absurd.pdf"));
    {
        PrinterSurface page(pdf(file));
        absurd(page);
        page.EndDoc();
    }
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    const QByteArray errors = reader.readAllStandardError();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
    const QImage image = renderPdfPage(file, 50);
    ASSERT_FALSE(image.isNull());
    const double k = 50 / 25.4;
    // The line across the whole sheet at 100 mm, and the one from (20, 20) down to the right at 45 degrees.
    EXPECT_FALSE(surfacetest::inkRunsInColumn(image, int(150 * k), int(95 * k), int(105 * k)).empty());
    const auto diagonal = surfacetest::inkRunsInRow(image, int(150 * k), int(140 * k), int(160 * k));
    ASSERT_FALSE(diagonal.empty());
    EXPECT_NEAR(diagonal.front() / k, 150, 1.5);
}

} // namespace
