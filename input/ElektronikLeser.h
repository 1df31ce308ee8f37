#pragma once

#include "Elektronikvorgabe.h"

#include <optional>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Reads the lines of a measuring electronics' file by one import configuration into cycles: each cycle is
// the list of (measured value, text) in the order the values were taken, texts trimmed of blanks. Only
// whole cycles come out: a damaged cycle is left out completely, so no reading is ever half imported.
// Damage asks nothing while the file is read; it is counted, and the import asks once about all of it.
//
//   QString meldung;
//   ElektronikLeser leser(vorgabe);
//   auto zyklen = leser.zyklen(zeilen, meldung);
//   if (!zyklen && !meldung.isEmpty()) ... show meldung ...
//   if (leser.schaeden() > 0) ... ask once with leser.schadensmeldung() ...
class ElektronikLeser {
public:
    using Zyklus = std::vector<std::pair<int, QString>>;

    explicit ElektronikLeser(const Elektronikvorgabe& vorgabe);

    // The cycles of the file; nothing when the import ends early, with `meldung` the message still to show
    // (empty when the user chose Cancel in one).
    std::optional<std::vector<Zyklus>> zyklen(const QStringList& zeilen, QString& meldung);

    // The title of the import's messages, in the run's language.
    static QString titel();

    // How many damaged or missing cycles the last reading met.
    int schaeden() const { return schaeden_; }
    // What they were: a single one's own message, or their count and the first few.
    QString schadensliste() const;
    // The one question about them: the list, and what OK and Cancel do.
    QString schadensmeldung() const;
    // True when the configuration gives a measured value a place, within the cycle or beyond its end: a
    // file that then yields no cycle has no readings.
    bool nimmtWerte() const { return mitPosition_; }

private:
    struct Abbruch {
        QString meldung;
    };
    void A(const QStringList& zeilen);
    void B(const QStringList& zeilen);
    void C(const QStringList& zeilen);
    // The measured values of one field or line (position), taken into the cycle.
    void platzieren(Zyklus& zyklus, int position, const QString& text) const;
    // Splits a line or cycle into ZL fields; nothing when a separator is missing.
    std::optional<QStringList> felder(const QString& text, bool ersteOhneFall) const;
    void zyklusFertig(Zyklus&& zyklus);
    // The start count KENZ1NR as a whole number.
    int startAnzahl() const;
    // Notes a damaged or missing cycle (its message in the run's language); the reading goes on as after OK.
    void schaden(const QString& meldung);
    static int naechste(int zahl);

    const Elektronikvorgabe& v_;
    std::vector<std::vector<int>> nachPosition_;
    bool mitPosition_ = false;
    std::vector<Zyklus> zyklen_;
    bool letzterGeschrieben_ = false;
    int schaeden_ = 0;
    QStringList ersteSchaeden_;
};
