// The text block of page 1: the kind of test, compaction and plate, the grain densities and the largest
// grain, the cylinder, the oversize data, and a framed box with the maximum dry density and the optimum
// water content.
#include "mdiSEITE1.h"

#include "clsGRAFIK.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"

using platform::Variant;

void mdiSEITE1::BILD13(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 2, QStringLiteral("Bild 13"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;

    clsGRAFIK* const textblock = zeichenobjekt(textblock_, OBJ, trap);
    if (!textblock) return;
    clsGRAFIK& g = *textblock;
    if (!trap.step([&] {
            g.setEIDOBJEKT(13);
            textblockZiel(g, OBJ, picBILD13, XDL, YDO);
        }))
        return;
    if (!trap.step([&] { g.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, 0, 0, 0, 0); })) return;

    const QString versuch = KENV_ == 0 ? QStringLiteral("Standard-TAMBRINversuch")
                                       : QStringLiteral("modifizierter TAMBRINversuch");
    const QString verdichtung = KEND_ ? QStringLiteral("manuell") : QStringLiteral("maschinell");
    const QString platte =
        KENP_ ? QStringLiteral(" mit Einlageplatte") : QStringLiteral(" ohne Einlageplatte");
    auto wert = [](float v, const char* pattern) {
        return platform::Format(Variant(v), QString::fromLatin1(pattern));
    };
    // Every text in millimetres from the block's corner, left-aligned, hanging from its reference point.
    auto text = [&](float x, float y, const QString& t) {
        return trap.step([&] { g.TEXT(x, y, t, 2, 0, 0, 0); });
    };

    if (!text(2, 2, QStringLiteral("Versuchsdurchführung: ") + versuch)) return;
    if (!text(38.7f, 6, verdichtung + platte)) return;
    if (!text(2, 13, QStringLiteral("{g,1}r{t,1}s = ") + wert(RHS_, "#0.000") + QStringLiteral(" g/cm³")))
        return;
    if (!text(31, 13, QStringLiteral("d{t,3}max = ") + wert(DMAX_, "#0.00") + QStringLiteral(" mm"))) return;
    if (!text(2, 20, QStringLiteral("TAMBRINzylinder:"))) return;
    if (!text(31, 20, QStringLiteral("d{t,1}c = ") + wert(DC_, "#0.00") + QStringLiteral(" cm"))) return;
    if (!text(63, 20, QStringLiteral("h{t,1}c = ") + wert(HC_, "#0.00") + QStringLiteral(" cm"))) return;
    if (!text(31, 25, QStringLiteral("m{t,1}c = ") + wert(MC_, "#0.00") + QStringLiteral(" g"))) return;

    // The results from the points or from the spline curve, as the diagram read the switch last; with a
    // single reading they are that point's values.
    const bool spline = POSP_ != 0;
    const float rho = spline ? RHPRSP_ : RHPR_;
    const float w = spline ? WPRSP_ : WPR_;
    const bool maximum = n_ > 0;
    const QString rhoText = maximum ? QStringLiteral("{g,1}r{t,2}Pr = ") : QStringLiteral("{g,1}r{t,1}d = ");
    const QString wText = maximum ? QStringLiteral("w{t,2}Pr = ") : QStringLiteral("w = ");
    if (!text(34, 49, rhoText + wert(rho, "##0.000") + QStringLiteral(" g/cm³"))) return;
    if (!text(34, 55, wText + wert(w * 100.0f, "##0.0") + QStringLiteral(" %"))) return;
    if (!trap.step([&] {
            platform::Surface& s = *g.EOBJEKT();
            s.Box(31 + g.EXDL(), 47 + g.EYDO(), 31 + 34 + g.EXDL(), 47 + 15 + g.EYDO());
        }))
        return;

    if (UE_ == 0) return;
    if (!text(63, 13, QStringLiteral("{g,1}r{t,3}s,U = ") + wert(RHSU_, "#0.000") + QStringLiteral(" g/cm³")))
        return;
    if (!text(2, 32, QStringLiteral("Überkörnung:"))) return;
    if (!text(31, 32, QStringLiteral("Ü = ") + wert(UE_, "#0.0") + QStringLiteral(" %"))) return;
    if (!text(63, 32, QStringLiteral("d{t,5}max,Ü = ") + wert(DUEMAX_, "#0.00") + QStringLiteral(" mm")))
        return;
    if (!text(31, 37,
              QStringLiteral("{g,1}r{t,3}s,Ü = ") + wert(RHSUE_, "#0.000") + QStringLiteral(" g/cm³")))
        return;
    text(63, 37, QStringLiteral("w{t,1}Ü = ") + wert(WUE_, "#0.0") + QStringLiteral(" %"));
}
