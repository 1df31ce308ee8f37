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

void clsGRAFIK::drawAxis(bool xAxis, const drawing::AchsenTeilung& achse, platform::ErrorTrap& trap) {
    // The steps are the same for both axes with x and y exchanged: "along" runs with the axis' own
    // values, "across" with the other axis' values, both in millimetres on the surface.
    const bool log = (xAxis ? ESKTX_ : ESKTY_) == 1;
    const QString& pattern = xAxis ? ESKZX_ : ESKZY_;
    const std::int16_t angle = xAxis ? 0 : 90;
    platform::Surface* s = nullptr;
    Lage l;
    auto toMm = [&](float along, float across, float& a, float& c) {
        if (xAxis)
            KOORDTRANS(along, across, a, c);
        else
            KOORDTRANS(across, along, c, a);
    };
    auto line = [&](float along1, float across1, float along2, float across2) {
        if (xAxis)
            s->Line(along1, across1, along2, across2);
        else
            s->Line(across1, along1, across2, along2);
    };
    auto text = [&](float along, float across, const QString& label) {
        QString t = label;
        if (xAxis)
            TEXT(along, across, t, 0, angle, 1, l.ARY);
        else
            TEXT(across, along, t, 0, angle, 1, l.ARY);
    };
    float a0 = 0, a1 = 0, c0 = 0, c1 = 0, c = 0; // along: lower and upper corner; across: the grid's span
    if (!trap.step([&] {
            s = &surface();
            float xa = 0, ya = 0, xb = 0, yb = 0;
            KOORDTRANS(m_.XMIN, m_.YMIN, xa, ya);
            KOORDTRANS(m_.XMAX, m_.YMAX, xb, yb);
            a0 = xAxis ? xa : ya;
            a1 = xAxis ? xb : yb;
            c0 = xAxis ? ya : xa;
            c1 = xAxis ? yb : xb;
            l = xAxis ? lage(EAXEX_, m_.OY == 1, m_.YMIN, m_.YMAX, m_.MY, +1)
                      : lage(EAXEY_, m_.OX == 1, m_.XMIN, m_.XMAX, m_.MX, -1);
            float unused = 0;
            toMm(xAxis ? m_.XMIN : m_.YMIN, l.wert, unused, c);
            line(a0, c, a1, c);
        }) ||
        !s)
        return;
    const drawing::AchsenTeilung* a = nullptr;
    if (!trap.step([&] { a = &mitTicks(achse); }) || !a) return;
    int grid = 0, label = 0;
    std::size_t g = 0;
    for (int k = 0; k <= a->IT && k < int(a->TICKS.size()); ++k) {
        const float position = a->TICKS[std::size_t(k)];
        QString zahl;
        if (!trap.step([&] { zahl = platform::Format(platform::Variant(position), pattern); })) return;
        float t = 0, tc = c;
        toMm(position, l.wert, t, tc);
        if (!trap.step([&] { line(t, tc, t, tc + 1.5f * l.dir); })) return;
        if (!log) {
            if (k == grid && a->GIT != 0) {
                if (!trap.step([&] {
                        line(t, c0, t, c1);
                        grid = naechster(grid, a->IT, a->GIT);
                    }))
                    return;
            }
            if (k == label && a->ZL != 0) {
                if (!trap.step([&] {
                        text(t, tc + 2.0f * l.dir, zahl);
                        label = naechster(label, a->IT, a->ZL);
                    }))
                    return;
            }
        } else if (g < a->GITTER.size() && a->GIT != 0) {
            if (!trap.step([&] {
                    float gt = 0, gc = c;
                    toMm(a->GITTER[g], l.wert, gt, gc);
                    line(gt, c0, gt, c1);
                    if (a->ZL != 0 && a->ZL == a->GIT)
                        text(gt, gc + 2.0f * l.dir, logZahl(a->GITTER[g], pattern));
                    ++g;
                }))
                return;
        }
    }
    trap.step(
        [&] { text((a0 + a1) / 2, c + (a->ZL <= 1 ? 2.0f : 6.0f) * l.dir, xAxis ? ETEXTX_ : ETEXTY_); });
}
