#include "Zellwerte.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VbError.h"

namespace flx {

QString dezimal() {
    if (platform::RunState* run = platform::RunState::installed()) return run->DEZIMALPUNKT;
    return platform::SystemLocale::decimalSign();
}

const platform::Variant& eintrag(const clsFLX::Liste& liste, int c) {
    if (c < 0 || size_t(c) >= liste.size()) throw platform::VbError::subscriptOutOfRange();
    return liste[size_t(c)];
}

std::optional<double> zahl(const platform::Variant& v) {
    if (v.isNumeric()) return v.number();
    if (v.isString()) return platform::ReadNumber(v.asString(), dezimal());
    return std::nullopt;
}

bool fehlt(const platform::Variant& v) {
    return v.isEmpty() || v.isNull() || (v.isString() && v.asString().isEmpty());
}

std::optional<double> datumswert(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || platform::ReadNumber(t, dezimal())) return std::nullopt;
    try {
        return platform::CDate(platform::Variant(t));
    } catch (const platform::VbError&) {
        return std::nullopt;
    }
}

} // namespace flx
