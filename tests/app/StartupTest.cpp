#include "ChildLock.h"
#include "Installation.h"
#include "SmallDisk.h"

#include "frmMAIN.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/VersionInfo.h"
#include "platform/runtime/DialogService.h"
#include "platform/system/FileLock.h"

#include <gtest/gtest.h>
#include <optional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>

using platform::Connection;
namespace Msg = platform::Msg;
using platform::Recordset;
using testsupport::Installation;

namespace {

TEST(Startup, NormalStartFillsTheRunStateAndThePanels) {
    Installation inst;
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    EXPECT_TRUE(inst.dialogs().asked().empty());
    EXPECT_EQ(w.SPRACHE, 3);
    EXPECT_EQ(w.DEZIMALPUNKT, QStringLiteral(","));
    EXPECT_EQ(w.PROJEKT, QStringLiteral("P1"));
    EXPECT_EQ(w.PROJEKTSPFAD, inst.projectsFolder());
    EXPECT_EQ(w.BEARBEITER, QStringLiteral("Frau Prüfer"));
    EXPECT_EQ(w.XMDBPFAD(), inst.workingCopy());
    EXPECT_TRUE(QFile::exists(inst.workingCopy()));
    EXPECT_EQ(Installation::names(inst.workingCopy()), QStringList{QStringLiteral("Probe")});
    EXPECT_EQ(inst.handOverProg(), QStringLiteral("TAMBRIN"));
    EXPECT_FALSE(w.dirty());
    ASSERT_TRUE(w.cnnX && w.cnnX->isOpen());
    EXPECT_TRUE(w.cnnX_V && w.cnnX_V->isOpen());
    EXPECT_EQ(w.stbMAIN->Panels(1)->ToolTipText(), inst.projectsFolder());
    EXPECT_TRUE(w.stbMAIN->Panels(1)->Text().endsWith(QLatin1Char('/')));
    EXPECT_EQ(w.stbMAIN->Panels(2)->Text(), QStringLiteral("P1"));
    EXPECT_EQ(w.stbMAIN->Panels(2)->ToolTipText(), QStringLiteral("Frau Prüfer"));
    EXPECT_EQ(w.stbMAIN->Panels(4)->Text(), QStringLiteral("TAMBRIN"));
    EXPECT_EQ(w.stbMAIN->Panels(4)->ToolTipText(), platform::VersionInfo::current().ProductName);
    EXPECT_EQ(w.stbMAIN->Panels(6)->Text(), QStringLiteral("Probe"));
    EXPECT_EQ(w.stbMAIN->Panels(6)->ToolTipText(), QStringLiteral("Projekt P1"));
    for (int p = 8; p <= 15; ++p) EXPECT_FALSE(w.panelVisible(p)) << p;
    ASSERT_NE(w.startScreen(), nullptr);
    EXPECT_EQ(w.Forms().size(), 1);
    EXPECT_FALSE(w.startScreen()->pgbBERECHNEN->isVisible());
    EXPECT_EQ(w.pgbBERECHNEN().value(), 0.0f);
    EXPECT_EQ(w.startScreen()->lblTITEL->text(), QStringLiteral("TAMBRINversuch"));
    EXPECT_EQ(w.startScreen()->lblVERSION->text(), QStringLiteral("Version August 2003"));
    EXPECT_EQ(w.startScreen()->lblKOPF[2]->text().left(14), QStringLiteral("Vorsitzender: "));
    EXPECT_TRUE(w.startScreen()->lblKOPF[3]->text().startsWith(QStringLiteral("Telefon: ")));
    // Greyed for the whole run.
    for (QAction* a : {w.mnuEINGABEGRAFIK, w.mnuMBERECHNEN, w.mnuFBERECHNEN, w.mnuVVORGABEN, w.mnuVEVORGABEN,
                       w.mnuWERKZEUGE->menuAction()})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
}

// A project database of an earlier version, without the index that finds the active records: its working
// copy gets it, the project database itself stays as it was until it is saved.
TEST(Startup, AnOldProjectDatabaseGetsTheIndexInItsWorkingCopy) {
    Installation inst;
    {
        Connection c;
        c.Open(inst.projectDatabase());
        c.Execute(QStringLiteral("DROP INDEX E1_AKT"));
    }
    const auto hasIndex = [](const QString& database) {
        Connection c;
        c.Open(database);
        platform::Recordset rs;
        rs.Open(QStringLiteral("SELECT [name] FROM [sqlite_master] WHERE [type]='index' AND [name]='E1_AKT'"), c);
        return !rs.eof();
    };
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    EXPECT_TRUE(hasIndex(inst.workingCopy()));
    EXPECT_FALSE(hasIndex(inst.projectDatabase()));
    EXPECT_EQ(Installation::names(inst.workingCopy()), QStringList{QStringLiteral("Probe")});
    ASSERT_TRUE(w.saveProject());
    EXPECT_TRUE(hasIndex(inst.projectDatabase()));
    EXPECT_TRUE(inst.dialogs().asked().empty());
}

TEST(Startup, EnglishLocaleSetsTheEnglishTextsOnly) {
    Installation inst(QStringLiteral("en"), QStringLiteral("."));
    frmMAIN& w = inst.start();
    EXPECT_EQ(w.SPRACHE, 1);
    EXPECT_EQ(w.DEZIMALPUNKT, QStringLiteral("."));
    EXPECT_EQ(w.mnuDATEI->title(), QStringLiteral("&File"));
    EXPECT_EQ(w.mnuSCHLIESSEN->text(), QStringLiteral("&Done"));
    EXPECT_EQ(w.mnuNEUBERECHNEN->text(), QStringLiteral("Calculate &First"));
    EXPECT_EQ(w.mnuEXTRAS->title(), QStringLiteral("Tools"));
    EXPECT_EQ(w.mnuKOMPRIMIEREN->text(), QStringLiteral("Compact Database"));
    // These keep their design texts.
    EXPECT_EQ(w.mnuEXPIMP->text(), QStringLiteral("&Export-Import"));
    EXPECT_EQ(w.mnuEXPINF->text(), QStringLiteral("Export-&Inf.system"));
    EXPECT_EQ(w.mnuFRAGEZEICHEN->title(), QStringLiteral("&?"));
    EXPECT_EQ(w.mnuREADME->text(), QStringLiteral("&ReadMe"));
    EXPECT_EQ(w.mnuHINWEISE->text(), QStringLiteral("Hin&weise"));
    EXPECT_EQ(w.mnuINFO->text(), QStringLiteral("&Info"));
    EXPECT_EQ(w.stbMAIN->Panels(8)->Text(), QStringLiteral("OK"));
    EXPECT_EQ(w.stbMAIN->Panels(9)->Text(), QStringLiteral("Cancel"));
    EXPECT_EQ(w.stbMAIN->Panels(10)->Text(), QStringLiteral("Show"));
    EXPECT_EQ(w.stbMAIN->Panels(13)->Text(), QStringLiteral("Word"));
    EXPECT_EQ(w.stbMAIN->Panels(14)->Text(), QStringLiteral("AutoCAD"));
    EXPECT_EQ(w.stbMAIN->Panels(15)->Text(), QStringLiteral("Close"));
    EXPECT_EQ(w.stbMAIN->Panels(13)->ToolTipText(), QStringLiteral("Send current page to word"));
    EXPECT_EQ(w.startScreen()->lblTITEL->text(), QStringLiteral("TAMBRIN Test"));
    EXPECT_TRUE(w.startScreen()->lblKOPF[2]->text().startsWith(QStringLiteral("Head of Found.: ")));
    EXPECT_TRUE(w.startScreen()->lblKOPF[3]->text().startsWith(QStringLiteral("Phone: ")));
}

TEST(Startup, AnyOtherLanguageRunsInGermanWithItsDecimalSign) {
    Installation inst(QStringLiteral("fr"), QStringLiteral(","));
    frmMAIN& w = inst.start();
    EXPECT_EQ(w.SPRACHE, 3);
    EXPECT_EQ(w.mnuDATEI->title(), QStringLiteral("&Datei"));
}

struct EndCase {
    const char* name;
    std::function<void(Installation&)> spoil;
    const char* message;
    const char* prog; // the hand-over row's PROG afterwards
};

TEST(Startup, EndsWithItsMessageWhenTheInstallationIsIncomplete) {
    const EndCase cases[] = {
        {"no hand-over row", [](Installation& i) { i.handOver(QString()); },
         "Programm TAMBRIN kann nur über das Rahmenprogramm ausgeführt werden!", ""},
        {"project folder missing", [](Installation& i) { i.handOver(QStringLiteral("P9")); },
         "Projektsverzeichnis P9 existiert nicht!", "TAMBRIN"},
        {"template missing", [](Installation& i) { QFile::remove(i.programFolder() + QStringLiteral("/TAMBRIN.mdb")); },
         "Die leere Datenbank TAMBRIN.mdb existiert nicht!\nHELVANO muß neu installiert werden!", "TAMBRIN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        c.spoil(inst);
        inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& asked = inst.dialogs().asked().front();
        EXPECT_EQ(asked.prompt, QString::fromUtf8(c.message));
        EXPECT_EQ(asked.title, QStringLiteral("TAMBRIN"));
        EXPECT_EQ(asked.style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_FALSE(QFile::exists(inst.workingCopy()));
        EXPECT_EQ(inst.handOverProg(), QString::fromUtf8(c.prog));
    }
}

TEST(Startup, NoHandOverRowInEnglish) {
    Installation inst(QStringLiteral("en"), QStringLiteral("."));
    inst.handOver(QString());
    inst.start();
    EXPECT_EQ(inst.dialogs().messages(),
              QStringList{QStringLiteral("Program TAMBRIN can used only via the frame program!")});
}

// Without the database folder there is no archive and no hand-over row to look for: the message names the
// settings file and the value, and the run ends.
TEST(Startup, AMissingDatabaseFolderSettingNamesTheFileAndTheValue) {
    const struct {
        const char* name;
        bool removeFile;
        const char* says;
    } cases[] = {
        {"value missing", false,
         "In der Einstellungsdatei '%1' fehlt der Datenbankpfad (Wert 'Datenbankpfad' im "
         "Abschnitt 'Extras').\nDas Programm wird beendet."},
        {"file missing", true,
         "Die Einstellungsdatei '%1' fehlt: Sie nennt den Datenbankpfad (Wert "
         "'Datenbankpfad' im Abschnitt 'Extras').\nDas Programm wird beendet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        QString file;
        {
            QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"),
                        QStringLiteral("HELVANO"));
            file = s.fileName();
            s.remove(QStringLiteral("Extras/Datenbankpfad"));
            s.sync();
        }
        if (c.removeFile) {
            ASSERT_TRUE(QFile::remove(file));
        }
        inst.dialogs().answerAllMessages(Msg::OK);
        inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        EXPECT_EQ(inst.dialogs().asked().front().prompt, QString::fromUtf8(c.says).arg(file));
        EXPECT_EQ(inst.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(inst.handOverProg(), QStringLiteral("HELVANO"));
        EXPECT_FALSE(QFile::exists(inst.workingCopy()));
    }
}

TEST(Startup, DevelopmentModeTakesTheFixedProject) {
    Installation inst;
    inst.makeDevelopmentMode();
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    EXPECT_EQ(w.PROJEKT, QStringLiteral("TE0000.00"));
    EXPECT_EQ(w.PROJEKTSPFAD, inst.root() + QStringLiteral("/Source"));
    EXPECT_EQ(w.BEARBEITER, Installation::user());
    EXPECT_FALSE(w.cnnX_V);
    EXPECT_FALSE(w.archive());
    EXPECT_EQ(inst.handOverProg(), QStringLiteral("HELVANO")); // untouched
    EXPECT_TRUE(QFile::exists(inst.workingCopy()));
    EXPECT_EQ(w.stbMAIN->Panels(6)->Text(), QStringLiteral("-"));
}

TEST(Startup, LeftoverCopyKeptOrReplaced) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "Yes" : "No");
        Installation inst;
        inst.start();
        Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Neu")); // unsaved work of the first run
        inst.window().cnnX->Close();
        inst.dialogs().clear();
        inst.dialogs().answer(keep ? Msg::Yes : Msg::No);
        frmMAIN& w = inst.start();
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& q = inst.dialogs().asked().front();
        EXPECT_EQ(q.prompt, QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                           "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"));
        EXPECT_EQ(q.style, Msg::YesNo | Msg::Question);
        if (keep) {
            EXPECT_EQ(Installation::names(inst.workingCopy()), (QStringList{QStringLiteral("Probe"), QStringLiteral("Neu")}));
            EXPECT_TRUE(w.dirty()); // so that leaving asks before the kept work is discarded
        } else {
            EXPECT_EQ(Installation::names(inst.workingCopy()), QStringList{QStringLiteral("Probe")});
            EXPECT_FALSE(w.dirty());
        }
    }
}

