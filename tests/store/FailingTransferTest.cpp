// Transfers that fail part way: one box for the one cause, False whatever the answer, and a write leaves the
// table as it was. OK in the box used to go on, one box per cell or row, and to report the write a success.
#include "clsDATEN.h"
#include "platform/runtime/DialogService.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"
#include "StoreFixture.h"

#include <functional>
#include <QWidget>

using namespace storetest;
namespace Msg = platform::Msg;

namespace {

// A form with a grid of one fixed row whose data rows hold the reading numbers and six masses, and a text
// box.
struct Form {
    Form() {
        grid->setIndex(0);
        grid->setRows(7);
        grid->setCols(2);
        for (int r = 1; r < grid->Rows(); ++r) {
            grid->setTextMatrix(r, 0, QString::number(r - 1));
            grid->setTextMatrix(r, 1, QString::number(20 + r));
        }
        text->setText(QStringLiteral("21"));
        form.show();
    }
    QWidget form;
    platform::FlexGrid* grid = new platform::FlexGrid(&form);
    platform::TextBox* text = new platform::TextBox(&form);
    platform::ComboBox* combo = new platform::ComboBox(&form);
};

class FailingTransferTest : public StoreFixture {
protected:
    // Every row of E3, as the tests compare the table.
    QStringList table() {
        return texts(
            QStringLiteral("SELECT ID || '|' || I1 || '|' || ifnull(M1, 'Null') FROM E3 ORDER BY rowid"));
    }
    void refuse(const char* event) {
        exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON E3 BEGIN SELECT RAISE(ABORT, "
                            "'Die Festplatte ist voll.'); END")
                 .arg(QLatin1String(event)));
    }
};

TEST_F(FailingTransferTest, AWriteTheDatabaseRefusesAsksOnceFailsAndChangesNothing) {
    struct Case {
        const char* name;
        std::vector<const char*> refused;
        std::int32_t id;
        std::function<bool(clsDATEN&, Form&)> write;
    };
    const auto grid = [](clsDATEN& d, Form& f) {
        return d.DFTF(QStringLiteral("M1"), *f.grid, QStringLiteral("1"), QStringLiteral("I1"));
    };
    const std::vector<Case> cases{
        {"a grid over six readings", {"UPDATE"}, 5, grid},
        {"a grid into a record without readings", {"INSERT"}, 3, grid},
        {"a grid shorter than the readings",
         {"DELETE"},
         5,
         [&](clsDATEN& d, Form& f) {
             f.grid->setRows(4);
             return grid(d, f);
         }},
        {"a grid emptied of its readings",
         {"DELETE"},
         5,
         [&](clsDATEN& d, Form& f) {
             f.grid->setEnabled(false);
             return grid(d, f);
         }},
        {"an array",
         {"INSERT", "UPDATE"},
         7,
         [](clsDATEN& d, Form&) {
             return d.DVTSF(QStringLiteral("M1"), {1, 2, 3, 4, 5, 6, 7}, QStringLiteral("I1"));
         }},
        {"a single value",
         {"UPDATE"},
         7,
         [](clsDATEN& d, Form&) {
             return d.DVTS(QStringLiteral("M1"), 1.5f, QStringLiteral("I1"), std::int16_t(2));
         }},
        {"a text box",
         {"UPDATE"},
         7,
         [](clsDATEN& d, Form& f) {
             return d.DFTT(QStringLiteral("M1"), *f.text, QStringLiteral("I1"), std::int16_t(2));
         }},
        {"the delete of a selection", {"DELETE"}, 5, [](clsDATEN& d, Form&) { return d.LOESCHEN(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("SAVEPOINT triggers"));
        for (const char* event : c.refused)
            refuse(event);
        const QStringList before = table();
        run.dialogs().clear();
        run.dialogs().answerAllMessages(Msg::OK);
        Form f;
        clsDATEN daten;
        daten.ETABELLE = QStringLiteral("E3");
        daten.ESPIDW = c.id;
        EXPECT_FALSE(c.write(daten, f));
        EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1)
            << messages().join(QStringLiteral("\n")).toStdString();
        EXPECT_EQ(run.dialogs().asked().at(0).title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(table(), before);
        exec(QStringLiteral("ROLLBACK TO triggers"));
        exec(QStringLiteral("RELEASE triggers"));
    }
}

TEST_F(FailingTransferTest, AReadThatFailsAsksOnceAndFails) {
    struct Case {
        const char* name;
        std::function<bool(clsDATEN&, Form&)> read;
    };
    const std::vector<Case> cases{
        {"a grid from a missing column",
         [](clsDATEN& d, Form& f) { return d.DTFF(QStringLiteral("XX"), *f.grid, QStringLiteral("1")); }},
        {"a grid into a missing grid column",
         [](clsDATEN& d, Form& f) {
             return d.DTFF(QStringLiteral("M1"), *f.grid, QStringLiteral("9"), QStringLiteral("I1"));
         }},
        {"a list from a missing column",
         [](clsDATEN& d, Form& f) { return d.DTFMM(QStringLiteral("XX"), *f.combo); }},
        {"an array from a missing column",
         [](clsDATEN& d, Form&) {
             std::vector<float> values(3, 0.0f);
             return d.DTVSF(QStringLiteral("XX"), values);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        run.dialogs().answerAllMessages(Msg::OK);
        Form f;
        clsDATEN daten;
        daten.ETABELLE = QStringLiteral("E3");
        daten.ESPIDW = 5;
        EXPECT_FALSE(c.read(daten, f));
        EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1)
            << messages().join(QStringLiteral("\n")).toStdString();
    }
}

} // namespace
