#pragma once

#include "platform/runtime/Variant.h"

#include <QString>

namespace store {

// The title of every failure message of the table cursor but the index queries and the database choice.
QString dataErrorTitle();
// A value as the failure messages name it: its text form, nothing for Empty and Null.
QString messageText(const platform::Variant& value);
// The message of a failed single transfer: OK only, exclamation icon, title "Datenfehler".
void showDataError(const QString& text);
// The message of a write that the disk refused (full, or failing): the disk's state first, then what was
// not saved; the value is not to blame and is not named.
QString storageFailureText(const QString& cause, const QString& column, const QString& table);

} // namespace store
