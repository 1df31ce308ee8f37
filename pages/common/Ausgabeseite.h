#pragma once

#include "platform/surface/PrinterSurface.h"

#include <functional>
#include <QString>
#include <utility>

class clsTABELLE;
class QKeyEvent;
class QWidget;

namespace platform {
class PageSurface;
class PictureBox;
class ScrollBar;
class Surface;
} // namespace platform

// What every output page does alike, whatever it draws: the keys that press the main window's page
// commands, the page and picture colours of the page settings, and where a page prints when the print
// dialog chose nothing, and where a picture goes. Page 1 and the multiple-evaluation page both answer the
// page protocol with these.
namespace ausgabeseite {

// A place on the sheet, in twips of the page window (56.7 to the millimetre), as the pages lay out their
// pictures.
struct Lage {
    double leftTwips, topTwips, widthTwips, heightTwips;
    float left() const { return float(leftTwips / 56.7); }
    float top() const { return float(topTwips / 56.7); }
    float width() const { return float(widthTwips / 56.7); }
    float height() const { return float(heightTwips / 56.7); }
};

// The page's own surface "Seite", on which the header and footer are drawn; before it is maximised the page
// has the size of the A4 landscape sheet.
platform::PageSurface* blattAnlegen(QWidget* seite);

// The picture box `name` of the page at its place on the sheet (mm); it takes the focus on a click.
platform::PictureBox* bildfeld(QWidget* seite, const char* name, float left, float top, float width,
                               float height);
inline platform::PictureBox* bildfeld(QWidget* seite, const char* name, const Lage& lage) {
    return bildfeld(seite, name, lage.left(), lage.top(), lage.width(), lage.height());
}

// The key code and the shift state of a key event as the pages' key handlers take them: 27 Esc, 65..90
// the letters; Shift 1 Shift, 2 Ctrl, 4 Alt.
std::pair<int, int> tasteVon(const QKeyEvent& event);

// Esc closes the pages (panel 15), Alt+Q quits, Ctrl+S, P, C, W and A press the panels 10, 11, 12, 13
// and 14 of the main window. True when the key pressed a command; other keys do nothing.
bool Form_KeyDown(int KeyCode, int Shift);
// The same for a key event.
bool Form_KeyDown(const QKeyEvent& event);

// A click on the page opens the page-settings dialog, preset with the page's switches and colours.
void Form_Click(QWidget* seite, bool HBOKF, bool HBOKFS, long seitenfarbe, long bildfarbe);

// The page became the active child window: the main window's AutoCAD panel (14) is hidden.
void Form_Activate();

// The page's background and the background of every picture box among the page's own controls.
void farbenSetzen(QWidget* seite, platform::PageSurface* flaeche, long FARBEMDI, long FARBEPIC);

// Where a page prints: the printer or the PDF file the print dialog chose last; otherwise the default
// printer, or, on a machine without a printer, the PDF file `dateiname` (made a valid file name) in the
// project's folder.
platform::PrintTarget druckziel(const QString& dokument, const QString& dateiname);

// The surface and the offset of a picture.
struct Ziel {
    platform::Surface* surface = nullptr;
    float EXDL = 0, EYDO = 0;
};

// Where a picture draws: with OBJ 1 on the printer page (`drucker`, asked only then) at the picture box's
// place on the sheet plus the offsets XDL and YDO (mm); otherwise into its picture box, without offset.
Ziel ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO,
          const std::function<platform::Surface&()>& drucker);

// A table drawn to the target z, its rows chosen by the scroll bar `balken`.
void tabellenziel(clsTABELLE& t, const Ziel& z, platform::ScrollBar* balken);

// Shows on screen what a picture routine drew into its picture box, also when it was left half way.
class Zeigen {
public:
    explicit Zeigen(platform::PictureBox* box) : box_(box) {}
    ~Zeigen();
    Zeigen(const Zeigen&) = delete;
    Zeigen& operator=(const Zeigen&) = delete;

private:
    platform::PictureBox* box_;
};

} // namespace ausgabeseite
