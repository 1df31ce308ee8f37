// Start-up of a run: language, hand-over row, project checks, working copy, connections, start screen.
#include "frmMAIN.h"

#include "ChildArea.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/LockRequest.h"
#include "platform/run/VersionInfo.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/system/FileLock.h"
#include "platform/system/FileSystem.h"
#include "platform/system/SettingsStore.h"
#include "platform/window/Twips.h"
#include "Schema.h"

#include <cerrno>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>

using namespace platform;
namespace fs = platform::FileSystem;

frmMAIN::LoadResult frmMAIN::MDIForm_Load() {
    ErrorTrap trap(TITLE());
    const auto message = [this](const QString& english, const QString& german) {
        dialogs().MsgBox(Language::text(english, german), Msg::OKOnly | Msg::Exclamation, TITLE());
    };

    // The warning beep has no setting to switch off here.
    trap.step([] {});

    if (!trap.step([&] {
            const QString language = LOCALEINFO(0, 0x59);
            SPRACHE = language == QLatin1String("de") ? 3 : language == QLatin1String("en") ? 1 : 3;
        }))
        return LoadResult::Abandoned;
    if (!trap.step([&] { DEZIMALPUNKT = LOCALEINFO(0, 0x0E); })) return LoadResult::Abandoned;
    if (!trap.step([&] {
            if (Language::english()) setEnglishTexts();
        }))
        return LoadResult::Abandoned;

    // Nothing is read or written before this run owns the user's working copy.
    if (!takeRunLock()) return LoadResult::Ended;
    if (!trap.step([&] { removeLeftovers(); })) return LoadResult::Abandoned;

    if (!developmentMode()) {
        if (!checkDatabaseFolderSetting()) return LoadResult::Ended;
        const QString folder = DATENBANKPFAD();
        if (!trap.step([&] {
                cnnArchiv_ = std::make_shared<Connection>();
                cnnArchiv_->Open(fs::BuildPath(folder, QStringLiteral("ARCHIV.mdb")));
            }))
            return LoadResult::Abandoned;
        if (!trap.step([&] {
                cnnX_V = std::make_shared<Connection>();
                cnnX_V->Open(fs::BuildPath(folder, QStringLiteral("VORGABE.mdb")));
            }))
            return LoadResult::Abandoned;

        // The hand-over row of this user. A query that fails counts as no row.
        Recordset admin;
        bool found = false;
        if (!trap.step([&] {
                admin.Open(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]=") + SqlText(BENUTZER()),
                           *cnnArchiv_);
                found = !admin.eof();
            }))
            return LoadResult::Abandoned;
        if (!found) {
            message(QStringLiteral("Program ") + TITLE() +
                        QStringLiteral(" can used only via the frame program!"),
                    QStringLiteral("Programm ") + TITLE() +
                        QStringLiteral(" kann nur über das Rahmenprogramm ausgeführt werden!"));
            return LoadResult::Ended;
        }
        if (!trap.step([&] {
                admin.MoveFirst();
                admin.SetValue(QStringLiteral("PROG"), Variant(TITLE()));
                admin.Update();
            }))
            return LoadResult::Abandoned;
        const auto text = [&admin](const char* column) {
            const Variant v = admin.Value(QString::fromLatin1(column));
            return v.isNull() ? QString() : v.asString();
        };
        if (!trap.step([&] { PROJEKTSPFAD = text("PROJEKTSPFAD"); })) return LoadResult::Abandoned;
        if (!trap.step([&] { PROJEKT = text("PROJEKT"); })) return LoadResult::Abandoned;
        if (!trap.step([&] { BEARBEITER = text("BEARBEITER"); })) return LoadResult::Abandoned;
        admin.Close();

        if (!fs::FolderExists(fs::BuildPath(PROJEKTSPFAD, PROJEKT))) {
            message(QStringLiteral("Project directory ") + PROJEKT + QStringLiteral(" dosn't exist!"),
                    QStringLiteral("Projektsverzeichnis ") + PROJEKT + QStringLiteral(" existiert nicht!"));
            return LoadResult::Ended;
        }
        if (!fs::FileExists(fs::BuildPath(programFolder(), TITLE() + QStringLiteral(".mdb")))) {
            message(QStringLiteral("The empty database ") + TITLE() + QStringLiteral(".mdb dosn't exist!\n") +
                        QStringLiteral("HELVANO has to be installed again!"),
                    QStringLiteral("Die leere Datenbank ") + TITLE() +
                        QStringLiteral(".mdb existiert nicht!\n") +
                        QStringLiteral("HELVANO muß neu installiert werden!"));
            return LoadResult::Ended;
        }
    } else {
        PROJEKTSPFAD = fs::GetParentFolderName(programFolder());
        PROJEKT = QStringLiteral("TE0000.00");
        BEARBEITER = BENUTZER();
    }

    if (!trap.step([&] {
            stbMAIN->Panels(1)->setText_(
                shortenedFolder(QDir::toNativeSeparators(PROJEKTSPFAD), QDir::separator()));
            stbMAIN->Panels(1)->setToolTipText(PROJEKTSPFAD);
        }))
        return LoadResult::Abandoned;
    if (!trap.step([&] {
            stbMAIN->Panels(2)->setText_(PROJEKT);
            stbMAIN->Panels(2)->setToolTipText(BEARBEITER);
        }))
        return LoadResult::Abandoned;
    if (!trap.step([&] {
            stbMAIN->Panels(4)->setText_(TITLE());
            stbMAIN->Panels(4)->setToolTipText(VersionInfo::current().ProductName);
        }))
        return LoadResult::Abandoned;

    // A Save of this project that was killed half way left its copy beside the project database.
    if (!trap.step([&] { Connection::RemoveStaleCopy(projectDatabase()); })) return LoadResult::Abandoned;

    // Without its working copy and its connection a run could only fail at every command: one message,
    // whatever the answer, and the run ends.
    ErrorTrap noWorkingCopy(TITLE(), [this](const VbError& error) {
        return ErrorBoxText(error) + QLatin1Char('\n') + programEnds();
    });
    const auto ended = [&noWorkingCopy] {
        return noWorkingCopy.cancelled() ? LoadResult::Abandoned : LoadResult::Ended;
    };
    noWorkingCopy.step([&] { prepareWorkingCopy(projectDatabase(), XMDBPFAD()); });
    if (noWorkingCopy.failed()) return ended();
    noWorkingCopy.step([&] {
        cnnX = std::make_shared<Connection>();
        cnnX->Open(XMDBPFAD());
        // A project made by an earlier version gets the indexes in its working copy (and with Save in
        // the project database).
        schema::addIndexes(*cnnX);
    });
    if (noWorkingCopy.failed()) return ended();
    if (!trap.step([&] { AKTUELLANZEIGEN(); })) return LoadResult::Abandoned;
    if (!trap.step([&] {
            // Without a window manager a maximised window keeps its default size: give it the screen.
            if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
            showMaximized();
        }))
        return LoadResult::Abandoned;
    if (!trap.step([&] { loadStartScreen(); })) return LoadResult::Abandoned;
    return LoadResult::Running;
}

