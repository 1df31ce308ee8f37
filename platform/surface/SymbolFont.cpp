#include "SymbolFont.h"

namespace platform {

bool isSymbolFont(const QString& name) {
    return name.trimmed().compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

QString drawnFontFamily(const QString& name) {
    const QString n = name.trimmed();
    if (n.isEmpty() || isSymbolFont(n) || n.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return n;
}

QString symbolToUnicode(const QString& text) {
    // The letters A..Z and a..z of the symbol font, in order.
    static const QString upper = QStringLiteral(u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
    static const QString lower = QStringLiteral(u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= u'A' && u <= u'Z')
            out.append(upper.at(u - u'A'));
        else if (u >= u'a' && u <= u'z')
            out.append(lower.at(u - u'a'));
        else
            out.append(ch);
    }
    return out;
}

QString drawnText(const QString& fontName, const QString& text) {
    return isSymbolFont(fontName) ? symbolToUnicode(text) : text;
}

} // namespace platform
