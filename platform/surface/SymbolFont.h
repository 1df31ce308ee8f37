#pragma once

#include <QString>

namespace platform {

// The program asks for the fonts "Arial" and "Symbol". Neither is drawn as such: "Arial" is drawn in
// Liberation Sans (the same metrics), and "Symbol" text is turned into Unicode Greek and drawn in that
// same family, so no Symbol font is ever needed.

// True for the name of the Greek symbol font ("Symbol", case ignored).
bool isSymbolFont(const QString& name);
// The family that is really drawn for a font name.
QString drawnFontFamily(const QString& name);
// The text as it reads in the symbol font: Latin letters become the Greek letters at their place
// (r -> rho, g -> gamma, D -> Delta ...); every other character stays.
QString symbolToUnicode(const QString& text);
// The text drawn for a font: mapped to Greek for the symbol font, unchanged otherwise.
QString drawnText(const QString& fontName, const QString& text);

} // namespace platform
