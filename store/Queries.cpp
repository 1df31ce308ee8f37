// The queries of the table cursor: first and last value with the row count, the record lists, the delete of
// a selection and the IDs by criteria.
#include "clsDATEN.h"

#include "MemberParameters.h"
#include "Messages.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"
#include "Statement.h"
#include "TrappedRows.h"

#include <optional>

using platform::ErrorTrap;
using platform::Recordset;
using platform::Variant;
using platform::VbError;

namespace {
VbError argumentNotOptional() {
    return VbError(449, platform::Language::text(QStringLiteral("Argument not optional"),
                                                 QStringLiteral("Argument ist nicht optional")));
}
} // namespace

store::Statement clsDATEN::indexStatement(const Pairs& pairs) const {
    int last = -1;
    for (int i = 0; i < 4; ++i)
        if (!pairs.column[i].isEmpty()) last = i;
    const QString column = last < 0 ? QString() : pairs.column[last];

    store::Statement st;
    st << QStringLiteral("SELECT ") + platform::SqlName(column) + QStringLiteral(" FROM ") + ETABELLE;
    bool conditioned = false;
    auto next = [&](const QString& andText) {
        const QString text = conditioned ? andText : QStringLiteral(" WHERE ");
        conditioned = true;
        return text;
    };
    for (int i = 0; i < last; ++i) {
        if (pairs.column[i].isEmpty()) continue;
        // The columns before the counted one filter: each needs its value.
        if (!pairs.value[i]) throw argumentNotOptional();
        st << next(QStringLiteral(" AND ")) + platform::SqlName(pairs.column[i]) + QLatin1Char('=');
        st.value(*pairs.value[i]);
    }
    if (!ESPK1.isEmpty()) {
        st << next(QStringLiteral(" AND ")) + platform::SqlName(ESPK1) + QStringLiteral(" =");
        st.value(Variant(ESPK1W));
        for (const auto& [key, keyValue] : {std::pair{&ESPK2, &ESPK2W}, {&ESPK3, &ESPK3W}}) {
            if (key->isEmpty()) continue;
            st << QStringLiteral(" AND ") + platform::SqlName(*key) + QLatin1Char('=');
            st.value(Variant(*keyValue));
        }
    }
    if (!ESPID.isEmpty()) {
        st << next(QStringLiteral(" AND ")) + platform::SqlName(ESPID) + QStringLiteral(" = ");
        st.value(Variant(ESPIDW));
    }
    // Rows without a value come last, as in every selection of the cursor.
    st << QStringLiteral(" ORDER BY ") + platform::SqlName(column) + QStringLiteral(" NULLS LAST");
    return st;
}

// Steps as the user acknowledges them: OK goes on with the next one (outputs not reached keep their
// values), Cancel leaves the query.
template <typename Value, typename Count, typename Convert, typename ConvertCount>
void clsDATEN::index(Value& MINI, Value& MAXI, Count& AN, const Pairs& pairs, const QString& title,
                     Convert convert, ConvertCount convertCount) {
    ErrorTrap trap(title);
    store::Statement st;
    if (!trap.step([&] { st = indexStatement(pairs); })) return;
    Recordset rs;
    if (!trap.step([&] { open(rs, st, Use::Read); })) return;
    bool empty = false;
    if (!trap.step([&] { empty = rs.eof(); })) return;
    const Variant zero(std::int16_t(0));
    if (empty) {
        AN = convertCount(0);
        MINI = convert(zero);
        MAXI = convert(zero);
    } else {
        // The smallest and largest value of the rows that have one (0 when none has), the count of all.
        const auto valueOf = [&] { return rs.Value(0).isNull() ? zero : rs.Value(0); };
        if (!trap.step([&] { rs.MoveFirst(); })) return;
        if (!trap.step([&] { MINI = convert(valueOf()); })) return;
        if (!trap.step([&] {
                rs.MoveLast();
                while (rs.Value(0).isNull()) {
                    rs.MovePrevious();
                    if (!rs.bof()) continue;
                    rs.MoveFirst();
                    break;
                }
            }))
            return;
        if (!trap.step([&] { MAXI = convert(valueOf()); })) return;
        if (!trap.step([&] { AN = convertCount(rs.RecordCount()); })) return;
    }
    rs.Close();
}

namespace {
std::int16_t integerCount(long n) {
    return platform::CInt(Variant(std::int32_t(n)));
}
std::int32_t longCount(long n) {
    return std::int32_t(n);
}
Variant asStored(const Variant& v) {
    return v;
}
} // namespace

void clsDATEN::INDEX(std::int16_t& MINI, std::int16_t& MAXI, std::int16_t& AN,
                     CLSDATEN_THREE_PAIR_PARAMETERS) {
    index(MINI, MAXI, AN, CLSDATEN_THREE_PAIRS, QStringLiteral("Index"), platform::CInt, integerCount);
}

void clsDATEN::INDEXL(std::int32_t& MINI, std::int32_t& MAXI, std::int32_t& AN,
                      CLSDATEN_THREE_PAIR_PARAMETERS) {
    index(MINI, MAXI, AN, CLSDATEN_THREE_PAIRS, store::dataErrorTitle(), platform::CLng, longCount);
}

void clsDATEN::INDEXV(Variant& MINI, Variant& MAXI, std::int16_t& AN, CLSDATEN_THREE_PAIR_PARAMETERS) {
    index(MINI, MAXI, AN, CLSDATEN_THREE_PAIRS, QStringLiteral("Index"), asStored, integerCount);
}

