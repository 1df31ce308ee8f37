#pragma once

#include "ExampleRecords.h"

#include <vector>

// Test records of the compaction test: the example records and a few made for particular cases.
namespace fixture {

using namespace examples;

// n readings of a smooth curve (drying of sub-samples), water contents 6 to 22 %.
Record smoothCurve(int n);
// Drying readings with exact binary water contents 1/16, 2/16, ... and the given dry masses (g) in a
// cylinder of 1000 cm³, so that equal dry masses give exactly equal dry densities.
Record exactDensities(const std::vector<float>& dryMasses);

} // namespace fixture
