#include "Installation.h"

#include "frmINFO.h"
#include "frmMAIN.h"
#include "mdiAUTOSTART.h"
#include "platform/runtime/DialogService.h"

#include <functional>
#include <gtest/gtest.h>
#include <QFile>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace Msg = platform::Msg;
using testsupport::Installation;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

void openHelpMenu(frmMAIN& w) {
    emit w.mnuFRAGEZEICHEN->aboutToShow();
}

TEST(HelpMenu, ItemsAreGreyedByWhichFilesExist) {
    Installation inst;
    frmMAIN& w = inst.start();
    const QString files[] = {w.helpFile(), w.readmeFile(), w.notesFile()};
    QAction* const items[] = {w.mnuHILFE, w.mnuREADME, w.mnuHINWEISE};
    // Every combination, one after the other: a file added or removed counts at the next opening.
    for (int present = 0; present < 8; ++present) {
        for (int i = 0; i < 3; ++i) {
            if (present & (1 << i))
                touch(files[i]);
            else
                QFile::remove(files[i]);
        }
        openHelpMenu(w);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(items[i]->isEnabled(), bool(present & (1 << i)))
                << "files " << present << ", item " << items[i]->objectName().toStdString();
        EXPECT_TRUE(w.mnuINFO->isEnabled());
    }
    EXPECT_EQ(w.helpFile(), inst.programFolder() + QStringLiteral("/TAMBRIN.html"));
    EXPECT_EQ(w.readmeFile(), inst.programFolder() + QStringLiteral("/TAMBRIN.txt"));
    EXPECT_EQ(w.notesFile(), inst.programFolder() + QStringLiteral("/TAMBRIN_H.txt"));
}

TEST(HelpMenu, TheShippedDocumentsCarryTheNamesTheMenuLooksFor) {
    Installation inst;
    frmMAIN& w = inst.start();
    for (const QString& file : {w.helpFile(), w.readmeFile(), w.notesFile()}) {
        const QString shipped = QStringLiteral(TAMBRIN_SOURCE_DIR "/docs/") + QFileInfo(file).fileName();
        EXPECT_TRUE(QFileInfo(shipped).size() > 0) << shipped.toStdString();
    }
}

TEST(HelpMenu, EnglishCaptions) {
    Installation inst(QStringLiteral("en"), QStringLiteral("."));
    frmMAIN& w = inst.start();
    EXPECT_EQ(w.mnuHILFE->text(), QStringLiteral("Help"));
    EXPECT_EQ(w.mnuREADME->text(), QStringLiteral("&ReadMe"));
    EXPECT_EQ(w.mnuHINWEISE->text(), QStringLiteral("Hin&weise"));
    EXPECT_EQ(w.mnuINFO->text(), QStringLiteral("&Info"));
}

