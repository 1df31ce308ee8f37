// Printing the multiple-evaluation page: A4 landscape on the printer the print dialog chose last. The
// printed results table lists every record the statistics include; the summary box moves below the
// table when the table reaches its place, and rows that don't fit above the footer continue on further
// sheets of the same job (the table's header repeated, the statistics and the summary box after the last
// row).
#include "mdiMSEITE1.h"

#include "clsTABELLE.h"
#include "MSeite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/ScrollBar.h"

using namespace mseite1layout;

QString mdiMSEITE1::PDFNAME() const {
    return QStringLiteral("Mehrfachauswertung Seite 1.pdf");
}

QString mdiMSEITE1::dokumentname() const {
    return QStringLiteral("TAMBRIN Mehrfachauswertung");
}

std::vector<mdiMSEITE1::Blatt> mdiMSEITE1::blattaufteilung() const {
    // The rows of a sheet end above the footer; on the last sheet the statistics block and the summary box
    // follow them.
    const float oben = mseite1layout::BILD120.top() + kTabelleYDO + kTabelleRandOben + blockhoehe(2) + 0.5f;
    const float pitch = kZeilenhoehe * kZeilenfaktor;
    const float danach = 1 + blockhoehe(3) + 0.5f + kAbstandUnterTabelle + kKastenOben + kKastenHoehe;
    auto zeilen = [&](float unten) {
        // blockhoehe(m) = 2 * rand + (m - 1) * pitch + hoehe <= unten - oben - 0.5
        const float platz = unten - oben - 0.5f - 2 * kBlockRand - kZeilenhoehe;
        return std::max(1, int(platz / pitch) + 1);
    };
    const int voll = zeilen(kDruckUnten);
    const int letzte = std::max(1, zeilen(kDruckUnten - danach));
    std::vector<Blatt> blaetter;
    const int n = int(ID_.size());
    int erste = 0;
    while (n - erste > letzte) {
        const int anzahl = std::min(voll, n - erste - 1);
        blaetter.push_back({erste, erste + anzahl - 1});
        erste += anzahl;
    }
    blaetter.push_back({erste, n - 1});
    return blaetter;
}

bool mdiMSEITE1::DRUCKEN() {
    auto verwerfen = [this] {
        druckfenster_.reset();
        statistikDrucken_ = true;
        seiteNr_ = seitenanzahl_ = 1;
    };
    return druckauftrag(
        QStringLiteral("Drucken von MSeite 1"),
        [this](const Weiter& weiter, platform::ErrorTrap& trap) {
            const std::vector<Blatt> blaetter = blattaufteilung();
            seitenanzahl_ = int(blaetter.size());
            const int n = int(ID_.size());
            for (std::size_t b = 0; b < blaetter.size(); ++b) {
                const Blatt& blatt = blaetter[b];
                const bool letztes = b + 1 == blaetter.size();
                seiteNr_ = int(b) + 1;
                if (b > 0 && !trap.step([&] { drucker().NewPage(); })) return false;
                if (HBOKF_) KOPFFUSS(1);
                if (!weiter()) return false;
                if (b == 0) {
                    BILD110(1, 0, 0);
                    if (!weiter()) return false;
                }
                // A sheet of a table that needs several shows its own rows; the table class chooses them by
                // a scroll position, as it does on screen.
                druckfenster_.reset();
                const int anzahl = blatt.letzteZeile - blatt.ersteZeile + 1;
                if (anzahl < n) {
                    druckfenster_ = std::make_unique<platform::StoredScrollBar>();
                    druckfenster_->setVisible(true);
                    druckfenster_->setMin(0);
                    druckfenster_->setMax(n - anzahl);
                    druckfenster_->setValue(blatt.ersteZeile);
                    druckfenster_->setHeight(blockhoehe(anzahl) + kZeilenhoehe * kZeilenfaktor / 2);
                }
                statistikDrucken_ = letztes;
                BILD120(1, kTabelleXDL, kTabelleYDO);
                druckfenster_.reset();
                statistikDrucken_ = true;
                if (!weiter()) return false;
                if (!letztes) continue;
                // The summary box at its place, or below the table when the table reaches it.
                float YDO = kSummeYDO;
                if (tabelle_) {
                    const float tabelleUnten =
                        tabelle_->EYDO() + tabelle_->ERO() + tabelle_->HOEHE() + 1 + blockhoehe(3) + 0.5f;
                    YDO = std::max(YDO, tabelleUnten + kAbstandUnterTabelle - mseite1layout::BILD130.top());
                }
                BILD130(1, kSummeXDL, YDO);
                if (!weiter()) return false;
            }
            seiteNr_ = seitenanzahl_ = 1;
            blaetter_ = int(blaetter.size());
            return true;
        },
        verwerfen);
}
