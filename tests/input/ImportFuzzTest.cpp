// The import on damaged files: the fixture files of every layout, mutated many times by a random generator
// that starts alike on every run (bytes changed, inserted and deleted, lines doubled and cut, separators and
// line ends sprinkled in), each answered at random with OK or Cancel. No run may crash or hang or ask more
// than once; each ends either as a sound import (True, the rows before kept, a cell for every new row) or
// after a message with the grid as it was.
#include "ImportLauf.h"

#include "platform/runtime/DialogService.h"

#include <gtest/gtest.h>
#include <QFile>
#include <random>

using examples::Preset;

namespace {

Preset::Value wert(const char* spalte, const char* position, const char* praefix = "",
                   const char* suffix = "", std::optional<double> faktor = 1.0) {
    return {QString::fromUtf8(spalte), QString::fromUtf8(position), QString::fromUtf8(praefix),
            QString::fromUtf8(suffix), faktor};
}

QByteArray lesen(const QString& name) {
    QFile f(ImportLauf::fixture(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray mutiert(QByteArray b, std::mt19937& zufall) {
    static const char zeichen[] = ";|\t\r\n .,-0123456789#\xC3\xA4\xFF";
    std::uniform_int_distribution<int> art(0, 6);
    const int schritte = std::uniform_int_distribution<int>(1, 8)(zufall);
    for (int s = 0; s < schritte; ++s) {
        const int n = int(b.size());
        const int stelle = n > 0 ? std::uniform_int_distribution<int>(0, n - 1)(zufall) : 0;
        const char c = zeichen[std::uniform_int_distribution<int>(0, int(sizeof(zeichen)) - 2)(zufall)];
        switch (art(zufall)) {
        case 0:
            if (n) b[stelle] = c;
            break;
        case 1:
            b.insert(stelle, c);
            break;
        case 2:
            if (n) b.remove(stelle, std::uniform_int_distribution<int>(1, 6)(zufall));
            break;
        case 3:
            if (n) b[stelle] = char(std::uniform_int_distribution<int>(0, 255)(zufall));
            break;
        case 4:
            b.insert(stelle, b.mid(stelle, std::uniform_int_distribution<int>(1, 40)(zufall)));
            break;
        case 5:
            b.truncate(stelle);
            break;
        case 6:
            b.insert(stelle, QByteArray(std::uniform_int_distribution<int>(1, 30)(zufall), c));
            break;
        }
    }
    return b;
}

} // namespace

TEST(ImportFuzz, MutatedFixtureFilesEndInASoundImportOrAMessage) {
    const std::pair<const char*, Preset> faelle[] = {
        {"a_marker.txt", Preset{"F",
                                5,
                                "JJJJ-MM-TT",
                                "hh:mm:ss",
                                "",
                                "--DATEN--",
                                ";",
                                "",
                                {wert("DAT", "0"), wert("ZEIT", "1"), wert("M1", "2", "m=", "g"),
                                 wert("M2", "3"), wert("NR", "4", "", "", 0.001)}}},
        {"a_zaehler.txt",
         Preset{"F", 3, "", "", "2", "", "<TAB>", "", {wert("NR", "0"), wert("M1", "1"), wert("M2", "2")}}},
        {"b_marker.txt",
         Preset{"F", 2, "", "", "", "#START#", ";", "|", {wert("M1", "0", "<", ">"), wert("M2", "1")}}},
        {"b_zaehler.txt",
         Preset{"F", 2, "", "", "1", "", ";", "|", {wert("M1", "0", "", "", 2.0), wert("M2", "1")}}},
        {"c_zyklen.txt", Preset{"F",
                                4,
                                "",
                                "",
                                "",
                                "",
                                "",
                                "",
                                {wert("NR", "1"), wert("M1", "2"), wert("M2", "3", "", "", 1e30)}}},
        {"c_marker.txt",
         Preset{"F", 4, "", "", "", "START", "", "", {wert("NR", "1"), wert("M1", "2"), wert("M2", "3")}}},
    };
    std::mt19937 zufall(20031114);
    constexpr int kRunden = 120;
    int eingelesen = 0, abgebrochen = 0;
    for (const auto& [datei, vorgabe] : faelle) {
        const QByteArray original = lesen(QString::fromLatin1(datei));
        ImportLauf lauf;
        lauf.vorgabe(vorgabe);
        for (int runde = 0; runde < kRunden; ++runde) {
            SCOPED_TRACE(
                QStringLiteral("%1, Runde %2").arg(QString::fromLatin1(datei)).arg(runde).toStdString());
            const QByteArray bytes = mutiert(original, zufall);
            const QString pfad = lauf.datei(QStringLiteral("fuzz.txt"), bytes);
            // Keep the grid small: a few rows of earlier imports stay as the readings there were.
            if (lauf.form.grid->Rows() > 40) lauf.form.grid->setRows(2);
            const QStringList vorher = lauf.zeilen();
            lauf.run.dialogs().clear();
            std::bernoulli_distribution ok(0.8);
            for (int i = 0; i < 64; ++i)
                lauf.run.dialogs().answer(ok(zufall) ? platform::Msg::Answer::OK
                                                     : platform::Msg::Answer::Cancel);
            lauf.run.dialogs().answerAllMessages(platform::Msg::Answer::Cancel);
            const bool gelesen = lauf.form.flx.IMPORTIEREN(QStringLiteral("F"), pfad);
            const QStringList nachher = lauf.zeilen();
            // However damaged the file, the import asks at most one question.
            int fragen = 0;
            for (const auto& a : lauf.run.dialogs().asked())
                if (a.style == (platform::Msg::OKCancel | platform::Msg::Exclamation)) ++fragen;
            EXPECT_LE(fragen, 1) << bytes.toHex().toStdString();
            if (gelesen) {
                ++eingelesen;
                ASSERT_GE(nachher.size(), vorher.size());
                // The readings that were there keep their values (only the running numbers are renewed).
                const bool eineLeereZeile =
                    vorher.size() == 1 && vorher[0].section(QLatin1Char('\t'), 1).trimmed().isEmpty();
                if (!eineLeereZeile) {
                    for (int r = 0; r < vorher.size(); ++r) {
                        EXPECT_EQ(nachher[r].section(QLatin1Char('\t'), 1),
                                  vorher[r].section(QLatin1Char('\t'), 1));
                    }
                }
            } else {
                ++abgebrochen;
                EXPECT_EQ(nachher, vorher);
                EXPECT_GE(lauf.run.dialogs().count(QStringLiteral("MsgBox")), 1)
                    << bytes.toHex().toStdString();
            }
        }
    }
    // Both ends are reached, so the mutations test both.
    EXPECT_GT(eingelesen, 0);
    EXPECT_GT(abgebrochen, 0);
}
