#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>

class QMdiArea;

// Ctrl+Tab and Ctrl+Shift+Tab step through the child windows in front of the start screen; the start
// screen behind them is left out (it comes back when the pages close).
class ChildArea : public QObject {
    Q_OBJECT
public:
    explicit ChildArea(QMdiArea* area);
    // The window that stays behind the others (the start screen's frame).
    void setBackground(QMdiSubWindow* background) { background_ = background; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stepWindows(int direction);
    QMdiArea* area_;
    QPointer<QMdiSubWindow> background_;
};