TEST(HelpMenu, OpensEachFileWithTheDefaultApplication) {
    struct Case {
        const char* item;
        std::function<QAction*(frmMAIN&)> action;
        std::function<QString(frmMAIN&)> file;
        const char* title;
    };
    const Case cases[] = {
        {"Help", [](frmMAIN& w) { return w.mnuHILFE; }, [](frmMAIN& w) { return w.helpFile(); }, "?/Hilfe"},
        {"ReadMe", [](frmMAIN& w) { return w.mnuREADME; }, [](frmMAIN& w) { return w.readmeFile(); },
         "?/ReadMe"},
        {"Notes", [](frmMAIN& w) { return w.mnuHINWEISE; }, [](frmMAIN& w) { return w.notesFile(); },
         "?/Hinweise"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Installation inst;
        frmMAIN& w = inst.start();
        touch(c.file(w));
        openHelpMenu(w);
        c.action(w)->trigger();
        ASSERT_EQ(inst.desktop().requests().size(), 1u);
        EXPECT_EQ(inst.desktop().requests().front().kind, QStringLiteral("openFile"));
        EXPECT_EQ(inst.desktop().requests().front().path, c.file(w));
        EXPECT_TRUE(inst.dialogs().asked().empty());

        // Without an application for the file the user is told where it is, under the item's title.
        inst.desktop().setResult(false);
        c.action(w)->trigger();
        ASSERT_EQ(inst.dialogs().asked().size(), 1u);
        const auto& told = inst.dialogs().asked().front();
        EXPECT_EQ(told.prompt,
                  QStringLiteral("Die Datei liegt hier:\n") + c.file(w) +
                      QStringLiteral("\n\nAuf diesem Rechner ist kein Programm eingerichtet, das "
                                     "Dateien dieser Art öffnet; öffnen Sie sie mit einem "
                                     "Programm Ihrer Wahl."));
        EXPECT_EQ(told.style, Msg::Information | Msg::OKOnly);
        EXPECT_EQ(told.title, QString::fromUtf8(c.title));
    }
}

// F1 opens the help wherever the user is: the main window, a page with a control in focus, a dialog.
TEST(HelpMenu, F1OpensTheHelpFromEveryWindow) {
    Installation inst;
    frmMAIN& w = inst.start();
    touch(w.helpFile());
    const auto press = [](QWidget* target, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                          bool autoRepeat = false) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_F1, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(target, &key);
    };
    const auto opened = [&] {
        const auto& requests = inst.desktop().requests();
        const bool help = requests.size() == 1 && requests.front().path == w.helpFile();
        inst.desktop().clear();
        return help;
    };

    press(&w);
    EXPECT_TRUE(opened()) << "main window";

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("mdiSEITE1"));
    auto* box = new QLineEdit(page);
    w.addChild(page);
    press(box);
    EXPECT_TRUE(opened()) << "a control of a page";

    inst.dialogs().onForm([&](QDialog& d) {
        press(&d);
        return 0;
    });
    w.mnuINFO->trigger();
    EXPECT_TRUE(opened()) << "the info box";

    // Other keys with F1 and a held key open nothing more.
    press(&w, Qt::ShiftModifier);
    press(&w, Qt::NoModifier, true);
    EXPECT_TRUE(inst.desktop().requests().empty());
    EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
}

// The texts of the info box, control by control.
struct InfoTexts {
    QString caption;
    QStringList orv;
    QStringList info;
    QString button;
};

InfoTexts textsOf(const frmINFO& f) {
    InfoTexts t{f.windowTitle(), {}, {}, f.cmdSCHLIESSEN->text()};
    for (QLabel* l : f.lblORV)
        t.orv << l->text();
    for (QLabel* l : f.lblINFO)
        t.info << l->text();
    return t;
}

