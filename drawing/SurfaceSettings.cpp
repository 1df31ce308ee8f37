#include "SurfaceSettings.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <algorithm>

namespace drawing {

using platform::SurfaceFont;

PixelsPerUnit measureSurface(const platform::Surface& surface) {
    const float width = surface.ScaleWidth(), height = surface.ScaleHeight();
    if (width == 0 || height == 0) throw platform::VbError::divisionByZero();
    return {float(surface.pixelWidth()) / width, float(surface.pixelHeight()) / height};
}

const SurfaceFont& MarkupFonts::slot(int index) const {
    if (index < 0 || index >= kSlots) throw platform::VbError::subscriptOutOfRange();
    return slots_[std::size_t(index)];
}

void MarkupFonts::setSlot(int index, const SurfaceFont& font) {
    if (index < 0 || index >= kSlots) throw platform::VbError::subscriptOutOfRange();
    slots_[std::size_t(index)] = font;
}

void MarkupFonts::rebuild(const SurfaceFont& surfaceFont) {
    // The reduced size is the whole number nearest to size / 1.175, halves to the even neighbour.
    const float reduced = float(platform::RoundHalfEven(double(surfaceFont.Size) / 1.175));
    for (int i = 1; i < kSlots; ++i) {
        SurfaceFont f; // a new font object
        f.setBold(surfaceFont.Bold());
        f.Italic = surfaceFont.Italic;
        f.Name = (i == 3 || i == 5) ? QStringLiteral("Symbol") : surfaceFont.Name;
        f.Size = (i == 4 || i == 5) ? reduced : surfaceFont.Size;
        f.Strikethrough = surfaceFont.Strikethrough;
        f.Underline = surfaceFont.Underline;
        f.Weight = surfaceFont.Weight;
        slots_[std::size_t(i)] = f;
    }
}

void applyPen(platform::Surface& surface, float pixelsPerUnitX, std::int16_t LINIENART, float& LINIENBREITE,
              long& FARBE, platform::ErrorTrap& trap) {
    if (!trap.step([&] { LINIENBREITE = LINIENBREITE == 0 ? 1.0f : LINIENBREITE * pixelsPerUnitX; })) return;
    if (!trap.step([&] {
            if (FARBE == 0) FARBE = platform::NumberFromColor(platform::QBColor(0));
        }))
        return;
    if (!trap.step([&] { surface.setDrawStyle(LINIENART); })) return;
    // The surface takes whole pixels; a width below half a pixel still draws one pixel wide.
    if (!trap.step(
            [&] { surface.setDrawWidth(std::max<int>(1, platform::CInt(platform::Variant(LINIENBREITE)))); }))
        return;
    if (!trap.step([&] { surface.setDrawMode(13); })) return;
    trap.step([&] { surface.setForeColor(FARBE); });
}

void applyFont(platform::Surface& surface, MarkupFonts& fonts, const QString& SCHRIFTART,
               std::int16_t SCHRIFTGROESSE, std::int16_t FETT, std::int16_t UNTERSTRICHEN,
               std::int16_t KURSIV, long FARBE, platform::ErrorTrap& trap) {
    if (!trap.step([&] { surface.setFontName(SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART); }))
        return;
    if (!trap.step([&] { surface.setFontSize(SCHRIFTGROESSE <= 0 ? 8.0f : float(SCHRIFTGROESSE)); })) return;
    if (!trap.step([&] {
            SurfaceFont f = surface.Font();
            f.setBold(FETT != 0);
            f.Italic = KURSIV != 0;
            f.Underline = UNTERSTRICHEN != 0;
            surface.setFont(f);
        }))
        return;
    if (!trap.step([&] {
            surface.setForeColor(FARBE <= 0 ? platform::NumberFromColor(platform::QBColor(0)) : FARBE);
        }))
        return;
    trap.step([&] { fonts.rebuild(surface.Font()); });
}

} // namespace drawing
