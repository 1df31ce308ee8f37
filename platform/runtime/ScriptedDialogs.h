#pragma once

#include "DialogService.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace platform {

// A dialog service that answers from a script and records every question: for tests and for unattended runs.
// Each answer is consumed in order. A question without a scripted answer gets the default answer of its
// kind (the first button of a message box; Cancel for every other dialog) and is marked unanswered.
class ScriptedDialogs : public DialogService {
public:
    struct Asked {
        QString kind; // "MsgBox", "InputBox", "ShowPrinter", "ShowColor", "BrowseFolder", "OpenFileName",
                  // "ShowForm"
        QString prompt;
        QString title;
        int style = 0;
        QString defaultText;
        PrintRequest print;
        bool answered = true;
        QString helpFile; // a message box's help button: the file and the context it opens
        int helpContext = 0;
    };
    // A message box answered with Enter: its default button.
    struct Enter {};
    using Answer =
        std::variant<int, std::optional<QString>, std::optional<PrintAnswer>, std::optional<long>, Enter>;

    // Scripts the next answers.
    ScriptedDialogs& answer(int msgBoxAnswer);
    // The next message box is answered as the Enter key answers it: with its default button.
    ScriptedDialogs& answerEnter();
    ScriptedDialogs& answerText(std::optional<QString> text);
    ScriptedDialogs& answerPrint(std::optional<PrintAnswer> choice);
    ScriptedDialogs& answerColor(std::optional<long> color);
    // From now on every message box without a scripted answer gets this answer.
    ScriptedDialogs& answerAllMessages(int msgBoxAnswer);
    // Every form shown from now on is handed to this function, which looks at it while it is "open" and
    // returns the form's result. Without one a form is closed at once with the result 0 (rejected).
    ScriptedDialogs& onForm(std::function<int(QDialog&)> look);

    const std::vector<Asked>& asked() const { return asked_; }
    // The prompts of the message boxes asked so far.
    QStringList messages() const;
    int count(const QString& kind) const;
    bool allAnswered() const;
    int pending() const { return int(script_.size()); }
    void clear();

    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile = {},
               int helpContext = 0) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText = {}) override;
    std::optional<PrintAnswer> ShowPrinter(const PrintRequest& request) override;
    std::optional<long> ShowColor(long initialColor, const QString& title = {}) override;
    std::optional<QString> BrowseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> OpenFileName(const QString& title, const QString& startFolder,
                                        const QString& filter) override;
    int ShowForm(QDialog& form) override;

private:
    template <typename T> std::optional<T> take();

    std::deque<Answer> script_;
    std::vector<Asked> asked_;
    std::optional<int> messageDefault_;
    std::function<int(QDialog&)> formLook_;
};

} // namespace platform
