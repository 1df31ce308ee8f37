// The row filter: the examples of thinning out a run of readings, the questions it asks again, and the
// coupled grid that loses the same rows.
#include "Gitterform.h"
#include "TestRun.h"

#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>

using platform::Msg::Answer;

namespace {

// A grid of readings r0, r1, ... in its data rows, numbered from 0.
void lesungen(Gitterform& f, int anzahl) {
    f.flx.setELSB({10, 17});
    f.flx.setELSTYP({1, 0});
    QStringList z;
    for (int i = 0; i < anzahl; ++i)
        z << QStringLiteral("\tr%1").arg(i);
    f.fuellen(z);
    f.flx.NUMMERIEREN();
}

QStringList reihe(std::initializer_list<int> nummern) {
    QStringList r;
    for (int n : nummern)
        r << QStringLiteral("r%1").arg(n);
    return r;
}

} // namespace

TEST(Zeilenfilter, KeepsTheMultiplesOfTheStep) {
    struct Fall {
        const char* erste;
        const char* letzte;
        const char* anzahl;
        int zeilen;
        QStringList bleiben;
    };
    const Fall faelle[] = {
        // The step is 2: 9, 7, 5, 3 and 1 go.
        {"0", "10", "5", 11, reihe({0, 2, 4, 6, 8, 10})},
        // 17 / 5 = 3.4 gives 3; the rows before 3 and after 20 stay.
        {"3", "20", "5", 23, reihe({0, 1, 2, 3, 6, 9, 12, 15, 18, 21, 22})},
        // 5 / 2 = 2.5 goes to the even 2.
        {"0", "5", "2", 6, reihe({0, 2, 4})},
        // 7 / 2 = 3.5 goes to the even 4.
        {"0", "7", "2", 8, reihe({0, 4})},
        // A fraction is rounded down.
        {"0,7", "10,9", "5,5", 11, reihe({0, 2, 4, 6, 8, 10})},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(f.erste, f.letzte, f.anzahl).toStdString());
        testsupport::TestRun run(testsupport::ohneDatenbank());
        Gitterform g(2, 2);
        lesungen(g, f.zeilen);
        run.dialogs()
            .answerText(QString::fromUtf8(f.erste))
            .answerText(QString::fromUtf8(f.letzte))
            .answerText(QString::fromUtf8(f.anzahl));
        g.flx.ZEILENFILTER();
        EXPECT_EQ(g.spalte(1), f.bleiben);
        QStringList nummern;
        for (int i = 0; i < f.bleiben.size(); ++i)
            nummern << QString::number(i);
        EXPECT_EQ(g.spalte(0), nummern);
        EXPECT_TRUE(run.dialogs().messages().isEmpty());
    }
}

TEST(Zeilenfilter, TheDefaultsRemoveNothing) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform g(2, 2);
    lesungen(g, 4);
    run.dialogs()
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("3"))
        .answerText(QStringLiteral("3"));
    g.flx.ZEILENFILTER();
    const auto& a = run.dialogs().asked();
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0].prompt, "Erste Zeile: ");
    EXPECT_EQ(a[0].title, "Zeilenfilter");
    EXPECT_EQ(a[0].defaultText, "0");
    EXPECT_EQ(a[1].prompt, "Letzte Zeile: ");
    EXPECT_EQ(a[1].defaultText, "3");
    EXPECT_EQ(a[2].prompt, "Reduzierte Zeilenanzahl: ");
    EXPECT_EQ(a[2].defaultText, "3");
    EXPECT_EQ(g.spalte(1), reihe({0, 1, 2, 3}));
}

// The default count of one data row is 0, which is refused; Cancel in the warning leaves the grid alone.
TEST(Zeilenfilter, OneDataRowTakesNoCount) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform g(2, 2);
    lesungen(g, 1);
    run.dialogs()
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("0"));
    run.dialogs().answer(Answer::Cancel);
    g.flx.ZEILENFILTER();
    EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1);
    EXPECT_EQ(run.dialogs().asked().back().title, "MSFlexGrid / Zeilenfilter");
    EXPECT_EQ(g.spalte(1), reihe({0}));
}

