#include "PdfPrintDialog.h"

#include "../runtime/Language.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform {

PdfPrintDialog::PdfPrintDialog(const PrintRequest& request, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), request_(request), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PdfPrintDialog"));
    setWindowTitle(Language::text("Print", "Drucken"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(Language::text("No printer is installed: the pages are written into a PDF file.",
                                  "Es ist kein Drucker eingerichtet: die Seiten werden in eine PDF-Datei "
                                  "geschrieben."),
                   this));

    auto* range = new QGroupBox(Language::text("Pages", "Seiten"), this);
    auto* grid = new QGridLayout(range);
    allPages = new QRadioButton(Language::text("All", "Alle"), range);
    pageRange = new QRadioButton(Language::text("Pages from", "Seiten von"), range);
    fromPage = new QSpinBox(range);
    toPage = new QSpinBox(range);
    for (QSpinBox* s : {fromPage, toPage}) s->setRange(std::max(1, request.minPage), std::max(1, request.maxPage));
    fromPage->setValue(request.fromPage);
    toPage->setValue(request.toPage);
    grid->addWidget(allPages, 0, 0, 1, 4);
    grid->addWidget(pageRange, 1, 0);
    grid->addWidget(fromPage, 1, 1);
    grid->addWidget(new QLabel(Language::text("to", "bis"), range), 1, 2);
    grid->addWidget(toPage, 1, 3);
    pageRange->setEnabled(request.pageRangeOffered);
    (request.pageRangeOffered && !(request.fromPage == request.minPage && request.toPage == request.maxPage)
         ? pageRange
         : allPages)
        ->setChecked(true);
    layout->addWidget(range);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(Language::text("File:", "Datei:"), this));
    file = new QLineEdit(this);
    file->setText(request.suggestedPdfFile.isEmpty() ? QDir::home().filePath(QStringLiteral("TAMBRIN.pdf"))
                                                     : request.suggestedPdfFile);
    file->setMinimumWidth(360);
    fileRow->addWidget(file, 1);
    chooseFile = new QPushButton(QStringLiteral("..."), this);
    // The focus stays on "..." when its file dialog closes: Enter then prints, it does not browse again.
    chooseFile->setAutoDefault(false);
    connect(chooseFile, &QPushButton::clicked, this, &PdfPrintDialog::browse);
    fileRow->addWidget(chooseFile);
    layout->addLayout(fileRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    print = buttons->button(QDialogButtonBox::Ok);
    print->setText(Language::text("Print", "Drucken"));
    print->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(Language::text("Cancel", "Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PdfPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void PdfPrintDialog::browse() {
    // The question whether to replace files comes from accept(), once for every file the print writes.
    const QString chosen = QFileDialog::getSaveFileName(
        this, windowTitle(), file->text(), Language::text("PDF files (*.pdf)", "PDF-Dateien (*.pdf)"),
        nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty()) file->setText(chosen);
}

void PdfPrintDialog::accept() {
    QString name = file->text().trimmed();
    if (!name.isEmpty() && !name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) name += QStringLiteral(".pdf");
    const QFileInfo info(name);
    if (name.isEmpty() || !info.absoluteDir().exists()) {
        dialogs_.MsgBox(Language::text("Please give a PDF file in an existing folder.",
                                       "Bitte geben Sie eine PDF-Datei in einem vorhandenen Ordner an."),
                        Msg::OKOnly | Msg::Exclamation, windowTitle());
        return;
    }
    file->setText(info.absoluteFilePath());
    // The files this print writes that are there already.
    const PrintAnswer a = answer();
    const int first = a.range == PrintAnswer::Range::All ? request_.minPage : a.fromPage;
    const int last = a.range == PrintAnswer::Range::All ? request_.maxPage : a.toPage;
    QStringList there;
    for (int page = first; page <= last && page - first < 1000; ++page) {
        const QString pdf = pdfFileOfPage(a.pdfFile, page, first, last);
        if (QFileInfo::exists(pdf)) there << QDir::toNativeSeparators(pdf);
    }
    if (!there.isEmpty()) {
        const QString question =
            there.size() == 1
                ? Language::text("The file \"%1\" already exists. Do you want to replace it?",
                                 "Die Datei „%1“ besteht bereits. Soll sie ersetzt werden?")
                      .arg(there.front())
                : Language::text("These files already exist:\n%1\nDo you want to replace them?",
                                 "Diese Dateien bestehen bereits:\n%1\nSollen sie ersetzt werden?")
                      .arg(there.join(QLatin1Char('\n')));
        if (dialogs_.MsgBox(question, Msg::YesNo | Msg::Question, windowTitle()) != Msg::Yes) return;
    }
    QDialog::accept();
}

PrintAnswer PdfPrintDialog::answer() const {
    PrintAnswer a;
    a.range = pageRange->isChecked() ? PrintAnswer::Range::Pages : PrintAnswer::Range::All;
    a.fromPage = fromPage->value();
    a.toPage = std::max(fromPage->value(), toPage->value());
    a.pdfFile = file->text();
    return a;
}

} // namespace platform
