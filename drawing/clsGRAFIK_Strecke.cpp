// Clipped segments and arrowheads of the diagram object.
#include "clsGRAFIK.h"
#include "LININT.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

struct Punkt {
    float x, y;
    bool operator==(const Punkt&) const = default;
};

} // namespace

void clsGRAFIK::STRECKE(float X1, float Y1, float X2, float Y2, long FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Strecke"), QStringLiteral("VB-Fehler: \nFehlerNr. "));
    // The plot frame; its edges belong to it.
    const float XL = EXDL_ + m_.RL, YT = EYDO_ + m_.RO;
    const float XR = EXDL_ + ELX_ - m_.RR, YB = EYDO_ + ELY_ - m_.RU;
    if (X2 <= X1) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }
    // Both ends beyond one edge: nothing of the segment is visible.
    if ((X1 < XL && X2 < XL) || (X1 > XR && X2 > XR) || (Y1 < YT && Y2 < YT) || (Y1 > YB && Y2 > YB)) return;

    if (FARBE != 0) {
        float ax = std::max(X1, XL), bx = std::min(X2, XR), ay = Y1, by = Y2;
        if (ay < by) {
            ay = std::max(ay, YT);
            by = std::min(by, YB);
        } else {
            ay = std::min(ay, YB);
            by = std::max(by, YT);
        }
        trap.step([&] { surface().FilledBox(ax, ay, bx, by, FARBE); });
        return;
    }

    auto inside = [&](float x, float y) { return XL <= x && x <= XR && YT <= y && y <= YB; };
    Punkt a{X1, Y1}, b{X2, Y2};
    bool visible = true;
    if (!trap.step([&] {
            if (inside(X1, Y1) && inside(X2, Y2)) return;
            if (X1 == X2) {
                a = {X1, std::max(YT, std::min(Y1, Y2))};
                b = {X1, std::min(YB, std::max(Y1, Y2))};
                visible = a.y < b.y;
                return;
            }
            if (Y1 == Y2) {
                a = {std::max(XL, X1), Y1};
                b = {std::min(XR, X2), Y1};
                visible = a.x < b.x;
                return;
            }
            // The ends inside the frame and the crossings with its edges, along the segment (x grows).
            std::vector<Punkt> points;
            if (inside(X1, Y1)) points.push_back({X1, Y1});
            if (inside(X2, Y2)) points.push_back({X2, Y2});
            const float ylo = std::min(Y1, Y2), yhi = std::max(Y1, Y2);
            for (float xe : {XL, XR}) {
                if (X1 <= xe && xe <= X2) {
                    const float y = LININT(X1, X2, xe, Y1, Y2);
                    if (YT <= y && y <= YB) points.push_back({xe, y});
                }
            }
            for (float ye : {YT, YB}) {
                if (ylo <= ye && ye <= yhi) {
                    const float x = LININT(Y1, Y2, ye, X1, X2);
                    if (XL <= x && x <= XR) points.push_back({x, ye});
                }
            }
            if (points.empty()) {
                visible = false;
                return;
            }
            const auto [lo, hi] = std::minmax_element(
                points.begin(), points.end(), [](const Punkt& p, const Punkt& q) { return p.x < q.x; });
            a = *lo;
            b = *hi;
            // Touching the frame in one point from outside shows nothing.
            visible = !(a == b);
        }))
        return;
    if (!visible) return;
    trap.step([&] { surface().Line(a.x, a.y, b.x, b.y); });
}

float clsGRAFIK::WINKEL(float X1, float Y1, float X2, float Y2) {
    const float DX = X2 - X1, DY = Y2 - Y1;
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
    return drawing::single(w);
}

void clsGRAFIK::PFEIL(float PX1, float PY1, float PX2, float PY2) {
    platform::ErrorTrap trap(QStringLiteral("Pfeil"), QStringLiteral("VB-Fehler: "));
    const AreaClip clip(*this);
    float L = 0, S = 2.5f;
    if (!trap.step([&] { L = WINKEL(PX2, PY2, PX1, PY1); })) return;
    if (!trap.step([&] {
            const float D =
                drawing::single(std::sqrt(double(PX2 - PX1) * (PX2 - PX1) + double(PY2 - PY1) * (PY2 - PY1)));
            if (2 * S > D) S = D / 2;
        }))
        return;
    // Half the opening angle, 15 degrees.
    const double H = 15 * double(float(std::numbers::pi / 180));
    Punkt q1{PX2, PY2}, q2{PX2, PY2};
    if (!trap.step([&] {
            q1 = {drawing::single(PX2 + S * std::cos(L + H)), drawing::single(PY2 + S * std::sin(L + H))};
            q2 = {drawing::single(PX2 + S * std::cos(L - H)), drawing::single(PY2 + S * std::sin(L - H))};
        }))
        return;
    if (!trap.step([&] { STRECKE(PX2, PY2, q1.x, q1.y, 0); })) return;
    if (!trap.step([&] { STRECKE(PX2, PY2, q2.x, q2.y, 0); })) return;
    trap.step([&] { STRECKE(q1.x, q1.y, q2.x, q2.y, 0); });
}
