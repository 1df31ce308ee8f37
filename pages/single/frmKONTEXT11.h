#pragma once

#include <memory>
#include <optional>
#include <QDialog>
#include <QPointer>

class clsDATEN;
class QPushButton;
namespace platform {
class CheckBox;
class ComboBox;
class TextBox;
} // namespace platform

// The diagram-settings dialog "Kontextmenü Diagramm" of the compaction diagram on page 1 (German only):
// the lower bounds and spans of both axes from the diagram's admissible lists, the aspect (the change of
// dry density drawn as long as 1 % of water content), the spacing of the saturation and air-void lines,
// which family is drawn, the grid lines and the spline curves. OK checks the entries, stores them in the
// record's G0 row of diagram 11 and in the display columns of its A1 row, and redraws the page's diagram
// and text block, by name; Abbrechen changes nothing.
class frmKONTEXT11 : public QDialog {
    Q_OBJECT
public:
    // The dialog of the page that opens it; the owner is the main window.
    frmKONTEXT11(QWidget* owner, QWidget* seite);
    ~frmKONTEXT11() override;

    // Fills the lists and presets every control from the record's stored settings.
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
    platform::CheckBox* chkGITRHD;
    platform::CheckBox* chkGITW;
    platform::CheckBox* chkPOSP;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;

    // The axis bounds and the scale of the diagram as stored, and as the entries set them on OK.
    float XMIN = 0, XMAX = 0, YMIN = 0, YMAX = 0, MX = 0, MY = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void platzieren();
    // The number typed into a box when it lies in min..max (no max: none); otherwise a message, the focus
    // on the box, and nothing.
    std::optional<float> zahlImBereich(platform::TextBox* box, double min, std::optional<double> max,
                                       const QString& meldung);

    QPointer<QWidget> seite_;
    std::unique_ptr<clsDATEN> a1_, e3_, g0_;
};
