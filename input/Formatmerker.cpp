#include "Formatmerker.h"

#include "Zellwerte.h"

#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"

#include "platform/runtime/Variant.h"
#include <bit>

QString Formatmerker::format(const QString& text, const QString& pattern, const QString& dezimal) {
    QString schluessel;
    schluessel.reserve(pattern.size() + dezimal.size() + text.size() + 2);
    schluessel.append(pattern).append(QChar(0x1F)).append(dezimal).append(QChar(0x1F)).append(text);
    if (const auto it = formate_.constFind(schluessel); it != formate_.constEnd()) return *it;
    if (formate_.size() >= kGrenze) formate_.clear();
    const QString ergebnis = platform::Format(platform::Variant(text), pattern, dezimal);
    formate_.insert(schluessel, ergebnis);
    return ergebnis;
}

QString Formatmerker::format(float x, const QString& pattern, const QString& dezimal) {
    const QString schluessel = QChar(0x1E) + pattern + QChar(0x1F) + dezimal + QChar(0x1F) +
                               QString::number(std::bit_cast<quint32>(x));
    if (const auto it = formate_.constFind(schluessel); it != formate_.constEnd()) return *it;
    if (formate_.size() >= kGrenze) formate_.clear();
    const QString ergebnis = pattern.isEmpty() ? platform::SingleText(x, dezimal)
                                               : platform::Format(platform::Variant(x), pattern, dezimal);
    formate_.insert(schluessel, ergebnis);
    return ergebnis;
}

std::optional<double> Formatmerker::datum(const QString& text, const QString& dezimal) {
    const QString schluessel = dezimal + QChar(0x1F) + text;
    if (const auto it = daten_.constFind(schluessel); it != daten_.constEnd()) return *it;
    if (daten_.size() >= kGrenze) daten_.clear();
    const std::optional<double> wert = flx::datumswert(text);
    daten_.insert(schluessel, wert);
    return wert;
}
