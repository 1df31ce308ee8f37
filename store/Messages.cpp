#include "Messages.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/Language.h"

namespace store {

QString dataErrorTitle() {
    return QStringLiteral("Datenfehler");
}

QString messageText(const platform::Variant& value) {
    if (value.isNull()) return {};
    return platform::CStr(value);
}

QString storageFailureText(const QString& cause, const QString& column, const QString& table) {
    return cause + QLatin1Char('\n') +
           platform::Language::text(QStringLiteral("Column %1 of table %2 was not saved."),
                                    QStringLiteral("Die Spalte %1 der Tabelle %2 wurde nicht gespeichert."))
               .arg(column, table);
}

void showDataError(const QString& text) {
    platform::RunState::current().dialogs().MsgBox(text, platform::Msg::OKOnly | platform::Msg::Exclamation,
                                                   dataErrorTitle());
}

} // namespace store
