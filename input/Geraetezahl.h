#pragma once

#include <optional>
#include <QString>

// A number as a measuring device or its configuration writes it: with a decimal point or a decimal comma,
// whatever the run's decimal sign, blanks around it allowed. Nothing when the text is no number.
std::optional<double> geraetezahl(const QString& text);
