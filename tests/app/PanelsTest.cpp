#include "Installation.h"

#include "frmANZEIGEN.h"
#include "frmMAIN.h"
#include "mdiAUTOSTART.h"

#include "platform/runtime/DialogService.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/window/StatusBar.h"
#include "platform/window/Twips.h"
#include <QCoreApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>

namespace Msg = platform::Msg;
using platform::PrintAnswer;
using testsupport::Installation;

namespace {

// An output page as the main window sees it: a child window with a name and the print request, which
// tells whether the page was printed.
class FakePage : public QWidget {
    Q_OBJECT
public:
    FakePage(const QString& name, QStringList* log) : log_(log) { setObjectName(name); }
    Q_INVOKABLE bool DRUCKEN() {
        *log_ << objectName() + QLatin1Char('|') + platform::RunState::current().printer.pdfFile;
        return prints;
    }
    bool prints = true;

private:
    QStringList* log_;
};

class Panels : public ::testing::Test {
protected:
    void SetUp() override {
        w = &inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        inst.dialogs().clear();
    }
    // Loads the multiple page first and page 1 second: the list puts page 1 first anyway.
    void loadPages() {
        multiple = new FakePage(QStringLiteral("mdiMSEITE1"), &printed);
        single = new FakePage(QStringLiteral("mdiSEITE1"), &printed);
        w->addChild(multiple);
        w->addChild(single);
        for (int i = 10; i <= 15; ++i)
            w->setPanelVisible(i, true);
    }
    void activate(QWidget* page) { w->showChild(page); }
    static PrintAnswer answer(PrintAnswer::Range range, int from = 1, int to = 1, const QString& pdf = {}) {
        PrintAnswer a;
        a.range = range;
        a.fromPage = from;
        a.toPage = to;
        a.pdfFile = pdf;
        return a;
    }

    Installation inst;
    frmMAIN* w = nullptr;
    FakePage* single = nullptr;
    FakePage* multiple = nullptr;
    QStringList printed;
};

TEST_F(Panels, PageListPutsPageOneFirst) {
    loadPages();
    const QList<QWidget*> pages = w->PageList();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0], single);
    EXPECT_EQ(pages[1], multiple);
}

TEST_F(Panels, PrintPresetsTheActivePageAndTakesTheRangeAsChosen) {
    loadPages();
    activate(single);
    struct Case {
        const char* name;
        std::optional<PrintAnswer> answer;
        QStringList printed;
    };
    const Case cases[] = {
        {"all",
         answer(PrintAnswer::Range::All),
         {QStringLiteral("mdiSEITE1|"), QStringLiteral("mdiMSEITE1|")}},
        {"pages 2 to 2", answer(PrintAnswer::Range::Pages, 2, 2), {QStringLiteral("mdiMSEITE1|")}},
        {"pages 1 to 1", answer(PrintAnswer::Range::Pages, 1, 1), {QStringLiteral("mdiSEITE1|")}},
        {"cancelled", std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printed.clear();
        inst.dialogs().clear();
        inst.dialogs().answerPrint(c.answer);
        w->stbMAIN_PanelClick(11);
        ASSERT_EQ(inst.dialogs().count(QStringLiteral("ShowPrinter")), 1);
        const auto& req = inst.dialogs().asked().front().print;
        EXPECT_EQ(req.minPage, 1);
        EXPECT_EQ(req.maxPage, 2);
        EXPECT_EQ(req.fromPage, 1);
        EXPECT_EQ(req.toPage, 1);
        EXPECT_EQ(printed, c.printed);
        EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
    }
}

TEST_F(Panels, PrintWithoutAnActivePagePresetsEveryPage) {
    loadPages();
    w->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->startScreen()->parentWidget()));
    inst.dialogs().answerPrint(std::nullopt);
    w->stbMAIN_PanelClick(11);
    const auto& req = inst.dialogs().asked().front().print;
    EXPECT_EQ(req.fromPage, 1);
    EXPECT_EQ(req.toPage, 2);
}

