#pragma once

#include <cstdint>
#include <memory>
#include <QDialog>
#include <QString>

class clsDATEN;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
namespace platform {
class ProgressBar;
class Variant;
} // namespace platform

// The dialog "Export Informationssystem": writes the key results of one evaluated record of the working
// copy into the product family's information system DALMIR.mdb (in the database folder), as a new record
// there or over one of the current project's records that the user picks.
//
//   frmEXPINF dialog(owner);
//   dialog.Form_Load();               // says so when the information system is not installed
//   dialogs.ShowForm(dialog);
//   dialog.Form_Unload();
//
// Left: the records of the working copy (row 0, the multiple evaluation, is no record). Right: the records
// of the information system whose origin E0.PROJ is the current project. "Übernehmen" exports the record
// chosen on the left; nothing chosen on the right makes a new record, a chosen one is overwritten (a second
// click on it clears the choice). A new record gets one ID above the highest in E0, E1 and E3 and rows in
// all three: its name and comment (E1), its origin (E0: project, source "QZ", operator, the date of the
// opening as dd.mm.yy) and its results (E3). Overwriting writes only the results of the record's kind.
//
// Results in E3: the maximum dry density (g/cm³) and the optimum water content (%) go to RHPR and WPR, or
// to RHPRPL and WPRPL for a test with an insert plate; W1 and W2 are the water contents (%) on the dry and
// the wet branch at the chosen degree of compaction, the crossings of the points' polyline with that share
// of the same maximum, whatever the record's page shows. A record without an evaluation is refused.
//
// All writes of one export run in one transaction of the information system: it is written whole or not at
// all. Reading and writing go through six table cursors, three on the working copy (E1, E2, A1) and three
// on the information system (E0, E1, E3) sharing its connection.
class frmEXPINF : public QDialog {
    Q_OBJECT
public:
    explicit frmEXPINF(QWidget* owner = nullptr);
    ~frmEXPINF() override;

    // Texts of the language, the origin values, the cursors and both lists, under the progress bar.
    void Form_Load();
    // Gives up the cursors and hides the progress bar.
    void Form_Unload();
    // True when the information system's database was found at loading.
    bool DALMIR() const { return gefunden_; }

    // A click on entry Index of the information-system list: a second click on the same entry clears it.
    void lstINF_Click(int Index);
    void cmdUEBERNEHMEN_Click();
    void cmdSCHLIESSEN_Click();

    QGroupBox* fraPROJ;
    QLabel* lblAKTP1;
    QLabel* lblAKTP2;
    QListWidget* lstPROJ;
    QGroupBox* fraINF;
    QLabel* lblAKTI1;
    QLabel* lblAKTI2;
    QLabel* lblAKTI3;
    QListWidget* lstINF;
    QPushButton* cmdUEBERNEHMEN;
    QPushButton* cmdSCHLIESSEN;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LISTENFUELLEN(QListWidget& projekt, QListWidget& informationssystem);
    void EXPORTIEREN(QListWidget& projekt, QListWidget& informationssystem);
    // The highest ID of E0, E1 and E3 of the information system (Null when all are empty). Raises on failure.
    platform::Variant hoechsteID();
    // The progress bar at k of n, in whole percent.
    void fortschritt(std::size_t k, std::size_t n);

    // The origin of every new record, fixed at loading.
    QString projekt_;
    QString quelle_ = QStringLiteral("QZ");
    QString bearbeiter_;
    QString datum_;
    std::unique_ptr<clsDATEN> datE1_, datE2_, datA1_; // the working copy
    std::unique_ptr<clsDATEN> infE0_, infE1_, infE3_; // the information system
    bool gefunden_ = false;
    int letzter_ = -1;
    bool gedrueckt_ = false; // the entry under the mouse was chosen when the button went down
    platform::ProgressBar* pgbBERECHNEN_ = nullptr;
};
