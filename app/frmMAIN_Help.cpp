// The help menu and the info box.
#include "frmMAIN.h"

#include "frmINFO.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/DesktopService.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/system/FileSystem.h"

using namespace platform;
namespace fs = platform::FileSystem;

// There is no help viewer for a compiled help file here: the help is a hypertext page whose top is its
// contents, and the two documents are plain text; each opens with the desktop's default application.
QString frmMAIN::helpFile() const {
    return fs::BuildPath(programFolder(), TITLE() + QStringLiteral(".html"));
}
QString frmMAIN::readmeFile() const {
    return fs::BuildPath(programFolder(), TITLE() + QStringLiteral(".txt"));
}
QString frmMAIN::notesFile() const {
    return fs::BuildPath(programFolder(), TITLE() + QStringLiteral("_H.txt"));
}

void frmMAIN::mnuFRAGEZEICHEN_Click() {
    mnuHILFE->setEnabled(fs::FileExists(helpFile()));
    mnuREADME->setEnabled(fs::FileExists(readmeFile()));
    mnuHINWEISE->setEnabled(fs::FileExists(notesFile()));
}

void frmMAIN::mnuHILFE_Click() {
    openDocument(helpFile(), QStringLiteral("?/Hilfe"));
}
void frmMAIN::mnuREADME_Click() {
    openDocument(readmeFile(), QStringLiteral("?/ReadMe"));
}
void frmMAIN::mnuHINWEISE_Click() {
    openDocument(notesFile(), QStringLiteral("?/Hinweise"));
}

void frmMAIN::openDocument(const QString& file, const QString& title) {
    ScreenPointer::set(ScreenPointer::Hourglass);
    ErrorTrap(title).step([&] {
        if (!fs::FileExists(file)) throw VbError::fileNotFound(file);
        if (!desktop().openFile(file))
            throw VbError(429,
                          SystemLocale::pick(QStringLiteral("No program can open the document '%1'."),
                                             QStringLiteral("Kein Programm kann das Dokument '%1' öffnen."))
                              .arg(file));
    });
    ScreenPointer::set(ScreenPointer::Default);
}

void frmMAIN::mnuINFO_Click() {
    frmINFO info(this);
    info.Form_Load(startScreen_);
    dialogs().ShowForm(info);
}
