#pragma once

#include "DrawingFixture.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zeichentest {

// The drawing run of the diagram tests with a second, inactive record 2 beside the active record 1.
struct Zeichenlauf : drawingtest::DrawingRun {
    explicit Zeichenlauf(platform::RecordingSurface::Options options = {});

    // Data coordinates are the surface's millimetres (x to the right, y downwards) and the plot frame
    // runs from (left, top) to (right, bottom).
    void millimeterRahmen(float left, float top, float right, float bottom) { identityFrame(left, top, right, bottom); }

    // The message boxes shown so far.
    QStringList meldungen() { return run.dialogs().messages(); }
};

// The lines drawn, as (x1, y1, x2, y2).
std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface);

} // namespace zeichentest
