#include "Markup.h"

#include <QStringList>

#include "platform/runtime/SystemLocale.h"

#include <gtest/gtest.h>

using namespace drawing;

namespace {

// A piece as text for comparison: code|text|slot|shift, with "!" for a marker and "#" for a character code;
// a fault as "fault <number>" and "end" when it ends the label.
QString describe(const MarkupStep& s) {
    if (s.fault) return QStringLiteral("fault %1%2").arg(s.fault->Number()).arg(s.endsLabel ? " end" : "");
    const MarkupPiece& p = *s.piece;
    static const char* shifts[] = {"-", "g", "t", "h", "s"};
    return QStringLiteral("%1|%2|%3|%4%5%6")
        .arg(p.code, p.text)
        .arg(p.slot)
        .arg(QLatin1String(shifts[int(p.shift)]))
        .arg(p.marker ? "!" : "")
        .arg(p.characterCode ? "#" : "");
}

QStringList read(const QString& label, const MarkupRules& rules = {}) {
    QStringList out;
    for (const MarkupStep& s : readMarkup(label, rules))
        out << describe(s);
    return out;
}

TEST(Markup, ReadsTheLabelsOfTheProgram) {
    const platform::SystemLocale::Override english(QStringLiteral("en"), QStringLiteral("."));
    struct Case {
        const char16_t* label;
        std::vector<const char16_t*> pieces;
        const char16_t* plain;
    } cases[] = {
        // The dry density: a Greek r raised, an empty plain piece, a subscript d, the unit.
        {u"{g,1}r{t,1}d [g/cm³]", {u"g|r|3|g", u"||2|-", u"t|d|4|t", u"| [g/cm³]|2|-"}, u"rd [g/cm³]"},
        {u"D{t,2}Pr = ", {u"|D|2|-", u"t|Pr|4|t", u"| = |2|-"}, u"DPr = "},
        {u"1.5*10{h,3}-03", {u"|1.5*10|2|-", u"h|-03|4|h"}, u"1.5*10-03"},
        {u"{gt,1}a{gh,1}b", {u"gt|a|5|t", u"||2|-", u"gh|b|5|h"}, u"ab"},
        {u"w [%]", {u"|w [%]|2|-"}, u"w [%]"},
        {u"m{t,3}1,w", {u"|m|2|-", u"t|1,w|4|t"}, u"m1,w"},
        // The count runs past the end: the group takes what there is.
        {u"{t,10}ab", {u"t|ab|4|t"}, u"ab"},
        // An unknown code keeps the slot of the piece before it: at the start the caller's font.
        {u"{x,2}ab", {u"x|ab|0|-"}, u"ab"},
        {u"a{x,1}bc", {u"|a|2|-", u"x|b|2|-", u"|c|2|-"}, u"abc"},
        // A point marker keeps the slot and stands lowered by half the height of "s"; its number is the
        // characters it governs, or its count when it governs none.
        {u"{s,1}3", {u"s|3|0|s!"}, u"3"},
        {u"{s,3}", {u"s|3|0|s!"}, u""},
        {u"a{s,1}4b", {u"|a|2|-", u"s|4|2|s!", u"|b|2|-"}, u"a4b"},
        {u"{c,176}C", {u"c|°|2|-#", u"|C|2|-"}, u"C"},
        {u"{c,128}", {u"c|€|2|-#"}, u""},
        {u"", {u"||2|-"}, u""},
        // Faults: a "{" without "," ends the label with the number 0; an unreadable count ends it; a
        // character code out of range stands for its piece.
        {u"ab{cd", {u"|ab|2|-", u"fault 0 end"}, u"ab{cd"},
        {u"ab{t,x}cd", {u"|ab|2|-", u"fault 13 end"}, u"abcd"},
        {u"ab{t,1cd", {u"|ab|2|-", u"fault 5 end"}, u"ab{t,1cd"},
        {u"{c,300}x", {u"fault 5", u"|x|2|-"}, u"x"},
    };
    for (const Case& c : cases) {
        const QString label = QString::fromUtf16(c.label);
        QStringList pieces;
        for (const char16_t* p : c.pieces)
            pieces << QString::fromUtf16(p);
        EXPECT_EQ(read(label), pieces) << label.toStdString();
        EXPECT_EQ(markupPlainText(label), QString::fromUtf16(c.plain)) << label.toStdString();
    }
}

TEST(Markup, TheCallersRulesForMarkersAndGreekLetters) {
    MarkupRules table;
    table.pointMarkers = false;
    EXPECT_EQ(read(QStringLiteral("a{s,1}3"), table), (QStringList{"|a|2|-", "s|3|2|-"}));
    MarkupRules header = table;
    header.greekRaised = false;
    EXPECT_EQ(read(QStringLiteral("{g,1}r"), header), (QStringList{"g|r|3|-"}));
}

TEST(Markup, NumbersInENotationBecomePowersOfTen) {
    struct Case {
        const char* language;
        const char* decimal;
        const char* label;
        const char* rewritten;
    } cases[] = {
        {"en", ".", "1.5E-03", "1.5*10{h,3}-03"}, {"en", ".", "2e5", "2*10{h,1}5"},
        {"en", ".", "E-Modul", "E-Modul"},        {"en", ".", "12.5", "12.5"},
        {"de", ",", "1,5E-03", "1,5*10{h,3}-03"}, {"de", ",", "1.5E-03", "1.5E-03"},
    };
    for (const Case& c : cases) {
        const platform::SystemLocale::Override locale(QString::fromLatin1(c.language),
                                                      QString::fromLatin1(c.decimal));
        QString label = QString::fromLatin1(c.label);
        const bool rewritten = rewriteExponent(label);
        EXPECT_EQ(label, QString::fromLatin1(c.rewritten)) << c.label;
        EXPECT_EQ(rewritten, label != QString::fromLatin1(c.label)) << c.label;
    }
}

} // namespace
