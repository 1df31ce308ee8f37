// The two File commands of the data exchange, on an installation with two projects.
#include "Installation.h"

#include "frmEXPIMP.h"
#include "frmEXPINF.h"
#include "frmMAIN.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QListWidget>

using testsupport::Installation;

namespace {

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        inst.addProject(QStringLiteral("P2"));
        Installation::addRecord(inst.projectDatabase(QStringLiteral("P2")), 2, QStringLiteral("Zweite"));
        inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    }
    frmMAIN& w() { return inst.window(); }
    bool menusEnabled() {
        return w().mnuDATEI->menuAction()->isEnabled() && w().mnuAUSWERTEN->menuAction()->isEnabled() &&
               w().mnuEXTRAS->menuAction()->isEnabled();
    }
    Installation inst;
};

TEST_F(Commands, ExportImportThatOpenedNoProjectLeavesTheRunCleanWhateverTagHolds) {
    // An earlier dialog's answer is still in Tag: it must not count for this one.
    w().Tag = QStringLiteral("OK");
    bool disabled = false;
    inst.dialogs().onForm([&](QDialog& form) {
        disabled = !w().mnuDATEI->menuAction()->isEnabled() && !w().mnuAUSWERTEN->menuAction()->isEnabled() &&
                   !w().mnuEXTRAS->menuAction()->isEnabled();
        EXPECT_NE(qobject_cast<frmEXPIMP*>(&form), nullptr);
        return 0;
    });
    w().mnuEXPIMP_Click();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("ShowForm")), 1);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(menusEnabled());
    EXPECT_FALSE(w().dirty());
}

TEST_F(Commands, AnImportMarksTheProjectChanged) {
    inst.dialogs().onForm([&](QDialog& form) {
        auto& dialog = dynamic_cast<frmEXPIMP&>(form);
        dialog.dirEXP_Change(inst.projectsFolder() + QStringLiteral("/P2"));
        for (int i = 0; i < dialog.lstEXP->count(); ++i)
            dialog.lstEXP->item(i)->setSelected(dialog.lstEXP->item(i)->text() == QLatin1String("Zweite"));
        dialog.cmdIMP_Click();
        dialog.cmdSCHLIESSEN_Click();
        return 0;
    });
    w().mnuEXPIMP_Click();
    EXPECT_TRUE(w().dirty());
    EXPECT_TRUE(menusEnabled());
    EXPECT_EQ(Installation::names(inst.workingCopy()), (QStringList{"Probe", "Zweite"}));
    // Written into the working copy only: the project gets it with Save.
    EXPECT_EQ(Installation::names(inst.projectDatabase()), QStringList{QStringLiteral("Probe")});
}

TEST_F(Commands, ExportInfSystemLeavesTheDirtyFlagAndSaysWhenThereIsNoInformationSystem) {
    QFile::remove(inst.databaseFolder() + QStringLiteral("/DALMIR.mdb"));
    inst.dialogs().onForm([&](QDialog& form) {
        EXPECT_NE(qobject_cast<frmEXPINF*>(&form), nullptr);
        return 0;
    });
    w().mnuEXPINF_Click();
    EXPECT_EQ(inst.dialogs().messages(),
              QStringList{QStringLiteral("Informationssystem DALMIR ist nicht installiert!")});
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("ShowForm")), 1);
    EXPECT_FALSE(w().dirty());
}

} // namespace
