#pragma once

#include <cstdint>
#include <QString>

namespace platform {
class Variant;
}

namespace store {

// The ID of a record as a project holds it. The program numbers its records within a Long (NEUEID), and
// the input form, the evaluation and the drawing keep an ID in 32 bits; a project written by another tool
// may hold larger ones, which a recordset hands over as a Double. Such a record is listed, copied and
// deleted by its ID like any other; where it would be opened, evaluated or overwritten it is refused with one
// message that names it, before anything is changed:
//
//   const std::int64_t id = store::recordId(rs.Value(0));
//   const std::int32_t aktid = store::longId(rs.Value(0), rs.Value(1)); // throws for 3,000,000,000
//
// Exact for every ID up to 2^53; a larger one is the nearest the Double holds.

// The whole number a stored ID stands for (0 for Null or Empty; the ends of 64 bits beyond them).
std::int64_t recordId(const platform::Variant& id);
// The ID as a value to bind to a statement: a Long when it fits, a Double otherwise.
platform::Variant idValue(std::int64_t id);
// True when the ID fits a Long.
bool fitsLong(std::int64_t id);
// The ID of the record named `name` as a Long. Raises VbError (overflow, 6) with the message of idTooLarge
// for an ID beyond a Long.
std::int32_t longId(const platform::Variant& id, const platform::Variant& name);
// The message that refuses a record whose ID is beyond a Long, in the run's language.
QString idTooLarge(const QString& name, std::int64_t id);

} // namespace store
