#pragma once

#include <cstdint>

namespace platform {
class Connection;
class Variant;
} // namespace platform

namespace store {

// The ID a new record gets in a project database: one above the highest ID of E1 (1 for an empty table,
// or one holding only the multiple evaluation's row 0 or IDs below it).
//
//   const std::int32_t id = store::NEUEID(*cnnX);
//
// Worked out in 64 bits: a project written by another tool may already hold the largest ID the column can
// hold (its declared type: a Long, 2,147,483,647), and one more must not wrap to a negative ID that the
// next new record would share. Then no ID is left: raises VbError (overflow, 6) with a message that says
// so, before anything is written.
std::int32_t NEUEID(platform::Connection& verbindung);

// The same rule for a highest ID read elsewhere (Null or Empty when the tables are empty), for IDs of the
// Long range.
std::int32_t NEUEID(const platform::Variant& hoechste);

} // namespace store
