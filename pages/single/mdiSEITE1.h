#pragma once

#include "Ausgabeseite.h"
#include "clsSPLINE.h"

#include <cstdint>
#include <memory>
#include <QString>
#include <QWidget>
#include <span>
#include <vector>

class clsDATEN;
class clsGRAFIK;
class clsKOPFFUSS;
class clsTABELLE;
class QScrollBar;

namespace platform {
class ErrorTrap;
class PageSurface;
class PictureBox;
class PrinterSurface;
class Surface;
struct PrintTarget;
} // namespace platform

// Page 1 of one evaluated test record: a child window of the main window laid out like an A4 landscape
// sheet, with the compaction diagram (picBILD11), the table of readings (picBILD12 with its scroll bar
// vscBILD12) and the block of test conditions and results (picBILD13), and the page header and footer drawn
// on the page itself. The page reads the record and its results once when it loads and draws everything;
// afterwards it redraws only on requests: printing (DRUCKEN), the page settings (KONTEXT), the diagram
// settings and the table's scroll bar.
//
// The main window reaches the page by name: DRUCKEN, KONTEXT, BILD11..BILD13 and Form_Activate are
// invokable through the meta-object system, HBOKF and HBOKFS are properties. Each picture routine draws
// with OBJ 0 into its own picture box and with OBJ 1 onto the printer page, at the picture box's place on
// the sheet plus the offsets XDL and YDO (mm).
//
// The members are spread over files by concern: the page, its load, requests and events (mdiSEITE1.cpp),
// the compaction diagram (mdiSEITE1_BILD11.cpp), the table of readings (mdiSEITE1_BILD12.cpp), the text
// block (mdiSEITE1_BILD13.cpp) and printing (mdiSEITE1_DRUCKEN.cpp).
class mdiSEITE1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool HBOKF READ HBOKF WRITE setHBOKF)
    Q_PROPERTY(bool HBOKFS READ HBOKFS WRITE setHBOKFS)
