#include "ErrorBox.h"

#include "../runtime/DialogService.h"
#include "RunState.h"

namespace platform {

QString ErrorBoxText(const VbError& error, const QString& prefix) {
    return prefix + QString::number(error.Number()) + QLatin1Char('\n') + error.Description();
}

VbError asVbError(const std::exception& e) {
    if (const auto* vb = dynamic_cast<const VbError*>(&e)) return *vb;
    return VbError(VbError::InvalidCall, QString::fromLocal8Bit(e.what()));
}

bool ShowErrorBox(const VbError& error, const QString& title, const QString& prefix) {
    const int answer = RunState::current().dialogs().MsgBox(ErrorBoxText(error, prefix),
                                                            Msg::OKCancel | Msg::Exclamation, title);
    return answer == Msg::OK;
}

void ErrorTrap::report(const std::exception& e) {
    failed_ = true;
    const VbError error = asVbError(e);
    const bool ok = text_ ? RunState::current().dialogs().MsgBox(text_(error), Msg::OKCancel | Msg::Exclamation,
                                                                title_) == Msg::OK
                          : ShowErrorBox(error, title_, prefix_);
    if (!ok) cancelled_ = true;
}

} // namespace platform
