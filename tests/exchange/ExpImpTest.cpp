// The export/import dialog: the other project found in the folder tree, records copied both ways.
#include "ChildLock.h"
#include "ExchangeFixture.h"
#include "FileSizeLimit.h"
#include "frmEXPIMP.h"
#include "LockFiles.h"
#include "SmallDisk.h"

#include "platform/db/ProjectLock.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/system/FileLock.h"
#include "Schema.h"

#include <chrono>
#include <functional>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QSysInfo>
#include <QTimer>
#include <QTreeView>
#include <unistd.h>
#include <utility>

using platform::Connection;
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

void select(QListWidget& list, const QStringList& texts) {
    list.clearSelection();
    for (int i = 0; i < list.count(); ++i)
        if (texts.contains(list.item(i)->text())) list.item(i)->setSelected(true);
}

class ExpImpTest : public ExchangeFixture {
protected:
    // A working copy of the other project by one of its users, with a record of theirs ("Deren", 12).
    QString theirWorkingCopy() {
        const QString theirs = run.dir().file(QStringLiteral("theirs.mdb"));
        Connection::CopyDatabase(otherFolder() + QStringLiteral("/TAMBRIN.mdb"), theirs);
        Connection c;
        c.Open(theirs);
        storeRecord(c, 12, QStringLiteral("Deren"));
        return theirs;
    }
    void SetUp() override {
        ExchangeFixture::SetUp();
        dialog = std::make_unique<frmEXPIMP>();
        dialog->Form_Load();
    }
    void TearDown() override {
        dialog.reset();
        ExchangeFixture::TearDown();
    }
    std::unique_ptr<frmEXPIMP> dialog;
};

TEST_F(ExpImpTest, LoadingListsTheCurrentProjectsRecordsAndOpensNothingYet) {
    EXPECT_EQ(dialog->fraIMP->title(), QStringLiteral("Aktuelles Projekt: TEST.01"));
    EXPECT_EQ(dialog->fraEXP->title(), QStringLiteral("Externes Projekt"));
    EXPECT_EQ(dialog->cmdSCHLIESSEN->text(), QStringLiteral("Schließen"));
    // By name, without the multiple evaluation; an empty comment gives empty brackets.
    EXPECT_EQ(items(*dialog->lstIMP), (QStringList{"Probe A (Sand)", "Probe B", "Probe C"}));
    EXPECT_EQ(dialog->lstIMP->item(0)->data(Qt::UserRole).toInt(), 1);
    EXPECT_EQ(dialog->ordner(), projects());
    EXPECT_TRUE(dialog->anderesProjekt().isEmpty());
    EXPECT_EQ(items(*dialog->lstEXP), QStringList{"Kein Projekt in diesem Ordner"});
    EXPECT_FALSE(dialog->cmdEXP->isEnabled());
    EXPECT_FALSE(dialog->cmdIMP->isEnabled());
    EXPECT_FALSE(dialog->Form_Unload());
}

TEST_F(ExpImpTest, TheCurrentProjectIsNeverOfferedAsTheOtherOne) {
    // Its working copy, and its own project database, which the next Save would overwrite.
    // Nor the empty template beside the program.
    const QString workingFolder = run.dir().path();
    const QString programFolder = run.state().programFolder();
    schema::create(schema::Database::Project, programFolder + QStringLiteral("/TAMBRIN.mdb"));
    for (const QString& folder :
         {workingFolder, ownFolder(), ownFolder() + QStringLiteral("/../TEST.01"), programFolder}) {
        dialog->dirEXP_Change(folder);
        EXPECT_TRUE(dialog->anderesProjekt().isEmpty()) << qPrintable(folder);
        EXPECT_FALSE(dialog->cmdEXP->isEnabled());
    }
    EXPECT_FALSE(dialog->Form_Unload());
}

TEST_F(ExpImpTest, AFolderWithAProjectOpensIt) {
    dialog->dirEXP_Change(otherFolder());
    EXPECT_EQ(dialog->anderesProjekt(), otherFolder() + QStringLiteral("/TAMBRIN.mdb"));
    EXPECT_EQ(dialog->fraEXP->title(), QStringLiteral("Projekt ANDERES.02"));
    EXPECT_EQ(items(*dialog->lstEXP), (QStringList{"Fremd 1 (Kies)", "Probe B"}));
    EXPECT_TRUE(dialog->cmdEXP->isEnabled());
    EXPECT_TRUE(dialog->cmdIMP->isEnabled());

    // A folder without one says so in the list and keeps the project open.
    dialog->dirEXP_Change(run.dir().mkdir(QStringLiteral("leer")));
    EXPECT_EQ(items(*dialog->lstEXP), QStringList{"Kein Projekt in diesem Ordner"});
    EXPECT_EQ(dialog->fraEXP->title(), QStringLiteral("Projekt ANDERES.02"));
    EXPECT_TRUE(dialog->cmdEXP->isEnabled());
    EXPECT_TRUE(dialog->Form_Unload());
}

