#pragma once

#include <cstdint>
#include <QColor>

namespace platform {

// Colours as the program gives them, as numbers: 0 to 15 are the standard 16-colour palette, numbers with
// the top bit set (0x80000000 + n) are the system's colours, resolved from the application's palette when
// used, and any other number is R + 256 * G + 65536 * B. A number may come as a signed 32-bit value.
namespace SystemColor {
enum : std::int64_t {
    WindowBackground = 0x80000005LL, // the background of windows and input fields
    WindowText = 0x80000008LL,
    ButtonFace = 0x8000000FLL, // the face of buttons, and of the fixed cells of grids
    ButtonText = 0x80000012LL,
    Highlight = 0x8000000DLL,
    HighlightText = 0x8000000ELL,
};
}

// R + 256 * G + 65536 * B, each part from 0 to 255.
std::int64_t RGB(int red, int green, int blue);
// Colour n (0 to 15) of the standard palette.
QColor QBColor(int n);
// The colour a number stands for.
QColor ColorFromNumber(std::int64_t number);
// The number R + 256 * G + 65536 * B of a colour.
std::int64_t NumberFromColor(const QColor& color);

} // namespace platform
