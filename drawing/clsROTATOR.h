#pragma once

#include <cstdint>
#include <QByteArray>
#include <QString>

namespace platform {
class Surface;
}

// Rotated text: draws a text turned by a whole number of degrees, counterclockwise, about the top-left
// corner of its cell at the surface's current point, in the surface's current font and colour. Made for
// one piece of text and released after it.
class clsROTATOR {
public:
    // The font record handed to the device: sizes in device pixels, the angle in tenths of a degree.
    struct LOGFONT {
        std::int32_t lfHeight = 0;
        std::int32_t lfWidth = 0;
        std::int32_t lfEscapement = 0;
        std::int32_t lfOrientation = 0;
        std::int32_t lfWeight = 0;
        std::uint8_t lfItalic = 0;
        std::uint8_t lfUnderline = 0;
        std::uint8_t lfStrikeOut = 0;
        std::uint8_t lfCharSet = 0;
        std::uint8_t lfOutPrecision = 0;
        std::uint8_t lfClipPrecision = 0;
        std::uint8_t lfQuality = 0;
        std::uint8_t lfPitchAndFamily = 0;
        char lfFaceName[33] = {};
    };

    platform::Surface* Device() const { return device_; }
    // Binds the surface and measures its pixels per unit, as a drawing object does.
    void setDevice(platform::Surface* objDevice);
    std::int16_t Angle() const { return angle_; }
    void setAngle(std::int16_t nAngle) { angle_ = nAngle; }
    // Draws the text rotated by Angle at the surface's (CurrentX, CurrentY); the current point stays.
    void Label(const QString& sText);
    // The record of the last Label.
    const LOGFONT& font() const { return font_; }

private:
    std::int32_t XtoP(float x) const;
    std::int32_t YtoP(float y) const;

    platform::Surface* device_ = nullptr;
    std::int16_t angle_ = 0;
    float scaleLeft_ = 0, scaleTop_ = 0;
    float pixelsPerUnitX_ = 0, pixelsPerUnitY_ = 0;
    LOGFONT font_;
};
