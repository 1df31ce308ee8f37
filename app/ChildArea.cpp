#include "ChildArea.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

ChildArea::ChildArea(QMdiArea* area) : QObject(area), area_(area) {
    // Before the area's own handling of Ctrl+Tab, which would also step to the start screen.
    qApp->installEventFilter(this);
}

bool ChildArea::stepWindows(int direction) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder))
        if (sub != background_ && sub->isVisible()) windows << sub;
    if (windows.isEmpty()) return false;
    const int at = int(windows.indexOf(area_->activeSubWindow()));
    const int next = at < 0 ? 0 : int((at + direction + windows.size()) % windows.size());
    area_->setActiveSubWindow(windows[next]);
    return true;
}

bool ChildArea::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (tab && (key->modifiers() & Qt::ControlModifier) && widget && area_->isAncestorOf(widget)) {
            // Ctrl+Tab steps only among the windows in front; with none there is nothing to step to.
            if (event->type() == QEvent::KeyPress)
                stepWindows(key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) ? -1 : 1);
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
