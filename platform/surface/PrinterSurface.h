#pragma once

#include "PainterSurface.h"
#include "platform/runtime/VbError.h"

#include <memory>
#include <QPainter>
#include <QString>

class QPdfWriter;
class QPrinter;
class QTemporaryFile;

namespace platform {

// Where a printed page goes: a printer by name (empty: the default printer), or a PDF file.
struct PrintTarget {
    QString printerName;
    QString pdfFile; // not empty: the page is written into this PDF file
    QString documentName = QStringLiteral("TAMBRIN");
};

// The printer page: one sheet of A4 landscape, the whole paper addressable, positions measured from the
// paper's top-left corner. One object is one print job of one page: EndDoc sends it, KillDoc discards it;
// a job neither sent nor discarded is sent when the object ends.
//
// The job is opened when the object is made: a printer or a PDF file that can't be opened raises one
// error that names it and says why, and no object comes to be. A PDF is written into a temporary file
// beside its target; EndDoc checks it (written without an error, not empty, ending with its end marker)
// and only then puts it in the target's place. A failed write leaves neither the temporary file nor a
// new target, and raises one error.
class PrinterSurface : public PainterSurface {
public:
    // The thinnest printed line in millimetres (a one-pixel pen).
    static constexpr double kMinimumLineMm = 0.1;

    explicit PrinterSurface(const PrintTarget& target);
    ~PrinterSurface() override;

    bool isPrinter() const override { return true; }
    float ScaleWidth() const override { return widthMm_; }
    float ScaleHeight() const override { return heightMm_; }
    // The printer page cannot be cleared: only the current point goes to (0, 0).
    void Cls() override;
    // Ends the sheet: what follows is drawn on a new sheet of the same job.
    void NewPage() override;

    // Ends the job: the sheet goes to the printer (or the PDF file is written and checked).
    void EndDoc();
    // Cancels the job: nothing of it is printed and no PDF file of it is left.
    void KillDoc();
    bool finished() const { return finished_; }

protected:
    void paint(const std::function<void(QPainter&)>& step) override;
    const QPaintDevice* metricsDevice() const override;

private:
    void openPrinter();
    void openPdf();
    // Checks the written PDF and moves it into the target's place.
    void finishPdf(bool ended);
    // The error of a PDF that can't be written, naming the file and the reason.
    VbError pdfError(const QString& why) const;

    PrintTarget target_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTemporaryFile> file_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
    float widthMm_ = 297;
    float heightMm_ = 210;
    bool finished_ = false;
};

} // namespace platform
