// The conversions between numbers and texts in every locale of the C library. Qt sets the C library's locale
// from the environment when the application starts (and a platform theme or a print dialog may set it
// again), so printf and strtod write and read a comma on a German or French desktop. The program's texts
// must not follow it: they carry the run's decimal sign alone.
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/runtime/SystemLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

using namespace platform;

namespace {

// The C library's locale set as Qt sets it from the environment, for the lifetime of the object.
class CLibraryLocale {
public:
    explicit CLibraryLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~CLibraryLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CLibraryLocale(const CLibraryLocale&) = delete;
    CLibraryLocale& operator=(const CLibraryLocale&) = delete;
    bool set() const { return set_; }
    // What printf makes of 2.5 in this locale: "2,5" in a decimal-comma locale.
    static std::string printed() {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%.1f", 2.5);
        return buf;
    }

private:
    std::string previous_;
    bool set_ = false;
};

struct Locale {
    const char* name;
    bool comma; // the C library writes a decimal comma there
};
const Locale kLocales[] = {{"de_DE.UTF-8", true}, {"fr_FR.UTF-8", true}, {"C.UTF-8", false}};

// Runs body in each C library locale, failing (not skipping) where one is not installed: a run without a
// decimal-comma locale would pass while hiding every fault these tests are there to find.
template <typename Body>
void inEachLocale(Body body) {
    for (const Locale& l : kLocales) {
        SCOPED_TRACE(l.name);
        CLibraryLocale c(l.name);
        ASSERT_TRUE(c.set()) << "The locale " << l.name
                             << " is not installed in the C library, so these tests can't show that numbers are "
                                "written without it. Run scripts/install-deps, or as root: localedef -i "
                             << std::string(l.name).substr(0, 5) << " -f UTF-8 " << l.name;
        ASSERT_EQ(CLibraryLocale::printed(), l.comma ? "2,5" : "2.5");
        body();
    }
}

// A text with the run's decimal sign: the table's texts are written with the comma.
QString with(const char* text, const QString& decimalSign) {
    return QString::fromUtf8(text).replace(QLatin1Char(','), decimalSign);
}

TEST(CLibraryLocale, DoublesAndSinglesAreWrittenAndReadWithTheRunsDecimalSignAlone) {
    struct Case {
        double value;
        const char* doubleText;
        const char* singleText;
        const char* typedText; // TypedSingleText: without an exponent
    };
    const Case cases[] = {
        {0.0, "0", "0", "0"},
        {2.65, "2,65", "2,65", "2,65"},
        {100000.0, "100000", "100000", "100000"},
        {1e-7, "1E-07", "1E-07", "0,0000001"},
        {-2.65, "-2,65", "-2,65", "-2,65"},
        {-0.0005, "-0,0005", "-0,0005", "-0,0005"},
        {-1234567.0, "-1234567", "-1234567", "-1234567"},
        // Values of the grids: masses, a water content, an h' reading, a density.
        {2783.0, "2783", "2783", "2783"},
        {256.2, "256,2", "256,2", "256,2"},
        {0.4676, "0,4676", "0,4676", "0,4676"},
        {14.25, "14,25", "14,25", "14,25"},
        {1.882, "1,882", "1,882", "1,882"},
        {1e15, "1E+15", "1E+15", "1000000000000000"},
    };
    inEachLocale([&] {
        for (const QString& sign : {QStringLiteral(","), QStringLiteral(".")}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.doubleText) + " with " + sign.toStdString());
                EXPECT_EQ(DoubleText(c.value, sign), with(c.doubleText, sign));
                EXPECT_EQ(SingleText(float(c.value), sign), with(c.singleText, sign));
                EXPECT_EQ(TypedSingleText(float(c.value), sign), with(c.typedText, sign));
                EXPECT_EQ(ReadNumber(with(c.doubleText, sign), sign), c.value);
                const auto typed = ReadTypedNumber(with(c.typedText, sign), sign);
                ASSERT_TRUE(typed);
                EXPECT_EQ(float(*typed), float(c.value));
            }
        }
        // The other sign is not a decimal sign; a plus sign and blanks are taken; beyond a Double's range.
        EXPECT_FALSE(ReadNumber(QStringLiteral("2.65"), QStringLiteral(",")));
        EXPECT_FALSE(ReadNumber(QStringLiteral("2,65"), QStringLiteral(".")));
        EXPECT_EQ(ReadNumber(QStringLiteral(" +2,5 "), QStringLiteral(",")), 2.5);
        EXPECT_EQ(ReadNumber(QStringLiteral("-1,5E-07"), QStringLiteral(",")), -1.5e-7);
        EXPECT_EQ(ReadNumber(QStringLiteral("1E+400"), QStringLiteral(",")), std::numeric_limits<double>::infinity());
        EXPECT_EQ(ReadNumber(QStringLiteral("-1E+400"), QStringLiteral(",")), -std::numeric_limits<double>::infinity());
        EXPECT_EQ(ReadNumber(QStringLiteral("1E-400"), QStringLiteral(",")), 0.0);
        EXPECT_FALSE(ReadTypedNumber(QStringLiteral("1E-07"), QStringLiteral(",")));
    });
}

