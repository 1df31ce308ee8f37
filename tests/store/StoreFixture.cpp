#include "StoreFixture.h"

#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"

namespace storetest {

void StoreFixture::SetUp() {
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (3, 'Probe A', 'erste', 1), "
                        "(5, 'Probe C', NULL, 0), (7, 'Probe B', 'zweite', 1)"));
    for (int i = 0; i <= 5; ++i)
        exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (5, %1, %2)").arg(i).arg(50 + i));
    for (int i = 0; i <= 4; ++i)
        exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, %1, %2)").arg(i).arg(10 + i));
}

QStringList StoreFixture::texts(const QString& sql) {
    platform::Recordset rs;
    rs.Open(sql, cnn());
    QStringList out;
    for (; !rs.eof(); rs.MoveNext())
        out << text(rs.Value(0));
    return out;
}

long StoreFixture::count(const QString& sql) {
    platform::Recordset rs;
    rs.Open(sql, cnn());
    return rs.RecordCount();
}

QString text(const platform::Variant& v) {
    if (v.isNull()) return QStringLiteral("Null");
    if (v.isEmpty()) return QStringLiteral("Empty");
    return platform::CStr(v);
}

} // namespace storetest
