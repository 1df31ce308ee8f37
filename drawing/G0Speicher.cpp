#include "G0Speicher.h"

#include "clsDATEN.h"

namespace drawing {

namespace {
const QString kIdObjekt = QStringLiteral("IDOBJEKT");
} // namespace

G0Speicher::G0Speicher(std::int32_t id, std::int16_t idObjekt)
    : daten_(std::make_unique<clsDATEN>()), idObjekt_(idObjekt) {
    daten_->ETABELLE = QStringLiteral("G0");
    daten_->ESPIDW = id;
}

G0Speicher::~G0Speicher() = default;

bool G0Speicher::lesen(const QString& column, std::int16_t& value) {
    return daten_->DTVI(column, value, kIdObjekt, platform::Variant(idObjekt_));
}

bool G0Speicher::lesen(const QString& column, float& value) {
    return daten_->DTVS(column, value, kIdObjekt, platform::Variant(idObjekt_));
}

bool G0Speicher::schreiben(const QString& column, float value) {
    return daten_->DVTS(column, value, kIdObjekt, platform::Variant(idObjekt_));
}

} // namespace drawing
