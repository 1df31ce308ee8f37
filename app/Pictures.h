#pragma once

#include <QIcon>
#include <QImage>

// The program's pictures, drawn rather than stored: the window icon, the university logo (100 x 100) and
// the picture of the compaction apparatus on the start screen (241 x 568).
namespace Pictures {
QIcon programIcon();
QImage universityLogo();
QImage apparatus();
} // namespace Pictures
