#pragma once

#include <QString>

namespace testsupport {

// A small disk of its own (a tmpfs) mounted over a folder while the object lives, to fill it up, or a disk
// that may not be written at all. Mounting needs the right to (root); a test skips when it is not given.
class SmallDisk {
public:
    SmallDisk(const QString& folder, long long bytes);
    ~SmallDisk();
    // Makes the disk read-only from now on: what is on it stays readable.
    bool makeReadOnly();
    // Fills the disk up with a file of its own, so that the next write fails for want of space.
    bool fill();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Why it could not be mounted.
    const QString& why() const { return why_; }

private:
    QString folder_;
    bool mounted_ = false;
    QString why_;
};

} // namespace testsupport
