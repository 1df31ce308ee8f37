#pragma once

#include <functional>
#include <QObject>

// F1 in any window of the program (the main window, a page, a dialog, a message box) opens the help, as
// ? / Help does. The help file has no topics to jump to, so the help context numbers of the menu items and
// forms are not passed on. Watches the application's key presses for as long as the object lives.
class HelpKey : public QObject {
    Q_OBJECT
public:
    HelpKey(QObject* parent, std::function<void()> openHelp);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> openHelp_;
};
