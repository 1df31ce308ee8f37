#include "RunState.h"

#include "../db/Connection.h"
#include "../runtime/Language.h"
#include "../runtime/RecordingDesktop.h"
#include "../runtime/ScriptedDialogs.h"
#include "../runtime/VbError.h"
#include "../system/FileSystem.h"
#include "../system/SettingsStore.h"
#include "../system/UserAccount.h"
#include "ProgressBar.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

namespace {
// The one run state of the program: the main window's.
RunState* installedState = nullptr;
} // namespace

RunState::RunState()
    : defaultDialogs_(std::make_unique<ScriptedDialogs>()), defaultBar_(std::make_unique<RecordingProgressBar>()),
      defaultDesktop_(std::make_unique<RecordingDesktop>()) {}

RunState::~RunState() { uninstall(); }

RunState& RunState::current() {
    if (!installedState) throw VbError::objectNotSet();
    return *installedState;
}

RunState* RunState::installed() { return installedState; }

namespace {
// The run's messages speak the installed run state's language.
void speak() {
    Language::follow(installedState ? &installedState->SPRACHE : nullptr);
}
} // namespace

void RunState::install() {
    if (installed_) return;
    previous_ = installedState;
    installedState = this;
    installed_ = true;
    speak();
}

void RunState::uninstall() {
    if (!installed_) return;
    if (installedState == this) installedState = previous_;
    installed_ = false;
    speak();
}

QString RunState::BENUTZER() const {
    const QString name = userName_.isEmpty() ? LoginName() : userName_;
    if (name.isEmpty()) return QStringLiteral("UNBEK.");
    return name.toUpper();
}

QString RunState::DATENBANKPFAD() const {
    return SettingsStore::GetSetting(FAMILY(), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"));
}

void RunState::setDATENBANKPFAD(const QString& folder) {
    SettingsStore::SaveSetting(FAMILY(), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), folder);
}

namespace {
// Creates the folder unless it is there; another start at the same moment may make it first.
void ensureFolder(const QString& folder) {
    if (FileSystem::FolderExists(folder)) return;
    try {
        FileSystem::CreateFolder(folder);
    } catch (const VbError&) {
        if (!FileSystem::FolderExists(folder)) throw;
    }
}
} // namespace

QString RunState::XMDBPFAD() const {
    QString folder = FileSystem::BuildPath(FileSystem::GetParentFolderName(programFolder()), QStringLiteral("BENUTZER"));
    ensureFolder(folder);
    folder = FileSystem::BuildPath(folder, BENUTZER());
    ensureFolder(folder);
    return FileSystem::BuildPath(folder, TITLE() + QStringLiteral(".mdb"));
}

QString RunState::programFolder() const {
    if (!programFolder_.isEmpty()) return programFolder_;
    if (!QCoreApplication::instance()) return QString();
    const QString folder = QCoreApplication::applicationDirPath();
    if (!folder.isEmpty()) return folder;
    // The program file was replaced after it started (an update of the installation): the system then
    // names no file, but the path the program was started by still names its folder.
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).absolutePath();
}

void RunState::setProgramFolder(const QString& folder) { programFolder_ = folder; }

bool RunState::developmentMode() const { return programFolder().contains(QLatin1String("SOURCE"), Qt::CaseInsensitive); }

DialogService& RunState::dialogs() const { return dialogs_ ? *dialogs_ : *defaultDialogs_; }

void RunState::setDialogs(DialogService* dialogs) { dialogs_ = dialogs; }

DesktopService& RunState::desktop() const { return desktop_ ? *desktop_ : *defaultDesktop_; }

void RunState::setDesktop(DesktopService* desktop) { desktop_ = desktop; }

ProgressBar& RunState::pgbBERECHNEN() const { return progressBar_ ? *progressBar_ : *defaultBar_; }

void RunState::setProgressBar(ProgressBar* bar) { progressBar_ = bar; }

void RunState::stbMAIN_PanelClick(int) {}
void RunState::setPanelVisible(int, bool) {}
bool RunState::panelVisible(int) const { return false; }
void RunState::mnuBEENDEN_Click() {}
void RunState::mnuHILFE_Click() {}
QWidget* RunState::ActiveForm() const { return nullptr; }
QWidget* RunState::window() const { return nullptr; }

} // namespace platform
