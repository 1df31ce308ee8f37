#include "Language.h"

#include "SystemLocale.h"

#include <atomic>

namespace platform {

namespace {
// The installed run state's language code; messages may be written on a worker thread too.
std::atomic<const std::int16_t*> runLanguage{nullptr};
} // namespace

bool Language::english() {
    const std::int16_t* code = runLanguage.load();
    return code ? *code == 1 : SystemLocale::languageName() == QLatin1String("en");
}

QString Language::text(const QString& english_, const QString& german) {
    return english() ? english_ : german;
}

QString Language::text(const char* english_, const char* german) {
    return QString::fromUtf8(english() ? english_ : german);
}

void Language::follow(const std::int16_t* code) {
    runLanguage = code;
}

} // namespace platform
