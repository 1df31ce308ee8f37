#include "Installation.h"

#include "ExampleRecords.h"
#include "frmMAIN.h"
#include "mdiSEITE1.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ProgressBar.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>

namespace Msg = platform::Msg;
using platform::Connection;
using platform::Recordset;
using platform::Variant;
using testsupport::Installation;

namespace {

// A project with the two published records; set B (ID 2) and set C (ID 3) beside the installation's
// record "Probe" (ID 1, no readings).
class Evaluate : public ::testing::Test {
protected:
    void SetUp() override {
        {
            Connection c;
            c.Open(inst.projectDatabase());
            c.Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
            examples::store(c, examples::dryingSet(), 2, true);
            examples::store(c, examples::withOversize(examples::addedWaterSet()), 3, false);
            c.Execute(QStringLiteral("DELETE FROM A1")); // the menu makes the rows it needs
        }
        w = &inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        w->setProgressHold(0);
        w->setProgressBar(&bar);
        inst.dialogs().clear();
    }
    void activate(std::initializer_list<int> ids) {
        w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
        for (int id : ids) w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID=?"), {Variant(std::int32_t(id))});
    }
    long rows(const QString& sql) {
        Recordset rs;
        rs.Open(sql, *w->cnnX);
        return rs.RecordCount();
    }
    Variant value(const QString& sql) {
        Recordset rs;
        rs.Open(sql, *w->cnnX);
        return rs.eof() ? Variant() : rs.Value(0);
    }
    QList<bool> states() {
        return {w->mnuEINGABEGRAFIK->isEnabled(), w->mnuBERECHNEN->isEnabled(), w->mnuMBERECHNEN->isEnabled(),
                w->mnuFBERECHNEN->isEnabled(), w->mnuNEUBERECHNEN->isEnabled()};
    }

    Installation inst;
    frmMAIN* w = nullptr;
    platform::RecordingProgressBar bar;
};

TEST_F(Evaluate, ItemStatesAndTheRowsTheMenuCreates) {
    // (grafik, calculate, multiple, next, first)
    activate({});
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(states(), (QList<bool>{false, false, false, false, false}));

    activate({2});
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(states(), (QList<bool>{false, false, false, false, true}));
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=2")), Variant(true));
    w->cnnX->Execute(QStringLiteral("UPDATE A1 SET BONEU=0 WHERE ID=2"));
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(states(), (QList<bool>{false, true, false, false, true}));

    activate({2, 3});
    w->mnuAUSWERTEN_Click();
    w->mnuAUSWERTEN_Click(); // a second opening creates nothing more
    EXPECT_EQ(states(), (QList<bool>{false, false, true, false, false}));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0 AND [KEN]='M' AND [KOM]='Mehrfachauswertung' "
                                  "AND [AKT]=false")),
              1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0 AND [BONEU]=true")), 1);
    EXPECT_FALSE(w->dirty()); // opening the menu sets no dirty flag
    EXPECT_TRUE(inst.dialogs().asked().empty());
}

TEST_F(Evaluate, CalculateFirstEvaluatesAndShowsPageOne) {
    activate({2});
    w->cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU, SRLI, POSP) VALUES (2, 0, 0, 1)"));
    w->mnuNEUBERECHNEN_Click();
    EXPECT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();
    QWidget* page = w->Form(QStringLiteral("mdiSEITE1"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(w->ActiveForm(), page);
    EXPECT_TRUE(w->isEnabled());
    // The row was made afresh: the display options are the defaults again, the results are stored.
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=2")), Variant(false));
    EXPECT_EQ(value(QStringLiteral("SELECT [SRLI] FROM [A1] WHERE [ID]=2")), Variant(std::int16_t(1)));
    EXPECT_EQ(value(QStringLiteral("SELECT [POSP] FROM [A1] WHERE [ID]=2")), Variant(std::int16_t(0)));
    EXPECT_GT(value(QStringLiteral("SELECT [RHPR] FROM [A1] WHERE [ID]=2")).asSingle(), 1.8f);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [A2] WHERE [ID]=2")), 6);
    // The diagram wrote its defaults.
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [G0] WHERE [ID]=2 AND [IDOBJEKT]=11 AND [RL]=12 AND [RR]=12 "
                                  "AND [RO]=9 AND [RU]=12 AND [OX]=1 AND [OY]=1")),
              1);
    for (int i : {10, 11, 12, 13, 15}) EXPECT_TRUE(w->panelVisible(i)) << i;
    EXPECT_FALSE(w->panelVisible(14)); // the active page hides the AutoCAD panel
    EXPECT_TRUE(w->dirty());
    EXPECT_FALSE(w->mnuDATEI->menuAction()->isEnabled());
    // 0, 30, 60, 100 of the evaluation, 0 .. 95 of the page, then 100 and back to 0 hidden.
    EXPECT_EQ(bar.values(), (std::vector<float>{0, 30, 60, 100, 0, 20, 50, 70, 95, 100, 0}));
    EXPECT_FALSE(bar.isVisible());
}

