#pragma once

#include "clsGRAFIK.h"

#include "NumberList.h"

#include "platform/runtime/Color.h"

#include <cstdint>
#include <vector>

// The pens and series with which both pages draw their compaction diagrams.
namespace diagrammstift {

const long kRot = long(platform::RGB(255, 0, 0));
const long kBlau = long(platform::RGB(0, 0, 255));
const long kSchwarz = 0;

// The pen: line style (0 solid, 1 dashed, 2 dotted), width in mm (0 one pixel) and colour.
inline void stift(clsGRAFIK& g, std::int16_t art, float breite, long farbe) {
    g.LINIENEINSTELLUNGEN(art, breite, farbe);
}

// A series through the points, with PSIT markers of type PSTYP.
template <typename Xs, typename Ys>
void reihe(clsGRAFIK& g, const Xs& x, const Ys& y, std::int16_t PSIT, std::int16_t PSTYP) {
    drawing::SingleArray X(std::vector<float>(x.begin(), x.end())), Y(std::vector<float>(y.begin(), y.end()));
    g.POLYGON(X, Y, PSIT, PSTYP);
}

} // namespace diagrammstift
