#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

namespace platform {
class Connection;
}

// Import configurations of measuring electronics written straight into a presets database (tables
// TAMBRIN_VE1 and TAMBRIN_VE2), and the demo installation's three configurations with a sample file each:
// one for every layout of the files (A one cycle per line, B all cycles in one line, C one value per line).
namespace examples {

struct Preset {
    struct Value {
        QString SPALTE;   // import key of the target column
        QString POSITION; // empty: not imported
        QString PRAEFIX, SUFFIX;
        std::optional<double> FAKTOR = 1.0; // none: Null
    };
    QString AKVK;
    int ZL = 0;
    QString DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ;
    std::vector<Value> values; // MNR 0, 1, 2 ...
};

// A sample file of a configuration: its name and its bytes as the device wrote them.
struct SampleFile {
    QString name;
    QByteArray bytes;
};

// Writes the configuration under the key IDK; its values are numbered from 0.
void storePreset(platform::Connection& presets, const Preset& preset, int IDK);
// True when the presets database has a configuration of this name.
bool hasPreset(platform::Connection& presets, const QString& AKVK);

// The demo's configurations for the readings of the drying method (columns M1, M1W, M2W, MCW of the input
// form's first grid), each with the sample file of the same layout.
struct DemoElectronics {
    Preset preset;
    SampleFile sample;
};
std::vector<DemoElectronics> demoElectronics();

} // namespace examples
