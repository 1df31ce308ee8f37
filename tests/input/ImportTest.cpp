// The import of measuring-electronics files into a grid: the three layouts with markers, skip counts,
// damaged and missing cycles, prefixes and suffixes, date and time patterns, leading zeros and factors, as
// a table of fixture files and the grids they give; then the rows the import starts from, the decimal
// sign, the file's encodings and line endings, and the ways an import ends early.
#include "ImportLauf.h"

#include "platform/db/Connection.h"
#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

using examples::Preset;
using platform::Msg::Answer;

namespace {

using Wert = Preset::Value;

// What the question about damaged cycles says of its buttons.
const QString okAbbrechen =
    QStringLiteral("OK liest die unbeschädigten Zyklen ein, Abbrechen liest nichts ein.");

Wert wert(const char* spalte, const char* position, const char* praefix = "", const char* suffix = "",
          std::optional<double> faktor = 1.0) {
    return Wert{QString::fromUtf8(spalte), QString::fromUtf8(position), QString::fromUtf8(praefix),
                QString::fromUtf8(suffix), faktor};
}

struct Fall {
    const char* name;
    const char* datei;
    Preset vorgabe;
    QStringList erwartet;  // the data rows afterwards
    QStringList meldungen; // the messages, each answered with OK
    bool ergebnis = true;
};

std::vector<Fall> faelle() {
    std::vector<Fall> f;
    // A: a marker line, damaged line, prefix and suffix, date and time patterns, leading zeros, a factor,
    // a decimal comma and a line with a field too many.
    f.push_back({"A mit Marke",
                 "a_marker.txt",
                 Preset{"A1",
                        5,
                        "JJJJ-MM-TT",
                        "hh:mm:ss",
                        "",
                        "--DATEN--",
                        ";",
                        "",
                        {wert("DAT", "0"), wert("ZEIT", "1"), wert("M1", "2", "m=", "g"), wert("M2", "3"),
                         wert("NR", "4", "", "", 0.001)}},
                 {"0\t2783,4\t0,5\t14.11.03\t08:15:00\t0,012", "1\t3057,0\t-0,25\t14.11.03\t08:20:30\t0,013",
                  "2\t3281,5\t1,5\t15.11.03\t09:00:05\t0,015"},
                 {"ZyklusNr. 2 ist beschädigt!\n" + okAbbrechen}});
    // A: two head lines skipped by count; tab separators, Latin-1, CR line endings.
    f.push_back(
        {"A mit Zählung",
         "a_zaehler.txt",
         Preset{"A2", 3, "", "", "2", "", "<TAB>", "", {wert("NR", "0"), wert("M1", "1"), wert("M2", "2")}},
         {"0\t812,40\t95,35\t\t\t1", "1\t820,00\t96\t\t\t2"},
         {}});
    // B: a marker and the character after it, a damaged cycle, text after the last cycle separator.
    f.push_back(
        {"B mit Marke",
         "b_marker.txt",
         Preset{"B1", 2, "", "", "", "#START#", ";", "|", {wert("M1", "0", "<", ">"), wert("M2", "1")}},
         {"0\t12,5\t7,1\t\t\t", "1\t13,0\t7,9\t\t\t", "2\t14,2\t8,4\t\t\t"},
         {"ZyklusNr. 2 ist beschädigt!\n" + okAbbrechen}});
    // B: the first cycle skipped by count; a factor of 2 and a factor of 0, which leaves the value.
    f.push_back({"B mit Zählung",
                 "b_zaehler.txt",
                 Preset{"B2",
                        2,
                        "",
                        "",
                        "1",
                        "",
                        ";",
                        "|",
                        {wert("M1", "0", "", "", 2.0), wert("M2", "1", "", "", 0.0)}},
                 {"0\t2\t2\t\t\t", "1\t6\t4\t\t\t", "2\t10\t6\t\t\t"},
                 {}});
    // C: cycle numbers imported, a missing cycle, a cycle that runs one line long and is replaced by the
    // next good one.
    f.push_back({"C mit Lücke und Schaden",
                 "c_zyklen.txt",
                 Preset{"C1", 4, "", "", "", "", "", "", {wert("NR", "1"), wert("M1", "2"), wert("M2", "3")}},
                 {"0\t812,4\t95,35\t\t\t0", "1\t820,0\t96,1\t\t\t1", "2\t830,5\t97,2\t\t\t3",
                  "3\t850,0\t99,0\t\t\t5"},
                 {"Die Elektronikdatei hat 2 beschädigte oder fehlende Zyklen:\n"
                  "Es fehlen ein oder mehrere Zyklen nach ZyklusNr. 1 !\n"
                  "ZyklusNr. 4 der Elektronikdatei ist beschädigt!\n"
                  "OK liest die unbeschädigten Zyklen ein, Abbrechen liest nichts ein."}});
    // C: started by a marker line, which stands at position 1 of the first cycle; a factor left Null.
    f.push_back({"C mit Marke",
                 "c_marker.txt",
                 Preset{"C2",
                        4,
                        "",
                        "",
                        "",
                        "START",
                        "",
                        "",
                        {wert("NR", "1"), wert("M1", "2", "", "", std::nullopt), wert("M2", "3")}},
                 {"0\t7,5\t1,25\t\t\t", "1\t8,5\t2,5\t\t\t1"},
                 {}});
    // C: three cycles skipped by count; the file's next cycle is number 4, as one is missing before it.
    f.push_back({"C mit Zählung",
                 "c_zyklen.txt",
                 Preset{"C3", 4, "", "", "3", "", "", "", {wert("NR", "1"), wert("M1", "2")}},
                 {"0\t850,0\t\t\t\t5"},
                 {"Die Elektronikdatei hat 2 beschädigte oder fehlende Zyklen:\n"
                  "Es fehlen ein oder mehrere Zyklen nach ZyklusNr. 2 !\n"
                  "ZyklusNr. 4 der Elektronikdatei ist beschädigt!\n"
                  "OK liest die unbeschädigten Zyklen ein, Abbrechen liest nichts ein."}});
    return f;
}

} // namespace

