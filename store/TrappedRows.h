#pragma once

#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"

#include <functional>
#include <utility>

namespace store {

// The trap of a transfer member: the first step that fails shows its message and ends the transfer with
// False, whatever the answer. One cause (a trigger that refuses every row, a column that does not exist)
// then gives one box instead of one per row or cell, and a transfer that lost a value never reports
// success; a write's transaction, left uncommitted, then leaves the table as it was.
class TransferTrap {
public:
    template <typename... Args> explicit TransferTrap(Args&&... args) : trap_(std::forward<Args>(args)...) {}

    // Runs one step; False once a step has failed (now or before), and then runs nothing more.
    template <typename Body> bool step(Body&& body) {
        if (trap_.failed()) return false;
        trap_.step(body);
        return !trap_.failed();
    }
    bool failed() const { return trap_.failed(); }

private:
    platform::ErrorTrap trap_;
};

// Walks the recordset from its current row to its end under the trap: for each row its own steps (rowSteps
// returns False once the walk is to end), then the move to the next row. A check for the end that fails
// ends the walk, so that a recordset that could not be opened is reported once more and no further. False
// once a step ended the walk.
template <typename Trap, typename RowSteps>
bool walkRows(Trap& trap, platform::Recordset& rs, RowSteps rowSteps) {
    for (;;) {
        bool atEnd = true;
        if (!trap.step([&] { atEnd = rs.eof(); })) return false;
        if (atEnd) return true;
        if (!rowSteps()) return false;
        if (!trap.step([&] { rs.MoveNext(); })) return false;
    }
}

// The same from the first row, for a selection that has rows; a failing check for rows goes on as if there
// were some.
template <typename Trap, typename RowSteps>
bool walkSelection(Trap& trap, platform::Recordset& rs, RowSteps rowSteps) {
    bool empty = false;
    if (!trap.step([&] { empty = rs.eof(); })) return false;
    if (empty) return true;
    if (!trap.step([&] { rs.MoveFirst(); })) return false;
    return walkRows(trap, rs, rowSteps);
}

} // namespace store
