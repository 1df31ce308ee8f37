#include "Zeichenlauf.h"

#include "platform/db/Connection.h"

namespace zeichentest {

Zeichenlauf::Zeichenlauf(platform::RecordingSurface::Options options)
    : run({QStringLiteral("en"), QStringLiteral("."), true}), surface(options) {
    run.state().cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'Versuch 1', 1)"));
    run.state().cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (2, 'Versuch 2', 0)"));
    grafik = std::make_unique<clsGRAFIK>();
    grafik->setEOBJEKT(&surface);
    surface.clearCalls();
}

void Zeichenlauf::millimeterRahmen(float left, float top, float right, float bottom) {
    auto& m = grafik->modell();
    m.OX = 1;
    m.OY = 0;
    m.RL = left;
    m.RO = top;
    m.RR = grafik->ELX() - right;
    m.RU = grafik->ELY() - bottom;
    m.XMIN = left;
    m.YMIN = top;
    m.XMAX = right;
    m.YMAX = bottom;
    m.MX = 1;
    m.MY = 1;
}

std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface) {
    std::vector<std::vector<double>> out;
    for (const auto& c : surface.calls(QStringLiteral("Line")))
        out.push_back(c.args);
    return out;
}

} // namespace zeichentest
