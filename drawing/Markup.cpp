#include "Markup.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/SystemLocale.h"

namespace drawing {

using platform::VbError;

namespace {

// The code of a piece that no group has set yet: not "" so that text before the first "{" is a piece.
const QString kStart = QStringLiteral("\x01");

int slotOf(const QString& code, int previous) {
    if (code.isEmpty() || code == QLatin1String("c")) return 2;
    if (code == QLatin1String("g")) return 3;
    if (code == QLatin1String("t") || code == QLatin1String("h")) return 4;
    if (code == QLatin1String("gt") || code == QLatin1String("gh")) return 5;
    return previous;
}

MarkupShift shiftOf(const QString& code, const MarkupRules& rules) {
    if (code == QLatin1String("g")) return rules.greekRaised ? MarkupShift::GreekRaise : MarkupShift::None;
    if (code == QLatin1String("t") || code == QLatin1String("gt")) return MarkupShift::SubscriptDrop;
    if (code == QLatin1String("h") || code == QLatin1String("gh")) return MarkupShift::SuperscriptRaise;
    if (code == QLatin1String("s") && rules.pointMarkers) return MarkupShift::MarkerDrop;
    return MarkupShift::None;
}

MarkupStep fault(const VbError& error, bool endsLabel) {
    MarkupStep s;
    s.fault = error;
    s.endsLabel = endsLabel;
    return s;
}

// 1-based Mid$ of a label.
QString mid(const QString& s, int start, int length) {
    if (start > s.size() || length <= 0) return {};
    return s.mid(start - 1, length);
}

} // namespace

std::vector<MarkupStep> readMarkup(const QString& label, const MarkupRules& rules) {
    std::vector<MarkupStep> steps;
    const int length = int(label.size());
    int pos = 0; // characters consumed (1-based positions 1..pos are done)
    QString code = kStart;
    int slot = 0;
    for (;;) {
        MarkupPiece piece;
        const int p = int(label.indexOf(QLatin1Char('{'), pos)) + 1; // 0: none
        if (p == 0) {
            piece.text = mid(label, pos + 1, length - pos);
            code.clear();
            pos = length;
        } else if (!code.isEmpty() && p > 1) {
            piece.text = mid(label, pos + 1, p - 1 - pos);
            code.clear();
            pos = p - 1;
        } else {
            const int q = int(label.indexOf(QLatin1Char('}'), p)) + 1;
            const int c = int(label.indexOf(QLatin1Char(','), p)) + 1;
            if (c == 0) {
                steps.push_back(fault(VbError(0, QString()), true));
                return steps;
            }
            code = mid(label, p + 1, c - p - 1);
            if (q == 0 || q < c) {
                steps.push_back(fault(VbError::invalidCall(), true));
                return steps;
            }
            const auto n =
                platform::ReadNumber(mid(label, c + 1, q - c - 1), platform::SystemLocale::decimalSign());
            if (!n) {
                steps.push_back(fault(VbError::typeMismatch(), true));
                return steps;
            }
            if (code == QLatin1String("c")) {
                pos = q;
                try {
                    piece.text = codePageCharacter(platform::CInt(platform::Variant(*n)));
                    piece.characterCode = true;
                } catch (const VbError& e) {
                    slot = slotOf(code, slot);
                    steps.push_back(fault(e, false));
                    if (pos >= length) return steps;
                    continue;
                }
            } else {
                if (*n < 0) {
                    steps.push_back(fault(VbError::invalidCall(), true));
                    return steps;
                }
                try {
                    pos = platform::CInt(platform::Variant(double(q) + *n));
                } catch (const VbError& e) {
                    steps.push_back(fault(e, true));
                    return steps;
                }
                pos = std::min(pos, length);
                piece.text = mid(label, q + 1, pos - q);
                // A marker group with no characters after it ("{s,3}") is marker n.
                if (code == QLatin1String("s") && piece.text.isEmpty())
                    piece.text = mid(label, c + 1, q - c - 1).trimmed();
            }
        }
        piece.code = code;
        slot = slotOf(code, slot);
        piece.slot = slot;
        piece.shift = shiftOf(code, rules);
        piece.marker = rules.pointMarkers && code == QLatin1String("s");
        MarkupStep step;
        step.piece = piece;
        steps.push_back(step);
        if (pos >= length) return steps;
    }
}

QString markupPlainText(const QString& label) {
    QString s = label;
    for (;;) {
        const auto open = s.indexOf(QLatin1Char('{'));
        if (open < 0) break;
        const auto close = s.indexOf(QLatin1Char('}'), open);
        if (close < 0) break;
        s.remove(open, close - open + 1);
    }
    return s;
}

bool rewriteExponent(QString& label) {
    if (!platform::ReadNumber(label, platform::SystemLocale::decimalSign())) return false;
    const auto p = label.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
    if (p < 0) return false;
    const QString after = label.mid(p + 1);
    label =
        label.left(p) + QStringLiteral("*10{h,") + QString::number(after.size()) + QLatin1Char('}') + after;
    return true;
}

QString codePageCharacter(int code) {
    if (code < 0 || code > 255) throw VbError::invalidCall();
    // Windows-1252 differs from Latin-1 only in 0x80..0x9F.
    static const char16_t k80[32] = {u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡', u'ˆ', u'‰', u'Š',
                                     u'‹', u'Œ', 0x8D, u'Ž', 0x8F, 0x90, u'‘', u'’', u'“', u'”', u'•',
                                     u'–', u'—', u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
    if (code >= 0x80 && code <= 0x9F) return QString(QChar(k80[code - 0x80]));
    return QString(QChar(char16_t(code)));
}

} // namespace drawing
