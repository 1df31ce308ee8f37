#include "ComboBox.h"

#include "ControlErrors.h"

namespace platform {

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Enter in the box takes the text; it does not add it to the list.
    setInsertPolicy(QComboBox::NoInsert);
}

void ComboBox::setText(const QString& text) {
    const int found = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0) {
        setCurrentIndex(found);
        return;
    }
    if (!isEditable()) throw ControlErrors::propertyIsReadOnly();
    setCurrentIndex(-1);
    setEditText(text);
}

int ComboBox::ListIndex() const {
    const int index = currentIndex();
    if (index < 0) return -1;
    return itemText(index) == currentText() ? index : -1;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= count()) throw ControlErrors::invalidPropertyValue();
    setCurrentIndex(index);
    if (index == -1 && isEditable()) setEditText(QString());
}

void ComboBox::AddItem(const QString& text, std::optional<int> index) {
    const int at = index.value_or(count());
    if (at < 0 || at > count()) throw VbError::invalidCall();
    // The first item of a combo box would become its selection (and its text) on its own.
    const bool none = currentIndex() < 0;
    const QString shown = currentText();
    insertItem(at, text);
    if (none) {
        setCurrentIndex(-1);
        if (isEditable()) setEditText(shown);
    }
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= count()) throw VbError::invalidCall();
    removeItem(index);
}

void ComboBox::Clear() {
    clear();
    if (isEditable()) setEditText(QString());
}

} // namespace platform
