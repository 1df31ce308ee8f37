#pragma once
// A printed output page rendered into an image and measured where its ink stands, in millimetres; and the
// frame every output page shares: A4 landscape, the heading and the footer at their margins, and the
// diagram's plot frame.
#include "platform/surface/RecordingSurface.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

namespace blatttest {

// The resolution the printed pages are rendered at.
constexpr int kDpi = 100;

// The ink runs down a column and across a row of the page, and the ink in an area.
std::vector<double> spalte(const QImage& page, double x, double von, double bis);
std::vector<double> zeile(const QImage& page, double y, double von, double bis);
QRectF tinte(const QImage& page, double left, double top, double right, double bottom);
// Whether a run stands at mm, within the tolerance.
bool enthaelt(const std::vector<double>& runs, double mm, double tolerance = 0.6);

// A box printed with its frame at `rahmen` (mm): the outermost ink of the column at spalteX between
// yVon and yBis, and of the row at zeileY between xVon and xBis, stand on its edges within 0.4 mm.
struct Linie {
    double bei, von, bis;
};
void pruefeKasten(const QImage& page, Linie senkrecht, Linie waagerecht, const QRectF& rahmen);

// The sheet, its heading and footer, and the plot frame of the diagram at (15, 30) mm, whose lower edge is
// looked for in the row at unterY mm.
void pruefeBlattUndDiagramm(const QImage& page, double unterY);

// A recording surface the size of the printer page, for the picture routines' OBJ 1.
platform::RecordingSurface::Options druckseite();
// The texts printed on a surface, in order, run together: a label in the markup comes out in pieces (a
// subscript, a Greek letter), which then read as one.
QString texte(const platform::RecordingSurface& surface);

} // namespace blatttest
