#pragma once

#include "NumberList.h"

#include <cstdint>
#include <vector>

namespace drawing {

// The lists of one axis: admissible bounds, admissible spans and, parallel to the spans, the numbers of
// tick, grid and labelled intervals.
struct AchsenListen {
    const NumberList& MIN;
    const NumberList& DIFF;
    const NumberList& IT;
    const NumberList& GIT;
    const NumberList& ZL;
};

// One axis as fitted within one call of the scale routine.
struct AchsenTeilung {
    float MIN = 0;             // lower bound (in: as read; out: fitted)
    float MAX = 0;             // upper bound
    std::vector<float> TICKS;  // tick positions in the model's units, the first at the lower bound
    std::vector<float> GITTER; // grid positions on a logarithmic axis
    std::int16_t IT = 0;       // tick count (index of the last tick)
    std::int16_t GIT = 0;      // grid count
    std::int16_t ZL = 0;       // label count
};

// Fits one axis: automatic bounds (BOMIN, BOMAX) from the data, snapped to the admissible bounds, the
// span snapped to the admissible spans (linear axis, SKT 0), or the decades (logarithmic axis, SKT 1),
// and the tick list and counts. NR 1 and -1 start the automatic bounds from the first data value, other
// NR from the bounds already held; NR other than 1 and 2 re-derive the upper bound from the span.
// Bounds and list entries are compared in single precision, the precision of the stored bounds.
void ACHSENTEILUNG(std::int16_t NR, bool BOMIN, bool BOMAX, std::int16_t SKT, const std::vector<float>& DATEN,
                   AchsenTeilung& achse, const AchsenListen& listen);

// The scale in data units per millimetre: a zero MX (MY) is the x (y) range over the plot frame's width
// (height); with MYMX > 0 the smaller factor follows the larger in that ratio.
void MASSSTAB(float XMIN, float XMAX, float YMIN, float YMAX, float ELX, float ELY, float RL, float RR,
              float RU, float RO, float MYMX, float& MX, float& MY);

} // namespace drawing
