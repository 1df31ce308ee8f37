#include "Linienscharen.h"

#include "clsGRAFIK.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"

#include <cmath>

namespace linienscharen {

std::vector<float> werte(float start, float step, float end) {
    std::vector<float> v;
    const double span = double(end) - double(start);
    if (step == 0 || (span != 0 && (span > 0) != (step > 0))) return v;
    // Counting the lines, rather than adding the step up, keeps the last line however the step rounds.
    const double slack = 1e-5 * std::max(std::fabs(span), std::fabs(double(step)));
    for (int k = 0; k <= kMaxLinien; ++k) {
        const double offset = k * double(step);
        if (std::fabs(offset) > std::fabs(span) + slack) break;
        v.push_back(std::fabs(offset - span) <= slack ? end : float(double(start) + offset));
    }
    return v;
}

std::vector<float> saettigungsgrade(float DESR) {
    return werte(100.0f, -(DESR * 100.0f), 50.0f);
}

std::vector<float> luftporenanteile(float DENA) {
    return werte(0.0f, DENA, 0.25f);
}

double saettigungsdichte(double RHS, double Sr, double w) {
    return 1.0 / (1.0 / RHS + w / Sr);
}

double luftporendichte(double RHS, double na, double w) {
    return (1.0 - na) / (1.0 / RHS + w / 100.0);
}

Linie abtasten(float XMIN, float XMAX, float YMIN, float YMAX, const std::function<double(float w)>& dichte) {
    Linie l;
    const double span = double(XMAX) - double(XMIN);
    if (!(span >= 0) || !std::isfinite(span)) return l;
    // The Single 0.01 as the step; the slack keeps the sample that lands on XMAX only by rounding.
    double step = double(0.01f);
    double schritte = std::floor(span / step + 1e-6);
    if (schritte > kMaxSchritte) {
        schritte = kMaxSchritte;
        step = span / kMaxSchritte;
    }
    const int n = int(schritte);
    for (int k = 0; k <= n; ++k) {
        const float w = float(double(XMIN) + k * step);
        if (k > 0 && w == float(double(XMIN) + (k - 1) * step)) continue;
        const float rho = float(dichte(w));
        if (rho >= YMIN && rho <= YMAX) {
            l.x.push_back(w);
            l.y.push_back(rho);
        }
    }
    return l;
}

void zeichnen(clsGRAFIK& g, platform::ErrorTrap& trap, const Grenzen& b, float RHS, float DESR,
              std::int16_t SRLI, float DENA, std::int16_t NALI) {
    if (!(RHS > 0)) return;
    const double rhs = RHS;
    auto schar = [&](const std::vector<float>& werte, const QString& name, auto dichte, auto beschriftung) {
        for (std::size_t k = 0; k < werte.size(); ++k) {
            const float wert = werte[k];
            Linie linie;
            if (!trap.step([&] {
                    linie =
                        abtasten(b.XMIN, b.XMAX, b.YMIN, b.YMAX, [&](float w) { return dichte(wert, w); });
                }))
                return false;
            if (linie.x.empty()) continue;
            const QString text =
                (k == 0 ? name : QString()) + platform::CStr(platform::Variant(beschriftung(wert)));
            if (!trap.step([&] {
                    drawing::SingleArray X(std::move(linie.x)), Y(std::move(linie.y));
                    g.POLYGON(X, Y, 0, 0, 0, text, 0);
                }))
                return false;
        }
        return true;
    };
    if (DESR != 0 && SRLI == 1 &&
        !schar(
            saettigungsgrade(DESR), QStringLiteral("S{t,1}r = "),
            [&](float Sr, float w) { return saettigungsdichte(rhs, Sr, w); },
            [](float Sr) { return Sr / 100.0f; }))
        return;
    if (DENA != 0 && NALI == 1)
        schar(
            luftporenanteile(DENA), QStringLiteral("n{t,1}a = "),
            [&](float na, float w) { return luftporendichte(rhs, na, w); }, [](float na) { return na; });
}

} // namespace linienscharen