TEST(Startup, LeftoverCopyOfAnotherProjectIsSetAsideNotSavedOverThisOne) {
    Installation inst;
    inst.addProject(QStringLiteral("P2"));
    inst.start();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Arbeit1"));
    inst.window().cnnX->Close();
    inst.handOver(QStringLiteral("P2"));
    inst.dialogs().clear();
    frmMAIN& w = inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    EXPECT_EQ(w.PROJEKT, QStringLiteral("P2"));
    // No interrupted-run question; the user is told where the other project's work went.
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    EXPECT_EQ(inst.dialogs().asked().front().style, Msg::OKOnly | Msg::Information);
    const QStringList aside = QDir(QFileInfo(inst.workingCopy()).path())
                                  .entryList({QStringLiteral("TAMBRIN P1 *.mdb")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(inst.dialogs().asked().front().prompt.contains(aside.front()));
    EXPECT_EQ(Installation::names(QFileInfo(inst.workingCopy()).path() + QLatin1Char('/') + aside.front()),
              (QStringList{QStringLiteral("Probe"), QStringLiteral("Arbeit1")}));
    EXPECT_FALSE(w.dirty());
    Connection p2;
    p2.Open(inst.workingCopy());
    Recordset rs;
    rs.Open(QStringLiteral("SELECT [KOM] FROM [E1]"), p2);
    EXPECT_EQ(rs.Value(0).asString(), QStringLiteral("Projekt P2"));
}

TEST(Startup, CancelInAnErrorBoxAbandonsStartUpWithoutLeavingACopy) {
    Installation inst;
    QFile::remove(inst.projectDatabase()); // the project folder holds no database: the copy fails
    inst.dialogs().answer(Msg::Cancel);
    frmMAIN& w = inst.start();
    EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Abandoned));
    EXPECT_TRUE(inst.dialogs().messages().front().startsWith(QStringLiteral("VB-Error: 53")));
    w.endAbandonedStart();
    EXPECT_FALSE(QFile::exists(inst.workingCopy()));
}

