// Axis fitting of the diagram object: the stored settings in G0, the fitted bounds, the scale and the
// scroll bars; the axes are drawn in clsGRAFIK_Achsen.cpp.
#include "clsGRAFIK.h"
#include "G0Speicher.h"
#include "SingleMath.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/surface/ScrollBar.h"
#include "platform/surface/Surface.h"

using drawing::AchsenListen;
using drawing::AchsenTeilung;

void clsGRAFIK::SKALEN(std::int16_t NR, const std::vector<float>* X, const std::vector<float>* Y) {
    platform::ErrorTrap trap(QStringLiteral("Skalen"), QStringLiteral("VB-Fehler:"));
    const AreaClip clip(*this);
    // An absent series counts as the single value 0.
    const std::vector<float> xs = X ? *X : std::vector<float>{0.0f};
    const std::vector<float> ys = Y ? *Y : std::vector<float>{0.0f};

    // The stored settings of the diagram; a failed read ends the call.
    std::unique_ptr<drawing::G0Speicher> g0;
    if (!trap.step([&] { g0 = std::make_unique<drawing::G0Speicher>(EID_, EIDOBJEKT_); }) || !g0) return;
    if (!g0->lesen(QStringLiteral("OX"), m_.OX) || !g0->lesen(QStringLiteral("OY"), m_.OY) ||
        !g0->lesen(QStringLiteral("RL"), m_.RL) || !g0->lesen(QStringLiteral("RR"), m_.RR) ||
        !g0->lesen(QStringLiteral("RO"), m_.RO) || !g0->lesen(QStringLiteral("RU"), m_.RU) ||
        !g0->lesen(QStringLiteral("XMIN"), m_.XMIN) || !g0->lesen(QStringLiteral("XMAX"), m_.XMAX) ||
        !g0->lesen(QStringLiteral("YMIN"), m_.YMIN) || !g0->lesen(QStringLiteral("YMAX"), m_.YMAX))
        return;

    AchsenTeilung ax, ay;
    const AchsenListen xl{ELXMIN_, ELXDIFF_, ELXIT_, ELXGIT_, ELXZL_};
    const AchsenListen yl{ELYMIN_, ELYDIFF_, ELYIT_, ELYGIT_, ELYZL_};
    // Fits one axis in place: the model's bounds go in and come out, as far as the fitting got.
    auto fit = [&](AchsenTeilung& a, float& lo, float& hi, std::int16_t& IT, std::int16_t& GIT,
                   std::int16_t& ZL, std::int16_t nr, bool bomin, bool bomax, std::int16_t skt,
                   const std::vector<float>& data, const AchsenListen& lists) {
        a.MIN = lo;
        a.MAX = hi;
        a.IT = IT;
        a.GIT = GIT;
        a.ZL = ZL;
        const bool ok = trap.step([&] { drawing::ACHSENTEILUNG(nr, bomin, bomax, skt, data, a, lists); });
        lo = a.MIN;
        hi = a.MAX;
        IT = a.IT;
        GIT = a.GIT;
        ZL = a.ZL;
        return ok;
    };
    auto fitX = [&](std::int16_t nr, bool bomin, bool bomax) {
        return !ELXMIN_ ||
               fit(ax, m_.XMIN, m_.XMAX, m_.XIT, m_.XGIT, m_.XZL, nr, bomin, bomax, ESKTX_, xs, xl);
    };
    auto fitY = [&](std::int16_t nr, bool bomin, bool bomax) {
        return !ELYMIN_ ||
               fit(ay, m_.YMIN, m_.YMAX, m_.YIT, m_.YGIT, m_.YZL, nr, bomin, bomax, ESKTY_, ys, yl);
    };
    if (!fitX(NR, EBOXMIN_, EBOXMAX_)) return;
    if (!fitY(NR, EBOYMIN_, EBOYMAX_)) return;

    // Equal lengths: one span follows the other over the plot frame, then is snapped again.
    if (EXYIT_ == 1) {
        if (!trap.step([&] {
                m_.YMAX = drawing::single(m_.YMIN + double(m_.XMAX - m_.XMIN) *
                                                        drawing::divide(double(ELY_) - m_.RO - m_.RU,
                                                                        double(ELX_) - m_.RL - m_.RR));
            }))
            return;
        if (!fitY(0, false, false)) return;
    } else if (EXYIT_ == 2) {
        if (!trap.step([&] {
                m_.XMAX = drawing::single(m_.XMIN + double(m_.YMAX - m_.YMIN) *
                                                        drawing::divide(double(ELX_) - m_.RL - m_.RR,
                                                                        double(ELY_) - m_.RO - m_.RU));
            }))
            return;
        if (!fitX(0, false, false)) return;
    }

    // The automatic bounds go back to G0, where the next call of a chain reads them.
    if (EBOXMIN_) g0->schreiben(QStringLiteral("XMIN"), m_.XMIN);
    if (EBOXMAX_) g0->schreiben(QStringLiteral("XMAX"), m_.XMAX);
    if (EBOYMIN_) g0->schreiben(QStringLiteral("YMIN"), m_.YMIN);
    if (EBOYMAX_) g0->schreiben(QStringLiteral("YMAX"), m_.YMAX);
    if (NR == 1 || NR == 2) return;

    if (ESKTX_ == 1) {
        m_.XMIN = LOG10(m_.XMIN);
        m_.XMAX = LOG10(m_.XMAX);
    }
    if (ESKTY_ == 1) {
        m_.YMIN = LOG10(m_.YMIN);
        m_.YMAX = LOG10(m_.YMAX);
    }

    // The scale: computed when either factor is 0, otherwise used as stored.
    if (!g0->lesen(QStringLiteral("MYMX"), m_.MYMX) || !g0->lesen(QStringLiteral("MX"), m_.MX) ||
        !g0->lesen(QStringLiteral("MY"), m_.MY))
        return;
    if (m_.MX == 0 || m_.MY == 0) {
        if (!trap.step([&] {
                drawing::MASSSTAB(m_.XMIN, m_.XMAX, m_.YMIN, m_.YMAX, ELX_, ELY_, m_.RL, m_.RR, m_.RU, m_.RO,
                                  m_.MYMX, m_.MX, m_.MY);
            }))
            return;
        g0->schreiben(QStringLiteral("MX"), m_.MX);
        g0->schreiben(QStringLiteral("MY"), m_.MY);
    }
    g0.reset();

    if (!trap.step([&] { placeScrollBars(); })) return;
    // While the picture is scrolled nothing is drawn.
    if ((EXBALKEN_ && EXBALKEN_->Visible()) || (EYBALKEN_ && EYBALKEN_->Visible())) return;

    if (EAXEX_ != 0) drawAxis(true, ax, trap);
    if (trap.cancelled()) return;
    if (EAXEY_ != 0) drawAxis(false, ay, trap);
}

