#include "RecordingSurface.h"

#include <cmath>

namespace platform {

RecordingSurface::Call RecordingSurface::record(const QString& name, std::vector<double> args,
                                                std::optional<long> color) {
    Call c;
    c.name = name;
    c.args = std::move(args);
    c.color = color;
    c.font = Font();
    c.foreColor = ForeColor();
    c.fillColor = FillColor();
    c.fillStyle = FillStyle();
    c.drawWidth = DrawWidth();
    c.drawStyle = DrawStyle();
    c.drawMode = DrawMode();
    c.fontTransparent = FontTransparent();
    c.clip = Clip();
    return c;
}

void RecordingSurface::Line(float x1, float y1, float x2, float y2, std::optional<long> color) {
    calls_.push_back(record(QStringLiteral("Line"), {x1, y1, x2, y2}, color));
    setCurrentX(x2);
    setCurrentY(y2);
}

void RecordingSurface::Box(float x1, float y1, float x2, float y2, std::optional<long> color) {
    calls_.push_back(record(QStringLiteral("Box"), {x1, y1, x2, y2}, color));
    setCurrentX(x2);
    setCurrentY(y2);
}

void RecordingSurface::FilledBox(float x1, float y1, float x2, float y2, std::optional<long> color) {
    calls_.push_back(record(QStringLiteral("FilledBox"), {x1, y1, x2, y2}, color));
    setCurrentX(x2);
    setCurrentY(y2);
}

void RecordingSurface::Circle(float x, float y, float radius, std::optional<long> color,
                              std::optional<float> start, std::optional<float> end) {
    Call c = record(QStringLiteral("Circle"), {x, y, radius}, color);
    c.start = start;
    c.end = end;
    calls_.push_back(c);
    setCurrentX(x);
    setCurrentY(y);
}

void RecordingSurface::PSet(float x, float y, std::optional<long> color) {
    calls_.push_back(record(QStringLiteral("PSet"), {x, y}, color));
    setCurrentX(x);
    setCurrentY(y);
}

void RecordingSurface::Print(const QString& text) {
    Call c = record(QStringLiteral("Print"), {CurrentX(), CurrentY()});
    c.text = text;
    calls_.push_back(c);
    setCurrentX(0);
    setCurrentY(CurrentY() + TextHeight(text));
}

float RecordingSurface::TextWidth(const QString& text) const {
    return float(text.size()) * Font().Size * options_.charWidth;
}

float RecordingSurface::TextHeight(const QString&) const {
    return Font().Size * options_.lineHeight;
}

void RecordingSurface::Cls() {
    calls_.push_back(record(QStringLiteral("Cls"), {}));
    setCurrentX(0);
    setCurrentY(0);
}

void RecordingSurface::NewPage() {
    calls_.push_back(record(QStringLiteral("NewPage"), {}));
    setCurrentX(0);
    setCurrentY(0);
}

void RecordingSurface::TextOutRotated(int x, int y, const QString& text, const SurfaceFont& font,
                                      int cellHeight, int escapement) {
    Call c = record(QStringLiteral("TextOutRotated"),
                    {double(x), double(y), double(cellHeight), double(escapement)});
    c.text = text;
    c.font = font;
    calls_.push_back(c);
}

float RecordingSurface::deviceFontSize(float size) const {
    if (!options_.snapFontSizes) return size;
    const double pixels = std::max(1.0, std::round(double(size) * options_.logPixelsY / 72.0));
    return float(pixels * 72.0 / options_.logPixelsY);
}

std::vector<RecordingSurface::Call> RecordingSurface::calls(const QString& name) const {
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.name == name) out.push_back(c);
    return out;
}

} // namespace platform
