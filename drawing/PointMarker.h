#pragma once

#include <cstdint>

namespace platform {
class Surface;
}

namespace drawing {

// Draws point marker `type` centred on (x, y) in millimetres, with the surface's pen in ForeColor, not
// clipped: 0 diagonal cross, 1 filled square, 2 open square (1 mm), 3 filled disc, 4 open circle (radius
// 0.7 mm), 5 open triangle pointing up, 6 star; any other type draws nothing. The filled disc leaves the
// surface's fill transparent and white.
void drawPointMarker(platform::Surface& surface, float x, float y, int type);

} // namespace drawing
