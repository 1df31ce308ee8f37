#include "PainterSurface.h"

#include "platform/runtime/Color.h"
#include "SymbolFont.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

namespace platform {

namespace {

// Dash patterns in millimetres (on, off, on, off ...).
QList<double> dashMm(int style) {
    switch (style) {
    case Surface::Dash:
        return {2.0, 1.0};
    case Surface::Dot:
        return {0.4, 0.6};
    case Surface::DashDot:
        return {2.0, 0.6, 0.4, 0.6};
    case Surface::DashDotDot:
        return {2.0, 0.5, 0.4, 0.5, 0.4, 0.5};
    default:
        return {};
    }
}

constexpr double kSixteenthsPerRadian = 180.0 * 16.0 / std::numbers::pi;

// Every position handed to the painter lies within this many millimetres of the origin. A drawing of absurd
// values (a mass of 1e30 puts an axis there) would otherwise reach the device with coordinates beyond what
// it takes: the PDF writer then writes numbers no reader can parse. Ten metres are far off any sheet.
constexpr double kSafeMm = 10000;

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

double safe(double mm) {
    return std::clamp(mm, -kSafeMm, kSafeMm);
}

// The part of the line from (x1, y1) to (x2, y2) that lies within the safe square, in millimetres (the
// line keeps its direction); nothing when it lies wholly outside or is no line of numbers. An end outside is
// moved along the line onto the side it lies beyond, by the slope measured from the other end, so that a
// line from the sheet to 1e30 keeps its direction on the sheet.
std::optional<std::array<double, 4>> safeLine(double x1, double y1, double x2, double y2) {
    if (!finite({x1, y1, x2, y2})) return std::nullopt;
    auto outside = [](double x, double y) {
        return (x < -kSafeMm ? 1 : x > kSafeMm ? 2 : 0) | (y < -kSafeMm ? 4 : y > kSafeMm ? 8 : 0);
    };
    int c1 = outside(x1, y1), c2 = outside(x2, y2);
    // Each pass moves one end onto one side: four passes at most for each end.
    for (int pass = 0; pass < 8 && (c1 | c2); ++pass) {
        if (c1 & c2) return std::nullopt;
        const int c = c1 ? c1 : c2;
        double x = 0, y = 0;
        if (c & 8 || c & 4) {
            y = c & 8 ? kSafeMm : -kSafeMm;
            x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
        } else {
            x = c & 2 ? kSafeMm : -kSafeMm;
            y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
        }
        if (c == c1) {
            x1 = x;
            y1 = y;
            c1 = outside(x1, y1);
        } else {
            x2 = x;
            y2 = y;
            c2 = outside(x2, y2);
        }
    }
    if (!finite({x1, y1, x2, y2})) return std::nullopt;
    return std::array<double, 4>{safe(x1), safe(y1), safe(x2), safe(y2)};
}

} // namespace

PainterSurface::PainterSurface(double pixelsPerMmX, double pixelsPerMmY, int dpi, double minPenMm)
    : pixelsPerMmX_(pixelsPerMmX), pixelsPerMmY_(pixelsPerMmY), dpi_(dpi), minPenMm_(minPenMm) {}

void PainterSurface::setResolution(double pixelsPerMmX, double pixelsPerMmY, int dpi) {
    pixelsPerMmX_ = pixelsPerMmX;
    pixelsPerMmY_ = pixelsPerMmY;
    dpi_ = dpi;
}

int PainterSurface::fontPixels(float size) const {
    return std::max(1, int(std::lround(double(size) * dpi_ / 72.0)));
}

float PainterSurface::deviceFontSize(float size) const {
    return float(fontPixels(size) * 72.0 / dpi_);
}

QFont PainterSurface::deviceFont(const SurfaceFont& font) const {
    QFont f(drawnFontFamily(font.Name));
    f.setPixelSize(fontPixels(font.Size));
    f.setWeight(QFont::Weight(std::clamp(font.Weight, 1, 1000)));
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethrough);
    // Unhinted outlines: the measured widths then scale with the size on every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void PainterSurface::draw(const std::function<void(QPainter&)>& step) {
    const auto clip = Clip();
    paint([&](QPainter& painter) {
        if (clip)
            painter.setClipRect(QRectF(clip->left * pixelsPerMmX_, clip->top * pixelsPerMmY_,
                                       clip->width * pixelsPerMmX_, clip->height * pixelsPerMmY_));
        step(painter);
    });
}

