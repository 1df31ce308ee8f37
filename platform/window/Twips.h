#pragma once

class QLabel;
class QWidget;

namespace platform {

// Window geometry is given in twips (1440 per inch) and millimetres (56.7 twips per mm); the screen has
// 96 logical pixels per inch, so 15 twips make a pixel.
constexpr double TwipsPerPixel = 15.0;
constexpr double TwipsPerMillimetre = 56.7;
inline int twipsToPixels(double twips) { return int(twips / TwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }
inline double pixelsToTwips(double pixels) { return pixels * TwipsPerPixel; }
// A font size in points for the screen's logical pixels.
inline double pointsToPixels(double points) { return points * 96.0 / 72.0; }

// Places a control at a design position in twips; a width and a height (twips) fix its size.
void placeTwips(QWidget* control, double left, double top, double width = 0, double height = 0);

// A label placed at its design size whose caption is wider than that (the screen font's metrics, the English
// caption) grows to the caption's width, so that no character of it is cut; its place and height stay.
// Called after the caption is set.
void fitCaption(QLabel* label);

} // namespace platform
