// The main window keeps its size whatever its status panels and pages hold.
#include "Installation.h"

#include "ExampleRecords.h"
#include "frmMAIN.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/run/ProgressBar.h"

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
