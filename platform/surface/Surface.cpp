#include "Surface.h"

#include "platform/runtime/VbError.h"

#include <cmath>

namespace platform {

namespace {
VbError invalidPropertyValue() {
    return VbError(380, QStringLiteral("Invalid property value"));
}
} // namespace

int Surface::pixelWidth() const {
    return int(std::lround(ScaleWidth() * pixelsPerMmX()));
}
int Surface::pixelHeight() const {
    return int(std::lround(ScaleHeight() * pixelsPerMmY()));
}

void Surface::setFillStyle(int style) {
    if (style < 0 || style > 7) throw invalidPropertyValue();
    fillStyle_ = style;
}

void Surface::setDrawStyle(int style) {
    if (style < 0 || style > 6) throw invalidPropertyValue();
    drawStyle_ = style;
}

void Surface::setDrawWidth(int pixels) {
    if (pixels < 1) throw invalidPropertyValue();
    drawWidth_ = pixels;
}

void Surface::setDrawMode(int mode) {
    if (mode < 1 || mode > 16) throw invalidPropertyValue();
    drawMode_ = mode;
}

void Surface::setFont(const SurfaceFont& font) {
    font_ = font;
    font_.Size = deviceFontSize(font.Size);
}

void Surface::setFontName(const QString& name) {
    SurfaceFont f = font_;
    f.Name = name;
    setFont(f);
}

void Surface::setFontSize(float size) {
    SurfaceFont f = font_;
    f.Size = size;
    setFont(f);
}

} // namespace platform
