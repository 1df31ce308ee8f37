// Texts read as dates and times: the forms the conversion takes, and those it refuses.
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"

#include <ctime>
#include <gtest/gtest.h>
#include <optional>

using namespace platform;

namespace {

TEST(DateText, TheFormsThatReadAsDatesAndTimes) {
    SystemLocale::Override german(QStringLiteral("de"), QStringLiteral(","));
    // A time zone with summer time.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    struct Case {
        const char* text;
        std::optional<double> days; // nullopt: refused
    };
    const double feb1 = 37653; // 1 February 2003
    const std::vector<Case> cases{
        {"01.02.2003", feb1},
        {"01.02.03", feb1},
        {"01.02.29", feb1 + 26 * 365 + 7},
        {"01.02.30", feb1 - 73 * 365 - 18},
        {"2003-02-01", feb1},
        {"01.07.2003", feb1 + 150}, // in summer time too, a whole day
        {"01.07.2003 23:59:59", feb1 + 150 + 86399.0 / 86400},
        {"01.02.2003 12:00:00", feb1 + 0.5},
        {"2003-02-01 06:00:00", feb1 + 0.25},
        {"18:00", 0.75},
        {"18:00:00", 0.75},
        {" 06:00 ", 0.25},
        {"2,5", 2.5}, // a number is a count of days
        {"18:00:00:00", std::nullopt},
        {"01.02.2003 12:00", std::nullopt},
        {"01-02.2003", std::nullopt},
        {"spät", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.days) {
            EXPECT_NEAR(CDate(Variant(c.text)), *c.days, 1e-9);
        } else {
            EXPECT_THROW(CDate(Variant(c.text)), VbError);
        }
    }
    // And back: the day and the time as they were written.
    EXPECT_EQ(CStr(Variant::date(CDate(Variant("01.07.2003 12:00:00")))),
              QStringLiteral("01.07.2003 12:00:00"));
    EXPECT_EQ(Format(Variant::date(feb1 + 0.5), QStringLiteral("hh:mm")), QStringLiteral("12:00"));
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    tzset();
}

} // namespace
