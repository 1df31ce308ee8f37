#pragma once

#include "../runtime/DialogService.h"

class QWidget;

namespace platform {

// The dialog service of the running program: Qt's message box, input box, print, colour and file dialogs,
// owned by the main window.
class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile = {},
               int helpContext = 0) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText = {}) override;
    std::optional<PrintAnswer> ShowPrinter(const PrintRequest& request) override;
    std::optional<long> ShowColor(long initialColor, const QString& title = {}) override;
    std::optional<QString> BrowseFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> OpenFileName(const QString& title, const QString& startFolder,
                                        const QString& filter) override;
    int ShowForm(QDialog& form) override;

private:
    QWidget* owner_;
};

} // namespace platform