// A run without a working copy or its connection could only fail at every command (the first Calculate
// showed two dozen boxes): one message, whatever the answer, and the run ends.
TEST(Startup, AStartWithoutAUsableWorkingCopyEndsAfterItsOneMessage) {
    const auto writeFile = [](const QString& path, const QByteArray& data) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    };
    const struct {
        const char* name;
        std::function<void(Installation&)> spoil;
        const char* error;     // the error message starts so ...
        bool namesWorkingCopy; // ... and names the working copy (else the project database)
        bool keptCopy;         // an interrupted run's copy, kept by Yes
    } cases[] = {
        {"project database missing", [](Installation& i) { QFile::remove(i.projectDatabase()); },
         "VB-Error: 53\n", false, false},
        {"project database empty", [&](Installation& i) { writeFile(i.projectDatabase(), {}); },
         "VB-Error: ", false, false},
        {"project database no database", [&](Installation& i) { writeFile(i.projectDatabase(), "Text"); },
         "VB-Error: ", false, false},
        {"kept working copy empty",
         [&](Installation& i) {
             QDir().mkpath(i.userFolder());
             writeFile(i.workingCopy(), {});
             writeFile(i.userFolder() + QStringLiteral("/TAMBRIN.projekt"),
                       i.projectDatabase().toUtf8() + '\n');
             i.dialogs().answer(Msg::Yes);
         },
         "VB-Error: ", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        c.spoil(inst);
        inst.dialogs().answerAllMessages(Msg::OK);
        frmMAIN& w = inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
        QStringList m = inst.dialogs().messages();
        if (c.keptCopy) m.removeFirst(); // the interrupted-run question
        ASSERT_EQ(m.size(), 1) << m.join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(m[0].startsWith(QString::fromUtf8(c.error))) << m[0].toStdString();
        if (QLatin1String(c.error) == QLatin1String("VB-Error: ")) {
            EXPECT_TRUE(m[0].contains(QStringLiteral("keine Datenbank"))) << m[0].toStdString();
        }
        EXPECT_TRUE(m[0].contains(c.namesWorkingCopy ? inst.workingCopy() : inst.projectDatabase()))
            << m[0].toStdString();
        EXPECT_TRUE(m[0].endsWith(QStringLiteral("\nDas Programm wird beendet."))) << m[0].toStdString();
        EXPECT_FALSE(w.cnnX && w.cnnX->isOpen());
        EXPECT_EQ(w.startScreen(), nullptr);
        EXPECT_FALSE(w.isVisible());
        w.endAbandonedStart();
        EXPECT_EQ(QFile::exists(inst.workingCopy()), c.keptCopy);
        EXPECT_FALSE(QFile::exists(inst.workingCopy() + QStringLiteral(".tmp")));
        EXPECT_FALSE(QFile::exists(inst.runLock()));
    }
}

