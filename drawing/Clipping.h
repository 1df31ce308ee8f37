#pragma once

#include <optional>

namespace drawing {

// The plot frame in millimetres on the surface; its edges belong to it.
struct Rahmen {
    float XL = 0, YT = 0, XR = 0, YB = 0;
    bool inside(float x, float y) const { return XL <= x && x <= XR && YT <= y && y <= YB; }
};

// A straight piece between two points, millimetres.
struct Strecke {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The part of the segment inside the frame, drawn from the end with the smaller x; nothing when the
// segment misses the frame or only touches it in one point from outside. The crossings with the edges
// are found with LININT.
std::optional<Strecke> clipToFrame(const Rahmen& frame, float X1, float Y1, float X2, float Y2);

// The axis-parallel rectangle spanned by two points, clamped to the frame; nothing when both points lie
// beyond one edge.
std::optional<Strecke> clampToFrame(const Rahmen& frame, float X1, float Y1, float X2, float Y2);

// The direction angle of the vector from (X1, Y1) to (X2, Y2) in radians, 0 up to 2 pi, in the
// coordinates handed in (with y downwards it turns clockwise on the page); 0 for two equal points.
float WINKEL(float X1, float Y1, float X2, float Y2);

} // namespace drawing
