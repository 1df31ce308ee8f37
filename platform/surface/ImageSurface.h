#pragma once

#include "PainterSurface.h"

#include <QImage>

namespace platform {

// A picture on screen: the drawing is kept in an image of the picture's size, so it stays until it is
// drawn anew, and a copy of the picture is that image.
class ImageSurface : public PainterSurface {
public:
    // The pixel density of the screen pictures: 96 pixels per inch.
    static constexpr double kScreenPixelsPerMm = 96.0 / 25.4;

    ImageSurface(float widthMm, float heightMm, double pixelsPerMm = kScreenPixelsPerMm);

    bool isPrinter() const override { return false; }
    float ScaleWidth() const override { return widthMm_; }
    float ScaleHeight() const override { return heightMm_; }
    void Cls() override;

    // Gives the picture a new size; the drawing is cleared.
    void resize(float widthMm, float heightMm);
    const QImage& image() const { return image_; }

protected:
    void paint(const std::function<void(QPainter&)>& step) override;
    const QPaintDevice* metricsDevice() const override { return &image_; }

private:
    float widthMm_;
    float heightMm_;
    QImage image_;
};

} // namespace platform
