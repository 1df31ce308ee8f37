#pragma once

#include "ControlArray.h"

#include <QLineEdit>

namespace platform {

// A text box with the members the program uses. It holds any text the program gives it whole: no length
// limit cuts a value read from the database. What a user puts in, typed, pasted (Ctrl+V, the context menu,
// the middle button) or dropped, is taken as typing takes it:
// - control characters are not taken (a line break, a tab, a NUL: what the box stores is what it shows);
//   where a run of them stood between two pieces of the pasted text, or between the pasted text and the
//   box's text beside it, one blank keeps the two apart;
// - with a typing limit, a paste keeps its first characters up to the limit, as typing them would; a
//   longer text the program set may be shortened, never lengthened.
// The box keeps this rule in its validator: a box given another validator loses it.
//
//     TextBox name;
//     name.setTypingLimit(8);
//     name.setText("Langer Name"); // shown whole
//     // Ctrl+V of "Probe B\r\n" into the empty box shows and holds "Probe B".
class TextBox : public QLineEdit, public ControlArrayMember {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    // The most characters a user's typing or paste makes the text; 0, the default, sets no limit.
    void setTypingLimit(int characters);

    // Gives another line edit (an editable list's) the rule of the text box, without a limit.
    static void takeInputAsTyped(QLineEdit& box);

private:
    class TypingRule;
    TypingRule* rule_;
};

} // namespace platform
