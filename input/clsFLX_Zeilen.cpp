// The grid editor's rows: insert and remove, in step with the coupled grid.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/Color.h"
#include "platform/ui/FlexGrid.h"

using platform::VbError;

namespace {

// The coupled grid editor, when it has a grid.
clsFLX* gekoppelt(clsFLX* k) {
    return k && k->EFLX() ? k : nullptr;
}

// Marks the rows of a grid as moving while it lives; only the first of nested calls (a coupling that leads
// back) does the work.
struct Zeilenwache {
    bool& imGange;
    const bool erste;
    explicit Zeilenwache(bool& flag) : imGange(flag), erste(!flag) { imGange = true; }
    ~Zeilenwache() {
        if (erste) imGange = false;
    }
};

// A value still open in an editor, here or in the coupled grid, goes into its cell before the rows move
// under it; false when a value was refused.
bool editorenSchliessen(clsFLX& editor, clsFLX* coupled) {
    if (!editor.EINFUEGEN(0)) return false;
    clsFLX* k = gekoppelt(coupled);
    return !k || k->EINFUEGEN(0);
}

} // namespace

bool clsFLX::ZEILEEINFUEGEN() {
    Zustand& z = *z_;
    // A coupling that leads back here ends here.
    const Zeilenwache wache(z.zeilenImGange);
    if (!wache.erste) return true;
    if (!editorenSchliessen(*this, z.coupled)) return false;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Zeile einfügen"));
    if (!z.grid) {
        trap.step([] { throw VbError::objectNotSet(); });
        return true;
    }
    platform::FlexGrid& grid = *z.grid;
    if (!grid.Enabled()) {
        // The empty row the grid kept becomes usable, with its running number.
        if (!trap.step([&] { grid.setBackColor(platform::SystemColor::WindowBackground); })) return true;
        if (!trap.step([&] { grid.setEnabled(true); })) return true;
        if (!trap.step([&] { NUMMERIEREN(); })) return true;
    } else {
        if (!trap.step([&] { grid.AddItem(QString(), grid.Row()); })) return true;
        if (!trap.step([&] { NUMMERIEREN(); })) return true;
    }
    if (clsFLX* k = gekoppelt(z.coupled)) {
        trap.step([&] { k->EFLX()->setRow(grid.Row()); });
        if (trap.cancelled()) return true;
        k->ZEILEEINFUEGEN();
    }
    return true;
}

bool clsFLX::ZEILEENTFERNEN() {
    Zustand& z = *z_;
    // A coupling that leads back here ends here.
    const Zeilenwache wache(z.zeilenImGange);
    if (!wache.erste) return true;
    if (!editorenSchliessen(*this, z.coupled)) return false;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Zeile eintfernen"));
    if (!z.grid) {
        trap.step([] { throw VbError::objectNotSet(); });
        return true;
    }
    platform::FlexGrid& grid = *z.grid;
    // The reading removed here is the one the coupled grid loses too, whichever row is current afterwards.
    const int zeile = grid.Row();
    if (grid.Rows() > grid.FixedRows() + 1) {
        if (!trap.step([&] { grid.RemoveItem(zeile); })) return true;
        if (!trap.step([&] { NUMMERIEREN(); })) return true;
    } else if (grid.Rows() == grid.FixedRows() + 1) {
        // The last data row stays, empty, in a greyed and disabled grid: a grid that holds no readings.
        for (int c = 0; c < grid.Cols(); ++c)
            if (!trap.step([&] { grid.setTextMatrix(grid.FixedRows(), c, QString()); })) return true;
        if (!trap.step([&] { grid.setBackColor(grid.BackColorFixed()); })) return true;
        if (!trap.step([&] { grid.setEnabled(false); })) return true;
    }
    if (clsFLX* k = gekoppelt(z.coupled)) {
        trap.step([&] { k->EFLX()->setRow(zeile); });
        if (trap.cancelled()) return true;
        k->ZEILEENTFERNEN();
    }
    return true;
}
