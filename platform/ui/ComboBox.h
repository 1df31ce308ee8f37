#pragma once

#include "ControlArray.h"

#include <optional>
#include <QComboBox>

namespace platform {

// A combo box with the members the program uses. As the program's combo boxes are, it is editable unless
// set otherwise (setEditable(false) gives a list to choose from). Adding items never selects one, and a
// typed text that is no item selects none (ListIndex -1).
class ComboBox : public QComboBox, public ControlArrayMember {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    // The text shown: what was typed or the selected item.
    QString Text() const { return currentText(); }
    // An item of exactly this text is selected; an editable box shows any other text with no item
    // selected, a list-only box refuses it ("property is read-only", 383).
    void setText(const QString& text);
    // The selected item, -1 when none (also while the shown text differs from it).
    int ListIndex() const;
    // -1 selects nothing and empties the text; a position outside the list raises 380.
    void setListIndex(int index);
    int ListCount() const { return count(); }
    // The text of item i; "" for a position outside the list.
    QString List(int index) const { return index >= 0 && index < count() ? itemText(index) : QString(); }
    // Adds an item at the end, or before the item at the given position.
    void AddItem(const QString& item, std::optional<int> index = std::nullopt);
    void RemoveItem(int index);
    void Clear();
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
};

} // namespace platform
