#include "SystemDesktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {

bool SystemDesktop::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemDesktop::startProgram(const QString& program, const QString& workingFolder) {
    return QProcess::startDetached(program, {}, workingFolder);
}

} // namespace platform
