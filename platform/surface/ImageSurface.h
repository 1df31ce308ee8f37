#pragma once

#include "PainterSurface.h"

#include <memory>
#include <QImage>
#include <QPainter>

namespace platform {

// A picture on screen: the drawing is kept in an image of the picture's size, so it stays until it is
// drawn anew, and a copy of the picture is that image.
class ImageSurface : public PainterSurface {
public:
    // The pixel density of the screen pictures: 96 pixels per inch.
    static constexpr double kScreenPixelsPerMm = 96.0 / 25.4;

    ImageSurface(float widthMm, float heightMm, double pixelsPerMm = kScreenPixelsPerMm);
    ~ImageSurface() override;

    bool isPrinter() const override { return false; }
    float ScaleWidth() const override { return widthMm_; }
    float ScaleHeight() const override { return heightMm_; }
    void Cls() override;

    // Gives the picture a new size; the drawing is cleared.
    void resize(float widthMm, float heightMm);
    // The picture as drawn so far; the drawing pass ends here.
    const QImage& image() const {
        endPass();
        return image_;
    }
    // A drawing pass keeps one painter open from its first item until the picture is read, cleared or
    // resized: opening a painter costs more than drawing a line. Ends the pass.
    void endPass() const;
    // The painters opened so far, one per drawing pass.
    int painterPasses() const { return passes_; }

protected:
    void paint(const std::function<void(QPainter&)>& step) override;
    const QPaintDevice* metricsDevice() const override { return &image_; }

private:
    float widthMm_;
    float heightMm_;
    QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    int passes_ = 0;
};

} // namespace platform
