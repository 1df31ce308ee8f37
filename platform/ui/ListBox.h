#pragma once

#include "ControlArray.h"

#include <optional>
#include <QListWidget>

namespace platform {

// A list box with the members the program uses: items by position from 0, one selected item at most.
class ListBox : public QListWidget, public ControlArrayMember {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // The selected item, -1 when none.
    int ListIndex() const;
    // -1 selects nothing; a position outside the list raises "invalid property value" (380).
    void setListIndex(int index);
    int ListCount() const { return count(); }
    // The text of item i; "" for a position outside the list (-1 among them).
    QString List(int index) const;
    // The text of the selected item, "" when none is selected.
    QString Text() const { return List(ListIndex()); }
    // Adds an item at the end, or before the item at the given position.
    void AddItem(const QString& item, std::optional<int> index = std::nullopt);
    void RemoveItem(int index);
    void Clear() { clear(); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
};

} // namespace platform
