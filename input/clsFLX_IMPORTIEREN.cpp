// The grid editor's import of measuring-electronics files.
//
// The file is read whole and taken apart into cycles first; only when that has gone through are the rows
// written, so an import that ends early leaves the grid as it was. Each value is finished on its own (its
// measured value's prefix, suffix and factor), so a column that two measured values aim at is finished
// once, by the value that lands in it.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"
#include "ElektronikLeser.h"
#include "Elektronikvorgabe.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/system/TextLines.h"
#include "platform/ui/FlexGrid.h"

#include <array>
#include <cmath>

using platform::Variant;

namespace {

void melden(const QString& text) {
    platform::RunState::current().dialogs().MsgBox(text, platform::Msg::OKOnly | platform::Msg::Exclamation,
                                                   ElektronikLeser::titel());
}

// Where day, month and year (or hours, minutes and seconds) stand in a pattern; nothing when one is missing.
std::optional<std::array<qsizetype, 3>> musterstellen(const QString& muster, const QString& a,
                                                      const QString& b, bool jahr) {
    const qsizetype pa = muster.indexOf(a);
    const qsizetype pb = muster.indexOf(b);
    qsizetype pc;
    if (jahr) {
        const qsizetype lang = muster.indexOf(QStringLiteral("JJJJ"));
        pc = lang >= 0 ? lang + 2 : muster.indexOf(QStringLiteral("JJ"));
    } else {
        pc = muster.indexOf(QStringLiteral("ss"));
    }
    if (pa < 0 || pb < 0 || pc < 0) return std::nullopt;
    return std::array<qsizetype, 3>{pa, pb, pc};
}

// The three pairs of characters joined by the separator; a text too short for them stays as read.
QString umbauen(const QString& text, const std::array<qsizetype, 3>& stellen, QChar trenner) {
    for (qsizetype p : stellen)
        if (text.size() < p + 2) return text;
    return text.mid(stellen[0], 2) + trenner + text.mid(stellen[1], 2) + trenner + text.mid(stellen[2], 2);
}

QString schluessel(const Variant& v) {
    if (v.isString()) return v.asString();
    if (v.isEmpty() || v.isNull()) return QString();
    return platform::CStr(v);
}

struct Abbruch {
    QString meldung;
};

} // namespace