TEST_F(Panels, PrintIntoPdfGivesEachPageItsOwnFile) {
    loadPages();
    inst.dialogs().answerPrint(answer(PrintAnswer::Range::All, 1, 1, QStringLiteral("/tmp/x/seite.pdf")));
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(printed, (QStringList{QStringLiteral("mdiSEITE1|/tmp/x/seite-1.pdf"),
                                    QStringLiteral("mdiMSEITE1|/tmp/x/seite-2.pdf")}));
    printed.clear();
    inst.dialogs().answerPrint(answer(PrintAnswer::Range::Pages, 2, 2, QStringLiteral("/tmp/x/seite.pdf")));
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(printed, QStringList{QStringLiteral("mdiMSEITE1|/tmp/x/seite.pdf")});
}

// A page that printed nothing (its job could not be opened, or was cancelled in a box) ends the command: the
// pages after it are not printed.
TEST_F(Panels, APageThatPrintedNothingEndsThePrintCommand) {
    loadPages();
    single->prints = false;
    inst.dialogs().answerPrint(answer(PrintAnswer::Range::All));
    w->stbMAIN_PanelClick(11);
    EXPECT_EQ(printed, QStringList{QStringLiteral("mdiSEITE1|")});
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
}

TEST_F(Panels, ScreenCopyAsksForTheNameAndWritesABitmapInTheProjectFolder) {
    const QString folder = inst.projectsFolder() + QStringLiteral("/P1/JPG");
    struct Case {
        std::optional<QString> answer;
        const char* file; // expected in the JPG folder, or nullptr
    };
    const Case cases[] = {
        {QStringLiteral("Probe-1"), "Probe-1.bmp"},
        {QStringLiteral("bild.bmp"), "bild.bmp.bmp"},
        {QStringLiteral("a/b"), "a_b.bmp"},
        {QString(), nullptr},
        {std::nullopt, nullptr},
    };
    for (const auto& c : cases) {
        inst.dialogs().clear();
        inst.dialogs().answerText(c.answer);
        w->stbMAIN_PanelClick(12);
        ASSERT_EQ(inst.dialogs().count(QStringLiteral("InputBox")), 1);
        const auto& q = inst.dialogs().asked().front();
        EXPECT_EQ(q.title, QStringLiteral("KOPIE"));
        EXPECT_EQ(q.defaultText, QStringLiteral("Probe-1"));
        EXPECT_EQ(q.prompt, QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") +
                                folder + QStringLiteral("/Probe-1.bmp"));
        if (c.file) {
            QImage img;
            EXPECT_TRUE(img.load(folder + QLatin1Char('/') + QString::fromUtf8(c.file), "BMP")) << c.file;
            EXPECT_GT(img.width(), 100);
        }
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);
}

TEST_F(Panels, ScreenCopyReplacesCharactersAFileNameCantHold) {
    w->stbMAIN->Panels(6)->setText_(QStringLiteral("A/B:C"));
    inst.dialogs().answerText(std::nullopt);
    w->stbMAIN_PanelClick(12);
    EXPECT_EQ(inst.dialogs().asked().front().defaultText, QStringLiteral("A_B_C-1"));
}

TEST_F(Panels, ClosePagesLeavesTheStartScreenAndEnablesTheMenus) {
    loadPages();
    w->mnuDATEI->menuAction()->setEnabled(false);
    w->mnuEXTRAS->menuAction()->setEnabled(false);
    w->stbMAIN_PanelClick(10); // the chooser is open
    ASSERT_NE(w->pageChooser(), nullptr);
    w->stbMAIN_PanelClick(15);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Forms().size(), 1);
    EXPECT_EQ(w->Forms().front()->objectName(), QStringLiteral("mdiAUTOSTART"));
    EXPECT_TRUE(w->startScreen()->parentWidget()->isMaximized()); // it fills the area again
    for (int i = 10; i <= 15; ++i)
        EXPECT_FALSE(w->panelVisible(i)) << i;
    EXPECT_TRUE(w->mnuDATEI->menuAction()->isEnabled());
    EXPECT_TRUE(w->mnuEXTRAS->menuAction()->isEnabled());
    EXPECT_EQ(w->pageChooser(), nullptr); // closed with the pages
    EXPECT_EQ(w->stbMAIN->Panels(15)->Bevel(), platform::StatusPanel::Raised);
}

