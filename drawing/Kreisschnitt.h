#pragma once

#include <utility>
#include <vector>

namespace drawing {

// The geometry of a circle against the plot frame, for the arcs of the diagram object. Angles are
// surface angles: the point at angle t lies at (xm + r cos t, ym + r sin t) in surface millimetres
// (y downwards).

// A when A < B, otherwise B.
float MIN(float A, float B);

// Where the circle (XM, YM, R) meets the vertical line x = X0: Y[0] and Y[1] the lower and the higher y
// (equal for a tangent). False, and Y untouched, when the line misses the circle.
bool SCHNITTSENKRECHT(float XM, float YM, float R, float X0, float Y[2]);
// The same for the horizontal line y = Y0, with X[0] <= X[1].
bool SCHNITTWAAGRECHT(float XM, float YM, float R, float Y0, float X[2]);

// A crossing of the circle with an edge of the frame.
struct Kreisschnittpunkt {
    float x = 0, y = 0;
    int kante = -1;   // 0 left, 1 bottom, 2 right, 3 top when it is the only crossing of its edge; else -1
    float winkel = 0; // its surface angle, filled in by the caller
};

// The crossings with the frame's edges, taken left, bottom, right, top; two crossings of one edge are
// stored in the order of a walk counterclockwise around the frame on the surface.
struct Kreisschnitte {
    std::vector<Kreisschnittpunkt> punkte;
    int zweipunktkanten = 0; // edges that gave two crossings
    bool erstesPaar = false; // the first crossings collected came from such an edge
};

Kreisschnitte kreisschnitte(float xm, float ym, float r, float XL, float YT, float XR, float YB);

// The pieces of the circle inside the frame, each (start angle, end angle) running through decreasing
// angles, from the crossings with their angles. An even count of crossings is expected.
std::vector<std::pair<float, float>> kreisstuecke(const Kreisschnitte& schnitte, float xm, float ym);

// Where the piece (P, Q) overlaps the arc (s1, s2), both running through decreasing angles: none, one or
// two arcs (start, end).
std::vector<std::pair<float, float>> bogenteile(float P, float Q, float s1, float s2);

} // namespace drawing