// The working copy of another run of the user, with a record of its own, and the note of its project.
void leaveOtherRunsCopy(Installation& inst) {
    QDir().mkpath(inst.userFolder());
    ASSERT_TRUE(QFile::copy(inst.projectDatabase(), inst.workingCopy()));
    QFile owner(inst.userFolder() + QStringLiteral("/TAMBRIN.projekt"));
    ASSERT_TRUE(owner.open(QIODevice::WriteOnly));
    owner.write(inst.projectDatabase().toUtf8() + '\n');
    owner.close();
    Installation::addRecord(inst.workingCopy(), 2, QStringLiteral("Arbeit"));
}

// Another run of the same user owns the working copy: a second start says so, naming where and since when
// that run holds it, and ends without touching a file (no interrupted-run question, no new copy, the
// hand-over row as it was). Once the other run is gone, even without ending in order, the next start takes
// its place.
TEST(Startup, ASecondStartOfTheSameUserEndsWithoutTouchingAnything) {
    const struct {
        const char* language;
        const char* says;
    } cases[] = {
        {"de",
         "Das Programm TAMBRIN läuft bereits für den Benutzer PRUEFER: Benutzer PRUEFER am Computer %1, "
         "seit %2.\nDieser zweite Start wird ohne Änderungen beendet."},
        {"en", "The program TAMBRIN is already running for the user PRUEFER: user PRUEFER on computer %1, "
               "since %2.\nThis second start ends without changing anything."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        Installation inst(QString::fromLatin1(c.language), QStringLiteral(","));
        // The first run (the child process) works on its copy.
        leaveOtherRunsCopy(inst);
        testsupport::ChildLock first(inst.runLock(), Installation::user());
        ASSERT_TRUE(first.holding());
        const QStringList before = inst.files();
        inst.dialogs().clear();

        frmMAIN& w = inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const QDateTime since = platform::FileLock(inst.runLock()).holder()->since;
        EXPECT_EQ(inst.dialogs().asked().front().prompt,
                  QString::fromUtf8(c.says).arg(QSysInfo::machineHostName(),
                                                platform::LockHolder::timeText(since)));
        EXPECT_EQ(inst.dialogs().asked().front().style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(inst.dialogs().asked().front().title, QStringLiteral("TAMBRIN"));
        EXPECT_FALSE(w.cnnX);
        w.endAbandonedStart();
        EXPECT_EQ(inst.files(), before);

        first.kill();
        inst.dialogs().clear();
        inst.dialogs().answer(Msg::Yes);
        inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        EXPECT_EQ(inst.dialogs().messages().size(), 1); // the interrupted-run question, nothing else
        EXPECT_EQ(Installation::names(inst.workingCopy()),
                  (QStringList{QStringLiteral("Probe"), QStringLiteral("Arbeit")}));
    }
}

// The user's run on another computer of the laboratory holds the user's lock. One that renews it lives: the
// start says where it runs and ends. One that stopped renewing it long ago may have died with its computer:
// the start asks, naming that computer, and only Yes takes the lock over. Whenever the start ends, that run's
// working copy stays as it is; after Yes it is offered back as any interrupted run's.
TEST(Startup, TheUsersRunOnAnotherComputerIsAskedAboutOnlyWhenItsLockMayBeStale) {
    const QByteArray lines = "4711\nTAMBRIN\nlabpc07\n\n\nPRUEFER\n";
    const struct {
        const char* name;
        qint64 secondsAgo;
        int answer; // to the question about the lock; 0: no question
        const char* says;
        frmMAIN::LoadResult result;
    } cases[] = {
        {"renewed a moment ago", 0, 0,
         "Das Programm TAMBRIN läuft bereits für den Benutzer PRUEFER: Benutzer PRUEFER am Computer labpc07, "
         "seit %1.\nDieser zweite Start wird ohne Änderungen beendet.",
         frmMAIN::LoadResult::Ended},
        {"an hour old, No", 3600, Msg::No,
         "Das Programm TAMBRIN läuft vielleicht noch für den Benutzer PRUEFER: gesperrt von Benutzer PRUEFER "
         "am "
         "Computer labpc07, seit %1.\nDie Sperre wurde seit %1 nicht mehr erneuert: Vielleicht wurde das "
         "Programm dort nicht ordentlich beendet (Stromausfall, Absturz, eingefrorener "
         "Computer).\n\nAntworten "
         "Sie nur dann mit Ja, wenn TAMBRIN am Computer labpc07 nicht mehr läuft. Soll die Sperre aufgehoben "
         "und "
         "das Programm gestartet werden?",
         frmMAIN::LoadResult::Ended},
        {"an hour old, Yes", 3600, Msg::Yes, nullptr, frmMAIN::LoadResult::Running},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        leaveOtherRunsCopy(inst);
        {
            QFile lock(inst.runLock());
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write(lines);
            lock.close();
            ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
            ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-c.secondsAgo),
                                         QFileDevice::FileModificationTime));
        }
        const QDateTime touched = QFileInfo(inst.runLock()).lastModified();
        const QStringList before = inst.files();
        if (c.answer) inst.dialogs().answer(c.answer);
        inst.dialogs().answer(Msg::Yes); // keeps the working copy of the interrupted run

        frmMAIN& w = inst.start();
        EXPECT_EQ(inst.result(), int(c.result));
        const auto& asked = inst.dialogs().asked();
        ASSERT_FALSE(asked.empty());
        if (c.says) {
            EXPECT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked.front().prompt.toStdString(),
                      QString::fromUtf8(c.says).arg(platform::LockHolder::timeText(touched)).toStdString());
        }
        EXPECT_EQ(asked.front().style, c.answer ? Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2
                                                : Msg::OKOnly | Msg::Exclamation);
        if (c.result == frmMAIN::LoadResult::Ended) {
            w.endAbandonedStart();
            EXPECT_EQ(inst.files(), before);
            continue;
        }
        ASSERT_EQ(asked.size(), 2u);
        EXPECT_TRUE(asked[1].prompt.startsWith(QStringLiteral("Programm wurde während der Ausführung")));
        EXPECT_EQ(Installation::names(inst.workingCopy()),
                  (QStringList{QStringLiteral("Probe"), QStringLiteral("Arbeit")}));
        const platform::LockHolder now = *platform::FileLock(inst.runLock()).holder();
        EXPECT_EQ(now.computer, QSysInfo::machineHostName());
        EXPECT_EQ(now.user, Installation::user());
        inst.stop();
        EXPECT_FALSE(QFile::exists(inst.runLock()));
    }
}

