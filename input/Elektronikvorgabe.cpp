#include "Elektronikvorgabe.h"
#include "Geraetezahl.h"

#include "clsDATEN.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"

#include <cmath>

using platform::Variant;

namespace {

QString tabelle(const char* endung) {
    return platform::RunState::TITLE() + QLatin1String(endung);
}

QString trenner(const QString& text) {
    if (text == QLatin1String("<BLANK>")) return QStringLiteral(" ");
    if (text == QLatin1String("<TAB>")) return QStringLiteral("\t");
    return text;
}

// A stored whole number (a number, or a text that reads as one with a point or a comma).
std::optional<double> gespeicherteGanzzahl(const Variant& v) {
    std::optional<double> x;
    if (v.isNumeric())
        x = v.number();
    else if (v.isString())
        x = geraetezahl(v.asString());
    if (!x || *x != std::floor(*x)) return std::nullopt;
    return x;
}

} // namespace

Elektronikvorgabe::Layout Elektronikvorgabe::layout() const {
    if (TZS.isEmpty()) return Layout::C;
    return TZZ.isEmpty() ? Layout::A : Layout::B;
}

std::vector<QString> Elektronikvorgabe::namen() {
    clsDATEN kopf;
    kopf.EBOV(true);
    kopf.ETABELLE = tabelle("_VE1");
    kopf.ESPID = QString();
    std::vector<Variant> gelesen;
    kopf.DTVCOL(QStringLiteral("AKVK"), gelesen, QStringLiteral("IDK"));
    std::vector<QString> namen;
    for (const Variant& v : gelesen)
        if (v.isString() && !v.asString().isEmpty()) namen.push_back(v.asString());
    return namen;
}

