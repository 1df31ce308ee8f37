#pragma once

#include "ControlArray.h"

#include <QLabel>

namespace platform {

// A label with the members the program uses. Its caption is plain text, never read as markup.
class Label : public QLabel, public ControlArrayMember {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr);
    explicit Label(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
};

} // namespace platform
