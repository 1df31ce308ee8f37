#pragma once

#include "platform/db/DatabaseStamp.h"
#include "platform/db/ProjectLock.h"
#include "platform/run/RunState.h"
#include "platform/window/QtDialogService.h"
#include "platform/window/StatusBar.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>

class frmANZEIGEN;
class mdiAUTOSTART;
class ChildArea;
class mdiEINGABE;
namespace platform {
class Connection;
class ErrorTrap;
class FileLock;
class SystemDesktop;
class TerminationSignals;
} // namespace platform

// The program's main window: the MDI frame with the menus and the status-bar command panels, and the one
// place where the state of a run lives (platform::RunState, which every other window and class reads).
class frmMAIN : public QMainWindow, public platform::RunState {
    Q_OBJECT
public:
    // How start-up ended.
    enum class LoadResult {
        Running,  // the main window and the start screen are shown
        Ended,    // the run ended by a message (no hand-over row, no project folder, no template)
        Abandoned // the user left start-up with Cancel in an error box
    };

    explicit frmMAIN(QWidget* parent = nullptr);
    ~frmMAIN() override;

    // Start-up: everything from the language to the start screen, in its fixed order.
    LoadResult MDIForm_Load();
    // After a start-up that did not run to its end: closes what it opened. A working copy made afresh by
    // this start-up holds no changes and goes; a copy kept from an interrupted run stays.
    void endAbandonedStart();
    // The lock a run holds beside its working copy from start-up to its end: one run per user at a time.
    QString runLockFile() const;
    // The tables every project database and working copy holds (from the schema).
    static QStringList projectTables();

    // --- The end of a run ---
    // Why the main window closes.
    enum class CloseReason {
        User,    // the close box, Close in the window menu, Alt+F4
        Program, // File / Close and File / Quit
        System   // the session ends, or the program is asked to terminate (SIGTERM, SIGHUP)
    };
    // Asks about unsaved changes and decides whether the frame program starts again. True keeps the
    // program running.
    bool MDIForm_QueryUnload(CloseReason reason);
    // Ends the run: unloads every other window, hands the row back to the frame program, closes the
    // connections, deletes the working copy (keeps it after an unsaved system shutdown), starts the frame
    // program when that was decided, and ends the program.
    void MDIForm_Unload();
    // Ends the run as the system asks: nothing is asked, nothing is saved.
    void endOfSession();
    // From now on the end of the session and the termination signals end the run in order.
    void watchSessionEnd();

    // --- Save and Compact ---
    // Save: copies the working copy over the project database. False when it was not written. A working
    // copy that is damaged, empty or lacks a table of the project is refused, and so is a read-only project
    // database.
    bool saveProject();
    // The compaction file of a working copy: beside it, its file name with "TEMP" before ".mdb".
    static QString compactionFile(const QString& workingCopy);
    // A file size in MB of 1,000,000 bytes, rounded to one decimal.
    static float sizeInMB(std::int64_t bytes);
    // Compact's report (language 1 English, 3 German; "" for any other) for the sizes in bytes.
    static QString compactReport(int language, std::int64_t before, std::int64_t after,
                                 const QString& decimalSign);

    // --- Help ---
    // The help, readme and notes files next to the program.
    QString helpFile() const;
    QString readmeFile() const;
    QString notesFile() const;

    // --- Window design ---
    QMdiArea* mdiArea;
    platform::StatusBar* stbMAIN;
    QMenu* mnuDATEI;
    QAction* mnuNEU;
    QAction* mnuOEFFNEN;
    QAction* mnuAUSWAHL;
    QAction* mnuTRENN0;
    QAction* mnuEXPIMP;
    QAction* mnuEXPINF;
    QAction* mnuLOESCHEN;
    QAction* mnuSCHLIESSEN;
    QAction* mnuTRENN1;
    QAction* mnuSPEICHERN;
    QAction* mnuBEENDEN;
    QMenu* mnuAUSWERTEN;
    QAction* mnuEINGABEGRAFIK;
    QAction* mnuBERECHNEN;
    QAction* mnuMBERECHNEN;
    QAction* mnuFBERECHNEN;
    QAction* mnuNEUBERECHNEN;
    QMenu* mnuEXTRAS;
    QAction* mnuVVORGABEN;
    QAction* mnuVEVORGABEN;
    QAction* mnuTRENN2;
    QMenu* mnuWERKZEUGE;
    QAction* mnuTEXT;
    QAction* mnuPOLYGON;
    QAction* mnuKREIS;
    QAction* mnuKOMPRIMIEREN;
    QMenu* mnuFRAGEZEICHEN;
    QAction* mnuHILFE;
    QAction* mnuREADME;
    QAction* mnuHINWEISE;
    QAction* mnuTRENN4;
    QAction* mnuINFO;

