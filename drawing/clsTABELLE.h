#pragma once

#include "LabelText.h"
#include "NumberList.h"
#include "SurfaceSettings.h"
#include "Zellenfeld.h"

#include "platform/runtime/Variant.h"

#include <cstdint>
#include <optional>
#include <QString>
#include <vector>

namespace platform {
class Surface;
class ScrollBar;
} // namespace platform

// A ruled table in millimetres on a drawing surface: a header block, a body block and a statistics block
// stacked below each other, each framed by a double rectangle, with vertical rules between the columns, a
// title above and a footnote below. The caller draws the blocks in that order through one object, which
// keeps the block heights between the calls. On screen the body shows the window of rows that its scroll
// bar selects; the printed table shows the same window. Drawing the body computes mean, standard
// deviation and coefficient of variation of the columns that ask for them; the statistics block writes
// them into its cells.
class clsTABELLE {
public:
    clsTABELLE() = default;
    ~clsTABELLE();
    clsTABELLE(const clsTABELLE&) = delete;
    clsTABELLE& operator=(const clsTABELLE&) = delete;

    // --- Properties ---
    platform::Surface* EOBJEKT() const { return EOBJEKT_; }
    // Binds the surface: measures its pixels per millimetre and sets the font to Arial 8 in black.
    void setEOBJEKT(platform::Surface* surface);
    platform::ScrollBar* EYBALKEN() const { return EYBALKEN_; }
    void setEYBALKEN(platform::ScrollBar* bar) { EYBALKEN_ = bar; }
    float EXDL() const { return EXDL_; }
    void setEXDL(float mm) { EXDL_ = mm; }
    float EYDO() const { return EYDO_; }
    void setEYDO(float mm) { EYDO_ = mm; }
    // Top margin: the header block begins at EYDO + ERO.
    float ERO() const { return ERO_; }
    void setERO(float mm) { ERO_ = mm; }
    // Bottom margin of the screen window: rows end above the surface's height less ERU.
    float ERU() const { return ERU_; }
    void setERU(float mm) { ERU_ = mm; }
    // Left margin: the table begins at EXDL + ERL.
    float ERL() const { return ERL_; }
    void setERL(float mm) { ERL_ = mm; }
    // Space inside every block above its first and below its last row.
    float ERZ() const { return ERZ_; }
    void setERZ(float mm) { ERZ_ = mm; }
    // Column widths. Setting them re-creates ELGIT and ELMW with an empty (0) entry per column and
    // ELGITLEER with one entry fewer, so they are set first.
    const drawing::NumberList& ELSB() const { return ELSB_; }
    void setELSB(drawing::NumberList widths);
    // Rule after column i: 0 none, 1 single line, 2 double line (the second 0.5 mm to the right).
    const drawing::NumberList& ELGIT() const { return ELGIT_; }
    void setELGIT(drawing::NumberList list) { ELGIT_ = std::move(list); }
    // Per boundary after column i: how many header rows from the top the rule leaves out; the header cells
    // of those rows span the boundary.
    const drawing::NumberList& ELGITLEER() const { return ELGITLEER_; }
    void setELGITLEER(drawing::NumberList list) { ELGITLEER_ = std::move(list); }
    // Row pitch factor: rows lie EZH x EZA apart.
    float EZA() const { return EZA_; }
    void setEZA(float factor) { EZA_ = factor; }
    // Row height; 0 or less takes the height of "X" in the surface's font at the next TABELLE call.
    float EZH() const { return EZH_; }
    void setEZH(float mm) { EZH_ = mm; }
    // Alignment per column: 0 left, 1 centred, 2 right, 3 on the decimal sign; any other value leaves the
    // body and statistics cells of the column blank.
    const drawing::NumberList& ELA() const { return ELA_; }
    void setELA(drawing::NumberList list) { ELA_ = std::move(list); }
    // Number pattern per column; "SYMBOL" makes a point-marker column in the body.
    const std::optional<std::vector<QString>>& ELFORMAT() const { return ELFORMAT_; }
    void setELFORMAT(std::optional<std::vector<QString>> patterns) { ELFORMAT_ = std::move(patterns); }
    // 1: the column's statistics are computed while the body is drawn.
    const drawing::NumberList& ELMW() const { return ELMW_; }
    void setELMW(drawing::NumberList list) { ELMW_ = std::move(list); }
    // First and last body row shown; written by every body call.
    std::int16_t EEZ() const { return EEZ_; }
    void setEEZ(std::int16_t row) { EEZ_ = row; }
    std::int16_t ELZ() const { return ELZ_; }
    void setELZ(std::int16_t row) { ELZ_ = row; }
    // Height of the header block plus the body block.
    float HOEHE() const { return HK_ + HB_; }

