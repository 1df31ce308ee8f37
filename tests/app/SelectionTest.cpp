// The record-selection dialog in its three modes, and the File commands Select and Delete that use it.
#include "Installation.h"

#include "ExampleRecords.h"
#include "frmAUSWAHL.h"
#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"

#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace Msg = platform::Msg;
using platform::Recordset;
using platform::Variant;
using testsupport::Installation;

namespace {

// A working copy with the installation's record "Probe" (ID 1) and the records each test adds.
class Selection : public ::testing::Test {
protected:
    void SetUp() override {
        w = &inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        inst.dialogs().clear();
    }
    // A record with its E1 row; evaluated: null leaves it without an A1 row, else BONEU = !evaluated.
    void add(int id, const QString& name, bool active, std::optional<bool> evaluated = std::nullopt) {
        w->cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (?, ?, ?, ?)"),
                         {Variant(std::int32_t(id)), Variant(name),
                          Variant(QStringLiteral("Kommentar ") + name), Variant(active)});
        if (evaluated)
            w->cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (?, ?)"),
                             {Variant(std::int32_t(id)), Variant(!*evaluated)});
    }
    void setActive(std::initializer_list<int> ids) {
        w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
        for (int id : ids)
            w->cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=1 WHERE ID=?"), {Variant(std::int32_t(id))});
    }
    // The IDs whose AKT is True, in ID order.
    QList<int> active() {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT ID FROM E1 WHERE AKT=true ORDER BY ID"), *w->cnnX);
        QList<int> ids;
        for (; !rs.eof(); rs.MoveNext())
            ids << platform::CLng(rs.Value(0));
        return ids;
    }
    long rows(const QString& sql, std::vector<Variant> params = {}) {
        Recordset rs;
        rs.Open(sql, *w->cnnX, params);
        return rs.RecordCount();
    }
    // Opens the dialog in a mode as its command does; `look` works it while it is shown and closes it.
    void openDialog(const QString& mode, const std::function<void(frmAUSWAHL&)>& look) {
        w->Tag = mode;
        frmAUSWAHL dialog(w);
        dialog.Form_Load();
        dialog.show();
        QApplication::processEvents();
        look(dialog);
        dialog.hide();
    }
    // Scripts the next dialog a command shows.
    void onDialog(const std::function<void(frmAUSWAHL&)>& look) {
        inst.dialogs().onForm([look](QDialog& d) {
            auto& dialog = dynamic_cast<frmAUSWAHL&>(d);
            dialog.show();
            QApplication::processEvents();
            look(dialog);
            dialog.hide();
            return dialog.result();
        });
    }
    // Chooses the lines of these records as the user's final choice and presses OK.
    static void choose(frmAUSWAHL& d, std::initializer_list<int> ids) {
        const QSignalBlocker quiet(d.lstKEN); // the final choice, not a click
        for (int i = 0; i < d.lstKEN->count(); ++i)
            d.lstKEN->item(i)->setSelected(std::find(ids.begin(), ids.end(), d.lineID(i)) != ids.end());
        d.cmdOK->click();
    }
    static QStringList lines(const frmAUSWAHL& d) {
        QStringList out;
        for (int i = 0; i < d.lstKEN->count(); ++i)
            out << d.lstKEN->item(i)->text();
        return out;
    }
    static QStringList selected(const frmAUSWAHL& d) {
        QStringList out;
        for (int i = 0; i < d.lstKEN->count(); ++i)
            if (d.lstKEN->item(i)->isSelected()) out << d.lstKEN->item(i)->text();
        return out;
    }
    // A mouse click on list line `row`, as the user makes it.
    static void click(frmAUSWAHL& d, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* viewport = d.lstKEN->viewport();
        const QPointF at = d.lstKEN->visualItemRect(d.lstKEN->item(row)).center();
        const QPointF global = viewport->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(viewport, &release);
    }

    Installation inst;
    frmMAIN* w = nullptr;
};

