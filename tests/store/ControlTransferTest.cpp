// The controls of a form filled from and stored into the columns of a selection, on an offscreen form.
#include "clsDATEN.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include "StoreFixture.h"

#include <functional>
#include <QWidget>

using namespace storetest;
namespace Msg = platform::Msg;
using platform::Variant;

namespace {

// A form with one control of each kind; the option buttons share a frame.
struct Form {
    Form() {
        form.resize(400, 300);
        for (const char* item : {"Proctor", "modifiziert", "Probe A"})
            combo->AddItem(QString::fromUtf8(item));
        for (const char* item : {"links", "mitte", "rechts"})
            list->AddItem(QString::fromUtf8(item));
        grid->setIndex(0);
        form.show();
    }
    QWidget form;
    platform::TextBox* text = new platform::TextBox(&form);
    platform::ComboBox* combo = new platform::ComboBox(&form);
    platform::ListBox* list = new platform::ListBox(&form);
    platform::CheckBox* check = new platform::CheckBox(QStringLiteral("Gitter"), &form);
    platform::Label* label = new platform::Label(&form);
    QWidget* frame = new QWidget(&form);
    platform::OptionButton* first = new platform::OptionButton(QStringLiteral("trocken"), frame);
    platform::OptionButton* second = new platform::OptionButton(QStringLiteral("nass"), frame);
    platform::FlexGrid* grid = new platform::FlexGrid(&form);
};

class ControlTransferTest : public StoreFixture {
protected:
    std::unique_ptr<clsDATEN> cursor(const QString& table, std::int32_t id = 3) {
        auto daten = std::make_unique<clsDATEN>();
        daten->ETABELLE = table;
        daten->ESPIDW = id;
        return daten;
    }
    // Fills the grid: one fixed row, column 0 the reading numbers, column 1 the given cells.
    static void fill(platform::FlexGrid& grid, const QStringList& cells, int rows = -1) {
        grid.setRows(1 + std::max(int(cells.size()), rows));
        grid.setCols(2);
        for (int i = 0; i < cells.size(); ++i) {
            grid.setTextMatrix(i + 1, 0, QString::number(i));
            grid.setTextMatrix(i + 1, 1, cells[i]);
        }
    }
    static QStringList column(const platform::FlexGrid& grid, int col) {
        QStringList out;
        for (int r = 0; r < grid.Rows(); ++r)
            out << grid.TextMatrix(r, col);
        return out;
    }
    QStringList m1Of(int id) {
        return texts(QStringLiteral("SELECT M1 FROM E3 WHERE ID=%1 ORDER BY I1, rowid").arg(id));
    }
};

TEST_F(ControlTransferTest, ControlsRoundTrip) {
    struct Case {
        const char* name;
        QString table;
        std::function<void(Form&)> set;
        std::function<bool(clsDATEN&, Form&)> write;
        std::function<bool(clsDATEN&, Form&)> read;
        std::function<void(Form&)> check;
    };
    const QString longText(255, QLatin1Char('w'));
    const std::vector<Case> cases{
        {"text box", "E1", [](Form& f) { f.text->setText(QStringLiteral("Ölprobe, it's \"fein\"")); },
         [](clsDATEN& d, Form& f) { return d.DFTT("KOM", *f.text); },
         [](clsDATEN& d, Form& f) { return d.DTFT("KOM", *f.text); },
         [](Form& f) { EXPECT_EQ(f.text->Text(), QStringLiteral("Ölprobe, it's \"fein\"")); }},
        {"text box, the longest comment", "E1", [&](Form& f) { f.text->setText(longText); },
         [](clsDATEN& d, Form& f) { return d.DFTTT("KOM", *f.text); },
         [](clsDATEN& d, Form& f) { return d.DTFTT("KOM", *f.text); },
         [&](Form& f) { EXPECT_EQ(f.text->Text(), longText); }},
        {"editable combo, a typed text", "E1", [](Form& f) { f.combo->setText(QStringLiteral("getippt")); },
         [](clsDATEN& d, Form& f) { return d.DFTM("KEN", *f.combo); },
         [](clsDATEN& d, Form& f) { return d.DTFM("KEN", *f.combo); },
         [](Form& f) {
             EXPECT_EQ(f.combo->Text(), QStringLiteral("getippt"));
             EXPECT_EQ(f.combo->ListIndex(), -1);
             EXPECT_EQ(f.combo->ListCount(), 3);
         }},
        {"editable combo, an item's text", "E1", [](Form& f) { f.combo->setListIndex(1); },
         [](clsDATEN& d, Form& f) { return d.DFTMT("KEN", *f.combo); },
         [](clsDATEN& d, Form& f) { return d.DTFM("KEN", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->ListIndex(), 1); }},
        {"combo position", "A1", [](Form& f) { f.combo->setListIndex(2); },
         [](clsDATEN& d, Form& f) { return d.DFTML("SRLI", *f.combo); },
         [](clsDATEN& d, Form& f) { return d.DTFML("SRLI", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->Text(), QStringLiteral("Probe A")); }},
        {"option pair, the second ticked", "E2", [](Form& f) { f.second->setValue(true); },
         [](clsDATEN& d, Form& f) { return d.DFTO("KEND", *f.first) && d.DFTOV("KENP", *f.second); },
         [](clsDATEN& d, Form& f) { return d.DTFO("KEND", *f.first) && d.DTFOV("KENP", *f.second); },
         [](Form& f) {
             EXPECT_FALSE(f.first->Value());
             EXPECT_TRUE(f.second->Value());
         }},
        {"option pair, both off", "E2",
         [](Form& f) {
             f.first->setValue(true);
             f.first->setValue(false);
         },
         [](clsDATEN& d, Form& f) { return d.DFTO("KEND", *f.first) && d.DFTO("KENP", *f.second); },
         [](clsDATEN& d, Form& f) {
             f.first->setValue(true);
             return d.DTFO("KEND", *f.first) && d.DTFO("KENP", *f.second);
         },
         [](Form& f) {
             EXPECT_FALSE(f.first->Value());
             EXPECT_FALSE(f.second->Value());
         }},
        {"check box, greyed", "A1", [](Form& f) { f.check->setValue(2); },
         [](clsDATEN& d, Form& f) { return d.DFTC("GITW", *f.check); },
         [](clsDATEN& d, Form& f) { return d.DTFC("GITW", *f.check); },
         [](Form& f) { EXPECT_EQ(f.check->Value(), 2); }},
        {"check box, ticked", "A1", [](Form& f) { f.check->setValue(1); },
         [](clsDATEN& d, Form& f) { return d.DFTCV("GITRHD", *f.check); },
         [](clsDATEN& d, Form& f) { return d.DTFCV("GITRHD", *f.check); },
         [](Form& f) { EXPECT_EQ(f.check->Value(), 1); }},
        {"list position", "A1", [](Form& f) { f.list->setListIndex(2); },
         [](clsDATEN& d, Form& f) { return d.DFTIL("POSP", *f.list); },
         [](clsDATEN& d, Form& f) { return d.DTFIL("POSP", *f.list); },
         [](Form& f) { EXPECT_EQ(f.list->Text(), QStringLiteral("rechts")); }},
        {"label", "E1", [](Form& f) { f.label->setCaption(QStringLiteral("<b>Probe</b>")); },
         [](clsDATEN& d, Form& f) { return d.DFTL("KOM", *f.label); },
         [](clsDATEN& d, Form& f) { return d.DTFLC("KOM", *f.label); },
         [](Form& f) { EXPECT_EQ(f.label->Caption(), QStringLiteral("<b>Probe</b>")); }},
        {"grid column", "E3",
         [](Form& f) {
             fill(*f.grid, {QStringLiteral("1,5"), QStringLiteral(" 7,5 "), QString(), QStringLiteral("3")});
         },
         [](clsDATEN& d, Form& f) {
             return d.DFTF("I1", *f.grid, "0", "I1") && d.DFTFM("M1", *f.grid, "1", "I1");
         },
         [](clsDATEN& d, Form& f) { return d.DTFF("M1", *f.grid, "1", "I1"); },
         [](Form& f) {
             EXPECT_EQ(column(*f.grid, 1), (QStringList{QString(), "1,5", "7,5", QString(), "3"}));
             EXPECT_TRUE(f.grid->Enabled());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form written;
        c.set(written);
        auto daten = cursor(c.table);
        EXPECT_TRUE(c.write(*daten, written));
        Form read;
        EXPECT_TRUE(c.read(*daten, read));
        c.check(read);
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
    EXPECT_EQ(texts(QStringLiteral("SELECT ifnull(M1, 'Null') FROM E3 WHERE ID=3 ORDER BY I1")),
              (QStringList{"1,5", "7,5", "Null", "3"}));
}

TEST_F(ControlTransferTest, AMissingRowClearsEachSingleControl) {
    struct Case {
        const char* name;
        std::function<void(Form&)> set;
        std::function<bool(clsDATEN&, Form&)> read;
        std::function<void(Form&)> check;
    };
    const std::vector<Case> cases{
        {"text box", [](Form& f) { f.text->setText("alt"); },
         [](clsDATEN& d, Form& f) { return d.DTFT("DC", *f.text); },
         [](Form& f) { EXPECT_EQ(f.text->Text(), QString()); }},
        {"check box", [](Form& f) { f.check->setValue(1); },
         [](clsDATEN& d, Form& f) { return d.DTFC("DC", *f.check); },
         [](Form& f) { EXPECT_EQ(f.check->Value(), 0); }},
        {"check box caption", [](Form&) {}, [](clsDATEN& d, Form& f) { return d.DTFCC("DC", *f.check); },
         [](Form& f) { EXPECT_EQ(f.check->Caption(), QString()); }},
        {"option button", [](Form& f) { f.first->setValue(true); },
         [](clsDATEN& d, Form& f) { return d.DTFO("DC", *f.first); },
         [](Form& f) { EXPECT_FALSE(f.first->Value() || f.second->Value()); }},
        {"option caption", [](Form&) {}, [](clsDATEN& d, Form& f) { return d.DTFOC("DC", *f.first); },
         [](Form& f) { EXPECT_EQ(f.first->Caption(), QString()); }},
        {"combo text", [](Form& f) { f.combo->setText("alt"); },
         [](clsDATEN& d, Form& f) { return d.DTFM("DC", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->Text(), QString()); }},
        {"combo position: the first item", [](Form& f) { f.combo->setListIndex(2); },
         [](clsDATEN& d, Form& f) { return d.DTFML("DC", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->ListIndex(), 0); }},
        {"empty combo: left alone", [](Form& f) { f.combo->Clear(); },
         [](clsDATEN& d, Form& f) { return d.DTFML("DC", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->ListIndex(), -1); }},
        {"list position: the first item", [](Form& f) { f.list->setListIndex(1); },
         [](clsDATEN& d, Form& f) { return d.DTFIL("DC", *f.list); },
         [](Form& f) { EXPECT_EQ(f.list->ListIndex(), 0); }},
        {"list item: an empty one", [](Form&) {}, [](clsDATEN& d, Form& f) { return d.DTFIS("DC", *f.list); },
         [](Form& f) {
             EXPECT_EQ(f.list->ListCount(), 4);
             EXPECT_EQ(f.list->List(3), QString());
         }},
        {"combo item: an empty one", [](Form&) {},
         [](clsDATEN& d, Form& f) { return d.DTFMS("DC", *f.combo); },
         [](Form& f) { EXPECT_EQ(f.combo->ListCount(), 4); }},
        {"label", [](Form& f) { f.label->setCaption("alt"); },
         [](clsDATEN& d, Form& f) { return d.DTFL("DC", *f.label); },
         [](Form& f) { EXPECT_EQ(f.label->Caption(), QString()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool nullValue : {false, true}) {
            // Record 5 has no row of general data; record 7 has one whose DC is Null.
            if (nullValue) exec(QStringLiteral("INSERT OR IGNORE INTO E2 (ID) VALUES (7)"));
            Form f;
            c.set(f);
            auto daten = cursor(QStringLiteral("E2"), nullValue ? 7 : 5);
            EXPECT_TRUE(c.read(*daten, f));
            c.check(f);
        }
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(ControlTransferTest, SingleControlsStoreTheirPropertyAndLeaveOneRow) {
    Form f;
    auto daten = cursor(QStringLiteral("E3"), 7);
    // Nothing selected: the positions are -1, the selected combo item is Empty and stored as Null.
    EXPECT_TRUE(daten->DFTIL(QStringLiteral("M1"), *f.list, QStringLiteral("I1")));
    EXPECT_EQ(m1Of(7), QStringList{"-1"});
    EXPECT_EQ(texts(QStringLiteral("SELECT I1 FROM E3 WHERE ID=7")), QStringList{"0"});
    EXPECT_TRUE(daten->DFTMS(QStringLiteral("M1"), *f.combo, QStringLiteral("I1"), std::int16_t(0)));
    EXPECT_EQ(m1Of(7), QStringList{"Null"});
    EXPECT_TRUE(daten->DFTML(QStringLiteral("M1"), *f.combo, QStringLiteral("I1"), std::int16_t(0)));
    EXPECT_EQ(m1Of(7), QStringList{"-1"});

    auto names = cursor(QStringLiteral("E1"), 3);
    f.list->setListIndex(1);
    EXPECT_TRUE(names->DFTI(QStringLiteral("KOM"), *f.list));
    f.list->setListIndex(-1);
    EXPECT_TRUE(names->DFTIS(QStringLiteral("KEN"), *f.list));
    EXPECT_EQ(texts(QStringLiteral("SELECT ifnull(KEN, 'Null') || '|' || KOM FROM E1 WHERE ID=3")),
              QStringList{"Null|mitte"});
    f.combo->setListIndex(0);
    EXPECT_TRUE(names->DFTMS(QStringLiteral("KEN"), *f.combo));
    f.label->setIndex(4);
    EXPECT_TRUE(names->DFTLI(QStringLiteral("SPR"), *f.label));
    f.first->setCaption(QStringLiteral("Schüttung"));
    EXPECT_TRUE(names->DFTOC(QStringLiteral("KOM"), *f.first));
    EXPECT_EQ(texts(QStringLiteral("SELECT KEN || '|' || KOM || '|' || SPR FROM E1 WHERE ID=3")),
              QStringList{"Proctor|Schüttung|4"});
    EXPECT_TRUE(names->DFTCC(QStringLiteral("KOM"), *f.check));
    EXPECT_EQ(texts(QStringLiteral("SELECT KOM FROM E1 WHERE ID=3")), QStringList{"Gitter"});
    platform::Label loose;
    EXPECT_THROW(names->DFTLI(QStringLiteral("SPR"), loose), platform::VbError);
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(ControlTransferTest, ComboListsFromTheSelection) {
    exec(QStringLiteral("UPDATE E3 SET M1=NULL WHERE ID=5 AND I1=2"));
    exec(QStringLiteral("DELETE FROM E3 WHERE ID=5 AND I1=5"));
    Form f;
    auto daten = cursor(QStringLiteral("E3"), 5);
    EXPECT_TRUE(daten->DTFMM(QStringLiteral("M1"), *f.combo, QStringLiteral("I1")));
    EXPECT_EQ(f.combo->ListCount(), 7);
    EXPECT_EQ(f.combo->List(3), QStringLiteral("50"));
    EXPECT_EQ(f.combo->List(6), QStringLiteral("54"));
    EXPECT_TRUE(daten->DTFMS(QStringLiteral("M1"), *f.combo, QStringLiteral("I1")));
    EXPECT_EQ(f.combo->List(7), QStringLiteral("50"));
    EXPECT_TRUE(daten->DTFI(QStringLiteral("M1"), *f.list, QStringLiteral("I1"), std::int16_t(4)));
    EXPECT_EQ(f.list->List(3), QStringLiteral("54"));

    // The combo box in place 2 of its array only selects an item of the very text.
    struct Case {
        std::int16_t index;
        std::int16_t reading;
        QString text;
        int listIndex;
    };
    for (const Case& c : {Case{2, 0, QStringLiteral("50"), 3}, Case{2, 1, QStringLiteral("Proctor"), 0},
                          Case{0, 1, QStringLiteral("51"), -1}}) {
        Form g;
        g.combo->AddItem(QStringLiteral("50"));
        g.combo->setListIndex(0);
        g.combo->setIndex(c.index);
        EXPECT_TRUE(daten->DTFMT(QStringLiteral("M1"), *g.combo, QStringLiteral("I1"), c.reading));
        EXPECT_EQ(g.combo->Text(), c.text);
        EXPECT_EQ(g.combo->ListIndex(), c.listIndex);
    }
    platform::ComboBox loose;
    EXPECT_THROW(daten->DTFMT(QStringLiteral("M1"), loose), platform::VbError);
}

TEST_F(ControlTransferTest, GridWritesMakeTheSelectionAsLongAsTheGrid) {
    struct Case {
        const char* name;
        int storedRows;
        int filledRows;
        int gridRows;
        bool enabled;
        int expectedRows;
    };
    const std::vector<Case> cases{
        {"an empty selection from 20 data rows, 5 filled", 0, 5, 20, true, 20},
        {"25 rows from 20 data rows", 25, 20, 20, true, 20},
        {"3 rows from 20 data rows", 3, 20, 20, true, 20},
        {"a disabled grid empties the selection", 4, 20, 20, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM E3 WHERE ID=7"));
        for (int i = 0; i < c.storedRows; ++i)
            exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, %1, 1)").arg(i));
        Form f;
        QStringList cells;
        for (int i = 0; i < c.filledRows; ++i)
            cells << QStringLiteral("%1,5").arg(i);
        fill(*f.grid, cells, c.gridRows);
        f.grid->setEnabled(c.enabled);
        auto daten = cursor(QStringLiteral("E3"), 7);
        EXPECT_TRUE(daten->DFTF(QStringLiteral("M1W"), *f.grid, QStringLiteral("1"), QStringLiteral("I1")));
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=7")), c.expectedRows);
        if (c.expectedRows > 0) {
            const QStringList stored =
                texts(QStringLiteral("SELECT ifnull(M1W, 'Null') FROM E3 WHERE ID=7 ORDER BY rowid"));
            EXPECT_EQ(stored.value(0), QStringLiteral("0,5"));
            EXPECT_EQ(stored.value(c.filledRows), c.filledRows < 20 ? QStringLiteral("Null") : QString());
        }
    }
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=5")), 6);
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(ControlTransferTest, AGridWritesNoIdColumnWhereTheCursorHasNone) {
    Form f;
    fill(*f.grid, {QStringLiteral("erste"), QStringLiteral("zweite")});
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("M1");
    daten.ESPID = QString();
    EXPECT_TRUE(daten.DFTF(QStringLiteral("IDM"), *f.grid, QStringLiteral("0"), QStringLiteral("IDM")));
    EXPECT_TRUE(daten.DFTF(QStringLiteral("KOM"), *f.grid, QStringLiteral("1"), QStringLiteral("IDM")));
    EXPECT_EQ(texts(QStringLiteral("SELECT IDM || '=' || KOM FROM M1 ORDER BY IDM")),
              (QStringList{"0=erste", "1=zweite"}));
    EXPECT_TRUE(run.dialogs().asked().empty());
    // The single-value writes always set the ID column: without one they fail.
    EXPECT_FALSE(
        daten.DVTT(QStringLiteral("KOM"), QStringLiteral("x"), QStringLiteral("IDM"), std::int16_t(1)));
    EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1);
}

TEST_F(ControlTransferTest, GridReadsFillFromTheirStartRowAndGrow) {
    struct Case {
        const char* name;
        int gridRows;
        int selectionRows;
        std::int16_t start;
        int firstFilled;
        int rowsAfter;
    };
    const std::vector<Case> cases{
        {"8 rows into 5 grow the grid", 5, 8, 0, 1, 9},
        {"3 rows into 10 keep the rest", 10, 3, 0, 1, 10},
        {"ZNR equal to FixedRows starts there", 10, 3, 1, 1, 10},
        {"ZNR above FixedRows starts one below it", 10, 3, 3, 4, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM E3 WHERE ID=7"));
        for (int i = 0; i < c.selectionRows; ++i)
            exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, %1, %2)").arg(i).arg(i + 0.5));
        Form f;
        f.grid->setRows(c.gridRows);
        f.grid->setCols(3);
        for (int r = 1; r < c.gridRows; ++r)
            f.grid->setTextMatrix(r, 2, QStringLiteral("alt"));
        auto daten = cursor(QStringLiteral("E3"), 7);
        EXPECT_TRUE(daten->DTFF(QStringLiteral("M1"), *f.grid, QStringLiteral("2"), QStringLiteral("I1"), {},
                                {}, {}, {}, {}, {}, c.start));
        EXPECT_EQ(f.grid->Rows(), c.rowsAfter);
        for (int r = 1; r < f.grid->Rows(); ++r) {
            const int k = r - c.firstFilled;
            const QString expected = k >= 0 && k < c.selectionRows ? QStringLiteral("%1,5").arg(k)
                                     : r < c.gridRows              ? QStringLiteral("alt")
                                                                   : QString();
            EXPECT_EQ(f.grid->TextMatrix(r, 2), expected) << "row " << r;
        }
        EXPECT_EQ(f.grid->TextMatrix(0, 2), QString());
    }
}

TEST_F(ControlTransferTest, AnEmptySelectionGreysTheGridARowEnablesItAgain) {
    exec(QStringLiteral("UPDATE E3 SET M1=NULL WHERE ID=7 AND I1=1"));
    Form f;
    f.grid->setRows(4);
    f.grid->setTextMatrix(2, 1, QStringLiteral("bleibt"));
    f.grid->setBackColorFixed(platform::RGB(200, 200, 200));
    auto empty = cursor(QStringLiteral("E3"), 4);
    EXPECT_TRUE(empty->DTFFM(QStringLiteral("M1"), *f.grid, QStringLiteral("1"), QStringLiteral("I1")));
    EXPECT_FALSE(f.grid->Enabled());
    EXPECT_EQ(f.grid->BackColor(), f.grid->BackColorFixed());
    EXPECT_EQ(f.grid->Rows(), 4);
    EXPECT_EQ(f.grid->TextMatrix(2, 1), QStringLiteral("bleibt"));

    auto daten = cursor(QStringLiteral("E3"), 7);
    EXPECT_TRUE(daten->DTFFM(QStringLiteral("M1"), *f.grid, QStringLiteral("1"), QStringLiteral("I1")));
    EXPECT_TRUE(f.grid->Enabled());
    EXPECT_EQ(f.grid->BackColor(), platform::SystemColor::WindowBackground);
    // The Null of the second row keeps its cell.
    EXPECT_EQ(column(*f.grid, 1), (QStringList{QString(), "10", "bleibt", "12", "13", "14"}));

    // A disabled grid deletes the selection when it is written.
    f.grid->setEnabled(false);
    EXPECT_TRUE(daten->DFTF(QStringLiteral("M1"), *f.grid, QStringLiteral("1"), QStringLiteral("I1")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=7")), 0);
}

// With OK the write used to go on past the refused row and return True with that row unsaved: now any
// answer ends it with False and the selection as it was.
TEST_F(ControlTransferTest, AGridRowThatCannotBeSavedAsksOnceAndUndoesTheWrite) {
    exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF M1 ON E3 WHEN new.M1 = 99 BEGIN "
                        "SELECT RAISE(ABORT, 'no 99'); END"));
    for (int answer : {int(Msg::Cancel), int(Msg::OK)}) {
        SCOPED_TRACE(answer);
        run.dialogs().clear();
        run.dialogs().answer(answer);
        Form f;
        fill(*f.grid, {"1", "2", "99", "4"});
        auto daten = cursor(QStringLiteral("E3"), 7);
        EXPECT_FALSE(daten->DFTF(QStringLiteral("M1"), *f.grid, QStringLiteral("1"), QStringLiteral("I1")));
        EXPECT_EQ(m1Of(7), (QStringList{"10", "11", "12", "13", "14"}));
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt,
                  QStringLiteral(
                      "Werte der Spalte M1 der Tabelle E3 können nicht in die Spalte 1\nder FlexGrid-Tabelle "
                      "0 geschrieben werden!\nVB-Error: -2147467259\nno 99"));
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(run.dialogs().asked()[0].style, Msg::OKCancel | Msg::Exclamation);
    }
}

TEST_F(ControlTransferTest, GridAndListFailuresNameTheirColumn) {
    run.dialogs().answerAllMessages(Msg::Cancel);
    Form f;
    auto daten = cursor(QStringLiteral("E3"), 7);
    EXPECT_FALSE(daten->DTFF(QStringLiteral("XX"), *f.grid, QStringLiteral("1")));
    EXPECT_FALSE(daten->DTFMM(QStringLiteral("XX"), *f.combo));
    EXPECT_FALSE(daten->DFTT(QStringLiteral("XX"), *f.text));
    const QStringList boxes = messages();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(
        boxes[0].startsWith(QStringLiteral("Werte der Spalte XX der Tabelle E3 können nicht in die Spalte "
                                           "1\nder FlexGrid-Tabelle 0 eingelesen werden!\nVB-Error: ")));
    EXPECT_EQ(boxes[1], QStringLiteral("Werte der Spalte XX der Tabelle E3 eingelesen werden!"));
    EXPECT_EQ(boxes[2],
              QStringLiteral("Wert  kann nicht in die Spalte XX der Tabelle E3 gespeichert werden!"));
}

} // namespace
