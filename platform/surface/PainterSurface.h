#pragma once

#include "Surface.h"

#include <functional>
#include <QFont>

class QPainter;
class QPaintDevice;
class QPen;
class QPointF;

namespace platform {

// The drawing of both real surfaces, on a QPainter in device pixels: millimetres are converted here,
// fonts are sized in whole device pixels, dash patterns are defined in millimetres and no pen is thinner
// than the device's minimum.
class PainterSurface : public Surface {
public:
    double pixelsPerMmX() const override { return pixelsPerMmX_; }
    double pixelsPerMmY() const override { return pixelsPerMmY_; }
    int logPixelsY() const override { return dpi_; }

    void Line(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void Box(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void FilledBox(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void Circle(float x, float y, float radius, std::optional<long> color = std::nullopt,
                std::optional<float> start = std::nullopt, std::optional<float> end = std::nullopt) override;
    void PSet(float x, float y, std::optional<long> color = std::nullopt) override;
    void Print(const QString& text) override;
    float TextWidth(const QString& text) const override;
    float TextHeight(const QString& text) const override;
    void TextOutRotated(int x, int y, const QString& text, const SurfaceFont& font, int cellHeight,
                        int escapement) override;

    // The Qt font drawn for a font of the surface: the drawn family, sized in whole device pixels.
    QFont deviceFont(const SurfaceFont& font) const;

protected:
    // minPenMm: the thinnest line the device draws, in millimetres (0: one pixel).
    PainterSurface(double pixelsPerMmX, double pixelsPerMmY, int dpi, double minPenMm);
    // Runs a drawing step on the device's painter.
    virtual void paint(const std::function<void(QPainter&)>& step) = 0;
    // The device that text is measured for.
    virtual const QPaintDevice* metricsDevice() const = 0;
    float deviceFontSize(float size) const override;
    void setResolution(double pixelsPerMmX, double pixelsPerMmY, int dpi);

private:
    // A position in millimetres as device pixels, clamped to the range every device takes.
    QPointF devicePoint(double x, double y) const;
    // Runs a drawing step within the surface's clip.
    void draw(const std::function<void(QPainter&)>& step);
    QPen pen(long color) const;
    int fontPixels(float size) const;

    double pixelsPerMmX_;
    double pixelsPerMmY_;
    int dpi_;
    double minPenMm_;
};

} // namespace platform