TEST_F(Selection, ListsTheRecordsByNameWithoutRowZeroAndPreselectsTheActiveOnes) {
    add(0, QStringLiteral("M"), true); // the multiple evaluation is no record to choose
    add(2, QStringLiteral("Zeta"), true);
    add(3, QStringLiteral("alpha"), false);
    openDialog(QStringLiteral("A"), [](frmAUSWAHL& d) {
        EXPECT_EQ(lines(d), (QStringList{"alpha", "Probe", "Zeta"}));
        EXPECT_EQ(selected(d), (QStringList{"Probe", "Zeta"}));
        EXPECT_EQ(d.lineID(0), 3);
        EXPECT_EQ(d.lineID(2), 2);
    });
    // Open mode keeps only the first active record in name order.
    add(4, QStringLiteral("Beta"), true);
    openDialog(QStringLiteral("O"), [](frmAUSWAHL& d) { EXPECT_EQ(selected(d), QStringList{"Beta"}); });
}

TEST_F(Selection, CaptionAndCancelButtonFollowTheModeAndTheLanguage) {
    struct Case {
        const char* mode;
        int language;
        const char* caption;
        const char* cancel;
    };
    const Case cases[] = {
        {"O", 3, "Datei/Öffnen", "Abbrechen"},  {"A", 3, "Datei/Auswahl", "Abbrechen"},
        {"L", 3, "Datei/Löschen", "Abbrechen"}, {"O", 1, "File/Open", "Cancel"},
        {"A", 1, "File/Select", "Cancel"},      {"L", 1, "File/Delete", "Cancel"},
    };
    for (const Case& c : cases) {
        w->SPRACHE = std::int16_t(c.language);
        openDialog(QString::fromUtf8(c.mode), [&](frmAUSWAHL& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromUtf8(c.caption)) << c.mode << c.language;
            EXPECT_EQ(d.cmdABBRECHEN->text(), QString::fromUtf8(c.cancel));
            EXPECT_EQ(d.cmdOK->text(), QStringLiteral("OK"));
        });
    }
}

TEST_F(Selection, OpenModeKeepsOneLineSelected) {
    add(2, QStringLiteral("Zeta"), false);
    add(3, QStringLiteral("Alpha"), false);
    setActive({});
    openDialog(QStringLiteral("O"), [](frmAUSWAHL& d) {
        click(d, 0);
        EXPECT_EQ(selected(d), QStringList{"Alpha"});
        click(d, 2, Qt::ControlModifier); // a second line is refused
        EXPECT_EQ(selected(d), QStringList{"Alpha"});
        click(d, 1); // a plain click moves the one selection
        EXPECT_EQ(selected(d), QStringList{"Probe"});
        EXPECT_EQ(d.lstKEN->toolTip(), QStringLiteral("Projekt P1"));
    });
}

TEST_F(Selection, SelectModeTakesASecondRecordOnlyWhenItIsEvaluated) {
    w->cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, 0)")); // "Probe" is evaluated
    struct Case {
        std::optional<bool> evaluated; // no A1 row, BONEU True, BONEU False
        bool taken;
    };
    const Case cases[] = {{std::nullopt, false}, {false, false}, {true, true}};
    int id = 10;
    for (const Case& c : cases) {
        for (int language : {3, 1}) {
            w->SPRACHE = std::int16_t(language);
            const QString name = QStringLiteral("O'Neill %1").arg(id); // a name with an apostrophe
            add(id, name, false, c.evaluated);
            setActive({});
            inst.dialogs().clear();
            openDialog(QStringLiteral("A"), [&](frmAUSWAHL& d) {
                const int probe = int(lines(d).indexOf(QStringLiteral("Probe")));
                const int other = int(lines(d).indexOf(name));
                click(d, other); // a line alone is never examined
                click(d, probe);
                EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
                click(d, other, Qt::ControlModifier); // the record joins "Probe": examined
                EXPECT_EQ(selected(d).contains(name), c.taken) << name.toStdString();
                EXPECT_TRUE(selected(d).contains(QStringLiteral("Probe")));
                EXPECT_EQ(d.lstKEN->toolTip(), QStringLiteral("Kommentar ") + name);
            });
            QStringList expected;
            if (!c.taken)
                expected << (language == 1 ? QStringLiteral("File ") + name +
                                                 QStringLiteral(" has to be calculated first!")
                                           : QStringLiteral("Datensatz ") + name +
                                                 QStringLiteral(" muß zuerst einzeln ausgewertet werden!"));
            EXPECT_EQ(inst.dialogs().messages(), expected);
            if (!c.taken) {
                const auto& asked = inst.dialogs().asked().back();
                EXPECT_EQ(asked.style, Msg::OKOnly | Msg::Exclamation);
                EXPECT_EQ(asked.title,
                          language == 1 ? QStringLiteral("File/Select") : QStringLiteral("Datei/Auswahl"));
            }
            ++id;
        }
    }
}

