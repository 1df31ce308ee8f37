// Page 1 of records that try to break it: absurd values, an x axis past what a Single can step through,
// a missing settings table, water contents that don't rise; and printing where the PDF can't be written.
#include "PdfPages.h"
#include "Seite1Lauf.h"

#include "platform/runtime/DialogService.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <QDir>
#include <QFile>
#include <QProcess>

using namespace seite1test;
using platform::Msg::Cancel;
using platform::Msg::OK;

namespace {

// The files of a folder, hidden ones included.
QStringList dateien(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

fixture::Record mitAllen(const std::function<void(fixture::Reading&, int)>& aendern) {
    fixture::Record r = fixture::dryingSet();
    for (std::size_t i = 0; i < r.readings.size(); ++i)
        aendern(r.readings[i], int(i));
    return r;
}

TEST(Grenzfall, AbsurdValuesFinishAndPrintAPdfThatParses) {
    const struct {
        const char* name;
        fixture::Record record;
        // Boxes of the drawing at the load and while printing (the printed diagram and the screen's redraw
        // after it are one command: a box comes once).
        std::map<QString, int> laden, drucken;
    } cases[] = {
        // Dry sub-samples 0.01 g heavier than their trays: water contents of a million per cent put the x
        // axis where a Single plus 0.01 is the same Single again.
        {"an x axis at a million per cent",
         mitAllen([](fixture::Reading& m, int i) {
             m.M2W = m.MCW + 0.01f;
             m.M1W = m.M2W + 100 + float(i);
         }),
         {},
         {}},
        // Every density far off: the axis spans no Single step, the transform divides by zero.
        {"masses of 1e30",
         mitAllen([](fixture::Reading& m, int) { m.M1 = 1e30f; }),
         {{QStringLiteral("Koordinatentransformation"), 1}},
         {{QStringLiteral("Koordinatentransformation"), 1}}},
        {"one mass of 1e30",
         [] {
             fixture::Record r = fixture::dryingSet();
             r.readings[2].M1 = 1e30f;
             return r;
         }(),
         {},
         {}},
        {"a tray as heavy as a specimen",
         [] {
             fixture::Record r = fixture::dryingSet();
             r.MC = r.readings[2].M1;
             return r;
         }(),
         {},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Seite1Lauf lauf;
        lauf.dialoge().answerAllMessages(OK);
        ASSERT_TRUE(lauf.auswerten(c.record));
        lauf.dialoge().clear();
        lauf.dialoge().answerAllMessages(OK);
        mdiSEITE1& seite = lauf.laden();
        EXPECT_EQ(jeTitel(lauf.dialoge()), c.laden);
        lauf.dialoge().clear();
        lauf.dialoge().answerAllMessages(OK);

        const QString pdf = lauf.run.dir().file(QStringLiteral("seite1.pdf"));
        lauf.haupt.printer.pdfFile = pdf;
        EXPECT_TRUE(seite.DRUCKEN());
        EXPECT_EQ(jeTitel(lauf.dialoge()), c.drucken);
        EXPECT_TRUE(lesbar(pdf));
    }
}

TEST(Grenzfall, AMissingSettingsTableShowsEachBoxOncePerPicture) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    lauf.setze(QStringLiteral("DROP TABLE G0"));
    lauf.dialoge().answerAllMessages(OK);
    lauf.laden();
    // The diagram reads and writes its settings there and transforms by the scale it can't find: one box
    // of the table cursor and one of the transform, not one per column, segment and point.
    EXPECT_EQ(jeTitel(lauf.dialoge()),
              (std::map<QString, int>{{QStringLiteral("Datenfehler"), 1},
                                      {QStringLiteral("Koordinatentransformation"), 1}}));
}

// A diagram setting that another tool wrote and no number can be read from: its box, and the one that
// follows from it, come once per command that shows or prints the page, not again for each redraw in it.
TEST(Grenzfall, AnUnreadableDiagramSettingShowsItsBoxesOncePerCommand) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    lauf.laden();
    lauf.setze(QStringLiteral("UPDATE G0 SET XMIN='abc' WHERE IDOBJEKT=11"));
    lauf.dialoge().clear();
    lauf.dialoge().answerAllMessages(OK);
    mdiSEITE1& seite = lauf.laden();
    const QStringList boxen{
        QStringLiteral("Wert abc kann nicht aus der Spalte XMIN der Tabelle G0 eingelesen werden!"),
        QStringLiteral("VB-Fehler: 11\nDivision durch Null")};
    EXPECT_EQ(lauf.meldungen(), boxen);

    // Printing draws the diagram for the sheet and again on the screen: one command, the same boxes once.
    lauf.dialoge().clear();
    lauf.dialoge().answerAllMessages(OK);
    lauf.haupt.printer.pdfFile = lauf.run.dir().file(QStringLiteral("seite1.pdf"));
    EXPECT_TRUE(seite.DRUCKEN());
    EXPECT_EQ(lauf.meldungen(), boxen);
}

TEST(Grenzfall, WaterContentsThatDontRiseGetNoCurveOnThePageEither) {
    fixture::Record r = fixture::dryingSet();
    std::swap(r.readings[1], r.readings[2]);
    for (int POSP : {0, 1}) {
        SCOPED_TRACE(POSP);
        Seite1Lauf lauf;
        lauf.dialoge().answerAllMessages(OK);
        ASSERT_TRUE(lauf.auswerten(r)); // with the evaluation's own message
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = %1 WHERE ID = 1").arg(POSP));
        lauf.dialoge().clear();
        mdiSEITE1& seite = lauf.laden();
        EXPECT_TRUE(lauf.dialoge().asked().empty()) << lauf.meldungen().join(" | ").toStdString();
        EXPECT_FALSE(seite.curvesFitted());
        platform::RecordingSurface druck{druckseite()};
        seite.setDrucker(&druck);
        seite.BILD11(1);
        // Six triangles of three lines each; the points' polyline only without the spline switch.
        EXPECT_EQ(linien(druck, 255, 0).size(), std::size_t(6 * 3 + (POSP == 0 ? 5 : 0)));
        EXPECT_TRUE(lauf.dialoge().asked().empty());
    }
}

// A small file system for the test, or nothing where none can be mounted (not root, no mount).
class Einhaengen {
public:
    Einhaengen(const QString& folder, const QString& options) : folder_(folder) {
        QProcess p;
        p.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          options, QStringLiteral("tmpfs"), folder});
        ok_ = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    ~Einhaengen() {
        if (ok_) QProcess::execute(QStringLiteral("umount"), {folder_});
    }
    bool ok() const { return ok_; }

private:
    QString folder_;
    bool ok_ = false;
};

