#pragma once

#include "TestRun.h"

#include "platform/run/RunState.h"

#include <utility>
#include <vector>

class QWidget;

namespace testsupport {

// The main window as a form or page under test sees it: the run's state taken over from a test run, and
// the commands the form presses recorded instead of carried out (status panels, panel visibility, Quit).
class Hauptfenster : public platform::RunState {
public:
    void stbMAIN_PanelClick(int panel) override { panels.push_back(panel); }
    void setPanelVisible(int panel, bool visible) override { sichtbar.emplace_back(panel, visible); }
    void mnuBEENDEN_Click() override { ++beenden; }
    QWidget* window() const override { return fenster; }

    // Takes the connection, project, language, dialogs and progress bar of the run and installs itself as
    // the run's main window.
    void uebernehmen(TestRun& run);

    std::vector<int> panels;
    std::vector<std::pair<int, bool>> sichtbar;
    int beenden = 0;
    QWidget* fenster = nullptr;
};

} // namespace testsupport
