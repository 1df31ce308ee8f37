// A column of the selection into program variables, arrays and collections.
#include "clsDATEN.h"

#include "MemberParameters.h"
#include "Messages.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/VbError.h"
#include "Statement.h"
#include "TrappedRows.h"

using platform::Recordset;
using platform::Variant;
using platform::VbError;

bool clsDATEN::readValue(const QString& SPV, const Pairs& pairs,
                         const std::function<void(const Variant&)>& apply) {
    std::vector<Variant> element(1);
    if (SPALTEEINLESEN(SPV, element, pairs)) {
        // A value the target's type can't take (40000 for an Integer, a text for a number) is a failed
        // read like any other, with the same message; the target keeps its value. A fault of the target
        // itself (a control used wrongly) is the caller's.
        try {
            apply(element[0]);
            return true;
        } catch (const VbError& e) {
            if (e.Number() != VbError::Overflow && e.Number() != VbError::TypeMismatch) throw;
        }
    }
    store::showDataError(QStringLiteral("Wert ") + store::messageText(element[0]) +
                         QStringLiteral(" kann nicht aus der Spalte ") + SPV +
                         QStringLiteral(" der Tabelle ") + ETABELLE + QStringLiteral(" eingelesen werden!"));
    return false;
}

// Row i into element i, for as long as there are rows. The first failing step (a row beyond the array, a
// value that does not convert) shows the message and ends the read with False, whatever the answer; the
// elements stored before it keep their new values.
template <typename T, typename Convert>
bool clsDATEN::readArray(const QString& SPV, std::vector<T>& target, const Pairs& pairs, Convert convert) {
    store::TransferTrap trap(store::dataErrorTitle(),
                             QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") +
                                 ETABELLE + QStringLiteral(" können nicht aus der Spalte ") + SPV +
                                 QStringLiteral(" eingelesen werden!\nVB-Error: "));
    Recordset rs;
    if (!trap.step([&] { open(rs, selectStatement(SPV, pairs), Use::Read); })) return false;
    std::int16_t i = 0;
    const bool walked = store::walkSelection(trap, rs, [&] {
        return trap.step([&] {
            const Variant value = rs.Value(0);
            if (value.isNull()) return;
            if (size_t(i) >= target.size()) throw VbError::subscriptOutOfRange();
            target[size_t(i)] = convert(value);
        }) && trap.step([&] {
            if (i == INT16_MAX) throw VbError::overflow();
            ++i;
        });
    });
    if (!walked) return false;
    rs.Close();
    return true;
}

namespace {
// The conversions of the typed reads; Empty (a missing row, a Null) gives the type's empty value.
double toDate(const Variant& v) {
    return platform::CDate(v);
}
bool toBool(const Variant& v) {
    return platform::CBool(v);
}
QString toText(const Variant& v) {
    return platform::CStr(v);
}
std::int16_t toInteger(const Variant& v) {
    return platform::CInt(v);
}
float toSingle(const Variant& v) {
    return platform::CSng(v);
}
Variant asStored(const Variant& v) {
    return v;
}
} // namespace

bool clsDATEN::DTVA(const QString& SPV, double& DATUM, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { DATUM = toDate(v); });
}
bool clsDATEN::DTVAF(const QString& SPV, std::vector<double>& DATUM, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, DATUM, CLSDATEN_PAIRS, toDate);
}
bool clsDATEN::DTVB(const QString& SPV, bool& BO, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { BO = toBool(v); });
}
bool clsDATEN::DTVBF(const QString& SPV, std::vector<bool>& BO, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, BO, CLSDATEN_PAIRS, toBool);
}
bool clsDATEN::DTVT(const QString& SPV, QString& TXT, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { TXT = toText(v); });
}
bool clsDATEN::DTVTF(const QString& SPV, std::vector<QString>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, ZAHLEN, CLSDATEN_PAIRS, toText);
}
bool clsDATEN::DTVI(const QString& SPV, std::int16_t& I, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { I = toInteger(v); });
}
bool clsDATEN::DTVIF(const QString& SPV, std::vector<std::int16_t>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, ZAHLEN, CLSDATEN_PAIRS, toInteger);
}
bool clsDATEN::DTVL(const QString& SPV, std::int32_t& L, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { L = platform::CLng(v); });
}
bool clsDATEN::DTVS(const QString& SPV, float& ZAHL, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { ZAHL = toSingle(v); });
}
bool clsDATEN::DTVSF(const QString& SPV, std::vector<float>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, ZAHLEN, CLSDATEN_PAIRS, toSingle);
}
bool clsDATEN::DTVD(const QString& SPV, double& ZAHL, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { ZAHL = platform::CDbl(v); });
}
bool clsDATEN::DTVV(const QString& SPV, Variant& WERT, CLSDATEN_PAIR_PARAMETERS) {
    return readValue(SPV, CLSDATEN_PAIRS, [&](const Variant& v) { WERT = v; });
}
bool clsDATEN::DTVVF(const QString& SPV, std::vector<Variant>& ZAHLEN, CLSDATEN_PAIR_PARAMETERS) {
    return readArray(SPV, ZAHLEN, CLSDATEN_PAIRS, asStored);
}

bool clsDATEN::DTVCOL(const QString& SPV, std::vector<Variant>& X, CLSDATEN_PAIR_PARAMETERS) {
    try {
        auto rs = openSelection(SPV, CLSDATEN_PAIRS, Use::Read);
        if (!rs->eof()) {
            rs->MoveFirst();
            X.clear();
            for (; !rs->eof(); rs->MoveNext()) {
                Variant value = rs->Value(0);
                if (!value.isNull()) X.push_back(std::move(value));
            }
        }
        rs->Close();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
