// Saving the form into the record tables E1, E2, E3 and opening a record into it.

#include "mdiEINGABE.h"

#include "clsFLX.h"

#include "platform/db/Connection.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"
#include "store/clsDATEN.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <span>

using platform::RunState;

namespace {

const QString I1 = QStringLiteral("I1");

// One transfer of the save or the open under the error box: true when it succeeded. A run-time error shows
// the box; whatever the answer, the transfer has failed.
bool transfer(platform::ErrorTrap& trap, const std::function<bool()>& body) {
    bool ok = false;
    trap.step([&] { ok = body(); });
    return ok && !trap.cancelled();
}

// The E3 columns of a mass grid, by the grid column they come from.
struct Messspalte {
    const char* column;
    const char* gridColumn;
};
const Messspalte kTrocknen[] = {{"I1", "0"}, {"M1", "1"}, {"M1W", "2"}, {"M2W", "3"}, {"MCW", "4"}};
const Messspalte kWasserzugabe[] = {{"I1", "0"}, {"M1", "3"}, {"M1R", "2"}};

// A stored number comes back as a user types it, without an exponent: the checks of typed numbers refuse
// "1E-05", and the defaults routine would put its default over it.
QString alsGetippt(const QString& text, const QString& d) {
    if (text.isEmpty() || platform::ReadTypedNumber(text, d)) return text;
    const auto zahl = platform::ReadNumber(text, d);
    return zahl ? platform::TypedSingleText(float(*zahl), d) : text;
}

// The first `n` readings of a grid, as the store writes them: a grid of their rows alone, disabled when
// there are none, so that the record then keeps no rows of that kind.
std::unique_ptr<platform::FlexGrid> ersteZeilen(const platform::FlexGrid& g, int n) {
    auto kopie = std::make_unique<platform::FlexGrid>();
    if (g.inControlArray()) kopie->setIndex(g.Index());
    kopie->setCols(g.Cols());
    kopie->setRows(g.FixedRows() + std::max(n, 1));
    kopie->setFixedRows(g.FixedRows());
    for (int r = g.FixedRows(); r < g.FixedRows() + n && r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            kopie->setTextMatrix(r, c, g.TextMatrix(r, c));
    kopie->setEnabled(g.Enabled() && n > 0);
    return kopie;
}

} // namespace

QStringList mdiEINGABE::zustand() const {
    QStringList z;
    z << txtKEN->Text() << txtKOM->Text() << QString::number(cboKENV->ListIndex())
      << QString::number(optKEND[0]->Value()) << QString::number(optKENP[0]->Value())
      << QString::number(optKENW[0]->Value());
    for (const Zahlenfeld& feld : zahlenfelder_)
        z << feld.box->Text();
    z << cboDPR->Text() << QString::number(cboSPR->ListIndex());
    const QString d = dezimal();
    for (int i = 0; i < 3; ++i) {
        const platform::FlexGrid& g = *msgFLX[i];
        QStringList zeilen;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) {
            QStringList zeile;
            for (int c = 1; c < g.Cols(); ++c) {
                QString t = g.TextMatrix(r, c).trimmed();
                // What tab 1 fills in by itself: the zero of an empty h', and column 1 of the added-water
                // grid where columns 2 and 3 give it.
                if (i == 2 && c == 1) {
                    const auto wert = platform::ReadTypedNumber(t, d);
                    if (wert && *wert == 0) t.clear();
                }
                if (i == 1 && c == 1 && !g.TextMatrix(r, 2).trimmed().isEmpty() &&
                    !g.TextMatrix(r, 3).trimmed().isEmpty())
                    t.clear();
                zeile << t;
            }
            zeilen << zeile.join(QLatin1Char('\t'));
        }
        while (!zeilen.isEmpty() && QString(zeilen.back()).remove(QLatin1Char('\t')).isEmpty())
            zeilen.removeLast();
        z << QStringLiteral("grid %1").arg(i) << zeilen;
        // A value still open in the grid's editor.
        const QString zelle = g.TextMatrix(g.Row(), g.Col());
        if (!txtFLX[i]->isHidden() && txtFLX[i]->Text() != zelle)
            z << QStringLiteral("editor ") + txtFLX[i]->Text();
        if (!cboFLX[i]->isHidden() && cboFLX[i]->Text() != zelle)
            z << QStringLiteral("liste ") + cboFLX[i]->Text();
    }
    return z;
}

bool mdiEINGABE::geaendert() const {
    return zustand() != stand_;
}

