#pragma once

#include <QString>
#include <Qt>

class QWidget;

namespace testsupport {

// One key as the keyboard sends it to a control: pressed, then released.
void taste(QWidget* ziel, int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& text = {});
// Typed characters, each to the control that has the focus when it comes, as a user types without looking.
// Fails the test when no control has the focus.
void tippen(const QString& text);
// A click of the left button into the middle of a control: the press gives the focus by the mouse to it or
// the nearest parent that takes it, as the application does for a click of the pointer, then the press and
// the release reach the control.
void klicken(QWidget* ziel);

} // namespace testsupport
