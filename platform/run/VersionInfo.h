#pragma once

#include <QString>

namespace platform {

// The program's version information: its product name, its legal notice (the maker and the rights) and
// its trademarks text, which names the program's developers. The page headings and footers and the info
// box take these texts from here; the program may set its own at start-up.
struct VersionInfo {
    QString ProductName;
    QString LegalCopyright;
    QString LegalTrademarks;

    // The texts in force: those set for the running application, otherwise the program's own.
    static VersionInfo current();
    // Sets the texts for the rest of the run (kept on the application object).
    static void set(const VersionInfo& info);
    // The program's own texts.
    static VersionInfo program();
};

} // namespace platform
