#pragma once

#include "platform/runtime/Variant.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace platform {
class ComboBox;
class ErrorTrap;
class FlexGrid;
class PictureBox;
class TextBox;
} // namespace platform

// The grid editor: turns one grid into an editable table of readings.
//
// One object serves one grid. The window owns the grid, the text box and combo box that serve as in-place
// editors and the picture box that shows the rendered header captions over the grid's title row; the
// editor binds them and never creates or destroys them. The column model is one list per column property,
// entry 0 belonging to the leftmost column. A form configures a grid in this order:
//
//   clsFLX flx;
//   flx.setEFLX(&grid);                       // resets the whole model: 15 mm columns, captions I1, I2 ...
//   flx.setETXT(&txt);                        // the in-place editor of types 0 to 6
//   flx.setEPIC(&pic);                        // the header picture, half a millimetre inside the grid
//   flx.setELSB({10, 17, 17});                // widths in mm; resets every other list to the new columns
//   flx.setELST1({"Lfd.", "m{t,3}1,w", "m{t,3}1,f"});
//   flx.setELSTYP({1, 0, 0});                 // one running-number column, which becomes fixed
//   flx.setELFORMAT({platform::Variant(), "#0.00", "#0.00"});
//   flx.setELMIN({0, 0, 0});  flx.setELMAX({100000, 100000, 100000});
//   flx.SCHRIFTEINSTELLUNGEN("", 10);  flx.BESCHRIFTEN();  flx.AKTUALISIEREN();
//   flx.setEFLXK(&other);                     // rows of this grid follow in `other`
//
// and forwards the grid's and the editors' events:
//
//   grid DblClick            -> BEARBEITEN(0)
//   grid KeyPress(KeyAscii)  -> BEARBEITEN(KeyAscii)      (Enter in the last cell appends a row)
//   grid Click               -> EINFUEGEN(0)
//   grid MouseDown(.., X, ..)-> BEARBEITEN(-2, X)          (arms the fill in a cell's right 15 %)
//   grid MouseUp             -> EINFUEGEN(-2)              (fills the dragged block)
//   grid Scroll              -> BLAETTERN()                (closes the editor, redraws the captions)
//   grid MouseMove(.., X, Y) -> TOOLTIP(X, Y)
//   header mouseMoved(x, y)  -> TOOLTIP(x * 56.7, y * 56.7)   (the picture reports millimetres)
//   text box or combo box Enter (returnPressed) -> EINFUEGEN(13)
//   (Tab, Shift+Tab and Esc in the editors the grid editor takes itself: EINFUEGEN(9) and the grid's own
//   Tab, EINFUEGEN(27))
//   Copy button, Ctrl+C      -> BEARBEITEN(-1);   Paste button, Ctrl+V -> EINFUEGEN(-1)
//   row buttons              -> ZEILEEINFUEGEN(), ZEILEENTFERNEN()
//   before saving the record -> EINFUEGEN(0) on every grid; False keeps the form open
//
// A value typed into an editor is never lost: the editor is closed through the value check before the
// grid scrolls, before a row is inserted or removed and whenever EINFUEGEN(0) is called; a value that the
// check rejects keeps the editor open over its cell, says why, and stops the action.
//
// Errors of the members are shown in one box titled "MSFlexGrid / " and the member's tag; OK goes on with
// the next step, Cancel leaves the member. The check messages are German in either language.
class clsFLX {
public:
    // A list of the column model: one entry per column. An Empty entry (or Null, or an empty text) of
    // ELFORMAT, ELMIN or ELMAX is the marker of a format or a limit not given.
    using Liste = std::vector<platform::Variant>;
    // The start values and maxima of the running numbers: unset, one number or a list.
    using Indexwert = std::variant<std::monostate, platform::Variant, Liste>;
    // A two-dimensional list, addressed [row][column] as EMATRIX addresses it.
    using Matrix = std::vector<std::vector<platform::Variant>>;

    clsFLX();
    ~clsFLX();
    clsFLX(const clsFLX&) = delete;
    clsFLX& operator=(const clsFLX&) = delete;

    // --- Bindings ---
    platform::FlexGrid* EFLX() const;
    // Binds the grid and resets the column model (one data row, 15 mm columns, captions I1.., type 0 ...).
    void setEFLX(platform::FlexGrid* grid);
    // The coupled grid editor; without one, a new unbound editor is made, kept and returned.
    clsFLX* EFLXK();
    void setEFLXK(clsFLX* coupled);
    platform::TextBox* ETXT() const;
    void setETXT(platform::TextBox* box);
    platform::ComboBox* ECBO() const;
    void setECBO(platform::ComboBox* box);
    platform::PictureBox* EPIC() const;
    // Binds the header picture, places it half a millimetre inside the grid's top-left corner and lets it
    // report the pointer's moves (for TOOLTIP).
    void setEPIC(platform::PictureBox* picture);

