#include "Zeichenlauf.h"

#include "platform/db/Connection.h"

namespace zeichentest {

Zeichenlauf::Zeichenlauf(platform::RecordingSurface::Options options) : DrawingRun(options) {
    run.state().cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (2, 'Versuch 2', 0)"));
}

std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface) {
    std::vector<std::vector<double>> out;
    for (const auto& c : surface.calls(QStringLiteral("Line"))) out.push_back(c.args);
    return out;
}

} // namespace zeichentest
