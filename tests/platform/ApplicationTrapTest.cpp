// The program's one top-level trap: an error that escapes the routine of a menu command, a panel, a key
// or a mouse event shows one error box with the program's title, and the run goes on. This program has
// its own main(), as the trap is the application object itself.
#include "platform/runtime/DialogService.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/VbError.h"
#include "platform/window/Application.h"
#include "TestRun.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

using platform::Msg::Answer;

namespace {

void klicken(QWidget& w) {
    const QPointF mitte(w.width() / 2.0, w.height() / 2.0);
    const QPointF global = w.mapToGlobal(mitte);
    QMouseEvent drueck(QEvent::MouseButtonPress, mitte, global, Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QMouseEvent los(QEvent::MouseButtonRelease, mitte, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drueck);
    QApplication::sendEvent(&w, &los);
}

// A widget whose key handler fails on F5.
class Taste : public QWidget {
public:
    int gedrueckt = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        ++gedrueckt;
        if (e->key() == Qt::Key_F5) throw platform::VbError::divisionByZero();
    }
};

} // namespace

// Each way in: a click on a button (a status panel is a clicked label), a key, a menu command through its
// shortcut, a queued call and a timer. Each failure gives one box; the widget answers the next event.
TEST(Gesamtfalle, AnEscapedErrorShowsOneBoxAndTheRunGoesOn) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    run.dialogs().answerAllMessages(Answer::OK);

    QMainWindow fenster;
    QPushButton knopf(QStringLiteral("Panel"), &fenster);
    int klicks = 0;
    QObject::connect(&knopf, &QPushButton::clicked, [&] {
        if (++klicks == 1) throw platform::VbError::overflow();
    });
    Taste* taste = new Taste;
    fenster.setCentralWidget(taste);
    knopf.raise();
    QAction* befehl = fenster.menuBar()->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Neu"));
    befehl->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    int befehle = 0;
    QObject::connect(befehl, &QAction::triggered, [&] {
        ++befehle;
        throw std::runtime_error("Befehl");
    });
    fenster.resize(400, 300);
    fenster.show();
    fenster.activateWindow();
    taste->setFocus();
    QApplication::processEvents();

    klicken(knopf);
    EXPECT_EQ(run.dialogs().messages(), QStringList{QStringLiteral("VB-Error: 6\nÜberlauf")});
    klicken(knopf);
    EXPECT_EQ(klicks, 2);
    EXPECT_EQ(run.dialogs().messages().size(), 1);

    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(taste, &f5);
    QKeyEvent f6(QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier);
    QApplication::sendEvent(taste, &f6);
    EXPECT_EQ(taste->gedrueckt, 2);
    EXPECT_EQ(run.dialogs().messages().value(1), QStringLiteral("VB-Error: 11\nDivision durch Null"));

    // The menu command through its shortcut, as the window's key handling delivers it.
    QShortcutEvent kurz(befehl->shortcut(), 0, false);
    QApplication::sendEvent(befehl, &kurz);
    EXPECT_EQ(befehle, 1);
    EXPECT_EQ(run.dialogs().messages().value(2), QStringLiteral("VB-Error: 5\nBefehl"));

    bool spaeter = false;
    QMetaObject::invokeMethod(
        &fenster, [] { throw 42; }, Qt::QueuedConnection);
    QTimer::singleShot(0, &fenster, [&] { spaeter = true; });
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(spaeter);
    ASSERT_EQ(run.dialogs().messages().size(), 4);
    EXPECT_EQ(run.dialogs().messages()[3], QStringLiteral("VB-Error: 5\nUnbekannter Fehler"));

    for (const auto& a : run.dialogs().asked()) {
        EXPECT_EQ(a.title, QStringLiteral("TAMBRIN"));
        EXPECT_EQ(a.style, platform::Msg::OKCancel | platform::Msg::Exclamation);
    }
}

namespace {
// Answers a message box as the scripted dialogs do, while behind it the failing widget is delivered one
// more event, as a repaint behind a real box would be.
class BoxWithEventsBehind : public platform::ScriptedDialogs {
public:
    QWidget* behind = nullptr;
    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
               int helpContext) override {
        if (behind) {
            QKeyEvent again(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
            QApplication::sendEvent(behind, &again);
        }
        return ScriptedDialogs::MsgBox(prompt, style, title, helpFile, helpContext);
    }
};
} // namespace

// An error that escapes again while its box is open (behind the box) gives no second box.
TEST(Gesamtfalle, AnErrorBehindTheOpenBoxGivesNoSecondBox) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    BoxWithEventsBehind dialogs;
    run.state().setDialogs(&dialogs);
    Taste taste;
    dialogs.behind = &taste;
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(&taste, &f5);
    EXPECT_EQ(taste.gedrueckt, 2);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("VB-Error: 11\nDivision durch Null")});
    // The next failure, once the box is closed, has its box again.
    dialogs.behind = nullptr;
    QApplication::sendEvent(&taste, &f5);
    EXPECT_EQ(dialogs.messages().size(), 2);
    run.state().setDialogs(&run.dialogs());
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