TEST_F(ExpImpTest, AProjectDatabaseClickedInTheTreeStandsForItsFolder) {
    auto* model = qobject_cast<QFileSystemModel*>(dialog->dirEXP->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex file = model->index(otherFolder() + QStringLiteral("/TAMBRIN.mdb"));
    ASSERT_TRUE(file.isValid());
    emit dialog->dirEXP->clicked(file);
    QCoreApplication::processEvents(); // taken once the click is handled
    EXPECT_EQ(dialog->ordner(), otherFolder());
    EXPECT_EQ(dialog->anderesProjekt(), otherFolder() + QStringLiteral("/TAMBRIN.mdb"));
    emit dialog->dirEXP->clicked(model->index(projects()));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->ordner(), projects());
    EXPECT_EQ(items(*dialog->lstEXP), QStringList{"Kein Projekt in diesem Ordner"});
}

TEST_F(ExpImpTest, TheTreeStandsAtTheProjectsFolderWhenTheDialogAppears) {
    // Nothing has run the event loop since loading: what the user sees first is already in place.
    auto* model = qobject_cast<QFileSystemModel*>(dialog->dirEXP->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex folder = model->index(projects());
    EXPECT_EQ(dialog->dirEXP->currentIndex(), folder);
    EXPECT_TRUE(dialog->dirEXP->isExpanded(folder));
    EXPECT_GE(model->rowCount(folder), 2); // the project folders in it are read
    for (QModelIndex up = folder.parent(); up.isValid() && up != dialog->dirEXP->rootIndex();
         up = up.parent())
        EXPECT_TRUE(dialog->dirEXP->isExpanded(up)) << model->filePath(up).toStdString();
}

TEST_F(ExpImpTest, TheDialogCanBeMadeLargerAndTheListsGrowWithIt) {
    dialog->show();
    const QSize first = dialog->size();
    const int tree = dialog->dirEXP->height(), list = dialog->lstIMP->width();
    dialog->resize(first + QSize(200, 100));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->size(), first + QSize(200, 100));
    EXPECT_EQ(dialog->dirEXP->height(), tree + 50);
    EXPECT_EQ(dialog->lstIMP->width(), list + 100);
    EXPECT_LE(dialog->cmdSCHLIESSEN->geometry().right(), dialog->width());
    EXPECT_LE(dialog->cmdSCHLIESSEN->geometry().bottom(), dialog->height());
    EXPECT_GT(dialog->cmdSCHLIESSEN->geometry().bottom(), dialog->height() - 40);
}

TEST_F(ExpImpTest, ADatabaseInTheProjectsFolderIsOpenedAtLoading) {
    Connection::CopyDatabase(otherFolder() + QStringLiteral("/TAMBRIN.mdb"),
                             projects() + QStringLiteral("/TAMBRIN.mdb"));
    frmEXPIMP second;
    second.Form_Load();
    EXPECT_EQ(second.anderesProjekt(), projects() + QStringLiteral("/TAMBRIN.mdb"));
    EXPECT_EQ(second.lstEXP->count(), 2);
}

TEST_F(ExpImpTest, ExportCopiesTheSelectedRecordsWithConsecutiveIds) {
    dialog->dirEXP_Change(otherFolder());
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe C"});
    dialog->cmdEXP_Click();
    EXPECT_EQ(records(other()), (QStringList{"4 Fremd 1", "9 Probe B", "10 Probe A", "11 Probe C"}));
    EXPECT_EQ(recordRows(other(), 10), recordRows(work(), 1));
    EXPECT_EQ(recordRows(other(), 11), recordRows(work(), 3));
    EXPECT_EQ(items(*dialog->lstEXP),
              (QStringList{"Fremd 1 (Kies)", "Probe A (Sand)", "Probe B", "Probe C"}));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ExpImpTest, ImportCopiesIntoTheWorkingCopy) {
    dialog->dirEXP_Change(otherFolder());
    select(*dialog->lstEXP, {"Fremd 1 (Kies)"});
    dialog->cmdIMP_Click();
    EXPECT_EQ(records(work()), (QStringList{"0 M", "1 Probe A", "2 Probe B", "3 Probe C", "4 Fremd 1"}));
    EXPECT_EQ(recordRows(work(), 4), recordRows(other(), 4));
    EXPECT_EQ(items(*dialog->lstIMP),
              (QStringList{"Fremd 1 (Kies)", "Probe A (Sand)", "Probe B", "Probe C"}));
    EXPECT_TRUE(dialog->Form_Unload());
}