TEST(CLibraryLocale, RoundDecidesHalvesOnTheExactValue) {
    struct Case {
        double value;
        int places;
        double expected;
    };
    const Case cases[] = {
        {0.5, 0, 0.0},       {1.5, 0, 2.0},          {2.5, 0, 2.0},       {3.5, 0, 4.0},
        {-2.5, 0, -2.0},     {-3.5, 0, -4.0},        {99.5, 0, 100.0},    {0.125, 2, 0.12},
        {0.375, 2, 0.38},    {-0.125, 2, -0.12},     {0.35, 1, 0.3},      {9.65, 1, 9.7},
        {2.675, 2, 2.67},    {9.995, 2, 9.99},       {0.96, 1, 1.0},      {999.95, 1, 1000.0},
        {1.8823, 3, 1.882},  {2783.456, 2, 2783.46}, {1e-7, 7, 1e-7},     {1e-7, 6, 0.0},
        {100000.0, 2, 1e5},  {0.0, 3, 0.0},          {123456.785, 2, 123456.79},
    };
    inEachLocale([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(DoubleText(c.value, QStringLiteral(".")).toStdString() + " to " +
                         std::to_string(c.places));
            EXPECT_EQ(Round(c.value, c.places), c.expected);
        }
    });
}

TEST(CLibraryLocale, PatternsAndVariantsWriteTheRunsDecimalSign) {
    struct Case {
        Variant value;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {Variant(1.8823), "#0.000", "1,882"},          {Variant(2783.0f), "#0.00", "2783,00"},
        {Variant(0.4676f), "#0.000##", "0,4676"},      {Variant(0.14), "#0.0 %", "14,0 %"},
        {Variant(-2.65), "0.00", "-2,65"},             {Variant(100000.0), "#0.00", "100000,00"},
        {Variant(1e-7), "0.00", "0,00"},               {Variant(0.0f), "#0.0", "0,0"},
    };
    inEachLocale([&] {
        for (const QString& sign : {QStringLiteral(","), QStringLiteral(".")}) {
            SystemLocale::Override run(QStringLiteral("de"), sign);
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.pattern) + " " + c.text);
                EXPECT_EQ(Format(c.value, QString::fromLatin1(c.pattern)), with(c.text, sign));
            }
            EXPECT_EQ(CStr(Variant(2.65)), with("2,65", sign));
            EXPECT_EQ(CStr(Variant(2.65f)), with("2,65", sign));
            EXPECT_EQ(CDbl(Variant(with("256,2", sign))), 256.2);
            EXPECT_EQ(CSng(Variant(with("2,65", sign))), 2.65f);
            EXPECT_EQ(CInt(Variant(with("2,5", sign))), 2);
        }
    });
}

} // namespace
