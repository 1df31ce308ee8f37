#pragma once

#include "ControlArray.h"

#include <QLineEdit>

namespace platform {

// A text box with the members the program uses. It holds any text it is given whole: no length limit cuts
// a value read from the database.
class TextBox : public QLineEdit, public ControlArrayMember {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
};

} // namespace platform
