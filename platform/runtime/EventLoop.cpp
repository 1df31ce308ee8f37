#include "EventLoop.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <cstdint>
#include <ctime>

namespace platform {

namespace {
// The pointer shape the program asked for last; the window system only shows it.
int currentPointer = ScreenPointer::Default;
} // namespace

void DoEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
// Milliseconds of a clock that is cheap to read, for the many calls that find it too early to yield.
std::int64_t coarseMilliseconds() {
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
#endif
}
} // namespace

void DoEventsWithoutInput() {
    // Writes yield after every row; a few milliseconds between two yields keep the window repainting
    // without paying the event loop's round trip for every one of hundreds of rows.
    static std::int64_t last = -1;
    const std::int64_t now = coarseMilliseconds();
    if (last >= 0 && now - last < 5 && now >= last) return;
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    last = coarseMilliseconds();
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