QString frmMAIN::runLockFile() const {
    QString path = XMDBPFAD();
    path.chop(4);
    return path + QStringLiteral(".lock");
}

bool frmMAIN::takeRunLock() {
    try {
        runLock_ = std::make_unique<FileLock>(runLockFile(), BENUTZER());
        // Not waited for: a run of this user that holds it goes on for hours.
        if (LockRequest(*runLock_, LockRequest::Purpose::Start, BENUTZER(), TITLE())
                .take(std::chrono::milliseconds::zero()))
            return true;
        runLock_.reset();
    } catch (const std::exception& e) {
        runLock_.reset();
        dialogs().MsgBox(ErrorBoxText(asVbError(e)) + QLatin1Char('\n') + programEnds(),
                         Msg::OKOnly | Msg::Exclamation, TITLE());
    }
    return false;
}

void frmMAIN::removeLeftovers() {
    // This run holds the user's lock: nobody else writes these files now.
    const QString copy = XMDBPFAD();
    const QString compaction = compactionFile(copy);
    for (const QString& file :
         {copy + QStringLiteral(".tmp"), compaction, compaction + QStringLiteral("-journal")})
        if (fs::FileExists(file)) fs::DeleteFile(file, true);
}

QString frmMAIN::programEnds() {
    return Language::text(QStringLiteral("The program ends."), QStringLiteral("Das Programm wird beendet."));
}

bool frmMAIN::checkDatabaseFolderSetting() {
    if (!DATENBANKPFAD().isEmpty()) return true;
    const QString file = SettingsStore::fileOf(FAMILY());
    const QString text =
        QFileInfo::exists(file)
            ? Language::text(QStringLiteral("The settings file '%1' lacks the database folder "
                                            "(value 'Datenbankpfad' in section 'Extras')."),
                             QStringLiteral("In der Einstellungsdatei '%1' fehlt der Datenbankpfad "
                                            "(Wert 'Datenbankpfad' im Abschnitt 'Extras')."))
            : Language::text(
                  QStringLiteral("The settings file '%1' does not exist: it names the database folder "
                                 "(value 'Datenbankpfad' in section 'Extras')."),
                  QStringLiteral("Die Einstellungsdatei '%1' fehlt: Sie nennt den Datenbankpfad "
                                 "(Wert 'Datenbankpfad' im Abschnitt 'Extras')."));
    dialogs().MsgBox(text.arg(QDir::toNativeSeparators(file)) + QLatin1Char('\n') + programEnds(),
                     Msg::OKOnly | Msg::Exclamation, TITLE());
    return false;
}