// A press on a panel sinks that panel only: a hidden panel at the same place (Cancel of the input form
// under Close of the pages) comes back raised.
TEST_F(Panels, APressSinksOnlyTheVisiblePanelUnderThePointer) {
    loadPages();
    platform::StatusPanel* schliessen = w->stbMAIN->Panels(15);
    platform::StatusPanel* abbrechen = w->stbMAIN->Panels(9);
    ASSERT_FALSE(abbrechen->Visible());
    // Where it stood while the input form was open.
    abbrechen->setGeometry(schliessen->geometry());
    const QPointF mitte(schliessen->width() / 2.0, schliessen->height() / 2.0);
    QMouseEvent druck(QEvent::MouseButtonPress, mitte, schliessen->mapToGlobal(mitte), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(schliessen, &druck);
    EXPECT_EQ(schliessen->Bevel(), platform::StatusPanel::Inset);
    EXPECT_NE(abbrechen->Bevel(), platform::StatusPanel::Inset);
}

TEST_F(Panels, PanelsWithoutACommandChangeNothing) {
    loadPages();
    for (int p : {1, 2, 6, 7, 14})
        w->stbMAIN_PanelClick(p);
    EXPECT_EQ(w->Forms().size(), 3);
    EXPECT_TRUE(inst.dialogs().asked().empty());
}

TEST_F(Panels, ChooserProposesTheActivePageAndClampsTheNumber) {
    loadPages();
    activate(single);
    w->stbMAIN_PanelClick(10);
    frmANZEIGEN* c = w->pageChooser();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->lblSEITEN[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(c->txtSEITE->text(), QStringLiteral("1"));
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Anzeigen"));
    struct Case {
        const char* typed;
        int chosen;
    };
    for (const Case& k : {Case{"7", 2}, Case{"0", 1}, Case{"x", 1}, Case{"2", 2}}) {
        c->txtSEITE->setText(QString::fromUtf8(k.typed));
        EXPECT_EQ(c->checkPageNumber(), k.chosen) << k.typed;
    }
    c->txtSEITE->setText(QStringLiteral("2"));
    c->cmdOK_Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(multiple->parentWidget()->isVisible());
    EXPECT_FALSE(single->parentWidget()->isVisible()); // hidden but still loaded
    EXPECT_EQ(w->PageList().size(), 2);
}

TEST_F(Panels, ChooserWithTheStartScreenActiveOpensEmptyAndShowsPageOne) {
    loadPages();
    w->mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->startScreen()->parentWidget()));
    w->stbMAIN_PanelClick(10);
    frmANZEIGEN* c = w->pageChooser();
    EXPECT_EQ(c->txtSEITE->text(), QString());
    c->cmdOK_Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(single->parentWidget()->isVisible());
    EXPECT_FALSE(multiple->parentWidget()->isVisible());
}

TEST_F(Panels, WordCopyWritesTheVisiblePicturesEachAfterItsName) {
    auto* page = new FakePage(QStringLiteral("mdiSEITE1"), &printed);
    new platform::PageSurface(page); // the page's own surface behind its pictures
    const char* names[] = {"picBILD11", "picBILD12", "picBILD13"};
    for (const char* n : names) {
        auto* box = new platform::PictureBox(page);
        box->setObjectName(QString::fromLatin1(n));
        box->setGeometryMm(0, 0, 30, 20);
    }
    page->findChild<platform::PictureBox*>(QStringLiteral("picBILD12"))->hide();
    auto* bar = new QScrollBar(page);
    bar->setObjectName(QStringLiteral("vscBILD12"));
    w->addChild(page);
    w->showChild(page);
    w->stbMAIN_PanelClick(13);
    ASSERT_EQ(inst.desktop().requests().size(), 1u);
    const QString file = inst.desktop().requests().front().path;
    EXPECT_EQ(file, inst.projectsFolder() + QStringLiteral("/P1/JPG/Probe-mdiSEITE1-1.odt"));
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, QStringLiteral("content.xml")});
    unzip.waitForFinished();
    const QString content = QString::fromUtf8(unzip.readAllStandardOutput());
    const int first = content.indexOf(QStringLiteral("picBILD11"));
    const int third = content.indexOf(QStringLiteral("picBILD13"));
    EXPECT_TRUE(first >= 0 && first < content.indexOf(QStringLiteral("bild1.png")) &&
                content.indexOf(QStringLiteral("bild1.png")) < third &&
                third < content.indexOf(QStringLiteral("bild2.png")))
        << content.toStdString();
    EXPECT_LT(content.indexOf(QStringLiteral("picBILD12")), 0);
    EXPECT_LT(content.indexOf(QStringLiteral("vscBILD12")), 0);
    EXPECT_LT(content.indexOf(QStringLiteral("bild3.png")), 0); // two pictures: no page surface
    // A second copy does not replace the first.
    w->stbMAIN_PanelClick(13);
    EXPECT_TRUE(inst.desktop().requests().back().path.endsWith(QStringLiteral("-2.odt")));
    EXPECT_TRUE(inst.dialogs().asked().empty());
}

