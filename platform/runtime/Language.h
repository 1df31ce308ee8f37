#pragma once

#include <cstdint>
#include <QString>

namespace platform {

// The run's language, in which the program's messages and captions are written: English or German. Every
// choice between an English and a German text asks it, the English text first:
//
//   setWindowTitle(Language::text(QStringLiteral("Print"), QStringLiteral("Drucken")));
//
// While a run state is installed, its language code decides (1 English, anything else German; a run sets it
// from the system locale as it starts, a test as it likes); without one, the system locale decides. The
// language a record's pages are written in is the record's, not the run's: it is not asked here.
class Language {
public:
    // The English or the German text, by the run's language.
    static QString text(const QString& english, const QString& german);
    static QString text(const char* english, const char* german); // UTF-8
    // True when the run speaks English: for a form that puts all its captions in English at once.
    static bool english();
    // From now on the run's language is the code at `code` (1 English, anything else German); nullptr: the
    // system locale's. The run state points it at its own code while it is installed.
    static void follow(const std::int16_t* code);
};

} // namespace platform
