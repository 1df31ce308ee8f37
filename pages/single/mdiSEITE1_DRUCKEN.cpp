// Printing page 1: one sheet of A4 landscape on the printer the print dialog chose last.
#include "mdiSEITE1.h"

#include "Ausgabeseite.h"
#include "Bildmeldungen.h"
#include "Seite1Layout.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/EventLoop.h"
#include "platform/surface/PrinterSurface.h"

using platform::PrinterSurface;

QString mdiSEITE1::PDFNAME() const {
    return KEN_ + QStringLiteral(" Seite 1.pdf");
}

platform::PrintTarget mdiSEITE1::druckziel() const {
    return ausgabeseite::druckziel(QStringLiteral("TAMBRIN ") + KEN_, PDFNAME());
}

platform::Surface& mdiSEITE1::drucker() {
    if (druckerErsatz_) return *druckerErsatz_;
    if (!druckauftrag_ || druckauftrag_->finished())
        druckauftrag_ = std::make_unique<PrinterSurface>(druckziel());
    return *druckauftrag_;
}

bool mdiSEITE1::DRUCKEN() {
    // The printed and the redrawn pictures store their scales in one commit.
    platform::WorkingCopyCommand command;
    platform::ErrorTrap trap(QStringLiteral("Drucken von Seite 1"));
    // Cancel in the box discards the sheet: nothing of it is printed.
    auto abbrechen = [&] {
        if (druckauftrag_) druckauftrag_->KillDoc();
        druckauftrag_.reset();
        return false;
    };
    {
        // One box per failing routine for the whole sheet; Cancel in any box of the job discards it.
        const drawing::Bildmeldungen meldungen;
        // A new job, A4 landscape in millimetres. A printer or a PDF file that can't be opened ends the job
        // after its one message, whatever the answer: there is nothing to draw on.
        druckauftrag_.reset();
        trap.step([&] { drucker(); });
        if (trap.failed()) return abbrechen();
        auto weiter = [&] {
            platform::DoEvents();
            return !meldungen.abgebrochen();
        };
        if (HBOKF_) KOPFFUSS(1);
        if (!weiter()) return abbrechen();
        BILD11(1, 0, 0);
        if (!weiter()) return abbrechen();
        BILD12(1, seite1layout::kTabelleXDL, seite1layout::kTabelleYDO);
        if (!weiter()) return abbrechen();
        BILD13(1, seite1layout::kTextblockXDL, seite1layout::kTextblockYDO);
        if (!weiter()) return abbrechen();
        // A job that can't be sent (a PDF that can't be written) is discarded after its one message,
        // whatever the answer: nothing was printed.
        bool gesendet = false;
        trap.step([&] {
            if (druckauftrag_) druckauftrag_->EndDoc();
            gesendet = true;
        });
        if (!gesendet) return abbrechen();
    }
    druckauftrag_.reset();
    neuZeichnen();
    return true;
}
