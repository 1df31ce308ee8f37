#pragma once

#include "ACHSENTEILUNG.h"
#include "NumberList.h"
#include "SurfaceSettings.h"

#include "platform/runtime/Variant.h"
#include "platform/surface/Surface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <QString>
#include <vector>

namespace platform {
class ScrollBar;
class ErrorTrap;
} // namespace platform

// The diagram object: one rectangular diagram area on a drawing surface, in millimetres, with its axes,
// scales and stored settings (the row of table G0 with ID = EID and IDOBJEKT = EIDOBJEKT), the transform
// between data coordinates and millimetres, and the members that draw labels, data series, arrows and
// symbols into it. A page makes one per picture, sets its properties, lets SKALEN fit and draw the axes,
// draws with the other members and releases it.
//
// The members are spread over several files by concern: the model, the transform, pen and font
// (clsGRAFIK.cpp), labels (clsGRAFIK_Text.cpp), axis fitting (clsGRAFIK_Skalen.cpp), axis drawing
// (clsGRAFIK_Achsen.cpp), clipped segments and arrows (clsGRAFIK_Strecke.cpp) and data series
// (clsGRAFIK_Polygon.cpp); further members go into files of their own the same way.
class clsGRAFIK {
public:
    // The state that SKALEN fills from G0 and from its fitting, and that the transform and the drawing
    // members read.
    struct Modell {
        std::int16_t OX = 0, OY = 0;          // 1: x grows to the right, y upwards; otherwise reversed
        float RL = 0, RR = 0, RO = 0, RU = 0; // margins between the diagram area and the plot frame, mm
        float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0; // bounds (logarithms on a logarithmic axis)
        float MX = 0, MY = 0;                         // data units per millimetre
        float MYMX = 0;                               // required MY / MX; 0 leaves both free
        float XVERSATZ = 0, YVERSATZ = 0;             // horizontal and vertical scroll offsets, mm
        // Per axis: the tick, grid and label counts chosen by SKALEN.
        std::int16_t XIT = 0, XGIT = 0, XZL = 0;
        std::int16_t YIT = 0, YGIT = 0, YZL = 0;
    };

    // Takes EID from the first active record of the working copy (0 when none is active).
    clsGRAFIK();
    ~clsGRAFIK();
    clsGRAFIK(const clsGRAFIK&) = delete;
    clsGRAFIK& operator=(const clsGRAFIK&) = delete;

