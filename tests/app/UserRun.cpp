// One run of the program as one user of an installation, driven line by line through its standard input, so
// that a test (or a trial by hand) can start several users' runs as processes of their own and let them
// work at the same moment:
//
//   user_run <program folder> <user>     (the settings folder comes from XDG_CONFIG_HOME as for the program)
//
// It says "ready" once it is waiting for commands. Commands, one a line, each answered by one line:
//   start              start-up          -> "started <0 running|1 ended|2 abandoned> <shown>"
//   comment <id> <text> sets the comment of a record in the working copy and marks the run changed -> "ok"
//   answer <n>         scripts the answer to the next message box (6 Yes, 7 No, 1 OK, 2 Cancel) -> "ok"
//   hold               the next message box stays open as a user leaves it open: when it comes, the run
//                      says "open: " and its text, and waits for a line that holds its answer -> "ok"
//   save               Save              -> "saved <0|1> dirty <0|1>"
//   quit               ends the run as File / Quit does, and the program -> "ended"
// After "started", "saved" and "ended" every message box asked meanwhile follows on a line of its own, "box:
// " and its text with line breaks as "|"; a line "end" closes the answer.
#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/runtime/RecordingDesktop.h"
#include "platform/runtime/ScriptedDialogs.h"

#include <iostream>
#include <QApplication>
#include <string>
#include <utility>

namespace {

void say(const QString& line) {
    std::cout << line.toStdString() << std::endl;
}

void sayBoxes(platform::ScriptedDialogs& dialogs) {
    for (const auto& box : dialogs.asked())
        say(QStringLiteral("box: ") + QString(box.prompt).replace(QLatin1Char('\n'), QLatin1Char('|')));
    dialogs.clear();
    say(QStringLiteral("end"));
}

// The scripted answers, but for a box that the test keeps open until it sends the answer.
class HeldDialogs : public platform::ScriptedDialogs {
public:
    bool holdNext = false;
    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
               int helpContext) override {
        if (!std::exchange(holdNext, false))
            return ScriptedDialogs::MsgBox(prompt, style, title, helpFile, helpContext);
        say(QStringLiteral("open: ") + QString(prompt).replace(QLatin1Char('\n'), QLatin1Char('|')));
        std::string answer;
        std::getline(std::cin, answer);
        return QString::fromStdString(answer).trimmed().toInt();
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: user_run <program folder> <user>" << std::endl;
        return 2;
    }
    HeldDialogs dialogs;
    platform::RecordingDesktop desktop;
    frmMAIN window;
    window.setProgramFolder(QString::fromLocal8Bit(argv[1]));
    window.setUserName(QString::fromLocal8Bit(argv[2]));
    window.setDialogs(&dialogs);
    window.setDesktop(&desktop);
    bool running = false;
    say(QStringLiteral("ready"));
    for (std::string text; std::getline(std::cin, text);) {
        const QString line = QString::fromStdString(text).trimmed();
        const QString command = line.section(QLatin1Char(' '), 0, 0);
        if (command == QLatin1String("start")) {
            const frmMAIN::LoadResult result = window.MDIForm_Load();
            running = result == frmMAIN::LoadResult::Running;
            say(QStringLiteral("started %1 %2").arg(int(result)).arg(window.isVisible() ? 1 : 0));
            sayBoxes(dialogs);
        } else if (command == QLatin1String("comment")) {
            window.cnnX->Execute(
                QStringLiteral("UPDATE E1 SET KOM = ? WHERE ID = ?"),
                {platform::Variant(line.section(QLatin1Char(' '), 2)),
                 platform::Variant(std::int32_t(line.section(QLatin1Char(' '), 1, 1).toInt()))});
            window.setDirty(true);
            say(QStringLiteral("ok"));
        } else if (command == QLatin1String("answer")) {
            dialogs.answer(line.section(QLatin1Char(' '), 1, 1).toInt());
            say(QStringLiteral("ok"));
        } else if (command == QLatin1String("hold")) {
            dialogs.holdNext = true;
            say(QStringLiteral("ok"));
        } else if (command == QLatin1String("save")) {
            const bool saved = window.saveProject();
            say(QStringLiteral("saved %1 dirty %2").arg(saved ? 1 : 0).arg(window.dirty() ? 1 : 0));
            sayBoxes(dialogs);
        } else if (command == QLatin1String("quit")) {
            // A start that did not run to its end ends as the program ends it.
            if (running)
                window.mnuBEENDEN_Click();
            else
                window.endAbandonedStart();
            say(QStringLiteral("ended"));
            sayBoxes(dialogs);
            break;
        }
    }
    return 0;
}
