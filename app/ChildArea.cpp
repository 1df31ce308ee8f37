#include "ChildArea.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

// The room a child window's controls take: the union of its visible controls, leaving out a control that
// covers the whole window (a page's sheet, which follows the window's size), with the same margin at the
// right and bottom as at the left and top.
QSize neededSize(const QWidget* form) {
    QRect used;
    for (const QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || !child->isVisibleTo(form) || child->geometry() == form->rect()) continue;
        used |= child->geometry();
    }
    if (used.isEmpty()) return QSize(0, 0);
    // A form that centres its controls pushes them past its left or top edge when it is too small: then
    // it needs their extent with a small margin on both sides.
    const auto extent = [](int start, int length) { return start >= 0 ? 2 * start + length : length + 16; };
    return QSize(extent(used.left(), used.width()), extent(used.top(), used.height()));
}

const char* const kNeeded = "childAreaNeeded";
const char* const kLaidOut = "childAreaLaidOut";

} // namespace

void ChildArea::measure(QWidget* form) {
    form->setProperty(kNeeded, neededSize(form));
    form->setProperty(kLaidOut, form->size());
}

void ChildArea::follow(QMdiSubWindow* sub) {
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this, sub](Qt::WindowStates before, Qt::WindowStates now) {
                const Qt::WindowStates shrunkOrGrown = Qt::WindowMaximized | Qt::WindowMinimized;
                if ((before & shrunkOrGrown) && !(now & shrunkOrGrown))
                    restored(sub);
                else if (sub == area_->activeSubWindow())
                    fit(); // the frame around the form changed
            });
}

void ChildArea::restored(QMdiSubWindow* sub) {
    QWidget* form = sub->widget();
    const QVariant laidOut = form ? form->property(kLaidOut) : QVariant();
    if (!laidOut.isValid()) return;
    // The frame's edges and title bar are the window's margins around its form.
    const QMargins m = sub->contentsMargins();
    sub->resize(laidOut.toSize() + QSize(m.left() + m.right(), m.top() + m.bottom()));
    if (sub == area_->activeSubWindow()) fit();
    // The area is as large as what the scroll area shows, and at least as large as the active window needs.
    const QSize room = scroll_->viewport()->size().expandedTo(area_->minimumSize());
    QRect placed(sub->pos(), sub->size().boundedTo(room));
    placed.moveLeft(std::clamp(placed.left(), 0, room.width() - placed.width()));
    placed.moveTop(std::clamp(placed.top(), 0, room.height() - placed.height()));
    sub->setGeometry(placed);
}

ChildArea::ChildArea(QMdiArea* area) : QObject(area), area_(area), scroll_(new QScrollArea) {
    scroll_->setObjectName(QStringLiteral("mdiScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(area);
    connect(area, &QMdiArea::subWindowActivated, this, [this] { fit(); });
    // Before the area's own handling of Ctrl+Tab, which would also step to the start screen.
    qApp->installEventFilter(this);
}

void ChildArea::fit() {
    QSize needed(0, 0);
    QMdiSubWindow* sub = area_->activeSubWindow();
    if (sub && sub != background_ && sub->widget() && sub->isVisible()) {
        // The frame's own edges (and title) come on top of the form's controls.
        const QSize frame = sub->size() - sub->widget()->size();
        const QVariant measured = sub->widget()->property(kNeeded);
        needed = (measured.isValid() ? measured.toSize() : neededSize(sub->widget())) +
                 frame.expandedTo(QSize(0, 0));
    }
    if (area_->minimumSize() != needed) area_->setMinimumSize(needed);
    // Another window in front starts at its top left.
    if (sub != shown_) {
        shown_ = sub;
        scroll_->horizontalScrollBar()->setValue(0);
        scroll_->verticalScrollBar()->setValue(0);
    }
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