TEST_F(ExpImpTest, ANameAlreadyInTheTargetIsAskedAbout) {
    struct Case {
        int answer;
        QStringList copied; // what the other project holds afterwards
    };
    // OK goes on with the next record; Cancel ends the copy and keeps what was copied before.
    const Case cases[] = {{Msg::OK, {"4 Fremd 1", "9 Probe B", "10 Probe A", "11 Probe C"}},
                          {Msg::Cancel, {"4 Fremd 1", "9 Probe B", "10 Probe A"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        other().Execute(QStringLiteral("DELETE FROM E1 WHERE ID>9"));
        run.dialogs().clear();
        dialog->dirEXP_Change(otherFolder());
        select(*dialog->lstIMP, {"Probe A (Sand)", "Probe B", "Probe C"});
        run.dialogs().answer(c.answer);
        dialog->cmdEXP_Click();
        EXPECT_EQ(messages(), QStringList{QStringLiteral("Datensatz Probe B ist bereits vorhanden!")});
        EXPECT_EQ(run.dialogs().asked().front().title, QStringLiteral("TAMBRIN"));
        EXPECT_EQ(run.dialogs().asked().front().style, Msg::OKCancel | Msg::Exclamation);
        EXPECT_EQ(records(other()), c.copied);
        // Nothing was merged into the record of that name.
        EXPECT_EQ(recordRows(other(), 9).size(), recordRows(work(), 1).size());
    }
}

TEST_F(ExpImpTest, ApostrophesAndUmlautsInNamesAndFolders) {
    const QString folder = run.dir().mkdir(QStringLiteral("projekte/O'Neill Böden"));
    schema::create(schema::Database::Project, folder + QStringLiteral("/TAMBRIN.mdb"));
    {
        Connection c;
        c.Open(folder + QStringLiteral("/TAMBRIN.mdb"));
        storeRecord(c, 1, QStringLiteral("Probe 'A' Größe"), QStringLiteral("d'Artagnan"));
    }
    dialog->dirEXP_Change(folder);
    EXPECT_EQ(dialog->fraEXP->title(), QStringLiteral("Projekt O'Neill Böden"));
    select(*dialog->lstEXP, {"Probe 'A' Größe (d'Artagnan)"});
    dialog->cmdIMP_Click();
    EXPECT_TRUE(records(work()).contains(QStringLiteral("4 Probe 'A' Größe")));
    EXPECT_EQ(dialog->ordner(), folder);
    EXPECT_EQ(items(*dialog->lstEXP), QStringList{QStringLiteral("Probe 'A' Größe (d'Artagnan)")});
    // A second import finds the name.
    select(*dialog->lstEXP, {"Probe 'A' Größe (d'Artagnan)"});
    run.dialogs().answer(Msg::OK);
    dialog->cmdIMP_Click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Datensatz Probe 'A' Größe ist bereits vorhanden!")});
    EXPECT_EQ(records(work()).size(), 5);
}

TEST_F(ExpImpTest, AnEmptyProjectShowsLeerWhichIsNeverCopied) {
    const QString folder = run.dir().mkdir(QStringLiteral("projekte/NEU.03"));
    schema::create(schema::Database::Project, folder + QStringLiteral("/TAMBRIN.mdb"));
    {
        Connection c;
        c.Open(folder + QStringLiteral("/TAMBRIN.mdb"));
        storeMultiple(c); // only the multiple evaluation's row
    }
    dialog->dirEXP_Change(folder);
    ASSERT_EQ(items(*dialog->lstEXP), QStringList{QStringLiteral("<leer>")});
    dialog->lstEXP->item(0)->setSelected(true);
    EXPECT_FALSE(dialog->lstEXP->item(0)->isSelected());
    dialog->cmdIMP_Click();
    EXPECT_EQ(records(work()), (QStringList{"0 M", "1 Probe A", "2 Probe B", "3 Probe C"}));
    EXPECT_TRUE(messages().isEmpty());
}

// A failure part way stops the copy with one message in the run's language that names the target and the
// cause: the failed record is rolled back whole and no further one is tried (each would fail alike). The
// disk refuses to let the target grow while the first record's evaluated points go in.
TEST_F(ExpImpTest, AFailingWriteStopsTheCopyWithOneMessage) {
    dialog->dirEXP_Change(otherFolder());
    other().Execute(QStringLiteral("CREATE TABLE ballast (b TEXT)"));
    other().Execute(
        QStringLiteral("CREATE TRIGGER wachsen BEFORE INSERT ON A2 WHEN NEW.ID=10 BEGIN INSERT INTO "
                       "ballast VALUES (hex(zeroblob(100000))); END"));
    const QStringList before = allRows(other());
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe C"});
    run.dialogs().answerAllMessages(Msg::OK);
    {
        testsupport::FileSizeLimit limit(
            rlim_t(QFileInfo(otherFolder() + QStringLiteral("/TAMBRIN.mdb")).size()));
        dialog->cmdEXP_Click();
    }
    ASSERT_EQ(run.dialogs().asked().size(), 1u);
    EXPECT_EQ(run.dialogs().asked().front().title, QStringLiteral("Export/Import"));
    EXPECT_EQ(run.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
    EXPECT_EQ(messages().front(), QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n"
                                                 "der Datenträger kann nicht gelesen oder beschrieben werden")
                                      .arg(otherFolder() + QStringLiteral("/TAMBRIN.mdb")));
    EXPECT_EQ(allRows(other()), before);
}

// The cause is what the database reports, not what a text says: a refusal of the target's own that reads
// like a full or failing disk is shown as it reads.
TEST_F(ExpImpTest, ARefusalThatReadsLikeADiskFailureIsNoDiskFailure) {
    dialog->dirEXP_Change(otherFolder());
    for (const char* text : {"database or disk is full", "disk I/O error"}) {
        SCOPED_TRACE(text);
        other().Execute(QStringLiteral("DROP TRIGGER IF EXISTS nein"));
        other().Execute(
            QStringLiteral("CREATE TRIGGER nein BEFORE INSERT ON A2 BEGIN SELECT RAISE(ABORT, '%1'); END")
                .arg(QString::fromLatin1(text)));
        run.dialogs().clear();
        run.dialogs().answerAllMessages(Msg::OK);
        select(*dialog->lstIMP, {"Probe A (Sand)"});
        dialog->cmdEXP_Click();
        EXPECT_EQ(
            messages(),
            QStringList{QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n%2")
                            .arg(otherFolder() + QStringLiteral("/TAMBRIN.mdb"), QString::fromLatin1(text))});
    }
}

// What stops an Import into the current project is told by its cause, in the run's language: the database
// held by another user, made read-only, or full.
TEST_F(ExpImpTest, TheCauseOfAFailingImportIsToldInTheRunsLanguage) {
    struct Case {
        const char* name;
        std::function<void(Connection& besetzt)> prepare;
        QString cause;
    };
    const std::vector<Case> cases = {
        {"gesperrt",
         [this](Connection& besetzt) {
             work().Execute(QStringLiteral("PRAGMA busy_timeout=0"));
             besetzt.Open(work().path());
             besetzt.Execute(QStringLiteral("BEGIN IMMEDIATE"));
         },
         QStringLiteral("die Datei ist von einem anderen Benutzer oder Programm gesperrt")},
        {"schreibgeschützt", [this](Connection&) { work().Execute(QStringLiteral("PRAGMA query_only=1")); },
         QStringLiteral("die Datei ist schreibgeschützt")},
        {"voll",
         [this](Connection&) {
             work().Execute(QStringLiteral("CREATE TABLE ballast (b TEXT)"));
             work().Execute(
                 QStringLiteral("CREATE TRIGGER wachsen BEFORE INSERT ON E1 BEGIN INSERT INTO ballast "
                                "VALUES (hex(zeroblob(100000))); END"));
             work().Execute(
                 QStringLiteral("PRAGMA max_page_count=%1").arg(QFileInfo(work().path()).size() / 4096 + 1));
         },
         QStringLiteral("der Datenträger ist voll")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        dialog->dirEXP_Change(otherFolder());
        const QStringList before = allRows(work());
        Connection besetzt;
        c.prepare(besetzt);
        run.dialogs().answerAllMessages(Msg::OK);
        select(*dialog->lstEXP, {"Fremd 1 (Kies)"});
        dialog->cmdIMP_Click();
        EXPECT_EQ(messages(),
                  QStringList{QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n%2")
                                  .arg(work().path(), c.cause)});
        besetzt.Close();
        work().Execute(QStringLiteral("PRAGMA query_only=0"));
        work().Execute(QStringLiteral("PRAGMA max_page_count=1073741823"));
        work().Execute(QStringLiteral("DROP TRIGGER IF EXISTS wachsen"));
        work().Execute(QStringLiteral("DROP TABLE IF EXISTS ballast"));
        EXPECT_EQ(allRows(work()), before);
    }
}

// A read-only project gives its records but takes none: Export says so once and writes nothing.
TEST_F(ExpImpTest, AReadOnlyTargetSaysSoOnceAndTakesNothing) {
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    const QStringList before = allRows(other());
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    dialog->dirEXP_Change(otherFolder());
    EXPECT_EQ(dialog->anderesProjekt(), target);
    EXPECT_TRUE(messages().isEmpty());
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe C"});
    run.dialogs().answerAllMessages(Msg::OK);
    dialog->cmdEXP_Click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n"
                                                     "die Datei ist schreibgeschützt")
                                          .arg(target)});
    EXPECT_EQ(allRows(other()), before);
    // Import from it goes on as before.
    select(*dialog->lstEXP, {"Fremd 1 (Kies)"});
    dialog->cmdIMP_Click();
    EXPECT_TRUE(records(work()).contains(QStringLiteral("4 Fremd 1")));
    EXPECT_EQ(messages().size(), 1);
}

