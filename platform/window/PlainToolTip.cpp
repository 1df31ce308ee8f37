#include "PlainToolTip.h"

#include <QTextDocument>

namespace platform {

QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    // Blanks and line breaks as a plain tool tip shows them: kept, no wrapping.
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace platform