TEST(Importieren, FixtureFilesGiveTheirGrids) {
    for (const Fall& fall : faelle()) {
        SCOPED_TRACE(fall.name);
        ImportLauf lauf;
        lauf.vorgabe(fall.vorgabe);
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_EQ(lauf.form.flx.IMPORTIEREN(fall.vorgabe.AKVK, ImportLauf::fixture(fall.datei)),
                  fall.ergebnis);
        EXPECT_EQ(lauf.zeilen(), fall.erwartet);
        EXPECT_EQ(lauf.run.dialogs().messages(), fall.meldungen);
        for (const auto& a : lauf.run.dialogs().asked()) {
            EXPECT_EQ(a.title, "MSFlexGrid / Importieren");
            EXPECT_EQ(a.style, platform::Msg::OKCancel | platform::Msg::Exclamation);
        }
    }
}

TEST(Importieren, TheConfigurationIsFoundWhateverTheLetterCase) {
    ImportLauf lauf;
    lauf.vorgabe(faelle()[3].vorgabe);
    EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("b2", ImportLauf::fixture("b_zaehler.txt")));
    EXPECT_EQ(lauf.zeilen().size(), 3);
}

// Which row the first cycle goes to: after the readings there are, or into the one data row when it holds
// none yet. Layout C keeps the last reading as A and B do.
TEST(Importieren, TheFirstCycleGoesAfterTheLastReading) {
    struct Start {
        const char* name;
        QStringList vorher;
        QStringList erwartet;
    };
    const Start starts[] = {
        {"eine leere Zeile", {"\t\t\t\t\t"}, {"0\t1,5\t\t\t\t0", "1\t2,5\t\t\t\t1"}},
        {"eine Zeile mit Messwert",
         {"\tx1\t\t\t\t"},
         {"0\tx1\t\t\t\t", "1\t1,5\t\t\t\t0", "2\t2,5\t\t\t\t1"}},
        {"zwei Zeilen",
         {"\tx1\t\t\t\t", "\tx2\t\t\t\t"},
         {"0\tx1\t\t\t\t", "1\tx2\t\t\t\t", "2\t1,5\t\t\t\t0", "3\t2,5\t\t\t\t1"}},
    };
    const Preset a{"A", 2, "", "", "", "", ";", "", {wert("NR", "0"), wert("M1", "1")}};
    const Preset b{"B", 2, "", "", "", "", ";", "|", {wert("NR", "0"), wert("M1", "1")}};
    const Preset c{"C", 3, "", "", "", "", "", "", {wert("NR", "1"), wert("M1", "2")}};
    const std::pair<const Preset*, QByteArray> layouts[] = {
        {&a, "0;1.5\n1;2.5\n"}, {&b, "0;1.5|1;2.5|"}, {&c, "2\n0\n1.5\n2\n1\n2.5\n"}};
    for (const Start& s : starts)
        for (const auto& [vorgabe, inhalt] : layouts) {
            SCOPED_TRACE(QString(QStringLiteral("%1, %2")).arg(s.name, vorgabe->AKVK).toStdString());
            ImportLauf lauf;
            lauf.vorgabe(*vorgabe);
            lauf.form.fuellen(s.vorher);
            ASSERT_TRUE(lauf.form.flx.IMPORTIEREN(vorgabe->AKVK, lauf.datei("f.txt", inhalt)));
            EXPECT_EQ(lauf.zeilen(), s.erwartet);
        }
}