TEST_F(Selection, DeleteModeTakesAnyLines) {
    add(2, QStringLiteral("Zeta"), false);
    add(3, QStringLiteral("Alpha"), false);
    openDialog(QStringLiteral("L"), [&](frmAUSWAHL& d) {
        click(d, 0);
        click(d, 2, Qt::ShiftModifier);
        EXPECT_EQ(selected(d), (QStringList{"Alpha", "Probe", "Zeta"}));
    });
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
}

// The choice goes to the records the lines show: a record without a name, listed first, used to shift
// every flag by one line, because the lines were paired with the rows of another query by position.
TEST_F(Selection, OkWritesEachLinesChoiceToItsOwnRecord) {
    add(2, QStringLiteral("Zeta"), false);
    add(3, QString(), true);
    add(4, QStringLiteral("O'Brien"), false);
    openDialog(QStringLiteral("A"), [&](frmAUSWAHL& d) {
        EXPECT_EQ(lines(d).first(), QString());
        choose(d, {2, 4});
    });
    EXPECT_EQ(w->Tag, QStringLiteral("OK"));
    EXPECT_EQ(active(), (QList<int>{2, 4}));
    // Nothing selected: every listed record loses its flag.
    openDialog(QStringLiteral("A"), [&](frmAUSWAHL& d) { choose(d, {}); });
    EXPECT_EQ(w->Tag, QStringLiteral("OK"));
    EXPECT_TRUE(active().isEmpty());
}

TEST_F(Selection, CancelEscAndTheCloseBoxWriteNothing) {
    add(2, QStringLiteral("Zeta"), false);
    struct Case {
        const char* how;
        const char* tag;
    };
    const Case cases[] = {{"cancel", "Abbrechen"}, {"esc", "Abbrechen"}, {"close", "L"}};
    for (const Case& c : cases) {
        const QString how = QString::fromUtf8(c.how);
        openDialog(QStringLiteral("L"), [&](frmAUSWAHL& d) {
            d.lstKEN->selectAll();
            if (how == QLatin1String("cancel")) {
                d.cmdABBRECHEN->click();
            } else if (how == QLatin1String("esc")) {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&d, &esc);
            } else {
                d.close();
            }
            EXPECT_FALSE(d.isVisible()) << c.how;
        });
        EXPECT_EQ(w->Tag, QString::fromUtf8(c.tag)) << c.how;
        EXPECT_EQ(active(), QList<int>{1}) << c.how;
    }
}

