#pragma once

#include <memory>
#include <QString>

class QTranslator;

namespace platform {

// Qt's own texts in the run's language: the standard buttons of the message and input boxes ("Ja",
// "Nein", "Abbrechen"), the colour, file and print dialogs. They come from Qt's translation files
// (Debian package qt6-translations-l10n); English needs none. Installed into the application for as long
// as the object lives.
class QtTranslations {
public:
    // languageName: the ISO 639 name of the run's language ("de", "en").
    explicit QtTranslations(const QString& languageName);
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // False when the language needs translations and they are not installed: Qt's texts stay English.
    bool loaded() const { return loaded_; }
    // The folder Qt's translation files are read from.
    static QString folder();

private:
    std::unique_ptr<QTranslator> translator_;
    bool loaded_ = true;
};

} // namespace platform