// An entry that is no row number is asked again after OK: a text, an empty entry, a number rounded down
// below the first data row, a number beyond the last; Cancel in the message leaves.
TEST(Zeilenfilter, AnInvalidEntryIsAskedAgain) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform g(2, 2);
    lesungen(g, 11);
    run.dialogs()
        .answerText(QStringLiteral("abc"))
        .answer(Answer::OK)
        .answerText(QString())
        .answer(Answer::OK)
        .answerText(QStringLiteral("-0,5"))
        .answer(Answer::OK)
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("11"))
        .answer(Answer::OK)
        .answerText(QStringLiteral("10"))
        .answerText(QStringLiteral("11"))
        .answer(Answer::OK)
        .answerText(QStringLiteral("5"));
    g.flx.ZEILENFILTER();
    EXPECT_EQ(run.dialogs().messages(),
              (QStringList{"Ungültige Angabe für die Nummer der ersten Zeile!",
                           "Ungültige Angabe für die Nummer der ersten Zeile!",
                           "Ungültige Angabe für die Nummer der ersten Zeile!",
                           "Ungültige Angabe für die Nummer der letzten Zeile!",
                           "Ungültige Angabe für die reduzierte Zeilenanzahl!\nErlaubt sind 1 bis 10."}));
    EXPECT_EQ(g.spalte(1), reihe({0, 2, 4, 6, 8, 10}));
    EXPECT_TRUE(run.dialogs().allAnswered());
}

// Cancel in any of the three input boxes leaves at once: no message, the grid as it was.
TEST(Zeilenfilter, CancelInAnInputBoxLeaves) {
    for (int box = 0; box < 3; ++box) {
        SCOPED_TRACE(box);
        testsupport::TestRun run(testsupport::ohneDatenbank());
        Gitterform g(2, 2);
        lesungen(g, 6);
        const QString antworten[] = {QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("2")};
        for (int i = 0; i < box; ++i)
            run.dialogs().answerText(antworten[i]);
        run.dialogs().answerText(std::nullopt);
        g.flx.ZEILENFILTER();
        EXPECT_EQ(run.dialogs().count(QStringLiteral("InputBox")), box + 1);
        EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 0);
        EXPECT_EQ(g.spalte(1), reihe({0, 1, 2, 3, 4, 5}));
        EXPECT_TRUE(run.dialogs().allAnswered());
    }
}

TEST(Zeilenfilter, FirstEqualToLastTakesNoCount) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform g(2, 2);
    lesungen(g, 5);
    run.dialogs()
        .answerText(QStringLiteral("2"))
        .answerText(QStringLiteral("2"))
        .answerText(QStringLiteral("1"));
    run.dialogs().answer(Answer::Cancel);
    g.flx.ZEILENFILTER();
    EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1);
    EXPECT_EQ(g.spalte(1), reihe({0, 1, 2, 3, 4}));
}

// The readings of a coupled grid stay beside theirs.
TEST(Zeilenfilter, TheCoupledGridLosesTheSameRows) {
    testsupport::TestRun run(testsupport::ohneDatenbank());
    Gitterform g(2, 2);
    Gitterform h(2, 2);
    lesungen(g, 6);
    h.flx.setELSB({10, 17});
    h.flx.setELSTYP({1, 0});
    h.fuellen({"\th0", "\th1", "\th2", "\th3", "\th4", "\th5"});
    g.flx.setEFLXK(&h.flx);
    run.dialogs()
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("5"))
        .answerText(QStringLiteral("2"));
    g.flx.ZEILENFILTER();
    EXPECT_EQ(g.spalte(1), reihe({0, 2, 4}));
    EXPECT_EQ(h.spalte(1), (QStringList{"h0", "h2", "h4"}));
    EXPECT_EQ(h.spalte(0), (QStringList{"0", "1", "2"}));
}