    // --- Column model ---
    const Liste& ELSB() const;
    // Widths in millimetres; sets the column count and resets ELST1, ELSTTT, ELSTYP, ELFORMAT, ELA, ELMIN,
    // ELMAX and ELCBO to one entry per column.
    void setELSB(const Liste& widths);
    const Liste& ELST1() const;
    // Caption line 1, also written into row 0 of the grid.
    void setELST1(const Liste& captions);
    // Caption line 2; unset gives a one-line header.
    const std::optional<Liste>& ELST2() const;
    void setELST2(const std::optional<Liste>& captions);
    const Liste& ELSTTT() const;
    void setELSTTT(const Liste& tips);
    const Liste& ELSTYP() const;
    // Types 0 value, 1-3 running-number levels, 4 date, 5 time, 6 elapsed time, 7 choice, 8 a value the
    // form works out; sets the fixed columns and renumbers. Columns 6 and 8 are computed: no editor opens
    // on them.
    void setELSTYP(const Liste& types);
    // The choice list of column INDEX (type 7).
    QStringList ELCBO(std::int16_t INDEX) const;
    void setELCBO(std::int16_t INDEX, const QStringList& choices);
    const Liste& ELFORMAT() const;
    void setELFORMAT(const Liste& formats);
    const Liste& ELA() const;
    // Alignments 0 left, 1 centred, 2 right; header cells always centred.
    void setELA(const Liste& alignments);
    const Liste& ELMIN() const;
    void setELMIN(const Liste& minima);
    const Liste& ELMAX() const;
    void setELMAX(const Liste& maxima);
    const Indexwert& ELINDEXMIN() const;
    // Start values of levels 1, 2, 3; renumbers.
    void setELINDEXMIN(const Indexwert& starts);
    const Indexwert& ELINDEXMAX() const;
    // Maxima of levels 2 and 3; sets the row count to one cycle of the inner levels and renumbers.
    void setELINDEXMAX(const Indexwert& maxima);
    const Liste& ELSELEK() const;
    void setELSELEK(const Liste& fields);
    // The text of the cell at row SPALTENR, column ZEILENR.
    QString EMATRIX(std::int16_t SPALTENR, std::int16_t ZEILENR);
    // Writes M[SPALTENR][ZEILENR] into the cell at row SPALTENR, column ZEILENR.
    void setEMATRIX(std::int16_t SPALTENR, std::int16_t ZEILENR, const Matrix& M);
    // Enter in the last cell appends a row.
    bool EBOH() const;
    void setEBOH(bool append);
    // Reference row of the elapsed time: -1 the row above, 0 the first row, k > 0 the group in column k.
    std::int16_t EDET() const;
    void setEDET(std::int16_t reference);
    // Unit of the elapsed time: "hh" hours, "mm" minutes, any other text seconds.
    const QString& EDETE() const;
    void setEDETE(const QString& unit);
    // Column and row of the cell whose editing began last.
    std::int16_t ESNR() const;
    std::int16_t EZNR() const;

