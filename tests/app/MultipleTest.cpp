// Calculate multiple: the comment question, the rows it creates and changes, the page it shows, and a
// load that fails.
#include "Installation.h"

#include "clsBERECHNEN.h"
#include "ExampleRecords.h"
#include "frmKONTEXT110.h"
#include "frmMAIN.h"
#include "mdiMSEITE1.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ProgressBar.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/ui/CheckBox.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QProcess>

namespace Msg = platform::Msg;
using platform::Connection;
using platform::Recordset;
using platform::Variant;
using testsupport::Installation;

namespace {

// A project with the two published records (IDs 2 and 3) evaluated, beside the installation's record
// "Probe" (ID 1, no readings, not active); sets B and C active, the Evaluate menu opened.
class Multiple : public ::testing::Test {
protected:
    void SetUp() override {
        {
            Connection c;
            c.Open(inst.projectDatabase());
            c.Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
            examples::store(c, examples::dryingSet(), 2, true);
            examples::store(c, examples::withOversize(examples::addedWaterSet()), 3, false);
        }
        w = &inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        w->setProgressHold(0);
        w->setProgressBar(&bar);
        for (int id : {2, 3}) {
            w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {Variant(std::int32_t(id))});
            clsBERECHNEN evaluation;
            ASSERT_TRUE(evaluation.BERECHNUNG());
        }
        w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID IN (2, 3))"));
        w->mnuAUSWERTEN_Click();
        ASSERT_TRUE(w->mnuMBERECHNEN->isEnabled());
        inst.dialogs().clear();
        bar.clear();
    }
    Variant value(const QString& sql) {
        Recordset rs;
        rs.Open(sql, *w->cnnX);
        return rs.eof() ? Variant() : rs.Value(0);
    }
    void closePages() {
        w->stbMAIN_PanelClick(15);
        QCoreApplication::processEvents();
    }

    Installation inst;
    frmMAIN* w = nullptr;
    platform::RecordingProgressBar bar;
};

