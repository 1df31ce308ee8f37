// The multiple page on projects that try to break it: a record of absurd values, a missing settings table,
// and record names and a comment far longer than their places.
#include "MSeite1Lauf.h"
#include "MSeite1Layout.h"
#include "PdfPages.h"

#include "platform/db/Connection.h"
#include "platform/runtime/DialogService.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <QFile>
#include <QProcess>

using namespace mseite1test;
using platform::Msg::OK;

namespace {

// Every title asked at most `hoechstens` times.
void hoechstens(const std::map<QString, int>& titel, int mal) {
    for (const auto& [t, n] : titel)
        EXPECT_LE(n, mal) << t.toStdString();
}

// Three records, the second of absurd values (or none), the curves' names shown.
std::vector<fixture::Record> mitAbsurdem(const std::function<void(fixture::Record&)>& aendern) {
    std::vector<fixture::Record> records = proben(3);
    aendern(records[1]);
    return records;
}

// A project of such records loads with at most one box per routine and picture, prints with at most one
// per routine in the print job (and one in the screen drawn again after it), and its PDF parses.
TEST(MGrenzfall, AbsurdValuesAndAMissingSettingsTableShowEachBoxOncePerPictureAndPrint) {
    const struct {
        const char* name;
        std::vector<fixture::Record> records;
        bool ohneG0;
    } cases[] = {
        {"masses of 1e30", mitAbsurdem([](fixture::Record& r) {
             for (auto& m : r.readings)
                 m.M1 = 1e30f;
         }),
         false},
        {"one mass of 1e30", mitAbsurdem([](fixture::Record& r) { r.readings[2].M1 = 1e30f; }), false},
        {"water contents of a million per cent", mitAbsurdem([](fixture::Record& r) {
             for (std::size_t i = 0; i < r.readings.size(); ++i) {
                 r.readings[i].M2W = r.readings[i].MCW + 0.01f;
                 r.readings[i].M1W = r.readings[i].M2W + 100 + float(i);
             }
         }),
         false},
        {"no settings table", proben(3), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MSeite1Lauf lauf;
        lauf.dialoge().answerAllMessages(OK);
        lauf.projekt(c.records);
        lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1, DKEN = 1, SRLI = 1, DESR = 0.1 WHERE ID = 0"));
        if (c.ohneG0) lauf.setze(QStringLiteral("DROP TABLE G0"));
        lauf.dialoge().clear();
        lauf.dialoge().answerAllMessages(OK);
        mdiMSEITE1& seite = lauf.laden();
        const auto laden = jeTitel(lauf.dialoge());
        hoechstens(laden, 1);
        if (c.ohneG0) {
            EXPECT_EQ(laden.count(QStringLiteral("Datenfehler")), 1u);
        }

        lauf.dialoge().clear();
        lauf.dialoge().answerAllMessages(OK);
        const QString pdf = lauf.run.dir().file(QStringLiteral("mseite1.pdf"));
        lauf.haupt.printer.pdfFile = pdf;
        EXPECT_TRUE(seite.DRUCKEN());
        hoechstens(jeTitel(lauf.dialoge()), 2);
        EXPECT_TRUE(lesbar(pdf));
    }
}

TEST(MGrenzfall, CancelInAnyBoxOfThePrintDiscardsTheJob) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(3);
    // The diagram's settings are gone after the load: the printed diagram fails.
    lauf.setze(QStringLiteral("DROP TABLE G0"));
    lauf.dialoge().clear();
    lauf.dialoge().answer(platform::Msg::Cancel);
    const QString pdf = lauf.run.dir().file(QStringLiteral("mseite1.pdf"));
    lauf.haupt.printer.pdfFile = pdf;
    EXPECT_FALSE(seite.DRUCKEN());
    EXPECT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(MGrenzfall, APdfThatCantBeOpenedIsOneMessageWhateverTheAnswer) {
    for (int antwort : {OK, platform::Msg::Cancel}) {
        SCOPED_TRACE(antwort);
        MSeite1Lauf lauf;
        mdiMSEITE1& seite = lauf.zeige(3);
        lauf.dialoge().clear();
        lauf.dialoge().answerAllMessages(antwort);
        lauf.haupt.printer.pdfFile = lauf.run.dir().file(QStringLiteral("fehlt/mseite1.pdf"));
        EXPECT_FALSE(seite.DRUCKEN());
        ASSERT_EQ(lauf.dialoge().asked().size(), 1u) << lauf.meldungen().join(" | ").toStdString();
        EXPECT_EQ(lauf.dialoge().asked()[0].title, QStringLiteral("Drucken von MSeite 1"));
    }
}

// Names of 100 characters, in Latin letters and in others (a character outside the basic plane among
// them), and a comment as long: each printed text ends inside its place.
TEST(MGrenzfall, LongNamesAndCommentsAreCutAtTheirPlaces) {
    const QString lang = QStringLiteral("Lehm ") + QString(95, QLatin1Char('x'));
    QString fremd;
    while (fremd.size() < 100)
        fremd += QStringLiteral("Bodenprobe Ü ß é ł 土壤 \U0001F30D ");
    fremd.truncate(100);
    std::vector<fixture::Record> records = proben(3);
    records[0].KEN = lang;
    records[1].KEN = fremd;
    const QStringList namen{lang, fremd};

    MSeite1Lauf lauf;
    lauf.projekt(records);
    lauf.run.state().cnnX->Execute(QStringLiteral("INSERT INTO M1 (IDM, KOM) VALUES (1, ?)"),
                                   {platform::Variant(fremd + fremd)});
    lauf.setze(QStringLiteral("UPDATE A1 SET DKEN = 1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();

    platform::RecordingSurface blatt(druckseite());
    const float zeichen = druckseite().charWidth;
    seite.setDrucker(&blatt);
    ASSERT_TRUE(seite.DRUCKEN());
    int imDiagramm = 0, inDerTabelle = 0;
    for (const auto& p : blatt.calls(QStringLiteral("Print"))) {
        // The recording surface measures every character as wide, by the size of the font it was drawn in.
        const float x = float(p.args[0]), ende = x + float(p.text.size()) * p.font.Size * zeichen;
        // Nothing runs off the sheet; the header's mark of the names left out (", ...") may stand in the
        // right margin, every name and the comment end at it.
        EXPECT_LE(ende, 297) << p.text.toStdString();
        if (!p.text.endsWith(QStringLiteral(", ..."))) {
            EXPECT_LE(ende, 297 - 15 + 0.01f) << p.text.toStdString();
        }
        for (const QString& name : namen) {
            if (p.text.isEmpty() || !name.startsWith(p.text) || p.text == name) continue;
            // A cut name: no half of a character outside the basic plane.
            EXPECT_FALSE(p.text.back().isHighSurrogate()) << p.text.toStdString();
            if (x < mseite1layout::BILD120.left()) {
                // Beside its curve: inside the plot frame (15 + 154 - 12 mm) widened by 1 mm.
                ++imDiagramm;
                EXPECT_LE(ende, 15 + 154 - 12 + 1 + 0.01f) << p.text.toStdString();
            } else if (p.args[1] > 30) {
                // In the table's name column of 18 mm, 1.5 mm kept on either side.
                ++inDerTabelle;
                EXPECT_LE(ende - x, 18 - 3 + 0.01f) << p.text.toStdString();
            }
        }
    }
    EXPECT_EQ(inDerTabelle, 2);
    EXPECT_EQ(imDiagramm, 2);
    // The header's first name and comment are cut at the right margin, not left out.
    EXPECT_TRUE(texte(blatt).contains(lang.left(50)));
    EXPECT_TRUE(texte(blatt).contains(QStringLiteral("x, ...")));
    EXPECT_TRUE(texte(blatt).contains(fremd.left(50)));
}

} // namespace
