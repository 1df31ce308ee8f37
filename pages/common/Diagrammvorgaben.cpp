#include "Diagrammvorgaben.h"

#include "clsDATEN.h"

namespace diagrammvorgaben {

void rahmen(clsDATEN& g0, const platform::Variant& diagramm) {
    const QString id = QStringLiteral("IDOBJEKT");
    g0.DVTI(QStringLiteral("OX"), 1, id, diagramm);
    g0.DVTI(QStringLiteral("OY"), 1, id, diagramm);
    g0.DVTS(QStringLiteral("RL"), 12, id, diagramm);
    g0.DVTS(QStringLiteral("RR"), 12, id, diagramm);
    g0.DVTS(QStringLiteral("RO"), 9, id, diagramm);
    g0.DVTS(QStringLiteral("RU"), 12, id, diagramm);
}

void massstabNeu(clsDATEN& g0, const platform::Variant& diagramm) {
    const QString id = QStringLiteral("IDOBJEKT");
    g0.DVTS(QStringLiteral("MX"), 0, id, diagramm);
    g0.DVTS(QStringLiteral("MY"), 0, id, diagramm);
}

void anzeigeLesen(clsDATEN& a1, std::int16_t& SRLI, std::int16_t& NALI, std::int16_t& GITW,
                  std::int16_t& GITRHD, float& DESR, float& DENA, std::int16_t& POSP) {
    a1.DTVI(QStringLiteral("SRLI"), SRLI);
    a1.DTVI(QStringLiteral("NALI"), NALI);
    a1.DTVI(QStringLiteral("GITW"), GITW);
    a1.DTVI(QStringLiteral("GITRHD"), GITRHD);
    a1.DTVS(QStringLiteral("DESR"), DESR);
    a1.DTVS(QStringLiteral("DENA"), DENA);
    a1.DTVI(QStringLiteral("POSP"), POSP);
}

} // namespace diagrammvorgaben
