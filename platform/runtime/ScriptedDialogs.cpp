#include "ScriptedDialogs.h"

namespace platform {

template <typename T> std::optional<T> ScriptedDialogs::take() {
    if (script_.empty()) return std::nullopt;
    if (!std::holds_alternative<T>(script_.front())) return std::nullopt;
    T value = std::get<T>(script_.front());
    script_.pop_front();
    return value;
}

ScriptedDialogs& ScriptedDialogs::answer(int msgBoxAnswer) {
    script_.emplace_back(msgBoxAnswer);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerEnter() {
    script_.emplace_back(Enter{});
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerText(std::optional<QString> text) {
    script_.emplace_back(std::move(text));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerPrint(std::optional<PrintAnswer> choice) {
    script_.emplace_back(std::move(choice));
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerColor(std::optional<long> color) {
    script_.emplace_back(color);
    return *this;
}
ScriptedDialogs& ScriptedDialogs::answerAllMessages(int msgBoxAnswer) {
    messageDefault_ = msgBoxAnswer;
    return *this;
}
ScriptedDialogs& ScriptedDialogs::onForm(std::function<int(QDialog&)> look) {
    formLook_ = std::move(look);
    return *this;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const auto& a : asked_)
        if (a.kind == QLatin1String("MsgBox")) out << a.prompt;
    return out;
}

int ScriptedDialogs::count(const QString& kind) const {
    int n = 0;
    for (const auto& a : asked_)
        if (a.kind == kind) ++n;
    return n;
}

bool ScriptedDialogs::allAnswered() const {
    for (const auto& a : asked_)
        if (!a.answered) return false;
    return true;
}

void ScriptedDialogs::clear() {
    script_.clear();
    asked_.clear();
    messageDefault_.reset();
    formLook_ = nullptr;
}

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
                            int helpContext) {
    Asked a{QStringLiteral("MsgBox"), prompt, title, style, {}, {}, true, helpFile, helpContext};
    auto scripted = take<int>();
    int result;
    if (scripted) {
        result = *scripted;
    } else if (take<Enter>()) {
        result = Msg::defaultAnswerOf(style);
    } else if (messageDefault_) {
        result = *messageDefault_;
    } else {
        a.answered = false;
        result = Msg::defaultAnswerOf(Msg::buttonsOf(style)); // the first button
    }
    asked_.push_back(a);
    return result;
}

std::optional<QString> ScriptedDialogs::InputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
    Asked a{QStringLiteral("InputBox"), prompt, title, 0, defaultText, {}, true, {}, 0};
    auto scripted = take<std::optional<QString>>();
    if (!scripted) a.answered = false;
    asked_.push_back(a);
    return scripted ? *scripted : std::nullopt;
}

std::optional<PrintAnswer> ScriptedDialogs::ShowPrinter(const PrintRequest& request) {
    Asked a{QStringLiteral("ShowPrinter"), {}, {}, 0, {}, request, true, {}, 0};
    auto scripted = take<std::optional<PrintAnswer>>();
    if (!scripted) a.answered = false;
    asked_.push_back(a);
    return scripted ? *scripted : std::nullopt;
}

std::optional<long> ScriptedDialogs::ShowColor(long initialColor, const QString& title) {
    Asked a{QStringLiteral("ShowColor"), QString::number(initialColor), title, 0, {}, {}, true, {}, 0};
    auto scripted = take<std::optional<long>>();
    if (!scripted) a.answered = false;
    asked_.push_back(a);
    return scripted ? *scripted : std::nullopt;
}

std::optional<QString> ScriptedDialogs::BrowseFolder(const QString& title, const QString& startFolder) {
    Asked a{QStringLiteral("BrowseFolder"), startFolder, title, 0, {}, {}, true, {}, 0};
    auto scripted = take<std::optional<QString>>();
    if (!scripted) a.answered = false;
    asked_.push_back(a);
    return scripted ? *scripted : std::nullopt;
}

std::optional<QString> ScriptedDialogs::OpenFileName(const QString& title, const QString& startFolder,
                                                     const QString& filter) {
    Asked a{QStringLiteral("OpenFileName"), startFolder + QLatin1Char('|') + filter, title, 0, {}, {}, true, {}, 0};
    auto scripted = take<std::optional<QString>>();
    if (!scripted) a.answered = false;
    asked_.push_back(a);
    return scripted ? *scripted : std::nullopt;
}

int ScriptedDialogs::ShowForm(QDialog& form) {
    Asked a{QStringLiteral("ShowForm"), {}, {}, 0, {}, {}, true, {}, 0};
    int result = 0;
    if (formLook_) result = formLook_(form);
    else a.answered = false;
    asked_.push_back(a);
    return result;
}

} // namespace platform
