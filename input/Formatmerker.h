#pragma once

#include <optional>
#include <QHash>
#include <QString>

// Remembers what formatting a text and reading a date gave: both depend on nothing but their inputs, and a
// grid refreshed again and again holds mostly the texts it held before, so each distinct text is worked
// out once. The memory is bounded: it starts afresh when it has grown large.
class Formatmerker {
public:
    // Format(text, pattern) with the decimal sign.
    QString format(const QString& text, const QString& pattern, const QString& dezimal);
    // Format(x, pattern), or the plain text of x without a pattern, with the decimal sign.
    QString format(float x, const QString& pattern, const QString& dezimal);
    // A text that reads as a date or a time of day: its date value.
    std::optional<double> datum(const QString& text, const QString& dezimal);

private:
    static constexpr int kGrenze = 20000;
    QHash<QString, QString> formate_;
    QHash<QString, std::optional<double>> daten_;
};
