// The button Enter presses in a message box: the first one, or the second where the question asks for it.
#include "platform/runtime/DialogService.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/window/QtDialogService.h"

#include "NextModalBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>

using namespace platform;

namespace {

// Presses Enter in the next modal box once it is open.
void enterDruecken(QWidget& box) {
    QWidget* ziel = box.focusWidget() ? box.focusWidget() : &box;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(ziel, &enter);
}

TEST(MsgBoxDefault, EnterAnswersWithTheDefaultButton) {
    const struct {
        int style;
        int answer;
    } cases[] = {
        {Msg::OKCancel | Msg::Exclamation, Msg::OK},
        {Msg::OKCancel | Msg::Exclamation | Msg::DefaultButton2, Msg::Cancel},
        {Msg::YesNo | Msg::Question, Msg::Yes},
        {Msg::YesNo | Msg::Question | Msg::DefaultButton2, Msg::No},
        {Msg::YesNoCancel | Msg::DefaultButton2, Msg::No},
        {Msg::OKOnly | Msg::DefaultButton2, Msg::OK},
    };
    QtDialogService dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(Msg::defaultAnswerOf(c.style), c.answer);
        NextModalBox enter(enterDruecken);
        EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), c.style, QStringLiteral("T")), c.answer);
        // A scripted Enter answers the same.
        ScriptedDialogs scripted;
        scripted.answerEnter();
        EXPECT_EQ(scripted.MsgBox(QStringLiteral("?"), c.style, QStringLiteral("T")), c.answer);
        EXPECT_TRUE(scripted.allAnswered());
    }
}

} // namespace
