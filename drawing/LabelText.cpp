#include "LabelText.h"

#include "MarkupText.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/Surface.h"

namespace drawing {

namespace {

// A text of the user's data: one piece in the font of plain pieces, as the markup draws a label without
// groups, but never read for groups.
bool drawPlain(platform::Surface& s, MarkupFonts& fonts, const QString& text, float x, float y,
               platform::ErrorTrap& trap) {
    if (!trap.step([&] {
            fonts.setSlot(0, s.Font());
            s.setFont(fonts.slot(2));
        }))
        return false;
    if (!trap.step([&] {
            s.setCurrentX(x);
            s.setCurrentY(y);
            s.Print(text);
        }))
        return false;
    return trap.step([&] { s.setFont(fonts.slot(0)); });
}

} // namespace

QString cutToWidth(const platform::Surface& surface, const QString& text, float width) {
    if (surface.TextWidth(text) <= width) return text;
    // The widths grow with the length: the longest fitting beginning is found by halving.
    qsizetype lo = 0, hi = text.size();
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (surface.TextWidth(text.left(mid)) <= width)
            lo = mid;
        else
            hi = mid;
    }
    // A character outside the basic plane is not split in two.
    if (lo > 0 && text.at(lo - 1).isHighSurrogate()) --lo;
    return text.left(lo);
}

bool drawLabel(platform::Surface& s, MarkupFonts& fonts, const QString& label, float X, float Y,
               std::int16_t ARX, std::int16_t ARY, const LabelStyle& style, LabelKind kind,
               platform::ErrorTrap& trap) {
    float TW = 0, TH = 0;
    if (!trap.step([&] {
            const QString measured = kind == LabelKind::Plain ? label : markupPlainText(label);
            TW = s.TextWidth(measured);
            TH = s.TextHeight(measured);
        }))
        return false;
    MarkupPlacement at;
    at.characterAdvance = style.characterAdvance;
    switch (ARX) {
    case 0:
        at.x = X;
        at.y = Y;
        break;
    case 1:
        at.x = X - TW / 2;
        at.y = Y;
        break;
    case 2:
        at.x = X - TW;
        at.y = Y;
        break;
    default:
        break; // the label starts at the surface's origin
    }
    if (ARY == 1)
        at.y -= TH / 2;
    else if (ARY == 2)
        at.y -= TH;
    if (kind == LabelKind::Plain) return drawPlain(s, fonts, label, at.x, at.y, trap);
    return drawMarkup(s, fonts, label, at, style.rules, trap);
}

} // namespace drawing
