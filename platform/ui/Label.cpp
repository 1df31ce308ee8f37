#include "Label.h"

namespace platform {

Label::Label(QWidget* parent) : Label(QString(), parent) {}

Label::Label(const QString& caption, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(caption);
}

} // namespace platform
