// The input form's checks: a box's value when the box is left, and the whole form before a save.

#include "mdiEINGABE.h"

#include "clsFLX.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/OptionButton.h"

#include <cmath>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <span>

using platform::Language;
using platform::RunState;
namespace Msg = platform::Msg;

namespace {

// The limits of the number boxes, of the degree of compaction and of the readings' columns.
constexpr float kMax = 100000.0f;
constexpr float kProzent = 100.0f;

// A stored reading column: its grid column, its name and its limits.
struct Zellspalte {
    int gridColumn;
    const char* name;
    float minimum;
};
const Zellspalte kTrocknen[] = {{1, "M1", 0}, {2, "M1W", 0}, {3, "M2W", 0}, {4, "MCW", 0}};
// Column 1 of the added-water grid is not stored, but the stored sum in column 3 is made from it.
const Zellspalte kWasserzugabe[] = {{1, "M1", 0}, {2, "M1R", 0}, {3, "M1", 0}};
const Zellspalte kH = {1, "HS", -kMax};

} // namespace

bool mdiEINGABE::EINGABEPRUEFEN(QString& TEXT, float MINIMUM, float MAXIMUM, bool GANZZAHL, bool DATUM,
                                const QString& TITEL) {
    TEXT = TEXT.trimmed();
    if (TEXT.isEmpty()) return true;
    const bool englisch = SPRACHE == 1, deutsch = SPRACHE == 3;
    auto melden = [&](const QString& en, const QString& de, int stil) {
        if (englisch || deutsch)
            RunState::current().dialogs().MsgBox(Language::text(en, de), Msg::OKOnly | stil, TITEL);
        return false;
    };
    if (DATUM) {
        try {
            platform::CDate(platform::Variant(TEXT));
            return true;
        } catch (const platform::VbError&) {
            return melden(QStringLiteral("Type of value is neither date nor time!"),
                          QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"),
                          Msg::Exclamation);
        }
    }
    const QString d = dezimal();
    const auto zahl = platform::ReadTypedNumber(TEXT, d);
    if (!zahl)
        return melden(QStringLiteral("Type of value is not numeric!"),
                      QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"), 0);
    const float wert = float(*zahl);
    if (wert < MINIMUM || wert > MAXIMUM) {
        const QString grenzen = QStringLiteral("\nMinimum: ") + platform::SingleText(MINIMUM, d) +
                                QStringLiteral(", Maximum: ") + platform::SingleText(MAXIMUM, d);
        return melden(QStringLiteral("Numeric value out of preset limits:") + grenzen,
                      QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:") + grenzen, 0);
    }
    if (GANZZAHL && wert != std::trunc(wert))
        return melden(QStringLiteral("Type of value is not an integer!"),
                      QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"), 0);
    return true;
}

bool mdiEINGABE::txtKEN_Validate() {
    if (!txtKEN->Text().trimmed().isEmpty()) return false;
    if (SPRACHE == 1)
        RunState::current().dialogs().MsgBox(QStringLiteral("File name is missing!"),
                                             Msg::OKOnly | Msg::Exclamation, QStringLiteral("Data error"));
    else if (SPRACHE == 3)
        RunState::current().dialogs().MsgBox(QStringLiteral("Datensatzkennzeichnung fehlt!"),
                                             Msg::OKOnly | Msg::Exclamation, QStringLiteral("Datenfehler"));
    return true;
}

bool mdiEINGABE::txtZAHL_Validate(platform::TextBox& box) {
    // The box keeps its text as typed, blanks included; the check works on a copy.
    for (const Zahlenfeld& feld : zahlenfelder_)
        if (feld.box == &box) {
            QString text = box.Text();
            return !EINGABEPRUEFEN(text, 0, kMax, false, false, QString::fromLatin1(feld.column));
        }
    return false;
}

bool mdiEINGABE::cboDPR_Validate() {
    QString text = cboDPR->Text();
    return !EINGABEPRUEFEN(text, 0, kProzent, false, false, QStringLiteral("DPR"));
}

bool mdiEINGABE::editorenSchliessen() {
    for (int i = 0; i < 3; ++i)
        if (!flx(i).EINFUEGEN(0)) return false;
    return true;
}

bool mdiEINGABE::EINGABEPRUEFEN() {
    if (!editorenSchliessen()) return false;

    // A refused value is shown with the focus in its control. The tab is changed without its refresh, which
    // would put defaults over refused values, and the box the focus leaves is not checked: one message.
    auto zeigen = [this](int tab, QWidget* control) {
        {
            const QSignalBlocker still(SSTab);
            SSTab->setCurrentIndex(tab);
        }
        // A box of the frame the chosen method hides is shown with its frame: the user sees what to correct.
        for (QGroupBox* rahmen : fraREITER0)
            if (rahmen && rahmen->isHidden() && rahmen->isAncestorOf(control)) rahmen->show();
        fokusOhnePruefung(*control);
    };
    if (txtKEN_Validate()) {
        zeigen(0, txtKEN);
        return false;
    }
    for (const Zahlenfeld& feld : zahlenfelder_)
        if (txtZAHL_Validate(*feld.box)) {
            zeigen(0, feld.box);
            return false;
        }
    if (cboDPR_Validate()) {
        zeigen(0, cboDPR);
        return false;
    }

    // The readings that the save stores: the active mass grid's columns and h'. Pasted and filled cells
    // were not checked when they arrived.
    const int aktiv = aktivesMassengrid();
    if (!msgFLX[aktiv]->Enabled()) return true;
    auto zellenPruefen = [&](int i, std::span<const Zellspalte> spalten) {
        platform::FlexGrid& g = *msgFLX[i];
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            for (const Zellspalte& s : spalten) {
                QString text = g.TextMatrix(r, s.gridColumn);
                if (EINGABEPRUEFEN(text, s.minimum, kMax, false, false, QString::fromLatin1(s.name)))
                    continue;
                zeigen(1, &g);
                g.setRow(r);
                g.setCol(s.gridColumn);
                return false;
            }
        return true;
    };
    if (!zellenPruefen(aktiv, aktiv == 0 ? std::span<const Zellspalte>(kTrocknen)
                                         : std::span<const Zellspalte>(kWasserzugabe)))
        return false;
    if (!zellenPruefen(2, std::span<const Zellspalte>(&kH, 1))) return false;

    // Empty rows at the end are no readings and are not saved; an empty row between readings would be
    // saved as a reading without values.
    platform::FlexGrid& g = *msgFLX[aktiv];
    const int n = messungen(aktiv);
    for (int r = g.FixedRows(); r < g.FixedRows() + n; ++r) {
        if (!zeileLeer(aktiv, r)) continue;
        const QString nummer = g.TextMatrix(r, 0).trimmed().isEmpty() ? QString::number(r - g.FixedRows())
                                                                      : g.TextMatrix(r, 0).trimmed();
        RunState::current().dialogs().MsgBox(
            Language::text(
                QStringLiteral("Reading no. %1 is empty: enter its values or remove the row."),
                QStringLiteral("Messung Nr. %1 ist leer: bitte ihre Werte eintragen oder die Zeile "
                               "entfernen."))
                .arg(nummer),
            Msg::OKOnly | Msg::Exclamation, RunState::TITLE());
        zeigen(1, &g);
        g.setRow(r);
        g.setCol(1);
        return false;
    }
    return true;
}
