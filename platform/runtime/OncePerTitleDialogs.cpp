#include "OncePerTitleDialogs.h"

namespace platform {

int OncePerTitleDialogs::MsgBox(const QString& prompt, int style, const QString& title,
                                const QString& helpFile, int helpContext) {
    // After a Cancel the user has stopped the whole: every later box is cancelled without being shown.
    if (cancelled_) return Msg::Cancel;
    if (const auto asked = answers_.find(title); asked != answers_.end()) return asked->second;
    const int answer = behind_.MsgBox(prompt, style, title, helpFile, helpContext);
    answers_[title] = answer;
    if (answer == Msg::Cancel) cancelled_ = true;
    return answer;
}

} // namespace platform
