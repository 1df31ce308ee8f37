#pragma once

#include "Ausgabeseite.h"
#include "clsSPLINE.h"
#include "STATISTIK.h"
#include "Zellenfeld.h"

#include <cstdint>
#include <memory>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <set>
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
class ProgressBar;
class StoredScrollBar;
class Surface;
struct PrintTarget;
} // namespace platform

// The page of the multiple evaluation: every active record of the project on one A4-landscape sheet. The
// compaction curves of all records in one diagram (picBILD110), a table of their results with mean,
// standard deviation and coefficient of variation (picBILD120 with its scroll bar vscBILD120), and a box
// with mean and standard deviation of the maximum dry density and the optimum water content
// (picBILD130); the header and footer are drawn on the page itself. Its texts are German only.
//
// The multiple evaluation is stored as the record 0: its display options in A1 row 0, its diagram
// settings in G0 row 0 of diagram 110, its comment in M1 row 1. The page reads the records and their
// results once when it loads and draws everything; afterwards it redraws only on requests: printing
// (DRUCKEN), the page settings (KONTEXT), the diagram settings (frmKONTEXT110 calls BILD110..BILD130 by
// name) and the table's scroll bar. Every drawing reads the values it shows from the database again; the
// statistics of the summary box are those of the load.
//
//   mdiMSEITE1 page;        // the controls only
//   page.Form_Load();       // reads the active records, draws header, footer and the three pictures
//   page.DRUCKEN();         // one sheet (more when the table's rows need them), then the screen again
//
// The members are spread over files by concern: the page, its load, requests and events
// (mdiMSEITE1.cpp), the diagram (mdiMSEITE1_BILD110.cpp), the results table (mdiMSEITE1_BILD120.cpp),
// the summary box (mdiMSEITE1_BILD130.cpp) and printing (mdiMSEITE1_DRUCKEN.cpp).
class mdiMSEITE1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool HBOKF READ HBOKF WRITE setHBOKF)
    Q_PROPERTY(bool HBOKFS READ HBOKFS WRITE setHBOKFS)