// Makes the working copy of the project database. A copy left by an interrupted run is offered back only
// to the project it belongs to; a copy of another project (or of unknown origin) is set aside under a name
// of its own, and the user is told where, so that its changes are never lost nor saved into this project.
void frmMAIN::prepareWorkingCopy(const QString& source, const QString& target) {
    const QString ownerFile = workingCopyOwnerFile();
    madeFreshCopy_ = false;
    dirty_ = false;
    projectStamp_.reset();
    const auto copyProject = [&] {
        // A project file that is no database (an empty one too) is named as what it is, before it is copied.
        const bool database = fs::FileExists(source);
        if (database) Connection().Open(source);
        // Taken before the copy: a write that comes during the copy counts as a change since.
        const DatabaseStamp stamp = DatabaseStamp::of(source);
        // Read under the engine's read lock, so that another user's write into the project is waited for and
        // never copied half done; a missing file is reported as the file copy reports it.
        if (database)
            Connection::CopyDatabase(source, target);
        else
            fs::CopyFile(source, target, true);
        madeFreshCopy_ = true;
        keepProjectStamp(stamp);
    };
    if (fs::FileExists(target)) {
        const QStringList ownerLines = workingCopyOwner();
        const QString owner = ownerLines.value(0);
        if (owner == source) {
            const int answer = dialogs().MsgBox(
                Language::text(
                    QStringLiteral("Program was interuped during the execution!\n"
                                   "Do you want to save the changes till the interuption?"),
                    QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                   "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?")),
                Msg::YesNo | Msg::Question, TITLE());
            if (answer == Msg::Yes) {
                // The kept copy holds changes the project database does not have yet; Save compares the
                // project database with what it was when this copy was taken, not with what it is now (a
                // copy kept by an earlier version did not note it: the project as it is now stands in).
                dirty_ = true;
                projectStamp_ =
                    DatabaseStamp::fromText(ownerLines.value(1)).value_or(DatabaseStamp::of(source));
                return;
            }
            copyProject();
            return;
        }
        const QString project =
            owner.isEmpty() ? QStringLiteral("unbekannt") : fs::GetFileName(fs::GetParentFolderName(owner));
        const QString aside =
            fs::BuildPath(fs::GetParentFolderName(target),
                          TITLE() + QLatin1Char(' ') + project + QLatin1Char(' ') +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss")) +
                              QStringLiteral(".mdb"));
        fs::MoveFile(target, aside);
        if (fs::FileExists(ownerFile)) fs::DeleteFile(ownerFile, true);
        dialogs().MsgBox(
            Language::text(
                QStringLiteral("The working copy of project %1 left by an interrupted run was set aside "
                               "as\n%2\nProject %3 is loaded afresh."),
                QStringLiteral("Die Arbeitskopie des Projekts %1 aus einer unterbrochenen Ausführung wurde "
                               "beiseitegelegt unter\n%2\nProjekt %3 wird neu geladen."))
                .arg(owner.isEmpty()
                         ? Language::text(QStringLiteral("(unknown)"), QStringLiteral("(unbekannt)"))
                         : project,
                     aside, PROJEKT),
            Msg::OKOnly | Msg::Information, TITLE());
    }
    copyProject();
}

void frmMAIN::loadStartScreen() {
    startScreen_ = new mdiAUTOSTART;
    QMdiSubWindow* sub = mdiArea->addSubWindow(startScreen_, Qt::FramelessWindowHint);
    sub->setObjectName(QStringLiteral("mdiAUTOSTART_frame"));
    childArea_->setBackground(sub);
    setProgressBar(startScreen_->pgbBERECHNEN);
    const QSize inner = mdiArea->viewport()->size();
    startScreen_->Form_Load(platform::pixelsToTwips(inner.width()), platform::pixelsToTwips(inner.height()));
    DoEvents();
    sub->showMaximized();
}

void frmMAIN::endAbandonedStart() {
    if (cnnX) cnnX->Close();
    if (cnnX_V) cnnX_V->Close();
    if (cnnArchiv_) cnnArchiv_->Close();
    if (madeFreshCopy_) {
        try {
            const QString copy = XMDBPFAD();
            if (fs::FileExists(copy)) fs::DeleteFile(copy, true);
            if (fs::FileExists(workingCopyOwnerFile())) fs::DeleteFile(workingCopyOwnerFile(), true);
        } catch (const VbError&) {
            // Left on disk, the copy is offered back at the next start.
        }
        madeFreshCopy_ = false;
    }
    runLock_.reset();
}
