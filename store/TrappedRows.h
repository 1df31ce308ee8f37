#pragma once

#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"

namespace store {

// Walks the recordset from its current row to its end under the trap: for each row its own steps (rowSteps
// returns False once the user cancelled), then the move to the next row. A check for the end that fails
// ends the walk, so that a recordset that could not be opened is reported once more and no further. False
// once the user cancelled.
template <typename RowSteps>
bool walkRows(platform::ErrorTrap& trap, platform::Recordset& rs, RowSteps rowSteps) {
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
template <typename RowSteps>
bool walkSelection(platform::ErrorTrap& trap, platform::Recordset& rs, RowSteps rowSteps) {
    bool empty = false;
    if (!trap.step([&] { empty = rs.eof(); })) return false;
    if (empty) return true;
    if (!trap.step([&] { rs.MoveFirst(); })) return false;
    return walkRows(trap, rs, rowSteps);
}

} // namespace store
