#pragma once

#include "LabelText.h"
#include "SurfaceSettings.h"

#include <cstdint>
#include <QString>
#include <QStringList>

namespace platform {
class Surface;
} // namespace platform

// The header and footer of an output page on a drawing surface (the page window itself on screen, or the
// printer page). The header carries the heading, the names of the records on the page, a comment, the
// project and the page number; the footer three columns of two lines (operator, date and time, the
// program's authors and rights notice). The caller fills the texts and calls KOPFFUSSZEILE; the labels
// come in German or English by SPRACHE. Record names, comment, project, operator and licensee are the
// user's data and are drawn exactly as typed; the other texts are read in the label markup.
class clsKOPFFUSS {
public:
    // The frame object: its inner width and height, in the surface's units, bound the header on the right
    // and the footer at the bottom (on screen the main window's client area, on paper the printer page).
    struct Rahmen {
        float ScaleWidth = 0;
        float ScaleHeight = 0;
    };
    // A surface as its own frame.
    static Rahmen rahmenVon(const platform::Surface& surface);

    clsKOPFFUSS() = default;
    ~clsKOPFFUSS();
    clsKOPFFUSS(const clsKOPFFUSS&) = delete;
    clsKOPFFUSS& operator=(const clsKOPFFUSS&) = delete;

    // Binds the surface and its frame, sets all four margins to 15 mm and the font to Arial 8 in black.
    void setAUSGABEOBJEKT(const Rahmen& RAHMENOBJEKT, platform::Surface* EOBJEKT);
    platform::Surface* AUSGABEOBJEKT() const { return surface_; }

    const QString& BEARBEITER() const { return BEARBEITER_; }
    void setBEARBEITER(const QString& text) { BEARBEITER_ = text; }
    const QString& COPYRIGHT() const { return COPYRIGHT_; }
    void setCOPYRIGHT(const QString& text) { COPYRIGHT_ = text; }
    // Draw the page number in the header.
    bool EBOKFS() const { return EBOKFS_; }
    void setEBOKFS(bool on) { EBOKFS_ = on; }
    // The names of the records on the page; the previous names are dropped. An empty list stands for one
    // empty name, as on a fresh object.
    void setKENNZEICHNUNG(const QString& name);
    void setKENNZEICHNUNG(const QStringList& names);
    // Date and time as days since 30 December 1899 (the fraction is the time of day).
    double DATUM() const { return DATUM_; }
    void setDATUM(double date) { DATUM_ = date; }
    const QString& KOMMENTAR() const { return KOMMENTAR_; }
    void setKOMMENTAR(const QString& text) { KOMMENTAR_ = text; }
    const QString& UEBERSCHRIFT() const { return UEBERSCHRIFT_; }
    void setUEBERSCHRIFT(const QString& text) { UEBERSCHRIFT_ = text; }
    // Never drawn: its width places the centre column of the footer.
    const QString& LIZENZGEBER() const { return LIZENZGEBER_; }
    void setLIZENZGEBER(const QString& text) { LIZENZGEBER_ = text; }
    const QString& LIZENZNEHMER() const { return LIZENZNEHMER_; }
    void setLIZENZNEHMER(const QString& text) { LIZENZNEHMER_ = text; }
    const QString& PROGRAMMIERER() const { return PROGRAMMIERER_; }
    void setPROGRAMMIERER(const QString& text) { PROGRAMMIERER_ = text; }
    const QString& PROJEKT() const { return PROJEKT_; }
    void setPROJEKT(const QString& text) { PROJEKT_ = text; }
    // A page margin in millimetres: LAGE "oben", "unten", "links" or "rechts"; any other text, and none,
    // sets all four.
    void setRANDABSTAND(float mm, const QString& LAGE = QString());
    std::int16_t SEITE() const { return SEITE_; }
    void setSEITE(std::int16_t page) { SEITE_ = page; }
    std::int16_t SEITENANZAHL() const { return SEITENANZAHL_; }
    void setSEITENANZAHL(std::int16_t pages) { SEITENANZAHL_ = pages; }
    // Label language: 1 English, 3 German; any other value leaves the labels empty.
    std::int16_t SPRACHE() const { return SPRACHE_; }
    void setSPRACHE(std::int16_t language) { SPRACHE_ = language; }
    double UHRZEIT() const { return UHRZEIT_; }
    void setUHRZEIT(double time) { UHRZEIT_ = time; }

    // Draws the header and the footer; may be called again and draws the same layout again.
    void KOPFFUSSZEILE();

    // The margins in millimetres.
    struct Raender {
        float oben = 15, unten = 15, links = 15, rechts = 15;
    };
    const Raender& raender() const { return raender_; }

private:
    platform::Surface& surface() const;
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, std::int16_t SCHRIFTGROESSE, std::int16_t FETT,
                              std::int16_t UNTERSTRICHEN, std::int16_t KURSIV, long FARBE);
    // One text of the header or footer; false once the user cancelled in the text's box.
    bool text(const QString& label, float X, float Y, std::int16_t ARX, std::int16_t ARY,
              drawing::LabelKind kind);
    // A label in the markup followed by a value of the user's data, the pair starting at X.
    bool paar(const QString& label, const QString& value, float X, float Y, std::int16_t ARY);

    platform::Surface* surface_ = nullptr;
    Rahmen rahmen_;
    Raender raender_;
    drawing::MarkupFonts fonts_;

    QString BEARBEITER_, COPYRIGHT_, KOMMENTAR_, UEBERSCHRIFT_, LIZENZGEBER_, LIZENZNEHMER_, PROGRAMMIERER_;
    QString PROJEKT_ = QStringLiteral("TE0000.00");
    bool EBOKFS_ = true;
    QStringList names_{QString()};
    double DATUM_ = 0, UHRZEIT_ = 0;
    std::int16_t SEITE_ = 1, SEITENANZAHL_ = 1, SPRACHE_ = 3;
    // The record label, replaced by KOPFFUSSZEILE in a known language, and the record line it builds.
    QString label_ = QStringLiteral("Datensatz ");
    QString zeile_;
};