    // The start screen, from the end of start-up to the end of the run.
    mdiAUTOSTART* startScreen() const { return startScreen_; }

    // --- Loaded child windows, found by name ---
    // Adds a child window to the MDI area under its object name (maximised unless told otherwise).
    QMdiSubWindow* addChild(QWidget* form, bool maximised = true);
    // The loaded window of that name (child or dialog), or nullptr.
    QWidget* Form(const QString& name) const;
    // Every loaded child window's form, in the order they were loaded.
    QList<QWidget*> Forms() const;
    // Unloads one child window.
    void unloadChild(QWidget* form);
    // Shows a child window maximised (it may have been hidden) and brings it to the front; hides one.
    void showChild(QWidget* form);
    void hideChild(QWidget* form);
    // The loaded output pages, by name: "mdiESEITE", then "mdiSEITE", "mdiPSEITE", "mdiMSEITE" (case
    // ignored). A page's number is its position here, counted from 1.
    QList<QWidget*> PageList() const;
    // The input form while it is loaded.
    mdiEINGABE* inputForm() const;
    // The page chooser while it is open.
    frmANZEIGEN* pageChooser() const;
    // Where command 12 puts its bitmap copies: the project's folder, "JPG".
    QString copyFolder() const;

    // --- Run state (the other members are platform::RunState's) ---
    bool dirty() const { return dirty_; }
    void setDirty(bool dirty) { dirty_ = dirty; }
    bool restart() const { return restart_; }
    // The archive connection of the hand-over row (unset in the development mode).
    const std::shared_ptr<platform::Connection>& archive() const { return cnnArchiv_; }
    // The file beside the working copy that names the project the copy belongs to.
    QString workingCopyOwnerFile() const;
    // The project database: PROJEKTSPFAD, PROJEKT, "TAMBRIN.mdb".
    QString projectDatabase() const;

    // How long the progress bar stands at 100 % after a page is shown (tests shorten it).
    void setProgressHold(int milliseconds) { progressHoldMs_ = milliseconds; }
    // The lock a Save holds beside the project database from its check of that file to the end of its
    // replace, so that two users' Saves of one project take turns (see platform::ProjectLock).
    QString projectLockFile() const;
    // How long a Save waits for another user's Save of the project to end (tests shorten it).
    void setSaveLockWait(std::chrono::milliseconds wait) { saveLockWait_ = wait; }

    // The text of status panel 1 for a project folder: shortened behind " ... " to about 20 characters.
    static QString shortenedFolder(const QString& folder, QChar separator);

    // --- Commands of the main window that other windows use ---
    void stbMAIN_PanelClick(int panel) override;
    void setPanelVisible(int panel, bool visible) override;
    bool panelVisible(int panel) const override;
    void mnuBEENDEN_Click() override;
    void mnuHILFE_Click() override;
    QWidget* ActiveForm() const override;
    QWidget* window() const override { return const_cast<frmMAIN*>(this); }

