#pragma once

#include <QApplication>

namespace platform {

// The program's application object: every event it delivers (menu commands, status panels, keys, mouse
// clicks, timers, queued calls) runs inside one trap. An error that escapes the routine handling it shows
// the error box with the program's title, and the run goes on with the next event: no error that a
// routine leaves untrapped ends a run and loses what the user typed.
//
//   platform::Application app(argc, argv);
//   ...
//   return platform::Application::exec();
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the box for an error that escaped its routine (what the trap does); also for the code that
    // runs before the event loop. While one such box is open, a further escaped error (a paint event that
    // fails again behind the box) is not shown: one failure, one message.
    static void reportEscaped(const std::exception& error);
    static void reportEscaped();

private:
    static bool reporting_;
};

} // namespace platform
