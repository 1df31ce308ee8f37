#include "PrinterSurface.h"

#include "platform/runtime/VbError.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace platform {

PrinterSurface::PrinterSurface(const PrintTarget& target)
    : PainterSurface(1, 1, 72, kMinimumLineMm), target_(target),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (!target_.pdfFile.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(target_.pdfFile);
    } else if (!target_.printerName.isEmpty()) {
        printer_->setPrinterName(target_.printerName);
    }
    printer_->setDocName(target_.documentName);
    printer_->setFullPage(true);
    printer_->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(), QPageLayout::Millimeter));
    const QRectF paper = printer_->paperRect(QPrinter::Millimeter);
    widthMm_ = float(paper.width());
    heightMm_ = float(paper.height());
    const double res = printer_->resolution();
    setResolution(res / 25.4, res / 25.4, printer_->resolution());
}

PrinterSurface::~PrinterSurface() {
    if (!finished_) {
        try {
            EndDoc();
        } catch (...) {
        }
    }
}

void PrinterSurface::Cls() {
    setCurrentX(0);
    setCurrentY(0);
}

void PrinterSurface::NewPage() {
    // A sheet with nothing on it yet is still a sheet: the job begins before it moves on.
    paint([](QPainter&) {});
    if (!printer_->newPage()) throw VbError(482, QStringLiteral("Printer error"));
    Cls();
}

void PrinterSurface::paint(const std::function<void(QPainter&)>& step) {
    if (finished_) throw VbError(482, QStringLiteral("Printer error"));
    if (!painter_.isActive()) {
        if (!painter_.begin(printer_.get())) throw VbError(482, QStringLiteral("Printer error"));
        painter_.setRenderHint(QPainter::Antialiasing, true);
    }
    painter_.save();
    step(painter_);
    painter_.restore();
}

const QPaintDevice* PrinterSurface::metricsDevice() const {
    return printer_.get();
}

void PrinterSurface::EndDoc() {
    if (finished_) return;
    finished_ = true;
    if (painter_.isActive() && !painter_.end()) throw VbError(482, QStringLiteral("Printer error"));
}

void PrinterSurface::KillDoc() {
    if (finished_) return;
    finished_ = true;
    if (!painter_.isActive()) return;
    printer_->abort();
    painter_.end();
    if (!target_.pdfFile.isEmpty()) QFile::remove(target_.pdfFile);
}

} // namespace platform
