#include "ElektronikLeser.h"

#include "Geraetezahl.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"

#include <cmath>

using platform::Language;

namespace {

// A whole number of the 16-bit range, or nothing.
std::optional<int> kurzeGanzzahl(const QString& text) {
    const std::optional<double> x = geraetezahl(text);
    if (!x || *x != std::floor(*x) || *x < INT16_MIN || *x > INT16_MAX) return std::nullopt;
    return int(*x);
}

QString nr(int n) {
    return QString::number(n);
}

// How many damaged cycles the question names; the rest are counted only.
constexpr int kGenannt = 5;

} // namespace

ElektronikLeser::ElektronikLeser(const Elektronikvorgabe& vorgabe) : v_(vorgabe) {
    for (size_t mnr = 0; mnr < v_.werte.size(); ++mnr) {
        const auto& p = v_.werte[mnr].POSITION;
        if (!v_.werte[mnr].vorhanden || !p) continue;
        mitPosition_ = true;
        if (*p >= v_.ZL) continue;
        if (size_t(*p) >= nachPosition_.size()) nachPosition_.resize(size_t(*p) + 1);
        nachPosition_[size_t(*p)].push_back(int(mnr));
    }
}

std::optional<std::vector<ElektronikLeser::Zyklus>> ElektronikLeser::zyklen(const QStringList& zeilen,
                                                                            QString& meldung) {
    meldung.clear();
    zyklen_.clear();
    letzterGeschrieben_ = false;
    schaeden_ = 0;
    ersteSchaeden_.clear();
    // Blank lines at the end of a file are no cycle: many programs close their files so.
    QStringList inhalt = zeilen;
    while (!inhalt.isEmpty() && inhalt.last().trimmed().isEmpty())
        inhalt.removeLast();
    try {
        switch (v_.layout()) {
        case Elektronikvorgabe::Layout::A:
            A(inhalt);
            break;
        case Elektronikvorgabe::Layout::B:
            B(inhalt);
            break;
        case Elektronikvorgabe::Layout::C:
            C(inhalt);
            break;
        }
    } catch (const Abbruch& a) {
        meldung = a.meldung;
        return std::nullopt;
    }
    return std::move(zyklen_);
}

void ElektronikLeser::platzieren(Zyklus& zyklus, int position, const QString& text) const {
    if (position < 0 || size_t(position) >= nachPosition_.size()) return;
    for (int mnr : nachPosition_[size_t(position)])
        zyklus.emplace_back(mnr, text.trimmed());
}

void ElektronikLeser::zyklusFertig(Zyklus&& zyklus) {
    // A cycle that gives no value takes no row, so that the rows stay one after another.
    letzterGeschrieben_ = !zyklus.empty();
    if (letzterGeschrieben_) {
        if (zyklen_.size() >= size_t(INT16_MAX))
            throw Abbruch{Language::text(
                QStringLiteral("The electronics file has more cycles than the table can have rows!"),
                QStringLiteral("Die Elektronikdatei hat mehr Zyklen, als die Tabelle Zeilen haben kann!"))};
        zyklen_.push_back(std::move(zyklus));
    }
}

void ElektronikLeser::schaden(const QString& meldung) {
    if (schaeden_ < INT32_MAX) ++schaeden_;
    if (ersteSchaeden_.size() < kGenannt) ersteSchaeden_ << meldung;
}

QString ElektronikLeser::schadensliste() const {
    if (schaeden_ == 1) return ersteSchaeden_.value(0);
    QString text =
        Language::text(QStringLiteral("The electronics file has %1 damaged or missing cycles:"),
                       QStringLiteral("Die Elektronikdatei hat %1 beschädigte oder fehlende Zyklen:"))
            .arg(schaeden_);
    for (const QString& s : ersteSchaeden_)
        text += QLatin1Char('\n') + s;
    if (schaeden_ > ersteSchaeden_.size()) text += QStringLiteral("\n...");
    return text;
}

QString ElektronikLeser::titel() {
    return Language::text(QStringLiteral("MSFlexGrid / Import"), QStringLiteral("MSFlexGrid / Importieren"));
}

QString ElektronikLeser::schadensmeldung() const {
    return schadensliste() + QLatin1Char('\n') +
           Language::text(
               QStringLiteral("OK imports the sound cycles, Cancel imports nothing."),
               QStringLiteral("OK liest die unbeschädigten Zyklen ein, Abbrechen liest nichts ein."));
}

int ElektronikLeser::naechste(int zahl) {
    if (zahl >= INT16_MAX)
        throw Abbruch{
            Language::text(QStringLiteral("The cycle numbers of the electronics file exceed 32767!"),
                           QStringLiteral("Die Zyklusnummern der Elektronikdatei übersteigen 32767!"))};
    return zahl + 1;
}

