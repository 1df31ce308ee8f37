#include "Application.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"

#include <QScopedValueRollback>

namespace platform {

bool Application::reporting_ = false;

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportEscaped(e);
    } catch (...) {
        reportEscaped();
    }
    return false;
}

void Application::reportEscaped(const std::exception& error) {
    const VbError vb = asVbError(error);
    if (reporting_ || !RunState::installed()) {
        qWarning("%s", qPrintable(ErrorBoxText(vb)));
        return;
    }
    const QScopedValueRollback<bool> once(reporting_, true);
    try {
        ShowErrorBox(vb, RunState::TITLE());
    } catch (...) {
        qWarning("%s", qPrintable(ErrorBoxText(vb)));
    }
}

void Application::reportEscaped() {
    reportEscaped(VbError(VbError::InvalidCall, Language::text(QStringLiteral("Unknown error"),
                                                               QStringLiteral("Unbekannter Fehler"))));
}

} // namespace platform
