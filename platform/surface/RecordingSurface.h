#pragma once

#include "Surface.h"

#include <QString>
#include <vector>

namespace platform {

// A surface without a device that logs every drawing call with the settings it was drawn with. Text is
// measured by simple rules (every character equally wide), so that positions can be worked out by hand.
class RecordingSurface : public Surface {
public:
    struct Options {
        float width = 135;      // mm
        float height = 130;     // mm
        double pixelsPerMm = 4; // along x and y
        int logPixelsY = 96;    // pixels per inch reported to rotated text
        bool printer = false;
        float charWidth = 0.25f;    // mm per point of font size, for every character
        float lineHeight = 0.5f;    // mm per point of font size
        bool snapFontSizes = false; // sizes read back in whole pixels of logPixelsY, as on a screen
    };
    struct Call {
        QString name; // "Line", "Box", "FilledBox", "Circle", "PSet", "Print", "TextOutRotated", "Cls",
                      // "NewPage"
        std::vector<double>
            args; // coordinates as given (device pixels for TextOutRotated, then cell height and escapement)
        QString text;
        std::optional<long> color; // the colour argument, when one was given
        std::optional<float> start, end;
        SurfaceFont font; // the surface font (TextOutRotated: the font handed over)
        long foreColor = 0;
        long fillColor = 0;
        int fillStyle = 0;
        int drawWidth = 1;
        int drawStyle = 0;
        int drawMode = 13;
        bool fontTransparent = true;
        std::optional<ClipRect> clip;
    };

    RecordingSurface() : RecordingSurface(Options{}) {}
    explicit RecordingSurface(const Options& options) : options_(options) {}

    bool isPrinter() const override { return options_.printer; }
    float ScaleWidth() const override { return options_.width; }
    float ScaleHeight() const override { return options_.height; }
    double pixelsPerMmX() const override { return options_.pixelsPerMm; }
    double pixelsPerMmY() const override { return options_.pixelsPerMm; }
    int logPixelsY() const override { return options_.logPixelsY; }

    void Line(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void Box(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void FilledBox(float x1, float y1, float x2, float y2, std::optional<long> color = std::nullopt) override;
    void Circle(float x, float y, float radius, std::optional<long> color = std::nullopt,
                std::optional<float> start = std::nullopt, std::optional<float> end = std::nullopt) override;
    void PSet(float x, float y, std::optional<long> color = std::nullopt) override;
    void Print(const QString& text) override;
    float TextWidth(const QString& text) const override;
    float TextHeight(const QString& text) const override;
    void Cls() override;
    void NewPage() override;
    void TextOutRotated(int x, int y, const QString& text, const SurfaceFont& font, int cellHeight,
                        int escapement) override;

    const std::vector<Call>& calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<Call> calls(const QString& name) const;
    void clearCalls() { calls_.clear(); }

protected:
    float deviceFontSize(float size) const override;

private:
    Call record(const QString& name, std::vector<double> args, std::optional<long> color = std::nullopt);

    Options options_;
    std::vector<Call> calls_;
};

} // namespace platform
