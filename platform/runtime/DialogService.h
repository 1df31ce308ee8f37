#pragma once

#include <QString>
#include <optional>

class QDialog;

namespace platform {

// Buttons, icons and answers of a message box, with the numbers the program uses.
namespace Msg {
enum Buttons : int {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    // The second button is the default one (Enter answers with it), not the first.
    DefaultButton2 = 256,
    HelpButton = 16384,
};
enum Answer : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
inline int buttonsOf(int style) { return style & 7; }
inline int iconOf(int style) { return style & 112; }
// The answer of the button Enter presses: the first one, or the second with DefaultButton2.
inline int defaultAnswerOf(int style) {
    const bool second = style & DefaultButton2;
    switch (buttonsOf(style)) {
    case OKCancel:
        return second ? Cancel : OK;
    case AbortRetryIgnore:
        return second ? Retry : Abort;
    case YesNoCancel:
    case YesNo:
        return second ? No : Yes;
    case RetryCancel:
        return second ? Cancel : Retry;
    default:
        return OK;
    }
}
} // namespace Msg

// What the print dialog is asked and what it answers.
struct PrintRequest {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
    bool pageRangeOffered = true; // the dialog shows "pages from .. to .."
    int copies = 1;
    QString suggestedPdfFile; // where the pages go when the machine has no printer
};
struct PrintAnswer {
    enum class Range { All, Pages, Selection };
    Range range = Range::All;
    int fromPage = 1;
    int toPage = 1;
    int copies = 1;
    QString printerName; // empty: the default printer
    QString pdfFile;     // not empty: print into this PDF file instead of a printer
};

// The PDF file that one page of a print into PDF files goes to: the chosen file itself when a single page
// is printed, otherwise one file per page, the page number added to the chosen name ("Probe-2.pdf").
inline QString pdfFileOfPage(const QString& pdfFile, int page, int firstPage, int lastPage) {
    if (lastPage <= firstPage) return pdfFile;
    QString base = pdfFile;
    if (base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) base.chop(4);
    return base + QLatin1Char('-') + QString::number(page) + QStringLiteral(".pdf");
}

// Every question the program asks the user goes through this service: message boxes, input boxes and the
// common dialogs. The program uses the Qt dialogs; tests install a scripted service that records what was
// asked and answers from a script, so that no test waits for a modal window.
class DialogService {
public:
    virtual ~DialogService() = default;

    // A message box: text, buttons and icon (Msg::Buttons), title. Returns the Msg::Answer chosen.
    // The help button (Msg::HelpButton) opens `helpFile` at `helpContext` without closing the box.
    virtual int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile = {},
                       int helpContext = 0) = 0;
    // An input box: the typed text, or std::nullopt when the user cancelled.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText = {}) = 0;
    // The print dialog: the user's choice, or std::nullopt on Cancel.
    virtual std::optional<PrintAnswer> ShowPrinter(const PrintRequest& request) = 0;
    // The colour dialog with its title: the chosen colour (R + 256*G + 65536*B), or std::nullopt on Cancel.
    virtual std::optional<long> ShowColor(long initialColor, const QString& title = {}) = 0;
    // A folder chooser: the chosen folder, or std::nullopt on Cancel.
    virtual std::optional<QString> BrowseFolder(const QString& title, const QString& startFolder) = 0;
    // A file chooser for opening: the chosen file, or std::nullopt on Cancel.
    virtual std::optional<QString> OpenFileName(const QString& title, const QString& startFolder,
                                                const QString& filter) = 0;
    // Shows one of the program's dialog forms modally and returns when it is closed, with QDialog::exec's
    // result. The form is loaded (its texts set) before; its owner is its parent widget.
    virtual int ShowForm(QDialog& form) = 0;
};

} // namespace platform
