#pragma once

#include <cstdint>

class clsDATEN;
namespace platform {
class Variant;
}

// The stored settings of the compaction diagram that page 1 and the multiple-evaluation page read and
// write alike: the frame of a new diagram in its G0 row and the display options of the A1 row.
namespace diagrammvorgaben {

// The frame a new evaluation starts with in the G0 row of the diagram (IDOBJEKT): both axes drawn, and
// the margins 12 mm left, right and below and 9 mm above the plot area.
void rahmen(clsDATEN& g0, const platform::Variant& diagramm);

// A scale computed anew on every drawing: MX and MY of the G0 row of the diagram set to 0.
void massstabNeu(clsDATEN& g0, const platform::Variant& diagramm);

// The display options the diagram reads from the A1 row the cursor selects: which line family is drawn,
// the grid lines, the spacings of the two families and the spline switch.
void anzeigeLesen(clsDATEN& a1, std::int16_t& SRLI, std::int16_t& NALI, std::int16_t& GITW,
                  std::int16_t& GITRHD, float& DESR, float& DENA, std::int16_t& POSP);

} // namespace diagrammvorgaben
