#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

class QMdiArea;

class QScrollArea;

// The habits of the main window's child-window area that the area does not have by itself:
// - The area lies in a scroll area: it fills the window, and grows beyond it, with scroll bars, as far as
//   the controls of the active child window need, so that every part of a page or form can be reached in a
//   small window and no child window widens the main window.
// - Ctrl+Tab and Ctrl+Shift+Tab step through the child windows in front of the start screen; the start
//   screen behind them is left out (it comes back when the pages close).
// - A child window restored from maximised or minimised gets the size its form was laid out for, cut to the
//   area (a window shown maximised from the start would otherwise shrink to a bare title bar).
class ChildArea : public QObject {
    Q_OBJECT
public:
    // Puts the area into a scroll area, which takes its place as the main window's central widget.
    explicit ChildArea(QMdiArea* area);
    QScrollArea* scrollArea() const { return scroll_; }
    // Notes the room a child window's controls need, at the size the window was laid out for, before it
    // is added to the area and maximised (a form that centres its controls would otherwise ask for all
    // the room it was given).
    static void measure(QWidget* form);
    // Follows the window states of a child window added to the area: restored, it takes the size its form
    // was laid out for (as measure() noted it) inside the area.
    void follow(QMdiSubWindow* sub);
    // Gives the area the room the active child window's controls need.
    void fit();
    // The window that stays behind the others (the start screen's frame).
    void setBackground(QMdiSubWindow* background) { background_ = background; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stepWindows(int direction);
    void restored(QMdiSubWindow* sub);
    QMdiArea* area_;
    QScrollArea* scroll_;
    QPointer<QMdiSubWindow> background_;
    QPointer<QMdiSubWindow> shown_; // the window the area was fitted to last
};
