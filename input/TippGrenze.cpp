#include "TippGrenze.h"

#include <QLineEdit>

TippGrenze::TippGrenze(QLineEdit& box, int laenge) : QValidator(&box), box_(box), laenge_(laenge) {}

QValidator::State TippGrenze::validate(QString& input, int&) const {
    // While the box validates an edit, its text is still the text before it.
    if (input.size() > laenge_ && input.size() > box_.text().size()) return Invalid;
    return Acceptable;
}