public:
    // Builds the controls only: no database access and no drawing before Form_Load.
    explicit mdiSEITE1(QWidget* parent = nullptr);
    ~mdiSEITE1() override;

    // Reads the first active record and its results, fits the curves and draws the header and footer and
    // the three pictures, stepping the start screen's progress bar 0, 20, 50, 70, 95. It has no error trap:
    // a run-time error (more than 72 readings, a closed connection) reaches the caller. A second call does
    // nothing.
    void Form_Load();
    bool loaded() const { return loaded_; }

    // --- The curve fit, which the evaluation and the multiple page reach through the page ---
    bool APPCRV(std::span<const float> X, std::span<const float> Y, clsSPLINE::Curve& XSP,
                clsSPLINE::Curve& YSP);
    std::uint8_t SPLVAL(float X0, int N, std::span<const float> X, std::span<const float> A,
                        std::span<const float> B, std::span<const float> C, std::span<const float> D);
    float SPLWERT() const { return spline_.SPLWERT; }

    // --- Picture routines and page requests, reached by name (the pictures draw nothing before the load) ---
    Q_INVOKABLE void BILD11(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD12(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD13(int OBJ = 0, float XDL = 0, float YDO = 0);
    // Prints the page on the printer the print dialog chose last as one sheet, then redraws the screen.
    // False when nothing was printed: the printer or PDF could not be opened or written, or a box of the
    // job was answered with Cancel (the main window then prints no further page).
    Q_INVOKABLE bool DRUCKEN();
    // The name of the page's PDF file (without its folder), which the print dialog proposes when there is
    // no printer.
    Q_INVOKABLE QString PDFNAME() const;
    // New header-and-footer and page-numbering switches, page and picture colours; then redraws.
    Q_INVOKABLE void KONTEXT(bool HBOKF, bool HBOKFS, long FARBEMDI, long FARBEPIC);
    // The page became the active child window: the main window's status panel 14 is hidden.
    Q_INVOKABLE void Form_Activate();

    bool HBOKF() const { return HBOKF_; }
    void setHBOKF(bool on) { HBOKF_ = on; }
    bool HBOKFS() const { return HBOKFS_; }
    void setHBOKFS(bool on) { HBOKFS_ = on; }

    // --- Events ---
    // A key of the page or of one of its pictures (KeyCode as the key's code: 27 Esc, 65..90 letters;
    // Shift 1 Shift, 2 Ctrl, 4 Alt). True when the key pressed a command.
    bool Form_KeyDown(int KeyCode, int Shift);
    // A click on the page outside the pictures: opens the page-settings dialog, preset with the page's
    // switches and colours.
    void Form_Click();
    // A mouse button on the diagram: the right one opens the diagram-settings dialog.
    void picBILD11_MouseDown(Qt::MouseButton Button);
    void vscBILD12_Change();

    // --- Controls ---
    platform::PictureBox* picBILD11;
    platform::PictureBox* picBILD12;
    platform::PictureBox* picBILD13;
    QScrollBar* vscBILD12;
    // The page's own surface behind the pictures, where the header and footer are drawn.
    platform::PageSurface* pageSurface() const { return seite_; }
    // The colour of the page and of its pictures.
    long pageColor() const;
    long pictureColor() const;

    // --- State, for the dialogs and for checks ---
    // The highest reading number as the table of readings set it last (the text block uses it).
    std::int16_t readingCount() const { return n_; }
    // The highest point number of the stored results (the diagram draws these points).
    std::int16_t pointCount() const { return nPunkte_; }
    // The evaluation is new: the diagram writes its default settings and fits its axes to the points.
    bool BONEU() const { return BONEU_; }
    // The spline switch as the diagram read it last.
    std::int16_t POSP() const { return POSP_; }
    // Whether the page fitted the two curves: as the evaluation did, through three or more points whose
    // water contents rise strictly.
    bool curvesFitted() const { return kurven_; }

    // The page that the picture routines draw on with OBJ 1 in place of a print job (for a preview, or a
    // recording surface in a check); nullptr: the page opens a print job on the chosen printer.
    void setDrucker(platform::Surface* page) { druckerErsatz_ = page; }
    // Where the page prints when the print dialog chose nothing: the default printer, or a PDF file in the
    // project's folder named after the record when the machine has no printer.
    platform::PrintTarget druckziel() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box of the page's window closes the pages as Esc does (the main window's command 15), so
    // that its menus and status panels follow; the command unloads the page once this event is over.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sets up and draws the header and footer: OBJ 0 on the page (cleared first), 1 on the printer page.
    void KOPFFUSS(int OBJ);
    // Clears the page and draws the header and footer (when switched on) and the three pictures.
    void neuZeichnen();
    // The printer page of the running print job, opened when there is none.
    platform::Surface& drucker();
    // The surface and the offset of a picture: its picture box, or the printer page at the box's place.
    using Ziel = ausgabeseite::Ziel;
    Ziel ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO);
    // Lets the key handler see the keys of a child first.
    void previewKeys(QWidget* child);
    using Zeigen = ausgabeseite::Zeigen;

    // Pieces of the compaction diagram (mdiSEITE1_BILD11.cpp), each running its statements under the
    // routine's error trap; they return when the user cancelled there.
    void diagrammVorgaben(platform::ErrorTrap& trap);
    void diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, platform::ErrorTrap& trap);
    void diagrammReihen(clsGRAFIK& g, platform::ErrorTrap& trap);
    void diagrammLegende(clsGRAFIK& g, platform::ErrorTrap& trap);
    void verdichtungslinie(clsGRAFIK& g, platform::ErrorTrap& trap);
    void saettigungsUndLuftporenlinien(clsGRAFIK& g, platform::ErrorTrap& trap);

    bool loaded_ = false;
    bool HBOKF_ = true;
    bool HBOKFS_ = true;
    bool tabelleZeichnen_ = false; // BILD12 runs: the scroll bar's own changes don't redraw

    // The record, read at load.
    std::int32_t ID_ = 0;
    QString KEN_, KOM_;
    std::int16_t SPR_ = 0;
    bool BONEU_ = false;
    std::int16_t KENV_ = 0;
    bool KEND_ = false, KENP_ = false, KENW_ = false;
    float DC_ = 0, HC_ = 0, MC_ = 0, RHSU_ = 0, DMAX_ = 0, UE_ = 0, RHSUE_ = 0, DUEMAX_ = 0, DPR_ = 0,
          H2S_ = 0, MSG_ = 0, MZ_ = 0, WUE_ = 0;
    // The thirteen results of A1.
    float RHPR_ = 0, WPR_ = 0, RHPRSP_ = 0, WPRSP_ = 0, RHPRU_ = 0, WPRU_ = 0, RHPRUSP_ = 0, WPRUSP_ = 0,
          WUDPR_ = 0, WODPR_ = 0, WUDPRSP_ = 0, WODPRSP_ = 0, RHS_ = 0;
    // The diagram's display options, read from A1 on every drawing.
    std::int16_t SRLI_ = 0, NALI_ = 0, GITW_ = 0, GITRHD_ = 0, POSP_ = 0;
    float DESR_ = 0, DENA_ = 0;
    // The diagram's bounds as its scale routine stored them last.
    float XMIN_ = 0, XMAX_ = 0, YMIN_ = 0, YMAX_ = 0;

    // The highest point number of A2 (the diagram's points) and the highest reading number of E3 (set by
    // the table of readings, used by the text block).
    std::int16_t nPunkte_ = 0;
    std::int16_t n_ = 0;
    // The evaluated points (water contents in %) and the two curves of 72 points.
    std::vector<float> WU_, RHDU_, W_, RHD_;
    clsSPLINE::Curve XK_{}, YK_{}, XU_{}, YU_{};
    bool kurven_ = false; // the curves were fitted (the evaluation fitted them too)

    // The table cursors on the record, from the load until the page goes.
    std::unique_ptr<clsDATEN> e1_, e2_, e3_, a1_, a2_, g0_;
    // The drawing objects of the last drawing of each picture.
    std::unique_ptr<clsKOPFFUSS> kopfFuss_;
    std::unique_ptr<clsGRAFIK> diagramm_;
    std::unique_ptr<clsTABELLE> tabelle_;
    std::unique_ptr<clsGRAFIK> textblock_;
    clsSPLINE spline_;

    platform::PageSurface* seite_;
    std::unique_ptr<platform::PrinterSurface> druckauftrag_;
    platform::Surface* druckerErsatz_ = nullptr;
};
