#include "platform/runtime/NumberFormat.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(NumberFormat, PatternsAsATable) {
    struct Case {
        Variant value;
        const char* pattern;
        const char* dec;
        const char* expected;
    };
    const Case cases[] = {
        {Variant(1.8f), "#0.00", ",", "1,80"},
        {Variant(1.8f), "#0.000", ".", "1.800"},
        {Variant(1.9549f), "#0.00#", ",", "1,955"},
        {Variant(1.95f), "#0.00#", ",", "1,95"},
        {Variant(0.1234f), "#0.0 %", ",", "12,3 %"},
        {Variant(0.125), "#0.0 %", ".", "12.5 %"},
        {Variant(12345.0), "####0", ",", "12345"},
        {Variant(2.5), "#0", ",", "3"},       // an exact half rounds away from zero
        {Variant(-2.5), "#0", ",", "-3"},
        {Variant(0.125), "0.00", ".", "0.13"},
        {Variant(1.005), "0.00", ".", "1.00"}, // 1.005 is below the half in binary
        {Variant(1.005f), "0.00", ".", "1.01"}, // a Single is taken as its shortest text
        {Variant(0.0), "#0.00", ",", "0,00"},
        {Variant(0.4), "#.##", ".", ".4"},
        {Variant(-0.001), "#0.00", ".", "0.00"},
        {Variant(999.96), "#0.0", ".", "1000.0"},
        {Variant(1234567.891), "#,##0.00", ".", "1,234,567.89"},
        {Variant(std::int16_t(7)), "00", ",", "07"},
        {Variant(12.0f), "#0.0#", ",", "12,0"},
        {Variant(QStringLiteral("-")), "#0.00", ",", "-"},
        {Variant(QStringLiteral("abc")), "#0.00", ",", "abc"},
        {Variant(QStringLiteral("12,5")), "#0.00", ",", "12,50"},
        {Variant(1234.5), "0.00E+00", ".", "1.23E+03"},
        {Variant(-5.0), "#0;(#0)", ".", "(5)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.value.debugText().toStdString());
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern), QString::fromUtf8(c.dec)), QString::fromUtf8(c.expected));
    }
}

TEST(NumberFormat, TimesAndDates) {
    // 1.5 hours and 75 seconds
    EXPECT_EQ(Format(Variant::date(1.5 / 24.0), QStringLiteral("hh:mm")), QStringLiteral("01:30"));
    EXPECT_EQ(Format(Variant::date(75.0 / 86400.0), QStringLiteral("hh:mm:ss")), QStringLiteral("00:01:15"));
    // 9 December 2026
    const double days = 46365.0;
    EXPECT_EQ(Format(Variant::date(days), QStringLiteral("dd.mm.yy")), QStringLiteral("09.12.26"));
    EXPECT_EQ(Format(Variant::date(days), QStringLiteral("dd.mm.yyyy")), QStringLiteral("09.12.2026"));
}

TEST(NumberFormat, NullAndEmptyGiveEmptyText) {
    EXPECT_EQ(Format(Variant::null(), QStringLiteral("#0.00")), QString());
    EXPECT_EQ(Format(Variant(), QStringLiteral("#0.00")), QString());
}

} // namespace
