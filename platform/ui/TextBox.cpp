#include "TextBox.h"

#include <algorithm>
#include <limits>
#include <QValidator>

namespace platform {

namespace {

// The control characters (NUL to US, DEL and the C1 range, among them CR and LF) and the line and
// paragraph separators. The tab is one of them in every box: the Tab key moves the focus, so a tab only
// comes with a paste, where it parts two spreadsheet cells; in a number it is no digit, and in a name or a
// comment it would part two fields of whatever the text is copied to next.
bool isControl(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// The inserted text as typing gives it: no control characters. A run of them between two pieces (cells of a
// row, lines) becomes one blank, so that two values never run together into one ("12,5\t13" is not
// 12,513); so does a run between the box's text on either side and the pasted text ("12,5" and a pasted
// "\t13"). A run with no text beyond it (the line break after a copied cell into an empty box) is dropped.
QString typedText(QStringView inserted, bool textBefore, bool textAfter) {
    QString text;
    bool gap = false;
    for (const QChar c : inserted) {
        if (isControl(c)) {
            gap = !text.isEmpty() || textBefore;
            continue;
        }
        if (gap) text += QLatin1Char(' ');
        gap = false;
        text += c;
    }
    if (gap && textAfter && !text.isEmpty()) text += QLatin1Char(' ');
    return text;
}

qsizetype commonPrefix(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

qsizetype commonSuffix(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a[a.size() - 1 - i] == b[b.size() - 1 - i])
        ++i;
    return i;
}

} // namespace

// Every change of the box's text passes its validator, whichever way the user made it; the rule is kept
// there so that no way of pasting passes it by.
class TextBox::TypingRule : public QValidator {
public:
    TypingRule(QLineEdit& box, int limit) : QValidator(&box), limit(limit), box_(box), before_(box.text()) {
        // The box has taken the edit already when it asks; the text before it is kept here.
        connect(&box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    State validate(QString& input, int& pos) const override {
        // A text the program sets comes with an empty undo history (setting a text clears it), an undo
        // leaves a step to redo: both are taken whole. A user's edit has just become the last undo step.
        if (!box_.isUndoAvailable() || box_.isRedoAvailable()) return Acceptable;

        // The edit replaced the middle of the text before: input = head + inserted + tail, and the cursor
        // stands behind what was inserted.
        const QStringView now(input), before(before_);
        qsizetype tail = now.size() - pos;
        if (pos < 0 || tail < 0 || tail > before.size() || !before.endsWith(now.mid(pos)))
            tail = commonSuffix(now, before);
        const qsizetype head = commonPrefix(now.first(now.size() - tail), before.first(before.size() - tail));
        const QStringView inserted = now.sliced(head, now.size() - tail - head);
        if (inserted.isEmpty()) return Acceptable;

        const bool textBefore = head > 0, textAfter = tail > 0;
        QString kept = typedText(inserted, textBefore, textAfter);
        // The blank that parts the text before from the pasted text, when it was put in front.
        const bool parted = textBefore && isControl(inserted.front()) && !kept.isEmpty();
        // As typing: the text may grow up to the limit, and a longer one set by the program not beyond its
        // length.
        const qsizetype most = limit > 0 ? std::max<qsizetype>(limit, before.size())
                                         : qsizetype(std::numeric_limits<int>::max());
        const qsizetype room = most - (now.size() - inserted.size());
        if (kept.size() > room) {
            kept.truncate(room);
            if (!kept.isEmpty() && kept.back().isHighSurrogate()) kept.chop(1);
            // A parting blank with nothing of the paste behind it parts nothing.
            if (parted && kept.size() == 1) kept.clear();
        }
        if (kept == inserted) return Acceptable;
        // Nothing of it is taken: the box stays as it was, selection and all, as for a key it refuses.
        if (kept.isEmpty()) return Invalid;
        // The box sets what it takes of the edit as its text, which starts a new undo history.
        QString taken = now.first(head).toString() + kept;
        pos = int(taken.size());
        input = taken + now.last(tail).toString();
        return Acceptable;
    }

    int limit;

private:
    const QLineEdit& box_;
    QString before_;
};

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    // The line edit's own limit of 32767 characters would cut a long stored text without a word.
    setMaxLength(std::numeric_limits<int>::max());
    rule_ = new TypingRule(*this, 0);
    setValidator(rule_);
}

void TextBox::setTypingLimit(int characters) {
    rule_->limit = std::max(characters, 0);
}

void TextBox::takeInputAsTyped(QLineEdit& box) {
    box.setValidator(new TypingRule(box, 0));
}

} // namespace platform
