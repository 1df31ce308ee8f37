#include "clsROTATOR.h"

#include "SurfaceSettings.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <cstring>

namespace {
std::int32_t toLong(double v) {
    return platform::CLng(platform::Variant(v));
}
} // namespace

void clsROTATOR::setDevice(platform::Surface* objDevice) {
    if (!objDevice) throw platform::VbError::objectNotSet();
    device_ = objDevice;
    scaleLeft_ = 0; // the surfaces keep their origin at the top-left corner
    scaleTop_ = 0;
    const drawing::PixelsPerUnit ppu = drawing::measureSurface(*objDevice);
    pixelsPerUnitX_ = ppu.x;
    pixelsPerUnitY_ = ppu.y;
}

std::int32_t clsROTATOR::XtoP(float x) const {
    return toLong(double(x - scaleLeft_) * pixelsPerUnitX_);
}
std::int32_t clsROTATOR::YtoP(float y) const {
    return toLong(double(y - scaleTop_) * pixelsPerUnitY_);
}

void clsROTATOR::Label(const QString& sText) {
    if (!device_) throw platform::VbError::objectNotSet();
    platform::Surface& s = *device_;
    const platform::SurfaceFont& f = s.Font();
    font_ = LOGFONT{};
    // The face name in the code page, at most 32 bytes and a terminating zero.
    const QByteArray face = f.Name.toLatin1().left(32);
    std::memcpy(font_.lfFaceName, face.constData(), std::size_t(face.size()));
    // The cell height: pixels per inch times the size, integer-divided by 72, then enlarged by 1.175.
    const std::int32_t height = toLong(double(s.logPixelsY()) * double(f.Size)) / 72;
    font_.lfHeight = toLong(double(height) * 1.175);
    font_.lfItalic = f.Italic ? 1 : 0;
    font_.lfUnderline = f.Underline ? 1 : 0;
    font_.lfStrikeOut = f.Strikethrough ? 1 : 0;
    font_.lfWeight = f.Weight;
    font_.lfEscapement = font_.lfOrientation = std::int32_t(angle_) * 10;
    s.TextOutRotated(XtoP(s.CurrentX()), YtoP(s.CurrentY()), sText, f, font_.lfHeight, font_.lfEscapement);
}
