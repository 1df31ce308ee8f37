#pragma once

#include <QString>

namespace platform {

// The per-user settings of the product family (an INI file under the user's configuration folder,
// application and organisation "HELVANO"), read and written by section and key.
namespace SettingsStore {
// The value, or the empty text when there is none.
QString GetSetting(const QString& appName, const QString& section, const QString& key);
void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);
// The file that holds the application's settings.
QString fileOf(const QString& appName);
} // namespace SettingsStore

} // namespace platform
