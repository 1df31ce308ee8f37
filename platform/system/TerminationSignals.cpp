#include "TerminationSignals.h"

#include "../runtime/VbError.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <QSocketNotifier>
#include <unistd.h>

namespace platform {

namespace {
// A signal handler can reach nothing but static data: the pipe and the handlers it replaced.
int pipeEnds[2] = {-1, -1};
struct sigaction previousTerm;
struct sigaction previousHup;

void onSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}
} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (pipeEnds[0] >= 0)
        throw VbError::invalidCall(QStringLiteral("termination signals are already watched"));
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) throw VbError::invalidCall(QStringLiteral("pipe"));
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousTerm);
    sigaction(SIGHUP, &action, &previousHup);
}

TerminationSignals::~TerminationSignals() {
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGHUP, &previousHup, nullptr);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace platform
