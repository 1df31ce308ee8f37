// The summary box of the multiple evaluation: mean and standard deviation of the maximum dry density and
// of the optimum water content over all records, from the points or from the spline.
#include "mdiMSEITE1.h"

#include "clsGRAFIK.h"
#include "MSeite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"

using platform::Variant;

namespace {

// A figure of the statistics in its pattern, times the factor; "-" where the figure has no meaning (the
// deviation of a single record).
QString zahl(const std::optional<float>& wert, float faktor, const char* pattern) {
    if (!wert) return QStringLiteral("-");
    return platform::Format(Variant(*wert * faktor), QString::fromLatin1(pattern));
}

} // namespace

void mdiMSEITE1::BILD130(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 2, QStringLiteral("Bild 130"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;

    clsGRAFIK* const summe = zeichenobjekt(summe_, OBJ, trap);
    if (!summe) return;
    clsGRAFIK& g = *summe;
    if (!trap.step([&] {
            g.setEID(0);
            g.setEIDOBJEKT(130);
            if (OBJ == 0 || OBJ == 1) textblockZiel(g, OBJ, picBILD130, XDL, YDO);
        }))
        return;
    if (!trap.step([&] { g.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, 0, 0, 0, 0); })) return;

    const bool spline = POSP_ != 0;
    const drawing::Statistik& rho = spline ? statistik_.RHPRSP : statistik_.RHPR;
    const drawing::Statistik& w = spline ? statistik_.WPRSP : statistik_.WPR;
    const QString pm = QStringLiteral(" ± ");
    if (!trap.step([&] {
            g.TEXT(5, 4,
                   QStringLiteral("{g,1}r{t,2}Pr = ") + zahl(rho.MW, 1, "#0.000") + pm +
                       zahl(rho.SD, 1, "#0.000") + QStringLiteral(" g/cm³"),
                   2, 0, 0, 0);
        }))
        return;
    if (!trap.step([&] {
            g.TEXT(5, 10,
                   QStringLiteral("w{t,2}Pr = ") + zahl(w.MW, 100, "#0.0") + pm + zahl(w.SD, 100, "#0.0") +
                       QStringLiteral(" %"),
                   2, 0, 0, 0);
        }))
        return;
    trap.step([&] {
        if (OBJ != 0 && OBJ != 1) return;
        using namespace mseite1layout;
        platform::Surface& s = *g.EOBJEKT();
        const float x = kKastenLinks + g.EXDL(), y = kKastenOben + g.EYDO();
        s.Box(x, y, x + kKastenBreite, y + kKastenHoehe);
    });
}