void clsGRAFIK::placeScrollBars() {
    auto place = [&](platform::ScrollBar* bar, bool across) {
        if (!bar) return;
        platform::Surface& s = surface();
        const float margins = across ? m_.RL + m_.RR : m_.RO + m_.RU;
        float A = 1.01f * (across ? s.ScaleWidth() : s.ScaleHeight()) - margins;
        const float N = across ? drawing::divide(double(m_.XMAX) - m_.XMIN, m_.MX)
                               : drawing::divide(double(m_.YMAX) - m_.YMIN, m_.MY);
        if (s.isPrinter()) {
            // The print shows the position the screen is scrolled to.
            A = across ? ELX_ : ELY_;
        } else if (A > N) {
            bar->setValue(0);
            bar->setVisible(false);
        } else {
            if (across) {
                bar->setTop(s.ScaleHeight() - 5);
                bar->setLeft(0);
                bar->setWidth(s.ScaleWidth() - 5);
                bar->setHeight(5);
            } else {
                bar->setTop(0);
                bar->setLeft(s.ScaleWidth() - 5);
                bar->setWidth(5);
                bar->setHeight(s.ScaleHeight() - 5);
            }
            bar->setMin(0);
            bar->setMax(10000);
            const std::int16_t large =
                platform::CInt(platform::Variant((1.0 - (double(N) - A) / N) * 10000.0));
            bar->setLargeChange(large);
            bar->setSmallChange(platform::CInt(platform::Variant(large / 50.0)));
            bar->setVisible(true);
        }
        float& offset = across ? m_.XVERSATZ : m_.YVERSATZ;
        const int value = bar->Value();
        offset = value == 0
                     ? 0.0f
                     : drawing::single(platform::Round(value / 10000.0, 3) * (double(A) - N - margins));
    };
    place(EXBALKEN_, true);
    place(EYBALKEN_, false);
}
