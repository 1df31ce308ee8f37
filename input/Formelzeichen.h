#pragma once

#include "platform/ui/Label.h"

// The symbol beside a number box: a letter (or a word ending in one) in the label's font, its subscript
// in Arial 8.25 pt lower right of it, then " =". Its caption is the plain text, letter and subscript run
// together ("dc =").
class Formelzeichen : public platform::Label {
    Q_OBJECT
public:
    Formelzeichen(const QString& buchstabe, const QString& index, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont indexSchrift() const;

    QString buchstabe_;
    QString index_;
};
