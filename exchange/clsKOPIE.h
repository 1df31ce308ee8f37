#pragma once

#include <cstdint>
#include <optional>
#include <QString>
#include <QStringList>

namespace platform {
class Connection;
}

// The copy of whole test records from one project database into another: the working copy and another
// project's database, either way round. A record is one ID across the tables E1, E2, E3, A1, A2 and G0 (its
// name and comment, general data, readings, results with the display options, evaluated points and diagram
// settings); the copy takes every row it has there and gives all of them one new ID in the target.
//
//   clsKOPIE kopie(*quelle, *ziel);
//   if (!kopie.VORHANDEN(name)) kopie.KOPIEREN(id, kopie.NEUEID());
//
// Rules every copy keeps:
// - One record is one transaction of the target: it arrives whole or not at all, so a failure part way
//   leaves no half record that a retry would then take for a duplicate.
// - Values go by column name, never by position: the two databases may hold their columns in different
//   orders, or one may have a column the other lacks (left out, or the target's default).
// - Rows the target still holds under the new ID (left by a tool that wrote without the relations) are
//   removed in the same transaction, so the record is exactly what the source holds.
// - The multiple evaluation's row 0 is no record: it is never copied.
// Failures raise VbError.
class clsKOPIE {
public:
    clsKOPIE(platform::Connection& quelle, platform::Connection& ziel);

    // The tables of a record, in the order they are copied (E1 first: it holds the others).
    static const QStringList& TABELLEN();

    // The name (KEN) of a record of the source; nothing when the source has no such record. The source's ID
    // may lie beyond a Long (a project written by another tool, see store::recordId).
    std::optional<QString> KEN(std::int64_t id) const;
    // True when the target holds a record of that name (names compare without regard to case).
    bool VORHANDEN(const QString& name) const;
    // The ID a new record gets in the target: one above the highest ID of E1 (1 for an empty table). Raises
    // VbError when the target has no ID left (see store::NEUEID).
    std::int32_t NEUEID() const;
    // Copies the source's record ID as the target's record NEUID, with all its rows, in one transaction.
    void KOPIEREN(std::int64_t id, std::int32_t neuId);

private:
    platform::Connection& quelle_;
    platform::Connection& ziel_;
};
