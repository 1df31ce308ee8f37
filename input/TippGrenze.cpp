#include "TippGrenze.h"

#include <QLineEdit>

TippGrenze::TippGrenze(QLineEdit& box, int laenge) : QValidator(&box), laenge_(laenge), vorher_(box.text()) {
    // The box has taken the edit already when it asks; the text before it is kept here.
    connect(&box, &QLineEdit::textChanged, this, [this](const QString& text) { vorher_ = text; });
}

QValidator::State TippGrenze::validate(QString& input, int&) const {
    if (input.size() > laenge_ && input.size() > vorher_.size()) return Invalid;
    return Acceptable;
}