bool clsFLX::IMPORTIEREN(const QString& AKVK, const QString& DATEI) {
    Zustand& z = *z_;
    if (!z.grid) {
        melden(platform::Language::text(
            QStringLiteral("The table editor has no table to import into!"),
            QStringLiteral("Der Tabelleneditor hat keine Tabelle, in die er einlesen kann!")));
        return false;
    }
    platform::FlexGrid& grid = *z.grid;
    // A disabled grid holds no readings in this program and takes none.
    if (!grid.Enabled()) {
        melden(platform::Language::text(
            QStringLiteral("The table is locked and takes no readings!"),
            QStringLiteral("Die Tabelle ist gesperrt und nimmt keine Messwerte auf!")));
        return false;
    }
    platform::Hourglass sanduhr;

    QString meldung;
    const std::optional<Elektronikvorgabe> v = Elektronikvorgabe::lesen(AKVK, meldung);
    if (!v) {
        if (!meldung.isEmpty()) melden(meldung);
        return false;
    }

    // The target column of each measured value: the last column whose key is its SPALTE; none skips it.
    const int spalten = grid.Cols();
    std::vector<int> ziel(v->werte.size(), -1);
    bool mitWerten = false;
    for (const auto& m : v->werte)
        mitWerten = mitWerten || m.vorhanden;
    if (mitWerten) {
        if (z.lselek.size() < size_t(spalten)) {
            melden(platform::Language::text(
                QStringLiteral("The columns of the table have no import keys!"),
                QStringLiteral("Den Spalten der Tabelle sind keine Importschlüssel zugeordnet!")));
            return false;
        }
        for (size_t mnr = 0; mnr < v->werte.size(); ++mnr)
            for (int c = 0; c < spalten; ++c)
                if (v->werte[mnr].vorhanden && schluessel(z.lselek[size_t(c)]) == v->werte[mnr].SPALTE)
                    ziel[mnr] = c;
    }

    QString fehler;
    const std::optional<QStringList> zeilen = platform::ReadTextLines(DATEI, fehler);
    if (!zeilen) {
        melden(
            platform::Language::text(QStringLiteral("The electronics file %1 can't be read!\n%2"),
                                     QStringLiteral("Die Elektronikdatei %1 kann nicht gelesen werden!\n%2"))
                .arg(DATEI, fehler));
        return false;
    }
    const QString keine = platform::Language::text(QStringLiteral("No readings found."),
                                                   QStringLiteral("Keine Messwerte gefunden."));
    // A device writes text: a NUL is a binary file, or UTF-16 without its byte order mark read as 8-bit
    // text. Its "cycles" would be noise, and each of them damaged.
    for (const QString& zeile : *zeilen)
        if (zeile.contains(QChar(0))) {
            melden(keine);
            return false;
        }
    ElektronikLeser leser(*v);
    std::optional<std::vector<ElektronikLeser::Zyklus>> zyklen = leser.zyklen(*zeilen, meldung);
    if (!zyklen) {
        if (!meldung.isEmpty()) melden(meldung);
        return false;
    }
    // One message for the whole file: a file that gives nothing says so (with the damage it met), damage
    // beside sound cycles is asked about once, OK taking the sound ones, Cancel none.
    if (zyklen->empty() && leser.nimmtWerte()) {
        melden(leser.schaeden() > 0 ? keine + QLatin1Char('\n') + leser.schadensliste() : keine);
        return false;
    }
    if (leser.schaeden() > 0 &&
        platform::RunState::current().dialogs().MsgBox(leser.schadensmeldung(),
                                                       platform::Msg::OKCancel | platform::Msg::Exclamation,
                                                       ElektronikLeser::titel()) != platform::Msg::OK)
        return false;

    const int datumSpalte = z.typSpalte[4], zeitSpalte = z.typSpalte[5];
    const auto datum = v->DATUM.isEmpty()
                           ? std::nullopt
                           : musterstellen(v->DATUM, QStringLiteral("TT"), QStringLiteral("MM"), true);
    const auto zeit = v->UHRZEIT.isEmpty()
                          ? std::nullopt
                          : musterstellen(v->UHRZEIT, QStringLiteral("hh"), QStringLiteral("mm"), false);
    const QString d = flx::dezimal();

    // Each value finished as its measured value says.
    auto fertig = [&](int mnr, QString t) {
        const Elektronikvorgabe::Messwert& m = v->werte[size_t(mnr)];
        const int c = ziel[size_t(mnr)];
        if (!m.PRAEFIX.isEmpty() && t.size() > m.PRAEFIX.size()) t = t.mid(m.PRAEFIX.size());
        if (!m.SUFFIX.isEmpty() && t.size() > m.SUFFIX.size()) t.chop(m.SUFFIX.size());
        if (c == datumSpalte && datum && !t.isEmpty()) t = umbauen(t, *datum, QLatin1Char('.'));
        if (c == zeitSpalte && zeit && !t.isEmpty()) t = umbauen(t, *zeit, QLatin1Char(':'));
        if (t.startsWith(QLatin1String("-.")) || t.startsWith(QLatin1String("-,")))
            t = QStringLiteral("-0.") + t.mid(2);
        else if (t.startsWith(QLatin1Char('.')) || t.startsWith(QLatin1Char(',')))
            t = QStringLiteral("0.") + t.mid(1);
        if (c != datumSpalte && c != zeitSpalte) {
            // The file's decimal sign, a point or a comma, becomes the run's.
            if (platform::ReadNumber(t, QStringLiteral(".")))
                t.replace(QLatin1Char('.'), d);
            else if (platform::ReadNumber(t, QStringLiteral(",")))
                t.replace(QLatin1Char(','), d);
        }
        if (m.FAKTOR != 1.0f) {
            if (const std::optional<double> x = platform::ReadNumber(t, d)) {
                const float produkt = float(*x) * m.FAKTOR;
                if (!std::isfinite(produkt))
                    throw Abbruch{
                        platform::Language::text(
                            QStringLiteral("The value %1 grows too large by the factor of column %2!"),
                            QStringLiteral("Der Wert %1 wird mit dem Faktor der Spalte %2 zu groß!"))
                            .arg(t, m.SPALTE)};
                t = platform::SingleText(float(platform::Round(double(produkt), 3)), d);
            }
        }
        return t;
    };

    try {
        for (auto& zyklus : *zyklen)
            for (auto& [mnr, text] : zyklus)
                text = fertig(mnr, text);

        // The first row of the import: after the last row, or the one data row when it holds no reading yet.
        int erste = grid.Rows();
        if (grid.Rows() == grid.FixedRows() + 1) {
            bool leer = true;
            for (int c = 0; c < spalten && leer; ++c) {
                const int typ = size_t(c) < z.lstyp.size() && z.lstyp[size_t(c)].isNumeric()
                                    ? int(z.lstyp[size_t(c)].number())
                                    : 0;
                if (typ >= 1 && typ <= 3) continue;
                leer = grid.TextMatrix(grid.FixedRows(), c).trimmed().isEmpty();
            }
            if (leer) erste = grid.FixedRows();
        }
        const qint64 noetig = qint64(erste) + qint64(zyklen->size());
        if (noetig > INT16_MAX)
            throw Abbruch{platform::Language::text(
                              QStringLiteral("The table can't take the %1 cycles of the electronics file!"),
                              QStringLiteral("Die Tabelle kann die %1 Zyklen der Elektronikdatei nicht "
                                             "aufnehmen!"))
                              .arg(zyklen->size())};
        if (noetig > grid.Rows()) grid.setRows(int(noetig));
        for (size_t k = 0; k < zyklen->size(); ++k)
            for (const auto& [mnr, text] : (*zyklen)[k])
                if (const int c = ziel[size_t(mnr)]; c >= 0) grid.setTextMatrix(erste + int(k), c, text);
    } catch (const Abbruch& a) {
        melden(a.meldung);
        return false;
    } catch (const std::exception& e) {
        melden(platform::asVbError(e).Description());
        return false;
    }

    // A date and a time pattern that both can't be read are one fault of the configuration: one message.
    QStringList muster;
    if (!v->DATUM.isEmpty() && !datum)
        muster << platform::Language::text(
            QStringLiteral("An invalid date format was entered for this configuration in the "
                           "menu Electronics presets!"),
            QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Datumsformat im Menü "
                           "Elektronikvorgaben eingegeben!"));
    if (!v->UHRZEIT.isEmpty() && !zeit)
        muster << platform::Language::text(
            QStringLiteral("An invalid time format was entered for this configuration in the "
                           "menu Electronics presets!"),
            QStringLiteral("Es wurde für diese Konfiguration ein ungültiges Zeitformat im Menü "
                           "Elektronikvorgaben eingegeben!"));
    if (!muster.isEmpty()) melden(muster.join(QLatin1Char('\n')));
    AKTUALISIEREN();
    try {
        NUMMERIEREN();
    } catch (const std::exception& e) {
        platform::ShowErrorBox(platform::asVbError(e), ElektronikLeser::titel());
    }
    return true;
}
