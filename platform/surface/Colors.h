#pragma once

#include <QColor>

namespace platform {

// The program's colour numbers: 0 to 15 are the standard sixteen-colour palette, every other number is
// R + 256 * G + 65536 * B.
QColor ColorFromNumber(long color);
// The number of palette colour 0..15 as an RGB number (QBColor); other indices raise invalid call (5).
long QBColor(int index);
// R + 256 * G + 65536 * B, each part cut to 0..255.
long RGB(int red, int green, int blue);
// The RGB number of a colour.
long ColorNumber(const QColor& color);

} // namespace platform
