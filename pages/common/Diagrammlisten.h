#pragma once

#include <vector>

class clsGRAFIK;
namespace platform {
class ErrorTrap;
}

// The admissible lists of the compaction diagram on page 1, which the diagram hands to its diagram object
// and the diagram-settings dialog offers: the bounds an automatic axis minimum may take, the admissible
// spans, and per span the number of tick, grid and labelled intervals. Whole numbers are held as integers,
// the fractional dry densities as the doubles nearest to them (0.2 is the double 0.2).
namespace diagrammlisten {

// Water content (%): bounds 0, 2, ..., 50, 60, ..., 100 (31) and spans 2, 4, ..., 50, 60, ..., 100 (30).
std::vector<double> xMin();
std::vector<double> xDiff();
// Per span: tick intervals, grid intervals (every entry 1, no grid line, without grid lines) and labelled
// intervals.
std::vector<double> xTeilung();
std::vector<double> xGitter(bool gitterlinien);
std::vector<double> xZahlen();

// Dry density (g/cm³): bounds 0, 0.2, ..., 4 (21) and spans 0.2, 0.4, ..., 4 (20).
std::vector<double> yMin();
std::vector<double> yDiff();
std::vector<double> yTeilung();
std::vector<double> yGitter(bool gitterlinien);
std::vector<double> yZahlen();

// Hands both axes to the diagram object: the lists above, the grid lines when switched on, the axis titles
// "w [%]" and "ρd [g/cm³]" and their number patterns; a new evaluation (BONEU) fits the bounds to the
// points. The x axis and the y axis are one step each of the trap; Cancel in the first skips the second.
void achsen(clsGRAFIK& g, bool BONEU, bool gitterW, bool gitterRHD, platform::ErrorTrap& trap);

} // namespace diagrammlisten
