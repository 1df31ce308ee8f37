#pragma once

#include "../runtime/DialogService.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace platform {

// The print dialog of a machine without a printer: the pages to print (all, or from .. to) and the PDF
// file they go into. Its own questions and messages go through the dialog service it is given.
class PdfPrintDialog : public QDialog {
    Q_OBJECT
public:
    PdfPrintDialog(const PrintRequest& request, DialogService& dialogs, QWidget* parent = nullptr);
    // The choice, once the dialog was accepted.
    PrintAnswer answer() const;
    // Accepts a file in an existing folder (".pdf" is appended when missing). When the print would
    // replace files that are there (the file, or the files of its pages), it asks first; No keeps the
    // dialog open.
    void accept() override;

    QRadioButton* allPages;
    QRadioButton* pageRange;
    QSpinBox* fromPage;
    QSpinBox* toPage;
    QLineEdit* file;
    QPushButton* chooseFile; // "...": the file dialog
    QPushButton* print;      // the dialog's default button: Enter prints

private:
    void browse();

    PrintRequest request_;
    DialogService& dialogs_;
};

} // namespace platform
