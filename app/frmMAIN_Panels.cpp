// The status-bar command panels 8 to 15: the input form's save and discard, and the page commands.
#include "frmANZEIGEN.h"
#include "frmMAIN.h"
#include "mdiAUTOSTART.h"

#include "platform/run/ErrorBox.h"
#include "platform/runtime/DesktopService.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/system/FileSystem.h"
#include "platform/system/OdtDocument.h"

#include <QMetaObject>

using namespace platform;
namespace fs = platform::FileSystem;

namespace {
// Ends a command at once without a message (the user's Cancel in a dialog).
struct CommandEnded {};
} // namespace

void frmMAIN::stbMAIN_MouseDown(int, int x) {
    for (int i = 8; i <= 15; ++i) {
        StatusPanel* p = stbMAIN->Panels(i);
        if (p->Visible() && p->Left() <= x && p->Left() + p->Width() >= x) p->setBevel(StatusPanel::Inset);
    }
    Sleep(250);
}

void frmMAIN::stbMAIN_PanelClick(int panel) {
    try {
        switch (panel) {
        case 8:
            saveInput();
            break;
        case 9:
            discardInput();
            break;
        case 10:
            showPageChooser();
            break;
        case 11:
            printPages();
            break;
        case 12:
            copyScreen();
            break;
        case 13:
            copyToWordProcessor();
            break;
        case 15:
            closePages();
            break;
        default:
            break; // 14 has no action
        }
    } catch (const CommandEnded&) {
    }
    // Common end.
    if (panel >= 8 && panel <= 15) stbMAIN->Panels(panel)->setBevel(StatusPanel::Raised);
    ScreenPointer::set(ScreenPointer::Default);
}

void frmMAIN::showPageChooser() {
    // The chooser reads the loaded pages each time it is asked for, so its list is never stale.
    if (!pageChooser_) pageChooser_ = new frmANZEIGEN(this);
    pageChooser_->Form_Load();
    pageChooser_->show();
    pageChooser_->raise();
    pageChooser_->activateWindow();
}

void frmMAIN::printPages() {
    ErrorTrap trap(stbMAIN->Panels(11)->Text());
    const QList<QWidget*> pages = PageList();
    const int n = int(pages.size());
    if (n == 0) return;
    int k = 0;
    QWidget* active = ActiveForm();
    for (int i = 0; i < n; ++i)
        if (active && pages[i]->objectName() == active->objectName()) k = i + 1;
    PrintRequest request;
    request.minPage = 1;
    request.maxPage = n;
    // Without an active page the preset is every page (a page number 0 is no valid preset).
    request.fromPage = k > 0 ? k : 1;
    request.toPage = k > 0 ? k : n;
    // The file the active page would print into without a dialog; the active records' names otherwise.
    QString name = fs::FileNameOf(stbMAIN->Panels(6)->Text()) + QStringLiteral(".pdf");
    QString eigener;
    if (active &&
        QMetaObject::invokeMethod(active, "PDFNAME", Qt::DirectConnection, Q_RETURN_ARG(QString, eigener)) &&
        !eigener.isEmpty())
        name = fs::FileNameOf(eigener);
    request.suggestedPdfFile = fs::BuildPath(fs::BuildPath(PROJEKTSPFAD, PROJEKT), name);
    std::optional<PrintAnswer> answer;
    if (!trap.step([&] { answer = dialogs().ShowPrinter(request); }) || !answer) return;
    Hourglass hourglass;
    int from = 1, to = n;
    if (answer->range != PrintAnswer::Range::All) {
        from = std::max(1, answer->fromPage);
        to = std::min(n, answer->toPage);
    }
    const QString pdf = answer->pdfFile;
    for (int page = from; page <= to; ++page) {
        PrintAnswer target = *answer;
        // Printing into PDF files: one file per page.
        if (!pdf.isEmpty()) target.pdfFile = platform::pdfFileOfPage(pdf, page, from, to);
        printer = target;
        // A page that printed nothing (its printer or PDF could not be opened or written, or a box of its job
        // was answered with Cancel) has given its message: the command ends there.
        bool gedruckt = false;
        if (!trap.step([&] {
                QMetaObject::invokeMethod(pages[page - 1], "DRUCKEN", Qt::DirectConnection,
                                          Q_RETURN_ARG(bool, gedruckt));
            }))
            return;
        if (!gedruckt) return;
    }
}