    // --- Properties ---
    std::int32_t EID() const { return EID_; }
    // Any record ID the ID column holds (a Long): records numbered above 32767 are drawn like any other.
    void setEID(std::int32_t value) { EID_ = value; }
    std::int16_t EIDOBJEKT() const { return EIDOBJEKT_; }
    void setEIDOBJEKT(std::int16_t value) { EIDOBJEKT_ = value; }
    platform::Surface* EOBJEKT() const { return EOBJEKT_; }
    // Binds the surface: measures its pixels per millimetre, takes its size as ELX and ELY (which resets
    // the axis lists) and sets the font to Arial 8 in black.
    void setEOBJEKT(platform::Surface* surface);
    platform::ScrollBar* EXBALKEN() const { return EXBALKEN_; }
    void setEXBALKEN(platform::ScrollBar* bar) { EXBALKEN_ = bar; }
    platform::ScrollBar* EYBALKEN() const { return EYBALKEN_; }
    void setEYBALKEN(platform::ScrollBar* bar) { EYBALKEN_ = bar; }
    float EXDL() const { return EXDL_; }
    void setEXDL(float mm) { EXDL_ = mm; }
    float EYDO() const { return EYDO_; }
    void setEYDO(float mm) { EYDO_ = mm; }
    float ELX() const { return ELX_; }
    // Also replaces the x lists by one interval over the width: (0, width), (width), (1), (0), (0).
    void setELX(float mm);
    float ELY() const { return ELY_; }
    void setELY(float mm);
    std::int16_t EAXEX() const { return EAXEX_; }
    void setEAXEX(std::int16_t value) { EAXEX_ = value; }
    std::int16_t EAXEY() const { return EAXEY_; }
    void setEAXEY(std::int16_t value) { EAXEY_ = value; }
    std::int16_t ESKTX() const { return ESKTX_; }
    void setESKTX(std::int16_t value) { ESKTX_ = value; }
    std::int16_t ESKTY() const { return ESKTY_; }
    void setESKTY(std::int16_t value) { ESKTY_ = value; }
    bool EBOXMIN() const { return EBOXMIN_; }
    void setEBOXMIN(bool value) { EBOXMIN_ = value; }
    bool EBOXMAX() const { return EBOXMAX_; }
    void setEBOXMAX(bool value) { EBOXMAX_ = value; }
    bool EBOYMIN() const { return EBOYMIN_; }
    void setEBOYMIN(bool value) { EBOYMIN_ = value; }
    bool EBOYMAX() const { return EBOYMAX_; }
    void setEBOYMAX(bool value) { EBOYMAX_ = value; }
    const drawing::NumberList& ELXMIN() const { return ELXMIN_; }
    void setELXMIN(drawing::NumberList list) { ELXMIN_ = std::move(list); }
    const drawing::NumberList& ELYMIN() const { return ELYMIN_; }
    void setELYMIN(drawing::NumberList list) { ELYMIN_ = std::move(list); }
    const drawing::NumberList& ELXDIFF() const { return ELXDIFF_; }
    void setELXDIFF(drawing::NumberList list) { ELXDIFF_ = std::move(list); }
    const drawing::NumberList& ELYDIFF() const { return ELYDIFF_; }
    void setELYDIFF(drawing::NumberList list) { ELYDIFF_ = std::move(list); }
    const drawing::NumberList& ELXIT() const { return ELXIT_; }
    void setELXIT(drawing::NumberList list) { ELXIT_ = std::move(list); }
    const drawing::NumberList& ELYIT() const { return ELYIT_; }
    void setELYIT(drawing::NumberList list) { ELYIT_ = std::move(list); }
    const drawing::NumberList& ELXGIT() const { return ELXGIT_; }
    // Also copies the list into ELXZL: numbers stand at every grid line unless ELXZL is set afterwards.
    void setELXGIT(drawing::NumberList list);
    const drawing::NumberList& ELYGIT() const { return ELYGIT_; }
    void setELYGIT(drawing::NumberList list);
    const drawing::NumberList& ELXZL() const { return ELXZL_; }
    void setELXZL(drawing::NumberList list) { ELXZL_ = std::move(list); }
    const drawing::NumberList& ELYZL() const { return ELYZL_; }
    void setELYZL(drawing::NumberList list) { ELYZL_ = std::move(list); }
    const QString& ETEXTX() const { return ETEXTX_; }
    void setETEXTX(const QString& text) { ETEXTX_ = text; }
    const QString& ETEXTY() const { return ETEXTY_; }
    void setETEXTY(const QString& text) { ETEXTY_ = text; }
    const QString& ESKZX() const { return ESKZX_; }
    void setESKZX(const QString& pattern) { ESKZX_ = pattern; }
    const QString& ESKZY() const { return ESKZY_; }
    void setESKZY(const QString& pattern) { ESKZY_ = pattern; }
    float EXYIT() const { return float(EXYIT_); }
    // Stored as the nearest whole number, halves to the even neighbour.
    void setEXYIT(float value);
    std::int16_t EPTYP() const { return EPTYP_; }
    void setEPTYP(std::int16_t value) { EPTYP_ = value; }

