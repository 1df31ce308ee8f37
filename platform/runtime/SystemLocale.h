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
    // A date value (days since 30 December 1899) as the system writes a date, and its time of day: the
    // locale's short date and time formats ("28.06.03" and "14:05" in Germany, "6/28/03" and "2:05 PM" in
    // the United States). The C locale has no formats of its own; the program speaks German there and
    // writes German dates.
    static QString shortDate(double dateValue);
    static QString shortTime(double dateValue);

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
