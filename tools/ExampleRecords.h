#pragma once

#include <QString>

namespace platform {
class Connection;
}

// Two published laboratory compaction tests as records of a project database (E1, E2, E3), for the demo
// installation and for tests. Both use a mould of 1000 cm3 and a grain density of 2.70 g/cm3.
namespace examples {

// Set B: water content by drying sub-samples, no oversize, six readings, degree of compaction 97 %.
void addSetB(platform::Connection& project, int id, const QString& name, const QString& comment, bool active);
// Set C: water content by weighing the added water, 10 % oversize, five readings, 97 %.
void addSetC(platform::Connection& project, int id, const QString& name, const QString& comment, bool active);

} // namespace examples
