// The tab routines of the input form: the layout of the water-content method, the defaults of empty boxes
// and the completion of the added-water grid.

#include "mdiEINGABE.h"

#include "clsFLX.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>
#include <utility>

using platform::Variant;

namespace {
const QString kFehler = QStringLiteral("VB-Fehler: ");
}

void mdiEINGABE::SSTab_Click() {
    if (reiterVerlassen()) return;
    const int tab = SSTab->currentIndex();
    REITERAKTUALISIEREN(tab);
    REITERFORMATIEREN(tab);
}

bool mdiEINGABE::reiterVerlassen() {
    QPointer<QWidget> box = ausserSicht_;
    ausserSicht_ = nullptr;
    if (!box || box->isVisible()) return false;
    // The box's tab comes back before the check, so that its message is read beside the box; the new tab
    // follows only when the value passes. Without the switch's refresh, no default replaces a refused value.
    const int neu = SSTab->currentIndex();
    const int alt = SSTab->indexOf(fraREITER[0]->isAncestorOf(box) ? fraREITER[0] : fraREITER[1]);
    const bool vorher = pruefend_;
    pruefend_ = true;
    {
        const QSignalBlocker still(SSTab);
        SSTab->setCurrentIndex(alt);
    }
    const bool abgelehnt = feldPruefen(*box);
    if (abgelehnt) {
        if (box) box->setFocus(Qt::OtherFocusReason);
    } else {
        const QSignalBlocker still(SSTab);
        SSTab->setCurrentIndex(neu);
    }
    pruefend_ = vorher;
    return abgelehnt;
}

void mdiEINGABE::optKENW_Click(int Index) {
    REITERFORMATIEREN(SSTab->currentIndex());
    if (Index == 0 && optKENW[0]->Value()) optKENW[1]->setValue(false);
    if (Index == 1 && optKENW[1]->Value()) optKENW[0]->setValue(false);
}

void mdiEINGABE::REITERFORMATIEREN(int Tab) {
    platform::ErrorTrap trap(QStringLiteral("Formatieren"), kFehler);
    // A grid that takes input again shows the window's background; one that was emptied gets its running
    // number back.
    auto freigeben = [this](int i) {
        platform::FlexGrid& g = *msgFLX[i];
        const bool warGesperrt = !g.Enabled();
        g.setEnabled(true);
        g.setBackColor(platform::SystemColor::WindowBackground);
        if (warGesperrt) flx(i).NUMMERIEREN();
    };
    auto sperren = [this](int i) {
        platform::FlexGrid& g = *msgFLX[i];
        g.setEnabled(false);
        g.setBackColor(g.BackColorFixed());
    };
    auto knoepfe = [this](int i, bool an) {
        for (QPushButton* b : {cmdH[i], cmdW[i], cmdK[i], cmdE[i]})
            b->setEnabled(an);
    };
    auto datenzeilen = [this](int i) { return msgFLX[i]->Rows() - msgFLX[i]->FixedRows(); };

    if (Tab == 0) {
        const int aktiv = optKENW[0]->Value() ? 0 : 1;
        const int anderes = 1 - aktiv;
        if (!trap.step([&] { fraREITER0[4]->setVisible(aktiv == 1); })) return;
        if (!trap.step([&] {
                optKENW[aktiv]->setValue(true);
                optKENW[anderes]->setValue(false);
            }))
            return;
        if (!trap.step([&] {
                knoepfe(anderes, false);
                knoepfe(aktiv, true);
            }))
            return;
        if (!trap.step([&] { sperren(anderes); })) return;
        if (!trap.step([&] { freigeben(aktiv); })) return;
        if (!trap.step([&] { hGridZeilen(datenzeilen(aktiv)); })) return;
        trap.step([&] { freigeben(2); });
    } else if (Tab == 1) {
        trap.step([&] {
            if (msgFLX[0]->Enabled())
                hGridZeilen(datenzeilen(0));
            else if (msgFLX[1]->Enabled())
                hGridZeilen(datenzeilen(1));
        });
    }
}

void mdiEINGABE::hGridZeilen(int dataRows) {
    platform::FlexGrid& g = *msgFLX[2];
    const int fest = g.FixedRows();
    const int jetzt = g.Rows() - fest;
    if (dataRows == jetzt || dataRows < 1) return;
    hZeilenSetzen_ = true;
    const auto fertig = qScopeGuard([this] { hZeilenSetzen_ = false; });
    if (dataRows < jetzt) {
        // The readings the other mass grid has beyond this one keep their h' for the switch back.
        if (int(hBeiseite_.size()) < jetzt) hBeiseite_.resize(std::size_t(jetzt));
        for (int r = dataRows; r < jetzt; ++r)
            hBeiseite_[std::size_t(r)] = g.TextMatrix(fest + r, 1);
        g.setRows(fest + dataRows);
    } else {
        g.setRows(fest + dataRows);
        // A value that is back in the grid is no longer kept aside.
        for (int r = jetzt; r < dataRows && r < int(hBeiseite_.size()); ++r)
            if (!hBeiseite_[std::size_t(r)].isEmpty())
                g.setTextMatrix(fest + r, 1, std::exchange(hBeiseite_[std::size_t(r)], QString()));
    }
    flx(2).NUMMERIEREN();
}

