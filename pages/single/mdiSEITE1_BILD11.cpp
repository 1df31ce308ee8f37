// The compaction diagram of page 1: dry density over water content, the points or the spline curves of
// the corrected soil and of the tested fraction, the legend, the line at the degree of compaction with its
// marks, and the saturation and air-void lines.
#include "mdiSEITE1.h"

#include "clsDATEN.h"
#include "clsGRAFIK.h"
#include "Diagrammlisten.h"
#include "Diagrammstift.h"
#include "Diagrammvorgaben.h"
#include "Linienscharen.h"
#include "Seite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"

using drawing::SingleArray;
using platform::ErrorTrap;
using platform::Variant;

using namespace diagrammstift;

namespace {

const Variant kDiagramm11(std::int16_t(11));

// One marker of type PSTYP on every point: a one-point series each.
void marken(clsGRAFIK& g, const std::vector<float>& x, const std::vector<float>& y, std::int16_t PSTYP,
            ErrorTrap& trap) {
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!trap.step([&] { reihe(g, std::vector<float>{x[i]}, std::vector<float>{y[i]}, -1, PSTYP); }))
            return;
}

} // namespace

void mdiSEITE1::BILD11(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 0, QStringLiteral("Bild 11"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;

    clsGRAFIK* const diagramm = diagrammBeginnen(OBJ, XDL, YDO, trap);
    if (!diagramm) return;
    clsGRAFIK& g = *diagramm;
    diagrammReihen(g, trap);
    if (trap.cancelled()) return;

    // The bounds as the scale routine left them; a failed read keeps the ones the page held.
    if (!trap.step([&] {
            g0_->DTVS(QStringLiteral("XMIN"), XMIN_, QStringLiteral("IDOBJEKT"), kDiagramm11);
            g0_->DTVS(QStringLiteral("XMAX"), XMAX_, QStringLiteral("IDOBJEKT"), kDiagramm11);
            g0_->DTVS(QStringLiteral("YMIN"), YMIN_, QStringLiteral("IDOBJEKT"), kDiagramm11);
            g0_->DTVS(QStringLiteral("YMAX"), YMAX_, QStringLiteral("IDOBJEKT"), kDiagramm11);
        }))
        return;
    if (UE_ != 0) diagrammLegende(g, trap);
    if (trap.cancelled()) return;
    if (DPR_ != 0) verdichtungslinie(g, trap);
    if (trap.cancelled()) return;
    saettigungsUndLuftporenlinien(g, trap);
}

// The stored settings: the defaults after a new evaluation, a scale to be computed anew on every drawing,
// and the display options of the record.
void mdiSEITE1::diagrammVorgaben(ErrorTrap& trap) {
    const QString id = QStringLiteral("IDOBJEKT");
    if (BONEU_ && !trap.step([&] {
            diagrammvorgaben::rahmen(*g0_, kDiagramm11);
            g0_->DVTS(QStringLiteral("MYMX"), 0, id, kDiagramm11);
        }))
        return;
    if (!trap.step([&] { diagrammvorgaben::massstabNeu(*g0_, kDiagramm11); })) return;
    trap.step(
        [&] { diagrammvorgaben::anzeigeLesen(*a1_, SRLI_, NALI_, GITW_, GITRHD_, DESR_, DENA_, POSP_); });
}

void mdiSEITE1::diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, ErrorTrap& trap) {
    if (!trap.step([&] {
            g.setEID(ID_);
            g.setEIDOBJEKT(11);
            const Ziel z = ziel(OBJ, picBILD11, XDL, YDO);
            g.setEOBJEKT(z.surface);
            if (OBJ == 1) {
                g.setEXDL(z.EXDL);
                g.setEYDO(z.EYDO);
                // A size replaces the axis lists: it comes first.
                g.setELX(seite1layout::kDiagrammBreite);
                g.setELY(seite1layout::kDiagrammHoehe);
            } else {
                g.setEXDL(0);
                g.setEYDO(0);
            }
        }))
        return;
    diagrammlisten::achsen(g, BONEU_, GITW_ != 0, GITRHD_ != 0, trap);
}

// The axes fitted to the measured points (never to the curves), then the points or the curves: the
// corrected soil in solid red, the tested fraction dotted in black when there is an oversize, otherwise in
// solid red alone.
void mdiSEITE1::diagrammReihen(clsGRAFIK& g, ErrorTrap& trap) {
    const bool ueberkorn = UE_ != 0;
    if (!trap.step([&] {
            if (!BONEU_)
                g.SKALEN(0);
            else if (!ueberkorn)
                g.SKALEN(-1, &WU_, &RHDU_);
            else {
                g.SKALEN(1, &W_, &RHD_);
                g.SKALEN(3, &WU_, &RHDU_);
            }
        }))
        return;
    if (!trap.step([&] { stift(g, 0, 0.2f, kRot); })) return;
    // The diagram's own points: every point that the evaluation stored.
    const std::int16_t PSIT = std::int16_t(nPunkte_ + 1);
    // With the spline switch on but no curve fitted (the water contents don't rise) the points stand alone.
    auto zeichne = [&](const std::vector<float>& x, const std::vector<float>& y, const clsSPLINE::Curve& cx,
                       const clsSPLINE::Curve& cy, std::int16_t PSTYP) {
        if (POSP_ == 0) return trap.step([&] { reihe(g, x, y, PSIT, PSTYP); });
        if (kurven_ && !trap.step([&] { reihe(g, cx, cy, 0, 0); })) return false;
        marken(g, x, y, PSTYP, trap);
        return !trap.cancelled();
    };
    if (ueberkorn) {
        if (!zeichne(W_, RHD_, XK_, YK_, 2)) return;
        if (!trap.step([&] { stift(g, 2, 0, kSchwarz); })) return;
    }
    zeichne(WU_, RHDU_, XU_, YU_, 5);
}

