#pragma once

#include "clsSPLINE.h"
#include "mdiAUSGABESEITE.h"

#include <cstdint>
#include <memory>
#include <QString>
#include <span>
#include <vector>

class clsDATEN;

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
class mdiSEITE1 : public mdiAUSGABESEITE {
    Q_OBJECT
public:
    // Builds the controls only: no database access and no drawing before Form_Load.
    explicit mdiSEITE1(QWidget* parent = nullptr);
    ~mdiSEITE1() override;

    // Reads the first active record and its results, fits the curves and draws the header and footer and
    // the three pictures, stepping the start screen's progress bar 0, 20, 50, 70, 95. It has no error trap:
    // a run-time error (more than 72 readings, a closed connection) reaches the caller. A second call does
    // nothing.
    void Form_Load();

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
    // Prints the page as one sheet, then redraws the screen.
    bool DRUCKEN() override;
    QString PDFNAME() const override;

    // --- Events ---
    // A mouse button on the diagram: the right one opens the diagram-settings dialog.
    void picBILD11_MouseDown(Qt::MouseButton Button);
    void vscBILD12_Change();

    // --- Controls ---
    platform::PictureBox* picBILD11;
    platform::PictureBox* picBILD12;
    platform::PictureBox* picBILD13;
    QScrollBar* vscBILD12;

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

protected:
    void bild(int nummer, int OBJ, float XDL, float YDO) override;
    void diagrammEinstellen() override;
    QString dokumentname() const override;
    void kennzeichnen(clsKOPFFUSS& kf) const override;
    const QString& kommentar() const override { return KOM_; }
    Schritte kopfFussAngaben(clsKOPFFUSS& kf, int OBJ) override;

private:
    // Pieces of the compaction diagram (mdiSEITE1_BILD11.cpp), each running its statements under the
    // routine's error trap; they return when the user cancelled there.
    void diagrammVorgaben(platform::ErrorTrap& trap) override;
    void diagrammModell(clsGRAFIK& g, int OBJ, float XDL, float YDO, platform::ErrorTrap& trap) override;
    void diagrammReihen(clsGRAFIK& g, platform::ErrorTrap& trap);
    void diagrammLegende(clsGRAFIK& g, platform::ErrorTrap& trap);
    void verdichtungslinie(clsGRAFIK& g, platform::ErrorTrap& trap);
    void saettigungsUndLuftporenlinien(clsGRAFIK& g, platform::ErrorTrap& trap);

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
    std::unique_ptr<clsGRAFIK> textblock_;
    clsSPLINE spline_;
};
