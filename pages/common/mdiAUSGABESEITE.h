#pragma once

#include "Ausgabeseite.h"
#include "Bildmeldungen.h"

#include "platform/run/ErrorBox.h"

#include <array>
#include <functional>
#include <memory>
#include <QString>
#include <QWidget>
#include <vector>

class clsGRAFIK;
class clsKOPFFUSS;
class clsTABELLE;
class QScrollBar;

namespace platform {
class ErrorTrap;
class PageSurface;
class PictureBox;
class PrinterSurface;
class ScrollBar;
class Surface;
struct PrintTarget;
} // namespace platform

// What both output pages do alike: a child window of the main window laid out like an A4 landscape sheet,
// with the header and footer drawn on the sheet itself and three pictures on it (a diagram, a table with
// its scroll bar, and a block of text), each drawn by the page's own picture routine onto the screen (OBJ
// 0, into its picture box) or onto the printer page (OBJ 1, at the box's place on the sheet plus the
// offsets XDL and YDO in mm).
//
// The base answers the page protocol that the main window and the page-settings dialog reach by name
// (KONTEXT, Form_Activate, the properties HBOKF and HBOKFS), opens and ends print jobs, redraws the page,
// and takes the page's keys, clicks and close box. A page gives its pictures, the facts of its header and
// footer and the sheets it prints:
//
//   class mdiSEITE1 : public mdiAUSGABESEITE { ... BILD11, BILD12, BILD13 ... };
//   mdiSEITE1 page;       // the controls only
//   page.Form_Load();     // the page's own load, which ends by drawing the header, footer and pictures
//   page.KONTEXT(...);    // new switches and colours, then everything drawn again
class mdiAUSGABESEITE : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool HBOKF READ HBOKF WRITE setHBOKF)
    Q_PROPERTY(bool HBOKFS READ HBOKFS WRITE setHBOKFS)
public:
    // How a page is made: its form name and caption, the names and places of its three pictures (the
    // second one holds the table and its scroll bar), and what its error boxes begin with.
    struct Art {
        const char* name;
        QString caption;
        std::array<const char*, 3> bilder;
        std::array<ausgabeseite::Lage, 3> lagen;
        const char* balken;
        QString fehlerPraefix;
    };

    ~mdiAUSGABESEITE() override;

    bool loaded() const { return loaded_; }

    // Prints the page on the printer the print dialog chose last, then redraws the screen. False when
    // nothing was printed: the printer or PDF could not be opened or written, or a box of the job was
    // answered with Cancel (the main window then prints no further page).
    Q_INVOKABLE virtual bool DRUCKEN() = 0;
    // The name of the page's PDF file (without its folder), which the print dialog proposes when there is
    // no printer.
    Q_INVOKABLE virtual QString PDFNAME() const = 0;
    // New header-and-footer and page-numbering switches, page and picture colours; then redraws.
    Q_INVOKABLE void KONTEXT(bool HBOKF, bool HBOKFS, long FARBEMDI, long FARBEPIC);
    // The page became the active child window: the main window's status panel 14 is hidden.
    Q_INVOKABLE void Form_Activate();

    bool HBOKF() const { return HBOKF_; }
    void setHBOKF(bool on) { HBOKF_ = on; }
    bool HBOKFS() const { return HBOKFS_; }
    void setHBOKFS(bool on) { HBOKFS_ = on; }

    // A key of the page or of one of its pictures (KeyCode as the key's code: 27 Esc, 65..90 letters;
    // Shift 1 Shift, 2 Ctrl, 4 Alt). True when the key pressed a command.
    bool Form_KeyDown(int KeyCode, int Shift);
    // A click on the page outside the pictures: opens the page-settings dialog, preset with the page's
    // switches and colours.
    void Form_Click();

    // The page's own surface behind the pictures, where the header and footer are drawn.
    platform::PageSurface* pageSurface() const { return seite_; }
    // The colour of the page and of its pictures.
    long pageColor() const;
    long pictureColor() const;

    // The page that the picture routines draw on with OBJ 1 in place of a print job (for a preview, or a
    // recording surface in a check); nullptr: the page opens a print job on the chosen printer.
    void setDrucker(platform::Surface* page) { druckerErsatz_ = page; }
    // Where the page prints when the print dialog chose nothing: the default printer, or a PDF file in the
    // project's folder named after the page when the machine has no printer.
    platform::PrintTarget druckziel() const;

