// Printing page 1: one sheet of A4 landscape on the printer the print dialog chose last.
#include "mdiSEITE1.h"

#include "Seite1Layout.h"

QString mdiSEITE1::PDFNAME() const {
    return KEN_ + QStringLiteral(" Seite 1.pdf");
}

QString mdiSEITE1::dokumentname() const {
    return QStringLiteral("TAMBRIN ") + KEN_;
}

bool mdiSEITE1::DRUCKEN() {
    return druckauftrag(QStringLiteral("Drucken von Seite 1"),
                        [this](const Weiter& weiter, platform::ErrorTrap&) {
                            if (HBOKF_) KOPFFUSS(1);
                            if (!weiter()) return false;
                            BILD11(1, 0, 0);
                            if (!weiter()) return false;
                            BILD12(1, seite1layout::kTabelleXDL, seite1layout::kTabelleYDO);
                            if (!weiter()) return false;
                            BILD13(1, seite1layout::kTextblockXDL, seite1layout::kTextblockYDO);
                            return weiter();
                        });
}
