#pragma once

#include "Diagrammkontext.h"

#include <memory>
#include <optional>

namespace platform {
class TextBox;
} // namespace platform

// The diagram-settings dialog "Kontextmenü Diagramm" of the compaction diagram on page 1 (German only):
// the lower bounds and spans of both axes from the diagram's admissible lists, the aspect (the change of
// dry density drawn as long as 1 % of water content), the spacing of the saturation and air-void lines,
// which family is drawn, the grid lines and the spline curves. OK checks the entries, stores them in the
// record's G0 row of diagram 11 and in the display columns of its A1 row, and redraws the page's diagram
// and text block, by name; Abbrechen changes nothing.
class frmKONTEXT11 : public Diagrammkontext {
    Q_OBJECT
public:
    // The dialog of the page that opens it; the owner is the main window.
    frmKONTEXT11(QWidget* owner, QWidget* seite);
    ~frmKONTEXT11() override;

    // Fills the lists and presets every control from the record's stored settings.
    void Form_Load();
    void cmdOK_Click();

private:
    // The number typed into a box when it lies in min..max (no max: none); otherwise a message, the focus
    // on the box, and nothing.
    std::optional<float> zahlImBereich(platform::TextBox* box, double min, std::optional<double> max,
                                       const QString& meldung);

    std::unique_ptr<clsDATEN> e3_;
};