int ElektronikLeser::startAnzahl() const {
    const std::optional<int> n = kurzeGanzzahl(v_.KENZ1NR);
    if (!n)
        throw Abbruch{
            Language::text(
                QStringLiteral("The start count \"%1\" of the electronics preset is not a whole "
                               "number!"),
                QStringLiteral("Die Startanzahl \"%1\" der Elektronikvorgabe ist keine ganze Zahl!"))
                .arg(v_.KENZ1NR)};
    return std::max(*n, 0);
}

std::optional<QStringList> ElektronikLeser::felder(const QString& text, bool ersteOhneFall) const {
    QStringList f;
    qsizetype von = 0;
    for (int k = 0; k < v_.ZL; ++k) {
        const Qt::CaseSensitivity fall = (k == 0 && ersteOhneFall) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const qsizetype bis = text.indexOf(v_.TZS, von, fall);
        if (k == v_.ZL - 1) {
            // The last field ends at a further separator, or with the line: what follows belongs to no value.
            f << text.mid(von, bis < 0 ? -1 : bis - von);
            break;
        }
        if (bis < 0) return std::nullopt;
        f << text.mid(von, bis - von);
        von = bis + v_.TZS.size();
    }
    return f;
}

void ElektronikLeser::A(const QStringList& zeilen) {
    qsizetype i = 0;
    if (!v_.KENZ1NR.isEmpty()) {
        i = startAnzahl();
    } else if (!v_.KENZ1KZ.isEmpty()) {
        while (i < zeilen.size() && !zeilen[i].contains(v_.KENZ1KZ))
            ++i;
        ++i; // the marker's line is dropped too
    }
    int zyklusNr = 0;
    for (; i < zeilen.size(); ++i) {
        const std::optional<QStringList> f = felder(zeilen[i], false);
        if (!f) {
            schaden(Language::text(
                QStringLiteral("Cycle no. ") + nr(zyklusNr) + QStringLiteral(" is damaged!"),
                QStringLiteral("ZyklusNr. ") + nr(zyklusNr) + QStringLiteral(" ist beschädigt!")));
        } else {
            Zyklus z;
            for (int k = 0; k < f->size(); ++k)
                platzieren(z, k, f->at(k));
            zyklusFertig(std::move(z));
        }
        if (i + 1 < zeilen.size()) zyklusNr = naechste(zyklusNr);
    }
}

void ElektronikLeser::B(const QStringList& zeilen) {
    if (zeilen.isEmpty()) return;
    const QString& zeile = zeilen.first();
    qsizetype start = 0;
    int zyklusNr = 0;
    if (!v_.KENZ1NR.isEmpty() && startAnzahl() > 0) {
        const int n = startAnzahl();
        for (int k = 0; k < n; ++k) {
            const qsizetype p = zeile.indexOf(v_.TZZ, start);
            // Fewer cycles than are to be skipped: nothing is left to read.
            if (p < 0) return;
            start = p + v_.TZZ.size();
        }
        zyklusNr = n;
    } else if (v_.KENZ1NR.isEmpty() && !v_.KENZ1KZ.isEmpty()) {
        const qsizetype p = zeile.indexOf(v_.KENZ1KZ);
        // A line without the marker has no data.
        if (p < 0) return;
        start = p + v_.KENZ1KZ.size() + 1; // the character after the marker is dropped
    }
    while (start <= zeile.size()) {
        const qsizetype ende = zeile.indexOf(v_.TZZ, start);
        if (ende < 0) return; // text after the last cycle separator is no whole cycle
        const std::optional<QStringList> f = felder(zeile.mid(start, ende - start), true);
        if (!f) {
            schaden(Language::text(
                QStringLiteral("Cycle no. ") + nr(zyklusNr) + QStringLiteral(" is damaged!"),
                QStringLiteral("ZyklusNr. ") + nr(zyklusNr) + QStringLiteral(" ist beschädigt!")));
        } else {
            Zyklus z;
            for (int k = 0; k < f->size(); ++k)
                platzieren(z, k, f->at(k));
            zyklusFertig(std::move(z));
        }
        start = ende + v_.TZZ.size();
        if (zeile.indexOf(v_.TZZ, start) >= 0) zyklusNr = naechste(zyklusNr);
    }
}