    // --- Pen and font ---
    void LINIENEINSTELLUNGEN(std::int16_t LINIENART, float& LINIENBREITE, long& FARBE);
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE, std::int16_t FETT,
                              std::int16_t UNTERSTRICHEN, std::int16_t KURSIV, long FARBE);

    // --- Drawing ---
    // Draws one block from the cells X(column, row): POSITION 1 the body, 2 the statistics (written into
    // rows 0, 1 and 2 of the marked columns of X), anything else the header. Without column widths it
    // shows its message and draws nothing. Errors reach the caller.
    void TABELLE(drawing::Zellenfeld& X, std::int16_t POSITION);
    // The title above the table and the footnote below the lowest block drawn so far (label markup).
    void TITEL(const QString& TXT);
    void FUSSNOTE(const QString& TXT);

    // The column statistics of the last body: per column a Single, the text "-" for a column whose
    // values are incomplete or whose figure does not exist, Empty for the other columns.
    const std::vector<platform::Variant>& MW() const { return MW_; }
    const std::vector<platform::Variant>& SD() const { return SD_; }
    const std::vector<platform::Variant>& VK() const { return VK_; }
    const drawing::MarkupFonts& schriften() const { return fonts_; }

private:
    platform::Surface& surface() const;
    // Sets up the columns of a call; false (after the message) when there are no column widths.
    bool spalten(const drawing::Zellenfeld& X);
    float zeilenhoehe(int rows) const;
    float spaltenLinks(int column) const;
    void rahmen(float top, float height) const;
    void linien(float top, float height, const drawing::Zellenfeld& X, bool header) const;
    void kopf(drawing::Zellenfeld& X);
    void koerper(drawing::Zellenfeld& X);
    void fenster(int NZ);
    void statistik(const drawing::Zellenfeld& X);
    void statistikblock(drawing::Zellenfeld& X);
    // A body or statistics cell on its row line Y, formatted with its column's pattern and aligned.
    void zelle(const drawing::Zellenfeld& X, int column, int row, float Y);
    void PUNKTSYMBOL(float x, float y, int N);
    void text(const QString& label, float X, float Y, std::int16_t ARX, std::int16_t ARY,
              drawing::LabelKind kind = drawing::LabelKind::Markup);

    platform::Surface* EOBJEKT_ = nullptr;
    platform::ScrollBar* EYBALKEN_ = nullptr;
    float EXDL_ = 0, EYDO_ = 0;
    float ERO_ = 2.5f, ERU_ = 2.5f, ERL_ = 2.5f, ERZ_ = 1.5f;
    drawing::NumberList ELSB_, ELGIT_, ELGITLEER_, ELA_, ELMW_;
    std::optional<std::vector<QString>> ELFORMAT_;
    float EZA_ = 1, EZH_ = 0;
    std::int16_t EEZ_ = 0, ELZ_ = 0;

    // Kept between calls: the table width, the column count of the last call, the block heights and the
    // column statistics of the last body.
    float W_ = 0;
    int NS_ = 0;
    float HK_ = 0, HB_ = 0, HST_ = 0;
    std::vector<platform::Variant> MW_, SD_, VK_;
    drawing::PixelsPerUnit ppu_;
    drawing::MarkupFonts fonts_;
};
