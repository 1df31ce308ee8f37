// The record commands of the File menu (New, Open, Select, Delete) and the input form's two status panels,
// save (8) and discard (9). Export-Import and Export-Inf.system are in frmMAIN_Exchange.cpp.
#include "frmMAIN.h"

#include "frmAUSWAHL.h"
#include "mdiEINGABE.h"
#include "NEUEID.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "RecordId.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QTimer>

using namespace platform;

bool frmMAIN::chooseRecords(const QString& mode) {
    Tag = mode;
    frmAUSWAHL dialog(this);
    dialog.Form_Load();
    dialogs().ShowForm(dialog);
    return Tag == QLatin1String("OK");
}

mdiEINGABE* frmMAIN::inputForm() const {
    return qobject_cast<mdiEINGABE*>(Form(QStringLiteral("mdiEINGABE")));
}

mdiEINGABE* frmMAIN::showInputForm() {
    mdiEINGABE* form = inputForm();
    if (form) {
        showChild(form);
        return form;
    }
    form = new mdiEINGABE;
    // While the frame takes its maximised place it hides and shows again, and the focus would wander from
    // the name box to the next one: a move the form takes for the user leaving an empty name. The form
    // takes no focus until it stands, then the name box has it.
    form->setEnabled(false);
    QMdiSubWindow* frame = addChild(form);
    form->setEnabled(true);
    form->txtKEN->setFocus(Qt::OtherFocusReason);
    // The form's close box discards the input as panel 9 does, so that the menus come back with it.
    frame->installEventFilter(this);
    return form;
}