TEST_F(Selection, OnlyTheSelectCommandThatEndsWithSeveralRecordsStartsTheMultipleEvaluationAfresh) {
    add(0, QStringLiteral("M"), false, false);
    add(2, QStringLiteral("Zeta"), false, true);
    w->cnnX->Execute(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, 'Mehrfach')"));
    w->cnnX->Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT) VALUES (0, 110)"));
    w->setDirty(false);

    onDialog([](frmAUSWAHL& d) { choose(d, {2}); });
    w->mnuAUSWAHL_Click();
    EXPECT_EQ(active(), QList<int>{2});
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM E1 WHERE ID=0")), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM M1")), 1);
    EXPECT_TRUE(w->dirty());
    EXPECT_EQ(w->stbMAIN->Panels(6)->Text(), QStringLiteral("Zeta"));
    EXPECT_EQ(w->stbMAIN->Panels(6)->ToolTipText(), QStringLiteral("Kommentar Zeta"));

    onDialog([](frmAUSWAHL& d) { choose(d, {1, 2}); });
    w->mnuAUSWAHL_Click();
    EXPECT_EQ(active(), (QList<int>{1, 2}));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM E1 WHERE ID=0")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM A1 WHERE ID=0")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM G0 WHERE ID=0")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM M1")), 0);
    EXPECT_EQ(w->stbMAIN->Panels(6)->Text(), QStringLiteral("Probe,..."));
    EXPECT_EQ(w->stbMAIN->Panels(6)->ToolTipText(), QStringLiteral("Probe, Zeta"));

    // Cancelled: nothing changes, the run stays clean.
    w->setDirty(false);
    onDialog([](frmAUSWAHL& d) {
        d.lstKEN->clearSelection();
        d.cmdABBRECHEN->click();
    });
    w->mnuAUSWAHL_Click();
    EXPECT_EQ(active(), (QList<int>{1, 2}));
    EXPECT_FALSE(w->dirty());
}

TEST_F(Selection, DeleteRemovesTheConfirmedRecordsWithAllTheirRows) {
    for (int id : {2, 3}) {
        platform::Connection& c = *w->cnnX;
        examples::Record r = examples::dryingSet();
        r.KEN = QStringLiteral("Satz %1").arg(id);
        examples::store(c, r, id, false);
        c.Execute(QStringLiteral("INSERT INTO A2 (ID, I1) VALUES (?, 0)"), {Variant(std::int32_t(id))});
        c.Execute(QStringLiteral("INSERT INTO G0 (ID, IDOBJEKT) VALUES (?, 11)"),
                  {Variant(std::int32_t(id))});
    }
    add(0, QStringLiteral("M"), false, false);
    const auto rowsOf = [&](int id) {
        long n = 0;
        for (const char* table : {"E1", "E2", "E3", "A1", "A2", "G0"})
            n += rows(QStringLiteral("SELECT * FROM %1 WHERE ID=?").arg(QLatin1String(table)),
                      {Variant(std::int32_t(id))});
        return n;
    };
    const long rowsOf3 = rowsOf(3);
    ASSERT_GT(rowsOf(2), 6);
    w->setDirty(false);

    // "Satz 2" is confirmed, "Probe" is kept with Cancel.
    onDialog([](frmAUSWAHL& d) { choose(d, {1, 2}); });
    inst.dialogs().answer(Msg::Cancel).answer(Msg::OK);
    w->SPRACHE = 1;
    w->mnuLOESCHEN_Click();
    // The questions come in the order of the rows: ID 1, then ID 2.
    EXPECT_EQ(inst.dialogs().messages(),
              (QStringList{"File Probe will be deleted!", "File Satz 2 will be deleted!"}));
    EXPECT_EQ(inst.dialogs().asked().back().style, Msg::OKCancel | Msg::Exclamation | Msg::DefaultButton2);
    EXPECT_EQ(inst.dialogs().asked().back().title, QStringLiteral("Löschen"));
    EXPECT_EQ(rowsOf(1), 1);
    EXPECT_EQ(rowsOf(2), 0); // E1 with its E2, E3, A1, A2 and G0 rows
    EXPECT_EQ(rowsOf(3), rowsOf3);
    EXPECT_EQ(rowsOf(0), 2); // the multiple evaluation stays
    EXPECT_TRUE(w->dirty());
    EXPECT_EQ(w->stbMAIN->Panels(6)->Text(), QStringLiteral("Probe"));

    // German, and Cancel on every question: nothing is deleted, the chosen flags stay, the run is dirty.
    w->SPRACHE = 3;
    w->setDirty(false);
    inst.dialogs().clear();
    onDialog([](frmAUSWAHL& d) { choose(d, {3}); });
    inst.dialogs().answerAllMessages(Msg::Cancel);
    w->mnuLOESCHEN_Click();
    EXPECT_EQ(inst.dialogs().messages(), QStringList{"Datensatz Satz 3 wird gelöscht!"});
    EXPECT_EQ(rowsOf(3), rowsOf3);
    EXPECT_EQ(active(), QList<int>{3});
    EXPECT_TRUE(w->dirty());
    EXPECT_EQ(w->stbMAIN->Panels(6)->Text(), QStringLiteral("Satz 3"));
}

} // namespace

