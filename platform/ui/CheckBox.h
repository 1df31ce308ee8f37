#pragma once

#include "ControlArray.h"

#include <cstdint>
#include <QCheckBox>

namespace platform {

// A check box with the members the program uses. Value 2 (greyed) is set by the program only; a click
// toggles between not ticked and ticked. Changing Value from the program runs the Click handlers, as a
// click does, so that a form reacts to a loaded value as to a typed one.
class CheckBox : public QCheckBox, public ControlArrayMember {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);

    // 0 not ticked, 1 ticked, 2 greyed.
    std::int16_t Value() const;
    // Any other value than 0, 1 and 2 raises "invalid property value" (380).
    void setValue(std::int16_t value);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    // The control's own setting, also while its container is disabled.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

signals:
    void Click();

protected:
    void nextCheckState() override;
};

} // namespace platform
