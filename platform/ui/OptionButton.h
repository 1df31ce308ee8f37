#pragma once

#include "ControlArray.h"

#include <QRadioButton>

namespace platform {

// An option button with the members the program uses. Ticking one clears the other option buttons of its
// container; the program may also clear every one of them (Value False on the ticked one), which a click
// never does. Ticking it from the program runs the Click handlers, as a click does.
class OptionButton : public QRadioButton, public ControlArrayMember {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent = nullptr);
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr);

    bool Value() const { return isChecked(); }
    void setValue(bool value);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

signals:
    void Click();
};

} // namespace platform
