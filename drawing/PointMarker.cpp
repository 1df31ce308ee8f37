#include "PointMarker.h"

#include "platform/runtime/Color.h"
#include "platform/surface/Surface.h"

namespace drawing {

namespace {
void cross(platform::Surface& s, float x, float y) {
    s.Line(x, y, x - 0.75f, y - 0.75f);
    s.Line(x, y, x - 0.75f, y + 0.75f);
    s.Line(x, y, x + 0.75f, y - 0.75f);
    s.Line(x, y, x + 0.75f, y + 0.75f);
}
} // namespace

void drawPointMarker(platform::Surface& s, float x, float y, int type) {
    switch (type) {
    case 0:
        cross(s, x, y);
        break;
    case 1:
        s.FilledBox(x - 0.5f, y - 0.5f, x + 0.5f, y + 0.5f);
        break;
    case 2:
        s.Box(x - 0.5f, y - 0.5f, x + 0.5f, y + 0.5f);
        break;
    case 3:
        s.setFillColor(s.ForeColor());
        s.setFillStyle(platform::Surface::FillSolid);
        s.Circle(x, y, 0.7f);
        s.setFillStyle(platform::Surface::FillTransparent);
        s.setFillColor(platform::RGB(255, 255, 255));
        break;
    case 4:
        s.Circle(x, y, 0.7f);
        break;
    case 5:
        s.Line(x - 0.7f, y + 0.33f, x + 0.7f, y + 0.33f);
        s.Line(x + 0.7f, y + 0.33f, x, y - 0.67f);
        s.Line(x, y - 0.67f, x - 0.7f, y + 0.33f);
        break;
    case 6:
        cross(s, x, y);
        s.Line(x - 0.75f, y, x + 0.75f, y);
        s.Line(x, y - 0.75f, x, y + 0.75f);
        break;
    default:
        break;
    }
}

} // namespace drawing
