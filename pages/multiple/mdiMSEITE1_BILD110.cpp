// The diagram of the multiple evaluation: dry density over water content, one curve per record (the
// spline through its points or a line through them), the records' names beside their curves, and the
// saturation or air-void lines of the records' mean grain density.
#include "mdiMSEITE1.h"

#include "clsDATEN.h"
#include "clsGRAFIK.h"
#include "Diagrammlisten.h"
#include "Diagrammstift.h"
#include "Diagrammvorgaben.h"
#include "LabelText.h"
#include "Linienscharen.h"
#include "MSeite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/surface/PictureBox.h"

using drawing::SingleArray;
using platform::ErrorTrap;
using platform::Variant;

using namespace diagrammstift;

namespace {

const Variant kDiagramm110(std::int16_t(110));
const QString kIDOBJEKT = QStringLiteral("IDOBJEKT");

// A record's name as a label that shows it as typed: a brace would open a markup group, so it is written
// as the character of its code.
QString alsKlartext(QString name) {
    return name.replace(QLatin1Char('{'), QStringLiteral("{c,123}"));
}

// A record's name beside its curve as far as it fits: from its start at x to the plot frame's right edge
// widened by the 1 mm that the diagram's labels may reach beyond it (a label that doesn't end inside is not
// drawn at all), just inside that edge.
QString namensplatz(clsGRAFIK& g, const QString& name, float x, float y) {
    float xp = 0, yp = 0;
    g.KOORDTRANS(x, y, xp, yp);
    const float rechts = g.EXDL() + g.ELX() - g.modell().RR + 1;
    return drawing::cutToWidth(*g.EOBJEKT(), name, rechts - xp - 0.01f);
}

// The spline needs three to 72 points whose water contents rise strictly.
bool kurveMoeglich(const std::vector<float>& W) {
    if (W.size() < 3 || W.size() > std::size_t(clsSPLINE::NSP)) return false;
    for (std::size_t i = 1; i < W.size(); ++i)
        if (!(W[i] > W[i - 1])) return false;
    return true;
}

} // namespace

mdiMSEITE1::Punkte mdiMSEITE1::punkte(std::int32_t id) {
    Punkte p;
    a2_->ESPIDW = id;
    std::int16_t MINI = 0, MAXI = 0, AN = 0;
    a2_->INDEX(MINI, MAXI, AN, QStringLiteral("I1"));
    // No point is drawn where no reading was evaluated: a record without A2 rows is no point at (0, 0).
    if (AN <= 0) return p;
    const std::size_t size = std::size_t(std::max<int>(MAXI, 0)) + 1;
    p.W.assign(size, 0.0f);
    p.RHD.assign(size, 0.0f);
    for (std::size_t i = 0; i < size; ++i) {
        const Variant I1{std::int16_t(i)};
        a2_->DTVS(QStringLiteral("W"), p.W[i], QStringLiteral("I1"), I1);
        a2_->DTVS(QStringLiteral("RHD"), p.RHD[i], QStringLiteral("I1"), I1);
    }
    for (float& w : p.W)
        w *= 100.0f;
    return p;
}

