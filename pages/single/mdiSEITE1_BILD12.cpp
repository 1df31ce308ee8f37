// The table of readings of page 1: one row per reading with the columns of the record's water-content
// method, the method as the title and the fixed test quantities as the footnote.
#include "mdiSEITE1.h"

#include "clsDATEN.h"
#include "clsTABELLE.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"

#include <algorithm>
#include <map>
#include <optional>
#include <QScopedValueRollback>

using drawing::Zellenfeld;
using platform::Variant;

namespace {

// One column of the table: caption and unit (markup), width (mm), rule after it (2 double, 1 single),
// alignment (1 centred, 3 on the decimal sign) and number pattern.
struct Spalte {
    const char* kopf;
    const char* einheit;
    double breite;
    double regel;
    double ausrichtung;
    const char* format;
};

// Drying of sub-samples: the reading, m1, h', and the wet and dry sub-sample with its tray.
const Spalte kTrocknen[] = {{"Nr", "", 7, 2, 1, ""},
                            {"m{t,1}1", "[g]", 17, 1, 3, "####0.00"},
                            {"h'", "[cm]", 16, 2, 3, "##0.00"},
                            {"m{t,3}1,w", "[g]", 17, 1, 3, "####0.00"},
                            {"m{t,3}2,w", "[g]", 17, 1, 3, "####0.00"},
                            {"m{t,3}c,w", "[g]", 17, 0, 3, "####0.00"}};
// Weighing the added water: the reading, the soil alone, h', the rest with the accessories, and the stored
// sum of both.
const Spalte kWasserzugabe[] = {{"Nr", "", 10, 2, 1, ""},
                                {"m{t,1}1", "[g]", 20, 1, 3, "######0.00"},
                                {"h'", "[cm]", 20, 2, 3, "##0.00"},
                                {"m{t,3}1,r", "[g]", 20, 1, 3, "####0.00"},
                                {"m{t,1}1 + m{t,3}1,r", "[g]", 20, 0, 3, "####0.00"}};

} // namespace

