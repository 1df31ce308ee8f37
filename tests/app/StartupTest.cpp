#include "Installation.h"

#include "frmMAIN.h"
#include "mdiAUTOSTART.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/VersionInfo.h"
#include "platform/runtime/DialogService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

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

TEST(Startup, MissingDatabaseFolderLeadsThroughTheErrorBoxesToTheEnd) {
    Installation inst;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"), QStringLiteral("HELVANO"));
    s.remove(QStringLiteral("Extras/Datenbankpfad"));
    s.sync();
    inst.dialogs().answerAllMessages(Msg::OK);
    inst.start();
    EXPECT_EQ(inst.result(), int(frmMAIN::LoadResult::Ended));
    const QStringList m = inst.dialogs().messages();
    ASSERT_EQ(m.size(), 4); // archive, presets, hand-over query, then the message
    EXPECT_TRUE(m[0].startsWith(QStringLiteral("VB-Error: ")));
    EXPECT_EQ(m[3], QStringLiteral("Programm TAMBRIN kann nur über das Rahmenprogramm ausgeführt werden!"));
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

TEST(Startup, OkAfterAFailedCopyGoesOnToTheFailingConnection) {
    Installation inst;
    QFile::remove(inst.projectDatabase());
    inst.dialogs().answerAllMessages(Msg::OK);
    inst.start();
    const QStringList m = inst.dialogs().messages();
    ASSERT_GE(m.size(), 2);
    EXPECT_TRUE(m[0].startsWith(QStringLiteral("VB-Error: 53")));
    EXPECT_TRUE(m[1].contains(QStringLiteral("TAMBRIN.mdb"))); // the working copy can't be opened
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
