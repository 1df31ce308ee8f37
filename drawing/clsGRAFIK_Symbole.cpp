// Engineering symbols of the diagram object: ground hatching, level triangle, load areas and section
// forces, drawn in data coordinates through the diagram's transform.
#include "clsGRAFIK.h"
#include "G0Speicher.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "Clipping.h"
#include "platform/runtime/Color.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
const QString kFehler = QStringLiteral("VB-Fehler: ");

struct Punkt {
    float x = 0, y = 0;
};

// The point at distance d from p in direction w (surface angle).
Punkt um(Punkt p, double d, double w) {
    return {drawing::single(p.x + d * std::cos(w)), drawing::single(p.y + d * std::sin(w))};
}

// The point a share t of the way from a to b.
Punkt zwischen(Punkt a, Punkt b, double t) {
    return {drawing::single(a.x + t * (double(b.x) - a.x)), drawing::single(a.y + t * (double(b.y) - a.y))};
}

} // namespace

void clsGRAFIK::GELAENDESCHRAFFUR(float X1, float Y1, float H1, std::int16_t ANS, float BE, std::int16_t KO) {
    platform::ErrorTrap trap(QStringLiteral("Geländeschraffur"), kFehler);
    double SX = 1, SY = 1, V = 1, ax = 0, ay = 0, bx = 0, by = 0;
    if (!trap.step([&] {
            if (KO == 2) {
                SX = m_.MX;
                SY = m_.MY;
            }
            V = m_.OY == 1 ? 1 : -1;
        }))
        return;
    // The strokes go 45 degrees below (a) and above (b) the ground direction.
    if (!trap.step([&] {
            const double alpha = BE * kPi / 180 * drawing::divide(m_.MX, m_.MY);
            ax = H1 * std::cos(alpha - kPi / 4) * SX;
            ay = H1 * V * std::sin(alpha - kPi / 4) * SY;
            bx = -H1 * std::cos(alpha - 3 * kPi / 4) * SX;
            by = -H1 * V * std::sin(alpha - 3 * kPi / 4) * SY;
        }))
        return;
    // One stroke as a two-point series, in the series type the diagram is set to.
    auto strich = [&](double qx, double qy, double fromA, double fromB, double toA, double toB) {
        return trap.step([&] {
            drawing::SingleArray X(
                {drawing::single(qx + fromA * ax + fromB * bx), drawing::single(qx + toA * ax + toB * bx)});
            drawing::SingleArray Y(
                {drawing::single(qy + fromA * ay + fromB * by), drawing::single(qy + toA * ay + toB * by)});
            POLYGON(X, Y, 0, 0, 0, QString(), 0, 0, 0);
        });
    };
    double qx = X1, qy = Y1;
    for (int n = 0; n < ANS; ++n) {
        if (!strich(qx, qy, 0, 0, 1, 0) || !strich(qx, qy, 1, 0, 2, 0) || !strich(qx, qy, 1, 0, 1, 1) ||
            !strich(qx, qy, 2, 0, 2, 1) || !strich(qx, qy, 2, 1, 3, 1) || !strich(qx, qy, 2, 1, 2, 2))
            return;
        qx += 2 * ax + 2 * bx;
        qy += 2 * ay + 2 * by;
    }
}

void clsGRAFIK::KOTENDREIECK(float PX, float PY, float& DH, float RIWI, std::int16_t GW, std::int16_t VOLL) {
    platform::ErrorTrap trap(QStringLiteral("Kotendreieck"), kFehler);
    const AreaClip clip(*this);
    const double R = RIWI * kPi / 180;
    Punkt P;
    if (!trap.step([&] { KOORDTRANS(PX, PY, P.x, P.y); })) return;
    // The size becomes millimetres, in the caller's variable too.
    if (!trap.step([&] { DH = drawing::divide(DH, m_.MY); })) return;
    auto linie = [&](Punkt a, Punkt b) { return trap.step([&] { STRECKE(a.x, a.y, b.x, b.y, 0); }); };

    // The level line, 2 DH long and centred on the point.
    if (!linie(P, um(P, DH, R)) || !linie(P, um(P, DH, R - kPi))) return;
    // The triangle with its apex on the point, its top side DH above the line.
    const double schraeg = DH / std::cos(kPi / 4);
    const Punkt e1 = um(P, schraeg, R + kPi + kPi / 4);
    const Punkt e2 = um(e1, 2 * DH * std::tan(kPi / 4), R);
    if (!linie(P, e1) || !linie(e1, e2) || !linie(e2, P)) return;
    // Groundwater: two bars below the line, 1.5 DH long at DH / 4 and 0.5 DH long at DH / 2.
    if (GW == 1) {
        for (int I = 2; I <= 3; ++I) {
            const Punkt C = um(P, (I - 1) * DH / 4.0, R + kPi / 2);
            const double h = (3.5 - I) * DH / 2;
            if (!linie(C, um(C, h, R + kPi)) || !linie(C, um(C, -h, R + kPi))) return;
        }
    }
    // Fill: rays from the apex to the top side, 34 for each half.
    if (VOLL > 0) {
        for (int I = 1; I <= 34; ++I) {
            const double A = (1 - I / 70.0) * kPi / 2;
            const double laenge = DH / std::sin(A);
            if ((VOLL == 2 || VOLL == 3) && !linie(P, um(P, laenge, R + kPi + A))) return;
            if ((VOLL == 1 || VOLL == 3) && !linie(P, um(P, laenge, R - A))) return;
        }
    }
}

