#include "QtDialogService.h"

#include "PdfPrintDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QColorDialog>
#include <QDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QUrl>

namespace platform {

namespace {
QWidget* activeOwner(QWidget* owner) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return owner;
}
} // namespace

int QtDialogService::MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile,
                            int) {
    QMessageBox box(activeOwner(owner_));
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("TAMBRIN") : title);
    // The program's texts hold names, folders and lock holders read from files and databases: they are
    // shown as they stand, never as markup; the line breaks are the program's own.
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    switch (Msg::iconOf(style)) {
    case Msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case Msg::Question: box.setIcon(QMessageBox::Question); break;
    case Msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Msg::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (Msg::buttonsOf(style)) {
    case Msg::OKCancel: choices = {{QMessageBox::Ok, Msg::OK}, {QMessageBox::Cancel, Msg::Cancel}}; break;
    case Msg::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, Msg::Abort}, {QMessageBox::Retry, Msg::Retry}, {QMessageBox::Ignore, Msg::Ignore}};
        break;
    case Msg::YesNoCancel:
        choices = {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}, {QMessageBox::Cancel, Msg::Cancel}};
        break;
    case Msg::YesNo: choices = {{QMessageBox::Yes, Msg::Yes}, {QMessageBox::No, Msg::No}}; break;
    case Msg::RetryCancel: choices = {{QMessageBox::Retry, Msg::Retry}, {QMessageBox::Cancel, Msg::Cancel}}; break;
    default: choices = {{QMessageBox::Ok, Msg::OK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    for (const auto& c : choices)
        if (c.answer == Msg::defaultAnswerOf(style)) box.setDefaultButton(c.button);
    QPushButton* help = nullptr;
    if ((style & Msg::HelpButton) && !helpFile.isEmpty()) {
        help = box.addButton(QMessageBox::Help);
        // The help button opens the help and leaves the question open.
        help->disconnect();
        QObject::connect(help, &QPushButton::clicked, [helpFile] {
            QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
        });
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& c : choices)
        if (c.button == clicked) return c.answer;
    // Closed without a button: Cancel where there is one, else No, else the first button.
    for (const int answer : {int(Msg::Cancel), int(Msg::No)})
        for (const auto& c : choices)
            if (c.answer == answer) return c.answer;
    return choices.front().answer;
}

std::optional<QString> QtDialogService::InputBox(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
    QInputDialog dialog(activeOwner(owner_));
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // The prompt as plain text, as in the message box.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::optional<PrintAnswer> QtDialogService::ShowPrinter(const PrintRequest& request) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the choice is a PDF file.
        PdfPrintDialog dialog(request, *this, activeOwner(owner_));
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.answer();
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFromTo(request.fromPage, request.toPage);
    QPrintDialog dialog(&printer, activeOwner(owner_));
    dialog.setMinMax(request.minPage, request.maxPage);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintCollateCopies;
    if (request.pageRangeOffered) options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    if (request.fromPage >= request.minPage && request.toPage >= request.fromPage && request.fromPage > 0)
        dialog.setFromTo(request.fromPage, request.toPage);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PrintAnswer answer;
    switch (printer.printRange()) {
    case QPrinter::PageRange: answer.range = PrintAnswer::Range::Pages; break;
    case QPrinter::Selection: answer.range = PrintAnswer::Range::Selection; break;
    default: answer.range = PrintAnswer::Range::All; break;
    }
    answer.fromPage = printer.fromPage();
    answer.toPage = printer.toPage();
    answer.copies = printer.copyCount();
    if (printer.outputFormat() == QPrinter::PdfFormat) answer.pdfFile = printer.outputFileName();
    else answer.printerName = printer.printerName();
    return answer;
}

std::optional<long> QtDialogService::ShowColor(long initialColor, const QString& title) {
    const QColor initial(int(initialColor & 0xFF), int((initialColor >> 8) & 0xFF), int((initialColor >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(initial, activeOwner(owner_), title);
    if (!c.isValid()) return std::nullopt;
    return long(c.red()) + 256L * c.green() + 65536L * c.blue();
}

std::optional<QString> QtDialogService::BrowseFolder(const QString& title, const QString& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(activeOwner(owner_), title, startFolder);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<QString> QtDialogService::OpenFileName(const QString& title, const QString& startFolder,
                                                     const QString& filter) {
    const QString file = QFileDialog::getOpenFileName(activeOwner(owner_), title, startFolder, filter);
    if (file.isEmpty()) return std::nullopt;
    return file;
}

int QtDialogService::ShowForm(QDialog& form) { return form.exec(); }

} // namespace platform