    // Refreshes status panel 6 from the active records.
    void AKTUELLANZEIGEN();

public slots:
    // File menu
    void mnuNEU_Click();
    void mnuOEFFNEN_Click();
    void mnuAUSWAHL_Click();
    void mnuEXPIMP_Click();
    void mnuEXPINF_Click();
    void mnuLOESCHEN_Click();
    void mnuSCHLIESSEN_Click();
    void mnuSPEICHERN_Click();
    // Evaluate menu (opening it sets the items' states)
    void mnuAUSWERTEN_Click();
    void mnuBERECHNEN_Click();
    void mnuMBERECHNEN_Click();
    void mnuNEUBERECHNEN_Click();
    // Tools menu
    void mnuKOMPRIMIEREN_Click();
    // Help menu (opening it tests the help files)
    void mnuFRAGEZEICHEN_Click();
    void mnuREADME_Click();
    void mnuHINWEISE_Click();
    void mnuINFO_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The input form's close box runs panel 9.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void setEnglishTexts();
    // One item of the user's locale: 0x59 the ISO 639 language name, 0x0E the decimal sign.
    QString LOCALEINFO(long lcid, int item) const;
    void stbMAIN_MouseDown(int panelIndex, int x);
    QAction* item(QMenu* menu, const QString& name, const QString& caption, int helpContext,
                  bool enabled = true);
    // A command's caption as the title of its messages: without the "&" that marks its access key.
    static QString titleOf(const QAction* action);
    // Takes the run lock. False when the start must end (another run of this user holds it, or it can't be
    // written); the user has been told.
    bool takeRunLock();
    // What a killed Compact or copy left in the user's folder, and a killed Save's copy in the project's
    // folder (unless another user's Save is writing it right now).
    void removeLeftovers();
    // True when the settings name the database folder; otherwise the user has been told which value of
    // which settings file is missing.
    bool checkDatabaseFolderSetting();
    // The last line of a message after which start-up ends the run.
    static QString programEnds();
    void prepareWorkingCopy(const QString& source, const QString& target);
    // Notes what the project database was when the working copy was taken from it (or put over it), here
    // and beside the working copy, where a copy kept from an interrupted run finds it again.
    void keepProjectStamp(const platform::DatabaseStamp& stamp);
    // The lines of the owner file beside the working copy: the project database the copy was taken from,
    // and what that file was then; none when there is no such file.
    QStringList workingCopyOwner() const;
    // True when Save may put the working copy over the project database: nobody wrote that file since the
    // copy was taken from it, or the user said yes to replacing it.
    bool mayReplaceProject(const platform::DatabaseStamp& now);
    // Throws, saying what is wrong, when the working copy is no sound project database.
    void checkWorkingCopy() const;
    void loadStartScreen();
    void unloadEveryWindow();
    void startFrameProgram();
    // Opens a document with the desktop's default application, under an error box with that title. Without a
    // program for it the user is told where the file is (that it was written, for one the command wrote).
    void openDocument(const QString& file, const QString& title, bool written = false);

    // Loads page 1 of the active record unless it is loaded; returns it.
    QWidget* loadPage1();
    // Tells a child window that it is the active one (the pages hide panel 14 then).
    void notifyActivation(QWidget* form);
    // Panels 10 to 15 visible and raised, as a page is shown; the active page then hides panel 14 again.
    void showPageCommands();
    // The progress bar at 100, held for a moment without handling events.
    void holdProgressAtFull();
    // The end of a Calculate command that showed its page: the bar held and hidden, the run dirty, File
    // disabled. False after Cancel in its error box.
    bool finishPageCommand(platform::ErrorTrap& trap);
    // The end of a Calculate command after Cancel: the window enabled, the bar hidden, the default pointer.
    void leavePageCommand();

    // Shows the record-selection dialog in a mode ("O" open, "A" select, "L" delete); true when the dialog
    // stored the choice in the active flags.
    bool chooseRecords(const QString& mode);

    // Shows the input form (loaded empty for a new record when it is not loaded).
    mdiEINGABE* showInputForm();
    void unloadInputForm(mdiEINGABE* form);
    // Panels 8 and 9 offered and the File, Evaluate and Tools menus disabled while the input form is open.
    void setInputOpen(bool open);
    // Panel 8: stores the input form as a record and closes it; panel 9: closes it without storing.
    void saveInput();
    void discardInput();
    // Typed input is not thrown away unasked: true when the input form may go, because there is none, it
    // holds no changes, or the user said Yes to discarding them (No, the default, keeps it).
    bool inputMayBeDiscarded(const QString& title);
    // Before a File command that replaces the input form: asks as above, then closes the form. False when
    // the user kept it.
    bool closeInputFor(const QString& title);

    // The commands of the status-bar panels.
    void showPageChooser();
    void printPages();
    void copyScreen();
    void copyToWordProcessor();
    void closePages();

    std::unique_ptr<platform::QtDialogService> qtDialogs_;
    QPointer<frmANZEIGEN> pageChooser_;
    std::unique_ptr<platform::SystemDesktop> systemDesktop_;
    platform::TerminationSignals* terminationSignals_ = nullptr;
    std::shared_ptr<platform::Connection> cnnArchiv_;
    std::unique_ptr<platform::FileLock> runLock_;
    mdiAUTOSTART* startScreen_ = nullptr;
    ChildArea* childArea_ = nullptr;
    bool dirty_ = false;
    bool restart_ = false;
    bool madeFreshCopy_ = false;
    // The project database as it was when the working copy was taken from it (or last saved over it).
    std::optional<platform::DatabaseStamp> projectStamp_;
    int progressHoldMs_ = 1500;
    std::chrono::milliseconds saveLockWait_{platform::ProjectLock::WAIT};
    // The end of the run.
    std::optional<CloseReason> closeReason_; // set by the commands that close the window
    bool sessionEnding_ = false;             // the session manager asked for the data: the session ends
    bool startFrameProgram_ = false;
    bool keepWorkingCopy_ = false;
    bool unloaded_ = false;
};
