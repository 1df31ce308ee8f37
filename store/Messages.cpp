#include "Messages.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"

namespace store {

QString dataErrorTitle() {
    return QStringLiteral("Datenfehler");
}

QString messageText(const platform::Variant& value) {
    if (value.isNull()) return {};
    return platform::CStr(value);
}

void showDataError(const QString& text) {
    platform::RunState::current().dialogs().MsgBox(text, platform::Msg::OKOnly | platform::Msg::Exclamation,
                                                   dataErrorTitle());
}

} // namespace store
