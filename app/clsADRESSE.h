#pragma once

#include <QString>

// The maker's contact data, shown by the start screen and the info box. Three texts follow the run's
// language (1 English, 3 German; any other language gives "").
class clsADRESSE {
public:
    QString FIRMA1() const;
    QString FIRMA2() const;
    QString PLZ() const;
    QString STR() const;
    QString VORSITZ() const;
    QString TEL() const;
    QString FAX() const;
    QString EMAIL() const;
    QString URL() const;
};
