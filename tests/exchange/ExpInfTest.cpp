// The information-system export: new records and overwritten ones in DALMIR.mdb, one transaction each.
#include "ExchangeFixture.h"
#include "frmEXPINF.h"

#include "platform/db/Recordset.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DialogService.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

using platform::Connection;
using platform::Recordset;
using platform::Variant;
namespace Msg = platform::Msg;

namespace exchangetest {
namespace {

QStringList items(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// The columns of one row of a table of the information system, by name ("Null" for a missing row).
QString row(Connection& c, const QString& table, int id, const QString& columns) {
    Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table +
                          QStringLiteral(" WHERE ID=?"),
                      c, {Variant(std::int32_t(id))});
    if (rs.eof()) return QStringLiteral("Null");
    QStringList out;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        const Variant v = rs.Value(i);
        out << (v.isNull()                              ? QStringLiteral("Null")
                : v.type() == platform::VarType::Double ? QString::number(v.asDouble(), 'g', 15)
                                                        : v.debugText());
    }
    return out.join(QLatin1Char(' '));
}

QStringList everything(Connection& c) {
    QStringList out;
    for (const char* table : {"E0", "E1", "E3"}) {
        Recordset rs;
        rs.OpenForReading(
            QStringLiteral("SELECT * FROM ") + QString::fromUtf8(table) + QStringLiteral(" ORDER BY ID"), c);
        for (; !rs.eof(); rs.MoveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.FieldCount(); ++i)
                fields << rs.Value(i).debugText();
            out << QString::fromUtf8(table) + QLatin1Char(' ') + fields.join(QLatin1Char(' '));
        }
    }
    return out;
}

class ExpInfTest : public ExchangeFixture {
protected:
    explicit ExpInfTest(const QString& language = QStringLiteral("de")) : ExchangeFixture(language) {}
    void SetUp() override {
        ExchangeFixture::SetUp();
        // Records of the current project from this program and from another, one of another project, and
        // results whose record is gone (the highest ID).
        Connection& d = dalmir();
        d.Execute(QStringLiteral("INSERT INTO E0 (ID, QART, PROJ, QUELLE) VALUES (5, 0, 'TEST.01', 'QZ'), "
                                 "(6, 1, 'TEST.01', 'XY'), (7, 0, 'ANDERES', 'QZ')"));
        d.Execute(QStringLiteral(
            "INSERT INTO E1 (ID, KEN) VALUES (5, 'Alt 5'), (6, 'Fremdquelle'), (7, 'Anderes')"));
        d.Execute(QStringLiteral(
            "INSERT INTO E3 (ID, RHPR, WPR, W1, W2) VALUES (5, 1.8, 14.5, 11, 17), (12, 2, 10, 0, 0)"));
    }
    void TearDown() override {
        dialog.reset();
        ExchangeFixture::TearDown();
    }
    frmEXPINF& load() {
        dialog = std::make_unique<frmEXPINF>();
        dialog->Form_Load();
        return *dialog;
    }
    // Chooses a record on the left, a record or none on the right, and exports with Yes.
    void exportRecord(const QString& name, int informationEntry = -1) {
        dialog->lstPROJ->setCurrentRow(int(items(*dialog->lstPROJ).indexOf(name)));
        if (informationEntry >= 0) {
            dialog->lstINF->setCurrentRow(informationEntry);
            dialog->lstINF_Click(informationEntry);
        }
        run.dialogs().answer(Msg::Yes);
        dialog->cmdUEBERNEHMEN_Click();
    }

    platform::Clock::Override clock{QDateTime(QDate(2026, 12, 9), QTime(14, 30))};
    std::unique_ptr<frmEXPINF> dialog;
};