QPen PainterSurface::pen(long color) const {
    const double minPixels = minPenMm_ * pixelsPerMmX_;
    const double width = std::max<double>(DrawWidth(), minPixels);
    QPen p(ColorFromNumber(color), width);
    p.setJoinStyle(Qt::RoundJoin);
    if (DrawStyle() == Invisible) return QPen(Qt::NoPen);
    const QList<double> mm = dashMm(DrawStyle());
    if (mm.isEmpty()) {
        p.setCapStyle(width > 1.5 ? Qt::RoundCap : Qt::SquareCap);
        return p;
    }
    QList<double> pattern;
    for (double d : mm)
        pattern.append(std::max(d * pixelsPerMmX_ / width, 1.0));
    p.setCapStyle(Qt::FlatCap);
    p.setDashPattern(pattern);
    return p;
}

QPointF PainterSurface::devicePoint(double x, double y) const {
    return QPointF(safe(x) * pixelsPerMmX_, safe(y) * pixelsPerMmY_);
}

void PainterSurface::Line(float x1, float y1, float x2, float y2, std::optional<long> color) {
    const QPen p = pen(color.value_or(ForeColor()));
    const auto part = safeLine(x1, y1, x2, y2);
    setCurrentX(x2);
    setCurrentY(y2);
    if (!part) return;
    const QPointF a = devicePoint((*part)[0], (*part)[1]), b = devicePoint((*part)[2], (*part)[3]);
    draw([&](QPainter& painter) {
        painter.setPen(p);
        if (a == b)
            painter.drawPoint(a);
        else
            painter.drawLine(a, b);
    });
}

void PainterSurface::Box(float x1, float y1, float x2, float y2, std::optional<long> color) {
    setCurrentX(x2);
    setCurrentY(y2);
    if (!finite({x1, y1, x2, y2})) return;
    const QPen p = pen(color.value_or(ForeColor()));
    const QRectF r = QRectF(devicePoint(x1, y1), devicePoint(x2, y2)).normalized();
    const bool filled = FillStyle() == FillSolid;
    const QColor fill = ColorFromNumber(FillColor());
    draw([&](QPainter& painter) {
        painter.setPen(p);
        painter.setBrush(filled ? QBrush(fill) : QBrush(Qt::NoBrush));
        painter.drawRect(r);
    });
}

void PainterSurface::FilledBox(float x1, float y1, float x2, float y2, std::optional<long> color) {
    setCurrentX(x2);
    setCurrentY(y2);
    if (!finite({x1, y1, x2, y2})) return;
    const QColor c = ColorFromNumber(color.value_or(ForeColor()));
    QPen p = pen(color.value_or(ForeColor()));
    p.setStyle(Qt::SolidLine);
    const QRectF r = QRectF(devicePoint(x1, y1), devicePoint(x2, y2)).normalized();
    draw([&](QPainter& painter) {
        painter.setPen(p);
        painter.setBrush(c);
        painter.drawRect(r);
    });
}

