// What the controls of a form hold, into a column of the selection.
#include "clsDATEN.h"

#include "MemberParameters.h"
#include "Messages.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/VbError.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include "RowValues.h"
#include "Statement.h"
#include "TrappedRows.h"

#include <optional>

using platform::Recordset;
using platform::Variant;
using platform::VbError;

namespace {
Variant integer(int value) {
    return Variant(std::int16_t(value));
}

// The cell text without the blanks around it (only blanks: a tab is kept, as typed).
QString withoutBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}
} // namespace

bool clsDATEN::DFTC(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(chkX.Value()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTCC(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(chkX.Caption()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTCV(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTC(SPV, chkX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DFTF(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR,
                    CLSDATEN_THREE_PAIR_PARAMETERS) {
    return gridWrite(SPV, msgFLX, SPNR, CLSDATEN_THREE_PAIRS);
}
bool clsDATEN::DFTFM(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR,
                     CLSDATEN_THREE_PAIR_PARAMETERS) {
    return DFTF(SPV, msgFLX, SPNR, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4);
}
bool clsDATEN::DFTI(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(lstX.List(lstX.ListIndex())), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTIL(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, integer(lstX.ListIndex()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTIS(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTI(SPV, lstX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DFTL(const QString& SPV, platform::Label& lblX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(lblX.Caption()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTLC(const QString& SPV, platform::Label& lblX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTL(SPV, lblX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DFTLI(const QString& SPV, platform::Label& lblX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(lblX.Index()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTM(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(cboX.Text()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTML(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, integer(cboX.ListIndex()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTMS(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    // With no item selected the value stays Empty, which is stored as Null.
    const int index = cboX.ListIndex();
    return writeValue(SPV, index >= 0 ? Variant(cboX.List(index)) : Variant(), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTMT(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTM(SPV, cboX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DFTO(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(optX.Value()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTOC(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(optX.Caption()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTOV(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTO(SPV, optX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DFTT(const QString& SPV, platform::TextBox& txtX, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(txtX.Text()), CLSDATEN_PAIRS);
}
bool clsDATEN::DFTTT(const QString& SPV, platform::TextBox& txtX, CLSDATEN_PAIR_PARAMETERS) {
    return DFTT(SPV, txtX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// One grid column into the selection, data row r into row r - FixedRows; a disabled grid means that the
// record has no rows of that kind. The first failing step shows the grid message and ends the write with
// False, whatever the answer: the transaction is not committed, so the selection stays as it was. (Going on
// after OK turned a refused row into one box per cell and a write that lost its rows into a success.)
bool clsDATEN::gridWrite(const QString& SPV, platform::FlexGrid& grid, const QString& SPNR,
                         const Pairs& pairs) {
    store::TransferTrap trap(store::dataErrorTitle(), [&](const VbError& error) {
        return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE +
               QStringLiteral(" können nicht in die Spalte ") + SPNR +
               QStringLiteral("\nder FlexGrid-Tabelle ") + QString::number(grid.Index()) +
               QStringLiteral(" geschrieben werden!\n") + platform::ErrorBoxText(error);
    });
    std::optional<platform::Connection::Transaction> transaction;
    if (!trap.step([&] { transaction.emplace(connection()); })) return false;

    // The column is copied before the first row is written: the grid may change while the write yields.
    std::vector<Variant> values;
    if (grid.Enabled()) {
        if (!trap.step([&] {
                const int n = grid.Rows() - grid.FixedRows();
                if (n <= 0) throw VbError::subscriptOutOfRange();
                if (n > INT16_MAX) throw VbError::overflow();
                values.assign(size_t(n), Variant());
            }))
            return false;
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
            if (!trap.step([&] {
                    const int column = platform::CLng(Variant(SPNR));
                    values[size_t(r - grid.FixedRows())] = Variant(withoutBlanks(grid.TextMatrix(r, column)));
                }))
                return false;
        }
    }

    Recordset rs;
    if (!trap.step([&] { open(rs, selectStatement(SPV, pairs)); })) return false;
    if (grid.Enabled()) {
        // A grid enabled after its column was to be copied has nothing to write.
        if (values.empty() && !trap.step([] { throw VbError::subscriptOutOfRange(); })) return false;
        for (size_t i = 0; i < values.size(); ++i) {
            if (!trap.step([&] {
                    if (rs.eof())
                        rs.AddNew();
                    else if (i == 0)
                        rs.MoveFirst();
                }))
                return false;
            if (!trap.step([&] {
                    const Variant& v = values[i];
                    rs.SetValue(0, v.isString() && v.asString().isEmpty() ? Variant::null() : v);
                }))
                return false;
            if (!trap.step([&] {
                    if (!ESPID.isEmpty()) store::setUnlessHeld(rs, ESPID, Variant(ESPIDW));
                }))
                return false;
            if (!trap.step([&] {
                    for (int p = 0; p < 3; ++p)
                        if (!pairs.column[p].isEmpty() && pairs.value[p])
                            store::setUnlessHeld(rs, pairs.column[p], *pairs.value[p]);
                }))
                return false;
            if (!trap.step([&] {
                    for (const auto& [key, keyValue] :
                         {std::pair{&ESPK1, &ESPK1W}, {&ESPK2, &ESPK2W}, {&ESPK3, &ESPK3W}})
                        if (!key->isEmpty()) store::setUnlessHeld(rs, *key, Variant(*keyValue));
                }))
                return false;
            if (!trap.step([&] { rs.Update(); })) return false;
            if (!trap.step([&] {
                    if (!rs.eof()) rs.MoveNext();
                }))
                return false;
            platform::DoEventsWithoutInput();
        }
    }
    if (!store::walkRows(trap, rs, [&] { return trap.step([&] { rs.Delete(); }); })) return false;
    rs.Close();
    return trap.step([&] { transaction->commit(); });
}