// A run's lock that can't be made says why, once, and the start ends: nothing to wait for.
TEST(Startup, ARunLockThatCantBeMadeSaysWhy) {
    const struct {
        const char* name;
        bool readOnly;
        const char* says;
    } cases[] = {
        {"a folder in its place", false,
         "Das Programm TAMBRIN kann für den Benutzer PRUEFER nicht gestartet werden: An der Stelle der "
         "Sperrdatei "
         "%1/TAMBRIN.lock steht ein Ordner.\nDas Programm wird beendet."},
        {"a read-only user folder", true,
         "Das Programm TAMBRIN kann für den Benutzer PRUEFER nicht gestartet werden: Der Ordner %1 darf "
         "nicht "
         "beschrieben werden.\nDas Programm wird beendet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        std::optional<testsupport::SmallDisk> disk;
        if (c.readOnly) {
            disk.emplace(inst.userFolder(), 1 << 20);
            if (!disk->mounted()) GTEST_SKIP() << disk->why().toStdString();
            ASSERT_TRUE(disk->makeReadOnly());
        } else {
            ASSERT_TRUE(QDir().mkpath(inst.runLock()));
        }
        frmMAIN& w = inst.start();
        EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
        EXPECT_EQ(inst.dialogs().messages(), QStringList{QString::fromUtf8(c.says).arg(inst.userFolder())});
        EXPECT_FALSE(w.cnnX);
        w.endAbandonedStart();
        EXPECT_FALSE(QFile::exists(inst.workingCopy()));
    }
}

TEST(Startup, TheRunHoldsItsLockUntilItEnds) {
    Installation inst;
    inst.start();
    ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
    EXPECT_TRUE(QFile::exists(inst.runLock()));
    inst.stop();
    EXPECT_FALSE(QFile::exists(inst.runLock()));
    EXPECT_FALSE(QFile::exists(inst.workingCopy()));
}

// A Save or Compact killed half way left its files behind; the next start removes them, but never a copy
// that another user's live Save of the project is writing.
TEST(Startup, LeftoversOfKilledRunsAreRemoved) {
    for (const bool otherSaving : {false, true}) {
        SCOPED_TRACE(otherSaving ? "another user saving" : "nobody saving");
        Installation inst;
        QDir().mkpath(inst.userFolder());
        const QString projectCopy = inst.projectDatabase() + QStringLiteral(".tmp");
        const QStringList ours{inst.workingCopy() + QStringLiteral(".tmp"),
                               inst.userFolder() + QStringLiteral("/TAMBRINTEMP.mdb"),
                               inst.userFolder() + QStringLiteral("/TAMBRINTEMP.mdb-journal")};
        for (const QString& file : ours + QStringList{projectCopy}) {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'x'));
        }
        std::unique_ptr<testsupport::ChildLock> saving;
        if (otherSaving) {
            saving =
                std::make_unique<testsupport::ChildLock>(Connection::copyLockFile(inst.projectDatabase()));
            ASSERT_TRUE(saving->holding());
        }
        inst.start();
        ASSERT_EQ(inst.result(), int(frmMAIN::LoadResult::Running));
        EXPECT_TRUE(inst.dialogs().asked().empty());
        for (const QString& file : ours)
            EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
        EXPECT_EQ(QFile::exists(projectCopy), otherSaving);
    }
}

