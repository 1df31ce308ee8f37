#include "Geraetezahl.h"

#include "platform/runtime/Convert.h"

std::optional<double> geraetezahl(const QString& text) {
    const QString t = text.trimmed();
    if (auto x = platform::ReadNumber(t, QStringLiteral("."))) return x;
    return platform::ReadNumber(t, QStringLiteral(","));
}
