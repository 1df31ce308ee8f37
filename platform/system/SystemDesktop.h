#pragma once

#include "../runtime/DesktopService.h"

namespace platform {

// The desktop of the running program: QDesktopServices opens documents, QProcess starts programs detached.
class SystemDesktop : public DesktopService {
public:
    bool openFile(const QString& path) override;
    bool startProgram(const QString& program, const QString& workingFolder) override;
};

} // namespace platform
