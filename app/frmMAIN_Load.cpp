// Start-up of a run: language, hand-over row, project checks, working copy, connections, start screen.
#include "frmMAIN.h"

#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/VersionInfo.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/system/FileSystem.h"
#include "platform/window/Twips.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QMdiSubWindow>
#include <QTextStream>

using namespace platform;
namespace fs = platform::FileSystem;

namespace {

QString readOwner(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll()).trimmed();
}

void writeOwner(const QString& file, const QString& projectDatabase) {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw VbError::permissionDenied(file);
    f.write(projectDatabase.toUtf8());
    f.write("\n");
}

} // namespace

frmMAIN::LoadResult frmMAIN::MDIForm_Load() {
    ErrorTrap trap(TITLE());
    const auto message = [this](const QString& english, const QString& german) {
        dialogs().MsgBox(SPRACHE == 1 ? english : german, Msg::OKOnly | Msg::Exclamation, TITLE());
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
            if (SPRACHE == 1) setEnglishTexts();
        }))
        return LoadResult::Abandoned;

    if (!developmentMode()) {
        const QString folder = DATENBANKPFAD();
        if (!trap.step([&] {
                cnnArchiv_ = std::make_shared<Connection>();
                cnnArchiv_->Open(fs::BuildPath(folder.isEmpty() ? QStringLiteral("/") : folder, QStringLiteral("ARCHIV.mdb")));
            }))
            return LoadResult::Abandoned;
        if (!trap.step([&] {
                cnnX_V = std::make_shared<Connection>();
                cnnX_V->Open(fs::BuildPath(folder.isEmpty() ? QStringLiteral("/") : folder, QStringLiteral("VORGABE.mdb")));
            }))
            return LoadResult::Abandoned;

        // The hand-over row of this user. A query that fails counts as no row.
        Recordset admin;
        bool found = false;
        if (!trap.step([&] {
                admin.Open(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]=") + SqlText(BENUTZER()), *cnnArchiv_);
                found = !admin.eof();
            }))
            return LoadResult::Abandoned;
        if (!found) {
            message(QStringLiteral("Program ") + TITLE() + QStringLiteral(" can used only via the frame program!"),
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
                    QStringLiteral("Die leere Datenbank ") + TITLE() + QStringLiteral(".mdb existiert nicht!\n") +
                        QStringLiteral("HELVANO muß neu installiert werden!"));
            return LoadResult::Ended;
        }
    } else {
        PROJEKTSPFAD = fs::GetParentFolderName(programFolder());
        PROJEKT = QStringLiteral("TE0000.00");
        BEARBEITER = BENUTZER();
    }

    if (!trap.step([&] {
            stbMAIN->Panels(1)->setText_(shortenedFolder(QDir::toNativeSeparators(PROJEKTSPFAD), QDir::separator()));
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

    if (!trap.step([&] { prepareWorkingCopy(projectDatabase(), XMDBPFAD()); })) return LoadResult::Abandoned;

    if (!trap.step([&] {
            cnnX = std::make_shared<Connection>();
            cnnX->Open(XMDBPFAD());
        }))
        return LoadResult::Abandoned;
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

// Makes the working copy of the project database. A copy left by an interrupted run is offered back only
// to the project it belongs to; a copy of another project (or of unknown origin) is set aside under a name
// of its own, and the user is told where, so that its changes are never lost nor saved into this project.
void frmMAIN::prepareWorkingCopy(const QString& source, const QString& target) {
    const QString ownerFile = workingCopyOwnerFile();
    madeFreshCopy_ = false;
    dirty_ = false;
    if (fs::FileExists(target)) {
        const QString owner = readOwner(ownerFile);
        if (owner == source) {
            const int answer = dialogs().MsgBox(
                SPRACHE == 1 ? QStringLiteral("Program was interuped during the execution!\n"
                                              "Do you want to save the changes till the interuption?")
                             : QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                              "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"),
                Msg::YesNo | Msg::Question, TITLE());
            if (answer == Msg::Yes) {
                // The kept copy holds changes the project database does not have yet.
                dirty_ = true;
                return;
            }
            fs::CopyFile(source, target, true);
            madeFreshCopy_ = true;
            writeOwner(ownerFile, source);
            return;
        }
        const QString project = owner.isEmpty() ? QStringLiteral("unbekannt")
                                                : fs::GetFileName(fs::GetParentFolderName(owner));
        const QString aside = fs::BuildPath(
            fs::GetParentFolderName(target),
            TITLE() + QLatin1Char(' ') + project + QLatin1Char(' ') +
                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss")) + QStringLiteral(".mdb"));
        fs::MoveFile(target, aside);
        if (fs::FileExists(ownerFile)) fs::DeleteFile(ownerFile, true);
        dialogs().MsgBox(
            SPRACHE == 1
                ? QStringLiteral("The working copy of project %1 left by an interrupted run was set aside as\n%2\n"
                                 "Project %3 is loaded afresh.")
                      .arg(owner.isEmpty() ? QStringLiteral("(unknown)") : project, aside, PROJEKT)
                : QStringLiteral("Die Arbeitskopie des Projekts %1 aus einer unterbrochenen Ausführung wurde "
                                 "beiseitegelegt unter\n%2\nProjekt %3 wird neu geladen.")
                      .arg(owner.isEmpty() ? QStringLiteral("(unbekannt)") : project, aside, PROJEKT),
            Msg::OKOnly | Msg::Information, TITLE());
    }
    fs::CopyFile(source, target, true);
    madeFreshCopy_ = true;
    writeOwner(ownerFile, source);
}

void frmMAIN::loadStartScreen() {
    startScreen_ = new mdiAUTOSTART;
    QMdiSubWindow* sub = mdiArea->addSubWindow(startScreen_, Qt::FramelessWindowHint);
    sub->setObjectName(QStringLiteral("mdiAUTOSTART_frame"));
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
}
