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

// Where the pieces of a label go.
struct MarkupPlacement {
    float x = 0; // top-left corner of the first piece's cell, surface units
    float y = 0;
    std::int16_t degrees = 0; // the angle handed to rotated pieces; 0 draws upright text
    float angle = 0;          // the same angle in radians, as the caller computed it
    // "c" pieces first move the running position on by 0.35 x their height (the header and footer on
    // the printer).
    bool characterAdvance = false;
};

// Draws the pieces of a label one after the other along the line: each piece in the font of its slot,
// shifted across the line as its code says, a point marker for an "s" group, rotated pieces through
// clsROTATOR. Slot 0 becomes the surface's current font first, and the surface returns to it after every
// piece. Every step runs under the trap; a fault of the label shows the trap's box. False once the user
// cancelled.
bool drawMarkup(platform::Surface& surface, MarkupFonts& fonts, const QString& label,
                const MarkupPlacement& placement, const MarkupRules& rules, platform::ErrorTrap& trap);

// The rotated-text step: the piece at (x, y) in the named font of the whole-point size, turned by the
// angle, with a transparent background; the surface keeps that font name, size and transparency.
void DREHTEXT(platform::Surface& surface, const QString& text, std::int16_t angle, float x, float y,
              float size, const QString& fontName);

} // namespace drawing
