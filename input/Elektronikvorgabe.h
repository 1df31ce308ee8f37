#pragma once

#include <cstdint>
#include <optional>
#include <QString>
#include <vector>

// One import configuration of the presets database: how the text file of one measuring electronics is
// read. The header row of TAMBRIN_VE1 gives the layout (separators, cycle length, where the data start,
// the date and time patterns); the rows of TAMBRIN_VE2 give each measured value's place in a cycle, its
// target column and how its text is finished.
//
//   std::optional<Elektronikvorgabe> v = Elektronikvorgabe::lesen("Waage W1", meldung);
//   if (v && v->layout() == Elektronikvorgabe::Layout::A) ...
//
// The separators come back with "<BLANK>" and "<TAB>" already turned into the blank and the tab.
struct Elektronikvorgabe {
    struct Messwert {
        bool vorhanden = false;      // a TAMBRIN_VE2 row has this number
        QString SPALTE;              // import key of the target column
        std::optional<int> POSITION; // field or line of the cycle; none: not imported
        QString PRAEFIX, SUFFIX, FORMAT;
        float FAKTOR = 1; // Null and 0 read as 1
    };
    enum class Layout { A, B, C };

    std::int32_t IDK = 0;
    std::int16_t ZL = 0;
    QString DATUM, UHRZEIT, KENZ1NR, KENZ1KZ, TZS, TZZ;
    // Entry i is measured value MNR = i.
    std::vector<Messwert> werte;

    // A: one cycle per line; B: all cycles in the first line; C: one value per line.
    Layout layout() const;

    // Reads the configuration named AKVK (letter case ignored) from the presets database. Nothing when it
    // can't be used; `meldung` then holds the message to show, or is empty when the table cursor has shown
    // its own.
    static std::optional<Elektronikvorgabe> lesen(const QString& AKVK, QString& meldung);
    // The names of all configurations, in the order of their keys.
    static std::vector<QString> namen();
};
