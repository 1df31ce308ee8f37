// The main window keeps its size whatever its status panels and pages hold.
#include "Installation.h"

#include "ExampleRecords.h"
#include "frmMAIN.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/run/ProgressBar.h"
#include "platform/surface/ImageSurface.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using platform::Connection;
using platform::Variant;
using testsupport::Installation;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class WindowFit : public ::testing::Test {
protected:
    // Starts on a project whose active record is the example drying set under the given name, and gives
    // the main window the size of a small screen.
    frmMAIN& start(const QString& name) {
        {
            Connection c;
            c.Open(inst.projectDatabase());
            c.Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
            examples::store(c, examples::dryingSet(), 2, true);
            c.Execute(QStringLiteral("UPDATE E1 SET KEN=? WHERE ID=2"), {Variant(name)});
        }
        frmMAIN& w = inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        w.setProgressHold(0);
        w.setProgressBar(&bar);
        w.showNormal();
        w.resize(640, 420);
        settle();
        return w;
    }
    int screenWidth() const { return QGuiApplication::primaryScreen()->availableGeometry().width(); }

    Installation inst;
    platform::RecordingProgressBar bar;
};

TEST_F(WindowFit, ALongRecordNameIsCutToItsPanelAndLeavesTheWindowAlone) {
    const QString name(10000, QLatin1Char('X'));
    frmMAIN& w = start(name);
    EXPECT_EQ(w.stbMAIN->Panels(6)->Text(), name); // the whole name stays the panel's text
    EXPECT_LE(w.stbMAIN->Panels(6)->Width(), w.width());
    EXPECT_EQ(w.width(), 640);
    EXPECT_LE(w.minimumSizeHint().width(), 640);
}

TEST_F(WindowFit, APageLargerThanTheWindowScrollsInsteadOfWideningIt) {
    frmMAIN& w = start(QStringLiteral("Satz B"));
    w.mnuNEUBERECHNEN_Click();
    settle();
    QWidget* page = w.Form(QStringLiteral("mdiSEITE1"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(w.width(), 640);
    EXPECT_LE(w.width(), screenWidth());
    // Every part of the page can be reached: the child-window area scrolls as far as the page's pictures.
    auto* scroll = qobject_cast<QScrollArea*>(w.centralWidget());
    ASSERT_NE(scroll, nullptr);
    QScrollBar* across = scroll->horizontalScrollBar();
    QScrollBar* down = scroll->verticalScrollBar();
    EXPECT_TRUE(across->isVisible());
    EXPECT_TRUE(down->isVisible());
    for (const char* name : {"picBILD11", "picBILD12", "picBILD13"}) {
        const QWidget* box = page->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        const QRect inArea(box->mapTo(w.mdiArea, QPoint(0, 0)), box->size());
        EXPECT_TRUE(w.mdiArea->rect().contains(inArea)) << name;
        EXPECT_GE(across->maximum() + scroll->viewport()->width(), inArea.right()) << name;
        EXPECT_GE(down->maximum() + scroll->viewport()->height(), inArea.bottom()) << name;
    }
}

// Shown maximised (or minimised after that) and then restored (the window's middle button), a page shows
// itself: its window takes the size of the sheet it was laid out for, cut to the child-window area, which
// scrolls to every picture.
TEST_F(WindowFit, ARestoredPageTakesTheSizeOfItsSheetCutToTheArea) {
    frmMAIN& w = start(QStringLiteral("Satz B"));
    const double k = platform::ImageSurface::kScreenPixelsPerMm;
    const QSize sheet(int(297 * k), int(210 * k));
    w.mnuNEUBERECHNEN_Click();
    settle();
    QWidget* page = w.Form(QStringLiteral("mdiSEITE1"));
    ASSERT_NE(page, nullptr);
    auto* window = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    ASSERT_NE(window, nullptr);
    auto* scroll = qobject_cast<QScrollArea*>(w.centralWidget());
    ASSERT_NE(scroll, nullptr);
    const struct {
        const char* name;
        QSize mainWindow;
        bool minimised; // minimised after it was maximised
        bool cut;       // the sheet is larger than the area
    } cases[] = {
        {"large", {1600, 1150}, false, false},
        {"small", {640, 420}, false, true},
        {"large again", {1600, 1150}, false, false},
        {"large, minimised", {1600, 1150}, true, false},
        {"small, minimised", {640, 420}, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->showMaximized();
        w.resize(c.mainWindow);
        settle();
        ASSERT_TRUE(window->isMaximized());
        if (c.minimised) {
            window->showMinimized();
            settle();
            ASSERT_TRUE(window->isMinimized());
        }
        window->showNormal();
        settle();
        EXPECT_FALSE(window->isMaximized());
        EXPECT_TRUE(window->isVisible());
        // The window lies in the area.
        EXPECT_TRUE(w.mdiArea->rect().contains(window->geometry()))
            << window->geometry().width() << "x" << window->geometry().height() << " in "
            << w.mdiArea->width() << "x" << w.mdiArea->height();
        if (c.cut) {
            EXPECT_LE(page->width(), sheet.width());
            EXPECT_LE(page->height(), sheet.height());
            EXPECT_TRUE(page->width() < sheet.width() || page->height() < sheet.height());
        } else {
            EXPECT_EQ(page->size(), sheet);
        }
        // Every picture lies on the visible page, and the area scrolls as far as each.
        for (const char* name : {"picBILD11", "picBILD12", "picBILD13"}) {
            const QWidget* box = page->findChild<QWidget*>(QLatin1String(name));
            ASSERT_NE(box, nullptr) << name;
            EXPECT_TRUE(page->rect().contains(box->geometry())) << name;
            const QRect inArea(box->mapTo(w.mdiArea, QPoint(0, 0)), box->size());
            EXPECT_TRUE(w.mdiArea->rect().contains(inArea)) << name;
            EXPECT_GE(scroll->horizontalScrollBar()->maximum() + scroll->viewport()->width(), inArea.right())
                << name;
            EXPECT_GE(scroll->verticalScrollBar()->maximum() + scroll->viewport()->height(), inArea.bottom())
                << name;
        }
    }
}

TEST_F(WindowFit, AFormOpenedInALargeWindowAsksOnlyForTheRoomOfItsControls) {
    frmMAIN& w = start(QStringLiteral("Satz B"));
    w.resize(1500, 950);
    settle();
    w.mnuNEU_Click();
    settle();
    QWidget* form = w.ActiveForm();
    ASSERT_NE(form, nullptr);
    // The form centres its controls in what it is given; made smaller, it still needs only their room.
    EXPECT_LT(w.mdiArea->minimumWidth(), 1000);
    w.resize(1100, 800);
    settle();
    auto* scroll = qobject_cast<QScrollArea*>(w.centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
}

TEST_F(WindowFit, CtrlTabCyclesThroughTheFormsButNotTheStartScreenBehindThem) {
    frmMAIN& w = start(QStringLiteral("Satz B"));
    w.mnuNEU_Click();
    settle();
    QWidget* form = w.ActiveForm();
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form, static_cast<QWidget*>(w.startScreen()));
    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(form, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
        QApplication::sendEvent(form, &release);
        settle();
        EXPECT_EQ(w.ActiveForm(), form) << key;
    }
}

} // namespace
