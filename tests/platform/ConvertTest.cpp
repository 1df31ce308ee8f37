#include "platform/runtime/Convert.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct IntCase {
    Variant input;
    long expected; // or the error number when `error` is set
    bool error;
};

TEST(Convert, CIntRoundsHalvesToEvenAndRaisesOverflowOrTypeMismatch) {
    SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
    const IntCase cases[] = {
        {Variant(2.5), 2, false},
        {Variant(3.5), 4, false},
        {Variant(-2.5), -2, false},
        {Variant(0.5f), 0, false},
        {Variant(1.5f), 2, false},
        {Variant(2.4999), 2, false},
        {Variant(32767.4), 32767, false},
        {Variant(32767.5), VbError::Overflow, true},
        {Variant(-32768.5), -32768, false},
        {Variant(-32768.6), VbError::Overflow, true},
        {Variant(true), -1, false},
        {Variant(QStringLiteral(" 12,5 ")), 12, false},
        {Variant(QStringLiteral("13,5")), 14, false},
        {Variant(QStringLiteral("abc")), VbError::TypeMismatch, true},
        {Variant(QStringLiteral("1.234")), VbError::TypeMismatch, true}, // grouping is refused
        {Variant(QStringLiteral("")), VbError::TypeMismatch, true},
        {Variant(), 0, false},
        {Variant::null(), VbError::InvalidUseOfNull, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.debugText().toStdString());
        if (c.error) {
            try {
                CInt(c.input);
                FAIL() << "no error";
            } catch (const VbError& e) {
                EXPECT_EQ(e.Number(), c.expected);
            }
        } else {
            EXPECT_EQ(CInt(c.input), c.expected);
        }
    }
}

TEST(Convert, CLngRangeAndHalves) {
    EXPECT_EQ(CLng(Variant(2147483647.4)), 2147483647);
    EXPECT_THROW(CLng(Variant(2147483647.5)), VbError);
    EXPECT_EQ(CLng(Variant(-1.5)), -2);
    EXPECT_EQ(CLng(Variant(std::int16_t(7))), 7);
}

TEST(Convert, CStrOfSingleHasAtMostSevenSignificantDigits) {
    struct Case {
        float value;
        const char* comma;
        const char* point;
    };
    const Case cases[] = {
        {1.8f, "1,8", "1.8"},
        {0.1f, "0,1", "0.1"},
        {1.0f / 3.0f, "0,3333333", "0.3333333"},
        {2.0f, "2", "2"},
        {-12.5f, "-12,5", "-12.5"},
        {1234567.0f, "1234567", "1234567"},
        {12345678.0f, "1,234568E+07", "1.234568E+07"},
        {0.0001f, "0,0001", "0.0001"},
        {0.00001f, "1E-05", "1E-05"},
        {0.0f, "0", "0"},
        {3.1415925f, "3,141593", "3.141593"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleText(c.value, QStringLiteral(",")), QString::fromUtf8(c.comma));
        EXPECT_EQ(SingleText(c.value, QStringLiteral(".")), QString::fromUtf8(c.point));
    }
}