TEST(Grenzfall, APdfThatCantBeWrittenIsOneMessageAndNoFile) {
    const struct {
        const char* name;
        QString datei;  // relative to the run's folder
        QString grund;  // a piece of the message's reason
        bool vorhanden; // a PDF of that name is there before and stays as it was
    } cases[] = {
        {"a folder that doesn't exist", QStringLiteral("fehlt/seite1.pdf"), QStringLiteral("No such file"),
         false},
        {"a write-protected file", QStringLiteral("alt.pdf"), QStringLiteral("schreibgeschützt"), true},
        {"a folder of the PDF's name", QStringLiteral("ordner.pdf"), QStringLiteral("Ordner"), false},
    };
    for (int antwort : {OK, Cancel}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(antwort);
            Seite1Lauf lauf;
            mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
            const QString pdf = lauf.run.dir().file(c.datei);
            QDir().mkpath(lauf.run.dir().file(QStringLiteral("ordner.pdf")));
            if (c.vorhanden) {
                QFile alt(pdf);
                ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
                alt.write("alt");
                alt.close();
                alt.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
            }
            const QStringList vorher = dateien(lauf.run.dir().path());
            lauf.dialoge().clear();
            lauf.dialoge().answerAllMessages(antwort);
            lauf.haupt.printer.pdfFile = pdf;
            EXPECT_FALSE(seite.DRUCKEN());
            ASSERT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
            const auto& box = lauf.dialoge().asked()[0];
            EXPECT_EQ(box.title, QStringLiteral("Drucken von Seite 1"));
            EXPECT_TRUE(box.prompt.contains(QDir::toNativeSeparators(pdf))) << box.prompt.toStdString();
            EXPECT_TRUE(box.prompt.contains(c.grund)) << box.prompt.toStdString();
            EXPECT_EQ(dateien(lauf.run.dir().path()), vorher);
            if (c.vorhanden) {
                QFile alt(pdf);
                ASSERT_TRUE(alt.open(QIODevice::ReadOnly));
                EXPECT_EQ(alt.readAll(), QByteArray("alt"));
            }
        }
    }
}

TEST(Grenzfall, APdfOnAFullDiskIsOneMessageAndNoFile) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QString folder = lauf.run.dir().mkdir(QStringLiteral("voll"));
    // A file system of 16 kB: the page's PDF, with its fonts, is several times that.
    const Einhaengen platte(folder, QStringLiteral("size=16k"));
    if (!platte.ok()) GTEST_SKIP() << "no small file system can be mounted here (this needs root and tmpfs)";
    lauf.dialoge().clear();
    lauf.dialoge().answerAllMessages(OK);
    lauf.haupt.printer.pdfFile = QDir(folder).filePath(QStringLiteral("seite1.pdf"));
    EXPECT_FALSE(seite.DRUCKEN());
    ASSERT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
    EXPECT_TRUE(lauf.dialoge().asked()[0].prompt.contains(QStringLiteral("seite1.pdf")));
    EXPECT_TRUE(dateien(folder).isEmpty()) << dateien(folder).join(", ").toStdString();
}

TEST(Grenzfall, AReadOnlyFileSystemIsOneMessageAndNoFile) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QString folder = lauf.run.dir().mkdir(QStringLiteral("nurlesen"));
    const Einhaengen platte(folder, QStringLiteral("ro,size=1m"));
    if (!platte.ok())
        GTEST_SKIP() << "no read-only file system can be mounted here (this needs root and tmpfs)";
    lauf.dialoge().clear();
    lauf.dialoge().answerAllMessages(OK);
    lauf.haupt.printer.pdfFile = QDir(folder).filePath(QStringLiteral("seite1.pdf"));
    EXPECT_FALSE(seite.DRUCKEN());
    ASSERT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
    // The reason as the system words it, in the language of the C library's locale (German in a German run).
    EXPECT_TRUE(lauf.dialoge().asked()[0].prompt.contains(QString::fromLocal8Bit(std::strerror(EROFS)),
                                                          Qt::CaseInsensitive))
        << lauf.dialoge().asked()[0].prompt.toStdString();
    EXPECT_TRUE(dateien(folder).isEmpty());
}

TEST(Grenzfall, CancelInAnyBoxOfThePrintDiscardsTheSheet) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    // The diagram's settings are gone after the load: the printed diagram fails.
    lauf.setze(QStringLiteral("DROP TABLE G0"));
    lauf.dialoge().clear();
    lauf.dialoge().answer(Cancel);
    const QString pdf = lauf.run.dir().file(QStringLiteral("seite1.pdf"));
    lauf.haupt.printer.pdfFile = pdf;
    EXPECT_FALSE(seite.DRUCKEN());
    EXPECT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(dateien(lauf.run.dir().path()).filter(QStringLiteral("seite1")), QStringList());
}

} // namespace
