// Placement and rotation of labels, on a surface that logs every call.
#include "DrawingFixture.h"

#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>

using drawingtest::DrawingRun;
using platform::RecordingSurface;

namespace {

// The recording surface measures 0.25 mm per point and character and 0.5 mm per point of height: in the
// default Arial 8 a character is 2 mm wide and a line 4 mm high; in the reduced size 7, 1.75 and 3.5 mm.

struct Printed {
    QString text;
    double x, y;
    QString font;
    float size;
};

std::vector<Printed> printed(const RecordingSurface& s) {
    std::vector<Printed> out;
    for (const auto& c : s.calls("Print"))
        out.push_back({c.text, c.args[0], c.args[1], c.font.Name, c.font.Size});
    return out;
}

TEST(Text, TheDryDensityPieceByPiece) {
    DrawingRun d;
    d.grafik->TEXT(10, 20, QStringLiteral("{g,1}r{t,1}d [g/cm³]"), 0, 0, 0, 0);
    const auto p = printed(d.surface);
    ASSERT_EQ(p.size(), 4u);
    // r in the Greek font, raised by 0.1 x the height of "g" (4 mm).
    EXPECT_EQ(p[0].text, QStringLiteral("r"));
    EXPECT_EQ(p[0].font, QStringLiteral("Symbol"));
    EXPECT_FLOAT_EQ(p[0].x, 10);
    EXPECT_FLOAT_EQ(p[0].y, 19.6);
    // The empty plain piece after the group.
    EXPECT_EQ(p[1].text, QString());
    EXPECT_FLOAT_EQ(p[1].x, 12);
    // d in the reduced size, lowered by 0.35 x its height (3.5 mm).
    EXPECT_EQ(p[2].text, QStringLiteral("d"));
    EXPECT_FLOAT_EQ(p[2].size, 7);
    EXPECT_FLOAT_EQ(p[2].x, 12);
    EXPECT_FLOAT_EQ(p[2].y, 21.225);
    EXPECT_EQ(p[3].text, QStringLiteral(" [g/cm³]"));
    EXPECT_EQ(p[3].font, QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(p[3].x, 13.75);
    EXPECT_FLOAT_EQ(p[3].y, 20);
    // Afterwards the surface has the caller's font again.
    EXPECT_EQ(d.surface.Font().Name, QStringLiteral("Arial"));
    EXPECT_FLOAT_EQ(d.surface.Font().Size, 8);
}

TEST(Text, AlignmentPutsTheLabelsStartMiddleOrEndAtThePoint) {
    // "abcd" is 8 mm wide and 4 mm high.
    struct Case {
        std::int16_t ARX, ARY;
        double x, y;
    } cases[] = {
        {0, 0, 50, 50},
        {1, 0, 46, 50},
        {2, 0, 42, 50},
        {0, 1, 50, 48},
        {1, 1, 46, 48},
        {2, 2, 42, 46},
        // An ARX outside 0..2 starts the label at the surface's origin; an ARY outside them shifts nothing.
        {5, 0, 0, 0},
        {0, 7, 50, 50},
    };
    for (const Case& c : cases) {
        DrawingRun d;
        d.grafik->TEXT(50, 50, QStringLiteral("abcd"), 0, 0, c.ARX, c.ARY);
        const auto p = printed(d.surface);
        ASSERT_EQ(p.size(), 1u);
        EXPECT_NEAR(p[0].x, c.x, 1e-4) << c.ARX << "," << c.ARY;
        EXPECT_NEAR(p[0].y, c.y, 1e-4) << c.ARX << "," << c.ARY;
    }
}

TEST(Text, RotatedPiecesGoToTheDeviceTurnedAboutTheirCellsCorner) {
    DrawingRun d;
    // 90 degrees, centred: the text runs upwards and its middle lies on the point.
    d.grafik->TEXT(50, 50, QStringLiteral("abcd"), 0, 90, 1, 0);
    auto r = d.surface.calls("TextOutRotated");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(d.surface.calls("Print").empty());
    EXPECT_EQ(r[0].text, QStringLiteral("abcd"));
    // (50, 54) mm at 4 pixels per mm; the cell is 96 x 8 \ 72 = 10 pixels, enlarged by 1.175 to 12.
    EXPECT_EQ(r[0].args, (std::vector<double>{200, 216, 12, 900}));
    EXPECT_EQ(r[0].font.Name, QStringLiteral("Arial"));
    EXPECT_TRUE(d.surface.FontTransparent());

    // Two pieces: the second follows the first upwards and its subscript shift points to the right.
    d.surface.clearCalls();
    d.grafik->TEXT(50, 50, QStringLiteral("ab{t,1}c"), 0, 90, 0, 0);
    r = d.surface.calls("TextOutRotated");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].args, (std::vector<double>{200, 200, 12, 900}));
    // y 50 - 4 mm; x 50 + 0.35 x 3.5 mm; the size 7 gives a cell of 96 x 7 \ 72 = 9 pixels, 11 enlarged.
    EXPECT_EQ(r[1].text, QStringLiteral("c"));
    EXPECT_EQ(r[1].args, (std::vector<double>{205, 184, 11, 900}));
    EXPECT_FLOAT_EQ(r[1].font.Size, 7);

