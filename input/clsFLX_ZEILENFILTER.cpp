// The grid editor's row filter: thins out a run of readings to about a wanted number.
//
// Row numbers are counted as the offered defaults count them, from 0 for the first data row (as the
// running numbers of the input form's grids do), so that the numbers typed, the multiples kept and the
// defaults mean the same rows. The coupled grid loses the same rows, so that its readings stay beside
// theirs.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/ui/FlexGrid.h"

#include <cmath>
#include <functional>

namespace {

const QString kTitel = QStringLiteral("Zeilenfilter");
const QString kFehlertitel = QStringLiteral("MSFlexGrid / Zeilenfilter");

// Asks until the entry, rounded down, is a whole number from `kleinste` to `groesste`; nothing on Cancel,
// in the input box as in the message: a user who cancels the box wants out, not to be told he typed wrong.
std::optional<int> fragen(const QString& prompt, int vorgabe, int kleinste, int groesste,
                          const std::function<QString()>& meldung) {
    platform::DialogService& dialoge = platform::RunState::current().dialogs();
    for (;;) {
        const std::optional<QString> eingabe = dialoge.InputBox(prompt, kTitel, QString::number(vorgabe));
        if (!eingabe) return std::nullopt;
        const std::optional<double> x = platform::ReadTypedNumber(*eingabe, flx::dezimal());
        if (x && std::isfinite(*x)) {
            const double n = std::floor(*x);
            if (n >= kleinste && n <= groesste) return int(n);
        }
        if (dialoge.MsgBox(meldung(), platform::Msg::OKCancel | platform::Msg::Exclamation, kFehlertitel) !=
            platform::Msg::OK)
            return std::nullopt;
    }
}

} // namespace

void clsFLX::ZEILENFILTER() {
    Zustand& z = *z_;
    platform::ErrorTrap trap(kFehlertitel);
    if (!z.grid) {
        trap.step([] { throw platform::VbError::objectNotSet(); });
        return;
    }
    platform::FlexGrid& grid = *z.grid;
    const int fest = grid.FixedRows();
    const int letzteDaten = grid.Rows() - 1 - fest;

    // A number beyond the data rows is refused where it is typed: the removal then never misses a row.
    const std::optional<int> erste =
        fragen(QStringLiteral("Erste Zeile: "), 0, 0, std::max(letzteDaten, 0),
               [] { return QStringLiteral("Ungültige Angabe für die Nummer der ersten Zeile!"); });
    if (!erste) return;
    const std::optional<int> letzte =
        fragen(QStringLiteral("Letzte Zeile: "), letzteDaten, 0, std::max(letzteDaten, 0),
               [] { return QStringLiteral("Ungültige Angabe für die Nummer der letzten Zeile!"); });
    if (!letzte) return;
    const int spanne = *letzte - *erste;
    const std::optional<int> anzahl =
        fragen(QStringLiteral("Reduzierte Zeilenanzahl: "), spanne, 1, spanne, [spanne] {
            return spanne >= 1
                       ? QStringLiteral(
                             "Ungültige Angabe für die reduzierte Zeilenanzahl!\nErlaubt sind 1 bis ") +
                             QString::number(spanne) + QLatin1Char('.')
                       : QStringLiteral("Ungültige Angabe für die reduzierte Zeilenanzahl!\nDie letzte Zeile "
                                        "liegt nicht hinter der ersten.");
        });
    if (!anzahl) return;
    const int schritt = int(platform::RoundHalfEven(double(spanne) / double(*anzahl)));

    clsFLX* k = z.coupled && z.coupled->EFLX() ? z.coupled : nullptr;
    for (int i = *letzte; i >= *erste; --i) {
        if (i % schritt == 0) continue;
        if (!trap.step([&] { grid.RemoveItem(fest + i); }) && trap.cancelled()) return;
        if (k) {
            platform::FlexGrid& kg = *k->EFLX();
            const int zeile = kg.FixedRows() + i;
            if (zeile < kg.Rows() && kg.Rows() > kg.FixedRows() + 1)
                if (!trap.step([&] { kg.RemoveItem(zeile); }) && trap.cancelled()) return;
        }
    }
    if (!trap.step([&] { AKTUALISIEREN(); })) return;
    if (!trap.step([&] { NUMMERIEREN(); })) return;
    if (k) trap.step([&] { k->NUMMERIEREN(); });
}
