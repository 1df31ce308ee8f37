// The drawing of a label's pieces as the table and the header and footer use it: upright, without markers.
#include "MarkupText.h"
#include "TestRun.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>

using namespace drawing;

namespace {

struct Piece {
    QString text;
    double x, y;
    float size;
};

std::vector<Piece> draw(const QString& label, const MarkupRules& rules, bool characterAdvance) {
    testsupport::TestRun run({QStringLiteral("en"), QStringLiteral("."), false});
    platform::RecordingSurface s;
    MarkupFonts fonts;
    s.setFontSize(8);
    fonts.rebuild(s.Font());
    platform::ErrorTrap trap(QStringLiteral("Sub TEXT, Klassenmodul clsGRAFIK"));
    MarkupPlacement at;
    at.x = 10;
    at.y = 20;
    at.characterAdvance = characterAdvance;
    EXPECT_TRUE(drawMarkup(s, fonts, label, at, rules, trap));
    std::vector<Piece> out;
    for (const auto& c : s.calls("Print"))
        out.push_back({c.text, c.args[0], c.args[1], c.font.Size});
    EXPECT_TRUE(s.calls("Circle").empty());
    return out;
}

TEST(MarkupText, TheTablesRulesDrawMarkerNumbersAsText) {
    MarkupRules table;
    table.pointMarkers = false;
    const auto p = draw(QStringLiteral("a{s,1}3{g,1}r"), table, false);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[1].text, QStringLiteral("3"));
    EXPECT_FLOAT_EQ(p[1].y, 20); // not shifted
    EXPECT_FLOAT_EQ(p[1].x, 12);
    EXPECT_FLOAT_EQ(p[3].y, 19.6); // the Greek letter raised
}

TEST(MarkupText, TheHeaderOnThePrinterMovesCharacterPiecesOn) {
    MarkupRules header;
    header.pointMarkers = false;
    header.greekRaised = false;
    // On screen the character follows directly; on the printer it and the rest move 0.35 x 4 mm on.
    const auto screen = draw(QStringLiteral("a{c,169}b{g,1}r"), header, false);
    const auto printer = draw(QStringLiteral("a{c,169}b{g,1}r"), header, true);
    ASSERT_EQ(screen.size(), 4u);
    ASSERT_EQ(printer.size(), 4u);
    EXPECT_EQ(screen[1].text, QStringLiteral("©"));
    EXPECT_FLOAT_EQ(screen[1].x, 12);
    EXPECT_FLOAT_EQ(printer[1].x, 13.4f);
    EXPECT_FLOAT_EQ(printer[2].x, 15.4f);
    EXPECT_FLOAT_EQ(printer[3].y, 20); // no raise of Greek letters in the header
}

} // namespace