    // 30 degrees: the next piece starts w x cos 30 to the right and w x sin 30 up.
    d.surface.clearCalls();
    d.grafik->TEXT(50, 50, QStringLiteral("ab{x,2}cd"), 0, 30, 0, 0);
    r = d.surface.calls("TextOutRotated");
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].args[0], std::round((50 + 4 * std::cos(30 * 0.017453292)) * 4));
    EXPECT_EQ(r[1].args[1], std::round((50 - 4 * std::sin(30 * 0.017453292)) * 4));
    EXPECT_EQ(r[1].args[3], 300);
}

TEST(Text, LabelsInDataCoordinatesAreClippedWholeToTheWidenedFrame) {
    // The frame runs from 10 to 110 mm in both directions; "ab" is 4 by 4 mm.
    struct Case {
        float x, y;
        std::int16_t ARX, ARY;
        bool drawn;
    } cases[] = {
        {50, 50, 0, 0, true},     {9.5f, 50, 0, 0, true},   // up to 1 mm outside the frame
        {9, 50, 0, 0, false},                               // on the widened frame: not strictly inside
        {106.9f, 50, 0, 0, true},                           // the label's end still inside
        {107, 50, 0, 0, false},   {108.9f, 50, 1, 0, true}, // centred: half the label must fit
        {109, 50, 1, 0, false},   {50, 106.9f, 0, 0, true}, {50, 107, 0, 0, false},
        {50, 9.5f, 0, 2, false}, // standing on the point: the whole height must fit below the top
        {50, 13.5f, 0, 2, true},  {200, 50, 0, 0, false},
    };
    for (const Case& c : cases) {
        DrawingRun d;
        d.identityFrame(10, 10, 110, 110);
        d.grafik->TEXT(c.x, c.y, QStringLiteral("ab"), 1, 0, c.ARX, c.ARY);
        EXPECT_EQ(!d.surface.calls("Print").empty(), c.drawn) << c.x << "," << c.y;
    }
}

TEST(Text, DataCoordinatesGoThroughTheTransformAndMillimetresFromTheAreaCorner) {
    DrawingRun d;
    d.identityFrame(10, 10, 110, 110);
    d.grafik->modell().OY = 1; // y upwards: YP = 10 + (110 - y)
    d.grafik->TEXT(20, 100, QStringLiteral("a"), 1, 0, 0, 0);
    d.grafik->setEXDL(5);
    d.grafik->setEYDO(7);
    d.grafik->TEXT(1, 2, QStringLiteral("b"), 2, 0, 0, 0);
    const auto p = printed(d.surface);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_FLOAT_EQ(p[0].x, 20);
    EXPECT_FLOAT_EQ(p[0].y, 20);
    EXPECT_FLOAT_EQ(p[1].x, 6);
    EXPECT_FLOAT_EQ(p[1].y, 9);
}

