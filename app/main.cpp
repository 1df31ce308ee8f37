#include "frmMAIN.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/QtTranslations.h"
#include "platform/window/Application.h"

int main(int argc, char** argv) {
    // Every event of the run is delivered inside the program's one top-level trap.
    platform::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TAMBRIN"));
    QApplication::setOrganizationName(QStringLiteral("HELVANO"));
    // Qt's buttons and dialogs speak the program's language: German unless the locale is English.
    const platform::QtTranslations qtTexts(
        platform::Language::text(QStringLiteral("en"), QStringLiteral("de")));
    if (!qtTexts.loaded())
        qWarning("Qt's translations are not installed in %s (package qt6-translations-l10n): its buttons "
                 "and dialogs speak English.",
                 qPrintable(platform::QtTranslations::folder()));
    frmMAIN window;
    if (window.MDIForm_Load() != frmMAIN::LoadResult::Running) {
        window.endAbandonedStart();
        return 0;
    }
    window.watchSessionEnd();
    return QApplication::exec();
}
