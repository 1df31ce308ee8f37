#include "MSeite1Lauf.h"

#include "clsBERECHNEN.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <stdexcept>

namespace mseite1test {

std::vector<fixture::Record> proben(int n) {
    std::vector<fixture::Record> records;
    for (int k = 0; k < n; ++k) {
        fixture::Record r = fixture::dryingSet();
        r.KEN = QStringLiteral("P%1").arg(k + 1);
        // Heavier specimens and wetter sub-samples from record to record, so that the curves differ.
        const float m = float(k % 10) * 12.0f, w = float(k % 7) * 0.6f;
        for (auto& reading : r.readings) {
            reading.M1 += m;
            reading.M1W += 2.0f * w;
        }
        records.push_back(r);
    }
    return records;
}

void auswerten(platform::Connection& c, const std::vector<fixture::Record>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const int id = int(i) + 1;
        fixture::store(c, records[i], id, true);
        c.Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {platform::Variant(std::int32_t(id))});
        clsBERECHNEN evaluation;
        if (!evaluation.BERECHNUNG()) throw std::runtime_error("a record could not be evaluated");
    }
    c.Execute(QStringLiteral("UPDATE E1 SET AKT = 1"));
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (0, 'M', 'Mehrfachauswertung')"));
    c.Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (0, 1)"));
}

void MSeite1Lauf::projekt(const std::vector<fixture::Record>& records) {
    auswerten(*run.state().cnnX, records);
    run.progress().clear();
}

platform::Variant MSeite1Lauf::wert(const QString& sql) {
    platform::Recordset rs;
    rs.Open(sql, *run.state().cnnX);
    return rs.eof() ? platform::Variant() : rs.Value(0);
}

} // namespace mseite1test
