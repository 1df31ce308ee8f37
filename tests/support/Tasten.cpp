#include "Tasten.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

void taste(QWidget* ziel, int key, Qt::KeyboardModifiers mod, const QString& text) {
    QKeyEvent druck(QEvent::KeyPress, key, mod, text);
    QApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, key, mod, text);
    QApplication::sendEvent(ziel, &los);
}

void tippen(const QString& text) {
    for (QChar c : text) {
        QWidget* ziel = QApplication::focusWidget();
        ASSERT_NE(ziel, nullptr);
        taste(ziel, 0, Qt::NoModifier, QString(c));
    }
}

void klicken(QWidget* ziel) {
    const QPointF mitte(ziel->width() / 2.0, ziel->height() / 2.0);
    const QPointF global = ziel->mapToGlobal(mitte);
    // The application gives the focus only for a press that comes from the window system: to the control
    // or the nearest of its parents that takes the focus by a click.
    for (QWidget* w = ziel; w && !w->isWindow(); w = w->parentWidget())
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
    QMouseEvent druck(QEvent::MouseButtonPress, mitte, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(ziel, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, mitte, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &los);
}

} // namespace testsupport
