#pragma once

#include "Ordnerbaum.h"
#include "platform/db/ProjectLock.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <QDialog>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QListWidget;
class QPushButton;
class QTreeView;
namespace platform {
class Connection;
}

// The dialog "Export/Import": copies whole test records between the project the user works in (its working
// copy) and the project database of another project, which the user finds in a folder tree.
//
//   frmEXPIMP dialog(owner);
//   dialog.Form_Load();
//   dialogs.ShowForm(dialog);
//   if (dialog.Form_Unload()) ...  // another project was opened: records may have come in
//
// The left side is the other project: a list of mounted volumes (the drives), a folder tree that also shows
// the project databases it holds, and that project's records. The right side lists the current project's
// records. Export copies the records selected on the right into the other project, Import those selected on
// the left into the working copy; both stay disabled until another project's database is open. A record
// whose name the target already holds is not copied (the user is asked whether to go on with the next).
//
// The tree opens with the folder that holds the project folders in view; from then on only the user moves
// it. Neither the model reading a folder late or again (another program made, renamed or removed a folder
// beside the project) nor the dialog taking the folder the user chose scrolls it, and rows that come or go
// above those in view shift nothing: the folder at the top stays there, so that a click always chooses the
// folder under the pointer.
//
// The other project is the file "TAMBRIN.mdb" in the chosen folder, opened on a connection of the dialog's
// own and written directly. The working copy is never offered as the other project, and neither is the
// current project's own database (the next Save would put the working copy over what was copied there) nor
// the empty template beside the program; files compare by identity, so another link to one of them is it.
// A folder without a project database opens nothing and keeps the last opened project.
// An export holds the other project's Save lock while it writes (platform::ProjectLock): it waits for a Save
// of that project by one of its users, and writes into the file that Save left; a lock held longer than the
// wait gives one message naming its holder, and nothing more is written. A lock that another computer's run
// left behind is taken over only after a question. No lock is held while a question waits.
// The other project is checked when it is opened: a damaged one is not opened, a read-only one gives its
// records but takes none. A copy that fails (a full disk, a read-only or damaged file, no ID left) stops at
// that record with one message that names the target and the cause; the records copied before stay.
class frmEXPIMP : public QDialog {
    Q_OBJECT
public:
    explicit frmEXPIMP(QWidget* owner = nullptr);
    ~frmEXPIMP() override;

    // Captions of the language, the current project's records, and the folder that holds the project
    // folders (a project database lying directly in it is opened at once).
    void Form_Load();
    // Closes the other project's database. True when one was opened while the dialog was shown: the
    // dialog's result, which the caller takes for a change of the working copy.
    bool Form_Unload();

    // A volume chosen in the drive list: the folder tree shows it and its top folder becomes the folder.
    void drvEXP_Change(const QString& laufwerk);
    // A folder chosen (by the user in the tree, or by the dialog): opens the project database it holds.
    void dirEXP_Change(const QString& ordner);
    // The folder chosen last.
    const QString& ordner() const { return ordner_; }
    // The project database that is open as the other project ("" when none is).
    QString anderesProjekt() const;

    // How long an export waits for a Save of the other project by one of its users (tests shorten it).
    void setSperrfrist(std::chrono::milliseconds frist) { sperrfrist_ = frist; }

    void cmdEXP_Click();
    void cmdIMP_Click();
    void cmdSCHLIESSEN_Click();

    QGroupBox* fraEXP;
    QComboBox* drvEXP;
    Ordnerbaum* dirEXP;
    QListWidget* lstEXP;
    QGroupBox* fraIMP;
    QListWidget* lstIMP;
    QPushButton* cmdEXP;
    QPushButton* cmdIMP;
    QPushButton* cmdSCHLIESSEN;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The dialog can be made larger: the tree and the lists take the room, the buttons keep to the bottom.
    void resizeEvent(QResizeEvent* event) override;

private:
    // Refills a list with the records of the database behind the connection: "name (comment)", the ID as
    // the item's data; "<leer>" (which can't be chosen) when there is none.
    void LISTEFUELLEN(platform::Connection& verbindung, QListWidget& liste);
    // Copies every selected record of the source list from source to target, each in one transaction. With
    // a lock (the target is another project's database) each record is written under it; the lock is let go
    // while a question waits for its answer.
    void DATENSAETZEKOPIEREN(platform::Connection& quelle, QListWidget& quellliste,
                             platform::Connection& ziel, platform::ProjectLock* sperre = nullptr);
    // Takes the target's lock for the export (waiting for a Save of it, asking about a stale one) and opens
    // the target anew. False when it can't be had: the user has been told, or said No.
    bool sperreNehmen(platform::ProjectLock& sperre, platform::Connection& ziel);
    // The database file a folder would hold, and whether it may be opened as the other project.
    static QString kandidat(const QString& ordner);
    bool zulaessig(const QString& datei) const;
    // Checks the other project just opened: a damaged one is closed again after one message; notes whether
    // it can be written. False when it was closed.
    bool zielPruefen(const QString& datei);
    // The one message of a copy that could not be done: the target and the cause.
    void zielMelden(const QString& ziel, const QString& grund);
    void knoepfeSetzen();
    // Brings a folder into view, opened and current: as the dialog opens, never after.
    void ordnerZeigen(const QString& ordner);
    // Waits, a few seconds at most, until the tree has read the folders on the way to the chosen folder, and
    // shows it there, so that the tree stands still when the dialog appears.
    void ordnerAbwarten();
    // Where a control stands at the dialog's first size, and which share of the added width and height
    // moves its left and top edges and widens it.
    struct Anker {
        QWidget* control;
        QRect lage;
        double links, breite, oben, hoehe;
    };
    std::vector<Anker> anker_;
    QSize grundgroesse_;

    QFileSystemModel* modell_;
    std::unique_ptr<platform::Connection> cnnEXP_;
    bool geoeffnet_ = false;
    bool schreibbar_ = false; // the other project takes records
    bool entladen_ = false;
    std::chrono::milliseconds sperrfrist_{platform::ProjectLock::WAIT};
    QString ordner_;
};