// Without a program for the document the copy is still written; the user is told where, in his language.
TEST(PanelsWord, WithoutAProgramForTheDocumentTheUserIsToldWhereItWasWritten) {
    for (const char* language : {"de", "en"}) {
        SCOPED_TRACE(language);
        Installation inst(QString::fromLatin1(language), QStringLiteral(","));
        frmMAIN& w = inst.start();
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("mdiSEITE1"));
        auto* box = new platform::PictureBox(page);
        box->setObjectName(QStringLiteral("picBILD11"));
        box->setGeometryMm(0, 0, 30, 20);
        w.addChild(page);
        w.showChild(page);
        inst.desktop().setResult(false);
        w.stbMAIN_PanelClick(13);
        const QString file = inst.projectsFolder() + QStringLiteral("/P1/JPG/Probe-mdiSEITE1-1.odt");
        EXPECT_TRUE(QFile::exists(file));
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& told = inst.dialogs().asked().front();
        EXPECT_EQ(told.title, QStringLiteral("Word"));
        EXPECT_EQ(told.style, Msg::Information | Msg::OKOnly);
        EXPECT_TRUE(told.prompt.startsWith((language == std::string("de")
                                                ? QStringLiteral("Die Datei wurde geschrieben:\n")
                                                : QStringLiteral("The file was written:\n")) +
                                           file + QStringLiteral("\n\n")))
            << told.prompt.toStdString();
        EXPECT_FALSE(told.prompt.contains(QStringLiteral("VB-Error")));
    }
}

// No caption of the chooser is cut: each label is as wide as its text needs, where it stands.
TEST(PanelsChooser, CaptionsFitTheirLabels) {
    for (const char* language : {"de", "en"}) {
        SCOPED_TRACE(language);
        Installation inst(QString::fromLatin1(language), QStringLiteral(","));
        frmMAIN& w = inst.start();
        w.stbMAIN_PanelClick(10);
        frmANZEIGEN* c = w.pageChooser();
        for (QLabel* label : {c->lblSEITEN[0], c->lblSEITE}) {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->text().toStdString();
            EXPECT_EQ(label->x(), platform::twipsToPixels(240));
            EXPECT_LE(label->geometry().right(), c->txtSEITE->x()) << label->text().toStdString();
        }
    }
}

TEST(PanelsEnglish, ChooserTexts) {
    Installation inst(QStringLiteral("en"), QStringLiteral("."));
    frmMAIN& w = inst.start();
    w.stbMAIN_PanelClick(10);
    frmANZEIGEN* c = w.pageChooser();
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Show"));
    EXPECT_EQ(c->lblSEITEN[0]->text(), QStringLiteral("Available Pages:"));
    EXPECT_EQ(c->lblSEITE->text(), QStringLiteral("Show Page Nr.: "));
    EXPECT_EQ(c->cmdABBRECHEN->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(c->cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(c->lblSEITEN[1]->text(), QStringLiteral("0"));
}

} // namespace

#include "PanelsTest.moc"