    // --- Pen and font ---
    // Line style, width in mm (0 = one pixel; handed back in pixels) and colour (0 = black).
    void LINIENEINSTELLUNGEN(std::int16_t LINIENART, float& LINIENBREITE, long& FARBE);
    // Font name ("" = Arial), size (0 = 8), bold, underline, italic and colour (0 = black); rebuilds the
    // markup font set.
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE, std::int16_t FETT,
                              std::int16_t UNTERSTRICHEN, std::int16_t KURSIV, long FARBE);

    // --- Axes ---
    // Fits the axes to the data and the stored settings, writes the automatic bounds back to G0 and, for
    // NR other than 1 and 2, computes the scale, places the scroll bars and draws both axes. X and Y are
    // the data of one series; nullptr counts as the single value 0.
    void SKALEN(std::int16_t NR, const std::vector<float>* X = nullptr,
                const std::vector<float>* Y = nullptr);

    // --- Labels ---
    // A label in the markup at (X, Y): KO 0 mm on the surface, 1 data coordinates (clipped to the plot
    // frame widened by 1 mm), 2 mm from the diagram area's corner; AL the angle in degrees; ARX 0 start,
    // 1 centre, 2 end at the point; ARY 0 top, 1 middle, 2 bottom. A number in E notation is rewritten in
    // the caller's variable as a power of ten.
    void TEXT(float X, float Y, QString& TEXT, std::int16_t KO = 0, std::int16_t AL = 0, std::int16_t ARX = 0,
              std::int16_t ARY = 0);
    void TEXT(float X, float Y, const QString& TEXT, std::int16_t KO = 0, std::int16_t AL = 0,
              std::int16_t ARX = 0, std::int16_t ARY = 0);

    // --- Data series ---
    // Draws a series in data coordinates in the form EPTYP, with markers, point numbers, a label at
    // LAGETEXT, arrowheads by LAGEPFEIL and, with FARBEN = -1, in the palette colour of PSTYP. BOL (for
    // EPTYP 0) draws the segment from point k only where BOL(k) is 1.
    void POLYGON(drawing::SingleArray& X, drawing::SingleArray& Y, std::int16_t PSIT, std::int16_t PSTYP,
                 std::int16_t PNR = 0, const QString& TEXT = QString(), std::int16_t LAGETEXT = 0,
                 std::int16_t LAGEPFEIL = 0, std::int16_t FARBEN = 0,
                 const std::vector<platform::Variant>* BOL = nullptr);

    // --- Arrows ---
    // The outline of an arrowhead with its tip at (PX2, PY2), pointing away from (PX1, PY1), mm.
    void PFEIL(float PX1, float PY1, float PX2, float PY2);

    // --- Transform ---
    // Data coordinates to millimetres on the surface (logarithms already taken on a logarithmic axis).
    void KOORDTRANS(float X, float Y, float& XP, float& YP);
    // Millimetres to data coordinates; SKTX (SKTY) = 1 returns 10 to the power of the x (y) value.
    void KOORDTRANSINV(float XP, float YP, float& X, float& Y, std::int16_t SKTX, std::int16_t SKTY);

    // The model state (for the members, the pages' dialogs and tests).
    Modell& modell() { return m_; }
    const Modell& modell() const { return m_; }
    const drawing::MarkupFonts& schriften() const { return fonts_; }
    drawing::PixelsPerUnit pixelsPerUnit() const { return ppu_; }

    // The decimal logarithm of x for x > 0; 0 otherwise.
    static float LOG10(float x);

