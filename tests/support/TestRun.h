#pragma once

#include "TempDir.h"

#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/SystemLocale.h"

#include <memory>
#include <QString>

namespace testsupport {

// A run of the program without a main window: a run state installed for the test, with scripted dialogs,
// a recording progress bar, a German or English locale and a working copy made from the schema in a
// temporary folder. Removed with the object. The language option is the run's language (SPRACHE), which
// every message follows; a test that changes it mid-way sets SPRACHE of the installed run state.
class TestRun {
public:
    struct Options {
        QString language = QStringLiteral("de");
        QString decimalSign = QStringLiteral(",");
        bool workingCopy = true; // make and open an empty project database as cnnX
    };
    TestRun();
    explicit TestRun(const Options& options);
    ~TestRun();

    platform::RunState& state() { return *state_; }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    platform::RecordingProgressBar& progress() { return progress_; }
    TempDir& dir() { return dir_; }
    // The path of the working copy (the project database that cnnX is open on).
    QString databasePath() const { return databasePath_; }

private:
    TempDir dir_;
    platform::SystemLocale::Override locale_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingProgressBar progress_;
    std::unique_ptr<platform::RunState> state_;
    QString databasePath_;
};

// A run without a project database, for the controls and classes that need none.
inline TestRun::Options ohneDatenbank() {
    TestRun::Options o;
    o.workingCopy = false;
    return o;
}

} // namespace testsupport
