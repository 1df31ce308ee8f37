// The Evaluate menu: item states, Calculate, Calculate multiple, Calculate first.
#include "frmMAIN.h"

#include "clsBERECHNEN.h"
#include "pages/multiple/mdiMSEITE1.h"
#include "pages/single/mdiSEITE1.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "RecordId.h"

using namespace platform;

namespace {

void enable(std::initializer_list<QAction*> items, bool enabled) {
    for (QAction* a : items) a->setEnabled(enabled);
}

} // namespace

void frmMAIN::mnuAUSWERTEN_Click() {
    ErrorTrap trap(mnuAUSWERTEN->title());
    ScreenPointer::set(ScreenPointer::Hourglass);
    WorkingCopyCommand command;
    std::int16_t count = 0;
    std::int32_t id = 0;
    [&] {
        if (!trap.step([&] {
                Recordset rs;
                rs.Open(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true"), *cnnX);
                if (rs.eof()) return;
                rs.MoveLast();
                count = std::int16_t(rs.RecordCount());
                // Every active record must have an ID the evaluation and the pages hold.
                for (rs.MoveFirst(); !rs.eof(); rs.MoveNext())
                    id = store::longId(rs.Value(QStringLiteral("ID")), rs.Value(QStringLiteral("KEN")));
            }))
            return;
        // An active record that can't be evaluated (its ID is beyond a Long) has been named: nothing to do.
        if (trap.failed()) count = 0;
        if (count == 0) {
            enable({mnuEINGABEGRAFIK, mnuBERECHNEN, mnuMBERECHNEN, mnuFBERECHNEN, mnuNEUBERECHNEN}, false);
        } else if (count == 1) {
            if (!trap.step([&] {
                    Recordset rs;
                    rs.Open(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=") + QString::number(id), *cnnX);
                    if (rs.eof()) {
                        rs.AddNew();
                        rs.SetValue(QStringLiteral("ID"), Variant(id));
                        rs.SetValue(QStringLiteral("BONEU"), Variant(true));
                        rs.Update();
                    }
                    if (CBool(rs.Value(QStringLiteral("BONEU")))) {
                        enable({mnuBERECHNEN, mnuFBERECHNEN}, false);
                    } else {
                        mnuBERECHNEN->setEnabled(true);
                    }
                }))
                return;
            mnuMBERECHNEN->setEnabled(false);
            mnuNEUBERECHNEN->setEnabled(true);
        } else {
            enable({mnuEINGABEGRAFIK, mnuBERECHNEN}, false);
            if (!trap.step([&] {
                    // The multiple evaluation is the pseudo record 0; its row is never active.
                    Recordset e1;
                    e1.Open(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0"), *cnnX);
                    if (e1.eof()) {
                        e1.AddNew();
                        e1.SetValue(QStringLiteral("ID"), Variant(std::int32_t(0)));
                        e1.SetValue(QStringLiteral("KEN"), Variant(QStringLiteral("M")));
                        e1.SetValue(QStringLiteral("KOM"), Variant(QStringLiteral("Mehrfachauswertung")));
                        e1.Update();
                    }
                }))
                return;
            if (!trap.step([&] {
                    Recordset a1;
                    a1.Open(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0"), *cnnX);
                    if (a1.eof()) {
                        a1.AddNew();
                        a1.SetValue(QStringLiteral("ID"), Variant(std::int32_t(0)));
                        a1.SetValue(QStringLiteral("BONEU"), Variant(true));
                        a1.Update();
                    }
                }))
                return;
            mnuMBERECHNEN->setEnabled(true);
            enable({mnuFBERECHNEN, mnuNEUBERECHNEN}, false);
        }
        trap.step([&] { command.End(); });
    }();
    ScreenPointer::set(ScreenPointer::Default);
}

QWidget* frmMAIN::loadPage1() {
    if (QWidget* loaded = Form(QStringLiteral("mdiSEITE1"))) return loaded;
    auto* page = new mdiSEITE1;
    addChild(page);
    page->Form_Load();
    return page;
}

void frmMAIN::showPageCommands() {
    for (int i = 10; i <= 15; ++i) {
        setPanelVisible(i, true);
        stbMAIN->Panels(i)->setBevel(StatusPanel::Raised);
    }
    // The AutoCAD panel has no action: the page that is now active hides it again.
    notifyActivation(ActiveForm());
}

void frmMAIN::holdProgressAtFull() {
    pgbBERECHNEN().setValue(100);
    DoEvents();
    Sleep(progressHoldMs_);
}

bool frmMAIN::finishPageCommand(ErrorTrap& trap) {
    return trap.step([&] {
        holdProgressAtFull();
        pgbBERECHNEN().setVisible(false);
        pgbBERECHNEN().setValue(0);
    }) && trap.step([&] {
        dirty_ = true;
        mnuDATEI->menuAction()->setEnabled(false);
        ScreenPointer::set(ScreenPointer::Default);
    });
}

void frmMAIN::leavePageCommand() {
    ScreenPointer::set(ScreenPointer::Default);
    setEnabled(true);
    pgbBERECHNEN().setVisible(false);
}

void frmMAIN::mnuBERECHNEN_Click() {
    ErrorTrap trap(titleOf(mnuBERECHNEN));
    WorkingCopyCommand command;
    QWidget* page = nullptr;
    if (!trap.step([&] {
            ScreenPointer::set(ScreenPointer::Hourglass);
            setEnabled(false);
            pgbBERECHNEN().setVisible(true);
            DoEvents();
        }) ||
        !trap.step([&] {
            page = loadPage1();
            command.End();
            DoEvents();
        }) ||
        !trap.step([&] {
            setEnabled(true);
            if (page) showChild(page);
        }) ||
        !trap.step([&] { showPageCommands(); }) || !finishPageCommand(trap))
        leavePageCommand();
}

namespace {

// The multiple-evaluation page, made (hidden: it draws itself before it is shown) unless it is loaded.
mdiMSEITE1* multiplePage(frmMAIN& main) {
    if (auto* loaded = qobject_cast<mdiMSEITE1*>(main.Form(QStringLiteral("mdiMSEITE1")))) return loaded;
    auto* page = new mdiMSEITE1;
    main.addChild(page);
    main.hideChild(page);
    return page;
}

} // namespace

void frmMAIN::mnuMBERECHNEN_Click() {
    ErrorTrap trap(titleOf(mnuMBERECHNEN));
    WorkingCopyCommand command;
    mdiMSEITE1* page = nullptr;
    const bool finished = trap.step([&] { ScreenPointer::set(ScreenPointer::Hourglass); }) && trap.step([&] {
        // The comment is asked once per selection: the first Calculate multiple stores it.
        Recordset m1;
        m1.Open(QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1"), *cnnX);
        if (!m1.eof()) return;
        m1.AddNew();
        m1.SetValue(QStringLiteral("IDM"), Variant(std::int16_t(1)));
        QString comment;
        if (SPRACHE == 1 || SPRACHE == 3) {
            const std::optional<QString> answer = dialogs().InputBox(
                Language::text(QStringLiteral("Comment: "), QStringLiteral("Kommentar: ")),
                Language::text(QStringLiteral("Mulitple Calculation"), QStringLiteral("Mehrfachauswertung")));
            if (answer) comment = *answer;
        }
        m1.SetValue(QStringLiteral("KOM"), Variant(comment));
        m1.Update();
    }) && trap.step([&] {
        setEnabled(false);
        pgbBERECHNEN().setVisible(true);
    }) && trap.step([&] {
        // A load that fails leaves the page as far as it was drawn; its error is this command's.
        page = multiplePage(*this);
        page->Form_Load();
    }) && trap.step([&] {
        pgbBERECHNEN().setValue(100);
        DoEvents();
        Sleep(progressHoldMs_);
        pgbBERECHNEN().setValue(0);
        pgbBERECHNEN().setVisible(false);
    }) && trap.step([&] {
        for (int i = 10; i <= 15; ++i) {
            setPanelVisible(i, true);
            stbMAIN->Panels(i)->setBevel(StatusPanel::Raised);
        }
    }) && trap.step([&] {
        // Only a page that was drawn whole is current; after a failed load the evaluation stays new.
        if (!page || !page->geladen()) return;
        Recordset a1;
        a1.Open(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0"), *cnnX);
        a1.MoveFirst();
        a1.SetValue(QStringLiteral("BONEU"), Variant(false));
        a1.Update();
    }) && trap.step([&] { command.End(); }) && trap.step([&] {
        setEnabled(true);
        if (page) showChild(page);
        notifyActivation(ActiveForm());
    }) && trap.step([&] {
        dirty_ = true;
        mnuDATEI->menuAction()->setEnabled(false);
        mnuEXTRAS->menuAction()->setEnabled(false);
        ScreenPointer::set(ScreenPointer::Default);
    });
    if (!finished) leavePageCommand();
}

void frmMAIN::mnuNEUBERECHNEN_Click() {
    ErrorTrap trap(titleOf(mnuNEUBERECHNEN));
    WorkingCopyCommand command;
    std::int32_t id = 0;
    Recordset a1;
    bool evaluated = false;
    QWidget* page = nullptr;
    const bool finished =
        trap.step([&] {
            setEnabled(false);
            pgbBERECHNEN().setVisible(true);
        }) &&
        trap.step([&] {
            Recordset rs;
            rs.Open(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [AKT]=true ORDER BY [KEN]"), *cnnX);
            rs.MoveFirst();
            id = store::longId(rs.Value(QStringLiteral("ID")), rs.Value(QStringLiteral("KEN")));
        }) &&
        // Without the record's own ID the steps below would work on another record's rows.
        !trap.failed() && trap.step([&] {
            // The record's results and display options start afresh: only ID and BONEU are written.
            a1.Open(QStringLiteral("SELECT [ID],[BONEU] FROM [A1] WHERE [ID]=") + QString::number(id), *cnnX);
            if (!a1.eof()) {
                a1.MoveFirst();
                a1.Delete();
            }
            a1.AddNew();
            a1.SetValue(QStringLiteral("ID"), Variant(id));
            a1.SetValue(QStringLiteral("BONEU"), Variant(true));
            a1.Update();
        }) &&
        trap.step([&] {
            DoEvents();
            ScreenPointer::set(ScreenPointer::Hourglass);
        }) &&
        trap.step([&] {
            clsBERECHNEN evaluation;
            evaluated = evaluation.BERECHNUNG();
        });
    if (!finished) {
        leavePageCommand();
        return;
    }
    if (!evaluated) {
        // No page; the re-created row keeps BONEU True, so Calculate stays disabled.
        leavePageCommand();
        return;
    }
    if (!trap.step([&] {
            DoEvents();
            page = loadPage1();
            DoEvents();
            setEnabled(true);
            if (page) showChild(page);
            DoEvents();
        }) ||
        !trap.step([&] { showPageCommands(); }) || !trap.step([&] {
            a1.SetValue(QStringLiteral("BONEU"), Variant(false));
            a1.Update();
            a1.Close();
        }) ||
        !trap.step([&] { command.End(); }) || !finishPageCommand(trap))
        leavePageCommand();
}