private:
    // Clipped segments (clsGRAFIK_Strecke.cpp).
    // FARBE 0: the line cut to the plot frame in ForeColor; otherwise the filled rectangle of the two
    // points clamped to the frame, in that colour.
    void STRECKE(float X1, float Y1, float X2, float Y2, long FARBE);
    // Scroll bars of the picture (clsGRAFIK_Skalen.cpp).
    void placeScrollBars();
    // Axis drawing (clsGRAFIK_Achsen.cpp).
    void drawAxis(bool xAxis, const drawing::AchsenTeilung& achse, platform::ErrorTrap& trap);
    platform::Surface& surface() const;
    // Keeps the drawing of one member inside the diagram area (the picture), whatever a scale ratio does
    // to the axes.
    class AreaClip;

    std::int32_t EID_ = 0;
    std::int16_t EIDOBJEKT_ = 11;
    platform::Surface* EOBJEKT_ = nullptr;
    platform::ScrollBar* EXBALKEN_ = nullptr;
    platform::ScrollBar* EYBALKEN_ = nullptr;
    float EXDL_ = 0, EYDO_ = 0, ELX_ = 0, ELY_ = 0;
    std::int16_t EAXEX_ = 1, EAXEY_ = 1, ESKTX_ = 0, ESKTY_ = 0;
    bool EBOXMIN_ = false, EBOXMAX_ = false, EBOYMIN_ = false, EBOYMAX_ = false;
    drawing::NumberList ELXMIN_, ELYMIN_, ELXDIFF_, ELYDIFF_, ELXIT_, ELYIT_, ELXGIT_, ELYGIT_, ELXZL_,
        ELYZL_;
    QString ETEXTX_, ETEXTY_;
    QString ESKZX_ = QStringLiteral("####0"), ESKZY_ = QStringLiteral("####0");
    std::int16_t EXYIT_ = 0;
    std::int16_t EPTYP_ = 0;

    Modell m_;
    drawing::PixelsPerUnit ppu_;
    drawing::MarkupFonts fonts_;

public:
    // --- Circles and arcs (clsGRAFIK_Kreis.cpp) ---
    // A circle or an arc around (XMP, YMP) of radius RP, from angle AL1 to AL2 (radians, counterclockwise
    // in the diagram; AL2 = 0 is a full turn and becomes 2 pi in the caller's variable), kept inside the
    // plot frame: as 10-degree chords cut to the frame (BOKREISP) or through the surface's Circle on the
    // parts of the circle inside the frame. KO 0: millimetres on the surface, 1: data coordinates, 2:
    // millimetres from the diagram area's corner. End marks by LAGEPFEIL: 1 arrow at the end, 2 at the
    // start, 3 both, 4 dot at the start and arrow at the end, 5 arrow at the start and dot at the end.
    void KREIS(float XMP, float YMP, float RP, float AL1, float& AL2, std::int16_t LAGEPFEIL, bool BOKREISP,
               std::int16_t KO);

    // --- Engineering symbols (clsGRAFIK_Symbole.cpp); points in data coordinates ---
    // Ground hatching from (X1, Y1) along a ground line at BE degrees: ANS groups of six strokes of length
    // H1 (millimetres with KO = 2, else data units).
    void GELAENDESCHRAFFUR(float X1, float Y1, float H1, std::int16_t ANS, float BE, std::int16_t KO);
    // A level triangle on a level line at RIWI degrees through (PX, PY); DH is the size in y data units
    // and holds it in millimetres afterwards. GW = 1 adds groundwater bars; VOLL fills 1 or 2 one half,
    // 3 both.
    void KOTENDREIECK(float PX, float PY, float& DH, float RIWI, std::int16_t GW, std::int16_t VOLL);
    // Two stacked load areas on the line (X(0), Y(0)) - (X(1), Y(1)) as rows of IT + 1 arrows: P(0, k) and
    // P(1, k) the vertical and horizontal load of the first area at end k, P(2, k) and P(3, k) of the
    // second. The load scale is kept in the diagram's G0 row (MSP).
    void LASTFLAECHEN(const std::array<float, 2>& X, const std::array<float, 2>& Y,
                      const std::array<std::array<float, 2>, 4>& P, std::int16_t IT);
    // A member line between two points with, for SY = 1, a double arrow of SHHH millimetres through its
    // middle: across it (TYP 1) or along it beside it (TYP 2 and 3).
    void SCHNITTKRAFT(float X1, float Y1, float X2, float Y2, float SHHH, std::int16_t TYP, std::int16_t SY);
};

class clsGRAFIK::AreaClip {
public:
    explicit AreaClip(const clsGRAFIK& g) {
        if (g.EOBJEKT_)
            scope_.emplace(*g.EOBJEKT_, platform::Surface::ClipRect{g.EXDL_, g.EYDO_, g.ELX_, g.ELY_});
    }

private:
    std::optional<platform::ClipScope> scope_;
};
