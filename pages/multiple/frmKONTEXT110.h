#pragma once

#include <memory>
#include <QDialog>
#include <QPointer>

class clsDATEN;
class QPushButton;
namespace platform {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace platform

// The settings dialog "Kontextmenü Diagramm" of the multiple evaluation's diagram (German only): the lower
// bounds and spans of both axes from the diagram's admissible lists, the scale ratio (the change of dry
// density drawn as long as 1 % of water content), the spacing of the saturation and air-void lines, which
// family is drawn, the grid lines, the spline curves and the records' names beside their curves. OK stores
// the choices as they stand in G0 row 0 of diagram 110 and in A1 row 0, and has the page that opened the
// dialog redraw its diagram, table and summary box, by name; Abbrechen changes nothing.
class frmKONTEXT110 : public QDialog {
    Q_OBJECT
public:
    // The dialog of the page that opens it; the owner is the main window.
    frmKONTEXT110(QWidget* owner, QWidget* seite);
    ~frmKONTEXT110() override;

    // Fills the lists and presets every control from the stored settings.
    void Form_Load();
    void cmdOK_Click();
    void cmdABBRECHEN_Click();
    // At most one line family: ticking one clears the other.
    void chkSRLI_Click();
    void chkNALI_Click();

    platform::ComboBox* cboXMIN;
    platform::ComboBox* cboXDIFF;
    platform::ComboBox* cboYMIN;
    platform::ComboBox* cboYDIFF;
    platform::TextBox* txtMYMX;
    platform::TextBox* txtDESR;
    platform::TextBox* txtDENA;
    platform::CheckBox* chkSRLI;
    platform::CheckBox* chkNALI;
    platform::CheckBox* chkGITW;
    platform::CheckBox* chkGITRHD;
    platform::CheckBox* chkPOSP;
    platform::CheckBox* chkDKEN;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;

    // The axis bounds and the scales as stored, and the bounds as the lists set them on OK.
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0, MX = 0, MY = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void platzieren();

    QPointer<QWidget> seite_;
    std::unique_ptr<clsDATEN> a1_, g0_;
};
