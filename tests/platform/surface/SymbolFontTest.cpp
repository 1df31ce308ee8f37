#include "platform/surface/SymbolFont.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(SymbolFont, LatinLettersBecomeTheGreekLettersOfTheSymbolFont) {
    struct Case {
        const char* latin;
        const char16_t* greek;
    } cases[] = {
        {"r", u"ρ"}, {"g", u"γ"}, {"D", u"Δ"}, {"a", u"α"},         {"b", u"β"}, {"p", u"π"}, {"s", u"σ"},
        {"t", u"τ"}, {"w", u"ω"}, {"W", u"Ω"}, {"S", u"Σ"},         {"f", u"φ"}, {"j", u"ϕ"}, {"q", u"θ"},
        {"m", u"μ"}, {"e", u"ε"}, {"l", u"λ"}, {"h", u"η"},         {"y", u"ψ"}, {"z", u"ζ"}, {"x", u"ξ"},
        {"c", u"χ"}, {"F", u"Φ"}, {"G", u"Γ"}, {"1 [-]", u"1 [-]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(symbolToUnicode(QString::fromUtf8(c.latin)), QString::fromUtf16(c.greek)) << c.latin;
}

TEST(SymbolFont, OnlyTheSymbolFontIsMappedAndArialIsLiberationSans) {
    EXPECT_EQ(drawnText(QStringLiteral("Symbol"), QStringLiteral("rd")), QStringLiteral(u"ρδ"));
    EXPECT_EQ(drawnText(QStringLiteral("Arial"), QStringLiteral("rd")), QStringLiteral("rd"));
    EXPECT_EQ(drawnFontFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(drawnFontFamily(QStringLiteral("symbol")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(drawnFontFamily(QStringLiteral("Courier New")), QStringLiteral("Courier New"));
}

} // namespace
