#include "CheckBox.h"

#include "ControlErrors.h"

namespace platform {

CheckBox::CheckBox(QWidget* parent) : CheckBox(QString(), parent) {}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    connect(this, &QAbstractButton::clicked, this, &CheckBox::Click);
}

std::int16_t CheckBox::Value() const {
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void CheckBox::setValue(std::int16_t value) {
    if (value < 0 || value > 2) throw ControlErrors::invalidPropertyValue();
    if (value == Value()) return;
    setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    emit Click();
}

void CheckBox::nextCheckState() {
    // Greyed is a state the program shows, never one the user clicks into.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace platform
