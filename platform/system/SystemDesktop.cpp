#include "SystemDesktop.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace platform {

bool SystemDesktop::openFile(const QString& path) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    // xdg-open ends at once on a desktop that has its own launcher, with an error when no program is set
    // for the file's type. Without such a desktop it runs the program itself and lives as long as the
    // document is open. It runs detached, so that it outlives this program, and leaves its exit status in a
    // file: a status within the wait is the answer; an opener still running is showing the document.
    QTemporaryDir dir;
    if (!dir.isValid()) return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    const QString status = dir.filePath(QStringLiteral("status"));
    const QString script =
        QStringLiteral("\"$1\" \"$2\" >/dev/null 2>&1 </dev/null; { echo $? >\"$3\"; } 2>/dev/null");
    QProcess shell;
    shell.setProgram(QStringLiteral("/bin/sh"));
    shell.setArguments({QStringLiteral("-c"), script, QStringLiteral("sh"), opener, path, status});
    // Nothing of this program's own input and output goes with it.
    shell.setStandardInputFile(QProcess::nullDevice());
    shell.setStandardOutputFile(QProcess::nullDevice());
    shell.setStandardErrorFile(QProcess::nullDevice());
    if (!shell.startDetached()) return false;
    constexpr int stepMs = 20;
    for (int waited = 0; waited < answerWaitMs_; waited += stepMs) {
        QFile answer(status);
        if (answer.open(QIODevice::ReadOnly)) {
            const QByteArray code = answer.readAll().trimmed();
            if (!code.isEmpty()) return code == "0"; // empty: the status is being written
        }
        QThread::msleep(stepMs);
    }
    return true;
}

bool SystemDesktop::startProgram(const QString& program, const QString& workingFolder) {
    return QProcess::startDetached(program, {}, workingFolder);
}

} // namespace platform
