#pragma once

#include "SurfaceFont.h"

#include <optional>
#include <QString>

namespace platform {

// A drawing surface: the picture of a page on screen or the printer page. Positions are millimetres from
// the top-left corner, y growing downwards. It has the members of a picture box: a current point, pen,
// fill and font settings, lines, boxes, circles and arcs, points, text at the current point and text
// metrics. Lines are drawn in whole device pixels; the surface converts millimetres itself.
class Surface {
public:
    // Line styles (DrawStyle).
    enum DrawStyles { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Invisible = 5 };
    // Fill styles (FillStyle).
    enum FillStyles { FillSolid = 0, FillTransparent = 1 };

    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // --- Size and device ---
    // True for the printer page, false for a picture on screen.
    virtual bool isPrinter() const = 0;
    // The inner area in millimetres (ScaleWidth, ScaleHeight); ScaleLeft and ScaleTop are always 0.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // The outer size in twips (56.7 to the millimetre).
    float Width() const { return ScaleWidth() * 56.7f; }
    float Height() const { return ScaleHeight() * 56.7f; }
    // Device pixels per millimetre along x and y.
    virtual double pixelsPerMmX() const = 0;
    virtual double pixelsPerMmY() const = 0;
    // Device pixels per inch, vertically (the device's LOGPIXELSY).
    virtual int logPixelsY() const = 0;
    // The inner size in device pixels.
    int pixelWidth() const;
    int pixelHeight() const;

    // --- Clipping ---
    // A rectangle in millimetres outside which nothing is drawn; std::nullopt draws everywhere.
    struct ClipRect {
        float left = 0, top = 0, width = 0, height = 0;
        bool operator==(const ClipRect&) const = default;
    };
    const std::optional<ClipRect>& Clip() const { return clip_; }
    void setClip(const std::optional<ClipRect>& clip) { clip_ = clip; }

    // --- Current point, pen, fill ---
    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }
    void setCurrentX(float x) { currentX_ = x; }
    void setCurrentY(float y) { currentY_ = y; }
    long ForeColor() const { return foreColor_; }
    void setForeColor(long color) { foreColor_ = color; }
    long BackColor() const { return backColor_; }
    void setBackColor(long color) { backColor_ = color; }
    long FillColor() const { return fillColor_; }
    void setFillColor(long color) { fillColor_ = color; }
    int FillStyle() const { return fillStyle_; }
    void setFillStyle(int style);
    int DrawStyle() const { return drawStyle_; }
    // 0 to 6; any other value raises "invalid property value" (380).
    void setDrawStyle(int style);
    int DrawWidth() const { return drawWidth_; }
    // Whole pixels, at least 1; a smaller value raises "invalid property value" (380).
    void setDrawWidth(int pixels);
    int DrawMode() const { return drawMode_; }
    void setDrawMode(int mode);

    // --- Font ---
    // The current font. The size reads back as the device took it (whole device pixels).
    const SurfaceFont& Font() const { return font_; }
    virtual void setFont(const SurfaceFont& font);
    void setFontName(const QString& name);
    void setFontSize(float size);
    bool FontTransparent() const { return fontTransparent_; }
    void setFontTransparent(bool transparent) { fontTransparent_ = transparent; }

    // --- Drawing, in millimetres; a colour of std::nullopt draws in ForeColor ---
    // A line; the current point moves to its end.
    virtual void Line(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) = 0;
    // An outlined box between two corners (filled with FillColor when FillStyle is solid).
    virtual void Box(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) = 0;
    // A box filled with the colour between two corners.
    virtual void FilledBox(float x1, float y1, float x2, float y2,
                           std::optional<long> color = std::nullopt) = 0;
    // A circle, or an arc from angle start to end (radians, counterclockwise on the surface, 0 pointing
    // right). A negative angle also draws the radius to that end (a pie). Filled with FillColor when
    // FillStyle is solid and the figure is closed.
    virtual void Circle(float x, float y, float radius, std::optional<long> color = std::nullopt,
                        std::optional<float> start = std::nullopt,
                        std::optional<float> end = std::nullopt) = 0;
    // One point.
    virtual void PSet(float x, float y, std::optional<long> color = std::nullopt) = 0;
    // Text in the current font and ForeColor with the top-left corner of its cell at the current point;
    // afterwards the current point is at the start of the next line (x 0, y one text height lower).
    virtual void Print(const QString& text) = 0;
    // The size of a text in the current font, in millimetres.
    virtual float TextWidth(const QString& text) const = 0;
    virtual float TextHeight(const QString& text) const = 0;
    // Clears the surface to BackColor; the current point goes to (0, 0).
    virtual void Cls() = 0;
    // The next sheet of a print job (a page of several sheets); a surface that is no printer page starts
    // afresh as Cls does.
    virtual void NewPage() { Cls(); }

    // --- Device level ---
    // Text turned counterclockwise by escapement / 10 degrees about the top-left corner of its cell at
    // device pixel (x, y), in ForeColor on a transparent background. The font's cell (ascent plus descent)
    // is cellHeight device pixels high.
    virtual void TextOutRotated(int x, int y, const QString& text, const SurfaceFont& font, int cellHeight,
                                int escapement) = 0;

    // --- Name ---
    // The name of the picture the surface shows (the page's control name), for the drawing's messages.
    const QString& Name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

protected:
    Surface() = default;
    // The size the device gives a font of the asked size (default: unchanged).
    virtual float deviceFontSize(float size) const { return size; }

private:
    float currentX_ = 0, currentY_ = 0;
    long foreColor_ = 0;
    long backColor_ = 16777215;
    long fillColor_ = 0;
    int fillStyle_ = FillTransparent;
    int drawStyle_ = Solid;
    int drawWidth_ = 1;
    int drawMode_ = 13;
    bool fontTransparent_ = true;
    SurfaceFont font_;
    std::optional<ClipRect> clip_;
    QString name_;
};

// Limits the drawing of a surface to a rectangle for as long as it lives; the clip before it comes back.
class ClipScope {
public:
    ClipScope(Surface& surface, const Surface::ClipRect& clip)
        : surface_(surface), previous_(surface.Clip()) {
        surface.setClip(clip);
    }
    ~ClipScope() { surface_.setClip(previous_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Surface& surface_;
    std::optional<Surface::ClipRect> previous_;
};

} // namespace platform