void mdiMSEITE1::BILD110(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 0, QStringLiteral("Bild 110"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;

    clsGRAFIK* const diagramm = diagrammBeginnen(OBJ, XDL, YDO, trap);
    if (!diagramm) return;
    clsGRAFIK& g = *diagramm;

    // Every record's points, read once for the scales and the curves.
    const std::size_t n = ID_.size();
    std::vector<Punkte> alle(n);
    if (!trap.step([&] {
            for (std::size_t k = 0; k < n; ++k)
                alle[k] = punkte(ID_[k]);
        }))
        return;

    // The first drawing of a new evaluation fits the axes to all records with points: the first starts the
    // ranges, every further one widens them, the last draws the axes.
    std::vector<std::size_t> mitPunkten;
    for (std::size_t k = 0; k < n; ++k)
        if (!alle[k].W.empty()) mitPunkten.push_back(k);
    const std::size_t m = mitPunkten.size();
    if (BONEU_ && m > 0) {
        for (std::size_t j = 0; j < m; ++j) {
            Punkte& p = alle[mitPunkten[j]];
            const std::int16_t NR = j + 1 == m ? 3 : (j == 0 ? 1 : 2);
            if (!trap.step([&] { g.SKALEN(NR, &p.W, &p.RHD); })) return;
            fortschritt(15.0f / float(m));
        }
    } else if (!trap.step([&] { g.SKALEN(0); }))
        return;

    float MX = 0;
    if (!trap.step([&] { g0_->DTVS(QStringLiteral("MX"), MX, kIDOBJEKT, kDiagramm110); })) return;
    if (!trap.step([&] { stift(g, 0, 0.2f, kRot); })) return;
    ohneKurve_.clear();
    for (std::size_t k = 0; k < n; ++k) {
        kurve(g, k, alle[k], MX, trap);
        if (trap.cancelled()) return;
        fortschritt(15.0f / float(n));
    }

    if (!trap.step([&] {
            g0_->DTVS(QStringLiteral("XMIN"), XMIN_, kIDOBJEKT, kDiagramm110);
            g0_->DTVS(QStringLiteral("XMAX"), XMAX_, kIDOBJEKT, kDiagramm110);
            g0_->DTVS(QStringLiteral("YMIN"), YMIN_, kIDOBJEKT, kDiagramm110);
            g0_->DTVS(QStringLiteral("YMAX"), YMAX_, kIDOBJEKT, kDiagramm110);
        }))
        return;
    if (!trap.step([&] { stift(g, 0, 0, kBlau); })) return;
    linienscharen(g, trap);
}

// The stored settings: the defaults of a new multiple evaluation, a scale computed anew on every drawing,
// and the display options.
void mdiMSEITE1::diagrammVorgaben(ErrorTrap& trap) {
    g0_->ESPIDW = 0;
    if (BONEU_ && !trap.step([&] {
            diagrammvorgaben::rahmen(*g0_, kDiagramm110);
            g0_->DVTS(QStringLiteral("XMIN"), 0, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("YMIN"), 0, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("MYMX"), 0, kIDOBJEKT, kDiagramm110);
        }))
        return;
    if (!trap.step([&] { diagrammvorgaben::massstabNeu(*g0_, kDiagramm110); })) return;
    trap.step([&] {
        a1_->ESPIDW = 0;
        diagrammvorgaben::anzeigeLesen(*a1_, SRLI_, NALI_, GITW_, GITRHD_, DESR_, DENA_, POSP_);
        a1_->DTVI(QStringLiteral("DKEN"), DKEN_);
    });
}

void mdiMSEITE1::diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, ErrorTrap& trap) {
    if (!trap.step([&] {
            g.setEID(0);
            g.setEIDOBJEKT(110);
            if (OBJ != 0 && OBJ != 1) return; // the surface and offsets of the previous drawing
            const Ziel z = ziel(OBJ, picBILD110, XDL, YDO);
            g.setEOBJEKT(z.surface);
            g.setEXDL(z.EXDL);
            g.setEYDO(z.EYDO);
            if (OBJ == 1) {
                // A size replaces the axis lists: it comes first.
                g.setELX(mseite1layout::kDiagrammBreite);
                g.setELY(mseite1layout::kDiagrammHoehe);
            }
        }))
        return;
    diagrammlisten::achsen(g, BONEU_, GITW_ != 0, GITRHD_ != 0, trap);
}

// One record: a line through its points with a marker on each, or, with the spline switch and three or
// more readings, the spline curve and a marker on each reading; its name beside the last point. A curve
// that cannot be fitted is drawn as the line through the points; the load tells the user which.
void mdiMSEITE1::kurve(clsGRAFIK& g, std::size_t k, Punkte& p, float MX, ErrorTrap& trap) {
    if (p.W.empty()) return; // never evaluated: the load's message names it
    const std::size_t MAXI = p.W.size() - 1;
    bool spline = POSP_ != 0 && MAXI >= 2;
    clsSPLINE::Curve XSP{}, YSP{};
    if (spline && !kurveMoeglich(p.W)) spline = false;
    // The load names every record drawn through its points although the page shows the spline.
    if (POSP_ != 0 && !spline) ohneKurve_.insert(ID_[k]);
    if (spline && !trap.step([&] { spline = spline_.APPCRV(p.W, p.RHD, XSP, YSP); })) return;

    float xText = p.W[MAXI], yText = p.RHD[MAXI];
    if (!spline) {
        if (!trap.step([&] { reihe(g, p.W, p.RHD, std::int16_t(MAXI + 1), 2); })) return;
    } else {
        if (!trap.step([&] {
                reihe(g, std::vector<float>(XSP.begin(), XSP.end()),
                      std::vector<float>(YSP.begin(), YSP.end()), 0, 0);
            }))
            return;
        xText = XSP[clsSPLINE::NSP - 1];
        yText = YSP[clsSPLINE::NSP - 1];
        for (std::size_t i = 0; i <= MAXI; ++i)
            if (!trap.step(
                    [&] { reihe(g, std::vector<float>{p.W[i]}, std::vector<float>{p.RHD[i]}, -1, 2); }))
                return;
    }
    // The name is the user's text: drawn as typed, never read as markup, and cut where its place ends.
    if (DKEN_ == 1)
        trap.step([&] {
            const float x = xText + 2 * MX;
            const QString name = namensplatz(g, KEN_[int(k)], x, yText);
            if (!name.isEmpty()) g.TEXT(x, yText, alsKlartext(name), 1, 0, 0, 1);
        });
}

// The lines of equal saturation from 100 % down to 50 % or of equal air-void content from 0 up to 0.25
// for the records' mean grain density. Without a positive mean grain density there are none.
void mdiMSEITE1::linienscharen(clsGRAFIK& g, ErrorTrap& trap) {
    const float RHS = statistik_.RHS.MW.value_or(0.0f);
    linienscharen::zeichnen(g, trap, {XMIN_, XMAX_, YMIN_, YMAX_}, RHS, DESR_, SRLI_, DENA_, NALI_);
}
