#include "clsKOPFFUSS.h"
#include "TestRun.h"

#include "platform/run/VersionInfo.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/RecordingSurface.h"

#include <gtest/gtest.h>
#include <QWidget>

using platform::RecordingSurface;

namespace {

// A header and footer on an A4 landscape page without a device: every character of a font of size s is
// s / 4 mm wide and s / 2 mm high (16 bold: 4 x 8, 10: 2.5 x 5, 7: 1.75 x 3.5).
struct Kopflauf {
    explicit Kopflauf(bool printer = false, const QString& locale = QStringLiteral("de"))
        : run({locale, QStringLiteral(","), false}) {
        RecordingSurface::Options o;
        o.width = 297;
        o.height = 210;
        o.printer = printer;
        surface = std::make_unique<RecordingSurface>(o);
        kf.setAUSGABEOBJEKT(clsKOPFFUSS::rahmenVon(*surface), surface.get());
        kf.setUEBERSCHRIFT(QStringLiteral("Kopf"));
        kf.setKENNZEICHNUNG(QStringLiteral("A"));
        kf.setPROJEKT(QStringLiteral("TE.01"));
        kf.setBEARBEITER(QStringLiteral("Prüfer"));
        kf.setPROGRAMMIERER(QStringLiteral("Autoren"));
        kf.setCOPYRIGHT(QStringLiteral("Rechte"));
        kf.setLIZENZGEBER(QStringLiteral("Rechte"));
        kf.setDATUM(37800); // 28 June 2003
        kf.setUHRZEIT(37800.5);
    }
    // The printed texts that are not empty, in order.
    QStringList texte() const {
        QStringList out;
        for (const auto& c : surface->calls(QStringLiteral("Print")))
            if (!c.text.isEmpty()) out << c.text;
        return out;
    }
    // Where a text was printed (top-left corner of its cell).
    std::vector<double> at(const QString& text) const {
        for (const auto& c : surface->calls(QStringLiteral("Print")))
            if (c.text == text) return c.args;
        ADD_FAILURE() << "not printed: " << text.toStdString();
        return {0, 0};
    }