// The decimal sign of the file, a point or a comma, becomes the run's; the factor reads and writes the
// run's too.
TEST(Importieren, DecimalSignsBecomeTheRunsInEitherLanguage) {
    const Preset p{
        "D", 3, "", "", "", "", ";", "", {wert("M1", "0"), wert("M2", "1"), wert("NR", "2", "", "", 0.001)}};
    struct Lauf {
        const char* sprache;
        const char* dezimal;
        QStringList erwartet;
    };
    for (const Lauf& l :
         {Lauf{"de", ",", {"0\t12,5\t12,5\t\t\t1,234"}}, Lauf{"en", ".", {"0\t12.5\t12.5\t\t\t1.234"}}}) {
        SCOPED_TRACE(l.sprache);
        ImportLauf lauf(QString::fromLatin1(l.sprache), QString::fromLatin1(l.dezimal));
        lauf.vorgabe(p);
        ASSERT_TRUE(lauf.form.flx.IMPORTIEREN("D", lauf.datei("d.txt", "12,5;12.5;1234\n")));
        EXPECT_EQ(lauf.zeilen(), l.erwartet);
    }
}

// A value whose SPALTE no column has is left out; it is not written into the first column.
TEST(Importieren, AnUnmatchedColumnSkipsTheValue) {
    ImportLauf lauf;
    lauf.form.flx.setELSTYP({0, 0, 0, 4, 5, 0});
    lauf.form.fuellen({"\t\t\t\t\t"});
    lauf.vorgabe(Preset{"U", 2, "", "", "", "", ";", "", {wert("GIBTESNICHT", "0"), wert("M1", "1")}});
    ASSERT_TRUE(lauf.form.flx.IMPORTIEREN("U", lauf.datei("u.txt", "99;1.5\n98;2.5\n")));
    EXPECT_EQ(lauf.zeilen(), (QStringList{"\t1,5\t\t\t\t", "\t2,5\t\t\t\t"}));
}

// CR LF, LF, CR and CR CR LF (a file converted twice), Latin-1, UTF-8 with and without the byte order mark
// and UTF-16 with it all read the same; the marker and the prefix hold an umlaut.
TEST(Importieren, LineEndingsAndEncodingsReadTheSame) {
    const Preset p{"E", 2, "", "", "", "Wägung", ";", "", {wert("M1", "0", "ä"), wert("M2", "1")}};
    const QString text = QStringLiteral("Kopf\nWägung\nä1,5;2,5\nä3,5;4,5\n");
    for (const char* ende : {"\r\n", "\n", "\r", "\r\r\n"})
        for (int kodierung = 0; kodierung < 5; ++kodierung) {
            SCOPED_TRACE(QStringLiteral("%1 %2")
                             .arg(QString::fromLatin1(ende).toUtf8().toHex())
                             .arg(kodierung)
                             .toStdString());
            QString t = text;
            t.replace(QLatin1Char('\n'), QString::fromLatin1(ende));
            QByteArray bytes = kodierung == 0 ? t.toLatin1() : t.toUtf8();
            if (kodierung == 2) bytes.prepend("\xEF\xBB\xBF");
            if (kodierung == 3)
                bytes = QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(t);
            if (kodierung == 4)
                bytes = QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)(t);
            ImportLauf lauf;
            lauf.vorgabe(p);
            ASSERT_TRUE(lauf.form.flx.IMPORTIEREN("E", lauf.datei("e.txt", bytes)));
            EXPECT_EQ(lauf.zeilen(), (QStringList{"0\t1,5\t2,5\t\t\t", "1\t3,5\t4,5\t\t\t"}));
            EXPECT_TRUE(lauf.run.dialogs().asked().empty());
        }
}

