#pragma once

#include "platform/ui/TextBox.h"

#include <array>
#include <cstdint>
#include <memory>
#include <QEvent>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <utility>
#include <vector>

class clsDATEN;
class clsFLX;
class QGroupBox;
class QFocusEvent;
class QKeyEvent;
class QMenu;
class QPushButton;
class QTabWidget;

namespace platform {
class ComboBox;
class FlexGrid;
class Label;
class OptionButton;
class PictureBox;
} // namespace platform

// The input form of one compaction test record: a child window of the main window with the record's name
// and comment above two tabs, the test conditions (table E2) on the first and the readings (table E3) in
// three grids on the second. Each grid is driven by a grid editor clsFLX; the grid of the depth-gauge
// readings h' follows the rows of both mass grids, of which the water-content method chooses one.
//
//   auto* form = new mdiEINGABE(mdiArea);   // an empty form for a new record (defaults filled in)
//   form->OEFFNEN(7);                        // or: record 7 into the form
//   if (form->EINGABEPRUEFEN() && form->OK(7)) form->close();
//
// Nothing reaches the database before OK. OK writes E1 (with AKT True), E2 and E3 of the record in one
// savepoint of the working copy: it happens whole or not at all, so the main window can wrap "delete the
// old record, then OK" in a transaction of its own. The main window reaches the form by its interface
// below and by txtKEN; the form reaches the main window through the run state (save: status panel 8 on
// Ctrl+S; Quit on Alt+Q).
//
// Numbers typed into the boxes and grids stay texts, written with the run's decimal sign; the checks when
// a box is left and EINGABEPRUEFEN before a save refuse what the database could not store.
//
// The members are spread over files by concern: the controls and the load (mdiEINGABE.cpp), the tab
// routines (mdiEINGABE_REITER.cpp), saving and opening (mdiEINGABE_OK.cpp), the checks (mdiEINGABE_
// PRUEFEN.cpp) and the keys and grid events (mdiEINGABE_EREIGNISSE.cpp).
class mdiEINGABE : public QWidget {
    Q_OBJECT
public:
    // Builds the empty form for a new record (the load).
    explicit mdiEINGABE(QWidget* parent = nullptr);
    ~mdiEINGABE() override;

    // Loads record AKTID into the shown form.
    Q_INVOKABLE void OEFFNEN(qint32 AKTID);
    // Writes the form under AKTID into E1 (AKT True), E2 and E3, all inside one savepoint of the working
    // copy: a failure leaves nothing of it written and returns false. An open grid editor is closed through
    // its check first.
    Q_INVOKABLE bool OK(qint32 AKTID);
    // Before any save: closes an open grid editor through its value check and checks every value that
    // would fail to store. False after its one message; nothing is written.
    Q_INVOKABLE bool EINGABEPRUEFEN();

    // True when the form holds what it did not hold after its load, OEFFNEN or the last successful OK:
    // text typed into a box or a grid cell (a value still open in a grid's editor included), an option or a
    // list entry chosen, rows inserted or removed. What the form fills in itself (the defaults, the h'
    // zeros, the added-water sums, empty rows at a grid's end) is no change.
    bool geaendert() const;

    // --- Tab routines ---
    // Tab 0: defaults into the boxes without a number; tab 1: completes the added-water grid and fills
    // the h' grid's empty cells.
    void REITERAKTUALISIEREN(int Tab);
    // Tab 0: the layout of the chosen water-content method; tab 1: the h' grid's rows follow the active
    // mass grid.
    void REITERFORMATIEREN(int Tab);

    // --- Events (public so that the checks can be driven as the user drives them) ---
    void SSTab_Click();
    void optKENW_Click(int Index);
    // Checks of a box that is left: true when the value is refused (the focus stays).
    bool txtKEN_Validate();
    bool txtZAHL_Validate(platform::TextBox& box);
    bool cboDPR_Validate();
    // A key of the form (KeyCode: Qt's code for letters, 110 the keypad's decimal key; Shift 1 Shift,
    // 2 Ctrl, 4 Alt). True when the key was taken by a command.
    bool Form_KeyDown(int KeyCode, int Shift);
    void msgFLX_DblClick(int Index);
    void msgFLX_KeyPress(int Index, int KeyAscii);
    void msgFLX_Click(int Index);
    void msgFLX_MouseDown(int Index, float X);
    void msgFLX_MouseUp(int Index);
    void msgFLX_Scroll(int Index);
    void msgFLX_MouseMove(int Index, float X, float Y);
    void picFLX_MouseMove(int Index, float X, float Y);
    void txtFLX_KeyPress(int Index, int KeyAscii);
    void cboFLX_KeyPress(int Index, int KeyAscii);
    void cmdH_Click(int Index);
    void cmdW_Click(int Index);
    void cmdK_Click(int Index);
    void cmdE_Click(int Index);

