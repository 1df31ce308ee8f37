#pragma once

#include <QImage>
#include <QString>

namespace testsupport {

// The share of pixels whose colour differs by more than a rounding of the fonts between two pictures of
// the same size (1 when the sizes differ).
double abweichung(const QImage& a, const QImage& b);

// Compares a drawn picture with the one stored at `gespeichert` (a file of the source tree) within a small
// tolerance. With TAMBRIN_UPDATE_GOLDEN set it stores the picture anew instead (reduced to a palette of 256
// colours for a drawn page, whose file is otherwise large) and skips the test.
enum class Ablage { Palette, Voll };
void wieGespeichert(const QImage& bild, const QString& gespeichert, Ablage ablage = Ablage::Palette);

} // namespace testsupport
