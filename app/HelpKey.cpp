#include "HelpKey.h"

#include <QCoreApplication>
#include <QKeyEvent>

HelpKey::HelpKey(QObject* parent, std::function<void()> openHelp)
    : QObject(parent), openHelp_(std::move(openHelp)) {
    QCoreApplication::instance()->installEventFilter(this);
}

HelpKey::~HelpKey() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    // A key press passes the filter for the window's QWindow and then for the focus widget: the widget's
    // counts, and is not passed on to its parents. A held key opens the help once.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat()) openHelp_();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