TEST_F(Multiple, TheFirstCalculationAsksForTheCommentAndShowsThePageOfAllActiveRecords) {
    inst.dialogs().answerText(QStringLiteral("Baugrube Nord"));
    w->mnuMBERECHNEN_Click();
    ASSERT_EQ(inst.dialogs().count(QStringLiteral("InputBox")), 1);
    EXPECT_EQ(inst.dialogs().asked()[0].prompt, QStringLiteral("Kommentar: "));
    EXPECT_EQ(inst.dialogs().asked()[0].title, QStringLiteral("Mehrfachauswertung"));
    EXPECT_EQ(inst.dialogs().asked().size(), 1u) << inst.dialogs().messages().join('|').toStdString();
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")),
              Variant(QStringLiteral("Baugrube Nord")));

    auto* page = qobject_cast<mdiMSEITE1*>(w->Form(QStringLiteral("mdiMSEITE1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(w->ActiveForm(), page);
    EXPECT_EQ(page->ids(), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(page->kommentar(), QStringLiteral("Baugrube Nord"));
    EXPECT_EQ(w->PageList(), QList<QWidget*>{page});
    // The rows of the multiple evaluation: the diagram's defaults, and the evaluation no longer new.
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")), Variant(false));
    EXPECT_EQ(platform::CLng(value(
                  QStringLiteral("SELECT COUNT(*) FROM [G0] WHERE [ID]=0 AND [IDOBJEKT]=110 AND [RL]=12 AND "
                                 "[RR]=12 AND [RO]=9 AND [RU]=12 AND [OX]=1 AND [OY]=1 AND [MYMX]=0"))),
              1);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->dirty());
    EXPECT_FALSE(w->mnuDATEI->menuAction()->isEnabled());
    EXPECT_FALSE(w->mnuEXTRAS->menuAction()->isEnabled());
    for (int i : {10, 11, 12, 13, 15})
        EXPECT_TRUE(w->panelVisible(i)) << i;
    EXPECT_FALSE(w->panelVisible(14));
    ASSERT_GE(bar.values().size(), 5u);
    EXPECT_EQ(bar.values().front(), 0);
    EXPECT_EQ(bar.values()[bar.values().size() - 3], 90);
    EXPECT_EQ(bar.values()[bar.values().size() - 2], 100);
    EXPECT_EQ(bar.values().back(), 0);
    EXPECT_FALSE(bar.isVisible());

    // Later calculations keep the stored comment and ask nothing.
    closePages();
    w->mnuMBERECHNEN_Click();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("InputBox")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1")),
              Variant(QStringLiteral("Baugrube Nord")));
    EXPECT_NE(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
}

TEST_F(Multiple, ACancelledCommentStoresAnEmptyOne) {
    inst.dialogs().answerText(std::nullopt);
    w->mnuMBERECHNEN_Click();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("InputBox")), 1);
    EXPECT_EQ(platform::CLng(value(QStringLiteral("SELECT COUNT(*) FROM [M1] WHERE [IDM]=1"))), 1);
    const Variant kom = value(QStringLiteral("SELECT [KOM] FROM [M1] WHERE [IDM]=1"));
    EXPECT_TRUE(kom.isNull() || platform::CStr(kom).isEmpty());
    EXPECT_NE(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
}

TEST_F(Multiple, ChoosingAgainWhileThePageIsLoadedBringsItToTheFront) {
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    QWidget* page = w->Form(QStringLiteral("mdiMSEITE1"));
    w->mnuMBERECHNEN_Click();
    EXPECT_EQ(w->Form(QStringLiteral("mdiMSEITE1")), page);
    EXPECT_EQ(w->PageList().size(), 1);
}

// A load that fails (a record without a name) shows the command's error box; the page is not current, so
// the multiple evaluation stays new and the next calculation fits its axes again.
TEST_F(Multiple, AFailedLoadLeavesTheEvaluationNew) {
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET KEN = NULL WHERE ID = 3"));
    inst.dialogs().answerText(QString()).answer(Msg::OK);
    w->mnuMBERECHNEN_Click();
    ASSERT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 1);
    EXPECT_TRUE(inst.dialogs().asked().back().prompt.startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_EQ(inst.dialogs().asked().back().title, QStringLiteral("MBerechnen"));
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")), Variant(true));
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(bar.isVisible());
    // The page stays as far as it got, without records, and can be drawn and closed.
    auto* page = qobject_cast<mdiMSEITE1*>(w->Form(QStringLiteral("mdiMSEITE1")));
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->geladen());
    EXPECT_TRUE(page->ids().empty());
    page->KONTEXT(true, true, 0xFFFFFF, 0xFFFFFF);
    closePages();
    EXPECT_EQ(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
}

TEST_F(Multiple, CancelInTheErrorBoxEndsTheCommandWithTheWindowEnabled) {
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET KEN = NULL WHERE ID = 3"));
    inst.dialogs().answerText(QString()).answer(Msg::Cancel);
    w->mnuMBERECHNEN_Click();
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")), Variant(true));
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(w->dirty());
}

TEST_F(Multiple, ThePrintCommandPrintsPageOneAndThenTheMultiplePage) {
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 2)"));
    w->mnuAUSWERTEN_Click();
    w->mnuNEUBERECHNEN_Click();
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID IN (2, 3))"));
    w->mnuAUSWERTEN_Click();
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    const QList<QWidget*> pages = w->PageList();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0]->objectName(), QStringLiteral("mdiSEITE1"));
    EXPECT_EQ(pages[1]->objectName(), QStringLiteral("mdiMSEITE1"));
}

// Page 1 and the multiple page printed into PDFs: a first page whose job ends without a sheet (its PDF
// can't be opened, or a box of its job is answered with Cancel) gives one box, and the command ends there:
// the multiple page is not printed.
TEST_F(Multiple, APrintJobThatEndsWithoutASheetEndsThePrintCommand) {
    const struct {
        const char* name;
        bool ordnerStattPdf; // a folder stands where page 1's PDF goes
        bool ohneG0;         // the diagram settings are gone: page 1's printed diagram fails
        int antwort;
        const char* titel;
    } cases[] = {
        {"a PDF that can't be opened, OK", true, false, Msg::OK, "Drucken von Seite 1"},
        {"a PDF that can't be opened, Cancel", true, false, Msg::Cancel, "Drucken von Seite 1"},
        {"Cancel in a box of the drawing", false, true, Msg::Cancel, "Datenfehler"},
    };
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 2)"));
    w->mnuAUSWERTEN_Click();
    w->mnuNEUBERECHNEN_Click();
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID IN (2, 3))"));
    w->mnuAUSWERTEN_Click();
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    ASSERT_EQ(w->PageList().size(), 2);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = inst.root() + QStringLiteral("/druck%1").arg(++n);
        ASSERT_TRUE(QDir().mkpath(folder));
        if (c.ordnerStattPdf) {
            ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/seiten-1.pdf")));
        }
        if (c.ohneG0) w->cnnX->Execute(QStringLiteral("DROP TABLE G0"));
        inst.dialogs().clear();
        platform::PrintAnswer print;
        print.range = platform::PrintAnswer::Range::All;
        print.pdfFile = folder + QStringLiteral("/seiten.pdf");
        inst.dialogs().answerPrint(print).answerAllMessages(c.antwort);
        w->stbMAIN_PanelClick(11);
        ASSERT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 1)
            << inst.dialogs().messages().join('|').toStdString();
        EXPECT_EQ(inst.dialogs().asked().back().title, QString::fromUtf8(c.titel));
        EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/seiten-2.pdf")));
        EXPECT_FALSE(QFileInfo(folder + QStringLiteral("/seiten-1.pdf")).isFile());
    }
}

