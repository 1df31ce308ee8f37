#pragma once

#include <QString>

namespace platform {

// The user's locale as the operating system reports it: its language and decimal sign.
// The conversions of the runtime follow it, as the original runtime followed the system locale.
class SystemLocale {
public:
    // ISO 639 language name of the user's locale ("de", "en", ...).
    static QString languageName();
    // The locale's decimal sign ("," or ".").
    static QString decimalSign();
    // True unless the locale is English: the layer's own messages then read German.
    static bool german();
    // The English or the German text, by the locale.
    static QString pick(const QString& english, const QString& german);

    // Replaces the system's answers for as long as the object lives (tests, or a run that fixes them).
    class Override {
    public:
        Override(const QString& languageName, const QString& decimalSign);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        QString previousLanguage_;
        QString previousDecimal_;
        bool hadPrevious_;
    };
};

} // namespace platform
