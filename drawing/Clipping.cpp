#include "Clipping.h"

#include "LININT.h"
#include "SingleMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace drawing {

namespace {

// Puts the end with the smaller x first (equal x are swapped too) and tells whether both ends lie beyond
// the same edge.
bool orderAndReject(const Rahmen& f, float& X1, float& Y1, float& X2, float& Y2) {
    if (X2 <= X1) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }
    return (X1 < f.XL && X2 < f.XL) || (X1 > f.XR && X2 > f.XR) || (Y1 < f.YT && Y2 < f.YT) ||
           (Y1 > f.YB && Y2 > f.YB);
}

} // namespace

std::optional<Strecke> clipToFrame(const Rahmen& f, float X1, float Y1, float X2, float Y2) {
    if (orderAndReject(f, X1, Y1, X2, Y2)) return std::nullopt;
    if (f.inside(X1, Y1) && f.inside(X2, Y2)) return Strecke{X1, Y1, X2, Y2};
    if (X1 == X2) {
        const float top = std::max(f.YT, std::min(Y1, Y2)), bottom = std::min(f.YB, std::max(Y1, Y2));
        if (!(top < bottom)) return std::nullopt;
        return Strecke{X1, top, X1, bottom};
    }
    if (Y1 == Y2) {
        const float left = std::max(f.XL, X1), right = std::min(f.XR, X2);
        if (!(left < right)) return std::nullopt;
        return Strecke{left, Y1, right, Y1};
    }
    // The ends inside the frame and the crossings with its edges that lie between the ends.
    struct P {
        float x, y;
    };
    std::vector<P> points;
    if (f.inside(X1, Y1)) points.push_back({X1, Y1});
    if (f.inside(X2, Y2)) points.push_back({X2, Y2});
    for (float xe : {f.XL, f.XR}) {
        if (X1 <= xe && xe <= X2) {
            const float y = LININT(X1, X2, xe, Y1, Y2);
            if (f.YT <= y && y <= f.YB) points.push_back({xe, y});
        }
    }
    const float ylo = std::min(Y1, Y2), yhi = std::max(Y1, Y2);
    for (float ye : {f.YT, f.YB}) {
        if (ylo <= ye && ye <= yhi) {
            const float x = LININT(Y1, Y2, ye, X1, X2);
            if (f.XL <= x && x <= f.XR) points.push_back({x, ye});
        }
    }
    if (points.empty()) return std::nullopt;
    // Along the segment x grows: it enters the frame at the smallest x and leaves it at the largest.
    const auto [lo, hi] =
        std::minmax_element(points.begin(), points.end(), [](const P& a, const P& b) { return a.x < b.x; });
    if (lo->x == hi->x && lo->y == hi->y) return std::nullopt;
    return Strecke{lo->x, lo->y, hi->x, hi->y};
}

std::optional<Strecke> clampToFrame(const Rahmen& f, float X1, float Y1, float X2, float Y2) {
    if (orderAndReject(f, X1, Y1, X2, Y2)) return std::nullopt;
    Strecke r{std::max(X1, f.XL), Y1, std::min(X2, f.XR), Y2};
    if (r.y1 < r.y2) {
        r.y1 = std::max(r.y1, f.YT);
        r.y2 = std::min(r.y2, f.YB);
    } else {
        r.y1 = std::min(r.y1, f.YB);
        r.y2 = std::max(r.y2, f.YT);
    }
    return r;
}

float WINKEL(float X1, float Y1, float X2, float Y2) {
    const float DX = X2 - X1, DY = Y2 - Y1;
    // pi / 2 and pi as Singles; 3 pi / 2 and 2 pi formed from them.
    const double halfPi = double(float(std::numbers::pi / 2)), pi = double(float(std::numbers::pi));
    double w = 0;
    if (DX == 0 && DY == 0)
        w = 0;
    else if (DX == 0)
        w = DY > 0 ? halfPi : 3 * halfPi;
    else if (DY == 0)
        w = DX > 0 ? 0 : pi;
    else if (DX > 0)
        w = DY > 0 ? std::atan(double(DY) / DX) : std::atan(double(DY) / DX) + 2 * pi;
    else
        w = std::atan(double(DY) / DX) + pi;
    return single(w);
}

} // namespace drawing