public:
    explicit mdiMSEITE1(QWidget* parent = nullptr);
    ~mdiMSEITE1() override;

    // Reads the active records, their results, BONEU of the multiple evaluation and its comment, and draws
    // the header and footer and the three pictures, stepping the start screen's progress bar 0, 30, 60,
    // 90; then names in one message the records shown without results or, with the spline shown, without
    // spline results. It has no error trap: a run-time error (a record without a name) reaches the caller,
    // and the page then stays new (BONEU True). A second call does nothing.
    void Form_Load();
    bool loaded() const { return loaded_; }
    // True when the load ran to its end.
    bool geladen() const { return geladen_; }

    // --- Picture routines and page requests, reached by name (the pictures draw nothing before the load) ---
    Q_INVOKABLE void BILD110(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD120(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD130(int OBJ = 0, float XDL = 0, float YDO = 0);
    // Prints the page on the printer the print dialog chose last, then redraws the screen. False when
    // nothing was printed: the printer or PDF could not be opened or written, or a box of the job was
    // answered with Cancel (the main window then prints no further page).
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
    // A key of the page or of one of its pictures (27 Esc, 65..90 letters; Shift 1 Shift, 2 Ctrl, 4 Alt).
    bool Form_KeyDown(int KeyCode, int Shift);
    // A click on the page outside the pictures: the page-settings dialog, preset with the page's switches.
    void Form_Click();
    // The right mouse button on the diagram opens the diagram-settings dialog.
    void picBILD110_MouseDown(Qt::MouseButton Button);
    void vscBILD120_Change();

    // --- Controls ---
    platform::PictureBox* picBILD110;
    platform::PictureBox* picBILD120;
    platform::PictureBox* picBILD130;
    QScrollBar* vscBILD120;
    platform::PageSurface* pageSurface() const { return seite_; }
    long pageColor() const;
    long pictureColor() const;

    // --- State, for the dialogs and for checks ---
    // The records of the evaluation: the active ones but record 0, by ID.
    const std::vector<std::int32_t>& ids() const { return ID_; }
    const QStringList& namen() const { return KEN_; }
    const QString& kommentar() const { return KOM_; }
    bool BONEU() const { return BONEU_; }
    std::int16_t POSP() const { return POSP_; }
    // The statistics of the load: the mean grain density of the records that have one, and those of the
    // four results (none for a result that a record lacks).
    struct Seitenstatistik {
        drawing::Statistik RHS, RHPR, WPR, RHPRSP, WPRSP;
    };
    const Seitenstatistik& statistik() const { return statistik_; }
    // The cells of the results table as drawn last (the statistics block holds the figures).
    const drawing::Zellenfeld& tabellenkopf() const { return kopf_; }
    const drawing::Zellenfeld& tabelle() const { return body_; }
    const drawing::Zellenfeld& tabellenstatistik() const { return statistikblock_; }
    // The number of sheets the last print job had.
    int blaetter() const { return blaetter_; }

    // The page that the picture routines draw on with OBJ 1 in place of a print job; nullptr: a print job.
    void setDrucker(platform::Surface* page) { druckerErsatz_ = page; }
    platform::PrintTarget druckziel() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void KOPFFUSS(int OBJ);
    void neuZeichnen();
    platform::Surface& drucker();
    using Ziel = ausgabeseite::Ziel;
    Ziel ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO);
    using Zeigen = ausgabeseite::Zeigen;

    // The evaluated points of one record (water contents in %), by reading number 0..MAXI.
    struct Punkte {
        std::vector<float> W, RHD;
    };
    Punkte punkte(std::int32_t id);
    // Pieces of the diagram (mdiMSEITE1_BILD110.cpp).
    void diagrammVorgaben(platform::ErrorTrap& trap);
    void diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, platform::ErrorTrap& trap);
    void kurve(clsGRAFIK& g, std::size_t k, Punkte& p, float MX, platform::ErrorTrap& trap);
    void linienscharen(clsGRAFIK& g, platform::ErrorTrap& trap);
    void fortschritt(float schritt);
    void ohneWerteMelden();
    // The rows of the printed table on one sheet, and the sheets the table needs (mdiMSEITE1_DRUCKEN.cpp).
    struct Blatt {
        int ersteZeile = 0, letzteZeile = -1;
    };
    std::vector<Blatt> blattaufteilung() const;
    // The printed table shows only these rows of its body (the statistics still over all), and draws its
    // statistics block only on the last sheet; none: every row and the statistics.
    std::unique_ptr<platform::StoredScrollBar> druckfenster_;
    bool statistikDrucken_ = true;

    bool loaded_ = false;
    bool geladen_ = false;
    bool HBOKF_ = true;
    bool HBOKFS_ = true;
    bool tabelleZeichnen_ = false;
    int seiteNr_ = 1, seitenanzahl_ = 1;
    int blaetter_ = 0;

    std::vector<std::int32_t> ID_;
    QStringList KEN_;
    QString KOM_;
    bool BONEU_ = false;
    std::int16_t SPRACHE_ = 3;
    std::vector<float> RHS_, RHPR_, WPR_, RHPRSP_, WPRSP_;
    Seitenstatistik statistik_;

    // The display options of the multiple evaluation, read from A1 row 0 by every drawing of the diagram.
    std::int16_t SRLI_ = 0, NALI_ = 0, GITW_ = 0, GITRHD_ = 0, POSP_ = 0, DKEN_ = 0;
    float DESR_ = 0, DENA_ = 0;
    float XMIN_ = 0, XMAX_ = 0, YMIN_ = 0, YMAX_ = 0;

    drawing::Zellenfeld kopf_, body_, statistikblock_;
    // Records drawn through their points although the spline switch is on (too few readings, water contents
    // that do not rise); the load names them in its one message.
    std::set<std::int32_t> ohneKurve_;

    std::unique_ptr<clsDATEN> e1_, a1_, a2_, m1_, g0_;
    platform::ProgressBar* bar_ = nullptr;
    float fortschritt_ = 0;
    std::unique_ptr<clsKOPFFUSS> kopfFuss_;
    std::unique_ptr<clsGRAFIK> diagramm_;
    std::unique_ptr<clsTABELLE> tabelle_;
    std::unique_ptr<clsGRAFIK> summe_;
    clsSPLINE spline_;

    platform::PageSurface* seite_;
    std::unique_ptr<platform::PrinterSurface> druckauftrag_;
    platform::Surface* druckerErsatz_ = nullptr;
};
