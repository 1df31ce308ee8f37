#pragma once

#include "Hauptfenster.h"
#include "TestRun.h"

#include "platform/db/Connection.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/ScriptedDialogs.h"

#include <map>
#include <memory>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace blatttest {

// A run with a project and an output page on it, under a main window that records the commands the page
// presses. The clock stands still at 1 August 2003, 10:30, so that a drawn page is always the same.
template <typename Seite> class SeitenLauf {
public:
    explicit SeitenLauf(const testsupport::TestRun::Options& options = {})
        : uhr(QDateTime(QDate(2003, 8, 1), QTime(10, 30))), run(options) {
        haupt.uebernehmen(run);
    }
    ~SeitenLauf() {
        seite.reset();
        haupt.uninstall();
    }
    SeitenLauf(const SeitenLauf&) = delete;
    SeitenLauf& operator=(const SeitenLauf&) = delete;

    // A change to the project's rows.
    void setze(const QString& sql) { run.state().cnnX->Execute(sql); }
    platform::ScriptedDialogs& dialoge() { return run.dialogs(); }
    QStringList meldungen() { return run.dialogs().messages(); }

    platform::Clock::Override uhr;
    testsupport::TestRun run;
    testsupport::Hauptfenster haupt;
    std::unique_ptr<Seite> seite;

protected:
    // Makes the page and loads it; then stores BONEU False in the A1 row `id`, as the main window does
    // after showing it.
    Seite& seiteLaden(int id) {
        seite = std::make_unique<Seite>();
        seite->Form_Load();
        setze(QStringLiteral("UPDATE A1 SET BONEU = 0 WHERE ID = %1").arg(id));
        return *seite;
    }
};

// How often each title was asked in the run.
inline std::map<QString, int> jeTitel(platform::ScriptedDialogs& dialoge) {
    std::map<QString, int> n;
    for (const auto& a : dialoge.asked())
        ++n[a.title];
    return n;
}

// True when pdftoppm reads the whole file without a complaint.
bool lesbar(const QString& pdf);

} // namespace blatttest
