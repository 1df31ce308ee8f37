#pragma once

#include "Markup.h"
#include "SurfaceSettings.h"

#include <cstdint>
#include <QString>

namespace platform {
class Surface;
class ErrorTrap;
} // namespace platform

namespace drawing {

// How the ruled table and the page header and footer write their labels: always upright, in the
// surface's own units, with their own markup rules.
struct LabelStyle {
    MarkupRules rules;
    // "c" pieces move the running position on by 0.35 x their height (the header and footer on the printer).
    bool characterAdvance = false;
};

// Whether a label is a caption in the markup or a text of the user's data (a record name, a comment, a
// project), which is drawn exactly as typed, "{" and all.
enum class LabelKind { Markup, Plain };

// The longest beginning of a text of the user's data that is at most `width` wide in the surface's current
// font: a text longer than its place on the page is cut at the place's width (nothing for no width).
QString cutToWidth(const platform::Surface& surface, const QString& text, float width);

// Draws a label with its reference point at (X, Y): ARX 0 the label starts there, 1 it is centred on
// it, 2 it ends there (any other value starts it at the surface's origin); ARY 0 the top of the text is
// there, 1 its middle, 2 its bottom. The size is measured on the label without its group tags, in the
// surface's current font; plain labels are drawn in the font of the plain pieces. Each step runs under
// the trap; false once the user cancelled.
bool drawLabel(platform::Surface& surface, MarkupFonts& fonts, const QString& label, float X, float Y,
               std::int16_t ARX, std::int16_t ARY, const LabelStyle& style, LabelKind kind,
               platform::ErrorTrap& trap);

} // namespace drawing
