#include "MarkupText.h"

#include "clsROTATOR.h"
#include "PointMarker.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/surface/Surface.h"

#include <cmath>

namespace drawing {

using platform::VbError;

void DREHTEXT(platform::Surface& surface, const QString& text, std::int16_t angle, float x, float y,
              float size, const QString& fontName) {
    // The size is handed over as a byte.
    const std::int16_t points = platform::CInt(platform::Variant(size));
    if (points < 0 || points > 255) throw VbError::overflow();
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.setFontName(fontName);
    surface.setFontSize(points);
    surface.setFontTransparent(true);
    clsROTATOR rotator;
    rotator.setDevice(&surface);
    rotator.setAngle(angle);
    rotator.Label(text);
}

namespace {

int markerNumber(const QString& text) {
    const auto n = platform::ReadNumber(text, platform::SystemLocale::decimalSign());
    if (!n) throw VbError::typeMismatch();
    return platform::CInt(platform::Variant(*n));
}

} // namespace

bool drawMarkup(platform::Surface& s, MarkupFonts& fonts, const QString& label, const MarkupPlacement& at,
                const MarkupRules& rules, platform::ErrorTrap& trap) {
    if (!trap.step([&] { fonts.setSlot(0, s.Font()); })) return false;
    const float cosW = std::cos(at.angle), sinW = std::sin(at.angle);
    float x = at.x, y = at.y;
    for (const MarkupStep& step : readMarkup(label, rules)) {
        if (step.fault) {
            const bool goOn = trap.step([&] { throw *step.fault; });
            if (!goOn) return false;
            if (step.endsLabel) return true;
            continue;
        }
        const MarkupPiece& piece = *step.piece;
        if (!trap.step([&] { s.setFont(fonts.slot(piece.slot)); })) return false;
        if (at.characterAdvance && piece.characterCode) {
            if (!trap.step([&] {
                    const float d = 0.35f * s.TextHeight(piece.text);
                    x += d * cosW;
                    y -= d * sinW;
                }))
                return false;
        }
        float D = 0;
        if (!trap.step([&] { D = markupShift(piece, [&](const QString& t) { return s.TextHeight(t); }); }))
            return false;
        const float px = x - D * sinW, py = y - D * cosW;
        if (!trap.step([&] {
                if (piece.marker)
                    drawPointMarker(s, px + 0.5f * cosW, py, markerNumber(piece.text));
                else if (at.angle != 0)
                    DREHTEXT(s, piece.text, at.degrees, px, py, fonts.slot(piece.slot).Size,
                             fonts.slot(piece.slot).Name);
                else {
                    s.setCurrentX(px);
                    s.setCurrentY(py);
                    s.Print(piece.text);
                }
            }))
            return false;
        float w = 0;
        if (!trap.step([&] { w = s.TextWidth(piece.text); })) return false;
        if (!trap.step([&] { s.setFont(fonts.slot(0)); })) return false;
        x += w * cosW;
        y -= w * sinW;
    }
    return true;
}

} // namespace drawing
