// The record commands of the File menu: New, Open, Select, Export-Import, Export-Inf.system, Delete.
// Export-Import and Export-Inf.system come with the data-exchange dialogs.
#include "frmMAIN.h"

#include "frmAUSWAHL.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"

using namespace platform;

bool frmMAIN::chooseRecords(const QString& mode) {
    Tag = mode;
    frmAUSWAHL dialog(this);
    dialog.Form_Load();
    dialogs().ShowForm(dialog);
    return Tag == QLatin1String("OK");
}

void frmMAIN::mnuNEU_Click() {}
void frmMAIN::mnuOEFFNEN_Click() {}

void frmMAIN::mnuAUSWAHL_Click() {
    ErrorTrap trap(mnuAUSWAHL->text());
    bool chosen = false;
    if (!trap.step([&] { chosen = chooseRecords(QStringLiteral("A")); }) || !chosen) return;
    setDirty(true); // the dialog has written the active flags
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
    trap.step([&] { AKTUELLANZEIGEN(); });
}

void frmMAIN::mnuEXPIMP_Click() {}
void frmMAIN::mnuEXPINF_Click() {}

void frmMAIN::mnuLOESCHEN_Click() {
    const QString title = mnuLOESCHEN->text();
    ErrorTrap trap(title);
    bool chosen = false;
    if (!trap.step([&] { chosen = chooseRecords(QStringLiteral("L")); }) || !chosen) return;
    setDirty(true); // the dialog has written the active flags
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
            SPRACHE == 1 ? QStringLiteral("File ") + name + QStringLiteral(" will be deleted!")
                         : QStringLiteral("Datensatz ") + name + QStringLiteral(" wird gelöscht!"),
            Msg::OKCancel | Msg::Exclamation, title);
        if (answer != Msg::OK) continue;
        // The record's rows in E2, E3, A1, A2 and G0 go with its E1 row.
        if (!trap.step(
                [&] { cnnX->Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=?"), {rs.Value(0)}); }))
            return;
    }
    rs.Close();
    trap.step([&] { AKTUELLANZEIGEN(); });
}
