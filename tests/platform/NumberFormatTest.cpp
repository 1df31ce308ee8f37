#include "platform/runtime/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

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
        {Variant(2.5), "#0", ",", "3"}, // an exact half rounds away from zero
        {Variant(-2.5), "#0", ",", "-3"},
        {Variant(0.125), "0.00", ".", "0.13"},
        {Variant(1.005), "0.00", ".", "1.00"},  // 1.005 is below the half in binary
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
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern), QString::fromUtf8(c.dec)),
                  QString::fromUtf8(c.expected));
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

// A straightforward reference for "0.00..." and "0.##...": the value's exact decimals from to_chars (which no
// locale of the C library changes), rounded half away from zero on the first dropped digit.
QString referenceFixed(double x, int places, bool optional) {
    std::vector<char> buf(512);
    const auto written = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(x), std::chars_format::fixed, 80);
    std::string s(buf.data(), written.ptr);
    const size_t dot = s.find('.');
    std::string digits = s.substr(0, dot) + s.substr(dot + 1);
    const size_t intDigits = dot;
    const size_t keep = intDigits + size_t(places);
    std::string kept = digits.substr(0, keep);
    if (digits[keep] >= '5') {
        int i = int(kept.size()) - 1;
        for (; i >= 0 && kept[size_t(i)] == '9'; --i)
            kept[size_t(i)] = '0';
        if (i >= 0)
            ++kept[size_t(i)];
        else
            kept.insert(0, "1");
    }
    std::string intPart = kept.substr(0, kept.size() - size_t(places));
    std::string frac = kept.substr(kept.size() - size_t(places));
    while (intPart.size() > 1 && intPart[0] == '0')
        intPart.erase(0, 1);
    const bool zero = intPart.find_first_not_of('0') == std::string::npos &&
                      frac.find_first_not_of('0') == std::string::npos;
    if (optional)
        while (!frac.empty() && frac.back() == '0')
            frac.pop_back();
    std::string out = (x < 0 && !zero ? "-" : "") + intPart + (frac.empty() ? "" : "." + frac);
    return QString::fromStdString(out);
}

TEST(NumberFormat, DoublesAgreeWithTheirExactDecimals) {
    std::mt19937_64 zufall(20261210);
    for (int i = 0; i < 20000; ++i) {
        double x = 0;
        switch (i % 3) {
        case 0: // binary fractions: many lie exactly half way at some place
            x = std::ldexp(double(zufall() % 20000000), -int(zufall() % 14)) / 16.0;
            break;
        case 1: // any bits over a wide range of magnitudes
            x = std::ldexp(1.0 + double(zufall() >> 11) * 0x1p-53, int(zufall() % 100) - 40);
            break;
        default: // decimal readings
            x = double(std::int64_t(zufall() % 100000000)) / std::pow(10.0, double(zufall() % 8));
        }
        if (zufall() % 2) x = -x;
        const int places = int(zufall() % 7);
        const QString fest = places ? "0." + QString(places, '0') : QStringLiteral("0");
        const QString frei = places ? "0." + QString(places, '#') : QStringLiteral("0");
        ASSERT_EQ(Format(Variant(x), fest, "."), referenceFixed(x, places, false)) << x << " " << places;
        ASSERT_EQ(Format(Variant(x), frei, "."), referenceFixed(x, places, true)) << x << " " << places;
    }
}

} // namespace
