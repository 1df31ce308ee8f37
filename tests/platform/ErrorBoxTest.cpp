#include "TestRun.h"
#include "platform/run/ErrorBox.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(ErrorTrap, OkGoesOnWithTheNextStepAndCancelLeaves) {
    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), false});
    std::vector<int> ran;
    run.dialogs().answer(Msg::OK).answer(Msg::Cancel);
    ErrorTrap trap(QStringLiteral("Bild 11"));
    trap.step([&] { ran.push_back(1); });
    trap.step([&] {
        ran.push_back(2);
        throw VbError::divisionByZero();
    });
    trap.step([&] { ran.push_back(3); });
    EXPECT_TRUE(trap.step([&] {
        ran.push_back(4);
        throw VbError::overflow();
    }) == false);
    EXPECT_FALSE(trap.step([&] { ran.push_back(5); }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(run.dialogs().asked().size(), 2u);
    const auto& first = run.dialogs().asked()[0];
    EXPECT_EQ(first.prompt, QStringLiteral("VB-Error: 11\nDivision durch Null"));
    EXPECT_EQ(first.title, QStringLiteral("Bild 11"));
    EXPECT_EQ(first.style, Msg::OKCancel | Msg::Exclamation);
    EXPECT_TRUE(trap.cancelled());
}

TEST(ErrorTrap, PrefixesAndForeignExceptions) {
    testsupport::TestRun run({QStringLiteral("en"), QStringLiteral("."), false});
    ErrorTrap trap(QStringLiteral("Auswerten/Neuberechnen"), QStringLiteral("VB-Error:"));
    trap.step([] { throw std::runtime_error("boom"); });
    EXPECT_EQ(run.dialogs().messages().value(0), QStringLiteral("VB-Error:5\nboom"));
}

TEST(ErrorTrap, ATextOfItsOwnIsMadeFromTheErrorWhenAStepFails) {
    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), false});
    int made = 0;
    ErrorTrap trap(QStringLiteral("Datenfehler"), [&](const VbError& e) {
        ++made;
        return QStringLiteral("Werte können nicht gelesen werden! (%1)").arg(e.Number());
    });
    trap.step([] {});
    EXPECT_EQ(made, 0);
    run.dialogs().answer(Msg::OK).answer(Msg::Cancel);
    EXPECT_TRUE(trap.step([] { throw VbError::overflow(); }));
    EXPECT_FALSE(trap.step([] { throw VbError::typeMismatch(); }));
    EXPECT_EQ(run.dialogs().messages(),
              (QStringList{QStringLiteral("Werte können nicht gelesen werden! (6)"),
                           QStringLiteral("Werte können nicht gelesen werden! (13)")}));
    EXPECT_EQ(run.dialogs().asked()[0].style, Msg::OKCancel | Msg::Exclamation);
    EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
    EXPECT_TRUE(trap.cancelled());
}

TEST(ScriptedDialogs, UnscriptedQuestionsGetTheFirstButtonAndAreMarked) {
    ScriptedDialogs d;
    EXPECT_EQ(d.MsgBox(QStringLiteral("?"), Msg::YesNoCancel | Msg::Question, QStringLiteral("T")), Msg::Yes);
    EXPECT_FALSE(d.allAnswered());
    EXPECT_EQ(d.InputBox(QStringLiteral("Kommentar: "), QStringLiteral("Mehrfachauswertung")), std::nullopt);
    d.answerText(QStringLiteral("abc"));
    EXPECT_EQ(d.InputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("abc"));
    EXPECT_EQ(d.count(QStringLiteral("InputBox")), 2);
}

} // namespace
