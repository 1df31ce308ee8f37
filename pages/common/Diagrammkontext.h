#pragma once

#include <memory>
#include <QDialog>
#include <QPointer>

class clsDATEN;
class QGridLayout;
class QPushButton;
class QVBoxLayout;
namespace platform {
class CheckBox;
class ComboBox;
class ErrorTrap;
class TextBox;
class Variant;
} // namespace platform

// What the diagram-settings dialogs "Kontextmenü Diagramm" of page 1 and of the multiple evaluation have
// alike: the window, the frames of the axis lists, of the scale ratio and spacings, of the line families
// and of the two buttons, the rule that at most one line family is ticked, the reading and writing of the
// stored bounds and display switches, the keypad's decimal key and the place on the screen. Each dialog
// builds its frames in its own order, adds its own controls and stores and redraws on OK its own way.
class Diagrammkontext : public QDialog {
    Q_OBJECT
public:
    ~Diagrammkontext() override;

    void cmdABBRECHEN_Click();
    // At most one line family: ticking one clears the other.
    void chkSRLI_Click();
    void chkNALI_Click();

    platform::ComboBox* cboXMIN = nullptr;
    platform::ComboBox* cboXDIFF = nullptr;
    platform::ComboBox* cboYMIN = nullptr;
    platform::ComboBox* cboYDIFF = nullptr;
    platform::TextBox* txtMYMX = nullptr;
    platform::TextBox* txtDESR = nullptr;
    platform::TextBox* txtDENA = nullptr;
    platform::CheckBox* chkSRLI = nullptr;
    platform::CheckBox* chkNALI = nullptr;
    platform::CheckBox* chkGITRHD = nullptr;
    platform::CheckBox* chkGITW = nullptr;
    platform::CheckBox* chkPOSP = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdABBRECHEN = nullptr;

    // The axis bounds and the scales as stored, and the bounds as the lists set them on OK.
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0, MX = 0, MY = 0;

protected:
    // The modal dialog `name` of the page `seite`, hoeheTwips high; the owner is the main window.
    Diagrammkontext(QWidget* owner, QWidget* seite, const char* name, int hoeheTwips);

    // A frame below the ones before, with its grid.
    QGridLayout* rahmen(const QString& titel, const char* name);
    platform::CheckBox* check(const QString& caption, const char* name);
    // The frame "Skalen" with the four axis lists.
    void skalenBauen();
    // The frame of the scale ratio (its caption `verhaeltnis`) and of the two spacings.
    void werteBauen(const QString& verhaeltnis);
    // The frame of the two line families.
    void linienBauen();
    // The frame of OK and Abbrechen; Abbrechen closes the dialog, OK is the dialog's own.
    void knoepfeBauen();

    // The bounds and scales stored in the G0 row of the diagram (IDOBJEKT) the cursor selects.
    void grenzenLaden(clsDATEN& g0, const platform::Variant& diagramm);
    // The bounds as the lists set them: the lower bounds, and the spans added to them. False when the user
    // chose to stop after a failed step.
    bool grenzenLesen(platform::ErrorTrap& trap);
    // The bounds as they stand into the G0 row of the diagram.
    void grenzenSpeichern(clsDATEN& g0, const platform::Variant& diagramm);
    // The grid, line-family switches and spacings from the display columns of the A1 row.
    void anzeigeLaden(clsDATEN& a1);
    // The grid and line-family switches as they stand into the A1 row.
    void schalterSpeichern(clsDATEN& a1);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    QPointer<QWidget> seite_;
    std::unique_ptr<clsDATEN> a1_, g0_;

private:
    void platzieren();

    QVBoxLayout* layout_;
};