bool mdiEINGABE::zeileLeer(int i, int zeile) const {
    const platform::FlexGrid& g = *msgFLX[i];
    for (int c = 1; c < g.Cols(); ++c)
        if (!g.TextMatrix(zeile, c).trimmed().isEmpty()) return false;
    // The h' grid fills the rows it is given with 0.
    const platform::FlexGrid& h = *msgFLX[2];
    if (zeile >= h.Rows()) return true;
    const QString hs = h.TextMatrix(zeile, 1);
    const auto wert = platform::ReadTypedNumber(hs, dezimal());
    return hs.trimmed().isEmpty() || (wert && *wert == 0);
}

int mdiEINGABE::messungen(int i) const {
    const platform::FlexGrid& g = *msgFLX[i];
    int n = g.Rows() - g.FixedRows();
    while (n > 0 && zeileLeer(i, g.FixedRows() + n - 1))
        --n;
    return n;
}

bool mdiEINGABE::OK(qint32 AKTID) {
    // A value still open in a grid's editor belongs to the record: it passes its check or the save stops.
    if (!editorenSchliessen()) return false;
    platform::ErrorTrap trap(RunState::TITLE());
    const bool trocknen = optKENW[0]->Value();
    const int aktiv = trocknen ? 0 : 1;
    // What tab 1 would complete belongs to the record too: the sums of the added-water grid, and an h' row
    // for each reading of the active grid.
    if (!trap.step([&] {
            WASSERZUGABEERGAENZEN();
            if (msgFLX[aktiv]->Enabled()) hGridZeilen(msgFLX[aktiv]->Rows() - msgFLX[aktiv]->FixedRows());
        }))
        return false;

    // The whole record in one savepoint: a failing step leaves nothing of this save behind.
    std::optional<platform::Connection::Transaction> transaktion;
    if (!transfer(trap, [&] {
            transaktion.emplace(*RunState::current().cnnX);
            return true;
        }))
        return false;

    // E1 first: the record's row exists before any other row of it.
    E1_->ESPIDW = AKTID;
    if (!transfer(trap, [&] { return E1_->DFTT(QStringLiteral("KEN"), *txtKEN); })) return false;
    trap.step([&] { E1_->DFTT(QStringLiteral("KOM"), *txtKOM); });
    if (trap.cancelled()) return false;
    if (!transfer(trap, [&] { return E1_->DVTB(QStringLiteral("AKT"), true); })) return false;

    E2_->ESPIDW = AKTID;
    if (!transfer(trap, [&] { return E2_->DFTML(QStringLiteral("KENV"), *cboKENV); })) return false;
    if (!transfer(trap, [&] { return E2_->DFTO(QStringLiteral("KEND"), *optKEND[0]); })) return false;
    if (!transfer(trap, [&] { return E2_->DFTO(QStringLiteral("KENP"), *optKENP[0]); })) return false;
    if (!transfer(trap, [&] { return E2_->DFTO(QStringLiteral("KENW"), *optKENW[0]); })) return false;
    for (const Zahlenfeld& feld : zahlenfelder_)
        if (!transfer(trap, [&] { return E2_->DFTT(QString::fromLatin1(feld.column), *feld.box); }))
            return false;
    if (!transfer(trap, [&] { return E2_->DFTM(QStringLiteral("DPR"), *cboDPR); })) return false;

    // The readings of the active mass grid, I1 first so that the masses land in the numbered rows; the
    // other grid stays in the form only.
    E3_->ESPIDW = AKTID;
    std::unique_ptr<platform::FlexGrid> grid, hGrid;
    if (!trap.step([&] {
            const int n = messungen(aktiv);
            grid = ersteZeilen(*msgFLX[aktiv], n);
            hGrid = ersteZeilen(*msgFLX[2], n);
        }) ||
        !grid || !hGrid)
        return false;
    const auto spalten =
        trocknen ? std::span<const Messspalte>(kTrocknen) : std::span<const Messspalte>(kWasserzugabe);
    for (const Messspalte& s : spalten)
        if (!transfer(trap, [&] {
                return E3_->DFTF(QString::fromLatin1(s.column), *grid, QString::fromLatin1(s.gridColumn), I1);
            }))
            return false;
    // A grid without readings has deleted the record's rows above; h' would make rows without them.
    if (grid->Enabled() &&
        !transfer(trap, [&] { return E3_->DFTF(QStringLiteral("HS"), *hGrid, QStringLiteral("1"), I1); }))
        return false;

    if (!transfer(trap, [&] {
            return E1_->DVTI(QStringLiteral("SPR"), std::int16_t(cboSPR->ListIndex() == 0 ? 1 : 3));
        }))
        return false;
    if (!transfer(trap, [&] {
            transaktion->commit();
            return true;
        }))
        return false;
    stand_ = zustand();
    return true;
}

