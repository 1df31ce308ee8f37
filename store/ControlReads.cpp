// A column of the selection into the controls of a form.
#include "clsDATEN.h"

#include "MemberParameters.h"
#include "Messages.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
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
#include "Statement.h"
#include "TrappedRows.h"

using platform::CBool;
using platform::CInt;
using platform::CStr;
using platform::Recordset;
using platform::Variant;
using platform::VbError;

// Each single-control read takes the first row's value (Empty for a missing row or a Null) and sets the
// control from it; a value the control can't take raises its error to the caller.

bool clsDATEN::DTFC(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { chkX.setValue(CInt(v)); });
}
bool clsDATEN::DTFCC(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { chkX.setCaption(CStr(v)); });
}
bool clsDATEN::DTFCV(const QString& SPV, platform::CheckBox& chkX, CLSDATEN_PAIR_PARAMETERS) {
    return DTFC(SPV, chkX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DTFF(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR,
                    CLSDATEN_THREE_PAIR_PARAMETERS, std::int16_t ZNR) {
    return gridRead(SPV, msgFLX, SPNR, CLSDATEN_THREE_PAIRS, ZNR);
}
bool clsDATEN::DTFFM(const QString& SPV, platform::FlexGrid& msgFLX, const QString& SPNR,
                     CLSDATEN_THREE_PAIR_PARAMETERS) {
    return DTFF(SPV, msgFLX, SPNR, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, 0);
}
bool clsDATEN::DTFI(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { lstX.AddItem(CStr(v)); });
}
bool clsDATEN::DTFIL(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) {
        if (lstX.ListCount() > 0) lstX.setListIndex(CInt(v));
    });
}
bool clsDATEN::DTFIS(const QString& SPV, platform::ListBox& lstX, CLSDATEN_PAIR_PARAMETERS) {
    return DTFI(SPV, lstX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DTFL(const QString& SPV, platform::Label& lblX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { lblX.setCaption(CStr(v)); });
}
bool clsDATEN::DTFLC(const QString& SPV, platform::Label& lblX, CLSDATEN_PAIR_PARAMETERS) {
    return DTFL(SPV, lblX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DTFM(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { cboX.setText(CStr(v)); });
}
bool clsDATEN::DTFML(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) {
        if (cboX.ListCount() > 0) cboX.setListIndex(CInt(v));
    });
}
bool clsDATEN::DTFMS(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { cboX.AddItem(CStr(v)); });
}
bool clsDATEN::DTFMT(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) {
        const QString text = CStr(v);
        // The combo box in place 2 of its array is a list to choose from: only an item of that very text
        // counts.
        if (cboX.Index() != 2) {
            cboX.setText(text);
            return;
        }
        for (int i = 0; i < cboX.ListCount(); ++i) {
            if (cboX.List(i) == text) {
                cboX.setListIndex(i);
                return;
            }
        }
    });
}
bool clsDATEN::DTFO(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { optX.setValue(CBool(v)); });
}
bool clsDATEN::DTFOC(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { optX.setCaption(CStr(v)); });
}
bool clsDATEN::DTFOV(const QString& SPV, platform::OptionButton& optX, CLSDATEN_PAIR_PARAMETERS) {
    return DTFO(SPV, optX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}
bool clsDATEN::DTFT(const QString& SPV, platform::TextBox& txtX, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { txtX.setText(CStr(v)); });
}
bool clsDATEN::DTFTT(const QString& SPV, platform::TextBox& txtX, CLSDATEN_PAIR_PARAMETERS) {
    return DTFT(SPV, txtX, SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W);
}

// The selection into one grid column from row ZNR + 1 (from the first data row when ZNR is at most
// FixedRows); the grid grows to hold every row, a Null keeps its cell. An empty selection greys and
// disables the grid and leaves its cells. The first failing step shows the grid message and ends the read
// with False, whatever the answer; cells filled before it keep their new text.
bool clsDATEN::gridRead(const QString& SPV, platform::FlexGrid& grid, const QString& SPNR, const Pairs& pairs,
                        std::int16_t ZNR) {
    store::TransferTrap trap(store::dataErrorTitle(), [&](const VbError& error) {
        return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE +
               QStringLiteral(" können nicht in die Spalte ") + SPNR +
               QStringLiteral("\nder FlexGrid-Tabelle ") + QString::number(grid.Index()) +
               QStringLiteral(" eingelesen werden!\n") + platform::ErrorBoxText(error);
    });
    Recordset rs;
    if (!trap.step([&] { open(rs, selectStatement(SPV, pairs), Use::Read); })) return false;
    bool empty = false;
    if (!trap.step([&] { empty = rs.eof(); })) return false;
    if (empty) {
        if (!trap.step([&] {
                grid.setBackColor(grid.BackColorFixed());
                grid.setEnabled(false);
            }))
            return false;
        rs.Close();
        return true;
    }
    if (!trap.step([&] {
            grid.setBackColor(platform::SystemColor::WindowBackground);
            grid.setEnabled(true);
        }))
        return false;
    if (!trap.step([&] { rs.MoveLast(); })) return false;
    int row = grid.FixedRows();
    if (!trap.step([&] { row = ZNR <= grid.FixedRows() ? grid.FixedRows() : ZNR + 1; })) return false;
    if (!trap.step([&] {
            const int count = int(rs.RecordCount());
            if (row + count > INT16_MAX + 1) throw VbError::overflow();
            if (grid.Rows() - row < count) grid.setRows(row + count);
        }))
        return false;
    if (!trap.step([&] { rs.MoveFirst(); })) return false;
    const bool walked = store::walkRows(trap, rs, [&] {
        const bool ok = trap.step([&] {
            const Variant value = rs.Value(0);
            if (!value.isNull()) grid.setTextMatrix(row, platform::CLng(Variant(SPNR)), CStr(value));
        });
        platform::DoEvents();
        ++row;
        return ok;
    });
    if (!walked) return false;
    rs.Close();
    return true;
}

// Every non-Null value as a new item after the existing ones. The first failing step shows the message and
// ends the read with False, whatever the answer; items added before it stay.
bool clsDATEN::DTFMM(const QString& SPV, platform::ComboBox& cboX, CLSDATEN_THREE_PAIR_PARAMETERS) {
    store::TransferTrap trap(store::dataErrorTitle(), [&](const VbError&) {
        return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE +
               QStringLiteral(" eingelesen werden!");
    });
    Recordset rs;
    if (!trap.step([&] { open(rs, selectStatement(SPV, CLSDATEN_THREE_PAIRS), Use::Read); })) return false;
    const bool walked = store::walkSelection(trap, rs, [&] {
        return trap.step([&] {
            const Variant value = rs.Value(0);
            if (!value.isNull()) cboX.AddItem(CStr(value));
        });
    });
    if (!walked) return false;
    rs.Close();
    return true;
}
