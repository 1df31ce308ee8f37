#pragma once

#include "clsGRAFIK.h"
#include "TestRun.h"

#include "platform/surface/RecordingSurface.h"

#include <memory>
#include <QString>
#include <vector>

namespace zeichentest {

// A run with an English locale and a working copy holding record 1 (active) and record 2, a recording
// surface of 135 x 130 mm at 4 pixels per millimetre, and a diagram object bound to it.
struct Zeichenlauf {
    explicit Zeichenlauf(platform::RecordingSurface::Options options = {});

    // Data coordinates are the surface's millimetres (x to the right, y downwards) and the plot frame
    // runs from (left, top) to (right, bottom).
    void millimeterRahmen(float left, float top, float right, float bottom);

    // The message boxes shown so far.
    QStringList meldungen() { return run.dialogs().messages(); }

    testsupport::TestRun run;
    platform::RecordingSurface surface;
    std::unique_ptr<clsGRAFIK> grafik;
};

// The lines drawn, as (x1, y1, x2, y2).
std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface);

} // namespace zeichentest