    // --- Refresh ---
    // Running numbers of the index columns. Raises its faults (a number beyond 32767) to the caller.
    void NUMMERIEREN();
    // Grid font and colour, the editors' fonts, the title row height and the caption font set.
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART = {}, std::int16_t SCHRIFTGROESSE = 0,
                              std::int16_t FETT = 0, std::int16_t UNTERSTRICHEN = 0, std::int16_t KURSIV = 0,
                              long FARBE = 0);
    // Renumbers, formats every data cell and computes the elapsed time.
    void AKTUALISIEREN();
    // Draws the header captions of the visible columns on the header picture. Raises its faults (a caption
    // list shorter than the columns) to the caller.
    void BESCHRIFTEN();

    // --- Editing ---
    // 0 opens the editor on the current cell, a character code above 32 opens it with that character,
    // 13 appends a row on Enter in the last cell, -1 copies the selected block, -2 arms the fill at X
    // (twips in the grid).
    void BEARBEITEN(std::int16_t BOB, float X = 0);
    // 0, 13 (Enter) and 9 (Tab) close the editor through the value check, 27 (Esc) closes it and leaves
    // the cell as it was, -1 pastes, -2 fills the dragged block. Enter that closes the editor of the last
    // cell (LETZTEZELLE) also appends the next row, as Enter on that cell does. A paste checks every value
    // as a typed one and pastes nothing when one is refused, naming that cell; each pasted value gets its
    // column's format as a typed one does. At one selected cell it writes the whole block from there; a
    // grid that appends rows on Enter gets the rows it needs (and the coupled grid as many), another keeps
    // its rows; one message names what fell beyond the last column or row. Into a selected range it writes
    // what falls into the range. A disabled grid, and its coupled one, is enabled first, so that the pasted
    // readings are saved.
    // False while an editor stays open (its value was rejected): the caller's action stops.
    bool EINFUEGEN(std::int16_t BOE);
    // True when ZEILE, SPALTE is where a row of typed readings ends: the last row, in its last column or in
    // the last one before the computed columns that end it. Enter and Tab there append a row when EBOH is on.
    bool LETZTEZELLE(int ZEILE, int SPALTE) const;
    // True when column SPALTE takes typed values; a computed column (elapsed time, a value the form works
    // out) opens no editor, and Tab and Shift+Tab pass over it.
    bool TIPPBAR(int SPALTE) const;
    // The grid scrolled: closes the editor (a rejected value scrolls the grid back under its editor) and
    // redraws the captions.
    void BLAETTERN();

    // --- Rows ---
    // Inserts an empty row at the current row (re-enables a disabled grid instead); the coupled grid
    // follows at the same row number. False when an open editor's value was rejected.
    bool ZEILEEINFUEGEN();
    // Removes the current row (empties and disables the grid at its last row); the coupled grid loses the
    // same row number. False when an open editor's value was rejected.
    bool ZEILEENTFERNEN();

    // --- Import and row filter ---
    // Reads the text file DATEI of a measuring electronics with the import configuration named AKVK (the
    // presets database's TAMBRIN_VE1 and TAMBRIN_VE2) into the grid, one cycle per row, after the last row
    // that holds a reading. Values are taken to the columns whose ELSELEK key is their SPALTE, finished
    // (prefix and suffix cut, date and time rebuilt, a leading zero added, the decimal sign made the
    // run's, the factor applied) and the grid refreshed. True when the file was read to its end; False
    // after one message (or the user's Cancel in one), with the grid as it was.
    bool IMPORTIEREN(const QString& AKVK, const QString& DATEI);
    // Thins out a run of rows: asks for the first and the last row (numbered from 0 for the first data
    // row) and the number of rows wanted, keeps the rows whose number is a multiple of the step that gives
    // about that number, removes the others (in the coupled grid too) and refreshes.
    void ZEILENFILTER();

    // --- Header ---
    // The tooltip of the column under the pointer, X in twips.
    void TOOLTIP(float X, float Y);

private:
    struct Blockziel;

    // The steps of EINFUEGEN: Esc; the close of the editor through the value check (False while it stays
    // open); the text a value gets in the cells of column SPALTE; a row appended after the last one, here
    // and in the coupled grid; the paste of the clipboard's block and the fill of the dragged block.
    bool editorOffen() const;
    void EDITORVERWERFEN(platform::ErrorTrap& trap);
    bool EDITORSCHLIESSEN(platform::ErrorTrap& trap);
    QString ZELLTEXT(int SPALTE, const QString& WERT) const;
    void ZEILEANHAENGEN(platform::ErrorTrap& trap);
    void BLOCKEINFUEGEN();
    Blockziel BLOCKZIEL(int zeilen, int breite) const;
    void BLOCKRAUMSCHAFFEN(const Blockziel& ziel);
    void NICHTEINGEFUEGTMELDEN(const Blockziel& ziel, int zeilen, int breite) const;
    void FUELLEN();
    // The check of a value for column SPALTE, as the editor's check makes it: by the column's type and
    // limits, with the message of a refused value. ABLAGEZEILE > 0: the value is from that row of a pasted
    // block, which the message names.
    bool SPALTENWERTPRUEFEN(int SPALTE, const QString& TEXT, int ABLAGEZEILE = 0);
    bool WERTPRUEFEN(QString& TEXT, float MINIMUM, float MAXIMUM, std::int16_t GANZZAHL, std::int16_t DATUM,
                     const QString& TITEL, const QString& ZUSATZ = {});
    void TEXT(float X, float Y, const platform::Variant& TEXT, std::int16_t AUSRICHTUNGX,
              std::int16_t AUSRICHTUNGY);
    float ZEITDIFFERENZ(const QString& DATUM1, const QString& ZEIT1, const QString& DATUM2,
                        const QString& ZEIT2);

    struct Zustand;
    std::unique_ptr<Zustand> z_;
};
