#pragma once

#include "../runtime/DesktopService.h"

namespace platform {

// The desktop of the running program: xdg-open hands documents to the desktop's default application (or,
// where it is missing, QDesktopServices finds the desktop's own launcher); QProcess starts programs
// detached.
class SystemDesktop : public DesktopService {
public:
    // answerWaitMs: how long openFile waits for the opener's answer.
    explicit SystemDesktop(int answerWaitMs = 3000) : answerWaitMs_(answerWaitMs) {}
    // False when no opener is installed or the opener reports that no program opens the file.
    bool openFile(const QString& path) override;
    bool startProgram(const QString& program, const QString& workingFolder) override;

private:
    int answerWaitMs_;
};

} // namespace platform