protected:
    explicit mdiAUSGABESEITE(const Art& art, QWidget* parent);

    // The picture routines of the page, by number 0..2 (diagram, table, text block).
    virtual void bild(int nummer, int OBJ, float XDL, float YDO) = 0;
    // A mouse button on the diagram: the right one opens the page's diagram-settings dialog.
    void diagrammMaustaste(Qt::MouseButton Button);
    virtual void diagrammEinstellen() = 0;
    // The table's scroll bar was moved by the user: the table is drawn again at its new rows.
    void tabelleGescrollt();
    // The name of the print job.
    virtual QString dokumentname() const = 0;

    // What the page's header and footer say, after the operator, copyright, numbering switch, name(s),
    // date and comment that every page's header and footer carry: each step of the page runs on its own
    // under the header's error trap.
    using Schritte = std::vector<std::function<void()>>;
    virtual void kennzeichnen(clsKOPFFUSS& kf) const = 0;
    virtual const QString& kommentar() const = 0;
    virtual Schritte kopfFussAngaben(clsKOPFFUSS& kf, int OBJ) = 0;

    // The start of a page's load: false when the page was loaded already; otherwise the page counts as
    // loaded from now on, with its header, footer and page numbering switched on.
    bool ladenBeginnen();
    // Sets up and draws the header and footer: OBJ 0 on the page (cleared first), 1 on the printer page.
    void KOPFFUSS(int OBJ);
    // Clears the page and draws the header and footer (when switched on) and the three pictures.
    void neuZeichnen();
    // The printer page of the running print job, opened when there is none.
    platform::Surface& drucker();
    // The surface and the offset of a picture: its picture box, or the printer page at the box's place.
    using Ziel = ausgabeseite::Ziel;
    Ziel ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO);
    // What every picture routine starts with: one box per failing routine for the whole picture (a routine
    // that fails for every sample, segment or record), the picture's error trap, and for the screen the
    // picture box cleared and shown again when the routine ends, however it ends.
    class Bildlauf {
    public:
        Bildlauf(const mdiAUSGABESEITE& seite, int nummer, const QString& titel, int OBJ);
        // False when the page has nothing to draw yet (before its load) or the user cancelled the clearing.
        bool bereit() const { return bereit_; }

    private:
        const drawing::Bildmeldungen meldungen_;

    public:
        platform::ErrorTrap trap;

    private:
        const ausgabeseite::Zeigen zeigen_;
        bool bereit_ = false;
    };
    // The drawing object of a picture: a new one, made under the picture's trap, for a drawing on the
    // screen or the printer (OBJ 0 or 1); any other OBJ draws again with the object of the last drawing.
    // Nullptr when there is none.
    template <typename T> T* zeichenobjekt(std::unique_ptr<T>& objekt, int OBJ, platform::ErrorTrap& trap);
    // Points a block of text at its target: its picture box, or the printer page at the box's place plus
    // XDL and YDO, where it keeps the box's size.
    void textblockZiel(clsGRAFIK& g, int OBJ, platform::PictureBox* box, float XDL, float YDO);
    // The diagram of the diagram picture, set up for the screen or the printer: a new drawing object (see
    // zeichenobjekt), the page's stored settings and its model, and the axes' font (Arial 8) and thin black
    // pen. Nullptr when there is none or the user cancelled.
    clsGRAFIK* diagrammBeginnen(int OBJ, float XDL, float YDO, platform::ErrorTrap& trap);
    // The stored settings of the page's diagram, and its model on the target (surface, offsets, ranges).
    virtual void diagrammVorgaben(platform::ErrorTrap& trap) = 0;
    virtual void diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, platform::ErrorTrap& trap) = 0;
    // The table of the table picture: for the screen or the printer (OBJ 0 or 1) a new one, pointed at its
    // target with the rows that `balken` chooses; any other OBJ draws the last one again. Nullptr when
    // there is none or the user cancelled.
    clsTABELLE* tabelleBeginnen(int OBJ, float XDL, float YDO, platform::ScrollBar* balken,
                                platform::ErrorTrap& trap);

    // One print job under the error trap `titel`: opens the printer page, lets `blaetter` draw the sheets
    // (it calls `weiter` after each picture, which is false when a box of the job was answered with
    // Cancel) and sends the job, then redraws the screen. A printer or PDF that can't be opened or written
    // ends the job after its one message; a cancelled or failed job is discarded, `verwerfen` undoes what
    // the page set up for it, and the answer is false.
    using Weiter = std::function<bool()>;
    bool druckauftrag(const QString& titel,
                      const std::function<bool(const Weiter& weiter, platform::ErrorTrap& trap)>& blaetter,
                      const std::function<void()>& verwerfen = {});

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The close box of the page's window closes the pages as Esc does (the main window's command 15), so
    // that its menus and status panels follow; the command unloads the page once this event is over.
    void closeEvent(QCloseEvent* event) override;

    // The three picture boxes and the table's scroll bar.
    std::array<platform::PictureBox*, 3> bilder_{};
    QScrollBar* balken_ = nullptr;

    const QString fehlerPraefix_;
    bool loaded_ = false;
    bool HBOKF_ = true;
    bool HBOKFS_ = true;
    bool tabelleZeichnen_ = false; // the table picture runs: the scroll bar's own changes don't redraw
    std::unique_ptr<clsKOPFFUSS> kopfFuss_;
    std::unique_ptr<clsGRAFIK> diagramm_; // the diagram of the last drawing of the diagram picture
    std::unique_ptr<clsTABELLE> tabelle_; // the table of the last drawing of the table picture

private:
    platform::PageSurface* seite_;
    std::unique_ptr<platform::PrinterSurface> druckauftrag_;
    platform::Surface* druckerErsatz_ = nullptr;
};

template <typename T>
T* mdiAUSGABESEITE::zeichenobjekt(std::unique_ptr<T>& objekt, int OBJ, platform::ErrorTrap& trap) {
    if (OBJ == 0 || OBJ == 1) {
        objekt.reset();
        if (!trap.step([&] { objekt = std::make_unique<T>(); })) return nullptr;
    }
    return objekt.get();
}
