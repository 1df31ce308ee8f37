#pragma once

#include <QString>

namespace platform {

// The program's way to the rest of the desktop: documents open with the desktop's default application for
// their type, and other programs start in processes of their own. The program uses the system's; tests
// install a recording one, so that no test launches anything.
class DesktopService {
public:
    virtual ~DesktopService() = default;
    // Opens a file with the default application for its type and returns at once; false when nothing
    // could open it.
    virtual bool openFile(const QString& path) = 0;
    // Starts a program detached in the given working folder and returns at once; false when it did not start.
    virtual bool startProgram(const QString& program, const QString& workingFolder) = 0;
};

} // namespace platform
