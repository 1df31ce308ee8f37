#include "Kreisschnitt.h"

#include <cmath>
#include <numbers>

namespace drawing {

namespace {
constexpr float kZweiPi = float(2 * std::numbers::pi);
} // namespace

float MIN(float A, float B) {
    return A < B ? A : B;
}

bool SCHNITTSENKRECHT(float XM, float YM, float R, float X0, float Y[2]) {
    // y^2 - 2 YM y + g = 0
    const float g = YM * YM + (X0 - XM) * (X0 - XM) - R * R;
    const double D = double(YM) * YM - g;
    if (D < 0) return false;
    Y[0] = float(YM - std::sqrt(D));
    Y[1] = float(YM + std::sqrt(D));
    return true;
}

bool SCHNITTWAAGRECHT(float XM, float YM, float R, float Y0, float X[2]) {
    // The same equation with the roles of x and y exchanged.
    return SCHNITTSENKRECHT(YM, XM, R, Y0, X);
}

Kreisschnitte kreisschnitte(float xm, float ym, float r, float XL, float YT, float XR, float YB) {
    struct Kante {
        bool senkrecht; // a vertical edge: its crossings are y values
        float linie;    // the edge's x (vertical) or y (horizontal)
        float a, b;     // the ends of the edge, a < b
        int nummer;
        bool zentrumJenseits; // the centre lies outside the frame beyond this edge
        bool rueckwaerts;     // the counterclockwise walk passes the edge towards its lower end
    };
    const Kante kanten[4] = {{true, XL, YT, YB, 0, xm < XL, false},
                             {false, YB, XL, XR, 1, ym > YB, false},
                             {true, XR, YT, YB, 2, xm > XR, true},
                             {false, YT, XL, XR, 3, ym < YT, true}};
    Kreisschnitte out;
    for (const Kante& k : kanten) {
        float v[2] = {0, 0};
        const bool trifft =
            k.senkrecht ? SCHNITTSENKRECHT(xm, ym, r, k.linie, v) : SCHNITTWAAGRECHT(xm, ym, r, k.linie, v);
        if (!trifft) continue;
        const float p = v[0], q = v[1], a = k.a, b = k.b;
        if (!((p > a || q > a) && (p >= a || q <= b) && (p < b || q < b))) continue;
        auto punkt = [&](float t, int nummer) {
            Kreisschnittpunkt s;
            s.x = k.senkrecht ? k.linie : t;
            s.y = k.senkrecht ? t : k.linie;
            s.kante = nummer;
            return s;
        };
        if (p < a && q > a) {
            out.punkte.push_back(punkt(q, k.nummer));
        } else if (p >= a && q > b) {
            out.punkte.push_back(punkt(p, k.nummer));
        } else if ((p > a && q < b) || (p == a && q == b && k.zentrumJenseits)) {
            if (out.punkte.empty()) out.erstesPaar = true;
            ++out.zweipunktkanten;
            out.punkte.push_back(punkt(k.rueckwaerts ? q : p, -1));
            out.punkte.push_back(punkt(k.rueckwaerts ? p : q, -1));
        }
    }
    return out;
}

std::vector<std::pair<float, float>> kreisstuecke(const Kreisschnitte& schnitte, float xm, float ym) {
    const auto& pt = schnitte.punkte;
    const std::size_t n = pt.size();
    std::vector<std::pair<float, float>> stuecke;
    if (n < 2) return stuecke;
    if (schnitte.zweipunktkanten > 0) {
        // Every pair of the list is a piece; when the list began with a pair of one edge, the pieces start
        // one point later and the last closes with the first point.
        const std::size_t start = schnitte.erstesPaar ? 1 : 0;
        for (std::size_t i = start; i + 1 < n; i += 2)
            stuecke.emplace_back(pt[i].winkel, pt[i + 1].winkel);
        if (schnitte.erstesPaar) stuecke.emplace_back(pt[n - 1].winkel, pt[0].winkel);
        return stuecke;
    }
    // One crossing on each of two edges: the piece runs from point 0 to point 1 or back, by which side of
    // the points the centre lies.
    const Kreisschnittpunkt &p0 = pt[0], &p1 = pt[1];
    bool vorwaerts = false;
    switch (p0.kante * 4 + p1.kante) {
    case 0 * 4 + 1: // left, bottom
    case 0 * 4 + 2: // left, right
        vorwaerts = ym < p0.y;
        break;
    case 0 * 4 + 3: // left, top
        vorwaerts = xm < p1.x;
        break;
    case 1 * 4 + 2: // bottom, right
    case 1 * 4 + 3: // bottom, top
        vorwaerts = xm < p0.x;
        break;
    case 2 * 4 + 3: // right, top
        vorwaerts = ym > p0.y;
        break;
    default:
        break;
    }
    if (vorwaerts)
        stuecke.emplace_back(p0.winkel, p1.winkel);
    else
        stuecke.emplace_back(p1.winkel, p0.winkel);
    return stuecke;
}

std::vector<std::pair<float, float>> bogenteile(float P, float Q, float s1, float s2) {
    const float grad = float(std::numbers::pi / 180);
    // Both intervals are brought below a common limit so that "running down from start to end" compares.
    bool eFest = false, bFest = false;
    float e = Q, b = s2;
    if (Q > P) {
        e = Q - kZweiPi;
        eFest = true;
    }
    if (s2 > s1) {
        b = s2 - kZweiPi;
        bFest = true;
    }
    const float m = MIN(e, b);
    const float h = m < 0 ? kZweiPi + m : kZweiPi + grad;
    const float p = P > h ? P - kZweiPi : P;
    if (!eFest) e = Q > h ? Q - kZweiPi : Q;
    const float a = s1 > h ? s1 - kZweiPi : s1;
    if (!bFest) b = s2 > h ? s2 - kZweiPi : s2;

    if ((p >= a && e >= a) || (p <= b && e <= b)) return {};
    if (p >= a && e <= b) {
        if (a > b) return {{s1, s2}};
        return {{P, s2}, {s1, Q}};
    }
    if (p <= a && e >= b) return {{P, Q}};
    if (p <= a && e <= b) return {{P, s2}};
    if (p >= a && e >= b) return {{s1, Q}};
    return {};
}

} // namespace drawing
