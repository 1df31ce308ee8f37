#pragma once

#include <QValidator>

class QLineEdit;

// Limits what the user types into a box to a number of characters. A text set by the program (a name read
// from the database) is shown whole, and shortening a text that is too long is always allowed.
class TippGrenze : public QValidator {
    Q_OBJECT
public:
    TippGrenze(QLineEdit& box, int laenge);

    State validate(QString& input, int& pos) const override;

private:
    int laenge_;
    QString vorher_;
};
