#pragma once

#include "clsFLX.h"

#include <optional>
#include <QString>

// What the grid editor reads from the texts of its cells and from its column lists, whatever grid they
// stand in.
namespace flx {

// The decimal sign of the run.
QString dezimal();
// Entry c of a column list; a list too short raises "subscript out of range".
const platform::Variant& eintrag(const clsFLX::Liste& liste, int c);
// A value that counts as a number: a numeric value or a text that reads as one.
std::optional<double> zahl(const platform::Variant& v);
// The marker of "no format" or "no limit": Empty, Null or an empty text.
bool fehlt(const platform::Variant& v);
// A text that reads as a date or a time of day: its date value (days, the fraction being the time). A plain
// number is no date, although the conversion would take it as a count of days.
std::optional<double> datumswert(const QString& text);

} // namespace flx
