#pragma once

#include "Blatt.h"
#include "mdiMSEITE1.h"
#include "RecordFixture.h"
#include "SeitenLauf.h"

#include "platform/runtime/Variant.h"
#include "platform/surface/RecordingSurface.h"

#include <QString>
#include <vector>

namespace mseite1test {

// The main window as the multiple page sees it: the commands the page presses are recorded.
using Hauptfenster = testsupport::Hauptfenster;

// n records of the published drying set, each a little denser and wetter than the one before, named
// "P1", "P2", ...
std::vector<fixture::Record> proben(int n);

// Writes the records (IDs 1, 2, ...) and evaluates each as Calculate first does; then makes them all
// active and adds the rows the Evaluate menu makes for a multiple evaluation (E1 row 0, A1 row 0 with
// BONEU True). Throws when a record cannot be evaluated.
void auswerten(platform::Connection& c, const std::vector<fixture::Record>& records);

// A run with a project of evaluated records and the multiple page on it.
class MSeite1Lauf : public blatttest::SeitenLauf<mdiMSEITE1> {
public:
    void projekt(const std::vector<fixture::Record>& records);
    // Makes the page and loads it; then stores BONEU False in A1 row 0, as the main window does.
    mdiMSEITE1& laden() { return seiteLaden(0); }
    mdiMSEITE1& zeige(int n) {
        projekt(proben(n));
        return laden();
    }

    platform::Variant wert(const QString& sql);
};

using blatttest::druckseite;
using blatttest::jeTitel;
using blatttest::lesbar;
using blatttest::texte;

} // namespace mseite1test
