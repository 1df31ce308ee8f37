// The grid editor's header: fonts, captions in the label markup, tooltips.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "drawing/Markup.h"
#include "drawing/MarkupText.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/SymbolFont.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

using platform::Variant;
using platform::VbError;

namespace {

constexpr float kTwipsProMm = 56.7f;

// The grid's font as the drawing surfaces take it, under the name it was given.
platform::SurfaceFont surfaceFontOf(const QFont& font, const QString& name) {
    platform::SurfaceFont f;
    f.Name = name;
    f.Size = float(font.pointSizeF());
    f.Italic = font.italic();
    f.Underline = font.underline();
    f.Strikethrough = font.strikeOut();
    f.setBold(font.bold());
    return f;
}

void applyFont(QWidget& widget, const QFont& font, std::int64_t color) {
    widget.setFont(font);
    QPalette p = widget.palette();
    p.setColor(QPalette::Text, platform::ColorFromNumber(color));
    widget.setPalette(p);
}

} // namespace

void clsFLX::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE, std::int16_t FETT,
                                  std::int16_t UNTERSTRICHEN, std::int16_t KURSIV, long FARBE) {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Schrifteinstellungen"),
                             QStringLiteral("VB-Error:"));
    QString name;
    if (!trap.step([&] {
            if (!z.grid) throw VbError::objectNotSet();
            name = SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART;
            QFont f = z.grid->font();
            f.setFamily(platform::drawnFontFamily(name));
            z.grid->setFont(f);
        }))
        return;
    platform::FlexGrid& grid = *z.grid;
    if (!trap.step([&] {
            QFont f = grid.font();
            f.setPointSizeF(SCHRIFTGROESSE > 0 ? SCHRIFTGROESSE : 11);
            grid.setFont(f);
        }))
        return;
    if (!trap.step([&] {
            QFont f = grid.font();
            f.setBold(FETT != 0);
            f.setItalic(KURSIV != 0);
            f.setUnderline(UNTERSTRICHEN != 0);
            grid.setFont(f);
        }))
        return;
    if (!trap.step(
            [&] { grid.setForeColor(FARBE > 0 ? FARBE : platform::NumberFromColor(platform::QBColor(0))); }))
        return;
    // One caption line, or two.
    if (!trap.step([&] {
            if (grid.Rows() < 1) return;
            grid.setRowHeight(0, z.lst2 ? 2 * grid.CellHeight() : grid.CellHeight());
        }))
        return;
    if (z.txt && !trap.step([&] { applyFont(*z.txt, grid.font(), grid.ForeColor()); })) return;
    if (z.cbo && !trap.step([&] { applyFont(*z.cbo, grid.font(), grid.ForeColor()); })) return;
    trap.step([&] { z.fonts.rebuild(surfaceFontOf(grid.font(), name)); });
}

void clsFLX::BESCHRIFTEN() {
    Zustand& z = *z_;
    if (!z.pic || z.lst1.empty()) return;
    if (!z.grid) throw VbError::objectNotSet();
    platform::FlexGrid& grid = *z.grid;
    platform::PictureBox& pic = *z.pic;

    // As wide as the visible columns, but inside the grid and clear of its vertical scroll bar.
    const float gridBreite = float(grid.Width());
    float breite = 0;
    for (int c = 0; c < grid.Cols(); ++c) {
        if (!grid.ColIsVisible(c)) continue;
        breite += float(grid.ColWidth(c));
        if (breite > gridBreite) {
            const bool ohneBalken = grid.RowIsVisible(grid.Rows() - 1) && grid.RowIsVisible(grid.FixedRows());
            breite = gridBreite - (ohneBalken ? 56.7f : 311.85f);
            break;
        }
    }
    const float hoehe = float(grid.RowHeight(0));
    pic.setGeometryMm(pic.leftMm(), pic.topMm(), breite / kTwipsProMm, hoehe / kTwipsProMm);
    pic.surface().Cls();

    float links = 56.7f;
    for (int c = 0; c < grid.Cols(); ++c) {
        if (!grid.ColIsVisible(c)) continue;
        const float w = float(grid.ColWidth(c));
        TEXT(links + w / 2, 0, flx::eintrag(z.lst1, c), 1, 0);
        if (z.lst2) TEXT(links + w / 2, hoehe / 2, flx::eintrag(*z.lst2, c), 1, 0);
        links += w;
        if (links > gridBreite) break;
    }
    pic.update();
    setELA(z.la);
}

void clsFLX::TEXT(float X, float Y, const Variant& TEXT, std::int16_t AUSRICHTUNGX,
                  std::int16_t AUSRICHTUNGY) {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Text"));
    if (!z.pic) return;
    platform::Surface& s = z.pic->surface();
    QString titel;
    if (!trap.step([&] { titel = TEXT.isNull() || TEXT.isEmpty() ? QString() : platform::CStr(TEXT); }))
        return;
    // The caption's size is the size of its text without the group tags, in the picture's own font.
    float breite = 0, hoehe = 0;
    if (!trap.step([&] {
            const QString rein = drawing::markupPlainText(titel);
            breite = s.TextWidth(rein);
            hoehe = s.TextHeight(rein);
        }))
        return;
    drawing::MarkupPlacement at;
    at.x = X / kTwipsProMm - (AUSRICHTUNGX == 1 ? breite / 2 : AUSRICHTUNGX == 2 ? breite : 0);
    at.y = Y / kTwipsProMm - (AUSRICHTUNGY == 1 ? hoehe / 2 : AUSRICHTUNGY == 2 ? hoehe : 0);
    // The caption reader knows no point markers and does not raise Greek pieces.
    drawing::MarkupRules regeln;
    regeln.pointMarkers = false;
    regeln.greekRaised = false;
    drawing::drawMarkup(s, z.fonts, titel, at, regeln, trap);
}

void clsFLX::TOOLTIP(float X, float /*Y*/) {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / ToolTip"));
    trap.step([&] {
        if (!z.grid) throw VbError::objectNotSet();
        platform::FlexGrid& grid = *z.grid;
        float rechts = 0;
        QString tip;
        for (int c = 0; c < grid.Cols(); ++c) {
            if (!grid.ColIsVisible(c)) continue;
            rechts += float(grid.ColWidth(c));
            if (rechts > X) {
                tip = platform::CStr(flx::eintrag(z.lsttt, c));
                break;
            }
        }
        if (grid.ToolTipText() != tip) grid.setToolTipText(tip);
        if (z.pic && z.pic->toolTip() != tip) z.pic->setToolTip(tip);
    });
}