TEST_F(ExpInfTest, ListsTheRecordsAndTheProjectsRecordsInTheInformationSystem) {
    frmEXPINF& d = load();
    EXPECT_TRUE(d.DALMIR());
    // The working copy's records by ID, without the multiple evaluation's row 0.
    EXPECT_EQ(items(*d.lstPROJ), (QStringList{"Probe A", "Probe B", "Probe C"}));
    EXPECT_EQ(d.lstPROJ->item(2)->data(Qt::UserRole).toInt(), 3);
    // Every record of the current project, from whatever source.
    EXPECT_EQ(items(*d.lstINF), (QStringList{"Alt 5", "Fremdquelle"}));
    EXPECT_EQ(d.fraPROJ->title(), QStringLiteral("Aktuelles Projekt"));
    EXPECT_EQ(d.fraINF->title(), QStringLiteral("Informations System"));
    EXPECT_EQ(d.lblAKTI3->text(), QStringLiteral("im Informationssystem"));
    EXPECT_FALSE(run.progress().isVisible());
    EXPECT_EQ(run.progress().visibility().front(), true);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ExpInfTest, ANewRecordTakesTheIdAboveEveryTableAndItsOrigin) {
    load();
    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Neuen Datensatz anlegen ?")});
    EXPECT_EQ(run.dialogs().asked().front().style, Msg::YesNo);
    Connection& d = dalmir();
    EXPECT_EQ(row(d, "E0", 13, "QART, PROJ, QUELLE, BEARBEITER, DATUM"),
              QStringLiteral(
                  "Integer(0) String(\"TEST.01\") String(\"QZ\") String(\"Prüfer\") String(\"09.12.26\")"));
    EXPECT_EQ(row(d, "E1", 13, "KEN, KOM"), QStringLiteral("String(\"Probe A\") String(\"Sand\")"));
    // Without an insert plate; water contents in percent from the points (the page shows the points).
    EXPECT_EQ(row(d, "E3", 13, "RHPR, WPR, RHPRPL, WPRPL, W1, W2"),
              QStringLiteral("1.953 12.34 Null Null 10.11 15.23"));
    // Added at the end, not chosen, so that the next export makes a new record again.
    EXPECT_EQ(items(*dialog->lstINF), (QStringList{"Alt 5", "Fremdquelle", "Probe A"}));
    EXPECT_EQ(dialog->lstINF->item(2)->data(Qt::UserRole).toInt(), 13);
    EXPECT_TRUE(dialog->lstINF->selectedItems().isEmpty());
    EXPECT_FLOAT_EQ(run.progress().values().back(), 0.0f);
    EXPECT_TRUE(std::count(run.progress().values().begin(), run.progress().values().end(), 100.0f) > 0);
    EXPECT_FALSE(run.progress().isVisible());

    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(row(d, "E1", 14, "KEN"), QStringLiteral("String(\"Probe A\")"));
}

TEST_F(ExpInfTest, AnEmptyInformationSystemGivesTheFirstRecordIdOne) {
    for (const char* table : {"E0", "E1", "E3"})
        dalmir().Execute(QStringLiteral("DELETE FROM ") + QString::fromUtf8(table));
    load();
    exportRecord(QStringLiteral("Probe C")); // refused: never evaluated
    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(row(dalmir(), "E1", 1, "KEN"), QStringLiteral("String(\"Probe A\")"));
    EXPECT_EQ(row(dalmir(), "E0", 1, "PROJ"), QStringLiteral("String(\"TEST.01\")"));
    EXPECT_EQ(everything(dalmir()).size(), 3);
}

// An information system written by another tool may hold the largest ID a Long takes: one more would wrap
// to a negative ID that the next export would share. One message says so and nothing is written.
TEST_F(ExpInfTest, NoNewRecordBeyondTheLargestIdAndOneMessageSaysSo) {
    dalmir().Execute(QStringLiteral("INSERT INTO E3 (ID, RHPR) VALUES (2147483647, 1)"));
    const QStringList before = everything(dalmir());
    load();
    exportRecord(QStringLiteral("Probe A"));
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().back().contains(
        QStringLiteral("Die höchste Datensatznummer (ID) 2147483647 ist erreicht")))
        << messages().back().toStdString();
    EXPECT_EQ(everything(dalmir()), before);
    EXPECT_EQ(dialog->lstINF->count(), 2);
}

TEST_F(ExpInfTest, ATestWithAPlateAndTheSplineShownGivesThePlatesColumnsAndThePolylinesPair) {
    load();
    exportRecord(QStringLiteral("Probe B"));
    EXPECT_EQ(row(dalmir(), "E3", 13, "RHPR, WPR, RHPRPL, WPRPL, W1, W2"),
              QStringLiteral("Null Null 1.953 12.34 10.11 15.23"));
}