void mdiSEITE1::BILD12(int OBJ, float XDL, float YDO) {
    Bildlauf lauf(*this, 1, QStringLiteral("Bild 12"), OBJ);
    if (!lauf.bereit()) return;
    platform::ErrorTrap& trap = lauf.trap;
    // The table moves its scroll bar itself: that is no change by the user.
    const QScopedValueRollback<bool> zeichnen(tabelleZeichnen_, true);

    // The printed table shows the rows that the screen is scrolled to.
    clsTABELLE* const tabelle = tabelleBeginnen(OBJ, XDL, YDO, &picBILD12->verticalScrollBar(), trap);
    if (!tabelle) return;
    clsTABELLE& t = *tabelle;
    if (!trap.step([&] {
            t.setERZ(1.5f);
            t.setEZA(1.2f);
            t.setEZH(3.5f);
            t.setERO(7);
            t.setERU(10);
        }))
        return;

    const std::span<const Spalte> spalten =
        KENW_ ? std::span<const Spalte>(kTrocknen) : std::span<const Spalte>(kWasserzugabe);
    const int NS = int(spalten.size());
    if (!trap.step([&] {
            std::vector<double> breite, regel, ausrichtung;
            std::vector<QString> format;
            for (const Spalte& s : spalten) {
                breite.push_back(s.breite);
                regel.push_back(s.regel);
                ausrichtung.push_back(s.ausrichtung);
                format.push_back(QString::fromUtf8(s.format));
            }
            regel.pop_back(); // no rule after the last column
            t.setELSB(breite);
            t.setELGIT(regel);
            t.setELGITLEER(std::vector<double>(std::size_t(NS - 1), 0.0));
            t.setELA(ausrichtung);
            t.setELFORMAT(format);
            t.setELMW(std::vector<double>(std::size_t(NS), 0.0));
        }))
        return;
    Zellenfeld kopf(NS, 2);
    for (int i = 0; i < NS; ++i) {
        kopf(i, 0) = Variant(QString::fromUtf8(spalten[std::size_t(i)].kopf));
        kopf(i, 1) = Variant(QString::fromUtf8(spalten[std::size_t(i)].einheit));
    }

    // The page's reading count: the highest reading number of the record. Readings without a number
    // (another tool's) follow the numbered ones, numbered on as the evaluation counts them.
    std::int16_t AN = 0;
    if (!trap.step([&] {
            std::int16_t MINI = 0;
            e3_->INDEX(MINI, n_, AN, QStringLiteral("I1"));
        }))
        return;
    std::vector<Variant> nummern(std::size_t(std::max<std::int16_t>(AN, 0)));
    if (!trap.step([&] { e3_->DTVVF(QStringLiteral("I1"), nummern, QStringLiteral("I1")); })) return;
    const int ohne =
        int(std::count_if(nummern.begin(), nummern.end(), [](const Variant& v) { return v.isEmpty(); }));
    const int numeriert = int(nummern.size()) - ohne;
    const int erste = numeriert > 0 ? n_ + 1 : 0; // the row of the first reading without a number
    // A reading number without a row in E3 leaves its row empty.
    const int zeilen = std::max(erste + ohne, 1);
    if (ohne > 0) n_ = std::int16_t(erste + ohne - 1);
    Zellenfeld body(NS, zeilen);
    // The columns of the readings without a number, each read once (a failed read is not tried again):
    // the readings come by place, after the numbered ones.
    std::map<QString, std::optional<std::vector<Variant>>> ohneNummer;
    // A column's value in a row: by the reading's number, or for a reading without one by its place.
    auto wert = [&](const char* spalte, int zeile, Variant& v) {
        const QString name = QString::fromLatin1(spalte);
        if (zeile < erste) return e3_->DTVV(name, v, QStringLiteral("I1"), Variant{std::int16_t(zeile)});
        if (name == QLatin1String("I1")) {
            v = Variant{std::int16_t(zeile)};
            return true;
        }
        auto [spaltenwerte, neu] = ohneNummer.try_emplace(name);
        if (neu) {
            std::vector<Variant> werte(nummern.size());
            if (e3_->DTVVF(name, werte, QStringLiteral("I1"))) spaltenwerte->second = std::move(werte);
        }
        if (!spaltenwerte->second) return false;
        v = (*spaltenwerte->second)[std::size_t(numeriert + zeile - erste)];
        return true;
    };
    auto lies = [&](const char* spalte, int zelle, int zeile) {
        Variant v;
        if (wert(spalte, zeile, v)) body(zelle, zeile) = v;
    };
    if (!trap.step([&] {
            for (int i = 0; i < zeilen; ++i) {
                if (KENW_) {
                    const char* namen[] = {"I1", "M1", "HS", "M1W", "M2W", "MCW"};
                    for (int c = 0; c < 6; ++c)
                        lies(namen[c], c, i);
                    continue;
                }
                lies("I1", 0, i);
                float M1 = 0;
                if (i < erste) {
                    e3_->DTVS(QStringLiteral("M1"), M1, QStringLiteral("I1"), Variant{std::int16_t(i)});
                } else {
                    Variant m1;
                    if (wert("M1", i, m1) && !m1.isEmpty() && !m1.isNull()) M1 = platform::CSng(m1);
                }
                lies("HS", 2, i);
                lies("M1R", 3, i);
                if (body(0, i).isEmpty()) continue;
                const Variant& rest = body(3, i);
                body(1, i) =
                    Variant(float(M1 - (rest.isEmpty() || rest.isNull() ? 0.0f : platform::CSng(rest))));
                body(4, i) = Variant(M1);
            }
        }))
        return;

    if (!trap.step([&] { t.TABELLE(kopf, 0); })) return;
    if (!trap.step([&] { t.TABELLE(body, 1); })) return;
    if (!trap.step([&] { t.SCHRIFTEINSTELLUNGEN(QStringLiteral("Arial"), 9, 0, 0, 0, 0); })) return;
    const auto f = [](float v) { return platform::Format(Variant(v), QStringLiteral("#0.00")); };
    if (KENW_) {
        if (!trap.step(
                [&] { t.TITEL(QStringLiteral("Wassergehaltbestimmung durch Trocknen von Teilproben")); }))
            return;
        trap.step([&] { t.FUSSNOTE(QStringLiteral("h'' = ") + f(H2S_) + QStringLiteral(" cm")); });
    } else {
        if (!trap.step(
                [&] { t.TITEL(QStringLiteral("Wassergehaltbestimmung durch Wiegen der Wasserzugabe")); }))
            return;
        trap.step([&] {
            t.FUSSNOTE(QStringLiteral("h'' = ") + f(H2S_) + QStringLiteral(" cm         m{t,3}s,g = ") +
                       f(MSG_) + QStringLiteral(" g         m{t,1}Z = ") + f(MZ_) + QStringLiteral(" g"));
        });
    }
}