TEST_F(Evaluate, ThePageWindowsCloseBoxClosesThePagesAsEscDoes) {
    activate({2});
    w->mnuNEUBERECHNEN_Click();
    QWidget* page = w->Form(QStringLiteral("mdiSEITE1"));
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(w->mnuDATEI->menuAction()->isEnabled());
    auto* window = qobject_cast<QMdiSubWindow*>(page->parentWidget());
    ASSERT_NE(window, nullptr);
    window->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    EXPECT_EQ(w->Forms().size(), 1);
    for (int i = 10; i <= 15; ++i)
        EXPECT_FALSE(w->panelVisible(i)) << i;
    EXPECT_TRUE(w->mnuDATEI->menuAction()->isEnabled());
    EXPECT_TRUE(w->mnuEXTRAS->menuAction()->isEnabled());
    EXPECT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();
}

TEST_F(Evaluate, CalculateShowsTheStoredResults) {
    activate({2});
    w->mnuNEUBERECHNEN_Click();
    const Variant stored = value(QStringLiteral("SELECT [RHPR] FROM [A1] WHERE [ID]=2"));
    w->stbMAIN_PanelClick(15);
    QCoreApplication::processEvents();
    ASSERT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    w->mnuAUSWERTEN_Click();
    ASSERT_TRUE(w->mnuBERECHNEN->isEnabled());
    bar.clear();
    w->mnuBERECHNEN_Click();
    EXPECT_NE(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    EXPECT_EQ(value(QStringLiteral("SELECT [RHPR] FROM [A1] WHERE [ID]=2")), stored);
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=2")), Variant(false));
    EXPECT_EQ(bar.values(), (std::vector<float>{0, 20, 50, 70, 95, 100, 0}));
    EXPECT_TRUE(inst.dialogs().asked().empty());
}

TEST_F(Evaluate, AnEvaluationThatEndsWithFalseLeavesNoPage) {
    activate({1}); // "Probe" has no readings: the evaluation refuses it
    w->mnuNEUBERECHNEN_Click();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 1);
    EXPECT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(w->dirty());
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=1")), Variant(true));
    for (int i = 10; i <= 15; ++i) EXPECT_FALSE(w->panelVisible(i)) << i;
    w->mnuAUSWERTEN_Click();
    EXPECT_FALSE(w->mnuBERECHNEN->isEnabled());
}

TEST_F(Evaluate, ChoosingAgainWhileThePageIsLoadedBringsItToTheFront) {
    activate({2});
    w->mnuNEUBERECHNEN_Click();
    QWidget* page = w->Form(QStringLiteral("mdiSEITE1"));
    w->mnuBERECHNEN_Click();
    EXPECT_EQ(w->Form(QStringLiteral("mdiSEITE1")), page);
    EXPECT_EQ(w->PageList().size(), 1);
}

} // namespace