// The start-up copy onto a full disk says that the disk is full and which file could not be written.
TEST(Startup, AFullDiskAtTheStartUpCopySaysSo) {
    Installation inst;
    {
        Connection c;
        c.Open(inst.projectDatabase());
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (9, 'Gross', ?, 0)"),
                  {platform::Variant(QString(200000, QLatin1Char('x')))});
    }
    ASSERT_GT(QFileInfo(inst.projectDatabase()).size(), 100000);
    testsupport::SmallDisk disk(inst.root() + QStringLiteral("/BENUTZER"), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why().toStdString();
    inst.dialogs().answerAllMessages(Msg::OK);
    inst.start();
    EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
    const QStringList m = inst.dialogs().messages();
    ASSERT_EQ(m.size(), 1) << m.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(m[0], QStringLiteral("VB-Error: 61\nDatenträger voll: Die Datei '%1' konnte nicht geschrieben "
                                   "werden.\nDas Programm wird beendet.")
                        .arg(inst.workingCopy()));
    inst.window().endAbandonedStart();
    EXPECT_FALSE(QFile::exists(inst.workingCopy()));
    EXPECT_FALSE(QFile::exists(inst.workingCopy() + QStringLiteral(".tmp")));
}

TEST(Startup, AUserNameWithAnApostropheFindsItsRow) {
    Installation inst;
    {
        Connection c;
        c.Open(inst.databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
        c.Execute(QStringLiteral("UPDATE ADMIN SET BENUTZER='O''NEIL'"));
    }
    auto w = std::make_unique<frmMAIN>();
    platform::ScriptedDialogs d;
    w->setDialogs(&d);
    w->setProgramFolder(inst.programFolder());
    w->setUserName(QStringLiteral("o'neil"));
    EXPECT_EQ(w->MDIForm_Load(), frmMAIN::LoadResult::Running);
    EXPECT_TRUE(d.asked().empty());
}

TEST(Startup, PanelSixListsTheActiveRecords) {
    Installation inst;
    frmMAIN& w = inst.start();
    w.cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=0"));
    w.AKTUELLANZEIGEN();
    EXPECT_EQ(w.stbMAIN->Panels(6)->Text(), QStringLiteral("-"));
    EXPECT_EQ(w.stbMAIN->Panels(6)->ToolTipText(), QString());
    w.cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (2, 'Zweite', 1), (3, 'Dritte', 1)"));
    w.cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT=1"));
    w.AKTUELLANZEIGEN();
    EXPECT_EQ(w.stbMAIN->Panels(6)->Text(), QStringLiteral("Dritte,..."));
    EXPECT_EQ(w.stbMAIN->Panels(6)->ToolTipText(), QStringLiteral("Dritte, Probe, Zweite"));
}

TEST(Startup, ProjectFolderShortenedForPanelOne) {
    struct Case {
        const char* folder;
        char separator;
        const char* shown;
    };
    const Case cases[] = {
        {"D:\\Daten\\Projekte\\Bodenmechanik", '\\', " ... \\Bodenmechanik\\"},
        {"C:\\Labor\\Projekte2003", '\\', " ... :\\Labor\\Projekte2003\\"},
        {"C:\\Labor\\Projekte", '\\', "C:\\Labor\\Projekte\\"},
        {"/home/labor/Projekte/Bodenmechanik", '/', " ... /Bodenmechanik/"},
        {"/srv/daten", '/', "/srv/daten/"},
        {"/a/Ein_sehr_langer_Ordnername", '/', " ... a/Ein_sehr_langer_Ordnername/"}, // no further cut
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmMAIN::shortenedFolder(QString::fromUtf8(c.folder), QLatin1Char(c.separator)),
                  QString::fromUtf8(c.shown))
            << c.folder;
}

} // namespace
