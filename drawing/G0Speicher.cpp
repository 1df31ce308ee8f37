#include "G0Speicher.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"

namespace drawing {

namespace {
platform::Variant readColumn(std::int32_t id, std::int16_t obj, const QString& column) {
    platform::Recordset rs;
    rs.Open(
        QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=? ORDER BY [IDOBJEKT]").arg(column),
        *platform::RunState::current().cnnX, {platform::Variant(id), platform::Variant(obj)});
    if (rs.eof()) return {};
    return rs.Value(0);
}
} // namespace

G0Speicher::G0Speicher(std::int32_t id, std::int16_t idObjekt) : idObjekt_(idObjekt), id_(id) {}
G0Speicher::~G0Speicher() = default;

bool G0Speicher::lesen(const QString& column, std::int16_t& value) {
    const platform::Variant v = readColumn(id_, idObjekt_, column);
    value = v.isNull() || v.isEmpty() ? 0 : platform::CInt(v);
    return true;
}

bool G0Speicher::lesen(const QString& column, float& value) {
    const platform::Variant v = readColumn(id_, idObjekt_, column);
    value = v.isNull() || v.isEmpty() ? 0.0f : platform::CSng(v);
    return true;
}

bool G0Speicher::schreiben(const QString& column, float value) {
    auto& cnn = *platform::RunState::current().cnnX;
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM [G0] WHERE [ID]=? AND [IDOBJEKT]=?"), cnn,
            {platform::Variant(id_), platform::Variant(idObjekt_)});
    if (rs.eof()) {
        rs.AddNew();
        rs.SetValue(QStringLiteral("ID"), platform::Variant(id_));
        rs.SetValue(QStringLiteral("IDOBJEKT"), platform::Variant(idObjekt_));
    }
    rs.SetValue(column, platform::Variant(value));
    rs.Update();
    return true;
}

} // namespace drawing
