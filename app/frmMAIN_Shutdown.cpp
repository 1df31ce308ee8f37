// Close, Quit and the end of a run.
#include "frmMAIN.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/DesktopService.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/Language.h"
#include "platform/run/LockRequest.h"
#include "platform/system/FileLock.h"
#include "platform/system/FileSystem.h"
#include "platform/system/TerminationSignals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

using namespace platform;
namespace fs = platform::FileSystem;

void frmMAIN::mnuSCHLIESSEN_Click() {
    restart_ = true;
    closeReason_ = CloseReason::Program;
    close();
    closeReason_.reset();
}

void frmMAIN::mnuBEENDEN_Click() {
    restart_ = false;
    closeReason_ = CloseReason::Program;
    close();
    closeReason_.reset();
}

void frmMAIN::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    // A close that comes from neither the user nor the program's commands is the system's once the session
    // manager has announced the end of the session.
    const CloseReason reason = closeReason_           ? *closeReason_
                               : event->spontaneous() ? CloseReason::User
                               : sessionEnding_       ? CloseReason::System
                                                      : CloseReason::Program;
    const bool cancel = MDIForm_QueryUnload(reason);
    // The session may have ended while the question was open.
    if (unloaded_) {
        event->accept();
        return;
    }
    if (cancel) {
        event->ignore();
        return;
    }
    MDIForm_Unload();
    event->accept();
}

bool frmMAIN::MDIForm_QueryUnload(CloseReason reason) {
    // The input form goes with the window: its changes first, then the project's.
    if (reason != CloseReason::System && !inputMayBeDiscarded(titleOf(mnuBEENDEN))) return true;
    ErrorTrap trap(TITLE());
    bool cancel = false;
    trap.step([&] {
        if (reason == CloseReason::System || !dirty_) return;
        QString question;
        switch (SPRACHE) {
        case 1:
            question =
                QStringLiteral("Do you want to save changes to project ") + PROJEKT + QStringLiteral("?");
            break;
        case 3:
            question = QStringLiteral("Sollen die Änderungen in Projekt ") + PROJEKT +
                       QStringLiteral(" gespeichert werden?");
            break;
        default:
            return;
        }
        switch (dialogs().MsgBox(question, Msg::YesNoCancel | Msg::Question, titleOf(mnuBEENDEN))) {
        case Msg::Yes:
            // Work that could not be saved is not thrown away with the working copy: the run goes on.
            if (!saveProject()) cancel = true;
            break;
        case Msg::Cancel:
            cancel = true;
            break;
        default:
            break;
        }
    });
    if (cancel) return true;
    // The frame program starts at the end of the unload, once the hand-over row names it again.
    trap.step([&] { startFrameProgram_ = reason == CloseReason::User || restart_; });
    // A shutdown the program did not start itself keeps unsaved work for the next start to offer back.
    keepWorkingCopy_ = reason == CloseReason::System && dirty_;
    return false;
}

void frmMAIN::MDIForm_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    ErrorTrap trap(TITLE());
    const auto run = [&] {
        if (!trap.step([&] { unloadEveryWindow(); })) return;
        if (!developmentMode() && cnnArchiv_) {
            Recordset admin;
            if (!trap.step([&] {
                    admin.Open(QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]=") +
                                   SqlText(BENUTZER()),
                               *cnnArchiv_);
                }))
                return;
            if (!trap.step([&] { admin.MoveFirst(); })) return;
            if (!trap.step([&] { admin.SetValue(QStringLiteral("PROG"), Variant(FAMILY())); })) return;
            if (!trap.step([&] { admin.Update(); })) return;
            admin.Close();
            if (!trap.step([&] {
                    cnnArchiv_->Close();
                    cnnArchiv_.reset();
                    if (cnnX_V) cnnX_V->Close();
                }))
                return;
        }
        // The connection objects stay, closed: whoever still holds one gets an error, not a crash.
        if (!trap.step([&] {
                if (cnnX) cnnX->Close();
            }))
            return;
        if (keepWorkingCopy_) return;
        // The working copy and its owner file are this run's only while it holds the user's lock: a run that
        // took the lock over meanwhile (this computer froze) works with them now.
        if (runLock_ && !runLock_->stillHeld()) {
            LockRequest(*runLock_, LockRequest::Purpose::Start, BENUTZER(), TITLE()).sayLost();
            return;
        }
        if (!trap.step([&] { fs::DeleteFile(XMDBPFAD()); })) return;
        // The owner file goes with the copy; a copy that stays is offered back at the next start.
        trap.step([&] {
            if (!fs::FileExists(XMDBPFAD()) && fs::FileExists(workingCopyOwnerFile()))
                fs::DeleteFile(workingCopyOwnerFile(), true);
        });
    };
    run();
    // The user's next run may start now.
    runLock_.reset();
    // Started last, so that the frame program finds its row handed back and no working copy left over.
    if (startFrameProgram_) ErrorTrap(TITLE()).step([&] { startFrameProgram(); });
    QCoreApplication::exit(0);
}

void frmMAIN::unloadEveryWindow() {
    // The forms go later, not now: Quit may have been pressed in one of them, whose handler is still running.
    for (QWidget* form : Forms()) {
        QWidget* frame = form->parentWidget();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) {
            sub->hide();
            mdiArea->removeSubWindow(sub);
            sub->deleteLater();
        } else {
            form->deleteLater();
        }
    }
    startScreen_ = nullptr;
    setProgressBar(nullptr);
    // The dialogs and tool windows this window owns.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || !w->isVisible()) continue;
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (p == this) {
                w->close();
                break;
            }
    }
}

void frmMAIN::startFrameProgram() {
    const QString folder = fs::GetParentFolderName(programFolder());
    const QString program = fs::BuildPath(folder, FAMILY());
    if (!fs::FileExists(program)) return;
    if (!desktop().startProgram(program, folder))
        throw VbError(VbError::FileNotFound,
                      Language::text(QStringLiteral("The program '%1' could not be started."),
                                     QStringLiteral("Das Programm '%1' konnte nicht gestartet werden."))
                          .arg(program));
}

void frmMAIN::endOfSession() {
    if (unloaded_) return;
    sessionEnding_ = true;
    MDIForm_QueryUnload(CloseReason::System);
    MDIForm_Unload();
    hide();
}

void frmMAIN::watchSessionEnd() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
#ifndef QT_NO_SESSIONMANAGER
        // The session manager asks for the data first and ends the program afterwards, if at all.
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { sessionEnding_ = true; });
#endif
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { endOfSession(); });
    }
    if (!terminationSignals_) {
        terminationSignals_ = new TerminationSignals(this);
        connect(terminationSignals_, &TerminationSignals::received, this, [this] { endOfSession(); });
    }
}
