#include "clsKOPIE.h"

#include "NEUEID.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/VbError.h"
#include "RecordId.h"

using platform::Connection;
using platform::Recordset;
using platform::Variant;

clsKOPIE::clsKOPIE(Connection& quelle, Connection& ziel) : quelle_(quelle), ziel_(ziel) {}

const QStringList& clsKOPIE::TABELLEN() {
    static const QStringList tabellen{QStringLiteral("E1"), QStringLiteral("E2"), QStringLiteral("E3"),
                                      QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("G0")};
    return tabellen;
}

std::optional<QString> clsKOPIE::KEN(std::int64_t id) const {
    Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [KEN] FROM [E1] WHERE [ID]=?"), quelle_, {store::idValue(id)});
    if (rs.eof()) return std::nullopt;
    const Variant ken = rs.Value(0);
    return ken.isNull() ? QString() : platform::CStr(ken);
}

bool clsKOPIE::VORHANDEN(const QString& name) const {
    Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]=?"), ziel_, {Variant(name)});
    return !rs.eof();
}

std::int32_t clsKOPIE::NEUEID() const {
    return store::NEUEID(ziel_);
}

void clsKOPIE::KOPIEREN(std::int64_t id, std::int32_t neuId) {
    if (id == 0 || neuId == 0) throw platform::VbError::invalidCall();
    const Variant alt = store::idValue(id);
    const Variant neu(neuId);
    Connection::Transaction transaktion(ziel_);
    // The record's own rows go before E1, whose row the others refer to.
    for (auto t = TABELLEN().crbegin(); t != TABELLEN().crend(); ++t)
        ziel_.Execute(QStringLiteral("DELETE FROM ") + platform::SqlName(*t) + QStringLiteral(" WHERE [ID]=?"), {neu});
    for (const QString& tabelle : TABELLEN()) {
        const QString select =
            QStringLiteral("SELECT * FROM ") + platform::SqlName(tabelle) + QStringLiteral(" WHERE [ID]=?");
        Recordset von;
        von.OpenForReading(select, quelle_, {alt});
        if (von.eof()) continue;
        Recordset nach;
        nach.Open(select, ziel_, {neu});
        // Each field of the target takes the source's field of the same name.
        std::vector<int> quellspalte(std::size_t(nach.FieldCount()), -1);
        for (int j = 0; j < nach.FieldCount(); ++j)
            quellspalte[std::size_t(j)] = von.fieldIndex(nach.FieldName(j));
        const int idSpalte = nach.fieldIndex(QStringLiteral("ID"));
        for (; !von.eof(); von.MoveNext()) {
            nach.AddNew();
            for (int j = 0; j < nach.FieldCount(); ++j) {
                if (j == idSpalte)
                    nach.SetValue(j, neu);
                else if (quellspalte[std::size_t(j)] >= 0)
                    nach.SetValue(j, von.Value(quellspalte[std::size_t(j)]));
            }
            nach.Update();
            platform::DoEventsWithoutInput();
        }
    }
    transaktion.commit();
}
