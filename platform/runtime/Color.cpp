#include "Color.h"

#include "VbError.h"

#include <algorithm>
#include <array>
#include <QGuiApplication>
#include <QPalette>

namespace platform {

std::int64_t RGB(int red, int green, int blue) {
    auto part = [](int v) { return std::int64_t(std::clamp(v, 0, 255)); };
    return part(red) + 256 * part(green) + 65536 * part(blue);
}

QColor QBColor(int n) {
    static const std::array<QRgb, 16> palette{
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    if (n < 0 || n > 15) throw VbError::invalidCall();
    return QColor(palette[size_t(n)]);
}

namespace {
// The system colour n as the application's palette gives it.
QColor systemColor(int n) {
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette(QColor(240, 240, 240), QColor(255, 255, 255));
    switch (n) {
    case 5:
        return palette.color(QPalette::Base);
    case 1:
    case 4:
    case 12:
        return palette.color(QPalette::Window);
    case 7:
        return palette.color(QPalette::WindowText);
    case 8:
    case 19:
        return palette.color(QPalette::Text);
    case 2:
    case 3:
    case 13:
        return palette.color(QPalette::Highlight);
    case 9:
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Dark);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    case 6:
    case 21:
        return palette.color(QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Midlight);
    case 23:
        return palette.color(QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Button);
    }
}
} // namespace

QColor ColorFromNumber(std::int64_t number) {
    const auto bits = std::uint32_t(number);
    if (bits & 0x80000000u) return systemColor(int(bits & 0xFFu));
    if (bits <= 15) return QBColor(int(bits));
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

std::int64_t NumberFromColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

} // namespace platform