namespace {
// How many of the process's open files are this file.
int offeneHandles(const QString& pfad) {
    int n = 0;
    const QString ziel = QFileInfo(pfad).canonicalFilePath();
    for (const QFileInfo& fd :
         QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
        if (fd.symLinkTarget() == ziel) ++n;
    return n;
}
} // namespace

// Every way an import ends early: one clear message (or the user's own Cancel), False, and the grid as it
// was; the file is never left open.
TEST(Importieren, AnEarlyEndLeavesTheGridAsItWasAfterOneMessage) {
    struct Ende {
        const char* name;
        std::function<QString(ImportLauf&)> vorbereiten; // returns the file
        QString akvk;
        QString meldung; // a part of the one message
        int antwort = Answer::OK;
    };
    const Preset a{"A", 2, "", "", "", "", ";", "", {wert("M1", "0"), wert("M2", "1")}};
    const std::vector<Ende> enden = {
        {"Datei fehlt", [](ImportLauf& l) { return l.run.dir().file("fehlt.txt"); }, "A",
         "kann nicht gelesen werden"},
        {"Ordner statt Datei", [](ImportLauf& l) { return l.run.dir().mkdir("ordner"); }, "A",
         "kann nicht gelesen werden"},
        {"Vorgabe fehlt", [](ImportLauf& l) { return l.datei("x.txt", "1;2\n"); }, "Unbekannt",
         "gibt es nicht"},
        {"Abbruch bei Schaden", [](ImportLauf& l) { return l.datei("x.txt", "1;2\n3\n4;5\n"); }, "A",
         "ZyklusNr. 1 ist beschädigt!", Answer::Cancel},
        {"Startanzahl keine Zahl",
         [](ImportLauf& l) {
             l.vorgabe(Preset{"S", 2, "", "", "zwei", "", ";", "", {wert("M1", "0")}});
             return l.datei("x.txt", "1;2\n");
         },
         "S", "keine ganze Zahl"},
        {"Zyklusnummer fällt",
         [](ImportLauf& l) {
             l.vorgabe(Preset{"C", 3, "", "", "", "", "", "", {wert("M1", "2")}});
             return l.datei("x.txt", "2\n0\n1\n2\n0\n1\n");
         },
         "C", "nicht aufsteigend"},
        {"Zyklusnummer keine Zahl",
         [](ImportLauf& l) {
             l.vorgabe(Preset{"C", 3, "", "", "", "", "", "", {wert("M1", "2")}});
             return l.datei("x.txt", "2\nnull\n1\n");
         },
         "C", "keine Zyklusnummer"},
    };
    for (const Ende& e : enden) {
        SCOPED_TRACE(e.name);
        ImportLauf lauf;
        lauf.vorgabe(a);
        lauf.form.fuellen({"\tx1\t\t\t\t"});
        const QStringList vorher = lauf.zeilen();
        const QString datei = e.vorbereiten(lauf);
        lauf.run.dialogs().answerAllMessages(e.antwort);
        EXPECT_FALSE(lauf.form.flx.IMPORTIEREN(e.akvk, datei));
        ASSERT_EQ(lauf.run.dialogs().messages().size(), 1);
        EXPECT_TRUE(lauf.run.dialogs().messages()[0].contains(e.meldung))
            << lauf.run.dialogs().messages()[0].toStdString();
        EXPECT_EQ(lauf.zeilen(), vorher);
        EXPECT_EQ(offeneHandles(datei), 0);
    }
}

// A cycle length out of the Integer range, or no number at all, is the presets' fault: the table cursor's
// message, False, the grid as it was; the run goes on.
TEST(Importieren, ACycleLengthOutOfRangeEndsTheImportWithTheStoresMessage) {
    struct Fall {
        const char* gespeichert;
        const char* gezeigt;
    };
    for (const Fall& f : {Fall{"40000", "40000"}, Fall{"1e9", "1000000000"}, Fall{"'zwei'", "zwei"}}) {
        SCOPED_TRACE(f.gespeichert);
        ImportLauf lauf;
        lauf.vorgabe(Preset{"Z", 2, "", "", "", "", ";", "", {wert("M1", "0")}});
        lauf.run.state().cnnX->Execute(
            QStringLiteral("UPDATE TAMBRIN_VE1 SET ZL=%1").arg(QString::fromLatin1(f.gespeichert)));
        lauf.form.fuellen({"\tx1\t\t\t\t"});
        const QStringList vorher = lauf.zeilen();
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("Z", lauf.datei("z.txt", "1;2\n")));
        EXPECT_EQ(lauf.run.dialogs().messages(),
                  QStringList{QStringLiteral("Wert %1 kann nicht aus der Spalte ZL der Tabelle TAMBRIN_VE1 "
                                             "eingelesen werden!")
                                  .arg(QString::fromLatin1(f.gezeigt))});
        EXPECT_EQ(lauf.zeilen(), vorher);
    }
}

TEST(Importieren, ADisabledGridReadsNothing) {
    ImportLauf lauf;
    lauf.vorgabe(Preset{"A", 2, "", "", "", "", ";", "", {wert("M1", "0")}});
    lauf.form.grid->setEnabled(false);
    EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("A", lauf.datei("a.txt", "1;2\n")));
    EXPECT_EQ(lauf.zeilen(), QStringList{"0\t\t\t\t\t"});
    EXPECT_EQ(lauf.run.dialogs().messages().size(), 1);
}

TEST(Importieren, AConfigurationWithoutValuesReadsTheFileAndWritesNothing) {
    ImportLauf lauf;
    lauf.vorgabe(Preset{"L", 2, "", "", "", "", ";", "", {}});
    EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("L", lauf.datei("a.txt", "1;2\n3;4\n")));
    EXPECT_EQ(lauf.zeilen(), QStringList{"0\t\t\t\t\t"});
    EXPECT_TRUE(lauf.run.dialogs().asked().empty());
}

TEST(Importieren, AGridWithoutImportKeysIsToldSo) {
    ImportLauf lauf;
    lauf.form.flx.setELSELEK({"I", "M1"});
    lauf.vorgabe(Preset{"A", 2, "", "", "", "", ";", "", {wert("M1", "0")}});
    EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("A", lauf.datei("a.txt", "1;2\n")));
    EXPECT_EQ(lauf.run.dialogs().messages().size(), 1);
}

