#pragma once

#include "Diagrammkontext.h"

namespace platform {
class CheckBox;
} // namespace platform

// The settings dialog "Kontextmenü Diagramm" of the multiple evaluation's diagram (German only): the lower
// bounds and spans of both axes from the diagram's admissible lists, the scale ratio (the change of dry
// density drawn as long as 1 % of water content), the spacing of the saturation and air-void lines, which
// family is drawn, the grid lines, the spline curves and the records' names beside their curves. OK stores
// the choices as they stand in G0 row 0 of diagram 110 and in A1 row 0, and has the page that opened the
// dialog redraw its diagram, table and summary box, by name; Abbrechen changes nothing.
class frmKONTEXT110 : public Diagrammkontext {
    Q_OBJECT
public:
    // The dialog of the page that opens it; the owner is the main window.
    frmKONTEXT110(QWidget* owner, QWidget* seite);
    ~frmKONTEXT110() override;

    // Fills the lists and presets every control from the stored settings.
    void Form_Load();
    void cmdOK_Click();

    platform::CheckBox* chkDKEN;
};
