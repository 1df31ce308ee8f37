#include "DrawingFixture.h"

#include "platform/db/Recordset.h"

namespace drawingtest {

platform::Variant DrawingRun::g0Value(const QString& column) {
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=11").arg(column),
            *run.state().cnnX);
    return rs.eof() ? platform::Variant() : rs.Value(0);
}

} // namespace drawingtest
