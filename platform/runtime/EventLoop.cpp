#include "EventLoop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

namespace platform {

namespace {
// The pointer shape the program asked for last; the window system only shows it.
int currentPointer = ScreenPointer::Default;
} // namespace

void DoEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void DoEventsWithoutInput() {
    // Writes yield after every row; a few milliseconds between two yields keep the window repainting
    // without paying the event loop's round trip for every one of hundreds of rows.
    static QElapsedTimer sinceLast;
    if (sinceLast.isValid() && sinceLast.elapsed() < 5) return;
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceLast.start();
}

void Sleep(int milliseconds) { QThread::msleep(milliseconds > 0 ? unsigned(milliseconds) : 0u); }

void ScreenPointer::set(int pointer) {
    currentPointer = pointer;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    if (pointer == Hourglass) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (pointer == Arrow) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

int ScreenPointer::current() { return currentPointer; }

Hourglass::Hourglass() : previous_(ScreenPointer::current()) { ScreenPointer::set(ScreenPointer::Hourglass); }

Hourglass::~Hourglass() { ScreenPointer::set(previous_); }

} // namespace platform