// The print dialog proposes the PDF file the active page would print into: its record's page 1, or the
// multiple evaluation, never the shortened list of the active records.
TEST_F(Multiple, ThePrintDialogProposesTheActivePagesOwnFile) {
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 2)"));
    w->mnuAUSWERTEN_Click();
    w->mnuNEUBERECHNEN_Click();
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID IN (2, 3))"));
    w->mnuAUSWERTEN_Click();
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    const QString einzeln = value(QStringLiteral("SELECT [KEN] FROM [E1] WHERE [ID]=2")).asString();
    const struct {
        const char* seite;
        QString datei;
    } cases[] = {{"mdiMSEITE1", QStringLiteral("Mehrfachauswertung Seite 1.pdf")},
                 {"mdiSEITE1", einzeln + QStringLiteral(" Seite 1.pdf")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seite);
        QWidget* page = w->Form(QString::fromLatin1(c.seite));
        ASSERT_NE(page, nullptr);
        w->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(page->parentWidget()));
        inst.dialogs().clear();
        inst.dialogs().answerPrint(std::nullopt);
        w->stbMAIN_PanelClick(11);
        ASSERT_EQ(inst.dialogs().count(QStringLiteral("ShowPrinter")), 1);
        EXPECT_EQ(QFileInfo(inst.dialogs().asked().front().print.suggestedPdfFile).fileName(), c.datei);
    }
}

// Printing, the word-processor copy and the closing of the pages serve the multiple page as page 1.
TEST_F(Multiple, ThePageCommandsServeTheMultiplePage) {
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    ASSERT_NE(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);

    platform::PrintAnswer print;
    print.range = platform::PrintAnswer::Range::All;
    print.pdfFile = inst.root() + QStringLiteral("/mehrfach.pdf");
    inst.dialogs().answerPrint(print);
    w->stbMAIN_PanelClick(11);
    EXPECT_TRUE(QFile::exists(print.pdfFile));

    w->stbMAIN_PanelClick(13);
    ASSERT_EQ(inst.desktop().requests().size(), 1u);
    const QString file = inst.desktop().requests().front().path;
    EXPECT_TRUE(file.endsWith(QStringLiteral("-mdiMSEITE1-1.odt"))) << file.toStdString();
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, QStringLiteral("content.xml")});
    unzip.waitForFinished();
    const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
    const int a = content.indexOf(QStringLiteral("picBILD110")),
              b = content.indexOf(QStringLiteral("picBILD120")),
              c = content.indexOf(QStringLiteral("picBILD130"));
    EXPECT_TRUE(a >= 0 && a < b && b < c) << content.toStdString();
    EXPECT_LT(content.indexOf(QStringLiteral("bild4.png")), 0); // three pictures: no page surface
    EXPECT_TRUE(inst.dialogs().messages().isEmpty()) << inst.dialogs().messages().join('|').toStdString();

    // Esc on the page closes it, with the menus enabled again.
    auto* page = qobject_cast<mdiMSEITE1*>(w->Form(QStringLiteral("mdiMSEITE1")));
    page->Form_KeyDown(27, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
    EXPECT_TRUE(w->mnuEXTRAS->menuAction()->isEnabled());
}

