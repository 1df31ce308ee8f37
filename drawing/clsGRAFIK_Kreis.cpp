// Circles and arcs of the diagram object.
#include "clsGRAFIK.h"
#include "Kreisschnitt.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/DialogService.h"
#include "Clipping.h"
#include "platform/runtime/Color.h"
#include "platform/surface/Surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = float(std::numbers::pi);
constexpr float kZweiPi = float(2 * std::numbers::pi);

// A surface angle as the surface's Circle takes it: counterclockwise as seen, within 0 .. 2 pi when the
// angle was within -2 pi .. 2 pi.
float sichtwinkel(float t) {
    float v = kZweiPi - t;
    if (v > kZweiPi) v -= kZweiPi;
    if (v < 0) v += kZweiPi;
    return v;
}

// The drawn arc as its end marks see it: the surface angles of the caller's start and end, and the
// direction (+1 growing, -1 falling angles) in which the arc runs from the start to the end.
struct Bogenenden {
    float anfang = 0, ende = 0;
    int richtung = -1;
    float spanne = 0; // the arc's angle
};

} // namespace

void clsGRAFIK::KREIS(float XMP, float YMP, float RP, float AL1, float& AL2, std::int16_t LAGEPFEIL,
                      bool BOKREISP, std::int16_t KO) {
    platform::ErrorTrap trap(QStringLiteral("Bogen"), QStringLiteral("VB-Fehler: \nFehlerNr. "));
    const AreaClip clip(*this);
    platform::Surface* s = nullptr;
    if (!trap.step([&] { s = &surface(); }) || !s) return;
    auto& dialogs = platform::RunState::current().dialogs();

    // A missing end angle is a full turn, also for the caller.
    if (AL2 == 0) AL2 = kZweiPi;

    // Centre and radius in millimetres on the surface.
    float xm = 0, ym = 0, r = 0;
    if (!trap.step([&] {
            switch (KO) {
            case 0:
                xm = XMP;
                ym = YMP;
                r = RP;
                break;
            case 1: {
                KOORDTRANS(XMP, YMP, xm, ym);
                float xs = 0, ys = 0;
                KOORDTRANS(drawing::single(XMP + double(RP) * std::cos(AL1)),
                           drawing::single(YMP + double(RP) * std::sin(AL1)), xs, ys);
                r = drawing::single(std::hypot(double(xs) - xm, double(ys) - ym));
                break;
            }
            case 2:
                xm = XMP + m_.XVERSATZ + EXDL_;
                ym = YMP + m_.YVERSATZ + EYDO_;
                r = RP;
                break;
            default:
                break;
            }
        }))
        return;

    // The plot frame; a frame wholly inside the circle shows nothing of it.
    const float XL = EXDL_ + m_.RL, XR = EXDL_ + ELX_ - m_.RR;
    const float YT = EYDO_ + m_.RO, YB = EYDO_ + ELY_ - m_.RU;
    auto imKreis = [&](float x, float y) { return std::hypot(double(x) - xm, double(y) - ym) <= r; };
    if (XL <= xm && xm <= XR && YT <= ym && ym <= YB && imKreis(XL, YT) && imKreis(XR, YT) &&
        imKreis(XL, YB) && imKreis(XR, YB))
        return;

    // Surface angles of the arc's ends by the axis directions (1 normal, -1 reversed, any other pair as
    // the last row). The circle runs through falling angles, so where exactly one axis is reversed its
    // start and end change places; the chords take their direction from the angles.
    const bool xNormal = m_.OX == 1, yNormal = m_.OY == 1;
    const int lage = xNormal && yNormal ? 0 : m_.OX == -1 && yNormal ? 1 : xNormal && m_.OY == -1 ? 2 : 3;
    const float versatz[4] = {kZweiPi, kPi, 0, kPi};
    const float vorzeichen = lage == 0 || lage == 3 ? -1.0f : 1.0f;
    auto senken = [](float t) { return t > kZweiPi ? t - kZweiPi : t; };
    const float a1 = senken(versatz[lage] + vorzeichen * AL1), a2 = senken(versatz[lage] + vorzeichen * AL2);
    const bool getauscht = lage == 1 || lage == 2;
    Bogenenden enden;
    // The point of the circle at a surface angle.
    auto aufKreis = [&](double t) {
        return std::pair<float, float>{drawing::single(xm + r * std::cos(t)),
                                       drawing::single(ym + r * std::sin(t))};
    };

    if (BOKREISP) {
        // Chords of 10 degrees between the two angles, each cut to the frame.
        const float w1 = a1, w2 = a2;
        // Equal angles other than a full turn are no arc.
        if (w1 == w2) return;
        const int sigma = w2 > w1 ? 1 : -1;
        const double step = sigma * std::numbers::pi / 18;
        // The chords are counted: the last one ends on w2. Angles further apart than ten turns are no arc
        // to draw chord by chord; their count is bounded, the last chord then jumps to the end.
        const double spanne = std::fabs(double(w2) - double(w1));
        if (!std::isfinite(spanne)) return;
        const int sehnen = int(std::clamp(std::ceil((spanne - 1e-5) / std::fabs(step)), 1.0, 360.0));
        auto von = aufKreis(w1);
        for (int k = 1; k <= sehnen; ++k) {
            const double t = w1 + k * step;
            const bool letzte = k == sehnen;
            const auto bis = aufKreis(letzte ? double(w2) : t);
            if (!trap.step([&] { STRECKE(von.first, von.second, bis.first, bis.second, 0); })) return;
            von = bis;
            if (letzte) break;
        }
        enden = {w1, w2, sigma, std::fabs(w2 - w1)};
    } else {
        // The surface's Circle, on the parts of the circle inside the frame only.
        const float s1 = getauscht ? a2 : a1, s2 = getauscht ? a1 : a2;
        // The circle misses the frame; touching a vertical edge from outside counts as missing.
        if (xm + r <= XL || xm - r >= XR || ym + r < YT || ym - r > YB) return;
        // Draws the arc (u, w); false, after the message, when an angle is out of the surface's range.
        auto bogen = [&](float u, float w) {
            const float h1 = sichtwinkel(u), h2 = sichtwinkel(w);
            if (h1 < 0 || h2 < 0) {
                dialogs.MsgBox(QStringLiteral("Winkel  H1 bzw. H2 < 0"),
                               platform::Msg::OKOnly | platform::Msg::Exclamation, QStringLiteral("KREIS"));
                return false;
            }
            trap.step([&] { s->Circle(xm, ym, r, s->ForeColor(), h1, h2); });
            return true;
        };
        if (xm - r >= XL && xm + r <= XR && ym - r >= YT && ym + r <= YB) {
            if (AL1 == 0 && AL2 == kZweiPi) {
                if (!trap.step([&] { s->Circle(xm, ym, r, s->ForeColor()); })) return;
            } else if (!bogen(s1, s2)) {
                return;
            }
        } else {
            drawing::Kreisschnitte schnitte = drawing::kreisschnitte(xm, ym, r, XL, YT, XR, YB);
            if (schnitte.punkte.size() % 2 == 1) {
                dialogs.MsgBox(
                    QStringLiteral("Ungerade Anzahl von Schnittpunkten des Kreises mit den Grenzen"),
                    platform::Msg::OKOnly | platform::Msg::Exclamation, QStringLiteral("Bogen"));
                return;
            }
            for (auto& p : schnitte.punkte)
                p.winkel = drawing::WINKEL(xm, ym, p.x, p.y);
            for (const auto& [P, Q] : drawing::kreisstuecke(schnitte, xm, ym))
                for (const auto& [u, w] : drawing::bogenteile(P, Q, s1, s2))
                    if (!bogen(u, w)) return;
        }
        // The arc runs from s1 down to s2; where exactly one axis is reversed s1 is the caller's end.
        // Brought into 0 .. 2 pi by the remainder, not by adding turns: far-off angles would never get there.
        float spanne = float(std::fmod(double(s1) - double(s2), double(kZweiPi)));
        if (spanne <= 0) spanne += kZweiPi;
        enden = getauscht ? Bogenenden{s2, s1, 1, spanne} : Bogenenden{s1, s2, -1, spanne};
    }

    // End marks: arrows and dots with their tips on the arc's ends, their bases on the arc.
    if (LAGEPFEIL <= 0) return;
    float L = 2.5f;
    if (!trap.step([&] {
            if (2 * L > enden.spanne * r) L = enden.spanne * r / 2;
        }))
        return;
    const float tan15 = std::tan(15 * kPi / 180);
    // The arrow at the end at angle t whose arc goes on in direction `hinein`.
    auto pfeil = [&](float t, int hinein) {
        return trap.step([&] {
            const float beta = t + hinein * drawing::divide(L, r);
            const auto [px, py] = aufKreis(t);
            const auto [cx, cy] = aufKreis(beta);
            const float dx = L * tan15 * std::cos(beta), dy = L * tan15 * std::sin(beta);
            STRECKE(px, py, cx - dx, cy - dy, 0);
            STRECKE(cx - dx, cy - dy, cx + dx, cy + dy, 0);
            STRECKE(cx + dx, cy + dy, px, py, 0);
        });
    };
    auto tupfen = [&](float t) {
        return trap.step([&] {
            const auto [px, py] = aufKreis(t);
            s->Circle(px, py, 0.5f, s->ForeColor());
        });
    };
    // Into the arc: from its start in its own direction, from its end against it.
    auto amEnde = [&] { return pfeil(enden.ende, -enden.richtung); };
    auto amAnfang = [&] { return pfeil(enden.anfang, enden.richtung); };
    if (!trap.step([&] {
            s->setFillColor(s->ForeColor());
            s->setFillStyle(platform::Surface::FillSolid);
        }))
        return;
    bool weiter = true;
    switch (LAGEPFEIL) {
    case 1:
        weiter = amEnde();
        break;
    case 2:
        weiter = amAnfang();
        break;
    case 3:
        weiter = amEnde() && amAnfang();
        break;
    case 4:
        weiter = tupfen(enden.anfang) && amEnde();
        break;
    case 5:
        weiter = amAnfang() && tupfen(enden.ende);
        break;
    default:
        break;
    }
    if (!weiter) return;
    trap.step([&] {
        s->setFillStyle(platform::Surface::FillTransparent);
        s->setFillColor(platform::RGB(255, 255, 255));
    });
}