// Near the lower left corner: a red line with the corrected soil's marker and a dotted one with the tested
// fraction's.
void mdiSEITE1::diagrammLegende(clsGRAFIK& g, ErrorTrap& trap) {
    const float x0 = XMIN_ + (XMAX_ - XMIN_) * 0.05f;
    const float x1 = x0 * 1.1f;
    auto zeile = [&](float anteil, std::int16_t art, float breite, long farbe, std::int16_t PSTYP,
                     const QString& text) {
        const float y = YMIN_ + (YMAX_ - YMIN_) * anteil;
        return trap.step([&] {
            stift(g, art, breite, farbe);
            SingleArray X(std::vector<float>{x0, x1}), Y(std::vector<float>{y, y});
            g.POLYGON(X, Y, 2, PSTYP, 0, text, 3);
        });
    };
    if (!zeile(0.075f, 0, 0.2f, kRot, 2, QStringLiteral(" mit Überkornanteil"))) return;
    zeile(0.03f, 2, 0, kSchwarz, 5, QStringLiteral(" ohne Überkornanteil"));
}

// The dashed line at DPR % of the maximum dry density across the diagram, its two labels, and a mark with
// its water content where the curve of the corrected soil crosses it on the dry and on the wet side.
void mdiSEITE1::verdichtungslinie(clsGRAFIK& g, ErrorTrap& trap) {
    const bool spline = POSP_ != 0;
    const float rhoPr = spline ? RHPRSP_ : RHPR_;
    const float wu = spline ? WUDPRSP_ : WUDPR_;
    const float wo = spline ? WODPRSP_ : WODPR_;
    const float t = DPR_ / 100.0f * rhoPr;
    if (!trap.step([&] {
            stift(g, 1, 0, kSchwarz);
            reihe(g, std::vector<float>{XMIN_, XMAX_}, std::vector<float>{t, t}, 0, 0);
        }))
        return;
    const float x = XMIN_ * 1.01f;
    if (!trap.step([&] {
            g.TEXT(x, t, QStringLiteral("D{t,2}Pr = ") + platform::CStr(Variant(DPR_)) + QStringLiteral(" %"),
                   1, 0, 0, 2);
        }))
        return;
    if (!trap.step([&] {
            g.TEXT(x, t,
                   QStringLiteral("{g,1}r{t,1}d = ") +
                       platform::Format(Variant(t), QStringLiteral("#0.000")) + QStringLiteral(" g/cm³"),
                   1, 0, 0, 0);
        }))
        return;
    if (!trap.step([&] { stift(g, 0, 0, kSchwarz); })) return;
    // The marks and their labels are measured in g/cm³ of the diagram, not in millimetres.
    auto marke = [&](float w, const QString& name) {
        if (w == 0) return true;
        const float xw = w * 100.0f;
        const float y2 = YMAX_ - (YMAX_ - YMIN_) * 0.2f;
        if (!trap.step([&] { reihe(g, std::vector<float>{xw, xw}, std::vector<float>{t, t + 0.02f}, 0, 0); }))
            return false;
        if (!trap.step([&] {
                reihe(g, std::vector<float>{xw, xw}, std::vector<float>{y2, y2 + 0.015f}, 0, 0);
            }))
            return false;
        return trap.step([&] {
            g.TEXT(xw, y2 + 0.015f, name + platform::Format(Variant(w), QStringLiteral("#0.0 %")), 1, 90, 0,
                   1);
        });
    };
    if (!marke(wu, QStringLiteral("w{t,1}u = "))) return;
    marke(wo, QStringLiteral("w{t,1}o = "));
}

// Blue lines of equal saturation from 100 % down to 50 % and of equal air-void content from 0 up to 0.25,
// each sampled inside the diagram's bounds and labelled with its value. Without a grain density there are
// no such lines.
void mdiSEITE1::saettigungsUndLuftporenlinien(clsGRAFIK& g, ErrorTrap& trap) {
    if (!trap.step([&] { stift(g, 0, 0, kBlau); })) return;
    linienscharen::zeichnen(g, trap, {XMIN_, XMAX_, YMIN_, YMAX_}, RHS_, DESR_, SRLI_, DENA_, NALI_);
}
