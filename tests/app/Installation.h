#pragma once

#include "TempDir.h"

#include "platform/runtime/RecordingDesktop.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/SystemLocale.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class frmMAIN;

namespace testsupport {

// An installation of the program in a temporary folder tree, as the frame program leaves it:
//   <root>/TAMBRIN/TAMBRIN.mdb                 the program's folder with the empty template
//   <root>/DATENBANK/ARCHIV.mdb, VORGABE.mdb   the database folder, with the user's hand-over row
//   <root>/PROJEKTE/<project>/TAMBRIN.mdb      the project with one record "Probe" (active)
//   <root>/config                              the settings store with "Datenbankpfad"
// and a main window on it with scripted dialogs. Each part can be left out or spoilt before start().
class Installation {
public:
    // An empty language leaves the run's language and decimal sign to the system's locale (LANG, LC_ALL,
    // LC_NUMERIC), as a run of the program has them.
    explicit Installation(const QString& language = QStringLiteral("de"), const QString& decimalSign = QStringLiteral(","));
    ~Installation();

    QString root() const { return dir_.path(); }
    QString programFolder() const { return dir_.file(QStringLiteral("TAMBRIN")); }
    QString databaseFolder() const { return dir_.file(QStringLiteral("DATENBANK")); }
    QString projectsFolder() const { return dir_.file(QStringLiteral("PROJEKTE")); }
    QString projectDatabase(const QString& project = QStringLiteral("P1")) const;
    QString workingCopy() const;
    // The user's folder beside the program's folder, which holds the working copy and the run's lock.
    QString userFolder() const;
    QString runLock() const { return userFolder() + QStringLiteral("/TAMBRIN.lock"); }
    // Every file of the installation with its size and time of change: two equal lists, nothing touched.
    QStringList files() const;
    // The user name the run uses ("PRUEFER").
    static QString user() { return QStringLiteral("PRUEFER"); }

    // Makes another project folder with its database.
    void addProject(const QString& project);
    // Points the hand-over row at another project (or removes it when project is empty).
    void handOver(const QString& project);
    QString handOverProg() const;
    // Adds a hand-over row for another user of the installation, on the project P1.
    void handOverTo(const QString& otherUser) const;
    // Moves the program folder into a folder whose path contains "Source" (development mode).
    void makeDevelopmentMode();

    // Creates the main window and runs start-up.
    frmMAIN& start();
    frmMAIN& window() { return *window_; }
    int result() const { return result_; }
    platform::ScriptedDialogs& dialogs() { return dialogs_; }
    // What the run opened and started (nothing is launched).
    platform::RecordingDesktop& desktop() { return desktop_; }
    // The frame program's file beside the program's folder.
    QString frameProgram() const;
    // The record names (E1.KEN) of a project database, in the order of their numbers.
    static QStringList names(const QString& database);
    // Adds a record to a project database.
    static void addRecord(const QString& database, int id, const QString& name);
    // Prints the page shown through its status bar's Print panel into a PDF file in the folder "druck" of the
    // installation, answering the print dialog with every page; the file's path. The scripted dialogs are
    // cleared first: what they hold afterwards was asked by the print.
    QString printShownPageToPdf();
    // Ends the main window (its close handling runs).
    void stop();

private:
    TempDir dir_;
    std::optional<platform::SystemLocale::Override> locale_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingDesktop desktop_;
    std::unique_ptr<frmMAIN> window_;
    QString programFolder_;
    int result_ = -1;
};

} // namespace testsupport
