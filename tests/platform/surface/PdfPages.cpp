#include "PdfPages.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace surfacetest {

QImage renderPdfPage(const QString& pdfFile, int dpi, const QRect& crop) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QStringList args{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                     QStringLiteral("-singlefile")};
    if (!crop.isNull())
        args << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
             << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
             << QStringLiteral("-H") << QString::number(crop.height());
    args << pdfFile << prefix;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool isInk(QRgb pixel) {
    return qRed(pixel) < 160 || qGreen(pixel) < 160 || qBlue(pixel) < 160;
}

QRect inkBounds(const QImage& image, const QRect& area) {
    QRect box;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (isInk(image.pixel(x, y))) box = box.united(QRect(x, y, 1, 1));
    return box;
}

namespace {
template <typename At> std::vector<double> runs(int from, int to, At inkAt) {
    std::vector<double> centres;
    int start = -1;
    for (int i = from; i <= to + 1; ++i) {
        const bool ink = i <= to && inkAt(i);
        if (ink && start < 0) start = i;
        if (!ink && start >= 0) {
            centres.push_back((start + i - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}
} // namespace

std::vector<double> inkRunsInRow(const QImage& image, int row, int from, int to) {
    to = std::min(to, image.width() - 1);
    return runs(std::max(0, from), to, [&](int x) { return isInk(image.pixel(x, row)); });
}

std::vector<double> inkRunsInColumn(const QImage& image, int column, int from, int to) {
    to = std::min(to, image.height() - 1);
    return runs(std::max(0, from), to, [&](int y) { return isInk(image.pixel(column, y)); });
}

namespace {
double pixelsPerMm(int dpi) {
    return dpi / 25.4;
}
int toPixels(double mm, int dpi) {
    return int(mm * pixelsPerMm(dpi));
}
std::vector<double> toMm(std::vector<double> pixels, int dpi) {
    for (double& p : pixels)
        p /= pixelsPerMm(dpi);
    return pixels;
}
} // namespace

QRectF inkBoundsMm(const QImage& image, int dpi, const QRectF& area) {
    const QRect px =
        inkBounds(image, QRect(QPoint(toPixels(area.left(), dpi), toPixels(area.top(), dpi)),
                               QPoint(toPixels(area.right(), dpi), toPixels(area.bottom(), dpi))));
    if (px.isEmpty()) return {};
    const double k = pixelsPerMm(dpi);
    return QRectF(px.left() / k, px.top() / k, px.width() / k, px.height() / k);
}

std::vector<double> inkRunsInRowMm(const QImage& image, int dpi, double y, double from, double to) {
    return toMm(inkRunsInRow(image, toPixels(y, dpi), toPixels(from, dpi), toPixels(to, dpi)), dpi);
}

std::vector<double> inkRunsInColumnMm(const QImage& image, int dpi, double x, double from, double to) {
    return toMm(inkRunsInColumn(image, toPixels(x, dpi), toPixels(from, dpi), toPixels(to, dpi)), dpi);
}

} // namespace surfacetest
