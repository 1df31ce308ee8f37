#pragma once

#include <vector>

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

} // namespace diagrammlisten