// W1 and W2 belong to the maximum that RHPR and WPR export: the polyline's crossings, whether the record's
// page shows the points or the spline, with or without an insert plate.
TEST_F(ExpInfTest, TheWaterContentsAreThoseOfTheExportedMaximumWhateverThePageShows) {
    struct Case {
        const char* name;
        Kind kind;
        const char* expected; // RHPR, RHPRPL, W1, W2
    };
    const Case cases[] = {{"Punkte ohne Platte", {true, false, 0}, "1.953 Null 10.11 15.23"},
                          {"Spline ohne Platte", {true, false, 1}, "1.953 Null 10.11 15.23"},
                          {"Punkte mit Platte", {true, true, 0}, "Null 1.953 10.11 15.23"},
                          {"Spline mit Platte", {true, true, 1}, "Null 1.953 10.11 15.23"}};
    int id = 10;
    for (const Case& c : cases)
        storeRecord(work(), id++, QString::fromUtf8(c.name), {}, c.kind);
    load();
    int infId = 13;
    for (const Case& c : cases) {
        exportRecord(QString::fromUtf8(c.name));
        EXPECT_EQ(row(dalmir(), "E3", infId++, "RHPR, RHPRPL, W1, W2"), QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST_F(ExpInfTest, OverwritingWritesOnlyTheResultsOfTheRecordsKind) {
    load();
    exportRecord(QStringLiteral("Probe B"), 0);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Ausgewählten Datensatz überschreiben ?")});
    Connection& d = dalmir();
    // The old results without a plate stay; the name and the origin are the old ones.
    EXPECT_EQ(row(d, "E3", 5, "RHPR, WPR, RHPRPL, WPRPL, W1, W2"),
              QStringLiteral("1.8 14.5 1.953 12.34 10.11 15.23"));
    EXPECT_EQ(row(d, "E1", 5, "KEN"), QStringLiteral("String(\"Alt 5\")"));
    EXPECT_EQ(row(d, "E0", 5, "QUELLE, DATUM"), QStringLiteral("String(\"QZ\") Null"));
    EXPECT_EQ(row(d, "E1", 13, "KEN"), QStringLiteral("Null"));
    EXPECT_EQ(dialog->lstINF->count(), 2);
}

TEST_F(ExpInfTest, ASecondClickOnTheChosenEntryMakesTheNextExportNew) {
    load();
    dialog->lstINF->setCurrentRow(1);
    dialog->lstINF_Click(1);
    dialog->lstINF_Click(1);
    EXPECT_TRUE(dialog->lstINF->selectedItems().isEmpty());
    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Neuen Datensatz anlegen ?")});
    EXPECT_EQ(row(dalmir(), "E1", 13, "KEN"), QStringLiteral("String(\"Probe A\")"));
}

TEST_F(ExpInfTest, MouseClicksChooseAndClearWhateverTheKeysDidBefore) {
    load();
    dialog->show();
    QListWidget& list = *dialog->lstINF;
    const auto click = [&](int row) {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list.viewport(), &e);
        }
    };
    click(1);
    EXPECT_EQ(list.selectedItems().size(), 1);
    click(1);
    EXPECT_TRUE(list.selectedItems().isEmpty());
    click(1);
    list.setCurrentRow(0); // the arrow keys choose another entry
    click(1);
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems().front()->text(), QStringLiteral("Fremdquelle"));
    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Ausgewählten Datensatz überschreiben ?")});
    EXPECT_EQ(row(dalmir(), "E3", 6, "RHPR, W1"), QStringLiteral("1.953 10.11"));
}

TEST_F(ExpInfTest, NoAtTheQuestionWritesNothing) {
    load();
    const QStringList before = everything(dalmir());
    dialog->lstPROJ->setCurrentRow(0);
    run.dialogs().answer(Msg::No);
    dialog->cmdUEBERNEHMEN_Click();
    EXPECT_EQ(everything(dalmir()), before);
}

TEST_F(ExpInfTest, ARecordWithoutAnEvaluationOrNoChoiceIsRefused) {
    load();
    const QStringList before = everything(dalmir());
    dialog->cmdUEBERNEHMEN_Click();
    dialog->lstPROJ->setCurrentRow(2); // Probe C, never evaluated
    dialog->cmdUEBERNEHMEN_Click();
    EXPECT_EQ(messages(),
              (QStringList{QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"),
                           QStringLiteral("Der Datensatz Probe C ist nicht ausgewertet!")}));
    EXPECT_EQ(everything(dalmir()), before);
}

