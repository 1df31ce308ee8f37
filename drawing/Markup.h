#pragma once

#include "platform/runtime/VbError.h"

#include <optional>
#include <QString>
#include <vector>

namespace drawing {

// The label markup: plain text with groups "{code,n}" that apply the code to the n characters after
// the "}". Codes: "g" Greek, "t" subscript, "h" superscript, "gt" and "gh" Greek sub- and superscript,
// "c" the character with code n (taking no characters), "s" the point marker whose number the n
// characters give ("{s,1}3"; a group with nothing after it, "{s,3}", is marker n). "{g,1}r{t,1}d" is the
// dry density's symbol. One reader serves every text routine;
// where the routines differ, the rules say how.
struct MarkupRules {
    // "s" groups are point markers; otherwise their characters are text in the slot of the piece before,
    // not shifted.
    bool pointMarkers = true;
    // Greek pieces stand raised by a tenth of the height of "g"; otherwise they are not shifted.
    bool greekRaised = true;
};

// How a piece stands across its line, positive upwards.
enum class MarkupShift {
    None,
    GreekRaise,       // up 0.1 x the height of "g"
    SubscriptDrop,    // down 0.35 x the height of the piece
    SuperscriptRaise, // up 0.25 x the height of the piece
    MarkerDrop,       // down 0.5 x the height of "s"
};

struct MarkupPiece {
    QString code; // "" for plain text
    QString text; // what is drawn: the characters, the one character of a "c" group, a marker's number
    int slot = 0; // font slot 0..5 of the markup font set
    MarkupShift shift = MarkupShift::None;
    bool marker = false;        // a point marker: text holds its number
    bool characterCode = false; // the one character of a "c" group
};

// One step of reading a label: a piece to draw, or a fault. A fault that ends the label leaves the pieces
// before it drawn; a fault that does not end it stands for a piece that cannot be drawn.
struct MarkupStep {
    std::optional<MarkupPiece> piece;
    std::optional<platform::VbError> fault;
    bool endsLabel = false;
};

// Reads a label into its pieces, in drawing order. Faults: a "{" with no "," after it ends the label with
// the error number 0 and no description; a count that can't be read (no "}" after the ",", not a number,
// negative) ends it with that error; a character code outside 0..255 stands for its piece.
std::vector<MarkupStep> readMarkup(const QString& label, const MarkupRules& rules = {});

// The label without its group tags: the text whose size is the label's size.
QString markupPlainText(const QString& label);

// A label that is a number in E notation (by the locale's number rules) is written as a power of ten
// with a raised exponent: "1.5E-03" becomes "1.5*10{h,3}-03". True when the label was rewritten.
bool rewriteExponent(QString& label);

// The character of the program's code page (Windows-1252) with that code; raises invalid call (5)
// outside 0..255.
QString codePageCharacter(int code);

// The shift of a piece in millimetres, positive upwards; heightOf measures a text in the piece's font.
template <typename HeightOf> float markupShift(const MarkupPiece& piece, HeightOf heightOf) {
    switch (piece.shift) {
    case MarkupShift::GreekRaise:
        return 0.1f * heightOf(QStringLiteral("g"));
    case MarkupShift::SubscriptDrop:
        return -0.35f * heightOf(piece.text);
    case MarkupShift::SuperscriptRaise:
        return 0.25f * heightOf(piece.text);
    case MarkupShift::MarkerDrop:
        return -0.5f * heightOf(QStringLiteral("s"));
    case MarkupShift::None:
        break;
    }
    return 0.0f;
}

} // namespace drawing
