// Axis drawing of the diagram object: the end of every drawing call of SKALEN. Each axis gets its line,
// ticks 1.5 mm long pointing outwards, grid lines across the plot frame, numbers and a title.
#include "clsGRAFIK.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/runtime/VbError.h"
#include "platform/surface/Surface.h"

#include <cmath>

namespace {

// Where an axis stands: its value on the other axis, the side its ticks point to (+1 down or right) and
// the alignment of its numbers across their line.
struct Lage {
    float wert = 0;
    int dir = 1;
    std::int16_t ARY = 0;
};

// placement: 1 at the near edge (bottom or left), -1 at the far edge, n >= 2 n mm beyond the near edge,
// n <= -2 |n| mm beyond the far edge. near is the bound at the near edge with the axis' direction normal.
// nearSide is the tick direction at the near edge.
Lage lage(std::int16_t placement, bool normal, float lo, float hi, float perMm, int nearSide) {
    const std::int16_t n = placement;
    Lage l;
    const bool nearEdge = n == 1 || n >= 2;
    l.dir = nearEdge ? nearSide : -nearSide;
    l.ARY = (nearSide > 0) == nearEdge ? 0 : 2;
    if (n == 1)
        l.wert = normal ? lo : hi;
    else if (n == -1)
        l.wert = normal ? hi : lo;
    else if (n >= 2)
        l.wert = drawing::single(normal ? lo - double(n) * perMm : hi + double(n) * perMm);
    else
        l.wert = drawing::single(normal ? hi - double(n) * perMm : lo + double(n) * perMm);
    return l;
}

// The next index of a grid line or number: the current one plus ticks / count, halves to the even side.
int naechster(int current, std::int16_t ticks, std::int16_t count) {
    return platform::CInt(platform::Variant(current + double(ticks) / double(count)));
}

// The number of a grid position on a logarithmic axis: the plain value, without a full stop at the end.
QString logZahl(float position, const QString& pattern) {
    QString text = platform::Format(platform::Variant(std::pow(10.0, double(position))), pattern);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

const drawing::AchsenTeilung& mitTicks(const drawing::AchsenTeilung& a) {
    if (a.TICKS.empty()) throw platform::VbError::subscriptOutOfRange();
    return a;
}

} // namespace

void clsGRAFIK::drawXAxis(const drawing::AchsenTeilung& achse, platform::ErrorTrap& trap) {
    platform::Surface* s = nullptr;
    float xa = 0, ya = 0, xb = 0, yb = 0, y = 0;
    Lage l;
    if (!trap.step([&] {
            s = &surface();
            KOORDTRANS(m_.XMIN, m_.YMIN, xa, ya);
            KOORDTRANS(m_.XMAX, m_.YMAX, xb, yb);
            l = lage(EAXEX_, m_.OY == 1, m_.YMIN, m_.YMAX, m_.MY, +1);
            float unused = 0;
            KOORDTRANS(m_.XMIN, l.wert, unused, y);
            s->Line(xa, y, xb, y);
        }) ||
        !s)
        return;
    const drawing::AchsenTeilung* a = nullptr;
    if (!trap.step([&] { a = &mitTicks(achse); }) || !a) return;
    const bool log = ESKTX_ == 1;
    int grid = 0, label = 0;
    std::size_t g = 0;
    for (int k = 0; k <= a->IT && k < int(a->TICKS.size()); ++k) {
        float t = a->TICKS[std::size_t(k)];
        QString zahl;
        if (!trap.step([&] { zahl = platform::Format(platform::Variant(t), ESKZX_); })) return;
        float ty = y;
        KOORDTRANS(t, l.wert, t, ty);
        if (!trap.step([&] { s->Line(t, ty, t, ty + 1.5f * l.dir); })) return;
        if (!log) {
            if (k == grid && a->GIT != 0) {
                if (!trap.step([&] {
                        s->Line(t, ya, t, yb);
                        grid = naechster(grid, a->IT, a->GIT);
                    }))
                    return;
            }
            if (k == label && a->ZL != 0) {
                if (!trap.step([&] {
                        TEXT(t, ty + 2.0f * l.dir, zahl, 0, 0, 1, l.ARY);
                        label = naechster(label, a->IT, a->ZL);
                    }))
                    return;
            }
        } else if (g < a->GITTER.size() && a->GIT != 0) {
            if (!trap.step([&] {
                    float gx = a->GITTER[g], gy = y;
                    KOORDTRANS(gx, l.wert, gx, gy);
                    s->Line(gx, ya, gx, yb);
                    if (a->ZL != 0 && a->ZL == a->GIT)
                        TEXT(gx, gy + 2.0f * l.dir, logZahl(a->GITTER[g], ESKZX_), 0, 0, 1, l.ARY);
                    ++g;
                }))
                return;
        }
    }
    trap.step([&] { TEXT((xa + xb) / 2, y + (a->ZL <= 1 ? 2.0f : 6.0f) * l.dir, ETEXTX_, 0, 0, 1, l.ARY); });
}

void clsGRAFIK::drawYAxis(const drawing::AchsenTeilung& achse, platform::ErrorTrap& trap) {
    platform::Surface* s = nullptr;
    float xa = 0, ya = 0, xb = 0, yb = 0, x = 0;
    Lage l;
    if (!trap.step([&] {
            s = &surface();
            KOORDTRANS(m_.XMIN, m_.YMIN, xa, ya);
            KOORDTRANS(m_.XMAX, m_.YMAX, xb, yb);
            l = lage(EAXEY_, m_.OX == 1, m_.XMIN, m_.XMAX, m_.MX, -1);
            float unused = 0;
            KOORDTRANS(l.wert, m_.YMIN, x, unused);
            s->Line(x, ya, x, yb);
        }) ||
        !s)
        return;
    const drawing::AchsenTeilung* a = nullptr;
    if (!trap.step([&] { a = &mitTicks(achse); }) || !a) return;
    const bool log = ESKTY_ == 1;
    int grid = 0, label = 0;
    std::size_t g = 0;
    for (int k = 0; k <= a->IT && k < int(a->TICKS.size()); ++k) {
        float t = a->TICKS[std::size_t(k)];
        QString zahl;
        if (!trap.step([&] { zahl = platform::Format(platform::Variant(t), ESKZY_); })) return;
        float tx = x;
        KOORDTRANS(l.wert, t, tx, t);
        if (!trap.step([&] { s->Line(tx, t, tx + 1.5f * l.dir, t); })) return;
        if (!log) {
            if (k == grid && a->GIT != 0) {
                if (!trap.step([&] {
                        s->Line(xa, t, xb, t);
                        grid = naechster(grid, a->IT, a->GIT);
                    }))
                    return;
            }
            if (k == label && a->ZL != 0) {
                if (!trap.step([&] {
                        TEXT(tx + 2.0f * l.dir, t, zahl, 0, 90, 1, l.ARY);
                        label = naechster(label, a->IT, a->ZL);
                    }))
                    return;
            }
        } else if (g < a->GITTER.size() && a->GIT != 0) {
            if (!trap.step([&] {
                    float gx = x, gy = a->GITTER[g];
                    KOORDTRANS(l.wert, gy, gx, gy);
                    s->Line(xa, gy, xb, gy);
                    if (a->ZL != 0 && a->ZL == a->GIT)
                        TEXT(gx + 2.0f * l.dir, gy, logZahl(a->GITTER[g], ESKZY_), 0, 90, 1, l.ARY);
                    ++g;
                }))
                return;
        }
    }
    trap.step([&] { TEXT(x + (a->ZL <= 1 ? 2.0f : 6.0f) * l.dir, (ya + yb) / 2, ETEXTY_, 0, 90, 1, l.ARY); });
}
