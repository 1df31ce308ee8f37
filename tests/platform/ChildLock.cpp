#include "ChildLock.h"

#include "platform/system/FileLock.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

ChildLock::ChildLock(const QString& file, const QString& user) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(ready[0]);
        char taken = 0;
        try {
            // Never released: the lock lives as long as the child.
            taken = (new platform::FileLock(file, user))->take() == platform::FileLock::State::Taken ? 1 : 0;
        } catch (...) {
        }
        if (::write(ready[1], &taken, 1) != 1) ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char taken = 0;
    if (pid_ > 0 && ::read(ready[0], &taken, 1) == 1) holding_ = taken == 1;
    ::close(ready[0]);
}

ChildLock::~ChildLock() {
    kill();
}

void ChildLock::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    holding_ = false;
}

} // namespace testsupport