// A damaged project is refused when it is opened, with one message; the last good one stays open.
TEST_F(ExpImpTest, ADamagedProjectIsNotOpened) {
    const QString folder = run.dir().mkdir(QStringLiteral("projekte/KAPUTT.04"));
    const QString file = folder + QStringLiteral("/TAMBRIN.mdb");
    schema::create(schema::Database::Project, file);
    {
        Connection c;
        c.Open(file);
        Connection::Transaction t(c);
        for (int id = 1; id < 400; ++id)
            c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (?, ?, ?)"),
                      {Variant(std::int32_t(id)), Variant(QStringLiteral("R%1").arg(id)),
                       Variant(QString(300, QLatin1Char('k')))});
        t.commit();
    }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 40 * 4096);
        f.seek(8 * 4096);
        f.write(QByteArray(16 * 4096, '\x5a'));
    }
    dialog->dirEXP_Change(otherFolder());
    run.dialogs().answerAllMessages(Msg::OK);
    dialog->dirEXP_Change(folder);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().startsWith(
        QStringLiteral("Die Projektdatenbank %1 kann nicht geöffnet werden:\n").arg(file)));
    EXPECT_TRUE(messages().front().contains(QStringLiteral("beschädigt")));
    EXPECT_TRUE(dialog->anderesProjekt().isEmpty());
    EXPECT_FALSE(dialog->cmdEXP->isEnabled());
    EXPECT_EQ(dialog->lstEXP->count(), 0);
}