// An incomplete date or time pattern says so, both of them in one message; the texts stay as read and the
// import goes through.
TEST(Importieren, AnIncompleteDatePatternLeavesTheDate) {
    ImportLauf lauf;
    lauf.vorgabe(Preset{"T", 2, "TT.MM", "hh:mm", "", "", ";", "", {wert("DAT", "0"), wert("ZEIT", "1")}});
    EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("T", lauf.datei("t.txt", "14.11.2003;10:30\n")));
    EXPECT_EQ(lauf.zeilen(), QStringList{"0\t\t\t14.11.2003\t10:30\t"});
    EXPECT_EQ(
        lauf.run.dialogs().messages(),
        QStringList{"Es wurde für diese Konfiguration ein ungültiges Datumsformat im Menü Elektronikvorgaben "
                    "eingegeben!\n"
                    "Es wurde für diese Konfiguration ein ungültiges Zeitformat im Menü Elektronikvorgaben "
                    "eingegeben!"});
}

// A layout C file in which the first cycle is out of structure: the message of the first cycle, then the
// next good cycle goes into the first row.
TEST(Importieren, LayoutCResynchronisesAfterADamagedFirstCycle) {
    ImportLauf lauf;
    lauf.vorgabe(Preset{"C", 3, "", "", "", "", "", "", {wert("NR", "1"), wert("M1", "2")}});
    lauf.run.dialogs().answerAllMessages(Answer::OK);
    EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("C", lauf.datei("c.txt", "Kopf\n2\n0\n1.5\n2\n1\n2.5\n")));
    EXPECT_EQ(lauf.zeilen(), (QStringList{"0\t1,5\t\t\t\t0", "1\t2,5\t\t\t\t1"}));
    EXPECT_EQ(
        lauf.run.dialogs().messages(),
        QStringList{"Elektronikvorgaben passen nicht zur Struktur der Elektronikdatei!\n" + okAbbrechen});
}

// Starts that find no data, a blank line in the middle of layout A, and a layout C marker that ends a cycle.
TEST(Importieren, EdgesOfTheStart) {
    struct Rand {
        const char* name;
        Preset vorgabe;
        QByteArray inhalt;
        QStringList erwartet;
        QStringList meldungen;
    };
    const std::vector<Rand> raender = {
        {"A, leere Zeile",
         Preset{"R", 2, "", "", "", "", ";", "", {wert("M1", "0")}},
         "1;2\n\n3;4\n",
         {"0\t1\t\t\t\t", "1\t3\t\t\t\t"},
         {"ZyklusNr. 1 ist beschädigt!\n" + okAbbrechen}},
        {"C, Leerzeilen am Ende",
         Preset{"R", 3, "", "", "", "", "", "", {wert("M1", "2")}},
         "2\n0\n7.5\n\n  \r\n\n",
         {"0\t7,5\t\t\t\t"},
         {}},
        {"A, Leerzeilen am Ende",
         Preset{"R", 2, "", "", "", "", ";", "", {wert("M1", "0")}},
         "1;2\n\n\n",
         {"0\t1\t\t\t\t"},
         {}},
        {"C, Marke am Ende eines Zyklus",
         Preset{"R", 3, "", "", "", "START", "", "", {wert("NR", "1"), wert("M1", "2")}},
         "a\nb\nSTART\n2\n1\n7.5\n",
         {"0\t7,5\t\t\t\t1"},
         {}},
    };
    for (const Rand& r : raender) {
        SCOPED_TRACE(r.name);
        ImportLauf lauf;
        lauf.vorgabe(r.vorgabe);
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("R", lauf.datei("r.txt", r.inhalt)));
        EXPECT_EQ(lauf.zeilen(), r.erwartet);
        EXPECT_EQ(lauf.run.dialogs().messages(), r.meldungen);
    }
}

// A file converted twice (CR CR LF) gives one reading per line and asks nothing.
TEST(Importieren, AFileConvertedTwiceReadsAsItsLines) {
    ImportLauf lauf;
    lauf.vorgabe(Preset{"A", 2, "", "", "1", "", ";", "", {wert("NR", "0"), wert("M1", "1")}});
    EXPECT_TRUE(lauf.form.flx.IMPORTIEREN("A", ImportLauf::fixture("a_crcrlf.txt")));
    EXPECT_EQ(lauf.zeilen(), (QStringList{"0\t0,52\t\t\t\t1", "1\t0,61\t\t\t\t2", "2\t0,70\t\t\t\t3",
                                          "3\t0,81\t\t\t\t4", "4\t0,93\t\t\t\t5", "5\t1,07\t\t\t\t6"}));
    EXPECT_TRUE(lauf.run.dialogs().asked().empty());
}

