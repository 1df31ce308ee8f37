// A text pasted into a box of the input form is taken as typing takes it: what fits of it, without its
// control characters, and what the box then shows is what the save stores.

#include "EingabeLauf.h"
#include "Tasten.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QTabWidget>

namespace {

using testsupport::taste;

const QChar kNul(u'\0');

// The box a case pastes into, made ready as a user makes it: its text before, the focus in it.
struct Feld {
    const char* name;
    std::function<QLineEdit*(mdiEINGABE&)> bereit;
};

QLineEdit* kasten(platform::TextBox* box) {
    box->setFocus();
    return box;
}

const Feld kName{"Datensatz", [](mdiEINGABE& f) { return kasten(f.txtKEN); }};
const Feld kKommentar{"Kommentar", [](mdiEINGABE& f) { return kasten(f.txtKOM); }};
const Feld kDC{"txtDC", [](mdiEINGABE& f) { return kasten(f.txtDC); }};
const Feld kRHSU{"txtRHSU", [](mdiEINGABE& f) { return kasten(f.txtRHSU); }};
const Feld kWUE{"txtWUE", [](mdiEINGABE& f) { return kasten(f.txtWUE); }};
const Feld kDPR{"cboDPR", [](mdiEINGABE& f) -> QLineEdit* {
                    f.cboDPR->setFocus();
                    return f.cboDPR->lineEdit();
                }};
// The in-place editor of the drying grid's first m1 cell, opened by a double click.
const Feld kZelle{"m1 im Gitter", [](mdiEINGABE& f) -> QLineEdit* {
                      f.SSTab->setCurrentIndex(1);
                      f.msgFLX[0]->setRow(1);
                      f.msgFLX[0]->setCol(1);
                      f.msgFLX_DblClick(0);
                      return f.txtFLX[0];
                  }};

struct Fall {
    const char* name;
    const Feld& feld;
    QString vorher;       // the box's text before, set by the program ("" leaves a new form's)
    int anfang, laenge;   // the selection, or the cursor alone with length 0
    QString ablage;       // the clipboard
    QString gezeigt;      // what the box shows after Ctrl+V
    const char* spalte;   // the query of the stored value
    QString gespeichert;  // what the save stored
    QString meldung = {}; // the save's message, when it refuses the value
};

TEST(FeldEinfuegen, APasteIsTakenAsTypingAndStoredAsShown) {
    const QString langerKommentar = QStringLiteral("Schluff, stark tonig, schwach feinsandig, steif bis "
                                                   "halbfest, braun"); // 67 characters
    const char* ken = "SELECT KEN FROM E1 WHERE ID = 1";
    const char* kom = "SELECT KOM FROM E1 WHERE ID = 1";
    const std::vector<Fall> faelle{
        {"twelve characters into the name", kName, "", 0, 0, "ProbeB202412", "ProbeB20", ken, "ProbeB20"},
        {"into the middle of the name", kName, "Pr B", 2, 0, "obe1234", "Probe1 B", ken, "Probe1 B"},
        {"over a selection of the name", kName, "Probe A", 6, 1, "B12345", "Probe B1", ken, "Probe B1"},
        {"a NUL in the name", kName, "", 0, 0, "Probe" + QString(kNul) + "B", "Probe B", ken, "Probe B"},
        {"a spreadsheet cell into the name", kName, "", 0, 0, "Probe B\r\n", "Probe B", ken, "Probe B"},
        {"sixty-seven characters into the comment", kKommentar, "", 0, 0, langerKommentar,
         langerKommentar.left(50), kom, langerKommentar.left(50)},
        {"a NUL in the comment", kKommentar, "", 0, 0, "Kies" + QString(kNul) + "schwach sandig",
         "Kies schwach sandig", kom, "Kies schwach sandig"},
        {"two lines into the comment", kKommentar, "", 0, 0, "Kies,\r\nschwach sandig\r\n",
         "Kies, schwach sandig", kom, "Kies, schwach sandig"},
        {"a spreadsheet cell into a number box", kDC, "", 0, 2, "12,5\r\n", "12,5",
         "SELECT DC FROM E2 WHERE ID = 1", "12,5"},
        {"a NUL behind a number", kRHSU, "", 0, 4, "2,7" + QString(kNul), "2,7",
         "SELECT RHSU FROM E2 WHERE ID = 1", "2,7"},
        {"a tab before a number", kWUE, "", 0, 1, "\t3,5", "3,5", "SELECT WUE FROM E2 WHERE ID = 1", "3,5"},
        // Two cells of a row stay two values: the number box refuses them rather than store 12,513.
        {"two spreadsheet cells into a number box", kDC, "", 0, 2, "12,5\t13\r\n", "12,5 13",
         "SELECT DC FROM E2 WHERE ID = 1", "<keine Zeile>",
         "Eingegeber Wert ist kein gültiges Zahlenformat!"},
        // A cell pasted behind a value: the two stay apart, and the box refuses them.
        {"a tab and a value behind a number", kDC, "12,5", 4, 0, "\t13", "12,5 13",
         "SELECT DC FROM E2 WHERE ID = 1", "<keine Zeile>",
         "Eingegeber Wert ist kein gültiges Zahlenformat!"},
        {"a line break and a word behind the name", kName, "Probe", 5, 0, "\nB", "Probe B", ken, "Probe B"},
        {"a line and a line break before the comment's text", kKommentar, "schwach sandig", 0, 0, "Kies,\r\n",
         "Kies, schwach sandig", kom, "Kies, schwach sandig"},
        {"a spreadsheet cell into the degree", kDPR, "", 0, 2, "95\r\n", "95",
         "SELECT DPR FROM E2 WHERE ID = 1", "95"},
        {"a spreadsheet cell into the grid's editor", kZelle, "", 0, 0, "2783\r\n", "2783",
         "SELECT M1 FROM E3 WHERE ID = 1 AND I1 = 0", "2783"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << fall.feld.name << ": " << fall.name);
        EingabeLauf lauf;
        mdiEINGABE& form = lauf.neu();
        if (&fall.feld != &kName) form.txtKEN->setText(QStringLiteral("Probe B"));
        QLineEdit* box = fall.feld.bereit(form);
        QApplication::processEvents();
        ASSERT_TRUE(box->hasFocus());
        if (!fall.vorher.isEmpty()) box->setText(fall.vorher);
        box->setSelection(fall.anfang, fall.laenge);

        QGuiApplication::clipboard()->setText(fall.ablage);
        taste(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        EXPECT_EQ(box->text(), fall.gezeigt);

        taste(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
        EXPECT_EQ(lauf.haupt().gespeichert, fall.meldung.isEmpty());
        EXPECT_EQ(lauf.wert(QString::fromLatin1(fall.spalte)), fall.gespeichert);
        EXPECT_EQ(lauf.dialogs().messages(),
                  fall.meldung.isEmpty() ? QStringList() : QStringList{fall.meldung});
    }
}

// A name read from the database is shown whole, however long; it may be shortened, never lengthened, and
// is stored as the box shows it.
TEST(FeldEinfuegen, ALongStoredNameIsShownWholeAndTakesNoPaste) {
    EingabeLauf lauf;
    mdiEINGABE& alt = lauf.neu();
    alt.txtKEN->setText(QStringLiteral("Probe B"));
    ASSERT_TRUE(alt.EINGABEPRUEFEN() && alt.OK(1));
    lauf.db().Execute(QStringLiteral("UPDATE E1 SET KEN = 'Langer Name' WHERE ID = 1"));

    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_EQ(form.txtKEN->Text(), "Langer Name");
    form.txtKEN->setFocus();
    QApplication::processEvents();
    form.txtKEN->setCursorPosition(11);
    QGuiApplication::clipboard()->setText(QStringLiteral("2"));
    taste(form.txtKEN, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    taste(form.txtKEN, 0, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_EQ(form.txtKEN->Text(), "Langer Name");
    // A paste over a part keeps the length the name has.
    form.txtKEN->setSelection(7, 4);
    QGuiApplication::clipboard()->setText(QStringLiteral("Zeichen\r\n"));
    taste(form.txtKEN, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    EXPECT_EQ(form.txtKEN->Text(), "Langer Zeic");
    taste(form.txtKEN, Qt::Key_Backspace);
    EXPECT_EQ(form.txtKEN->Text(), "Langer Zei");

    taste(form.txtKEN, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_TRUE(lauf.haupt().gespeichert);
    EXPECT_EQ(lauf.wert("SELECT KEN FROM E1 WHERE ID = 1"), "Langer Zei");
    EXPECT_TRUE(lauf.dialogs().asked().empty());
}

} // namespace
