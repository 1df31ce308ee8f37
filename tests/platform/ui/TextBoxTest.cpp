// The text box takes what a user types or pastes as typing takes it: no control characters, no more than
// its typing limit; a text the program sets is kept whole.
#include "Tasten.h"

#include "platform/ui/TextBox.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>

using platform::TextBox;
using testsupport::taste;

namespace {

// Ctrl+V as the keyboard sends it to the box.
void strgV(TextBox& box) {
    taste(&box, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
}

TEST(TextBox, APasteKeepsWhatFitsWithoutControlCharacters) {
    struct Fall {
        const char* name;
        int grenze;         // the typing limit, 0 for none
        QString vorher;     // the text the program set
        int anfang, laenge; // the selection, or the cursor alone with length 0
        QString ablage;     // the clipboard
        QString danach;
        int cursor;
    };
    const QChar nul(u'\0');
    const QString lachen = QString::fromUtf8("\xF0\x9F\x98\x80"); // one character, two UTF-16 units
    const std::vector<Fall> faelle{
        {"longer than the limit, into an empty box", 8, "", 0, 0, "ProbeB202412", "ProbeB20", 8},
        {"into the middle: the text there stays", 8, "Pro", 1, 0, "XYZ1234567", "PXYZ12ro", 6},
        {"over a selection", 8, "Probe A", 6, 1, "B12345", "Probe B1", 8},
        {"over the whole text", 8, "ProbeB20", 0, 8, "Versuch-2024", "Versuch-", 8},
        {"into a full box: nothing", 8, "ProbeB20", 8, 0, "X", "ProbeB20", 8},
        {"within the limit, whole", 8, "", 0, 0, "Probe B", "Probe B", 7},
        {"no limit", 0, "", 0, 0, QString(300, u'x'), QString(300, u'x'), 300},
        {"a NUL between two words", 0, "", 0, 0, "Kies" + QString(nul) + "sandig", "Kies sandig", 11},
        {"lines: one blank between them, none after the last", 0, "", 0, 0, "Zeile 1\r\nZeile 2\r\n",
         "Zeile 1 Zeile 2", 15},
        {"spreadsheet cells stay apart", 0, "", 0, 0, "12,5\t13", "12,5 13", 7},
        {"control characters at both ends, the box's text on both sides: one blank each", 0, "ab", 1, 0,
         "\n\t" + QString(nul) + "x\r\n", "a x b", 4},
        {"a tab and a value behind a number", 0, "12,5", 4, 0, "\t13", "12,5 13", 7},
        {"a line break and a word behind a name", 0, "Probe", 5, 0, "\nB", "Probe B", 7},
        {"a value and a line break before a number", 0, "13", 0, 0, "12,5\r\n", "12,5 13", 5},
        {"a cell over a selection inside the text", 0, "ProbeX1", 5, 1, "\tB\r\n", "Probe B 1", 8},
        {"control characters at the end of the text are dropped", 0, "Probe", 5, 0, "\tB\r\n", "Probe B", 7},
        {"control characters alone between two texts: nothing", 0, "ab", 1, 0, "\t", "ab", 1},
        {"the parting blank counts towards the limit", 8, "Probe", 5, 0, "\tB12", "Probe B1", 8},
        {"no room beyond the parting blank: nothing", 8, "Probe B", 7, 0, "\t1", "Probe B", 7},
        {"DEL, C1 controls and the line separator", 0, "", 0, 0,
         QStringLiteral("a\x7F"
                        "b\u0085c\u2028d\u2029e"),
         "a b c d e", 9},
        {"cleaned first, then cut", 8, "", 0, 0, "\t\tProbe\r\nB12", "Probe B1", 8},
        {"only control characters over a selection: nothing", 0, "abc", 0, 3, "\r\n", "abc", 3},
        {"a character cut in half is left out", 8, "Probe B", 7, 0, lachen + "x", "Probe B", 7},
        {"a long text the program set: a paste over a part keeps its length", 8, "Langer Name", 7, 4,
         "Bezeichnung", "Langer Beze", 11},
        {"a long text the program set: nothing at its end", 8, "Langer Name", 11, 0, "!", "Langer Name", 11},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        TextBox box;
        box.setTypingLimit(fall.grenze);
        box.setText(fall.vorher);
        box.setSelection(fall.anfang, fall.laenge);
        QGuiApplication::clipboard()->setText(fall.ablage);
        strgV(box);
        EXPECT_EQ(box.Text(), fall.danach);
        EXPECT_EQ(box.cursorPosition(), fall.cursor);
    }
}

// A paste comes through the keys, the context menu, a drop, an input method or the line edit's own calls:
// each takes the same text.
TEST(TextBox, EveryWayOfPastingTakesTheSameText) {
    const QString ablage = QStringLiteral("Probe\tB12\r\n");
    const std::vector<std::pair<const char*, std::function<void(TextBox&)>>> wege{
        {"Ctrl+V", strgV},
        {"Shift+Insert", [](TextBox& box) { taste(&box, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"the context menu",
         [](TextBox& box) {
             // The menu's paste item, known by the key it names in any language.
             std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
             const QString kuerzel = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString();
             const QList<QAction*> eintraege = menu->actions();
             const auto einfuegen = std::find_if(eintraege.begin(), eintraege.end(),
                                                 [&](QAction* a) { return a->text().endsWith(kuerzel); });
             ASSERT_NE(einfuegen, eintraege.end());
             (*einfuegen)->trigger();
         }},
        {"a drop",
         [&ablage](TextBox& box) {
             QMimeData daten;
             daten.setText(ablage);
             QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
             // Straight to the box: the application passes on no drop without a drag of its own.
             box.event(&drop);
         }},
        {"an input method",
         [&ablage](TextBox& box) {
             QInputMethodEvent eingabe;
             eingabe.setCommitString(ablage);
             QApplication::sendEvent(&box, &eingabe);
         }},
        {"paste()", [](TextBox& box) { box.paste(); }},
        {"insert()", [&ablage](TextBox& box) { box.insert(ablage); }},
    };
    for (const auto& [name, einfuegen] : wege) {
        SCOPED_TRACE(name);
        TextBox box;
        box.setTypingLimit(8);
        QGuiApplication::clipboard()->setText(ablage);
        einfuegen(box);
        EXPECT_EQ(box.Text(), QStringLiteral("Probe B1"));
    }
}

// A text the program sets is shown and kept whole, control characters and all; the user may shorten it and
// undo and redo that, but not make it longer.
TEST(TextBox, ATextTheProgramSetsIsKeptWholeAndOnlyShortened) {
    TextBox box;
    box.setTypingLimit(8);
    const QString lang = QStringLiteral("Langer\tName");
    box.setText(lang);
    EXPECT_EQ(box.Text(), lang);
    taste(&box, 0, Qt::NoModifier, QStringLiteral("!"));
    EXPECT_EQ(box.Text(), lang);
    box.setSelection(7, 4);
    taste(&box, Qt::Key_Delete);
    EXPECT_EQ(box.Text(), QStringLiteral("Langer\t"));
    taste(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), lang);
    taste(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(box.Text(), QStringLiteral("Langer\t"));
    taste(&box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), lang);
    // After all of it a key the limit refuses is still refused.
    box.setCursorPosition(int(lang.size()));
    taste(&box, 0, Qt::NoModifier, QStringLiteral("!"));
    EXPECT_EQ(box.Text(), lang);
    EXPECT_TRUE(box.hasAcceptableInput());
}

} // namespace
