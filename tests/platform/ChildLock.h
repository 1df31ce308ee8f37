#pragma once

#include <QString>
#include <sys/types.h>

namespace testsupport {

// Another process (a child of the test) that takes a lock file and holds it until it is killed: a second
// run of the program as the test sees it.
class ChildLock {
public:
    // Starts the child and waits until it has tried to take the lock, in the name of `user` (the login name
    // when empty).
    explicit ChildLock(const QString& file, const QString& user = {});
    // Kills the child if it still lives.
    ~ChildLock();
    ChildLock(const ChildLock&) = delete;
    ChildLock& operator=(const ChildLock&) = delete;

    // True when the child holds the lock.
    bool holding() const { return holding_; }
    // Kills the child as a crash would, and waits for its end: its lock file stays behind.
    void kill();

private:
    pid_t pid_ = -1;
    bool holding_ = false;
};

} // namespace testsupport
