// Values and arrays of program variables into a column of the selection.
#include "clsDATEN.h"

#include "MemberParameters.h"
#include "Messages.h"

using platform::Variant;

namespace {
template <typename T> std::vector<Variant> variantsOf(const std::vector<T>& values) {
    std::vector<Variant> out;
    out.reserve(values.size());
    for (const auto& v : values)
        out.emplace_back(T(v));
    return out;
}
} // namespace

bool clsDATEN::writeValue(const QString& SPV, const Variant& value, const Pairs& pairs) {
    if (SPALTESPEICHERN(SPV, {value}, pairs)) return true;
    if (!storageFailure_.isEmpty())
        store::showDataError(store::storageFailureText(storageFailure_, SPV, ETABELLE));
    else
        store::showDataError(QStringLiteral("Wert ") + store::messageText(value) +
                             QStringLiteral(" kann nicht in die Spalte ") + SPV +
                             QStringLiteral(" der Tabelle ") + ETABELLE +
                             QStringLiteral(" gespeichert werden!"));
    return false;
}

bool clsDATEN::writeArray(const QString& SPV, const std::vector<Variant>& values, const Pairs& pairs) {
    if (SPALTESPEICHERN(SPV, values, pairs)) return true;
    if (!storageFailure_.isEmpty())
        store::showDataError(store::storageFailureText(storageFailure_, SPV, ETABELLE));
    else
        store::showDataError(QStringLiteral("Werte können nicht in Spalte ") + SPV +
                             QStringLiteral(" der Tabelle ") + ETABELLE +
                             QStringLiteral(" gespeichert werden!"));
    return false;
}

bool clsDATEN::DVTA(const QString& SPV, double DTM, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant::date(DTM), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTB(const QString& SPV, bool BO, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(BO), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTBF(const QString& SPV, const std::vector<bool>& BO, CLSDATEN_PAIR_PARAMETERS) {
    return writeArray(SPV, variantsOf(BO), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTT(const QString& SPV, const QString& TXT, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(TXT), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTTF(const QString& SPV, const std::vector<QString>& TXT, CLSDATEN_PAIR_PARAMETERS) {
    return writeArray(SPV, variantsOf(TXT), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTI(const QString& SPV, std::int16_t I, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(I), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTIF(const QString& SPV, const std::vector<std::int16_t>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return writeArray(SPV, variantsOf(ZAHLEN), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTL(const QString& SPV, std::int32_t L, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(L), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTS(const QString& SPV, float ZAHL, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(ZAHL), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTSF(const QString& SPV, const std::vector<float>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return writeArray(SPV, variantsOf(ZAHLEN), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTD(const QString& SPV, double ZAHL, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, Variant(ZAHL), CLSDATEN_PAIRS);
}
bool clsDATEN::DVTV(const QString& SPV, const Variant& WERT, CLSDATEN_PAIR_PARAMETERS) {
    return writeValue(SPV, WERT, CLSDATEN_PAIRS);
}
bool clsDATEN::DVTVF(const QString& SPV, const std::vector<Variant>& FELD, CLSDATEN_PAIR_PARAMETERS) {
    return writeArray(SPV, FELD, CLSDATEN_PAIRS);
}
