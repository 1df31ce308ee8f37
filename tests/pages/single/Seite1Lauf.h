#pragma once

#include "Blatt.h"
#include "mdiSEITE1.h"
#include "RecordFixture.h"
#include "SeitenLauf.h"

#include "platform/runtime/Variant.h"
#include "platform/surface/RecordingSurface.h"

#include <QString>
#include <vector>

namespace seite1test {

// The main window as page 1 sees it: the commands the page presses are recorded.
using Hauptfenster = testsupport::Hauptfenster;

// A run with a project holding one record (ID 1, active), evaluated as Calculate first does it, and page 1
// of it. The clock stands still at 1 August 2003, 10:30, so that a drawn page is always the same.
class Seite1Lauf : public blatttest::SeitenLauf<mdiSEITE1> {
public:
    explicit Seite1Lauf(const QString& language = QStringLiteral("de"),
                        const QString& decimalSign = QStringLiteral(","));

    // Stores the record and evaluates it (the A1 row is new, BONEU True); false when the evaluation failed.
    bool auswerten(const fixture::Record& record);
    // Makes page 1 and loads it; then stores BONEU False, as the main window does after showing it.
    mdiSEITE1& laden() { return seiteLaden(1); }
    // Evaluates the record, changes its A1 row when asked (the SET part of an UPDATE), and loads its page.
    mdiSEITE1& zeige(const fixture::Record& record, const QString& a1 = {});

    // A value of the record's rows.
    platform::Variant wert(const QString& table, const QString& column, const QString& where = {});
};

using blatttest::druckseite;
using blatttest::jeTitel;
using blatttest::lesbar;
using blatttest::texte;

// The lines of one colour (and, when given, one line style), as (x1, y1, x2, y2).
std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface, long color,
                                        int style = -1);

} // namespace seite1test