void PainterSurface::Circle(float x, float y, float radius, std::optional<long> color,
                            std::optional<float> start, std::optional<float> end) {
    setCurrentX(x);
    setCurrentY(y);
    if (!finite({x, y, radius, start.value_or(0.0f), end.value_or(0.0f)})) return;
    const QPen p = pen(color.value_or(ForeColor()));
    const QPointF centre = devicePoint(x, y);
    const double rx = std::min<double>(std::abs(radius), kSafeMm) * pixelsPerMmX_,
                 ry = std::min<double>(std::abs(radius), kSafeMm) * pixelsPerMmY_;
    const QRectF r(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const bool filled = FillStyle() == FillSolid;
    const QColor fill = ColorFromNumber(FillColor());
    if (!start && !end) {
        draw([&](QPainter& painter) {
            painter.setPen(p);
            painter.setBrush(filled ? QBrush(fill) : QBrush(Qt::NoBrush));
            painter.drawEllipse(r);
        });
    } else {
        const double a = std::abs(double(start.value_or(0.0f)));
        const double b = std::abs(double(end.value_or(float(2 * std::numbers::pi))));
        double span = b - a;
        if (span <= 0) span += 2 * std::numbers::pi;
        const bool radiusAtStart = start && *start < 0, radiusAtEnd = end && *end < 0;
        auto rim = [&](double angle) {
            return QPointF(centre.x() + rx * std::cos(angle), centre.y() - ry * std::sin(angle));
        };
        draw([&](QPainter& painter) {
            if (radiusAtStart && radiusAtEnd && filled) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(fill);
                painter.drawPie(r, int(std::lround(a * kSixteenthsPerRadian)),
                                int(std::lround(span * kSixteenthsPerRadian)));
            }
            painter.setPen(p);
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(r, int(std::lround(a * kSixteenthsPerRadian)),
                            int(std::lround(span * kSixteenthsPerRadian)));
            if (radiusAtStart) painter.drawLine(centre, rim(a));
            if (radiusAtEnd) painter.drawLine(centre, rim(b));
        });
    }
}

void PainterSurface::PSet(float x, float y, std::optional<long> color) {
    setCurrentX(x);
    setCurrentY(y);
    if (!finite({x, y})) return;
    const QPen p = pen(color.value_or(ForeColor()));
    const QPointF at = devicePoint(x, y);
    draw([&](QPainter& painter) {
        QPen solid = p;
        solid.setStyle(Qt::SolidLine);
        painter.setPen(solid);
        painter.drawPoint(at);
    });
}

void PainterSurface::Print(const QString& text) {
    const QFont f = deviceFont(Font());
    const QString shown = drawnText(Font().Name, text);
    const QFontMetricsF fm(f, metricsDevice());
    const QPointF topLeft = devicePoint(CurrentX(), CurrentY());
    const QColor ink = ColorFromNumber(ForeColor());
    const bool opaque = !FontTransparent();
    const QColor back = ColorFromNumber(BackColor());
    if (finite({CurrentX(), CurrentY()}))
        draw([&](QPainter& painter) {
            painter.setFont(f);
            if (opaque)
                painter.fillRect(QRectF(topLeft, QSizeF(fm.horizontalAdvance(shown), fm.height())), back);
            painter.setPen(ink);
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + fm.ascent()), shown);
        });
    setCurrentX(0);
    setCurrentY(CurrentY() + float(fm.height() / pixelsPerMmY_));
}

float PainterSurface::TextWidth(const QString& text) const {
    const QFontMetricsF fm(deviceFont(Font()), metricsDevice());
    return float(fm.horizontalAdvance(drawnText(Font().Name, text)) / pixelsPerMmX_);
}

float PainterSurface::TextHeight(const QString& text) const {
    const QFontMetricsF fm(deviceFont(Font()), metricsDevice());
    const auto lines = std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return float(fm.height() * double(lines) / pixelsPerMmY_);
}

void PainterSurface::TextOutRotated(int x, int y, const QString& text, const SurfaceFont& font,
                                    int cellHeight, int escapement) {
    QFont f = deviceFont(font);
    // Pick the pixel size whose cell (ascent plus descent) is the asked height.
    f.setPixelSize(1000);
    const double cellPerPixel = QFontMetricsF(f, metricsDevice()).height() / 1000.0;
    f.setPixelSize(std::max(1, int(std::lround(std::abs(cellHeight) / cellPerPixel))));
    const QFontMetricsF fm(f, metricsDevice());
    const QString shown = drawnText(font.Name, text);
    const QColor ink = ColorFromNumber(ForeColor());
    const QPointF at(std::clamp(double(x), -kSafeMm * pixelsPerMmX_, kSafeMm * pixelsPerMmX_),
                     std::clamp(double(y), -kSafeMm * pixelsPerMmY_, kSafeMm * pixelsPerMmY_));
    draw([&](QPainter& painter) {
        painter.save();
        painter.translate(at);
        painter.rotate(-escapement / 10.0);
        painter.setFont(f);
        painter.setPen(ink);
        painter.drawText(QPointF(0, fm.ascent()), shown);
        painter.restore();
    });
}

} // namespace platform