    // --- Controls ---
    // Header.
    QGroupBox* fraKEN = nullptr;
    platform::Label* lblKEN = nullptr;
    platform::TextBox* txtKEN = nullptr; // the record's name: the main window reads its Text
    platform::Label* lblKOM = nullptr;
    platform::TextBox* txtKOM = nullptr;
    QTabWidget* SSTab = nullptr;
    std::array<QWidget*, 2> fraREITER{};

    // Tab 0: general data.
    std::array<QGroupBox*, 7> fraREITER0{};
    platform::Label* lblKENV = nullptr;
    platform::ComboBox* cboKENV = nullptr;
    std::array<platform::OptionButton*, 2> optKEND{};
    std::array<platform::OptionButton*, 2> optKENP{};
    std::array<platform::OptionButton*, 2> optKENW{};
    platform::TextBox* txtDC = nullptr;
    platform::TextBox* txtHC = nullptr;
    platform::TextBox* txtMC = nullptr;
    platform::TextBox* txtH2S = nullptr;
    platform::TextBox* txtRHSU = nullptr;
    platform::TextBox* txtDMAX = nullptr;
    platform::TextBox* txtMSG = nullptr;
    platform::TextBox* txtMZ = nullptr;
    platform::TextBox* txtUE = nullptr;
    platform::TextBox* txtRHSUE = nullptr;
    platform::TextBox* txtWUE = nullptr;
    platform::TextBox* txtDUEMAX = nullptr;
    platform::ComboBox* cboDPR = nullptr;
    platform::Label* lblSPR = nullptr;
    platform::ComboBox* cboSPR = nullptr;
    // The symbol (index 0) and the unit (index 1) beside each number box; lbldDPR is the degree's unit.
    std::array<platform::Label*, 2> lblDC{}, lblHC{}, lblMC{}, lblH2S{}, lblRHS{}, lblDMAX{}, lblMSG{},
        lblMZ{}, lblUE{}, lblRHSUE{}, lblWUE{}, lblDUEMAX{};
    platform::Label* lblDPR = nullptr;
    platform::Label* lbldDPR = nullptr;

    // Tab 1: readings.
    // The frames of the drying grid (fraWGHTP(1)), the added-water grid (fraWGHGP(1)) and the h' grid
    // (fraWGHGP(2)), with the titles of the mass grids.
    QGroupBox* fraWGHTP1 = nullptr;
    QGroupBox* fraWGHGP1 = nullptr;
    QGroupBox* fraWGHGP2 = nullptr;
    platform::Label* lblWGHTP = nullptr;
    platform::Label* Label1 = nullptr;
    platform::Label* lblWGHGP = nullptr;
    platform::Label* Label2 = nullptr;
    std::array<platform::FlexGrid*, 3> msgFLX{};
    std::array<platform::PictureBox*, 3> picFLX{};
    std::array<platform::TextBox*, 3> txtFLX{};
    std::array<platform::ComboBox*, 3> cboFLX{};
    std::array<QPushButton*, 2> cmdH{}, cmdW{}, cmdK{}, cmdE{};

    // The grid editor of grid i.
    clsFLX& flx(int i) const { return *FLX_[std::size_t(i)]; }
    // The twelve number boxes with the columns they are stored in.
    struct Zahlenfeld {
        platform::TextBox* box;
        const char* column;
    };
    const std::vector<Zahlenfeld>& zahlenfelder() const { return zahlenfelder_; }

