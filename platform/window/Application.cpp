#include "Application.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Language.h"
#include "platform/runtime/VbError.h"

#include <QScopedValueRollback>
#include <clocale>

namespace platform {

bool Application::reporting_ = false;

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // QApplication has set the C library's locale from the environment, where printf and strtod write and
    // read a decimal comma. The program converts its numbers without the C library and applies the run's
    // decimal sign itself; the point here only keeps a library that does use printf from writing a comma
    // in between. A platform theme or a print dialog may set the locale again, so nothing relies on it.
    std::setlocale(LC_NUMERIC, "C");
}

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
