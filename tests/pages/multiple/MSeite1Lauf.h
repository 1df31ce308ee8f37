#pragma once

#include "Blatt.h"
#include "mdiMSEITE1.h"
#include "RecordFixture.h"
#include "TestRun.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Variant.h"
#include "platform/surface/RecordingSurface.h"

#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

namespace mseite1test {

// The main window as the multiple page sees it: the commands the page presses are recorded.
class Hauptfenster : public platform::RunState {
public:
    void stbMAIN_PanelClick(int panel) override { panels.push_back(panel); }
    void setPanelVisible(int panel, bool visible) override { sichtbar.emplace_back(panel, visible); }
    void mnuBEENDEN_Click() override { ++beenden; }
    QWidget* window() const override { return fenster; }

    std::vector<int> panels;
    std::vector<std::pair<int, bool>> sichtbar;
    int beenden = 0;
    QWidget* fenster = nullptr;
};

// n records of the published drying set, each a little denser and wetter than the one before, named
// "P1", "P2", ...
std::vector<fixture::Record> proben(int n);

// Writes the records (IDs 1, 2, ...) and evaluates each as Calculate first does; then makes them all
// active and adds the rows the Evaluate menu makes for a multiple evaluation (E1 row 0, A1 row 0 with
// BONEU True). Throws when a record cannot be evaluated.
void auswerten(platform::Connection& c, const std::vector<fixture::Record>& records);

// A run with a project of evaluated records and the multiple page on it. The clock stands still at
// 1 August 2003, 10:30, so that a drawn page is always the same.
class MSeite1Lauf {
public:
    MSeite1Lauf();
    ~MSeite1Lauf();

    void projekt(const std::vector<fixture::Record>& records);
    // Makes the page and loads it; then stores BONEU False in A1 row 0, as the main window does.
    mdiMSEITE1& laden();
    mdiMSEITE1& zeige(int n) {
        projekt(proben(n));
        return laden();
    }

    platform::Variant wert(const QString& sql);
    void setze(const QString& sql);
    platform::ScriptedDialogs& dialoge() { return run.dialogs(); }
    QStringList meldungen() { return run.dialogs().messages(); }

    platform::Clock::Override uhr;
    testsupport::TestRun run;
    Hauptfenster haupt;
    std::unique_ptr<mdiMSEITE1> seite;
};

using blatttest::druckseite;
using blatttest::texte;

} // namespace mseite1test
