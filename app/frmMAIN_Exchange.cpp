// The data-exchange commands of the File menu: Export-Import and Export-Inf.system.
#include "frmMAIN.h"

#include "frmEXPIMP.h"
#include "frmEXPINF.h"
#include "platform/run/ErrorBox.h"

using platform::ErrorTrap;

void frmMAIN::mnuEXPIMP_Click() {
    const QList<QMenu*> menus{mnuDATEI, mnuAUSWERTEN, mnuEXTRAS};
    for (QMenu* menu : menus)
        menu->menuAction()->setEnabled(false);
    // The dialog answers whether it opened another project's database: records may have been imported. Its
    // answer is taken from this dialog itself, never from what an earlier dialog left behind.
    bool anderesProjekt = false;
    ErrorTrap trap(mnuEXPIMP->text().remove(QLatin1Char('&')));
    trap.step([&] {
        frmEXPIMP dialog(this);
        dialog.Form_Load();
        dialogs().ShowForm(dialog);
        anderesProjekt = dialog.Form_Unload();
    });
    if (anderesProjekt) setDirty(true);
    for (QMenu* menu : menus)
        menu->menuAction()->setEnabled(true);
}

void frmMAIN::mnuEXPINF_Click() {
    ErrorTrap trap(mnuEXPINF->text().remove(QLatin1Char('&')));
    trap.step([&] {
        frmEXPINF dialog(this);
        dialog.Form_Load();
        dialogs().ShowForm(dialog);
        dialog.Form_Unload();
    });
}