// A project whose highest ID is the largest a Long holds, or one beyond it that another tool wrote, takes
// no record: opening it and exporting into it give one message, and nothing is written.
TEST_F(ExpImpTest, ATargetWithNoIdLeftSaysSoOnce) {
    for (const char* hoechste : {"2147483647", "3000000000", "9223372036854775807"}) {
        SCOPED_TRACE(hoechste);
        other().Execute(QStringLiteral("DELETE FROM E1 WHERE KEN='Fremd 2'"));
        other().Execute(
            QStringLiteral("INSERT INTO E1 (ID, KEN) VALUES (%1, 'Fremd 2')").arg(QLatin1String(hoechste)));
        const QStringList before = allRows(other());
        run.dialogs().clear();
        run.dialogs().answerAllMessages(Msg::OK);
        dialog->dirEXP_Change(otherFolder());
        EXPECT_EQ(items(*dialog->lstEXP), (QStringList{"Fremd 1 (Kies)", "Fremd 2", "Probe B"}));
        select(*dialog->lstIMP, {"Probe A (Sand)", "Probe C"});
        dialog->cmdEXP_Click();
        EXPECT_EQ(messages(),
                  QStringList{QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n"
                                             "Es kann kein weiterer Datensatz angelegt werden: Die höchste "
                                             "Datensatznummer (ID) 2147483647 ist erreicht.")
                                  .arg(otherFolder() + QStringLiteral("/TAMBRIN.mdb"))});
        EXPECT_EQ(allRows(other()), before);
        EXPECT_EQ(items(*dialog->lstEXP), (QStringList{"Fremd 1 (Kies)", "Fremd 2", "Probe B"}));
    }
}

// A record numbered beyond a Long by another tool comes in as any other, under the next ID of this project.
TEST_F(ExpImpTest, ARecordNumberedBeyondALongIsImportedUnderTheNextId) {
    storeRecord(other(), 1, QStringLiteral("Fremd 2"), QStringLiteral("Ton"));
    other().Execute(QStringLiteral("PRAGMA foreign_keys=OFF"));
    for (const char* t : {"A2", "G0", "A1", "E3", "E2", "E1"})
        other().Execute(QStringLiteral("UPDATE %1 SET ID=3000000000 WHERE ID=1").arg(QLatin1String(t)));
    dialog->dirEXP_Change(otherFolder());
    select(*dialog->lstEXP, {"Fremd 2 (Ton)"});
    run.dialogs().answerAllMessages(Msg::OK);
    dialog->cmdIMP_Click();
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join(QLatin1Char('|')));
    EXPECT_EQ(records(work()).last(), QStringLiteral("4 Fremd 2"));
    const QStringList copied = recordRows(work(), 4);
    for (const char* t : {"A2", "G0", "A1", "E3", "E2", "E1"})
        other().Execute(QStringLiteral("UPDATE %1 SET ID=1 WHERE ID=3000000000").arg(QLatin1String(t)));
    EXPECT_EQ(copied, recordRows(other(), 1));
}

// A second (hard) link to the current project's database is that database: never offered.
TEST_F(ExpImpTest, AHardLinkToTheCurrentProjectIsTheCurrentProject) {
    const QString folder = run.dir().mkdir(QStringLiteral("projekte/LINK.05"));
    for (const QString& own : {ownFolder() + QStringLiteral("/TAMBRIN.mdb"), work().path()}) {
        QFile::remove(folder + QStringLiteral("/TAMBRIN.mdb"));
        ASSERT_EQ(::link(own.toLocal8Bit().constData(),
                         (folder + QStringLiteral("/TAMBRIN.mdb")).toLocal8Bit().constData()),
                  0);
        dialog->dirEXP_Change(folder);
        EXPECT_TRUE(dialog->anderesProjekt().isEmpty()) << qPrintable(own);
        EXPECT_FALSE(dialog->cmdEXP->isEnabled());
    }
}

