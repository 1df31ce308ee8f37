#include "Colors.h"

#include "platform/runtime/VbError.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {
// The standard sixteen colours as (R, G, B).
constexpr std::array<std::array<int, 3>, 16> kPalette{{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};
} // namespace

long RGB(int red, int green, int blue) {
    auto part = [](int v) { return long(std::clamp(v, 0, 255)); };
    return part(red) + 256 * part(green) + 65536 * part(blue);
}

long QBColor(int index) {
    if (index < 0 || index > 15) throw VbError::invalidCall();
    const auto& c = kPalette[std::size_t(index)];
    return RGB(c[0], c[1], c[2]);
}

QColor ColorFromNumber(long color) {
    if (color >= 0 && color <= 15) {
        const auto& c = kPalette[std::size_t(color)];
        return QColor(c[0], c[1], c[2]);
    }
    // Only the low three bytes are a colour; higher bits (system colours) are not drawn as such.
    const long rgb = color & 0xFFFFFF;
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

long ColorNumber(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace platform