// Damaged cycles are asked about once, in the run's language: their count and the first five; OK imports
// the sound cycles, Cancel none.
TEST(Importieren, DamagedCyclesAreAskedAboutOnce) {
    struct Fall {
        const char* sprache;
        const char* dezimal;
        int antwort;
        QStringList erwartet;
        QString meldung;
    };
    const QString deutsch = QStringLiteral(
        "Die Elektronikdatei hat 8 beschädigte oder fehlende Zyklen:\nZyklusNr. 2 ist beschädigt!\n"
        "ZyklusNr. 3 ist beschädigt!\nZyklusNr. 5 ist beschädigt!\nZyklusNr. 6 ist beschädigt!\n"
        "ZyklusNr. 7 ist beschädigt!\n...\nOK liest die unbeschädigten Zyklen ein, Abbrechen liest nichts "
        "ein.");
    const QString englisch = QStringLiteral(
        "The electronics file has 8 damaged or missing cycles:\nCycle no. 2 is damaged!\nCycle no. 3 is "
        "damaged!\nCycle no. 5 is damaged!\nCycle no. 6 is damaged!\nCycle no. 7 is damaged!\n...\nOK "
        "imports "
        "the sound cycles, Cancel imports nothing.");
    const Fall faelle[] = {
        {"de",
         ",",
         Answer::OK,
         {"0\tx1\t\t\t\t", "1\t0,52\t\t\t\t1", "2\t0,61\t\t\t\t2", "3\t0,70\t\t\t\t3"},
         deutsch},
        {"de", ",", Answer::Cancel, {"0\tx1\t\t\t\t"}, deutsch},
        {"en",
         ".",
         Answer::OK,
         {"0\tx1\t\t\t\t", "1\t0.52\t\t\t\t1", "2\t0.61\t\t\t\t2", "3\t0.70\t\t\t\t3"},
         englisch},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.sprache) + " " + std::to_string(f.antwort));
        ImportLauf lauf(QString::fromLatin1(f.sprache), QString::fromLatin1(f.dezimal));
        lauf.vorgabe(Preset{"A", 2, "", "", "", "", ";", "", {wert("NR", "0"), wert("M1", "1")}});
        lauf.form.fuellen({"\tx1\t\t\t\t"});
        lauf.run.dialogs().answerAllMessages(f.antwort);
        EXPECT_EQ(lauf.form.flx.IMPORTIEREN("A", ImportLauf::fixture("a_beschaedigt.txt")),
                  f.antwort == Answer::OK);
        EXPECT_EQ(lauf.run.dialogs().messages(), QStringList{f.meldung});
        EXPECT_EQ(lauf.run.dialogs().asked().front().style,
                  platform::Msg::OKCancel | platform::Msg::Exclamation);
        if (f.antwort == Answer::OK) {
            EXPECT_EQ(lauf.zeilen(), f.erwartet);
        } else {
            EXPECT_EQ(lauf.zeilen().size(), 1);
            EXPECT_EQ(lauf.zeilen()[0].section(QLatin1Char('\t'), 1), QStringLiteral("x1\t\t\t\t"));
        }
    }
}

// A file that gives no reading says so once, with the damage it met, and leaves the grid as it was: an
// empty file, a binary file, UTF-16 without its byte order mark, a file of another layout (each line
// damaged), layout B with fewer cycles than are to be skipped or without its marker.
TEST(Importieren, AFileWithoutReadingsSaysSo) {
    struct Fall {
        const char* name;
        Preset vorgabe;
        QByteArray inhalt;
        QString meldung;
    };
    const Preset a{"R", 2, "", "", "", "", ";", "", {wert("M1", "0"), wert("M2", "1")}};
    QByteArray falsch;
    for (int i = 0; i < 1000; ++i)
        falsch += QByteArray::number(i) + "\t0.5\r\n";
    // The start of an executable: control bytes, NULs among the separators, a byte that is no UTF-8. The
    // literal's own size, less its closing NUL, so that the NULs inside count and nothing behind it is read.
    static constexpr char binaer[] = "\x7F"
                                     "ELF\x02\x01;\x00\x00;\n\x00\xFF;";
    const QString keine = QStringLiteral("Keine Messwerte gefunden.");
    const std::vector<Fall> faelle = {
        {"leer", a, "", keine},
        {"nur Leerzeilen", a, "\r\n\r\n", keine},
        {"binär", a, QByteArray(binaer, sizeof binaer - 1), keine},
        {"UTF-16 ohne BOM", a, QStringEncoder(QStringEncoder::Utf16LE)(QStringLiteral("1;2\r\n3;4\r\n")),
         keine},
        {"anderes Layout", a, falsch,
         keine + QStringLiteral("\nDie Elektronikdatei hat 1000 beschädigte oder fehlende Zyklen:\n"
                                "ZyklusNr. 0 ist beschädigt!\nZyklusNr. 1 ist beschädigt!\n"
                                "ZyklusNr. 2 ist beschädigt!\nZyklusNr. 3 ist beschädigt!\n"
                                "ZyklusNr. 4 ist beschädigt!\n...")},
        {"eine beschädigte Zeile", a, "1 2\n", keine + QStringLiteral("\nZyklusNr. 0 ist beschädigt!")},
        {"B, weniger Zyklen als zu überspringen",
         Preset{"R", 2, "", "", "9", "", ";", "|", {wert("M1", "0")}}, "Kopf;x|1;2|\n", keine},
        {"B, Marke fehlt", Preset{"R", 2, "", "", "", "#NIX#", ";", "|", {wert("M1", "0")}}, "1;2|3;4|\n",
         keine},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ImportLauf lauf;
        lauf.vorgabe(f.vorgabe);
        lauf.form.fuellen({"\tx1\t\t\t\t"});
        const QStringList vorher = lauf.zeilen();
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("R", lauf.datei("r.txt", f.inhalt)));
        EXPECT_EQ(lauf.run.dialogs().messages(), QStringList{f.meldung});
        EXPECT_EQ(lauf.zeilen(), vorher);
    }
    ImportLauf englisch(QStringLiteral("en"), QStringLiteral("."));
    englisch.vorgabe(a);
    EXPECT_FALSE(englisch.form.flx.IMPORTIEREN("R", englisch.datei("r.txt", "")));
    EXPECT_EQ(englisch.run.dialogs().messages(), QStringList{QStringLiteral("No readings found.")});
}