// A project on a full disk: the copy stops at the first record with one message, and the project is as it
// was.
TEST_F(ExpImpTest, AFullDiskStopsTheCopyWithOneMessage) {
    const QString folder = run.dir().path() + QStringLiteral("/projekte/VOLL.06");
    testsupport::SmallDisk disk(folder, 512 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why().toStdString();
    const QString target = folder + QStringLiteral("/TAMBRIN.mdb");
    ASSERT_TRUE(QFile::copy(otherFolder() + QStringLiteral("/TAMBRIN.mdb"), target));
    {
        // The rest of the disk taken.
        QFile filler(folder + QStringLiteral("/fuellung"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    QStringList before;
    {
        Connection c;
        c.Open(target);
        before = allRows(c);
    }
    dialog->dirEXP_Change(folder);
    ASSERT_EQ(dialog->anderesProjekt(), target);
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe B", "Probe C"});
    run.dialogs().answerAllMessages(Msg::OK);
    dialog->cmdEXP_Click();
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("In die Projektdatenbank %1 können keine Datensätze "
                                         "exportiert werden: Der Datenträger des Ordners %2 ist voll.")
                              .arg(target, folder)});
    dialog->Form_Unload();
    Connection c;
    c.Open(target);
    EXPECT_EQ(allRows(c), before);
}

// The rows of a project database as the file at that path holds them now (a connection opened before the
// file was replaced would read the old one).
QStringList rowsNow(const QString& database) {
    Connection c;
    c.Open(database);
    return allRows(c);
}

QStringList recordsNow(const QString& database) {
    Connection c;
    c.Open(database);
    return records(c);
}

// An export waits for a Save of the other project by one of its users, and then writes into the file that
// Save put in place: neither its records nor the Save's are lost.
TEST_F(ExpImpTest, AnExportWaitsForASaveOfTheOtherProjectAndWritesIntoTheFileItLeft) {
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    const QString theirs = theirWorkingCopy();
    dialog->dirEXP_Change(otherFolder());
    platform::FileLock save(target + QStringLiteral(".lock"));
    ASSERT_EQ(save.take(), platform::FileLock::State::Taken);
    // The Save replaces the project as soon as the export gives it a turn, and ends.
    QTimer::singleShot(0, [&] {
        try {
            Connection::CopyDatabase(theirs, target);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        save.release();
    });
    select(*dialog->lstIMP, {"Probe A (Sand)"});
    dialog->cmdEXP_Click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(recordsNow(target), (QStringList{"4 Fremd 1", "9 Probe B", "12 Deren", "13 Probe A"}));
    EXPECT_EQ(items(*dialog->lstEXP), (QStringList{"Deren", "Fremd 1 (Kies)", "Probe A (Sand)", "Probe B"}));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".lock")));
}