void ElektronikLeser::C(const QStringList& zeilen) {
    const int zl = v_.ZL;
    qsizetype i = 0;
    int erwartet = 0;
    int position = 0;
    if (!v_.KENZ1NR.isEmpty()) {
        const qint64 n = startAnzahl();
        i = qsizetype(std::min<qint64>(n * zl, zeilen.size()));
        erwartet = int(n);
    } else if (!v_.KENZ1KZ.isEmpty()) {
        qsizetype vorher = 0;
        while (vorher < zeilen.size() && zeilen[vorher].trimmed() != v_.KENZ1KZ)
            ++vorher;
        if (vorher >= zeilen.size()) return; // no marker: the data never start
        if (vorher / zl > INT16_MAX)
            throw Abbruch{Language::text(QStringLiteral("The electronics file is too long!"),
                                         QStringLiteral("Die Elektronikdatei ist zu lang!"))};
        erwartet = int(vorher / zl);
        position = int(vorher % zl) + 1;
        i = vorher + 1;
    }

    // A cycle number read where one is expected: a whole number, not below the expected one.
    auto zyklusnummer = [&](const QString& zeile) {
        const std::optional<int> n = kurzeGanzzahl(zeile);
        if (!n)
            throw Abbruch{
                Language::text(QStringLiteral("Line %1 of the electronics file holds no cycle number!"),
                               QStringLiteral("In Zeile %1 der Elektronikdatei steht keine Zyklusnummer!"))
                    .arg(nr(int(std::min<qsizetype>(i, INT32_MAX))))};
        if (*n < erwartet)
            throw Abbruch{
                Language::text(
                    QStringLiteral("Cycle no. %1 is followed by cycle no. %2: the cycles of the electronics "
                                   "file do not ascend!"),
                    QStringLiteral("Auf ZyklusNr. %1 folgt ZyklusNr. %2: die Zyklen der Elektronikdatei sind "
                                   "nicht aufsteigend!"))
                    .arg(nr(erwartet - 1), nr(*n))};
        return *n;
    };

    bool erster = true;
    while (i < zeilen.size()) {
        if (!erster) position = 0;
        Zyklus z;
        bool begonnen = false;
        while (position < zl) {
            if (i >= zeilen.size()) {
                // The file ends inside a cycle: the part read is no whole reading.
                if (begonnen)
                    schaden(Language::text(QStringLiteral("Cycle no. ") + nr(erwartet) +
                                               QStringLiteral(" of the electronics file is damaged!"),
                                           QStringLiteral("ZyklusNr. ") + nr(erwartet) +
                                               QStringLiteral(" der Elektronikdatei ist beschädigt!")));
                return;
            }
            const QString zeile = zeilen[i++];
            begonnen = true;
            if (position == 0) {
                const std::optional<double> kopf = geraetezahl(zeile);
                if (!kopf || *kopf != zl - 1) {
                    if (erster)
                        schaden(Language::text(
                            QStringLiteral("The electronics presets do not fit the structure of the "
                                           "electronics file!"),
                            QStringLiteral(
                                "Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!")));
                    else
                        schaden(Language::text(QStringLiteral("Cycle no. ") + nr(erwartet - 1) +
                                                   QStringLiteral(" of the electronics file is damaged!"),
                                               QStringLiteral("ZyklusNr. ") + nr(erwartet - 1) +
                                                   QStringLiteral(" der Elektronikdatei ist beschädigt!")));
                    // The number expected stays: a cycle that ran long into this one is followed by its
                    // neighbour, which the resynchronisation finds.
                    // The cycle before, which ran into this one, is replaced by the next good cycle.
                    if (!erster && letzterGeschrieben_) {
                        zyklen_.pop_back();
                        letzterGeschrieben_ = false;
                    }
                    z.clear();
                    while (i < zeilen.size()) {
                        const std::optional<double> k = geraetezahl(zeilen[i++]);
                        if (k && *k == zl - 1) break;
                        if (i >= zeilen.size()) return;
                    }
                    if (zl == 1) {
                        position = 1; // a cycle of one line has no cycle number
                        continue;
                    }
                    if (i >= zeilen.size()) return;
                    const QString nummer = zeilen[i++];
                    const int n = zyklusnummer(nummer);
                    if (n != erwartet) erwartet = n;
                    platzieren(z, 1, nummer);
                    position = 2;
                    continue;
                }
            } else if (position == 1) {
                const int n = zyklusnummer(zeile);
                if (n != erwartet) {
                    schaden(
                        Language::text(QStringLiteral("One or more cycles are missing after cycle no. ") +
                                           nr(erwartet - 1) + QStringLiteral("!"),
                                       QStringLiteral("Es fehlen ein oder mehrere Zyklen nach ZyklusNr. ") +
                                           nr(erwartet - 1) + QStringLiteral(" !")));
                    erwartet = n;
                }
            }
            platzieren(z, position, zeile);
            ++position;
        }
        zyklusFertig(std::move(z));
        erwartet = naechste(erwartet);
        erster = false;
    }
}
