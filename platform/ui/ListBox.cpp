#include "ListBox.h"

#include "ControlErrors.h"

namespace platform {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int ListBox::ListIndex() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? currentRow() : -1;
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count()) throw ControlErrors::invalidPropertyValue();
    if (index == -1) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

QString ListBox::List(int index) const {
    const QListWidgetItem* it = index >= 0 ? item(index) : nullptr;
    return it ? it->text() : QString();
}

void ListBox::AddItem(const QString& text, std::optional<int> index) {
    const int at = index.value_or(count());
    if (at < 0 || at > count()) throw VbError::invalidCall();
    insertItem(at, text);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= count()) throw VbError::invalidCall();
    delete takeItem(index);
}

} // namespace platform