void clsGRAFIK::LASTFLAECHEN(const std::array<float, 2>& X, const std::array<float, 2>& Y,
                             const std::array<std::array<float, 2>, 4>& P, std::int16_t IT) {
    platform::ErrorTrap trap(QStringLiteral("Lastflächen"), kFehler);
    const AreaClip clip(*this);
    // The load scale of this diagram, kept in its own G0 row so that all its load areas share it; the
    // first one makes its largest resultant 15 mm long.
    float MSP = 0;
    if (!trap.step([&] {
            drawing::G0Speicher g0(EID_, EIDOBJEKT_);
            g0.lesen(QStringLiteral("MSP"), MSP);
            if (MSP == 0) {
                double groesste = 0;
                for (int k = 0; k < 2; ++k)
                    groesste =
                        std::max(groesste, std::hypot(double(P[0][k]) + P[2][k], double(P[1][k]) + P[3][k]));
                MSP = drawing::single(groesste / 15);
                g0.schreiben(QStringLiteral("MSP"), MSP);
            }
        }))
        return;

    float breite = 0;
    long farbe = platform::RGB(255, 0, 0);
    LINIENEINSTELLUNGEN(0, breite, farbe);
    Punkt B[2];
    for (int k = 0; k < 2; ++k)
        if (!trap.step([&] { KOORDTRANS(X[std::size_t(k)], Y[std::size_t(k)], B[k].x, B[k].y); })) return;
    if (!trap.step([&] { STRECKE(B[0].x, B[0].y, B[1].x, B[1].y, 0); })) return;

    float p[4][2] = {};
    if (!trap.step([&] {
            for (int j = 0; j < 4; ++j)
                for (int k = 0; k < 2; ++k)
                    p[j][k] = drawing::divide(P[std::size_t(j)][std::size_t(k)], MSP);
        }))
        return;
    // A row of IT + 1 arrows from the tails on one line to the feet on another, then the tails' outline.
    auto flaeche = [&](const Punkt(&fuss)[2], const Punkt(&schwanz)[2]) {
        for (int i = 0; i <= IT; ++i) {
            if (!trap.step([&] {
                    const double t = drawing::divide(i, IT);
                    const Punkt a = zwischen(schwanz[0], schwanz[1], t), b = zwischen(fuss[0], fuss[1], t);
                    STRECKE(a.x, a.y, b.x, b.y, 0);
                    PFEIL(a.x, a.y, b.x, b.y);
                }))
                return false;
        }
        return trap.step([&] { STRECKE(schwanz[0].x, schwanz[0].y, schwanz[1].x, schwanz[1].y, 0); });
    };
    // The first area stands on the base line, the second on the first.
    Punkt T[2], U[2];
    for (int k = 0; k < 2; ++k)
        T[k] = {B[k].x + p[1][k], B[k].y - p[0][k]};
    if (!flaeche(B, T)) return;
    breite = 0;
    farbe = platform::RGB(125, 0, 0);
    LINIENEINSTELLUNGEN(0, breite, farbe);
    for (int k = 0; k < 2; ++k)
        U[k] = {T[k].x + p[3][k], T[k].y - p[2][k]};
    flaeche(T, U);
}

void clsGRAFIK::SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, std::int16_t TYP,
                             std::int16_t SY) {
    platform::ErrorTrap trap(QStringLiteral("Schnittkraft"), kFehler);
    const AreaClip clip(*this);
    float breite = 0.2f;
    long farbe = platform::RGB(0, 125, 0);
    LINIENEINSTELLUNGEN(0, breite, farbe);
    Punkt a, b;
    if (!trap.step([&] {
            KOORDTRANS(X1, Y1, a.x, a.y);
            KOORDTRANS(X2, Y2, b.x, b.y);
        }))
        return;
    if (!trap.step([&] { STRECKE(a.x, a.y, b.x, b.y, 0); })) return;
    if (SY != 1) return;
    // A double arrow of length SHHH through the member's midpoint: across it, or along it beside it.
    double W = 0;
    Punkt M;
    if (!trap.step([&] {
            W = drawing::WINKEL(a.x, a.y, b.x, b.y);
            M = um(a, std::hypot(double(b.x) - a.x, double(b.y) - a.y) / 2, W);
        }))
        return;
    double richtung = 0;
    if (TYP == 1)
        richtung = W + kPi / 2;
    else if (TYP == 2 || TYP == 3) {
        richtung = W;
        M = um(M, 1.25, W - kPi / 2);
    } else
        return;
    const Punkt e1 = um(M, -SHHH / 2.0, richtung), e2 = um(M, SHHH / 2.0, richtung);
    if (!trap.step([&] { STRECKE(e1.x, e1.y, e2.x, e2.y, 0); })) return;
    if (!trap.step([&] { PFEIL(e1.x, e1.y, e2.x, e2.y); })) return;
    trap.step([&] { PFEIL(e2.x, e2.y, e1.x, e1.y); });
}
