#pragma once

#include "platform/runtime/ScriptedDialogs.h"

#include <functional>
#include <QByteArray>
#include <QString>

namespace testsupport {

// Writes a lock file as a run left it, its file time `secondsAgo` (negative: a computer whose clock is
// ahead). "4711\nTAMBRIN\nlabpc07\n" is one that a run on the computer labpc07 left.
void leaveLock(const QString& file, const QByteArray& lines, qint64 secondsAgo);

// The scripted dialogs, with something that happens while the next message box is open (another user's
// Save while this user reads the question).
class MeanwhileDialogs : public platform::ScriptedDialogs {
public:
    std::function<void()> whileAsked;
    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
               int helpContext) override;
};

} // namespace testsupport
