#include "Hauptfenster.h"

namespace testsupport {

void Hauptfenster::uebernehmen(TestRun& run) {
    const platform::RunState& s = run.state();
    cnnX = s.cnnX;
    PROJEKT = s.PROJEKT;
    PROJEKTSPFAD = s.PROJEKTSPFAD;
    BEARBEITER = s.BEARBEITER;
    DEZIMALPUNKT = s.DEZIMALPUNKT;
    SPRACHE = s.SPRACHE;
    setProgramFolder(s.programFolder());
    setDialogs(&run.dialogs());
    setProgressBar(&run.progress());
    install();
}

} // namespace testsupport
