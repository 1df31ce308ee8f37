#include "PrinterSurface.h"

#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

const QPageLayout& a4Landscape() {
    static const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(),
                                    QPageLayout::Millimeter);
    return layout;
}

// The resolution of the PDF pages, as a printer in high resolution writes them.
constexpr int kPdfDpi = 1200;

} // namespace

PrinterSurface::PrinterSurface(const PrintTarget& target)
    : PainterSurface(1, 1, 72, kMinimumLineMm), target_(target) {
    if (!target_.pdfFile.isEmpty())
        openPdf();
    else
        openPrinter();
    painter_.setRenderHint(QPainter::Antialiasing, true);
}

void PrinterSurface::openPrinter() {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!target_.printerName.isEmpty()) printer_->setPrinterName(target_.printerName);
    printer_->setDocName(target_.documentName);
    printer_->setFullPage(true);
    printer_->setPageLayout(a4Landscape());
    const QRectF paper = printer_->paperRect(QPrinter::Millimeter);
    widthMm_ = float(paper.width());
    heightMm_ = float(paper.height());
    const double res = printer_->resolution();
    setResolution(res / 25.4, res / 25.4, printer_->resolution());
    if (!painter_.begin(printer_.get())) {
        const QString name =
            printer_->printerName().isEmpty()
                ? Language::text(QStringLiteral("(default printer)"), QStringLiteral("(Standarddrucker)"))
                : printer_->printerName();
        throw VbError(482, Language::text(QStringLiteral("The printer \"%1\" cannot be opened."),
                                          QStringLiteral("Der Drucker „%1“ kann nicht geöffnet werden."))
                               .arg(name));
    }
}

VbError PrinterSurface::pdfError(const QString& why) const {
    return VbError(75, Language::text(QStringLiteral("The PDF file \"%1\" cannot be written: %2"),
                                      QStringLiteral("Die PDF-Datei „%1“ kann nicht geschrieben werden: %2"))
                           .arg(QDir::toNativeSeparators(target_.pdfFile), why));
}

void PrinterSurface::openPdf() {
    const QFileInfo info(target_.pdfFile);
    // A write-protected file stays as it is, also for a user whom the system would let replace it.
    if (info.exists() && (!info.isWritable() || !info.permission(QFileDevice::WriteOwner)))
        throw pdfError(Language::text(QStringLiteral("the file is write-protected."),
                                      QStringLiteral("die Datei ist schreibgeschützt.")));
    if (info.exists() && !info.isFile())
        throw pdfError(Language::text(QStringLiteral("there is a folder of that name."),
                                      QStringLiteral("es gibt einen Ordner dieses Namens.")));
    file_ = std::make_unique<QTemporaryFile>(
        info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX")));
    if (!file_->open()) {
        const QString why = file_->errorString();
        file_.reset();
        throw pdfError(why);
    }
    pdf_ = std::make_unique<QPdfWriter>(file_.get());
    pdf_->setTitle(target_.documentName);
    pdf_->setCreator(QStringLiteral("TAMBRIN"));
    pdf_->setResolution(kPdfDpi);
    pdf_->setPageLayout(a4Landscape());
    const QRectF paper = pdf_->pageLayout().fullRect(QPageLayout::Millimeter);
    widthMm_ = float(paper.width());
    heightMm_ = float(paper.height());
    setResolution(kPdfDpi / 25.4, kPdfDpi / 25.4, kPdfDpi);
    if (!painter_.begin(pdf_.get())) {
        pdf_.reset();
        file_.reset();
        throw pdfError(Language::text(QStringLiteral("the PDF writer could not start."),
                                      QStringLiteral("die PDF-Ausgabe konnte nicht beginnen.")));
    }
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
    const bool moved = pdf_ ? pdf_->newPage() : printer_->newPage();
    if (!moved) throw VbError(482, QStringLiteral("Printer error"));
    Cls();
}

void PrinterSurface::paint(const std::function<void(QPainter&)>& step) {
    if (finished_ || !painter_.isActive()) throw VbError(482, QStringLiteral("Printer error"));
    painter_.save();
    step(painter_);
    painter_.restore();
}

const QPaintDevice* PrinterSurface::metricsDevice() const {
    if (pdf_) return pdf_.get();
    return printer_.get();
}

void PrinterSurface::EndDoc() {
    if (finished_) return;
    finished_ = true;
    const bool ended = !painter_.isActive() || painter_.end();
    if (file_) {
        finishPdf(ended);
        return;
    }
    if (!ended) throw VbError(482, QStringLiteral("Printer error"));
}

void PrinterSurface::finishPdf(bool ended) {
    pdf_.reset();
    // Whatever goes wrong from here, the temporary file goes with the object and the target stays.
    auto fail = [&](const QString& why) {
        file_.reset();
        return pdfError(why);
    };
    if (!file_->flush() || file_->error() != QFileDevice::NoError) throw fail(file_->errorString());
    if (!ended)
        throw fail(Language::text(QStringLiteral("the PDF writer failed."),
                                  QStringLiteral("die PDF-Ausgabe ist fehlgeschlagen.")));
    if (::fsync(file_->handle()) != 0) throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    // A complete PDF is not empty and ends with its end marker.
    const qint64 size = file_->size();
    QByteArray tail;
    if (size > 0 && file_->seek(std::max<qint64>(0, size - 64))) tail = file_->readAll();
    if (size <= 0 || !tail.contains("%%EOF"))
        throw fail(Language::text(QStringLiteral("the file came out incomplete (%1 bytes)."),
                                  QStringLiteral("die Datei ist unvollständig (%1 Bytes)."))
                       .arg(size));
    // A temporary file is the user's alone; the PDF gets the mode of the file it replaces, or that of any
    // new file.
    struct stat earlier {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target_.pdfFile).constData(), &earlier) == 0) {
        mode = earlier.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file_->handle(), mode) != 0) throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    file_->close();
    // The rename replaces an earlier file in one step: there is always either the old or the new one.
    if (std::rename(QFile::encodeName(file_->fileName()).constData(),
                    QFile::encodeName(target_.pdfFile).constData()) != 0)
        throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    file_->setAutoRemove(false);
    file_.reset();
}

void PrinterSurface::KillDoc() {
    if (finished_) return;
    finished_ = true;
    if (printer_ && painter_.isActive()) printer_->abort();
    if (painter_.isActive()) painter_.end();
    pdf_.reset();
    file_.reset();
}

} // namespace platform