void mdiEINGABE::OEFFNEN(qint32 AKTID) {
    // What the record fills in, however far the open comes, is the state a change is measured from.
    struct StandMerken {
        mdiEINGABE& form;
        ~StandMerken() { form.stand_ = form.zustand(); }
    } merken{*this};
    platform::ErrorTrap trap(RunState::TITLE());
    E1_->ESPIDW = AKTID;
    if (!transfer(trap, [&] { return E1_->DTFT(QStringLiteral("KEN"), *txtKEN); })) return;
    trap.step([&] { E1_->DTFT(QStringLiteral("KOM"), *txtKOM); });
    if (trap.cancelled()) return;

    E2_->ESPIDW = AKTID;
    // The test type is a position in a fixed list; a position outside it (an old record holding -1) opens
    // as the standard test.
    std::int16_t kenv = 0;
    if (!transfer(trap, [&] { return E2_->DTVI(QStringLiteral("KENV"), kenv); })) return;
    if (!transfer(trap, [&] {
            cboKENV->setListIndex(kenv >= 0 && kenv < cboKENV->ListCount() ? kenv : 0);
            return true;
        }))
        return;
    // Each pair of option buttons shows the stored state on the one and its opposite on the other.
    for (auto* paar : {&optKEND, &optKENP}) {
        const QString spalte = paar == &optKEND ? QStringLiteral("KEND") : QStringLiteral("KENP");
        if (!transfer(trap, [&] {
                if (!E2_->DTFO(spalte, *(*paar)[0])) return false;
                (*paar)[1]->setValue(!(*paar)[0]->Value());
                return true;
            }))
            return;
    }
    if (!transfer(trap, [&] { return E2_->DTFO(QStringLiteral("KENW"), *optKENW[0]); })) return;
    const QString d = dezimal();
    for (const Zahlenfeld& feld : zahlenfelder_)
        if (!transfer(trap, [&] {
                if (!E2_->DTFT(QString::fromLatin1(feld.column), *feld.box)) return false;
                feld.box->setText(alsGetippt(feld.box->Text(), d));
                return true;
            }))
            return;
    if (!transfer(trap, [&] {
            if (!E2_->DTFM(QStringLiteral("DPR"), *cboDPR)) return false;
            cboDPR->setText(alsGetippt(cboDPR->Text(), d));
            return true;
        }))
        return;

    // The readings into the grid of the method now chosen, then h'.
    E3_->ESPIDW = AKTID;
    bool trocknen = true;
    trap.step([&] { trocknen = optKENW[0]->Value(); });
    if (trap.cancelled()) return;
    const int aktiv = trocknen ? 0 : 1;
    const auto spalten =
        trocknen ? std::span<const Messspalte>(kTrocknen) : std::span<const Messspalte>(kWasserzugabe);
    for (const Messspalte& s : spalten)
        if (!transfer(trap, [&] {
                return E3_->DTFF(QString::fromLatin1(s.column), *msgFLX[aktiv],
                                 QString::fromLatin1(s.gridColumn), I1);
            }))
            return;
    if (!trap.step([&] { flx(aktiv).AKTUALISIEREN(); })) return;
    if (!transfer(trap, [&] { return E3_->DTFF(I1, *msgFLX[2], QStringLiteral("0"), I1); })) return;
    if (!transfer(trap, [&] { return E3_->DTFF(QStringLiteral("HS"), *msgFLX[2], QStringLiteral("1"), I1); }))
        return;
    if (!trap.step([&] { flx(2).AKTUALISIEREN(); })) return;

    // The layout of the stored method and the defaults of boxes the record left without a number.
    if (!trap.step([&] { REITERFORMATIEREN(0); })) return;
    if (!trap.step([&] { REITERAKTUALISIEREN(0); })) return;

    std::int16_t spr = 0;
    if (!transfer(trap, [&] { return E1_->DTVI(QStringLiteral("SPR"), spr); })) return;
    trap.step([&] {
        if (spr == 1) cboSPR->setListIndex(0);
        if (spr == 3) cboSPR->setListIndex(1);
    });
}
