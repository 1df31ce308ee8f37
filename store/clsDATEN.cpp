#include "clsDATEN.h"

#include "Messages.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/system/FileSystem.h"
#include "Statement.h"

using platform::Connection;
using platform::ErrorTrap;
using platform::Recordset;
using platform::RunState;
using platform::Variant;
using platform::VbError;

clsDATEN::clsDATEN() {
    ErrorTrap trap(store::dataErrorTitle());
    if (!trap.step([&] { connection_ = RunState::current().cnnX; })) return;
    Recordset rs;
    if (!trap.step([&] {
            store::Statement first;
            first << QStringLiteral("SELECT [") + ESPID + QStringLiteral("] FROM [") + ETABELLE +
                         QStringLiteral("] WHERE [AKT]=true");
            open(rs, first, Use::Read);
        }))
        return;
    if (!trap.step([&] {
            if (rs.eof()) {
                ESPIDW = 0;
            } else {
                rs.MoveFirst();
                ESPIDW = platform::CLng(rs.Value(QStringLiteral("ID")));
            }
        }))
        return;
    trap.step([&] { rs.Close(); });
}

clsDATEN::~clsDATEN() = default;

void clsDATEN::EBOV(bool value) {
    const RunState& run = RunState::current();
    // The development tree has no presets database: its working copy carries the presets tables.
    connection_ = value && !run.developmentMode() ? run.cnnX_V : run.cnnX;
}

void clsDATEN::EINFMDB(const QString& name, bool& BOINF) {
    using namespace platform::FileSystem;
    einfmdb_ = name;
    ErrorTrap trap(QStringLiteral("Datenzugriff - Datenbank ") + name);
    QString path;
    bool found = false;
    if (!trap.step([&] {
            const RunState& run = RunState::current();
            const QString file = name + QStringLiteral(".mdb");
            path = run.developmentMode() ? BuildPath(BuildPath(run.PROJEKTSPFAD, run.PROJEKT), file)
                                         : BuildPath(run.DATENBANKPFAD(), file);
            found = FileExists(path);
        }) ||
        !found) {
        BOINF = false;
        return;
    }
    auto opened = std::make_shared<Connection>();
    trap.step([&] { opened->Open(path); });
    // A database that could not be opened is reported as not found; the cursor keeps its connection.
    if (trap.failed() || !opened->isOpen()) {
        BOINF = false;
        return;
    }
    connection_ = std::move(opened);
    BOINF = true;
}

Connection& clsDATEN::connection() const {
    if (!connection_) throw VbError::objectNotSet();
    return *connection_;
}

clsDATEN::Pairs clsDATEN::pairsOf(const QString& SPI1, const OptionalVariant& SPI1W, const QString& SPI2,
                                  const OptionalVariant& SPI2W, const QString& SPI3,
                                  const OptionalVariant& SPI3W, const QString& SPI4,
                                  const OptionalVariant& SPI4W) {
    return Pairs{{SPI1, SPI2, SPI3, SPI4}, {SPI1W, SPI2W, SPI3W, SPI4W}};
}

void clsDATEN::open(Recordset& rs, const store::Statement& statement, Use use) {
    lastStatement_ = statement;
    if (use == Use::Read)
        rs.OpenForReading(statement.sql, connection(), statement.params);
    else
        rs.Open(statement.sql, connection(), statement.params);
}

store::Statement clsDATEN::selectStatement(const QString& SPV, const Pairs& pairs) const {
    store::Statement st;

    st << QStringLiteral("SELECT ") + platform::SqlName(SPV);
    if (!ESPID.isEmpty()) st << QLatin1Char(',') + platform::SqlName(ESPID);
    for (const QString& column : pairs.column)
        if (!column.isEmpty()) st << QLatin1Char(',') + platform::SqlName(column);
    for (const QString* key : {&ESPK1, &ESPK2, &ESPK3})
        if (!key->isEmpty()) st << QLatin1Char(',') + platform::SqlName(*key);
    st << QStringLiteral(" FROM ") + platform::SqlName(ETABELLE);

    // A condition that would begin with AND (no ID column, a later key without the first) starts the
    // WHERE clause instead, so that every combination gives a valid statement.
    bool conditioned = false;
    auto next = [&](const QString& andText) {
        const QString text = conditioned ? andText : QStringLiteral(" WHERE ");
        conditioned = true;
        return text;
    };
    if (!ESPID.isEmpty()) {
        st << next({}) + platform::SqlName(ESPID) + QStringLiteral(" = ");
        st.value(Variant(ESPIDW));
    }
    for (int i = 0; i < 4; ++i) {
        if (!pairs.value[i]) continue;
        st << next(QStringLiteral(" AND ")) + platform::SqlName(pairs.column[i]) + QLatin1Char('=');
        st.value(*pairs.value[i]);
    }
    const std::array<std::pair<const QString*, const QString*>, 3> keys{
        {{&ESPK1, &ESPK1W}, {&ESPK2, &ESPK2W}, {&ESPK3, &ESPK3W}}};
    const std::array<QString, 3> keyAnd{QStringLiteral(" AND "), QStringLiteral(" AND "),
                                        QStringLiteral("  AND ")};
    for (int k = 0; k < 3; ++k) {
        if (keys[k].first->isEmpty()) continue;
        st << next(keyAnd[k]) + platform::SqlName(*keys[k].first) + QStringLiteral(" =");
        st.value(Variant(*keys[k].second));
    }

    // A row without a value in an ordering column (a reading another tool left unnumbered) comes after the
    // others, so that row i of every read and write of the selection stays the same row.
    bool ordered = false;
    for (const QString& column : pairs.column) {
        if (column.isEmpty()) continue;
        st << (ordered ? QStringLiteral(",") : QStringLiteral(" ORDER BY ")) + platform::SqlName(column) +
                  QStringLiteral(" NULLS LAST");
        ordered = true;
    }
    return st;
}

std::unique_ptr<Recordset> clsDATEN::openSelection(const QString& SPV, const Pairs& pairs, Use use) {
    auto rs = std::make_unique<Recordset>();
    open(*rs, selectStatement(SPV, pairs), use);
    return rs;
}

std::unique_ptr<Recordset> clsDATEN::DT(const QString& SPV, const QString& SPI1, const OptionalVariant& SPI1W,
                                        const QString& SPI2, const OptionalVariant& SPI2W,
                                        const QString& SPI3, const OptionalVariant& SPI3W,
                                        const QString& SPI4, const OptionalVariant& SPI4W) {
    return openSelection(SPV, pairsOf(SPI1, SPI1W, SPI2, SPI2W, SPI3, SPI3W, SPI4, SPI4W));
}
