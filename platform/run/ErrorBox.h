#pragma once

#include "../runtime/VbError.h"

#include <QString>
#include <functional>
#include <utility>

namespace platform {

// The error box of the program: prefix ("VB-Error: "), error number, line break, description; OK and
// Cancel with the exclamation icon; the title names the procedure or command. True when OK was chosen.
bool ShowErrorBox(const VbError& error, const QString& title, const QString& prefix = QStringLiteral("VB-Error: "));
// The text of the box.
QString ErrorBoxText(const VbError& error, const QString& prefix = QStringLiteral("VB-Error: "));
// Any exception as the VbError that reports it.
VbError asVbError(const std::exception& e);

// Runs a handler step by step under the error box: a step that fails shows the box; OK goes on with the
// next step, Cancel leaves the handler (every later step is skipped).
//
//   ErrorTrap trap(QStringLiteral("Bild 11"));
//   trap.step([&] { ... });
//   if (!trap.step([&] { ... })) return;
class ErrorTrap {
public:
    explicit ErrorTrap(QString title, QString prefix = QStringLiteral("VB-Error: "))
        : title_(std::move(title)), prefix_(std::move(prefix)) {}
    // A trap whose box shows a text of its own, made from the error when a step fails (for the messages
    // that name more than the error, or less).
    ErrorTrap(QString title, std::function<QString(const VbError&)> text)
        : title_(std::move(title)), text_(std::move(text)) {}

    // Runs one step. False once the user chose Cancel (now or in an earlier step). Any callable: steps run
    // once per row of a transfer, so they are not wrapped into a std::function.
    template <typename Body> bool step(Body&& body) {
        if (cancelled_) return false;
        try {
            body();
        } catch (const std::exception& e) {
            report(e);
        }
        return !cancelled_;
    }
    bool cancelled() const { return cancelled_; }
    // True when a step failed (whatever the answer).
    bool failed() const { return failed_; }
    const QString& title() const { return title_; }

private:
    // Shows the box of a failed step; Cancel cancels the handler.
    void report(const std::exception& e);

    QString title_;
    QString prefix_;
    std::function<QString(const VbError&)> text_;
    bool cancelled_ = false;
    bool failed_ = false;
};

} // namespace platform
