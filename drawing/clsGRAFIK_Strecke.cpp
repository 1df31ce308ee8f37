// Clipped segments and arrowheads of the diagram object.
#include "Clipping.h"
#include "clsGRAFIK.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/Surface.h"

#include <cmath>
#include <numbers>
#include <optional>

void clsGRAFIK::STRECKE(float X1, float Y1, float X2, float Y2, long FARBE) {
    platform::ErrorTrap trap(QStringLiteral("Strecke"), QStringLiteral("VB-Fehler: \nFehlerNr. "));
    const drawing::Rahmen frame{EXDL_ + m_.RL, EYDO_ + m_.RO, EXDL_ + ELX_ - m_.RR, EYDO_ + ELY_ - m_.RU};
    std::optional<drawing::Strecke> piece;
    if (!trap.step([&] {
            piece = FARBE != 0 ? drawing::clampToFrame(frame, X1, Y1, X2, Y2)
                               : drawing::clipToFrame(frame, X1, Y1, X2, Y2);
        }))
        return;
    if (!piece) return;
    trap.step([&] {
        if (FARBE != 0)
            surface().FilledBox(piece->x1, piece->y1, piece->x2, piece->y2, FARBE);
        else
            surface().Line(piece->x1, piece->y1, piece->x2, piece->y2);
    });
}

void clsGRAFIK::PFEIL(float PX1, float PY1, float PX2, float PY2) {
    platform::ErrorTrap trap(QStringLiteral("Pfeil"), QStringLiteral("VB-Fehler: "));
    const AreaClip clip(*this);
    float L = 0, S = 2.5f;
    if (!trap.step([&] { L = drawing::WINKEL(PX2, PY2, PX1, PY1); })) return;
    if (!trap.step([&] {
            const float D =
                drawing::single(std::sqrt(double(PX2 - PX1) * (PX2 - PX1) + double(PY2 - PY1) * (PY2 - PY1)));
            if (2 * S > D) S = D / 2;
        }))
        return;
    // Half the opening angle, 15 degrees.
    const double H = 15 * double(float(std::numbers::pi / 180));
    drawing::Strecke q{PX2, PY2, PX2, PY2}; // the two base corners
    if (!trap.step([&] {
            q.x1 = drawing::single(PX2 + S * std::cos(L + H));
            q.y1 = drawing::single(PY2 + S * std::sin(L + H));
            q.x2 = drawing::single(PX2 + S * std::cos(L - H));
            q.y2 = drawing::single(PY2 + S * std::sin(L - H));
        }))
        return;
    if (!trap.step([&] { STRECKE(PX2, PY2, q.x1, q.y1, 0); })) return;
    if (!trap.step([&] { STRECKE(PX2, PY2, q.x2, q.y2, 0); })) return;
    trap.step([&] { STRECKE(q.x1, q.y1, q.x2, q.y2, 0); });
}