// A Save of the other project that goes on longer than an export waits: the export says so once and writes
// nothing, and goes through once the lock is gone (here its run was killed). The lock is the one the
// project's Save holds: beside the project database, beside the real file when that is a link. Import writes
// only the working copy and needs no lock.
TEST_F(ExpImpTest, AnExportThatCantHaveTheProjectsLockSaysSoOnceAndWritesNothing) {
    // The other project, and a copy of it whose folder holds a link to the file.
    const QString linked = run.dir().mkdir(QStringLiteral("projekte/VERWEIS.03"));
    const QString elsewhere = run.dir().mkdir(QStringLiteral("ablage")) + QStringLiteral("/TAMBRIN.mdb");
    Connection::CopyDatabase(otherFolder() + QStringLiteral("/TAMBRIN.mdb"), elsewhere);
    ASSERT_TRUE(QFile::link(elsewhere, linked + QStringLiteral("/TAMBRIN.mdb")));
    const struct {
        QString folder, real;
    } cases[] = {{otherFolder(), otherFolder() + QStringLiteral("/TAMBRIN.mdb")}, {linked, elsewhere}};
    dialog->setSperrfrist(std::chrono::milliseconds(300));
    for (const auto& [folder, real] : cases) {
        SCOPED_TRACE(folder.toStdString());
        run.dialogs().clear();
        dialog->dirEXP_Change(folder);
        ASSERT_EQ(dialog->anderesProjekt(), folder + QStringLiteral("/TAMBRIN.mdb"));
        const QStringList before = rowsNow(real);
        testsupport::ChildLock save(real + QStringLiteral(".lock"), QStringLiteral("MEIER"));
        ASSERT_TRUE(save.holding());
        select(*dialog->lstIMP, {"Probe A (Sand)"});
        run.dialogs().answerAllMessages(Msg::OK);
        dialog->cmdEXP_Click();
        const QDateTime since = platform::FileLock(real + QStringLiteral(".lock")).holder()->since;
        ASSERT_EQ(
            messages(),
            QStringList{QStringLiteral("Die Projektdatenbank %1 ist gesperrt von Benutzer MEIER am Computer "
                                       "%2, seit %3: Sie wird gerade gespeichert, oder es werden Datensätze "
                                       "in sie exportiert.\nEs wurden keine (weiteren) Datensätze "
                                       "exportiert. Bitte versuchen Sie es gleich noch einmal.")
                            .arg(folder + QStringLiteral("/TAMBRIN.mdb"), QSysInfo::machineHostName(),
                                 platform::LockHolder::timeText(since))});
        EXPECT_EQ(run.dialogs().asked().front().title, QStringLiteral("Export/Import"));
        EXPECT_EQ(run.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(rowsNow(real), before);

        select(*dialog->lstEXP, {"Fremd 1 (Kies)"});
        dialog->cmdIMP_Click();
        EXPECT_TRUE(records(work()).contains(QStringLiteral("4 Fremd 1")));
        work().Execute(QStringLiteral("DELETE FROM E1 WHERE ID=4"));

        save.kill();
        select(*dialog->lstIMP, {"Probe A (Sand)"});
        dialog->cmdEXP_Click();
        EXPECT_EQ(messages().size(), 1);
        EXPECT_EQ(recordsNow(real), (QStringList{"4 Fremd 1", "9 Probe B", "10 Probe A"}));
        EXPECT_FALSE(QFile::exists(real + QStringLiteral(".lock")));
    }
}

// The lock that a run on another computer left beside the other project when that computer died: the export
// asks before it takes it over, naming the computer; Yes writes, No writes nothing and says nothing more. A
// lock renewed a moment ago is a live run's: one message naming it, nothing written.
TEST_F(ExpImpTest, AnotherComputersLockOfTheOtherProjectIsTakenOverOnlyAfterAQuestion) {
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    const QString lockFile = target + QStringLiteral(".lock");
    const QByteArray lines = "4711\nTAMBRIN\nlabpc07\n\n\nMEIER\n";
    const struct {
        const char* name;
        qint64 secondsAgo;
        int answer;
        bool written;
        const char* says;
    } cases[] = {
        {"an hour old, Yes", 3600, Msg::Yes, true,
         "Die Projektdatenbank %1 ist gesperrt von Benutzer MEIER am Computer labpc07, seit %2.\nDie Sperre "
         "wurde "
         "seit %2 nicht mehr erneuert: Vielleicht wurde das Programm dort nicht ordentlich beendet "
         "(Stromausfall, "
         "Absturz, eingefrorener Computer).\n\nAntworten Sie nur dann mit Ja, wenn TAMBRIN am Computer "
         "labpc07 "
         "nicht mehr läuft. Soll die Sperre aufgehoben und die Datensätze exportiert werden?"},
        {"an hour old, No", 3600, Msg::No, false, nullptr},
        {"a moment old", 0, Msg::OK, false,
         "Die Projektdatenbank %1 ist gesperrt von Benutzer MEIER am Computer labpc07, seit %2: Sie wird "
         "gerade "
         "gespeichert, oder es werden Datensätze in sie exportiert.\nEs wurden keine (weiteren) Datensätze "
         "exportiert. Bitte versuchen Sie es gleich noch einmal."},
    };
    dialog->setSperrfrist(std::chrono::milliseconds(300));
    dialog->dirEXP_Change(otherFolder());
    ASSERT_EQ(dialog->anderesProjekt(), target);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        testsupport::leaveLock(lockFile, lines, c.secondsAgo);
        const QDateTime touched = QFileInfo(lockFile).lastModified();
        const QStringList before = rowsNow(target);
        select(*dialog->lstIMP, {"Probe A (Sand)"});
        run.dialogs().answer(c.answer);
        dialog->cmdEXP_Click();
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        if (c.says) {
            EXPECT_EQ(
                messages().front().toStdString(),
                QString::fromUtf8(c.says).arg(target, platform::LockHolder::timeText(touched)).toStdString());
        }
        EXPECT_EQ(run.dialogs().asked().front().style,
                  c.secondsAgo ? Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2
                               : Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(run.dialogs().asked().front().title, QStringLiteral("Export/Import"));
        if (c.written) {
            EXPECT_TRUE(recordsNow(target).contains(QStringLiteral("10 Probe A")));
            EXPECT_FALSE(QFile::exists(lockFile));
        } else {
            EXPECT_EQ(rowsNow(target), before);
            QFile f(lockFile);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), lines);
        }
    }
}

