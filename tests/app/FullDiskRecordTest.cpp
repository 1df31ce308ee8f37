// A record saved through the input form onto a full disk: one message that names the disk, not the name.
#include "frmMAIN.h"
#include "Installation.h"
#include "mdiEINGABE.h"
#include "platform/runtime/DialogService.h"
#include "platform/ui/TextBox.h"
#include "SmallDisk.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>

using testsupport::Installation;

TEST(FullDiskRecord, SavingARecordOntoAFullDiskNamesTheDisk) {
    Installation inst;
    testsupport::SmallDisk disk(inst.userFolder(), 4 * 1024 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why().toStdString();
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    w.mnuNEU_Click();
    mdiEINGABE* form = w.inputForm();
    ASSERT_NE(form, nullptr);
    form->txtKEN->setText(QStringLiteral("FULL"));
    {
        QFile filler(inst.userFolder() + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    inst.dialogs().clear();
    inst.dialogs().answerAllMessages(platform::Msg::OK);
    w.stbMAIN_PanelClick(8);
    ASSERT_EQ(inst.dialogs().messages().size(), 1)
        << inst.dialogs().messages().join(QLatin1Char('|')).toStdString();
    const QString message = inst.dialogs().messages().front();
    EXPECT_TRUE(
        message.startsWith(QStringLiteral("Datenträger voll: Die Datei '%1' konnte nicht geschrieben werden.")
                               .arg(inst.workingCopy())))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("FULL"))) << message.toStdString();
    // The form stays open with its input.
    EXPECT_EQ(w.inputForm(), form);
    EXPECT_EQ(form->txtKEN->Text(), QStringLiteral("FULL"));
    QFile::remove(inst.userFolder() + QStringLiteral("/filler"));
    inst.stop();
}
