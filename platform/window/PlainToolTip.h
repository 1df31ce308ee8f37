#pragma once

#include <QString>

namespace platform {

// The tool tip that shows a text as it stands. Qt shows a tool tip as markup when it looks like markup, so a
// record's comment, a user's or a computer's name or a folder read from a file would be rendered ("<b>x</b>"
// in bold, "<!--" hiding the rest); such a text is escaped, with its line breaks kept. Any other text is
// returned as it is.
//
//     panel->setToolTip(plainToolTip(comment)); // "<b>x</b>" shows those eight characters
QString plainToolTip(const QString& text);

} // namespace platform
