#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns the requests to terminate that a program can catch (SIGTERM, SIGHUP: the session ends, the system
// shuts down, someone ends the program) into a Qt signal on the event loop, through a pipe that the signal
// handler writes to; so the run can end in order instead of dying half way. One object at a time; the
// handlers it found come back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    // A termination request arrived (the signal's number).
    void received(int signal);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace platform