// The close box of the page's window closes it as the Close panel does: the menus come back and the page
// commands go, with page 1 loaded beside it or not.
TEST_F(Multiple, ThePageWindowsCloseBoxClosesThePagesAsTheClosePanelDoes) {
    for (const bool pageOne : {false, true}) {
        SCOPED_TRACE(pageOne ? "with page 1" : "alone");
        if (pageOne) {
            w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 2)"));
            w->mnuAUSWERTEN_Click();
            w->mnuBERECHNEN_Click();
            ASSERT_NE(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
            w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID IN (2, 3))"));
        }
        inst.dialogs().clear();
        inst.dialogs().answerText(QString());
        w->mnuAUSWERTEN_Click();
        w->mnuMBERECHNEN_Click();
        QWidget* page = w->Form(QStringLiteral("mdiMSEITE1"));
        ASSERT_NE(page, nullptr);
        ASSERT_FALSE(w->mnuDATEI->menuAction()->isEnabled());
        ASSERT_FALSE(w->mnuEXTRAS->menuAction()->isEnabled());
        auto* window = qobject_cast<QMdiSubWindow*>(page->parentWidget());
        ASSERT_NE(window, nullptr);
        window->close();
        QCoreApplication::processEvents();
        EXPECT_EQ(w->Forms().size(), 1);
        EXPECT_EQ(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
        EXPECT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
        for (int i = 10; i <= 15; ++i)
            EXPECT_FALSE(w->panelVisible(i)) << i;
        EXPECT_TRUE(w->mnuDATEI->menuAction()->isEnabled());
        EXPECT_TRUE(w->mnuEXTRAS->menuAction()->isEnabled());
        EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0)
            << inst.dialogs().messages().join('|').toStdString();
    }
}

// The spline and the records' names chosen in the page's diagram dialog, saved with File / Save, come back
// when the program is started again and the multiple evaluation is shown.
TEST_F(Multiple, TheDiagramOptionsComeBackAfterSaveAndANewStart) {
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    auto* page = qobject_cast<mdiMSEITE1*>(w->Form(QStringLiteral("mdiMSEITE1")));
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->POSP(), 0);
    inst.dialogs().onForm([](QDialog& form) {
        auto& dialog = dynamic_cast<frmKONTEXT110&>(form);
        dialog.chkPOSP->setValue(1);
        dialog.chkDKEN->setValue(1);
        dialog.cmdOK_Click();
        return dialog.result();
    });
    page->picBILD110_MouseDown(Qt::RightButton);
    EXPECT_EQ(page->POSP(), 1);
    closePages();
    ASSERT_TRUE(w->mnuDATEI->menuAction()->isEnabled());
    w->mnuSPEICHERN_Click();
    EXPECT_FALSE(w->dirty());
    inst.stop();

    inst.dialogs().clear();
    w = &inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    w->setProgressHold(0);
    w->setProgressBar(&bar);
    EXPECT_EQ(platform::CLng(value(QStringLiteral("SELECT [POSP] FROM [A1] WHERE [ID]=0"))), 1);
    EXPECT_EQ(platform::CLng(value(QStringLiteral("SELECT [DKEN] FROM [A1] WHERE [ID]=0"))), 1);
    w->mnuAUSWERTEN_Click();
    ASSERT_TRUE(w->mnuMBERECHNEN->isEnabled());
    w->mnuMBERECHNEN_Click();
    page = qobject_cast<mdiMSEITE1*>(w->Form(QStringLiteral("mdiMSEITE1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->POSP(), 1);
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("InputBox")), 0);
}

// The main window is disabled while the page is built and enabled again: the greyed tools submenu, which
// has no command, stays greyed through it.
TEST_F(Multiple, TheGreyedToolsSubmenuStaysGreyedAfterThePage) {
    inst.dialogs().answerText(QString());
    w->mnuMBERECHNEN_Click();
    ASSERT_NE(w->Form(QStringLiteral("mdiMSEITE1")), nullptr);
    closePages();
    ASSERT_TRUE(w->mnuEXTRAS->menuAction()->isEnabled());
    EXPECT_FALSE(w->mnuWERKZEUGE->menuAction()->isEnabled());
}

TEST(MultipleEnglish, TheCommentIsAskedInTheRunsLanguage) {
    Installation inst(QStringLiteral("en"), QStringLiteral("."));
    {
        Connection c;
        c.Open(inst.projectDatabase());
        examples::store(c, examples::dryingSet(), 2, true);
    }
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    w.setProgressHold(0);
    w.mnuAUSWERTEN_Click();
    inst.dialogs().clear();
    inst.dialogs().answerText(QStringLiteral("Site B"));
    w.mnuMBERECHNEN_Click();
    ASSERT_GE(inst.dialogs().asked().size(), 1u);
    EXPECT_EQ(inst.dialogs().asked()[0].prompt, QStringLiteral("Comment: "));
    EXPECT_EQ(inst.dialogs().asked()[0].title, QStringLiteral("Mulitple Calculation"));
    EXPECT_NE(w.Form(QStringLiteral("mdiMSEITE1")), nullptr);
}

} // namespace
