// The help menu and the info box.
#include "frmMAIN.h"

#include "frmINFO.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/DesktopService.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/system/FileSystem.h"

#include <QDir>

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

void frmMAIN::openDocument(const QString& file, const QString& title, bool written) {
    ScreenPointer::set(ScreenPointer::Hourglass);
    bool found = false;
    ErrorTrap(title).step([&] {
        if (!fs::FileExists(file)) throw VbError::fileNotFound(file);
        found = true;
    });
    const bool opened = found && desktop().openFile(file);
    ScreenPointer::set(ScreenPointer::Default);
    if (!found || opened) return;
    // The file is there; only the program to show it is missing. The user is told where the file is.
    const QString where = written ? Language::text(QStringLiteral("The file was written:"),
                                                   QStringLiteral("Die Datei wurde geschrieben:"))
                                  : Language::text(QStringLiteral("The file is here:"),
                                                   QStringLiteral("Die Datei liegt hier:"));
    const QString none =
        Language::text(QStringLiteral("No program is set up to open files of this kind on this "
                                      "computer; open it with a program of your choice."),
                       QStringLiteral("Auf diesem Rechner ist kein Programm eingerichtet, das "
                                      "Dateien dieser Art öffnet; öffnen Sie sie mit einem "
                                      "Programm Ihrer Wahl."));
    dialogs().MsgBox(where + QLatin1Char('\n') + QDir::toNativeSeparators(file) + QStringLiteral("\n\n") +
                         none,
                     Msg::Information | Msg::OKOnly, title);
}

void frmMAIN::mnuINFO_Click() {
    frmINFO info(this);
    info.Form_Load(startScreen_);
    dialogs().ShowForm(info);
}