// A measured value number beyond the Integer range, or no number, ends the import with one message instead
// of an import of nothing.
TEST(Importieren, AMeasuredValueNumberOutOfRangeEndsTheImport) {
    for (const char* mnr : {"40000", "'x'", "-1"}) {
        SCOPED_TRACE(mnr);
        ImportLauf lauf;
        lauf.vorgabe(Preset{"Z", 2, "", "", "", "", ";", "", {wert("M1", "0")}});
        lauf.run.state().cnnX->Execute(
            QStringLiteral("UPDATE TAMBRIN_VE2 SET MNR=%1").arg(QString::fromLatin1(mnr)));
        const QStringList vorher = lauf.zeilen();
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("Z", lauf.datei("z.txt", "1;2\n")));
        EXPECT_EQ(lauf.run.dialogs().messages(),
                  QStringList{QStringLiteral("Die Messwertnummern (MNR) der Elektronikvorgabe \"Z\" sind "
                                             "keine ganzen Zahlen von 0 bis 32767!")});
        EXPECT_EQ(lauf.zeilen(), vorher);
    }
}

// A configuration whose values all stand beyond the end of the cycle takes nothing from any file: it says so
// as for a file without readings, and leaves the grid as it was.
TEST(Importieren, PositionsBeyondTheCycleFindNoReadings) {
    struct Fall {
        const char* name;
        Preset vorgabe;
        QByteArray inhalt;
    };
    const std::vector<Fall> faelle = {
        {"A", Preset{"P", 2, "", "", "", "", ";", "", {wert("M1", "2"), wert("M2", "7")}}, "1;2\n3;4\n"},
        {"B", Preset{"P", 2, "", "", "", "", ";", "|", {wert("M1", "2")}}, "1;2|3;4|\n"},
        {"C", Preset{"P", 3, "", "", "", "", "", "", {wert("M1", "3"), wert("M2", "40")}},
         "2\n0\n1.5\n2\n1\n2.5\n"},
    };
    for (const char* sprache : {"de", "en"})
        for (const Fall& f : faelle) {
            SCOPED_TRACE(std::string(f.name) + " " + sprache);
            const bool englisch = QLatin1String(sprache) == QLatin1String("en");
            ImportLauf lauf(QString::fromLatin1(sprache),
                            englisch ? QStringLiteral(".") : QStringLiteral(","));
            lauf.vorgabe(f.vorgabe);
            lauf.form.fuellen({"\tx1\t\t\t\t"});
            const QStringList vorher = lauf.zeilen();
            lauf.run.dialogs().answerAllMessages(Answer::OK);
            EXPECT_FALSE(lauf.form.flx.IMPORTIEREN("P", lauf.datei("p.txt", f.inhalt)));
            EXPECT_EQ(lauf.run.dialogs().messages(),
                      QStringList{englisch ? QStringLiteral("No readings found.")
                                           : QStringLiteral("Keine Messwerte gefunden.")});
            EXPECT_EQ(lauf.zeilen(), vorher);
        }
}