// The drawing holds a record's ID as the table does: a record numbered above 32767 is evaluated, drawn
// with its own diagram settings and printed without a box.
TEST_F(Evaluate, ARecordNumberedAbove16BitsIsDrawnAndPrinted) {
    examples::store(*w->cnnX, examples::dryingSet(), 40000, false);
    activate({40000});
    w->mnuAUSWERTEN_Click();
    w->mnuNEUBERECHNEN_Click();
    EXPECT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();
    ASSERT_NE(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [G0] WHERE [ID]=40000 AND [IDOBJEKT]=11")), 1);

    const QString pdf = inst.printShownPageToPdf();
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0)
        << inst.dialogs().messages().join('|').toStdString();
    EXPECT_FALSE(QDir(QFileInfo(pdf).path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty());
}

// A record that another tool numbered beyond a Long and made the active one can't be evaluated: the menu
// and Calculate first name it once, and no other record's rows are touched (the multiple evaluation's row 0
// keeps its display options).
TEST_F(Evaluate, AnActiveRecordNumberedBeyondALongIsNamedOnceAndNothingElseIsTouched) {
    w->cnnX->Execute(QStringLiteral("PRAGMA foreign_keys=OFF"));
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
    for (const char* t : {"E1", "E2", "E3"})
        w->cnnX->Execute(QStringLiteral("UPDATE %1 SET ID=3000000000 WHERE ID=2").arg(QLatin1String(t)));
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID=3000000000"));
    w->cnnX->Execute(QStringLiteral("PRAGMA foreign_keys=ON"));
    w->cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (0, 'M', 'Mehrfachauswertung')"));
    w->cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU, SRLI) VALUES (0, 0, 2)"));
    const QString named = QStringLiteral(
        "VB-Error: 6\nDer Datensatz P2 hat die Nummer (ID) 3000000000, größer als die größte, die dieses "
        "Programm führt (2147483647): Er kann hier nicht geöffnet, ausgewertet oder überschrieben werden.");

    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(inst.dialogs().messages().join('|').toStdString(), named.toStdString());
    EXPECT_EQ(states(), (QList<bool>{false, false, false, false, false}));

    inst.dialogs().clear();
    w->mnuNEUBERECHNEN_Click();
    EXPECT_EQ(inst.dialogs().messages().join('|').toStdString(), named.toStdString());
    EXPECT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FALSE(w->dirty());
    EXPECT_EQ(value(QStringLiteral("SELECT [SRLI] FROM [A1] WHERE [ID]=0")), Variant(std::int16_t(2)));
    EXPECT_EQ(value(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=0")), Variant(false));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [A1] WHERE [ID]<>0")), 0);

    // Beside another active record it is no part of a multiple evaluation either.
    activate({3});
    w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID=3000000000"));
    inst.dialogs().clear();
    w->mnuAUSWERTEN_Click();
    EXPECT_EQ(inst.dialogs().messages().join('|').toStdString(), named.toStdString());
    EXPECT_EQ(states(), (QList<bool>{false, false, false, false, false}));
}

// A reading that another tool left without a number (E3.I1 Null) is evaluated as the reading after the
// others: the same results as with its number, without a box, and the page counts it.
TEST_F(Evaluate, AReadingWithoutANumberIsEvaluatedAfterTheOthers) {
    activate({2});
    w->mnuNEUBERECHNEN_Click();
    ASSERT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();
    const Variant numbered = value(QStringLiteral("SELECT [RHPR] FROM [A1] WHERE [ID]=2"));
    w->stbMAIN_PanelClick(15);
    QCoreApplication::processEvents();
    ASSERT_EQ(w->Form(QStringLiteral("mdiSEITE1")), nullptr);

    w->cnnX->Execute(QStringLiteral("UPDATE E3 SET I1=NULL WHERE ID=2 AND I1=5"));
    w->mnuNEUBERECHNEN_Click();
    EXPECT_TRUE(inst.dialogs().asked().empty()) << inst.dialogs().messages().join('|').toStdString();
    auto* page = qobject_cast<mdiSEITE1*>(w->Form(QStringLiteral("mdiSEITE1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(value(QStringLiteral("SELECT [RHPR] FROM [A1] WHERE [ID]=2")), numbered);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM [A2] WHERE [ID]=2 AND [I1] BETWEEN 0 AND 5")), 6);
    EXPECT_EQ(page->readingCount(), 5);
}