TEST(Convert, TypedSingleTextHasTheSameDigitsWithoutAnExponent) {
    struct Case {
        float value;
        const char* comma;
    };
    const Case cases[] = {
        {0.00001f, "0,00001"}, {-0.000012345f, "-0,000012345"}, {1.0e8f, "100000000"}, {1.8f, "1,8"},
        {0.0f, "0"},           {100000.0f, "100000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypedSingleText(c.value, QStringLiteral(",")), QString::fromUtf8(c.comma));
        EXPECT_EQ(
            float(ReadNumber(TypedSingleText(c.value, QStringLiteral(".")), QStringLiteral(".")).value()),
            c.value);
    }
}

TEST(Convert, CStrFollowsTheLocaleDecimalSignWithoutGrouping) {
    {
        SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
        EXPECT_EQ(CStr(Variant(1234.5)), QStringLiteral("1234,5"));
        EXPECT_EQ(CStr(Variant(0.1)), QStringLiteral("0,1"));
        EXPECT_EQ(CStr(Variant(true)), QStringLiteral("True"));
        EXPECT_EQ(CStr(Variant(std::int32_t(-5))), QStringLiteral("-5"));
    }
    {
        SystemLocale::Override en(QStringLiteral("en"), QStringLiteral("."));
        EXPECT_EQ(CStr(Variant(1234.5)), QStringLiteral("1234.5"));
        EXPECT_EQ(CStr(Variant(1e15)), QStringLiteral("1E+15"));
        EXPECT_EQ(CStr(Variant(123456789012345.0)), QStringLiteral("123456789012345"));
    }
}

TEST(Convert, TextsReadBackWithTheLocaleDecimalSign) {
    {
        SystemLocale::Override de(QStringLiteral("de"), QStringLiteral(","));
        EXPECT_FLOAT_EQ(CSng(Variant(QStringLiteral("12,5"))), 12.5f);
        EXPECT_THROW(CSng(Variant(QStringLiteral("12.5"))), VbError);
        EXPECT_DOUBLE_EQ(CDbl(Variant(QStringLiteral("1,234568E+07"))), 12345680.0);
    }
    {
        SystemLocale::Override en(QStringLiteral("en"), QStringLiteral("."));
        EXPECT_FLOAT_EQ(CSng(Variant(QStringLiteral("12.5"))), 12.5f);
        EXPECT_THROW(CSng(Variant(QStringLiteral("12,5"))), VbError);
    }
    // Every Single survives the trip through its text.
    // (Singles that need more than 7 digits, like 1/3, do not: the text has 7 at most.)
    for (float f : {1.8f, 0.025f, 2.7f, 1234.567f, 7.0e-6f}) {
        EXPECT_EQ(CSng(Variant(SingleText(f, SystemLocale::decimalSign()))), f);
    }
}

TEST(Convert, CStrOfDatesAndTimes) {
    EXPECT_EQ(CStr(Variant::date(0.0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(CStr(Variant::date(0.5)), QStringLiteral("12:00:00"));
    EXPECT_EQ(CStr(Variant::date(46365.0)), QStringLiteral("09.12.2026"));
    EXPECT_EQ(CStr(Variant::date(46365.25)), QStringLiteral("09.12.2026 06:00:00"));
}

TEST(Convert, TypedNumbers) {
    struct Case {
        const char* text;
        const char* dec;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12,5", ",", true, 12.5},  {" -3,25 ", ",", true, -3.25}, {"+7", ",", true, 7},
        {",5", ",", true, 0.5},     {"5,", ",", true, 5},          {"1.000,5", ",", false, 0},
        {"12.5", ",", false, 0},    {"12.5", ".", true, 12.5},     {"1,000.5", ".", false, 0},
        {"1,5,2", ",", false, 0},   {"", ",", false, 0},           {"-", ",", false, 0},
        {"1E3", ".", false, 0},     {"abc", ".", false, 0},        {"12 5", ".", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = ReadTypedNumber(QString::fromUtf8(c.text), QString::fromUtf8(c.dec));
        EXPECT_EQ(v.has_value(), c.ok);
        if (v && c.ok) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
    }
}

// What the user is told about a typed text that is no number in the range: the decimal sign to use, the
// range, or what else is wrong; in the locale's language.
TEST(Convert, TypedNumbersInARangeSayWhatIsWrong) {
    const struct {
        const char* language;
        const char* dec;
        const char* text;
        double min;
        std::optional<double> max;
        const char* problem; // "" when the number is taken
    } cases[] = {
        {"de", ",", " 0,05 ", 0, {}, ""},
        {"de", ",", "0,5", 0, 0.5, ""},
        {"de", ",", "0.05", 0, {}, "Das Dezimalzeichen ist hier das Komma: 0,05 statt 0.05."},
        {"en", ".", "0,05", 0, {}, "The decimal sign here is the point: 0.05 instead of 0,05."},
        {"de", ".", "0,05", 0, {}, "Das Dezimalzeichen ist hier der Punkt: 0.05 statt 0,05."},
        {"de", ",", "0,51", 0, 0.5, "Die Zahl 0,51 liegt nicht im Bereich von 0 bis 0,5."},
        {"en", ".", "-1.5", 0, 0.25, "The number -1.5 is outside the range from 0 to 0.25."},
        {"de", ",", "-0,05", 0, {}, "Die Zahl -0,05 ist kleiner als 0."},
        {"en", ".", "-2", 0, {}, "The number -2 is less than 0."},
        {"de",
         ",",
         "1e30",
         0,
         {},
         "Zahlen werden hier ohne Exponenten geschrieben: 1e30 wird nicht angenommen."},
        {"en", ".", "1E-3", 0, 0.5, "Numbers are typed here without an exponent: 1E-3 is not taken."},
        {"de",
         ",",
         "1.000,5",
         0,
         {},
         "Zahlen werden hier ohne Tausendertrennzeichen geschrieben: 1000,5 statt 1.000,5."},
        {"en",
         ".",
         "1,000.5",
         0,
         {},
         "Numbers are typed here without thousands separators: 1000.5 instead of 1,000.5."},
        {"de", ",", "abc", 0, {}, "„abc“ ist keine Zahl."},
        {"en", ".", "1.2.3", 0, {}, "\"1.2.3\" is not a number."},
        {"de", ",", "  ", 0, {}, "Es ist keine Zahl angegeben."},
        {"en", ".", "", 0, {}, "No number was typed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " '" + c.text + "'");
        const SystemLocale::Override locale(QString::fromLatin1(c.language), QString::fromLatin1(c.dec));
        const TypedNumber n =
            ReadTypedNumberInRange(QString::fromUtf8(c.text), QString::fromLatin1(c.dec), c.min, c.max);
        EXPECT_EQ(n.problem, QString::fromUtf8(c.problem));
        EXPECT_EQ(n.value.has_value(), *c.problem == 0);
    }
}

TEST(Convert, BooleansAndRounding) {
    EXPECT_TRUE(CBool(Variant(QStringLiteral("True"))));
    EXPECT_FALSE(CBool(Variant(QStringLiteral("Falsch"))));
    EXPECT_TRUE(CBool(Variant(-1.0)));
    EXPECT_FALSE(CBool(Variant(0.0f)));
    EXPECT_THROW(CBool(Variant(QStringLiteral("ja"))), VbError);
    EXPECT_EQ(CLng(Variant(true)), -1);

    EXPECT_DOUBLE_EQ(Round(2.5), 2.0);
    EXPECT_DOUBLE_EQ(Round(3.5), 4.0);
    EXPECT_DOUBLE_EQ(Round(12.345678, 1), 12.3);
    EXPECT_DOUBLE_EQ(Round(9.65, 1), 9.7); // 9.65 is a little above the half in binary
    EXPECT_DOUBLE_EQ(Round(0.25, 1), 0.2);
    EXPECT_DOUBLE_EQ(Round(0.35, 1), 0.3); // 0.35 is 0.34999.. in binary
    EXPECT_DOUBLE_EQ(Round(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(Round(-2.5), -2.0);
    EXPECT_DOUBLE_EQ(Round(12345678 / 1e6, 1), 12.3);
    EXPECT_DOUBLE_EQ(Round(0.96, 1), 1.0);
}

} // namespace