    testsupport::TestRun run;
    std::unique_ptr<RecordingSurface> surface;
    clsKOPFFUSS kf;
};

struct Sprachfall {
    int sprache;
    QStringList namen;
    QStringList texte;
};

TEST(KopfFuss, LabelsInBothLanguages) {
    const Sprachfall faelle[] = {
        {3,
         {"A"},
         {"Kopf", "Datensatz ", "A", "Projekt ", "TE.01", "Seite 1/2", "Programmentwicklung: Autoren",
          "Rechte", "28.06.03", "12:00", "Bearbeiter: ", "Prüfer"}},
        {3, {"A", "B"}, {"Kopf", "Datensätze ", "A, B", "Projekt ", "TE.01", "Seite 1/2"}},
        {1,
         {"A"},
         {"Kopf", "File ", "A", "Project ", "TE.01", "Page 1/2", "Program developed by Autoren", "Rechte",
          "28.06.03", "12:00", "Project Manager: ", "Prüfer"}},
        {1, {"A", "B"}, {"Kopf", "Files ", "A, B"}},
        // Another language leaves the labels and their values out; the record label stays as it was.
        {2, {"A"}, {"Kopf", "Datensatz  ", "A", "Rechte", "28.06.03", "12:00"}},
    };
    for (const Sprachfall& f : faelle) {
        SCOPED_TRACE(f.sprache);
        Kopflauf k;
        k.kf.setSPRACHE(std::int16_t(f.sprache));
        k.kf.setKENNZEICHNUNG(f.namen);
        k.kf.setSEITENANZAHL(2);
        k.kf.KOPFFUSSZEILE();
        EXPECT_EQ(k.texte().mid(0, f.texte.size()), f.texte);
        EXPECT_TRUE(k.run.dialogs().asked().empty());
    }
}

// Date and time stand as the system writes them, in the locale's short formats, whatever the language of
// the labels; the C locale, which has none, writes them as the program speaks: German.
TEST(KopfFuss, DateAndTimeInTheLocalesShortFormats) {
    const struct {
        const char* locale;
        const char* datum;
        const char* uhrzeit;
    } faelle[] = {{"de", "28.06.03", "14:05"}, {"en", "6/28/03", "2:05 PM"}, {"c", "28.06.03", "14:05"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.locale);
        Kopflauf k(false, QString::fromLatin1(f.locale));
        k.kf.setSPRACHE(3);
        k.kf.setUHRZEIT(37800 + (14 * 60 + 5) / 1440.0);
        k.kf.KOPFFUSSZEILE();
        const QStringList texte = k.texte();
        EXPECT_TRUE(texte.contains(QString::fromLatin1(f.datum)))
            << texte.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(texte.contains(QString::fromLatin1(f.uhrzeit)))
            << texte.join(QLatin1Char('|')).toStdString();
    }
}

// Heading at the top-left margin in 16 points; record line 9 mm lower and the comment 1.5 lines under
// it in 10 points; project and page number level with the heading's bottom, the project ending at the
// right margin; the footer's first line ending on the bottom margin, the second one line lower.
TEST(KopfFuss, PlacesHeaderAndFooterOnTheMargins) {
    Kopflauf k;
    k.kf.setKOMMENTAR(QStringLiteral("Bemerkung"));
    k.kf.setLIZENZNEHMER(QStringLiteral("Labor"));
    k.kf.KOPFFUSSZEILE();
    EXPECT_EQ(k.at(QStringLiteral("Kopf")), (std::vector<double>{15, 15}));
    EXPECT_EQ(k.at(QStringLiteral("Datensatz ")), (std::vector<double>{15, 24}));
    EXPECT_EQ(k.at(QStringLiteral("A")), (std::vector<double>{15 + 10 * 2.5, 24}));
    EXPECT_EQ(k.at(QStringLiteral("Bemerkung")), (std::vector<double>{15, 24 + 1.5 * 5}));
    const double yKopf = 15 + 8 - 5, xProjekt = 297 - 15 - 13 * 2.5;
    EXPECT_EQ(k.at(QStringLiteral("Projekt ")), (std::vector<double>{xProjekt, yKopf}));
    EXPECT_EQ(k.at(QStringLiteral("TE.01")), (std::vector<double>{xProjekt + 8 * 2.5, yKopf}));
    // 15 blanks and "Seite 1/1" left of the project.
    EXPECT_EQ(k.at(QStringLiteral("Seite 1/1")), (std::vector<double>{xProjekt - 24 * 2.5, yKopf}));

    const double xRechts = 297 - 15 - 28 * 1.75; // "Programmentwicklung: Autoren" is the wider
    EXPECT_EQ(k.at(QStringLiteral("Programmentwicklung: Autoren")),
              (std::vector<double>{xRechts, 195 - 3.5}));
    EXPECT_EQ(k.at(QStringLiteral("Rechte")), (std::vector<double>{xRechts, 195}));
    const double xMitte = (15 + 5 * 1.75 + 297 - 15 - 6 * 1.75) / 2;
    EXPECT_EQ(k.at(QStringLiteral("28.06.03")), (std::vector<double>{xMitte - 4 * 1.75, 195 - 3.5}));
    EXPECT_EQ(k.at(QStringLiteral("12:00")), (std::vector<double>{xMitte - 2.5 * 1.75, 195}));
    EXPECT_EQ(k.at(QStringLiteral("Bearbeiter: ")), (std::vector<double>{15, 195 - 3.5}));
    EXPECT_EQ(k.at(QStringLiteral("Prüfer")), (std::vector<double>{15 + 12 * 1.75, 195 - 3.5}));
    EXPECT_EQ(k.at(QStringLiteral("Labor")), (std::vector<double>{15, 195}));
}

// The line takes as many names as fit beside the label (the test measures the candidate with a
// trailing ","); the rest is cut with ", ...". The first name always stands.
TEST(KopfFuss, RecordNamesAreCutToTheWidth) {
    struct Fall {
        QStringList namen;
        QString zeile;
    };
    // Frame 100 mm wide: 100 - 30 - width of "Datensätze" (25) leaves 45 mm, 18 characters of 10 points.
    const Fall faelle[] = {
        {{"AAAAAAA", "BBBBBBB", "CCC"}, "AAAAAAA, BBBBBBB, ..."},
        {{"AAAAAAA", "BBBBBBBB"}, "AAAAAAA, BBBBBBBB"},
        {{"AAAAAAA", "BBBBBBBBBBB"}, "AAAAAAA, ..."},
        // A single name longer than its place is cut at the margin: 100 - 30 - "Datensatz " leaves 45 mm.
        {{"Ein Name, der weit ueber den Rand hinaus reicht"}, "Ein Name, der weit"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeile.toStdString());
        Kopflauf k;
        k.kf.setAUSGABEOBJEKT({100, 210}, k.surface.get());
        k.kf.setKENNZEICHNUNG(f.namen);
        k.kf.KOPFFUSSZEILE();
        EXPECT_EQ(k.texte().value(2), f.zeile);
    }
}

TEST(KopfFuss, PageNumberingOffLeavesTheProjectInPlace) {
    for (const int sprache : {1, 3}) {
        Kopflauf mit, ohne;
        mit.kf.setSPRACHE(std::int16_t(sprache));
        ohne.kf.setSPRACHE(std::int16_t(sprache));
        ohne.kf.setEBOKFS(false);
        mit.kf.KOPFFUSSZEILE();
        ohne.kf.KOPFFUSSZEILE();
        const QString seite = sprache == 1 ? QStringLiteral("Page 1/1") : QStringLiteral("Seite 1/1");
        EXPECT_TRUE(mit.texte().contains(seite));
        EXPECT_FALSE(ohne.texte().contains(seite));
        EXPECT_EQ(ohne.at(QStringLiteral("TE.01")), mit.at(QStringLiteral("TE.01")));
        // The page number stands where the German wording would start, in both languages.
        EXPECT_DOUBLE_EQ(mit.at(seite)[0], mit.at(QStringLiteral("TE.01"))[0] - 8 * 2.5 - 24 * 2.5);
    }
}

// Names, comment, project, operator and licensee are the user's texts: a "{" prints as typed.
TEST(KopfFuss, UserTextsAreDrawnAsTyped) {
    Kopflauf k;
    k.kf.setKENNZEICHNUNG(QStringList{"Probe {g,1}r", "B{"});
    k.kf.setKOMMENTAR(QStringLiteral("{t,1}x"));
    k.kf.setPROJEKT(QStringLiteral("P{1}"));
    k.kf.setBEARBEITER(QStringLiteral("{Meier"));
    k.kf.setLIZENZNEHMER(QStringLiteral("Labor {h,2}"));
    k.kf.KOPFFUSSZEILE();
    const QStringList t = k.texte();
    for (const char* text : {"Probe {g,1}r, B{", "{t,1}x", "P{1}", "{Meier", "Labor {h,2}"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(k.run.dialogs().asked().empty());
}

TEST(KopfFuss, LongUserTextsAreCutAtTheirPlace) {
    // A comment of 255 characters ends at the right margin; an operator of 100 characters ends 2 mm before
    // the date and time in the middle of the footer. Characters are s / 4 mm wide.
    for (bool printer : {false, true}) {
        SCOPED_TRACE(printer ? "paper" : "screen");
        Kopflauf k(printer);
        const QString kommentar = QString(255, QLatin1Char('K'));
        const QString bearbeiter = QString(100, QLatin1Char('B'));
        k.kf.setKOMMENTAR(kommentar);
        k.kf.setBEARBEITER(bearbeiter);
        k.kf.KOPFFUSSZEILE();
        QString k2, b2;
        for (const QString& t : k.texte()) {
            if (t.startsWith(QLatin1Char('K'))) k2 = t;
            if (t.startsWith(QLatin1Char('B'))) b2 = t;
        }
        // 297 - 2 x 15 mm at 2.5 mm a character.
        EXPECT_EQ(k2, kommentar.left(106));
        const double datumLinks = k.at(QStringLiteral("28.06.03"))[0];
        const double bearbeiterRechts = k.at(b2)[0] + b2.size() * 1.75;
        EXPECT_LE(bearbeiterRechts, datumLinks - 2 + 1e-6);
        EXPECT_GT(bearbeiterRechts + 1.75, datumLinks - 2);
        EXPECT_TRUE(bearbeiter.startsWith(b2));
        EXPECT_TRUE(k.run.dialogs().asked().empty());
    }
}

TEST(KopfFuss, TopMarginMovesOnlyTheHeader) {
    Kopflauf k;
    k.kf.setRANDABSTAND(7.5f, QStringLiteral("oben"));
    k.kf.KOPFFUSSZEILE();
    EXPECT_EQ(k.at(QStringLiteral("Kopf"))[1], 7.5);
    EXPECT_EQ(k.at(QStringLiteral("Datensatz "))[1], 16.5);
    EXPECT_EQ(k.at(QStringLiteral("TE.01"))[1], 7.5 + 3);
    EXPECT_EQ(k.at(QStringLiteral("Rechte"))[1], 195);
    // Binding the surface again resets every margin to 15 mm.
    k.kf.setAUSGABEOBJEKT(clsKOPFFUSS::rahmenVon(*k.surface), k.surface.get());
    EXPECT_EQ(k.kf.raender().oben, 15);
}

// On paper a character given by its code moves the rest of its label on by 0.35 of its height.
TEST(KopfFuss, CharacterCodesStandFurtherRightOnPaper) {
    for (const bool printer : {false, true}) {
        Kopflauf k(printer);
        k.kf.setUEBERSCHRIFT(QStringLiteral("A{c,177}B"));
        k.kf.KOPFFUSSZEILE();
        EXPECT_NEAR(k.at(QStringLiteral("B"))[0], 15 + 2 * 4 + (printer ? 0.35 * 8 : 0), 1e-5);
    }
}

TEST(KopfFuss, VersionTextsComeFromOnePlaceTheProgramMaySet) {
    const platform::VersionInfo eigene = platform::VersionInfo::current();
    EXPECT_FALSE(eigene.ProductName.isEmpty());
    EXPECT_FALSE(eigene.LegalCopyright.isEmpty());
    EXPECT_FALSE(eigene.LegalTrademarks.isEmpty());
    platform::VersionInfo::set(
        {QStringLiteral("Produkt"), QStringLiteral("Rechte"), QStringLiteral("Namen")});
    EXPECT_EQ(platform::VersionInfo::current().LegalTrademarks, QStringLiteral("Namen"));
    platform::VersionInfo::set(platform::VersionInfo::program());
    EXPECT_EQ(platform::VersionInfo::current().ProductName, eigene.ProductName);
}

// A page window draws its header and footer on a surface of its own that fills it, behind its picture
// boxes, and follows its size.
TEST(KopfFuss, PageWindowIsASurfaceBehindItsPictures) {
    QWidget page;
    page.resize(900, 600);
    platform::PictureBox bild(&page);
    bild.setGeometryMm(50, 50, 60, 40);
    platform::PageSurface seite(&page);
    page.show();
    EXPECT_EQ(seite.geometry(), page.rect());
    const QPoint imBild = bild.geometry().center();
    EXPECT_EQ(page.childAt(imBild), &bild);
    EXPECT_EQ(page.childAt(QPoint(5, 5)), &seite);

    int neu = 0;
    QObject::connect(&seite, &platform::PageSurface::resized, [&] { ++neu; });
    page.resize(1000, 700);
    EXPECT_EQ(neu, 1);
    EXPECT_EQ(seite.picture().size(), QSize(1000, 700));
    EXPECT_NEAR(seite.surface().ScaleWidth(), 1000 / platform::ImageSurface::kScreenPixelsPerMm, 0.01);

    testsupport::TestRun run({QStringLiteral("de"), QStringLiteral(","), false});
    clsKOPFFUSS kf;
    kf.setAUSGABEOBJEKT(clsKOPFFUSS::rahmenVon(seite.surface()), &seite.surface());
    kf.setUEBERSCHRIFT(QStringLiteral("Kopf"));
    kf.KOPFFUSSZEILE();
    // The heading's ink starts at the 15 mm margins.
    const QImage& bildchen = seite.picture();
    const double k = platform::ImageSurface::kScreenPixelsPerMm;
    int links = bildchen.width(), oben = bildchen.height();
    for (int y = 0; y < int(40 * k); ++y)
        for (int x = 0; x < int(60 * k); ++x)
            if (qGray(bildchen.pixel(x, y)) < 128) {
                links = std::min(links, x);
                oben = std::min(oben, y);
            }
    EXPECT_NEAR(links / k, 15, 1.0);
    EXPECT_NEAR(oben / k, 15, 2.0);
}

} // namespace