store::Statement clsDATEN::listStatement(const QString& column, bool AKT) const {
    store::Statement st;
    st << QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + platform::SqlName(ETABELLE);
    if (AKT) {
        st << QStringLiteral(" WHERE [AKT]=true and ") + platform::SqlName(ESPID) + QStringLiteral("<>0 ORDER BY ") +
                  platform::SqlName(ESPID);
    } else {
        st << QStringLiteral(" WHERE ") + platform::SqlName(ESPID) + QStringLiteral("<>0 ORDER BY [KEN]");
    }
    return st;
}

namespace {
// Fills the list from field 0 of every row; a list without rows stays as it was.
template <typename T, typename Convert> void fillList(Recordset& rs, std::vector<T>& list, Convert convert) {
    if (rs.eof()) return;
    rs.MoveLast();
    list.assign(size_t(rs.RecordCount()), T{});
    rs.MoveFirst();
    for (size_t i = 0; !rs.eof(); ++i, rs.MoveNext())
        list[i] = convert(rs.Value(0));
}
} // namespace

void clsDATEN::LID(std::vector<std::int32_t>& ID, bool AKT) {
    Recordset rs;
    open(rs, listStatement(platform::SqlName(ESPID), AKT), Use::Read);
    fillList(rs, ID, platform::CLng);
    rs.Close();
}

void clsDATEN::LKEN(std::vector<QString>& KEN, bool AKT) {
    Recordset rs;
    open(rs, listStatement(QStringLiteral("[KEN]"), AKT), Use::Read);
    fillList(rs, KEN, platform::CStr);
    rs.Close();
}

// The first row that can't be deleted shows the message and ends the delete with False, whatever the
// answer: the selection stays as it was.
bool clsDATEN::LOESCHEN(CLSDATEN_PAIR_PARAMETERS) {
    store::TransferTrap trap(store::dataErrorTitle());
    std::optional<platform::Connection::Transaction> transaction;
    if (!trap.step([&] { transaction.emplace(connection()); })) return false;
    Recordset rs;
    if (!trap.step([&] { open(rs, selectStatement(ESPID, CLSDATEN_PAIRS)); })) return false;
    if (!store::walkSelection(trap, rs, [&] { return trap.step([&] { rs.Delete(); }); })) return false;
    rs.Close();
    return trap.step([&] { transaction->commit(); });
}

bool clsDATEN::IDKRIT(std::vector<std::int32_t>& IDKR, const QString& SPF1, const OptionalVariant& SPF1W,
                      const QString& SPO1, const QString& SPF2, const OptionalVariant& SPF2W,
                      const QString& SPO2, const QString& SPF3, const OptionalVariant& SPF3W,
                      const QString& SPO3, const QString& SPF4, const OptionalVariant& SPF4W,
                      const QString& SPO4) {
    const std::array<const QString*, 4> columns{&SPF1, &SPF2, &SPF3, &SPF4};
    const std::array<const OptionalVariant*, 4> values{&SPF1W, &SPF2W, &SPF3W, &SPF4W};
    const std::array<const QString*, 4> operators{&SPO1, &SPO2, &SPO3, &SPO4};

    store::Statement st;
    st << QStringLiteral("SELECT [ID]");
    for (const QString* column : columns)
        if (!column->isEmpty()) st << QLatin1Char(',') + platform::SqlName(*column);
    st << QStringLiteral(" FROM ") + platform::SqlName(ETABELLE);
    bool conditioned = false;
    for (int k = 0; k < 4; ++k) {
        if (!*values[k]) continue;
        const Variant& value = **values[k];
        const QString& op = *operators[k];
        st << (conditioned ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + platform::SqlName(*columns[k]);
        conditioned = true;
        if (value.isString()) {
            // Texts compare with = or LIKE; LIKE looks for the text anywhere.
            const bool like = op == QLatin1String("LIKE");
            const QString wildcard = like ? QStringLiteral("%") : QString();
            st << (like ? QStringLiteral("LIKE") : QStringLiteral("="));
            st.value(Variant(wildcard + value.asString() + wildcard));
        } else {
            static const QStringList comparisons{QStringLiteral("<"), QStringLiteral(">"),
                                                 QStringLiteral("<="), QStringLiteral(">="),
                                                 QStringLiteral("<>")};
            st << (comparisons.contains(op) ? op : QStringLiteral("="));
            st.value(value);
        }
    }
    bool ordered = false;
    for (const QString* column : columns) {
        if (column->isEmpty()) continue;
        st << (ordered ? QStringLiteral(",") : QStringLiteral(" ORDER BY ")) + platform::SqlName(*column);
        ordered = true;
    }

    ErrorTrap trap(store::dataErrorTitle());
    Recordset rs;
    if (!trap.step([&] { open(rs, st, Use::Read); })) return false;
    // A check that fails counts as no match.
    bool empty = true;
    if (!trap.step([&] { empty = rs.eof(); })) return false;
    if (empty) {
        rs.Close();
        return false;
    }
    if (!trap.step([&] { rs.MoveFirst(); })) return true;
    // A row whose ID the list can't hold (a number beyond a Long that another tool wrote) is left out: a 0
    // in its place would stand for the multiple evaluation. The first such row says so, the others are
    // left out without another box.
    std::vector<std::int32_t> ids;
    bool reported = false;
    const bool walked = store::walkRows(trap, rs, [&] {
        return trap.step([&] {
            try {
                ids.push_back(platform::CLng(rs.Value(QStringLiteral("ID"))));
            } catch (const VbError&) {
                if (reported) return;
                reported = true;
                throw;
            }
        });
    });
    IDKR = std::move(ids);
    if (walked) rs.Close();
    return true;
}