TEST(InfoBox, ShowsTheProgramAndTheMakerInBothLanguages) {
    const QString developers =
        QStringLiteral("Dipl.-Ing. B. Beispiel, Dr.-Ing. C. Probst, Prof. Dr.-Ing. A. Muster, ...");
    struct Case {
        const char* language;
        InfoTexts expected;
    };
    const Case cases[] = {
        {"de",
         {QStringLiteral("Info zu TAMBRIN"),
          {QStringLiteral("Institut für Bodenprüfsoftware"), QStringLiteral("Hochschule Nordheim"),
           QStringLiteral("D-12345 Nordheim, Am Prüffeld 7"),
           QStringLiteral("Vorsitzender: Prof. Dr.-Ing. A. Muster"),
           QStringLiteral("Telefon: +49 1234 5678-0"), QStringLiteral("Fax: +49 1234 5678-99"),
           QStringLiteral("E-Mail: info@example.org"), QStringLiteral("Internet: www.example.org")},
          {QStringLiteral("HELVANO"), QStringLiteral("TAMBRINversuch"), QString(),
           QStringLiteral("(TAMBRIN)"), QStringLiteral("Version August 2003"),
           QStringLiteral("© 2003 Institut für Bodenprüfsoftware. Alle Rechte vorbehalten."),
           QStringLiteral("Programmentwicklung: ") + developers, QString()},
          QStringLiteral("Schließen")}},
        {"en",
         {QStringLiteral("Info of TAMBRIN"),
          {QStringLiteral("Institute of Soil Testing Software"),
           QStringLiteral("Nordheim University of Applied Sciences"),
           QStringLiteral("D-12345 Nordheim, Am Prüffeld 7"),
           QStringLiteral("Head of Found.: Prof. Dr.-Ing. A. Muster"),
           QStringLiteral("Phone: +49 1234 5678-0"), QStringLiteral("Fax: +49 1234 5678-99"),
           QStringLiteral("E-Mail: info@example.org"), QStringLiteral("Internet: www.example.org")},
          {QStringLiteral("HELVANO"), QStringLiteral("TAMBRIN Test"), QString(), QStringLiteral("(TAMBRIN)"),
           QStringLiteral("Version August 2003"),
           QStringLiteral("© 2003 Institute of Soil Testing Software. All rights reserved."),
           QStringLiteral("Program developed by: ") + developers, QString()},
          QStringLiteral("Done")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Installation inst(QString::fromLatin1(c.language), QStringLiteral(","));
        frmMAIN& w = inst.start();
        std::vector<InfoTexts> shown;
        inst.dialogs().onForm([&](QDialog& d) {
            auto* info = qobject_cast<frmINFO*>(&d);
            EXPECT_NE(info, nullptr);
            if (!info) return 0;
            EXPECT_EQ(info->parentWidget(), &w);
            EXPECT_EQ(info->size(), QSize(597, 486));
            EXPECT_FALSE(info->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
            shown.push_back(textsOf(*info));
            return 0;
        });
        w.mnuINFO->trigger();
        w.mnuINFO->trigger(); // built anew each time: the same texts again
        ASSERT_EQ(shown.size(), 2u);
        for (const InfoTexts& t : shown) {
            EXPECT_EQ(t.caption, c.expected.caption);
            EXPECT_EQ(t.orv, c.expected.orv);
            EXPECT_EQ(t.info, c.expected.info);
            EXPECT_EQ(t.button, c.expected.button);
        }
        // The start screen is the one source of title and version.
        EXPECT_EQ(shown.front().info[1], w.startScreen()->lblTITEL->text());
        EXPECT_EQ(shown.front().info[4], w.startScreen()->lblVERSION->text());
        EXPECT_EQ(inst.dialogs().count(QStringLiteral("MsgBox")), 0);
    }
}

TEST(InfoBox, TheDevelopersLineIsCutAfterTheFirstCommaFromPosition50) {
    const QString a49 = QString(49, QLatin1Char('a'));
    const struct {
        const char* name;
        QString field;
        QString line;
    } cases[] = {
        {"empty", QString(), QString()},
        {"50 characters, whole", QString(45, QLatin1Char('a')) + QStringLiteral(", bbb"),
         QString(45, QLatin1Char('a')) + QStringLiteral(", bbb")},
        {"comma at 50", a49 + QStringLiteral(",b"), a49 + QStringLiteral(", ...")},
        {"commas at 49 and 56", QString(48, QLatin1Char('a')) + QStringLiteral(",bbbbbb,cc"),
         QString(48, QLatin1Char('a')) + QStringLiteral(",bbbbbb, ...")},
        {"no comma from 50 on", QStringLiteral("a, ") + QString(60, QLatin1Char('b')),
         QStringLiteral("a, ") + QString(60, QLatin1Char('b'))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frmINFO::developers(c.field), c.line) << c.name;
}

TEST(InfoBox, AFailureWhileLoadingShowsTheErrorAndKeepsTheTextsSetSoFar) {
    Installation inst;
    inst.start();
    frmINFO info;
    info.Form_Load(nullptr); // no start screen to copy the title from
    ASSERT_EQ(inst.dialogs().asked().size(), 1u);
    const auto& box = inst.dialogs().asked().front();
    EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("VB-Error: 91\n")));
    EXPECT_EQ(box.style, Msg::OKOnly | Msg::Exclamation);
    EXPECT_EQ(box.title, QStringLiteral("TAMBRIN"));
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Info zu TAMBRIN"));
    EXPECT_EQ(info.lblINFO[0]->text(), QStringLiteral("HELVANO"));
    EXPECT_EQ(info.lblINFO[1]->text(), QString());
}

TEST(InfoBox, TheButtonClosesIt) {
    Installation inst;
    frmMAIN& w = inst.start();
    frmINFO info(&w);
    info.Form_Load(w.startScreen());
    info.show();
    ASSERT_TRUE(info.isVisible());
    info.cmdSCHLIESSEN->click();
    EXPECT_FALSE(info.isVisible());
}

} // namespace
