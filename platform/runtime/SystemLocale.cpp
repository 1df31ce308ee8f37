#include "SystemLocale.h"

#include "Clock.h"

#include <QLocale>
#include <optional>

namespace platform {

namespace {
// The override stands in for the operating system's locale; it is not run state of the program.
std::optional<QString> overrideLanguage;
std::optional<QString> overrideDecimal;
} // namespace

QString SystemLocale::languageName() {
    if (overrideLanguage) return *overrideLanguage;
    const QString name = QLocale::system().name(); // "de_DE"
    return name.section('_', 0, 0).toLower();
}

QString SystemLocale::decimalSign() {
    if (overrideDecimal) return *overrideDecimal;
    return QLocale::system().decimalPoint();
}

namespace {
// The locale whose formats dates and times are written in.
QLocale dateLocale() {
    const QLocale locale = overrideLanguage ? QLocale(*overrideLanguage) : QLocale::system();
    return locale.language() == QLocale::C ? QLocale(QLocale::German, QLocale::Germany) : locale;
}
} // namespace

QString SystemLocale::shortDate(double dateValue) {
    const QLocale locale = dateLocale();
    return locale.toString(Clock::dateTime(dateValue).date(), locale.dateFormat(QLocale::ShortFormat));
}

QString SystemLocale::shortTime(double dateValue) {
    const QLocale locale = dateLocale();
    return locale.toString(Clock::dateTime(dateValue).time(), locale.timeFormat(QLocale::ShortFormat));
}

SystemLocale::Override::Override(const QString& languageName, const QString& decimalSign)
    : previousLanguage_(overrideLanguage.value_or(QString())), previousDecimal_(overrideDecimal.value_or(QString())),
      hadPrevious_(overrideLanguage.has_value()) {
    overrideLanguage = languageName;
    overrideDecimal = decimalSign;
}

SystemLocale::Override::~Override() {
    if (hadPrevious_) {
        overrideLanguage = previousLanguage_;
        overrideDecimal = previousDecimal_;
    } else {
        overrideLanguage.reset();
        overrideDecimal.reset();
    }
}

} // namespace platform