namespace {

// A record that another tool numbered beyond a Long is listed and can be deleted like any other; opening
// or selecting it is refused with one message that names it, and the active record stays active.
TEST_F(Selection, ARecordNumberedBeyondALongIsRefusedByNameAndTheActiveRecordStays) {
    w->cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (3000000000, 'Fremd', 0)"));
    w->cnnX->Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (3000000000, 0)"));
    const QString refusal =
        QStringLiteral("Der Datensatz Fremd hat die Nummer (ID) 3000000000, größer als die größte, die "
                       "dieses Programm führt "
                       "(2147483647): Er kann hier nicht geöffnet, ausgewertet oder überschrieben werden.");
    const auto flags = [&] {
        return rows(QStringLiteral("SELECT * FROM E1 WHERE ID=1 AND AKT=1")) * 10 +
               rows(QStringLiteral("SELECT * FROM E1 WHERE ID=3000000000 AND AKT=1"));
    };
    // Chooses "Fremd" alone, presses OK, and gives up with Cancel when the dialog stays.
    const auto fremdAlone = [](frmAUSWAHL& d) {
        EXPECT_EQ(lines(d), (QStringList{"Fremd", "Probe"}));
        EXPECT_EQ(d.lineID(0), 3000000000LL);
        {
            const QSignalBlocker quiet(d.lstKEN);
            d.lstKEN->clearSelection();
            d.lstKEN->item(0)->setSelected(true);
        }
        d.cmdOK->click();
        EXPECT_TRUE(d.isVisible());
        d.cmdABBRECHEN->click();
    };
    for (const char* command : {"Auswahl", "Öffnen"}) {
        SCOPED_TRACE(command);
        inst.dialogs().clear();
        w->setDirty(false);
        onDialog(fremdAlone);
        if (QString::fromUtf8(command) == QLatin1String("Auswahl"))
            w->mnuAUSWAHL_Click();
        else
            w->mnuOEFFNEN_Click();
        EXPECT_EQ(inst.dialogs().messages(), QStringList{refusal});
        EXPECT_EQ(flags(), 10);
        EXPECT_FALSE(w->dirty());
        EXPECT_EQ(w->inputForm(), nullptr);
        EXPECT_EQ(w->stbMAIN->Panels(6)->Text(), QStringLiteral("Probe"));
    }

    // Deleting it needs no ID of 32 bits: its rows go as any record's do.
    inst.dialogs().clear();
    onDialog([](frmAUSWAHL& d) {
        const QSignalBlocker quiet(d.lstKEN);
        d.lstKEN->clearSelection();
        d.lstKEN->item(0)->setSelected(true);
        d.cmdOK->click();
    });
    inst.dialogs().answerAllMessages(Msg::OK);
    w->mnuLOESCHEN_Click();
    EXPECT_EQ(inst.dialogs().messages(), QStringList{"Datensatz Fremd wird gelöscht!"});
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM E1 WHERE ID=3000000000")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM A1 WHERE ID=3000000000")), 0);
}

// File / Delete, Enter, Enter: the active record is chosen already, and the question that follows keeps it
// unless OK is pressed.
TEST_F(Selection, EnterOnTheDeleteQuestionKeepsTheRecord) {
    ASSERT_EQ(active(), QList<int>{1});
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Enter");
        inst.dialogs().clear();
        onDialog([](frmAUSWAHL& d) { d.cmdOK->click(); });
        if (ok)
            inst.dialogs().answer(Msg::OK);
        else
            inst.dialogs().answerEnter();
        w->mnuLOESCHEN_Click();
        EXPECT_EQ(inst.dialogs().messages(), QStringList{"Datensatz Probe wird gelöscht!"});
        EXPECT_EQ(rows(QStringLiteral("SELECT * FROM E1 WHERE ID=1")), ok ? 0 : 1);
    }
}

} // namespace
