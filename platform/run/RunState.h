#pragma once

#include "../runtime/DialogService.h"

#include <QString>
#include <cstdint>
#include <memory>

class QWidget;

namespace platform {

class Connection;
class DesktopService;
class DialogService;
class ProgressBar;
class ScriptedDialogs;
class RecordingProgressBar;
class RecordingDesktop;

// The state of one run of the program, which the main window holds and every other window and class reads:
// the connections, the project, the operator, the language and the decimal sign, and the main window's
// commands that other windows press. Exactly one is installed while the program runs (the main window
// installs itself); tests install their own.
class RunState {
public:
    RunState();
    virtual ~RunState();
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    // The installed run state; raises "object variable not set" when there is none.
    static RunState& current();
    static RunState* installed();
    void install();
    void uninstall();

    // The program's title, and the name of its database files.
    static QString TITLE() { return QStringLiteral("TAMBRIN"); }
    // The product family's frame program and application name of its settings.
    static QString FAMILY() { return QStringLiteral("HELVANO"); }

    // --- The public run state of the main window ---
    std::shared_ptr<Connection> cnnX;   // the working copy
    std::shared_ptr<Connection> cnnX_V; // the presets database; unset in the development mode
    QString PROJEKT;
    QString PROJEKTSPFAD;
    QString BEARBEITER;
    QString DEZIMALPUNKT = QStringLiteral(",");
    std::int16_t SPRACHE = 3; // 1 English, 3 German: the language of the run's messages (see Language)
    QString Tag;              // the dialog result of the record-selection and export/import dialogs
    // The printer the print dialog chose last: a printer by name or a PDF file. Pages print there.
    PrintAnswer printer;

    // The user's login name in capitals; "UNBEK." when it can't be found.
    QString BENUTZER() const;
    bool EBOINF() const { return false; }
    // The database folder from the settings store ("" when missing), read on every call.
    QString DATENBANKPFAD() const;
    void setDATENBANKPFAD(const QString& folder);
    // The working copy: "TAMBRIN.mdb" in the user's folder in "BENUTZER" beside the program's folder.
    // Reading it creates the folders that are missing.
    QString XMDBPFAD() const;

    // --- The program ---
    // The folder of the program file (tests set another).
    QString programFolder() const;
    void setProgramFolder(const QString& folder);
    // A run is in the development mode when the program's folder path contains "SOURCE", case ignored.
    bool developmentMode() const;
    // The user name the run uses in place of the login name (tests); empty: the login name.
    void setUserName(const QString& name) { userName_ = name; }

    // Every question to the user goes through this service.
    DialogService& dialogs() const;
    void setDialogs(DialogService* dialogs);
    // Documents open and other programs start through this service (by default one that launches nothing).
    DesktopService& desktop() const;
    void setDesktop(DesktopService* desktop);
    // The start screen's progress bar pgbBERECHNEN.
    ProgressBar& pgbBERECHNEN() const;
    void setProgressBar(ProgressBar* bar);

    // --- Commands of the main window that other windows use ---
    // Runs the command of status panel 1..15 as a click on it.
    virtual void stbMAIN_PanelClick(int panel);
    // Shows or hides a status panel.
    virtual void setPanelVisible(int panel, bool visible);
    virtual bool panelVisible(int panel) const;
    // File / Quit.
    virtual void mnuBEENDEN_Click();
    // Opens the help file.
    virtual void mnuHILFE_Click();
    // The active child window, or nullptr.
    virtual QWidget* ActiveForm() const;
    // The main window itself: the owner of modal dialogs (nullptr without a window).
    virtual QWidget* window() const;

private:
    QString programFolder_;
    QString userName_;
    DialogService* dialogs_ = nullptr;
    DesktopService* desktop_ = nullptr;
    ProgressBar* progressBar_ = nullptr;
    std::unique_ptr<ScriptedDialogs> defaultDialogs_;
    std::unique_ptr<RecordingProgressBar> defaultBar_;
    std::unique_ptr<RecordingDesktop> defaultDesktop_;
    RunState* previous_ = nullptr;
    bool installed_ = false;
};

} // namespace platform