bool frmMAIN::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        auto* frame = qobject_cast<QMdiSubWindow*>(watched);
        if (frame && frame->widget() && frame->widget() == inputForm()) {
            event->ignore();
            // Later: the frame is still inside its own close handling.
            QTimer::singleShot(0, this, [this] { stbMAIN_PanelClick(9); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMAIN::unloadInputForm(mdiEINGABE* form) {
    // The form goes at once from the area, and is deleted later: Ctrl+S in the form may have pressed the
    // panel, and its key handler is still running.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
        frame->removeEventFilter(this);
        frame->hide();
        mdiArea->removeSubWindow(frame);
        frame->deleteLater();
    } else {
        form->hide();
        form->deleteLater();
    }
}

void frmMAIN::setInputOpen(bool open) {
    setPanelVisible(8, open);
    setPanelVisible(9, open);
    for (QMenu* menu : {mnuDATEI, mnuAUSWERTEN, mnuEXTRAS})
        menu->menuAction()->setEnabled(!open);
}

bool frmMAIN::inputMayBeDiscarded(const QString& title) {
    mdiEINGABE* form = inputForm();
    if (!form || !form->geaendert()) return true;
    const QString name = form->txtKEN->Text().trimmed();
    const QString benannt = name.isEmpty() ? QString() : QLatin1Char(' ') + name;
    const QString question =
        Language::text(QStringLiteral("Discard the changes to record") + benannt + QLatin1Char('?'),
                       QStringLiteral("Sollen die Änderungen am Datensatz") + benannt +
                           QStringLiteral(" verworfen werden?"));
    return dialogs().MsgBox(question, Msg::YesNo | Msg::Question | Msg::DefaultButton2, title) == Msg::Yes;
}

bool frmMAIN::closeInputFor(const QString& title) {
    if (!inputMayBeDiscarded(title)) return false;
    if (mdiEINGABE* form = inputForm()) {
        unloadInputForm(form);
        setInputOpen(false);
    }
    return true;
}

void frmMAIN::mnuNEU_Click() {
    if (!closeInputFor(titleOf(mnuNEU))) return;
    ErrorTrap trap(titleOf(mnuNEU));
    ScreenPointer::set(ScreenPointer::Arrow);
    if (trap.step([&] { showInputForm(); })) {
        stbMAIN->Panels(6)->setText_(QStringLiteral("-"));
        stbMAIN->Panels(6)->setToolTipText(QString());
        setInputOpen(true);
    }
    ScreenPointer::set(ScreenPointer::Default);
}

void frmMAIN::mnuOEFFNEN_Click() {
    const QString title = titleOf(mnuOEFFNEN);
    if (!closeInputFor(title)) return;
    ErrorTrap trap(title);
    std::int32_t id = 0;
    // Exactly one record must be chosen; the dialog comes back until it is, or the user gives up.
    for (;;) {
        bool chosen = false;
        if (!trap.step([&] { chosen = chooseRecords(QStringLiteral("O")); }) || !chosen) return;
        long count = 0;
        if (!trap.step([&] {
                Recordset rs;
                rs.OpenForReading(
                    QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true and [ID]>0 ORDER BY [KEN]"),
                    *cnnX);
                count = rs.RecordCount();
                if (count == 1) id = store::longId(rs.Value(0), rs.Value(1));
            }) ||
            trap.failed())
            return;
        if (count == 1) break;
        const QString message = count == 0
                                    ? Language::text(QStringLiteral("There is no selected file!"),
                                                     QStringLiteral("Es gibt keinen aktuellen Datensatz!"))
                                    : Language::text(QStringLiteral("Only one file can be opened!"),
                                                     QStringLiteral("Es kann nur ein aktueller Datensatz "
                                                                    "geöffnet werden!"));
        if (dialogs().MsgBox(message, Msg::OKCancel | Msg::Exclamation, title) != Msg::OK) return;
    }
    Hourglass hourglass;
    WorkingCopyCommand command;
    mdiEINGABE* form = nullptr;
    if (!trap.step([&] { form = showInputForm(); })) return;
    DoEvents();
    if (!trap.step([&] { AKTUELLANZEIGEN(); })) return;
    if (form && !trap.step([&] { form->OEFFNEN(id); })) return;
    if (!trap.step([&] { command.End(); })) return;
    DoEvents();
    setInputOpen(true);
}

void frmMAIN::mnuAUSWAHL_Click() {
    if (!closeInputFor(titleOf(mnuAUSWAHL))) return;
    ErrorTrap trap(titleOf(mnuAUSWAHL));
    bool chosen = false;
    if (!trap.step([&] { chosen = chooseRecords(QStringLiteral("A")); }) || !chosen) return;
    setDirty(true); // the dialog has written the active flags
    WorkingCopyCommand command;
    long active = 0;
    if (!trap.step([&] {
            Recordset rs;
            rs.OpenForReading(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), *cnnX);
            active = rs.RecordCount();
        }))
        return;
    // Two or more active records: the multiple evaluation starts afresh (its row 0 goes with its result and
    // diagram rows, and its comment).
    if (active > 1) {
        if (!trap.step([&] { cnnX->Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=0")); })) return;
        if (!trap.step([&] { cnnX->Execute(QStringLiteral("DELETE FROM [M1] WHERE [IDM]=1")); })) return;
    }
    trap.step([&] { AKTUELLANZEIGEN(); }) && trap.step([&] { command.End(); });
}


void frmMAIN::mnuLOESCHEN_Click() {
    const QString title = titleOf(mnuLOESCHEN);
    ErrorTrap trap(title);
    bool chosen = false;
    if (!trap.step([&] { chosen = chooseRecords(QStringLiteral("L")); }) || !chosen) return;
    setDirty(true); // the dialog has written the active flags
    WorkingCopyCommand command;
    Recordset rs;
    // The multiple evaluation's row 0 is no record the user chose.
    if (!trap.step([&] {
            rs.OpenForReading(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true AND [ID]>0"),
                              *cnnX);
        }))
        return;
    for (; rs.isOpen() && !rs.eof(); rs.MoveNext()) {
        const QString name = rs.Value(1).isNull() ? QString() : CStr(rs.Value(1));
        const int answer = dialogs().MsgBox(
            Language::text(QStringLiteral("File ") + name + QStringLiteral(" will be deleted!"),
                           QStringLiteral("Datensatz ") + name + QStringLiteral(" wird gelöscht!")),
            Msg::OKCancel | Msg::Exclamation | Msg::DefaultButton2, title);
        if (answer != Msg::OK) continue;
        // The record's rows in E2, E3, A1, A2 and G0 go with its E1 row.
        if (!trap.step(
                [&] { cnnX->Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=?"), {rs.Value(0)}); }))
            return;
    }
    rs.Close();
    trap.step([&] { AKTUELLANZEIGEN(); }) && trap.step([&] { command.End(); });
}

void frmMAIN::saveInput() {
    const QString title = stbMAIN->Panels(8)->Text();
    ErrorTrap trap(title);
    mdiEINGABE* form = inputForm();
    if (!form) return;
    WorkingCopyCommand command;
    // Every value is checked before anything is asked or written: a value the store would refuse must not
    // cost the record that it was to replace.
    bool valid = false;
    if (!trap.step([&] { valid = form->EINGABEPRUEFEN(); }) || !valid) return;
    const QString name = form->txtKEN->Text();
    // Only records have names to look up: row 0, the multiple evaluation, is called "M" and is none.
    std::int32_t id = 0;
    bool exists = false;
    if (!trap.step([&] {
            Recordset rs;
            rs.OpenForReading(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]=? AND [ID]>0"), *cnnX,
                              {Variant(name)});
            exists = !rs.eof();
            if (exists) id = store::longId(rs.Value(0), Variant(name));
        }) ||
        trap.failed())
        return;
    if (exists) {
        const QString question =
            Language::text(QStringLiteral("Do you want to overwrite the file ") + name + QStringLiteral("?"),
                           QStringLiteral("Soll der vorhandene Datensatz ") + name +
                               QStringLiteral(" überschrieben werden?"));
        if (dialogs().MsgBox(question, Msg::YesNo | Msg::Question, title) != Msg::Yes) return;
    } else if (!trap.step([&] { id = store::NEUEID(*cnnX); }) || trap.failed()) {
        // Without a number of its own the record would be written over another one, whatever the answer.
        return;
    }
    Hourglass hourglass;
    // The old record goes and the new one is written in one transaction: when any part of the save fails,
    // the old record stays whole and the form keeps its input.
    bool saved = false;
    if (!trap.step([&] {
            Connection::Transaction transaction(*cnnX);
            if (exists) cnnX->Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=?"), {Variant(id)});
            if (!form->OK(id)) return;
            // The saved record is the only active one.
            cnnX->Execute(QStringLiteral("UPDATE [E1] SET [AKT]=false WHERE [ID]<>? AND [AKT]=true"),
                          {Variant(id)});
            transaction.commit();
            saved = true;
        }) ||
        !saved)
        return;
    setDirty(true);
    trap.step([&] { AKTUELLANZEIGEN(); }) && trap.step([&] { command.End(); });
    unloadInputForm(form);
    setInputOpen(false);
}

void frmMAIN::discardInput() {
    if (!inputMayBeDiscarded(stbMAIN->Panels(9)->Text())) return;
    Hourglass hourglass;
    if (mdiEINGABE* form = inputForm()) unloadInputForm(form);
    setInputOpen(false);
    // New showed "-" in panel 6: the active records are those of before again.
    ErrorTrap(stbMAIN->Panels(9)->Text()).step([&] { AKTUELLANZEIGEN(); });
}
