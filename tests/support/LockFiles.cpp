#include "LockFiles.h"

#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <utility>

namespace testsupport {

void leaveLock(const QString& file, const QByteArray& lines, qint64 secondsAgo) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(lines), lines.size());
    ASSERT_TRUE(f.flush());
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
}

int MeanwhileDialogs::MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
                             int helpContext) {
    if (auto happens = std::exchange(whileAsked, {})) happens();
    return ScriptedDialogs::MsgBox(prompt, style, title, helpFile, helpContext);
}

} // namespace testsupport