void mdiEINGABE::hBeiseiteVerfolgen() {
    // A reading inserted before others moves their values on, one removed moves them back and takes its own
    // with it; a reading appended at the end or the last one removed moves nothing.
    const QAbstractItemModel* modell = msgFLX[2]->model();
    connect(modell, &QAbstractItemModel::rowsInserted, this,
            [this, modell](const QModelIndex&, int erste, int letzte) {
                const int r = erste - msgFLX[2]->FixedRows();
                if (hZeilenSetzen_ || r < 0 || r >= int(hBeiseite_.size()) ||
                    letzte == modell->rowCount() - 1)
                    return;
                hBeiseite_.insert(hBeiseite_.begin() + r, std::size_t(letzte - erste + 1), QString());
            });
    connect(modell, &QAbstractItemModel::rowsRemoved, this,
            [this, modell](const QModelIndex&, int erste, int letzte) {
                const int fest = msgFLX[2]->FixedRows();
                const int von = std::max(erste - fest, 0);
                const int bis = std::min(letzte - fest + 1, int(hBeiseite_.size()));
                if (hZeilenSetzen_ || von >= bis) return;
                if (erste == modell->rowCount())
                    std::fill(hBeiseite_.begin() + von, hBeiseite_.begin() + bis, QString());
                else
                    hBeiseite_.erase(hBeiseite_.begin() + von, hBeiseite_.begin() + bis);
            });
}

void mdiEINGABE::REITERAKTUALISIEREN(int Tab) {
    platform::ErrorTrap trap(QStringLiteral("Aktualisieren"), kFehler);
    const QString d = dezimal();
    if (Tab == 0) {
        auto keineZahl = [&d](const QString& text) {
            return !platform::ReadTypedNumber(text, d).has_value();
        };
        const QString dichte = platform::Format(Variant(2.65f), QStringLiteral("0.00"), d);
        // The standard cylinder: 10 cm wide, 12 cm high.
        const std::pair<platform::TextBox*, QString> vorgaben[] = {{txtDC, QStringLiteral("10")},
                                                                   {txtHC, QStringLiteral("12")},
                                                                   {txtMC, QStringLiteral("0")},
                                                                   {txtH2S, QStringLiteral("0")},
                                                                   {txtRHSU, dichte},
                                                                   {txtDMAX, QStringLiteral("0")},
                                                                   {txtMSG, QStringLiteral("0")},
                                                                   {txtMZ, QStringLiteral("0")},
                                                                   {txtUE, QStringLiteral("0")},
                                                                   {txtDUEMAX, QStringLiteral("0")},
                                                                   {txtRHSUE, dichte},
                                                                   {txtWUE, QStringLiteral("0")}};
        for (const auto& [box, vorgabe] : vorgaben)
            if (!trap.step([&] {
                    if (keineZahl(box->Text())) box->setText(vorgabe);
                }))
                return;
        if (!trap.step([&] {
                if (keineZahl(cboDPR->Text())) cboDPR->setText(QStringLiteral("97"));
            }))
            return;
        // A new record reports in German until its stored language says otherwise.
        trap.step([&] {
            if (cboSPR->ListIndex() < 0) cboSPR->setListIndex(1);
        });
    } else if (Tab == 1) {
        if (!trap.step([&] { WASSERZUGABEERGAENZEN(); })) return;
        if (!trap.step([&] { flx(2).NUMMERIEREN(); })) return;
        trap.step([&] {
            platform::FlexGrid& g = *msgFLX[2];
            const QString null = platform::Format(Variant(0.0f), QStringLiteral("0.00"), d);
            for (int r = g.FixedRows(); r < g.Rows(); ++r)
                if (g.TextMatrix(r, 1).isEmpty()) g.setTextMatrix(r, 1, null);
        });
    }
}

void mdiEINGABE::WASSERZUGABEERGAENZEN() {
    const QString d = dezimal();
    platform::FlexGrid& g = *msgFLX[1];
    auto zahl = [&d](const QString& text) { return platform::ReadTypedNumber(text, d); };
    auto schreiben = [&](int r, int c, float wert) {
        g.setTextMatrix(r, c, platform::Format(Variant(wert), QStringLiteral("0.00"), d));
    };
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const QString c1 = g.TextMatrix(r, 1), c2 = g.TextMatrix(r, 2), c3 = g.TextMatrix(r, 3);
        // A cell that is no number leaves its row as it is; the check before saving names it.
        if (!c1.isEmpty() && !c2.isEmpty()) {
            const auto a = zahl(c1), b = zahl(c2);
            if (a && b) schreiben(r, 3, float(*a) + float(*b));
        } else if (!c3.isEmpty() && !c2.isEmpty()) {
            const auto s = zahl(c3), b = zahl(c2);
            if (s && b) schreiben(r, 1, float(*s) - float(*b));
        }
    }
}
