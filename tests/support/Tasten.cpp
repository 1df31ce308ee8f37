#include "Tasten.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
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

} // namespace testsupport