std::optional<Elektronikvorgabe> Elektronikvorgabe::lesen(const QString& AKVK, QString& meldung) {
    meldung.clear();
    Elektronikvorgabe v;

    clsDATEN kopf;
    kopf.EBOV(true);
    kopf.ETABELLE = tabelle("_VE1");
    kopf.ESPID = QString();
    std::int32_t erste = 0, letzte = 0, anzahl = 0;
    kopf.INDEXL(erste, letzte, anzahl, QStringLiteral("AKVK"), Variant(AKVK), QStringLiteral("IDK"));
    if (anzahl == 0) {
        meldung = platform::Language::text(QStringLiteral("The electronics preset \"%1\" does not exist!"),
                                           QStringLiteral("Die Elektronikvorgabe \"%1\" gibt es nicht!"))
                      .arg(AKVK);
        return std::nullopt;
    }
    kopf.ESPK1 = QStringLiteral("AKVK");
    kopf.ESPK1W = AKVK;
    if (!kopf.DTVL(QStringLiteral("IDK"), v.IDK)) return std::nullopt;
    kopf.ESPK1.clear();
    kopf.ESPK1W.clear();
    kopf.ESPID = QStringLiteral("IDK");
    kopf.ESPIDW = v.IDK;
    // A header field that can't be read (a cycle length of 40000) ends the import: the table cursor has
    // said why, and a layout guessed from what could be read would fill the grid with nonsense.
    if (!kopf.DTVI(QStringLiteral("ZL"), v.ZL) || !kopf.DTVT(QStringLiteral("DATUM"), v.DATUM) ||
        !kopf.DTVT(QStringLiteral("UHRZEIT"), v.UHRZEIT) ||
        !kopf.DTVT(QStringLiteral("KENZ1NR"), v.KENZ1NR) ||
        !kopf.DTVT(QStringLiteral("KENZ1KZ"), v.KENZ1KZ) || !kopf.DTVT(QStringLiteral("TZS"), v.TZS) ||
        !kopf.DTVT(QStringLiteral("TZZ"), v.TZZ))
        return std::nullopt;
    v.TZS = trenner(v.TZS);
    v.TZZ = trenner(v.TZZ);
    if (v.ZL < 1) {
        meldung = platform::Language::text(
                      QStringLiteral("The electronics preset \"%1\" has no valid cycle length (ZL)!"),
                      QStringLiteral("Die Elektronikvorgabe \"%1\" hat keine gültige Zyklenlänge (ZL)!"))
                      .arg(AKVK);
        return std::nullopt;
    }

    clsDATEN werte;
    werte.EBOV(true);
    werte.ETABELLE = tabelle("_VE2");
    werte.ESPID = QStringLiteral("IDK");
    werte.ESPIDW = v.IDK;
    // The numbers are taken as stored and checked here: a number beyond the Integer range (or a text) is
    // the configuration's fault, said once, and not an import of nothing.
    Variant kleinsteNr, groessteNr;
    std::int16_t an = 0;
    werte.INDEXV(kleinsteNr, groessteNr, an, QStringLiteral("MNR"));
    if (an <= 0) return v;
    const std::optional<double> kleinsteZahl = gespeicherteGanzzahl(kleinsteNr),
                                groessteZahl = gespeicherteGanzzahl(groessteNr);
    if (!kleinsteZahl || !groessteZahl || *kleinsteZahl < 0 || *groessteZahl > INT16_MAX) {
        meldung =
            platform::Language::text(
                QStringLiteral("The measured value numbers (MNR) of the electronics preset \"%1\" are not "
                               "whole numbers from 0 to 32767!"),
                QStringLiteral("Die Messwertnummern (MNR) der Elektronikvorgabe \"%1\" sind keine ganzen "
                               "Zahlen von 0 bis 32767!"))
                .arg(AKVK);
        return std::nullopt;
    }
    const int groesste = int(*groessteZahl);
    const size_t n = size_t(an);
    std::vector<Variant> mnr(n), position(n), faktor(n);
    std::vector<QString> spalte(n), praefix(n), suffix(n), formate(n);
    const QString nach = QStringLiteral("MNR");
    if (!werte.DTVVF(QStringLiteral("MNR"), mnr, nach) ||
        !werte.DTVTF(QStringLiteral("SPALTE"), spalte, nach) ||
        !werte.DTVVF(QStringLiteral("POSITION"), position, nach) ||
        !werte.DTVTF(QStringLiteral("PRAEFIX"), praefix, nach) ||
        !werte.DTVTF(QStringLiteral("SUFFIX"), suffix, nach) ||
        !werte.DTVVF(QStringLiteral("FAKTOR"), faktor, nach) ||
        !werte.DTVTF(QStringLiteral("FORMAT"), formate, nach))
        return std::nullopt;

    v.werte.resize(size_t(std::max<int>(groesste, 0)) + 1);
    for (size_t i = 0; i < n; ++i) {
        const std::optional<double> nr = gespeicherteGanzzahl(mnr[i]);
        if (!nr || *nr < 0 || *nr > groesste) continue;
        Messwert& m = v.werte[size_t(*nr)];
        m.vorhanden = true;
        m.SPALTE = spalte[i];
        m.PRAEFIX = praefix[i];
        m.SUFFIX = suffix[i];
        m.FORMAT = formate[i];
        const bool leer = position[i].isEmpty() || position[i].isNull() ||
                          (position[i].isString() && position[i].asString().trimmed().isEmpty());
        if (!leer) {
            const std::optional<double> p = gespeicherteGanzzahl(position[i]);
            if (!p || *p < 0 || *p > INT16_MAX) {
                meldung =
                    platform::Language::text(
                        QStringLiteral("The position of measured value %1 of the electronics preset \"%2\" "
                                       "is not a whole number from 0 up!"),
                        QStringLiteral("Die Position des Messwerts %1 der Elektronikvorgabe \"%2\" ist keine "
                                       "ganze Zahl ab 0!"))
                        .arg(QString::number(*nr), AKVK);
                return std::nullopt;
            }
            m.POSITION = int(*p);
        }
        // A factor left empty, or 0, would wipe every value out: it leaves the value as read.
        const float f = faktor[i].isNumeric() ? float(faktor[i].number()) : 0.0f;
        m.FAKTOR = (f == 0.0f || !std::isfinite(f)) ? 1.0f : f;
    }
    return v;
}
