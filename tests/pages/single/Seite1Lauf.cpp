#include "Seite1Lauf.h"

#include "clsBERECHNEN.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace seite1test {

Seite1Lauf::Seite1Lauf(const QString& language, const QString& decimalSign)
    : SeitenLauf({language, decimalSign, true}) {}

bool Seite1Lauf::auswerten(const fixture::Record& record) {
    fixture::store(*run.state().cnnX, record);
    clsBERECHNEN evaluation;
    const bool ok = evaluation.BERECHNUNG();
    run.progress().clear();
    return ok;
}

mdiSEITE1& Seite1Lauf::zeige(const fixture::Record& record, const QString& a1) {
    if (!auswerten(record)) throw std::runtime_error("the record could not be evaluated");
    if (!a1.isEmpty()) setze(QStringLiteral("UPDATE A1 SET ") + a1 + QStringLiteral(" WHERE ID = 1"));
    return laden();
}

platform::Variant Seite1Lauf::wert(const QString& table, const QString& column, const QString& where) {
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [%1] FROM [%2] WHERE ID = 1%3")
                .arg(column, table, where.isEmpty() ? QString() : QStringLiteral(" AND ") + where),
            *run.state().cnnX);
    return rs.eof() ? platform::Variant() : rs.Value(0);
}

std::vector<std::vector<double>> linien(const platform::RecordingSurface& surface, long color, int style) {
    std::vector<std::vector<double>> out;
    for (const auto& c : surface.calls(QStringLiteral("Line"))) {
        const long drawn = c.color.value_or(c.foreColor);
        if (drawn == color && (style < 0 || c.drawStyle == style)) out.push_back(c.args);
    }
    return out;
}

} // namespace seite1test