TEST(Text, MarkersOfTheMarkup) {
    DrawingRun d;
    d.grafik->TEXT(10, 20, QStringLiteral("{s,1}3x"), 0, 0, 0, 0);
    // A filled disc of 0.7 mm, 0.5 mm right of the piece's start and half the height of "s" lower.
    const auto circles = d.surface.calls("Circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].args, (std::vector<double>{10.5, 22, 0.7f}));
    EXPECT_EQ(circles[0].fillStyle, platform::Surface::FillSolid);
    EXPECT_EQ(d.surface.FillStyle(), platform::Surface::FillTransparent);
    EXPECT_EQ(d.surface.FillColor(), 16777215);
    // The piece after it starts one digit width further.
    EXPECT_FLOAT_EQ(printed(d.surface).at(0).x, 12);

    // Marker 9 does not exist: nothing is drawn, but the place of the digit is kept.
    d.surface.clearCalls();
    d.grafik->TEXT(10, 20, QStringLiteral("{s,1}9x"), 0, 0, 0, 0);
    ASSERT_EQ(d.surface.calls().size(), 1u);
    EXPECT_FLOAT_EQ(printed(d.surface).at(0).x, 12);

    // A marker group governing no characters is marker n.
    d.surface.clearCalls();
    d.grafik->TEXT(10, 20, QStringLiteral("{s,3}"), 0, 0, 0, 0);
    EXPECT_EQ(d.surface.calls("Circle").size(), 1u);
    EXPECT_EQ(d.surface.calls().size(), 1u);
}

TEST(Text, ENotationIsRewrittenInTheCallersVariable) {
    DrawingRun d;
    QString label = QStringLiteral("1.5E-03");
    d.grafik->TEXT(10, 20, label, 0, 0, 0, 0);
    EXPECT_EQ(label, QStringLiteral("1.5*10{h,3}-03"));
    const auto p = printed(d.surface);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].text, QStringLiteral("1.5*10"));
    EXPECT_EQ(p[1].text, QStringLiteral("-03"));
    // Raised by 0.25 x 3.5 mm.
    EXPECT_FLOAT_EQ(p[1].y, 20 - 0.875);
}

TEST(Text, AGroupWithoutACommaEndsTheLabelWithTheBox) {
    DrawingRun d;
    d.run.dialogs().answer(platform::Msg::OK);
    d.grafik->TEXT(10, 20, QStringLiteral("ab{cd"), 0, 0, 0, 0);
    const auto p = printed(d.surface);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].text, QStringLiteral("ab"));
    ASSERT_EQ(d.run.dialogs().asked().size(), 1u);
    EXPECT_EQ(d.run.dialogs().asked()[0].prompt, QStringLiteral("VB-Fehler: 0\n"));
    EXPECT_EQ(d.run.dialogs().asked()[0].title, QStringLiteral("Text"));
    EXPECT_EQ(d.surface.Font().Name, QStringLiteral("Arial"));
}

TEST(Text, PlainPiecesUseTheLastFontSettingsAndTheSizeIsMeasuredInTheCallersFont) {
    DrawingRun d;
    d.grafik->SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 10, 0, 0, 0, 0);
    // The caller changes the surface font directly: the label is measured in it, drawn in slot 2.
    d.surface.setFontSize(20);
    d.grafik->TEXT(50, 50, QStringLiteral("ab"), 0, 0, 2, 0);
    const auto p = printed(d.surface);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_FLOAT_EQ(p[0].size, 10);
    EXPECT_FLOAT_EQ(p[0].x, 50 - 2 * 5.0); // two characters of size 20
    EXPECT_FLOAT_EQ(d.surface.Font().Size, 20);
}

} // namespace
