#pragma once

#include "clsGRAFIK.h"
#include "TestRun.h"

#include "platform/db/Connection.h"
#include "platform/surface/RecordingSurface.h"

#include <memory>
#include <vector>

namespace drawingtest {

// A run with an English locale and a working copy holding record 1 (active), a recording surface of
// 135 x 130 mm at 4 pixels per millimetre, and a diagram object bound to it.
struct DrawingRun {
    explicit DrawingRun(platform::RecordingSurface::Options options = {})
        : run({QStringLiteral("en"), QStringLiteral("."), true}), surface(options) {
        run.state().cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (1, 'Versuch 1', 1)"));
        grafik = std::make_unique<clsGRAFIK>();
        grafik->setEOBJEKT(&surface);
        surface.clearCalls();
    }

    // Sets the model so that data coordinates are the millimetres themselves: the plot frame runs from
    // (left, top) to (right, bottom) and a point (x, y) stands at x, y on the surface.
    void identityFrame(float left, float top, float right, float bottom) {
        auto& m = grafik->modell();
        m.OX = 1;
        m.OY = 0; // y grows downwards like the surface
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

    // Writes a G0 row for the diagram (ID 1, IDOBJEKT 11).
    void g0(float RL, float RR, float RO, float RU, float XMIN = 0, float XMAX = 0, float YMIN = 0,
            float YMAX = 0, float MX = 0, float MY = 0, float MYMX = 0, int OX = 1, int OY = 1) {
        run.state().cnnX->Execute(
            QStringLiteral(
                "INSERT INTO G0 (ID, IDOBJEKT, OX, OY, RL, RR, RO, RU, XMIN, XMAX, YMIN, YMAX, MX, MY, MYMX) "
                "VALUES (1, 11, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {platform::Variant(std::int32_t(OX)), platform::Variant(std::int32_t(OY)), RL, RR, RO, RU, XMIN,
             XMAX, YMIN, YMAX, MX, MY, MYMX});
    }

    // One column of the diagram's G0 row (Empty when there is no row).
    platform::Variant g0Value(const QString& column);

    testsupport::TestRun run;
    platform::RecordingSurface surface;
    std::unique_ptr<clsGRAFIK> grafik;
};

inline std::vector<double> list(std::initializer_list<double> values) {
    return std::vector<double>(values);
}

} // namespace drawingtest
