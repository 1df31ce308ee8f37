#pragma once

#include "platform/surface/SurfaceFont.h"

#include <array>
#include <cstdint>
#include <QString>

namespace platform {
class Surface;
class ErrorTrap;
} // namespace platform

namespace drawing {

// Device pixels per surface unit along x and y, measured when a drawing object is bound to a surface.
struct PixelsPerUnit {
    float x = 0;
    float y = 0;
};

// Measures a surface: its inner size in pixels over its inner size in units. Raises division by zero (11)
// for a surface without width or height.
PixelsPerUnit measureSurface(const platform::Surface& surface);

// The markup font set of a drawing object: slot 0 the font the text routine found on the surface, 1 and 2
// copies of the surface font, 3 the Greek font, 4 the reduced size for sub- and superscripts, 5 both.
// A slot read before it was built is a new font object with the defaults.
class MarkupFonts {
public:
    static constexpr int kSlots = 6;
    const platform::SurfaceFont& slot(int index) const;
    void setSlot(int index, const platform::SurfaceFont& font);
    // Builds slots 1 to 5 anew from the surface font; slot 0 is left alone.
    void rebuild(const platform::SurfaceFont& surfaceFont);

private:
    std::array<platform::SurfaceFont, kSlots> slots_{};
};

// The pen settings: style, width in millimetres (0 = one pixel) and colour (0 = black). The width is
// handed back in pixels. Each step runs under the trap.
void applyPen(platform::Surface& surface, float pixelsPerUnitX, std::int16_t LINIENART, float& LINIENBREITE,
              long& FARBE, platform::ErrorTrap& trap);

// The font settings: name ("" = "Arial"), size (0 or less = 8), bold, underline, italic (non-zero = on),
// colour (0 or less = black); then the markup font set is rebuilt. Each step runs under the trap.
void applyFont(platform::Surface& surface, MarkupFonts& fonts, const QString& SCHRIFTART,
               std::int16_t SCHRIFTGROESSE, std::int16_t FETT, std::int16_t UNTERSTRICHEN,
               std::int16_t KURSIV, long FARBE, platform::ErrorTrap& trap);

} // namespace drawing
