// Printing page 1: one sheet of A4 landscape on the printer the print dialog chose last.
#include "mdiSEITE1.h"

#include "Ausgabeseite.h"
#include "Seite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/EventLoop.h"
#include "platform/surface/PrinterSurface.h"

using platform::PrinterSurface;

platform::PrintTarget mdiSEITE1::druckziel() const {
    return ausgabeseite::druckziel(QStringLiteral("TAMBRIN ") + KEN_, KEN_ + QStringLiteral(" Seite 1.pdf"));
}

platform::Surface& mdiSEITE1::drucker() {
    if (druckerErsatz_) return *druckerErsatz_;
    if (!druckauftrag_ || druckauftrag_->finished())
        druckauftrag_ = std::make_unique<PrinterSurface>(druckziel());
    return *druckauftrag_;
}

void mdiSEITE1::DRUCKEN() {
    platform::ErrorTrap trap(QStringLiteral("Drucken von Seite 1"));
    // Cancel in the box discards the sheet: nothing of it is printed.
    auto abbrechen = [&] {
        if (druckauftrag_) druckauftrag_->KillDoc();
        druckauftrag_.reset();
    };
    // A new job, A4 landscape in millimetres.
    if (!trap.step([&] {
            druckauftrag_.reset();
            drucker();
        }))
        return abbrechen();
    if (HBOKF_) KOPFFUSS(1);
    platform::DoEvents();
    BILD11(1, 0, 0);
    platform::DoEvents();
    BILD12(1, seite1layout::kTabelleXDL, seite1layout::kTabelleYDO);
    platform::DoEvents();
    BILD13(1, seite1layout::kTextblockXDL, seite1layout::kTextblockYDO);
    platform::DoEvents();
    if (!trap.step([&] {
            if (druckauftrag_) druckauftrag_->EndDoc();
        }))
        return abbrechen();
    druckauftrag_.reset();
    neuZeichnen();
}
