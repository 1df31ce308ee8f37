#include "ImageSurface.h"

#include "platform/runtime/Color.h"

#include <algorithm>
#include <cmath>
#include <QPainter>

namespace platform {

ImageSurface::ImageSurface(float widthMm, float heightMm, double pixelsPerMm)
    : PainterSurface(pixelsPerMm, pixelsPerMm, int(std::lround(pixelsPerMm * 25.4)), 0.0), widthMm_(0),
      heightMm_(0) {
    resize(widthMm, heightMm);
}

void ImageSurface::resize(float widthMm, float heightMm) {
    widthMm_ = std::max(0.0f, widthMm);
    heightMm_ = std::max(0.0f, heightMm);
    image_ = QImage(std::max(1, pixelWidth()), std::max(1, pixelHeight()), QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(pixelsPerMmX() * 1000.0));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    Cls();
}

void ImageSurface::Cls() {
    image_.fill(ColorFromNumber(BackColor()));
    setCurrentX(0);
    setCurrentY(0);
}

void ImageSurface::paint(const std::function<void(QPainter&)>& step) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    step(painter);
}

} // namespace platform
