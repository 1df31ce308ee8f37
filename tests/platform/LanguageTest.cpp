// The run's language decides every message of the program and its layer: the installed run state's language
// code while there is one (1 English, anything else German), the system locale's before and after.
#include "platform/runtime/Language.h"
#include "platform/run/RunState.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

std::string overflow() {
    return VbError::overflow().Description().toStdString();
}

TEST(Language, TheInstalledRunsLanguageDecidesAndTheLocaleOnlyWithoutOne) {
    const struct {
        const char* locale;
        std::int16_t SPRACHE;
        const char* withoutRun;
        const char* inRun;
    } cases[] = {
        {"de", 1, "Überlauf", "Overflow"}, {"en", 3, "Overflow", "Überlauf"},
        {"en", 1, "Overflow", "Overflow"}, {"de", 3, "Überlauf", "Überlauf"},
        {"en", 0, "Overflow", "Überlauf"}, {"fr", 1, "Überlauf", "Overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + std::to_string(c.SPRACHE));
        const SystemLocale::Override locale(QString::fromLatin1(c.locale), QStringLiteral(","));
        EXPECT_EQ(overflow(), c.withoutRun);
        {
            RunState run;
            run.SPRACHE = c.SPRACHE;
            run.install();
            EXPECT_EQ(overflow(), c.inRun);
            EXPECT_EQ(Language::english(), c.SPRACHE == 1);
        }
        EXPECT_EQ(overflow(), c.withoutRun) << "after the run";
    }
}

// The language is read when a text is chosen: a run that sets its language after it was installed (as the
// program does at start-up) speaks it at once, and a run installed over another speaks its own until it goes.
TEST(Language, FollowsTheRunsLanguageAsItChanges) {
    const SystemLocale::Override locale(QStringLiteral("de"), QStringLiteral(","));
    RunState outer;
    outer.install();
    EXPECT_EQ(Language::text("English", "Deutsch"), QStringLiteral("Deutsch"));
    outer.SPRACHE = 1;
    EXPECT_EQ(Language::text("English", "Deutsch"), QStringLiteral("English"));
    {
        RunState inner;
        inner.install();
        EXPECT_EQ(Language::text(QStringLiteral("English"), QStringLiteral("Deutsch")),
                  QStringLiteral("Deutsch"));
    }
    EXPECT_EQ(Language::text("English", "Deutsch"), QStringLiteral("English"));
}

} // namespace