TEST_F(ExpInfTest, AFailingWriteLeavesTheInformationSystemAsItWas) {
    load();
    dalmir().Execute(QStringLiteral("CREATE TRIGGER voll BEFORE INSERT ON E3 BEGIN SELECT RAISE(ABORT, "
                                    "'database or disk is full'); END"));
    const QStringList before = everything(dalmir());
    exportRecord(QStringLiteral("Probe A"));
    // The question, then the cursor's one message; the new record's E1 and E0 rows are gone with it.
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().back().startsWith(QStringLiteral("Wert ")));
    EXPECT_EQ(everything(dalmir()), before);
    EXPECT_EQ(dialog->lstINF->count(), 2);
    EXPECT_FALSE(run.progress().isVisible());
}

TEST_F(ExpInfTest, AMissingInformationSystemIsSaidOnce) {
    QFile::remove(databaseFolder() + QStringLiteral("/DALMIR.mdb"));
    frmEXPINF& d = load();
    EXPECT_FALSE(d.DALMIR());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Informationssystem DALMIR ist nicht installiert!")});
    EXPECT_EQ(run.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
    EXPECT_EQ(d.lstPROJ->count(), 0);
    EXPECT_EQ(d.lstINF->count(), 0);
    EXPECT_FALSE(run.progress().isVisible());
    d.cmdUEBERNEHMEN_Click();
    EXPECT_EQ(messages().back(), QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"));
    EXPECT_FALSE(QFile::exists(databaseFolder() + QStringLiteral("/DALMIR.mdb")));
}

TEST_F(ExpInfTest, AProjectNameWithAnApostrophe) {
    run.state().PROJEKT = QStringLiteral("O'Neill Böden");
    dalmir().Execute(QStringLiteral("INSERT INTO E0 (ID, PROJ) VALUES (8, ?)"),
                     {Variant(run.state().PROJEKT)});
    dalmir().Execute(QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (8, 'Größe ''B''')"));
    load();
    EXPECT_EQ(items(*dialog->lstINF), QStringList{QStringLiteral("Größe 'B'")});
    exportRecord(QStringLiteral("Probe A"));
    EXPECT_EQ(row(dalmir(), "E0", 13, "PROJ"), QStringLiteral("String(\"O'Neill Böden\")"));
}

class ExpInfEnglishTest : public ExpInfTest {
protected:
    ExpInfEnglishTest() : ExpInfTest(QStringLiteral("en")) {}
};

TEST_F(ExpInfEnglishTest, TextsOfTheEnglishRun) {
    frmEXPINF& d = load();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Export Informationssystem"));
    EXPECT_EQ(d.lblAKTP1->text(), QStringLiteral("Files"));
    EXPECT_EQ(d.lblAKTP2->text(), QStringLiteral("from current project"));
    EXPECT_EQ(d.lblAKTI3->text(), QStringLiteral("in the information system"));
    EXPECT_EQ(d.cmdUEBERNEHMEN->text(), QStringLiteral("Apply"));
    EXPECT_EQ(d.cmdSCHLIESSEN->text(), QStringLiteral("Quit"));
    // The messages of the dialog are German; the refusal of a record is the run's language.
    d.lstPROJ->setCurrentRow(2);
    d.cmdUEBERNEHMEN_Click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("The file Probe C has not been calculated!")});
}

} // namespace
} // namespace exchangetest

namespace exchangetest {
namespace {

// Records that another tool numbered beyond a Long can't be exported into the information system: they are
// left out with one message, and no other record (the multiple evaluation's row 0) stands in their place.
TEST_F(ExpInfTest, RecordsNumberedBeyondALongAreLeftOutWithOneMessage) {
    work().Execute(
        QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (3000000000, 'Fremd 1'), (3000000001, 'Fremd 2')"));
    run.dialogs().answerAllMessages(Msg::OK);
    frmEXPINF& d = load();
    EXPECT_EQ(items(*d.lstPROJ), (QStringList{"Probe A", "Probe B", "Probe C"}));
    EXPECT_EQ(messages(), QStringList{"VB-Error: 6\nÜberlauf"});
}

} // namespace
} // namespace exchangetest
