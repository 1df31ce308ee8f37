#include "Installation.h"

#include "frmEXPIMP.h"
#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/RecordingDesktop.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/system/UserAccount.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QProcess>
#include <QSettings>
#include <sys/stat.h>

namespace {

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The demo installation as ./run makes it, with the program and the template of this build.
void makedemo(const QString& root) {
    const QString bin = QCoreApplication::applicationDirPath();
    QProcess p;
    p.start(bin + QStringLiteral("/makedemo"),
            {root, bin + QStringLiteral("/TAMBRIN"), bin + QStringLiteral("/TAMBRIN.mdb")});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

// Selects the list's items whose record name is one of the names (an item reads "name (comment)").
void select(QListWidget& list, const QStringList& names) {
    for (int i = 0; i < list.count(); ++i)
        list.item(i)->setSelected(names.contains(list.item(i)->text().section(QStringLiteral(" ("), 0, 0)));
}

QStringList recordNames(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text().section(QStringLiteral(" ("), 0, 0);
    return out;
}

// Two demo starts at the same moment (./run twice) each find the installation whole: the program file is
// the built one, ready to start, and the user has one hand-over row.
TEST(Demo, InstallersStartedAtOnceTakeTurns) {
    const QString bin = QCoreApplication::applicationDirPath();
    const QString program = bin + QStringLiteral("/TAMBRIN"), templ = bin + QStringLiteral("/TAMBRIN.mdb");
    ASSERT_TRUE(QFile::exists(program));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        testsupport::TempDir dir;
        const QString root = dir.file(QStringLiteral("demo"));
        std::vector<std::unique_ptr<QProcess>> installers;
        for (int i = 0; i < 3; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(bin + QStringLiteral("/makedemo"), {root, program, templ});
            installers.push_back(std::move(p));
        }
        for (auto& p : installers) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        const QString installed = root + QStringLiteral("/TAMBRIN/TAMBRIN");
        EXPECT_EQ(bytesOf(installed), bytesOf(program));
        EXPECT_TRUE(QFileInfo(installed).isExecutable());
        EXPECT_FALSE(QFile::exists(installed + QStringLiteral(".tmp")));
        platform::Connection archive;
        archive.Open(root + QStringLiteral("/DATENBANK/ARCHIV.mdb"));
        platform::Recordset rows;
        rows.Open(QStringLiteral("SELECT COUNT(*) FROM ADMIN"), archive);
        EXPECT_EQ(rows.Value(0).asLong(), 1);
        platform::Connection project;
        EXPECT_NO_THROW(project.Open(root + QStringLiteral("/PROJEKTE/DEMO.01/TAMBRIN.mdb")));

        // The same build again leaves the program file in place: a run started from it a moment ago keeps
        // its file (and so its own path).
        struct stat before {
        }, after{};
        ASSERT_EQ(::stat(installed.toLocal8Bit().constData(), &before), 0);
        QProcess again;
        again.start(bin + QStringLiteral("/makedemo"), {root, program, templ});
        ASSERT_TRUE(again.waitForFinished(120000));
        EXPECT_EQ(again.exitCode(), 0);
        ASSERT_EQ(::stat(installed.toLocal8Bit().constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

// The demo's second project is where Export-Import can be tried: the dialog finds it beside the first, a
// demo record goes into it and, once deleted here, comes back from it evaluated as it was.
TEST(Demo, ExportImportCopiesARecordIntoTheSecondProjectAndBack) {
    testsupport::TempDir dir;
    const QString root = dir.file(QStringLiteral("demo"));
    makedemo(root);
    const QString second = root + QStringLiteral("/PROJEKTE/DEMO.02");
    ASSERT_TRUE(testsupport::Installation::names(second + QStringLiteral("/TAMBRIN.mdb")).isEmpty());

    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + QStringLiteral("/config"));
    platform::SystemLocale::Override locale(QStringLiteral("de"), QStringLiteral(","));
    platform::ScriptedDialogs dialogs;
    platform::RecordingDesktop desktop;
    frmMAIN w;
    w.setProgramFolder(root + QStringLiteral("/TAMBRIN"));
    w.setUserName(platform::LoginName().toUpper());
    w.setDialogs(&dialogs);
    w.setDesktop(&desktop);
    ASSERT_EQ(w.MDIForm_Load(), frmMAIN::LoadResult::Running) << dialogs.messages().join('|').toStdString();

    const auto exchange = [&](bool exportieren) {
        dialogs.onForm([&](QDialog& form) {
            auto& dialog = dynamic_cast<frmEXPIMP&>(form);
            // It opens at the folder of the projects: the second one is a folder of the tree.
            EXPECT_EQ(dialog.ordner(), root + QStringLiteral("/PROJEKTE"));
            dialog.dirEXP_Change(second);
            EXPECT_EQ(dialog.fraEXP->title(), QStringLiteral("Projekt DEMO.02"));
            if (exportieren) {
                select(*dialog.lstIMP, {QStringLiteral("Probe D")});
                dialog.cmdEXP_Click();
                EXPECT_EQ(recordNames(*dialog.lstEXP), QStringList{QStringLiteral("Probe D")});
            } else {
                select(*dialog.lstEXP, {QStringLiteral("Probe D")});
                dialog.cmdIMP_Click();
                EXPECT_TRUE(recordNames(*dialog.lstIMP).contains(QStringLiteral("Probe D")));
            }
            dialog.cmdSCHLIESSEN_Click();
            return dialog.result();
        });
        w.mnuEXPIMP_Click();
    };
    exchange(true);
    EXPECT_EQ(testsupport::Installation::names(second + QStringLiteral("/TAMBRIN.mdb")),
              QStringList{QStringLiteral("Probe D")});

    w.cnnX->Execute(QStringLiteral("DELETE FROM [E1] WHERE [KEN]='Probe D'"));
    exchange(false);
    platform::Recordset back;
    back.Open(QStringLiteral("SELECT [A1].[BONEU] FROM [E1] JOIN [A1] ON [A1].[ID]=[E1].[ID] "
                             "WHERE [E1].[KEN]='Probe D'"),
              *w.cnnX);
    ASSERT_FALSE(back.eof());
    EXPECT_FALSE(platform::CBool(back.Value(0))); // evaluated: it can be chosen for a multiple evaluation
    EXPECT_TRUE(w.dirty());
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join('|').toStdString();
    dialogs.answer(platform::Msg::No);
    w.close();
}

} // namespace
