#pragma once

#include <functional>
#include <QImage>
#include <QRect>
#include <QString>

namespace surfacetest {

// The first page of a PDF file as an image, rendered with pdftoppm at the given resolution (only the
// part in `crop`, in pixels of that resolution, when it is given); a null image when it could not be
// rendered.
QImage renderPdfPage(const QString& pdfFile, int dpi, const QRect& crop = QRect());

// The output of a poppler tool (pdffonts, pdftotext ...) run on a file.
QString popplerOutput(const QString& tool, const QStringList& arguments);

// True for a pixel that is clearly not white.
bool isInk(QRgb pixel);

// The bounding box of the ink pixels in a rectangle of an image (an empty rectangle when there are none).
QRect inkBounds(const QImage& image, const QRect& area);

// The centres of the runs of ink pixels along one row (or column) of an image, in pixels.
std::vector<double> inkRunsInRow(const QImage& image, int row, int from, int to);
std::vector<double> inkRunsInColumn(const QImage& image, int column, int from, int to);

// The same in millimetres, for a page rendered at the given resolution: the bounding box of the ink in an
// area (an empty rectangle when there is none), and the centres of the ink runs along a row (at y, from x
// `from` to `to`) or down a column.
QRectF inkBoundsMm(const QImage& image, int dpi, const QRectF& area);
std::vector<double> inkRunsInRowMm(const QImage& image, int dpi, double y, double from, double to);
std::vector<double> inkRunsInColumnMm(const QImage& image, int dpi, double x, double from, double to);

} // namespace surfacetest
