#pragma once

#include <QFont>
#include <QString>

namespace platform {

// The forms' font: Arial (Liberation Sans here, with the same metrics) at a size in points.
inline QFont arialFont(double points, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace platform
