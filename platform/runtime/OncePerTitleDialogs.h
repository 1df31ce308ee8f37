#pragma once

#include "DialogService.h"

#include <map>

namespace platform {

// A dialog service in front of another that asks each message box once per title: a box whose title was
// asked before is answered as it was answered then, without showing it again. One failing routine that
// fails again for every sample, segment or draw call of a picture thus shows its box once. Once a box was
// answered with Cancel, every later box is answered with Cancel unseen: the user stopped the whole. Every
// other dialog goes to the service behind.
class OncePerTitleDialogs : public DialogService {
public:
    explicit OncePerTitleDialogs(DialogService& behind) : behind_(behind) {}

    // True once a box was answered with Cancel.
    bool cancelled() const { return cancelled_; }
    DialogService& behind() const { return behind_; }

    int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile = {},
               int helpContext = 0) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText = {}) override {
        return behind_.InputBox(prompt, title, defaultText);
    }
    std::optional<PrintAnswer> ShowPrinter(const PrintRequest& request) override {
        return behind_.ShowPrinter(request);
    }
    std::optional<long> ShowColor(long initialColor, const QString& title = {}) override {
        return behind_.ShowColor(initialColor, title);
    }
    std::optional<QString> BrowseFolder(const QString& title, const QString& startFolder) override {
        return behind_.BrowseFolder(title, startFolder);
    }
    std::optional<QString> OpenFileName(const QString& title, const QString& startFolder,
                                        const QString& filter) override {
        return behind_.OpenFileName(title, startFolder, filter);
    }
    int ShowForm(QDialog& form) override { return behind_.ShowForm(form); }

private:
    DialogService& behind_;
    std::map<QString, int> answers_;
    bool cancelled_ = false;
};

} // namespace platform
