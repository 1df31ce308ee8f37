#include "OptionButton.h"

namespace platform {

OptionButton::OptionButton(QWidget* parent) : OptionButton(QString(), parent) {}

OptionButton::OptionButton(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {
    connect(this, &QAbstractButton::clicked, this, &OptionButton::Click);
}

void OptionButton::setValue(bool value) {
    if (value == isChecked()) return;
    if (value) {
        setChecked(true);
        emit Click();
        return;
    }
    // An exclusive button refuses to be cleared; for a moment it is not exclusive.
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(exclusive);
}

} // namespace platform