QString frmMAIN::copyFolder() const {
    return fs::BuildPath(fs::BuildPath(PROJEKTSPFAD, stbMAIN->Panels(2)->Text()), QStringLiteral("JPG"));
}

void frmMAIN::copyScreen() {
    ErrorTrap trap(stbMAIN->Panels(12)->Text());
    const QString folder = copyFolder();
    if (!trap.step([&] {
            if (!fs::FolderExists(folder)) fs::CreateFolder(folder);
        }))
        return;
    const QString proposed = fs::FileNameOf(stbMAIN->Panels(6)->Text() + QStringLiteral("-1"));
    std::optional<QString> answer;
    if (!trap.step([&] {
            answer = dialogs().InputBox(
                QStringLiteral("Bitte bestätigen oder ändern Sie den Dateinamen. Vorgabe: ") + folder +
                    QLatin1Char('/') + proposed + QStringLiteral(".bmp"),
                QStringLiteral("KOPIE"), proposed);
        }))
        return;
    if (!answer || answer->isEmpty()) return;
    ScreenPointer::set(ScreenPointer::Hourglass);
    QPixmap screen;
    if (!trap.step([&] {
            screen = grab();
            DoEvents();
        }))
        return;
    if (!trap.step([&] {
            const QString file = fs::BuildPath(folder, fs::FileNameOf(*answer) + QStringLiteral(".bmp"));
            if (!screen.save(file, "BMP")) throw VbError::permissionDenied(file);
        }))
        return;
    DoEvents();
}

void frmMAIN::copyToWordProcessor() {
    ErrorTrap trap(stbMAIN->Panels(13)->Text());
    Hourglass hourglass;
    QWidget* page = ActiveForm();
    if (!page) return;
    OdtDocument document;
    // The page's pictures are its visible picture boxes, in the order of its controls, each after its name.
    for (PictureBox* box : page->findChildren<PictureBox*>()) {
        // The page's own surface (header and footer) is the page, not one of its pictures.
        if (box->isHidden() || qobject_cast<PageSurface*>(box)) continue;
        if (!trap.step([&] {
                document.TypeText(box->objectName());
                document.TypeParagraph();
                document.PastePicture(box->picture());
                document.TypeParagraph();
            }))
            return;
    }
    QString file;
    if (!trap.step([&] {
            const QString folder = copyFolder();
            if (!fs::FolderExists(folder)) fs::CreateFolder(folder);
            const QString base =
                fs::FileNameOf(stbMAIN->Panels(6)->Text() + QLatin1Char('-') + page->objectName());
            for (int n = 1;; ++n) {
                file = fs::BuildPath(folder,
                                     base + QLatin1Char('-') + QString::number(n) + QStringLiteral(".odt"));
                if (!fs::FileExists(file)) break;
            }
            document.save(file);
        }))
        return;
    openDocument(file, stbMAIN->Panels(13)->Text(), true);
}

void frmMAIN::closePages() {
    ScreenPointer::set(ScreenPointer::Hourglass);
    for (QWidget* form : Forms())
        if (form->objectName() != QLatin1String("mdiAUTOSTART")) unloadChild(form);
    if (startScreen_) showChild(startScreen_);
    // The chooser goes with the pages it listed.
    if (pageChooser_) pageChooser_->close();
    for (int i = 10; i <= 15; ++i)
        setPanelVisible(i, false);
    mnuDATEI->menuAction()->setEnabled(true);
    mnuEXTRAS->menuAction()->setEnabled(true);
}

frmANZEIGEN* frmMAIN::pageChooser() const {
    return pageChooser_.data();
}
