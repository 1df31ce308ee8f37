#pragma once

#include <QString>

namespace platform {

// A font as the drawing surfaces take it: name, size in points and styles (the standard font object).
// Bold and weight are one property seen two ways: bold is a weight of 600 or more.
struct SurfaceFont {
    QString Name = QStringLiteral("Arial");
    float Size = 8.0f;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int Weight = 400;

    bool Bold() const { return Weight >= 600; }
    void setBold(bool bold) { Weight = bold ? 700 : 400; }

    bool operator==(const SurfaceFont&) const = default;
};

} // namespace platform
