#pragma once

#include "clsSPLINE.h"
#include "mdiAUSGABESEITE.h"
#include "STATISTIK.h"
#include "Zellenfeld.h"

#include <cstdint>
#include <memory>
#include <QString>
#include <QStringList>
#include <set>
#include <vector>

class clsDATEN;

namespace platform {
class ProgressBar;
class StoredScrollBar;
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
class mdiMSEITE1 : public mdiAUSGABESEITE {
    Q_OBJECT
public:
    explicit mdiMSEITE1(QWidget* parent = nullptr);
    ~mdiMSEITE1() override;

    // Reads the active records, their results, BONEU of the multiple evaluation and its comment, and draws
    // the header and footer and the three pictures, stepping the start screen's progress bar 0, 30, 60,
    // 90; then names in one message the records shown without results or, with the spline shown, without
    // spline results. It has no error trap: a run-time error (a record without a name) reaches the caller,
    // and the page then stays new (BONEU True). A second call does nothing.
    void Form_Load();
    // True when the load ran to its end.
    bool geladen() const { return geladen_; }

    // --- Picture routines and page requests, reached by name (the pictures draw nothing before the load) ---
    Q_INVOKABLE void BILD110(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD120(int OBJ = 0, float XDL = 0, float YDO = 0);
    Q_INVOKABLE void BILD130(int OBJ = 0, float XDL = 0, float YDO = 0);
    // Prints the page (more sheets when the table's rows need them), then redraws the screen.
    bool DRUCKEN() override;
    QString PDFNAME() const override;

    // --- Events ---
    // The right mouse button on the diagram opens the diagram-settings dialog.
    void picBILD110_MouseDown(Qt::MouseButton Button);
    void vscBILD120_Change();

    // --- Controls ---
    platform::PictureBox* picBILD110;
    platform::PictureBox* picBILD120;
    platform::PictureBox* picBILD130;
    QScrollBar* vscBILD120;

    // --- State, for the dialogs and for checks ---
    // The records of the evaluation: the active ones but record 0, by ID.
    const std::vector<std::int32_t>& ids() const { return ID_; }
    const QStringList& namen() const { return KEN_; }
    const QString& kommentar() const override { return KOM_; }
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

protected:
    void bild(int nummer, int OBJ, float XDL, float YDO) override;
    void diagrammEinstellen() override;
    QString dokumentname() const override;
    void kennzeichnen(clsKOPFFUSS& kf) const override;
    Schritte kopfFussAngaben(clsKOPFFUSS& kf, int OBJ) override;

private:
    // The evaluated points of one record (water contents in %), by reading number 0..MAXI; none for a
    // record without evaluated points (never evaluated), which the diagram leaves out.
    struct Punkte {
        std::vector<float> W, RHD;
    };
    Punkte punkte(std::int32_t id);
    // Pieces of the diagram (mdiMSEITE1_BILD110.cpp).
    void diagrammVorgaben(platform::ErrorTrap& trap) override;
    void diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, platform::ErrorTrap& trap) override;
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

    bool geladen_ = false;
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
    std::unique_ptr<clsGRAFIK> summe_;
    clsSPLINE spline_;
};
