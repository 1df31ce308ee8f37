#include "ImageSurface.h"

#include "platform/runtime/Color.h"

#include <algorithm>
#include <cmath>

namespace platform {

ImageSurface::ImageSurface(float widthMm, float heightMm, double pixelsPerMm)
    : PainterSurface(pixelsPerMm, pixelsPerMm, int(std::lround(pixelsPerMm * 25.4)), 0.0), widthMm_(0),
      heightMm_(0) {
    resize(widthMm, heightMm);
}

ImageSurface::~ImageSurface() { endPass(); }

void ImageSurface::endPass() const {
    if (painter_) painter_->end();
    painter_.reset();
}

void ImageSurface::resize(float widthMm, float heightMm) {
    endPass();
    widthMm_ = std::max(0.0f, widthMm);
    heightMm_ = std::max(0.0f, heightMm);
    image_ = QImage(std::max(1, pixelWidth()), std::max(1, pixelHeight()), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(pixelsPerMmX() * 1000.0));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    Cls();
}

void ImageSurface::Cls() {
    endPass();
    image_.fill(ColorFromNumber(BackColor()));
    setCurrentX(0);
    setCurrentY(0);
}

void ImageSurface::paint(const std::function<void(QPainter&)>& step) {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        ++passes_;
    }
    // Every item starts from the painter as it was opened: what one item sets (pen, font, clipping) is
    // not left to the next.
    struct Restore {
        QPainter& painter;
        ~Restore() { painter.restore(); }
    } restore{*painter_};
    painter_->save();
    step(*painter_);
}

} // namespace platform