// A lock file of the other project that can't be made (a folder in its place) says so once, without
// waiting, and nothing is written.
TEST_F(ExpImpTest, AFolderInThePlaceOfTheLockSaysSoOnce) {
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral(".lock")));
    dialog->dirEXP_Change(otherFolder());
    const QStringList before = rowsNow(target);
    bool waited = false;
    QTimer::singleShot(0, [&] { waited = true; });
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe C"});
    run.dialogs().answerAllMessages(Msg::OK);
    dialog->cmdEXP_Click();
    EXPECT_FALSE(waited);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("In die Projektdatenbank %1 können keine Datensätze exportiert "
                                         "werden: An der Stelle der Sperrdatei %1.lock steht ein Ordner.")
                              .arg(target)});
    EXPECT_EQ(rowsNow(target), before);
    QCoreApplication::processEvents();
}

// While the export asks about a name the other project holds already, it holds no lock: that project's Save
// by one of its users goes through meanwhile, and the export's next record goes into the file that Save left.
TEST_F(ExpImpTest, TheQuestionAboutANameAlreadyThereWaitsWithoutTheLock) {
    testsupport::MeanwhileDialogs dialogs;
    run.state().setDialogs(&dialogs);
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    const QString theirs = theirWorkingCopy();
    dialog->setSperrfrist(std::chrono::milliseconds(300));
    dialog->dirEXP_Change(otherFolder());
    bool saved = false;
    dialogs.whileAsked = [&] {
        platform::ProjectLock save(target);
        if (save.take() != platform::FileLock::State::Taken) return;
        Connection::CopyDatabase(theirs, target);
        saved = true;
    };
    dialogs.answer(Msg::OK);
    select(*dialog->lstIMP, {"Probe A (Sand)", "Probe B", "Probe C"});
    dialog->cmdEXP_Click();
    run.state().setDialogs(&run.dialogs());
    EXPECT_TRUE(saved);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Datensatz Probe B ist bereits vorhanden!")});
    // Probe A went into the file the Save replaced; Probe C into the Save's.
    EXPECT_EQ(recordsNow(target), (QStringList{"4 Fremd 1", "9 Probe B", "12 Deren", "13 Probe C"}));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral(".lock")));
}

TEST_F(ExpImpTest, WithoutASelectionTheButtonsDoNothing) {
    dialog->dirEXP_Change(otherFolder());
    const QStringList before = allRows(other());
    dialog->cmdEXP_Click();
    dialog->cmdIMP_Click();
    EXPECT_EQ(allRows(other()), before);
    EXPECT_EQ(records(work()).size(), 4);
}

class ExpImpEnglishTest : public ExchangeFixture {
protected:
    ExpImpEnglishTest() : ExchangeFixture(QStringLiteral("en")) {}
};

TEST_F(ExpImpEnglishTest, CaptionsOfTheEnglishRun) {
    frmEXPIMP dialog;
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export/Import"));
    EXPECT_EQ(dialog.fraIMP->title(), QStringLiteral("Selected Projekt: TEST.01"));
    EXPECT_EQ(dialog.fraEXP->title(), QStringLiteral("External Project"));
    EXPECT_EQ(dialog.cmdSCHLIESSEN->text(), QStringLiteral("Quit"));
    dialog.dirEXP_Change(otherFolder());
    EXPECT_EQ(dialog.fraEXP->title(), QStringLiteral("Project ANDERES.02"));
}

TEST_F(ExpImpEnglishTest, TheCopysMessageSpeaksTheRunsLanguage) {
    frmEXPIMP dialog;
    dialog.Form_Load();
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    dialog.dirEXP_Change(otherFolder());
    dialog.lstIMP->item(0)->setSelected(true);
    run.dialogs().answerAllMessages(Msg::OK);
    dialog.cmdEXP_Click();
    EXPECT_EQ(messages(),
              QStringList{
                  QStringLiteral("The records can't be copied into %1:\nthe file is read-only").arg(target)});
}

TEST_F(ExpImpEnglishTest, TheLockMessageSpeaksTheRunsLanguage) {
    frmEXPIMP dialog;
    dialog.Form_Load();
    dialog.setSperrfrist(std::chrono::milliseconds(200));
    const QString target = otherFolder() + QStringLiteral("/TAMBRIN.mdb");
    dialog.dirEXP_Change(otherFolder());
    const QStringList before = allRows(other());
    platform::FileLock save(target + QStringLiteral(".lock"), QStringLiteral("MEIER"));
    ASSERT_EQ(save.take(), platform::FileLock::State::Taken);
    dialog.lstIMP->item(0)->setSelected(true);
    run.dialogs().answerAllMessages(Msg::OK);
    dialog.cmdEXP_Click();
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("The project database %1 is locked by user MEIER on computer "
                                         "%2, since %3: it is being saved, or records are being "
                                         "exported into it, right now.\nNo (further) records were "
                                         "exported. Please try again in a moment.")
                              .arg(target, QSysInfo::machineHostName(),
                                   platform::LockHolder::timeText(save.holder()->since))});
    EXPECT_EQ(allRows(other()), before);
}

} // namespace
} // namespace exchangetest