// In an English run every message of the import is English, its title too: the file's, the
// configuration's, the damaged cycles' and the table's.
TEST(Importieren, AnEnglishRunSpeaksEnglishInEveryMessage) {
    struct Meldung {
        const char* name;
        std::function<QString(ImportLauf&)> vorbereiten; // returns the file
        QString akvk;
        QString meldung;
        bool ergebnis = false;
    };
    const auto vorgabe = [](ImportLauf& l, const Preset& p, const QByteArray& inhalt) {
        l.vorgabe(p);
        return l.datei(QStringLiteral("x.txt"), inhalt);
    };
    const QByteArray vieleZyklen = QByteArray("1;2\n").repeated(32768);
    const QByteArray spaeteMarke = QByteArray("1\n").repeated(32768) + "START\n0\n";
    const std::vector<Meldung> meldungen = {
        {"Datei fehlt", [](ImportLauf& l) { return l.run.dir().file("fehlt.txt"); }, "A",
         "The electronics file %1 can't be read!\nThe file does not exist."},
        {"Ordner statt Datei", [](ImportLauf& l) { return l.run.dir().mkdir("ordner"); }, "A",
         "The electronics file %1 can't be read!\nThat is not a file."},
        {"Vorgabe fehlt", [](ImportLauf& l) { return l.datei("x.txt", "1;2\n"); }, "Unbekannt",
         "The electronics preset \"Unbekannt\" does not exist!"},
        {"ein beschädigter Zyklus", [](ImportLauf& l) { return l.datei("x.txt", "1;2\n3\n4;5\n"); }, "A",
         "Cycle no. 1 is damaged!\nOK imports the sound cycles, Cancel imports nothing.", true},
        {"Startanzahl keine Zahl",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"S", 2, "", "", "zwei", "", ";", "", {wert("M1", "0")}}, "1;2\n");
         },
         "S", "The start count \"zwei\" of the electronics preset is not a whole number!"},
        {"Zyklusnummer fällt",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"C", 3, "", "", "", "", "", "", {wert("M1", "2")}},
                            "2\n0\n1\n2\n0\n1\n");
         },
         "C", "Cycle no. 0 is followed by cycle no. 0: the cycles of the electronics file do not ascend!"},
        {"Zyklusnummer keine Zahl",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"C", 3, "", "", "", "", "", "", {wert("M1", "2")}}, "2\nnull\n1\n");
         },
         "C", "Line 2 of the electronics file holds no cycle number!"},
        {"Zyklusnummer zu groß",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"C", 3, "", "", "", "", "", "", {wert("M1", "2")}}, "2\n32767\n1\n");
         },
         "C", "The cycle numbers of the electronics file exceed 32767!"},
        {"zu viele Zyklen", [&](ImportLauf& l) { return l.datei("x.txt", vieleZyklen); }, "A",
         "The electronics file has more cycles than the table can have rows!"},
        {"Marke zu spät",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"C", 1, "", "", "", "START", "", "", {wert("M1", "0")}}, spaeteMarke);
         },
         "C", "The electronics file is too long!"},
        {"Faktor zu groß",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"F", 1, "", "", "", "", ";", "", {wert("M1", "0", "", "", 1e30)}},
                            "10000000000\n");
         },
         "F", "The value 10000000000 grows too large by the factor of column M1!"},
        {"Zyklenlänge 0",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"Z", 0, "", "", "", "", ";", "", {}}, "1;2\n");
         },
         "Z", "The electronics preset \"Z\" has no valid cycle length (ZL)!"},
        {"Position negativ",
         [&](ImportLauf& l) {
             return vorgabe(l, Preset{"N", 2, "", "", "", "", ";", "", {wert("M1", "-1")}}, "1;2\n");
         },
         "N",
         "The position of measured value 0 of the electronics preset \"N\" is not a whole number from 0 up!"},
        {"Messwertnummer zu groß",
         [&](ImportLauf& l) {
             l.vorgabe(Preset{"M", 2, "", "", "", "", ";", "", {wert("M1", "0")}});
             l.run.state().cnnX->Execute(QStringLiteral("UPDATE TAMBRIN_VE2 SET MNR=40000"));
             return l.datei("x.txt", "1;2\n");
         },
         "M",
         "The measured value numbers (MNR) of the electronics preset \"M\" are not whole numbers from 0 to "
         "32767!"},
        {"Tabelle gesperrt",
         [](ImportLauf& l) {
             l.form.grid->setEnabled(false);
             return l.datei("x.txt", "1;2\n");
         },
         "A", "The table is locked and takes no readings!"},
        {"keine Importschlüssel",
         [](ImportLauf& l) {
             l.form.flx.setELSELEK({"I", "M1"});
             return l.datei("x.txt", "1;2\n");
         },
         "A", "The columns of the table have no import keys!"},
        {"Datums- und Zeitmuster",
         [&](ImportLauf& l) {
             return vorgabe(
                 l, Preset{"T", 2, "TT.MM", "hh:mm", "", "", ";", "", {wert("DAT", "0"), wert("ZEIT", "1")}},
                 "14.11.2003;10:30\n");
         },
         "T",
         "An invalid date format was entered for this configuration in the menu Electronics presets!\nAn "
         "invalid time format was entered for this configuration in the menu Electronics presets!",
         true},
        {"leere Datei", [](ImportLauf& l) { return l.datei("x.txt", ""); }, "A", "No readings found."},
    };
    for (const Meldung& m : meldungen) {
        SCOPED_TRACE(m.name);
        ImportLauf lauf(QStringLiteral("en"), QStringLiteral("."));
        lauf.vorgabe(Preset{"A", 2, "", "", "", "", ";", "", {wert("M1", "0"), wert("M2", "1")}});
        const QString datei = m.vorbereiten(lauf);
        lauf.run.dialogs().answerAllMessages(Answer::OK);
        EXPECT_EQ(lauf.form.flx.IMPORTIEREN(m.akvk, datei), m.ergebnis);
        EXPECT_EQ(lauf.run.dialogs().messages(), QStringList{QString(m.meldung).replace("%1", datei)});
        for (const auto& a : lauf.run.dialogs().asked())
            EXPECT_EQ(a.title, QStringLiteral("MSFlexGrid / Import"));
    }
}
