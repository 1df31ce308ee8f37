#pragma once

#include <QString>
#include <vector>

namespace platform {
class Connection;
}

// Records of the compaction test written straight into a project database: the two published tests of
// the demo installation, and the form the tests build their records in.
namespace examples {

struct Reading {
    float M1 = 0, HS = 0, M1W = 0, M2W = 0, MCW = 0, M1R = 0;
    int number = -1; // the reading number I1; -1: its position
};

struct Record {
    QString KEN; // the record's name; empty: "P" followed by its ID
    QString KOM;
    int SPR = 3;       // report language: 1 English, 3 German
    int KENV = 0;      // 0 standard, 1 modified test
    bool KEND = true;  // compaction by hand
    bool KENP = false; // with an insert plate
    bool KENW = true;  // True: drying of sub-samples; False: weighing the added water
    float DMAX = 31.5f, DUEMAX = 63.0f;
    // A cylinder of 1000 cm³: 10 cm wide, 12 cm high, the soil 0.7324 cm above it.
    float DC = 10.0f, HC = 12.0f, MC = 1130.0f, H2S = 1.2f, RHSU = 2.70f;
    float UE = 0, RHSUE = 0, WUE = 0, MSG = 0, MZ = 0, DPR = 97.0f;
    std::vector<Reading> readings;
};

// The specimen's depth-gauge reading that gives 1000 cm³ in the cylinder above.
constexpr float HS_1000 = 0.467605f;

// Published readings, drying of sub-samples: water contents 8.1 to 18.2 %, mould 1130 g, 1000 cm³.
Record dryingSet();
// Published readings, added water: water contents 12.8 to 19.2 %, 3000 g of dry soil, 200 g of accessories.
Record addedWaterSet();

// The record with an oversize fraction: its share UE (%), grain density and water content (%).
Record withOversize(Record record, float UE = 10.0f, float RHSUE = 2.65f, float WUE = 1.0f);

// Writes the record with the given ID (E1, E2, E3), active or not, and the A1 row that the main window
// makes before an evaluation (only ID and BONEU = True).
void store(platform::Connection& connection, const Record& record, int id = 1, bool active = true);

} // namespace examples
