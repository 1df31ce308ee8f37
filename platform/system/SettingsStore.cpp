#include "SettingsStore.h"

#include <QSettings>

namespace platform::SettingsStore {


QString GetSetting(const QString& appName, const QString& section, const QString& key) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    return s.value(section + QLatin1Char('/') + key, QString()).toString();
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
}

QString fileOf(const QString& appName) {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, appName, appName);
    return s.fileName();
}

} // namespace platform::SettingsStore