    // --- Import of measuring-electronics files and the row filter, from a mass grid's context menu ---
    // The context menu of mass grid Index: "Importieren" with one entry per configuration of the presets
    // database, and "Zeilenfilter". The caller owns the menu.
    QMenu* importMenue(int Index);
    // Asks for a file and reads it with configuration AKVK into mass grid Index; the h' grid follows.
    bool IMPORTIEREN(int Index, const QString& AKVK);
    // Thins out the readings of mass grid Index and of the h' grid beside them.
    void ZEILENFILTER(int Index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The import keys of the grids' columns and the mass grids' context menus.
    void importEinrichten();
    // The folder the last file was imported from.
    QString importOrdner_;

    // The load, in its steps.
    void buildHeader();
    void buildTab0();
    void buildTab1();
    void setEnglishCaptions();
    void configureGrids();
    void connectEvents();
    // One number box with its symbol (letter and subscript) and unit labels at a design position (twips
    // inside its container).
    platform::TextBox* zahlenfeld(QWidget* container, std::array<platform::Label*, 2>& labels,
                                  const QString& name, const std::pair<QString, QString>& symbol,
                                  const QString& unit, const QString& tooltip, double left, double top);
    void Form_Resize();

    // The check of one typed value (trimmed in place): empty, or a number (a date with DATUM) between
    // MINIMUM and MAXIMUM, whole with GANZZAHL. False after its message titled TITEL.
    bool EINGABEPRUEFEN(QString& TEXT, float MINIMUM, float MAXIMUM, bool GANZZAHL, bool DATUM,
                        const QString& TITEL);
    // Closes an open editor of every grid through its check; false when a value was refused.
    bool editorenSchliessen();
    // The grid whose editor (text box or combo box) is this widget, or -1.
    int editorGrid(const QObject* widget) const;
    int gridIndex(const QObject* widget) const;
    // The mass grid of the chosen method: 0 drying, 1 added water.
    int aktivesMassengrid() const;
    // The run's decimal sign.
    QString dezimal() const;
    // Completes each row of the added-water grid: column 3 from columns 1 and 2, else column 1 from columns
    // 3 and 2 (the active grid or not).
    void WASSERZUGABEERGAENZEN();
    // The readings of mass grid i: its data rows up to the last one that holds a value, in the grid or in
    // the h' grid beside it. Empty rows at the end (Enter after the last reading appends one) are no
    // readings: they are neither checked, counted nor saved.
    int messungen(int i) const;
    // Grid row `zeile` of mass grid i holds no value: its cells are empty and its h' is empty or 0.
    bool zeileLeer(int i, int zeile) const;
    // The h' grid gets the given number of data rows; the h' values of readings that only the other mass
    // grid has are kept aside and come back when that grid is active again.
    void hGridZeilen(int dataRows);
    // The h' values kept aside follow the rows inserted into and removed from the h' grid, so that each
    // stays with its reading and a removed reading's value goes with it.
    void hBeiseiteVerfolgen();

    // What the form holds, as geaendert() compares it, and the state it is compared with.
    QStringList zustand() const;
    QStringList stand_;

    // A checked box that is left: a refused value keeps the focus in it.
    void pruefenBeimVerlassen(QObject* watched, const QFocusEvent& event);
    // The press, double click or release of the click whose focus change a check refused: true when it is
    // dropped before it reaches its control.
    bool klickVerworfen(QObject* watched, QEvent::Type typ);
    // Puts the focus into a box that holds a refused value, without checking the box the focus leaves.
    void fokusOhnePruefung(QWidget& ziel);
    // The box with a check of its own that this widget is (name, number boxes, degree), or null.
    QWidget* geprueft(const QObject* widget) const;
    // The check of such a box, with its message: true when the value is refused.
    bool feldPruefen(QWidget& box);
    // A tab switch leaves the box that had the focus: true when its value is refused, and then the tab of
    // the box is shown again with the focus in it.
    bool reiterVerlassen();

    std::int16_t SPRACHE = 3;
    // The control a key was pressed in, while the form's key handler runs.
    QPointer<QWidget> tasteZiel_;
    std::array<std::unique_ptr<clsFLX>, 3> FLX_;
    std::unique_ptr<clsDATEN> E1_, E2_, E3_;
    std::vector<Zahlenfeld> zahlenfelder_;
    // h' values of readings beyond the h' grid's rows, by reading number.
    std::vector<QString> hBeiseite_;
    // hGridZeilen is setting the h' grid's rows itself.
    bool hZeilenSetzen_ = false;
    // A box whose check refused its value holds the focus; no second check runs while its message shows.
    bool pruefend_ = false;
    // The control a click was to give the focus to when a check refused the box it left; the click's
    // mouse events up to its release, or until the focus is back in the refused box, are dropped there.
    QPointer<QWidget> klickZiel_;
    // The checked box that lost the focus by going out of sight with its tab; the switch checks it.
    QPointer<QWidget> ausserSicht_;
};
