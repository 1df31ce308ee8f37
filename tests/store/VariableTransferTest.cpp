// Values, arrays and collections moved between program variables and a column of the selection.
#include "clsDATEN.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/VbError.h"
#include "StoreFixture.h"

#include <functional>

using namespace storetest;
namespace Msg = platform::Msg;
using platform::Variant;

namespace {

class VariableTransferTest : public StoreFixture {
protected:
    // A cursor on the readings of record 7.
    std::unique_ptr<clsDATEN> readings(std::int32_t id = 7) {
        auto daten = std::make_unique<clsDATEN>();
        daten->ETABELLE = QStringLiteral("E3");
        daten->ESPIDW = id;
        return daten;
    }
    QStringList m1Of(int id) {
        return texts(QStringLiteral("SELECT M1 FROM E3 WHERE ID=%1 ORDER BY I1, rowid").arg(id));
    }
};

TEST_F(VariableTransferTest, ASingleValueWithAFilterWritesOnlyItsRowAndCreatesItWhenMissing) {
    struct Case {
        std::int16_t reading;
        QStringList record7;
    };
    for (const Case& c :
         {Case{2, {"10", "11", "99,5", "13", "14"}}, Case{9, {"10", "11", "12", "13", "14", "99,5"}}}) {
        SCOPED_TRACE(c.reading);
        exec(QStringLiteral("DELETE FROM E3 WHERE ID=7 AND I1>4"));
        exec(QStringLiteral("UPDATE E3 SET M1=12 WHERE ID=7 AND I1=2"));
        auto daten = readings();
        EXPECT_TRUE(daten->DVTS(QStringLiteral("M1"), 99.5f, QStringLiteral("I1"), c.reading));
        EXPECT_EQ(m1Of(7), c.record7);
        EXPECT_EQ(m1Of(5), (QStringList{"50", "51", "52", "53", "54", "55"}));
        EXPECT_EQ(texts(QStringLiteral("SELECT ID FROM E3 WHERE M1=99.5")), QStringList{"7"});
        EXPECT_EQ(texts(QStringLiteral("SELECT I1 FROM E3 WHERE M1=99.5")),
                  QStringList{QString::number(c.reading)});
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(VariableTransferTest, ASingleValueLeavesOneRowTheFirstInOrder) {
    auto daten = readings();
    EXPECT_TRUE(daten->DVTI(QStringLiteral("M1"), std::int16_t(4), QStringLiteral("I1")));
    EXPECT_EQ(texts(QStringLiteral("SELECT I1 || ':' || M1 FROM E3 WHERE ID=7")), QStringList{"0:4.0"});
}

TEST_F(VariableTransferTest, AnArrayMakesTheSelectionAsLongAsItself) {
    struct Case {
        const char* name;
        std::vector<float> values;
        QStringList m1;
        QStringList readingNumbers;
    };
    const std::vector<Case> cases{
        {"3 into 5 rows", {1, 2, 3}, {"1", "2", "3"}, {"0", "1", "2"}},
        {"7 into 5 rows",
         {1, 2, 3, 4, 5, 6, 7},
         {"1", "2", "3", "4", "5", "6", "7"},
         {"0", "1", "2", "3", "4", "Null", "Null"}},
        {"1 into 5 rows", {8}, {"8"}, {"0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM E3 WHERE ID=7"));
        for (int i = 0; i <= 4; ++i)
            exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, %1, %2)").arg(i).arg(10 + i));
        auto daten = readings();
        EXPECT_TRUE(daten->DVTSF(QStringLiteral("M1"), c.values, QStringLiteral("I1")));
        // Appended rows come last in the table, so the order of insertion is the selection's order.
        EXPECT_EQ(texts(QStringLiteral("SELECT M1 FROM E3 WHERE ID=7 ORDER BY rowid")), c.m1);
        EXPECT_EQ(texts(QStringLiteral("SELECT I1 FROM E3 WHERE ID=7 ORDER BY rowid")), c.readingNumbers);
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM E3 WHERE ID=5")), 6);
    }
}

TEST_F(VariableTransferTest, EmptyTextIsStoredAsNullEverythingElseUnchanged) {
    struct Case {
        const char* name;
        QString column;
        std::function<bool(clsDATEN&, const QString&)> write;
        QString stored;
    };
    const std::vector<Case> cases{
        {"empty text", "KOM", [](clsDATEN& d, const QString& c) { return d.DVTT(c, ""); }, "Null"},
        {"empty text in a Variant", "KOM",
         [](clsDATEN& d, const QString& c) { return d.DVTV(c, Variant(QString())); }, "Null"},
        {"blanks", "KOM", [](clsDATEN& d, const QString& c) { return d.DVTT(c, "   "); }, "   "},
        {"zero", "SPR", [](clsDATEN& d, const QString& c) { return d.DVTS(c, 0.0f); }, "0"},
        {"False", "AKT", [](clsDATEN& d, const QString& c) { return d.DVTB(c, false); }, "False"},
        {"True", "AKT", [](clsDATEN& d, const QString& c) { return d.DVTB(c, true); }, "True"},
        {"a Long", "SPR", [](clsDATEN& d, const QString& c) { return d.DVTL(c, 3); }, "3"},
        {"a Double", "KOM", [](clsDATEN& d, const QString& c) { return d.DVTD(c, 0.1); }, "0,1"},
        {"a date", "KOM", [](clsDATEN& d, const QString& c) { return d.DVTA(c, 36526.5); },
         "01.01.2000 12:00:00"},
        {"text into a number column by the locale", "SPR",
         [](clsDATEN& d, const QString& c) { return d.DVTT(c, "1"); }, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clsDATEN daten;
        daten.ESPIDW = 3;
        EXPECT_TRUE(c.write(daten, c.column));
        EXPECT_EQ(texts(QStringLiteral("SELECT [%1] FROM E1 WHERE ID=3").arg(c.column)),
                  QStringList{c.stored});
    }
}

TEST_F(VariableTransferTest, AppendedRowsCarryTheIdTheFilterValuesAndTheSetKeys) {
    exec(QStringLiteral("INSERT INTO TAMBRIN_VE1 (IDK, AKVK) VALUES (4, 'Format')"));
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("TAMBRIN_VE2");
    daten.ESPID = QStringLiteral("IDK");
    daten.ESPIDW = 4;
    daten.ESPK1 = QStringLiteral("SPALTE");
    daten.ESPK1W = QStringLiteral("O'Neil");
    daten.ESPK2 = QStringLiteral("PRAEFIX");
    daten.ESPK2W = QString();
    EXPECT_TRUE(daten.DVTTF(QStringLiteral("FORMAT"),
                            {QStringLiteral("a"), QStringLiteral(""), QStringLiteral("c")},
                            QStringLiteral("MNR"), std::int16_t(2)));
    EXPECT_EQ(
        texts(QStringLiteral("SELECT IDK || '|' || MNR || '|' || SPALTE || '|' || ifnull(PRAEFIX, 'Null') || "
                             "'|' || ifnull(FORMAT, 'Null') FROM TAMBRIN_VE2 ORDER BY rowid")),
        (QStringList{"4|2|O'Neil|Null|a", "4|2|O'Neil|Null|Null", "4|2|O'Neil|Null|c"}));
}

TEST_F(VariableTransferTest, AMissingRowOrANullReadsAsTheTypesEmptyValue) {
    exec(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, 8, NULL)"));
    struct Case {
        const char* name;
        std::function<QString(clsDATEN&, std::int16_t)> read; // reads reading n and returns the target
    };
    const std::vector<Case> cases{
        {"Single",
         [](clsDATEN& d, std::int16_t n) {
             float v = 7;
             EXPECT_TRUE(d.DTVS("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"Double",
         [](clsDATEN& d, std::int16_t n) {
             double v = 7;
             EXPECT_TRUE(d.DTVD("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"Integer",
         [](clsDATEN& d, std::int16_t n) {
             std::int16_t v = 7;
             EXPECT_TRUE(d.DTVI("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"Long",
         [](clsDATEN& d, std::int16_t n) {
             std::int32_t v = 7;
             EXPECT_TRUE(d.DTVL("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"Boolean",
         [](clsDATEN& d, std::int16_t n) {
             bool v = true;
             EXPECT_TRUE(d.DTVB("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"String",
         [](clsDATEN& d, std::int16_t n) {
             QString v = QStringLiteral("alt");
             EXPECT_TRUE(d.DTVT("M1", v, "I1", n));
             return QStringLiteral("\"%1\"").arg(v);
         }},
        {"Date",
         [](clsDATEN& d, std::int16_t n) {
             double v = 36526;
             EXPECT_TRUE(d.DTVA("M1", v, "I1", n));
             return QString::number(v);
         }},
        {"Variant",
         [](clsDATEN& d, std::int16_t n) {
             Variant v(1.0f);
             EXPECT_TRUE(d.DTVV("M1", v, "I1", n));
             return text(v);
         }},
    };
    const std::map<QString, QString> empty{{"Single", "0"}, {"Double", "0"},     {"Integer", "0"},
                                           {"Long", "0"},   {"Boolean", "0"},    {"String", "\"\""},
                                           {"Date", "0"},   {"Variant", "Empty"}};
    for (const auto& c : cases) {
        auto daten = readings();
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.read(*daten, 99), empty.at(c.name)) << "missing row";
        EXPECT_EQ(c.read(*daten, 8), empty.at(c.name)) << "Null";
        EXPECT_NE(c.read(*daten, 3), empty.at(c.name)) << "a stored value";
    }
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(VariableTransferTest, ValuesReadBackAsWritten) {
    auto daten = readings();
    float m1 = 0;
    EXPECT_TRUE(daten->DTVS(QStringLiteral("M1"), m1, QStringLiteral("I1"), std::int16_t(3)));
    EXPECT_EQ(m1, 13.0f);
    EXPECT_TRUE(daten->DVTS(QStringLiteral("M1W"), 1.1f, QStringLiteral("I1"), std::int16_t(3)));
    float m1w = 0;
    EXPECT_TRUE(daten->DTVS(QStringLiteral("M1W"), m1w, QStringLiteral("I1"), std::int16_t(3)));
    EXPECT_EQ(m1w, 1.1f);
    // The first row in the order of the named column.
    EXPECT_TRUE(daten->DTVS(QStringLiteral("M1"), m1, QStringLiteral("I1")));
    EXPECT_EQ(m1, 10.0f);
    Variant stored;
    EXPECT_TRUE(daten->DTVV(QStringLiteral("I1"), stored, QStringLiteral("I1"), std::int16_t(4)));
    EXPECT_EQ(stored, Variant(std::int16_t(4)));
}

TEST_F(VariableTransferTest, ArrayReadsFillByPositionAndKeepTheRest) {
    exec(QStringLiteral("UPDATE E3 SET M1=NULL WHERE ID=7 AND I1=1"));
    auto daten = readings();
    std::vector<float> ten(10, -1.0f);
    EXPECT_TRUE(daten->DTVSF(QStringLiteral("M1"), ten, QStringLiteral("I1")));
    EXPECT_EQ(ten, (std::vector<float>{10, -1, 12, 13, 14, -1, -1, -1, -1, -1}));

    std::vector<QString> names{QStringLiteral("x")};
    auto none = readings(99);
    EXPECT_TRUE(none->DTVTF(QStringLiteral("M1"), names));
    EXPECT_EQ(names, std::vector<QString>{QStringLiteral("x")});

    std::vector<std::int16_t> integers(2, 0);
    std::vector<bool> flags(3, false);
    std::vector<Variant> variants(1);
    std::vector<double> dates(1, 0.0);
    EXPECT_TRUE(daten->DTVIF(QStringLiteral("I1"), integers, QStringLiteral("I1"), std::int16_t(3)));
    // Five rows into three elements: the fourth row ends the read with its one box.
    EXPECT_FALSE(daten->DTVBF(QStringLiteral("M1"), flags, QStringLiteral("I1")));
    EXPECT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1);
    EXPECT_TRUE(daten->DTVVF(QStringLiteral("M1"), variants, QStringLiteral("I1"), std::int16_t(4)));
    EXPECT_TRUE(daten->DTVAF(QStringLiteral("M1"), dates, QStringLiteral("I1"), std::int16_t(4)));
    EXPECT_EQ(integers, (std::vector<std::int16_t>{3, 0}));
    EXPECT_EQ(flags, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(variants[0], Variant(14.0f));
    EXPECT_EQ(dates[0], 14.0);
}

// Rows beyond the array used to ask once each, and OK to every box gave True: the read now ends at the
// first of them with one box and False, whatever the answer.
TEST_F(VariableTransferTest, RowsBeyondTheArrayAskOnceAndEndTheRead) {
    for (int answer : {int(Msg::OK), int(Msg::Cancel)}) {
        SCOPED_TRACE(answer);
        run.dialogs().clear();
        run.dialogs().answer(answer).answer(answer);
        auto daten = readings();
        std::vector<float> three(3, 0.0f);
        EXPECT_FALSE(daten->DTVSF(QStringLiteral("M1"), three, QStringLiteral("I1")));
        EXPECT_EQ(three, (std::vector<float>{10, 11, 12}));
        ASSERT_EQ(run.dialogs().count(QStringLiteral("MsgBox")), 1);
        const auto& box = run.dialogs().asked()[0];
        EXPECT_EQ(box.prompt,
                  QStringLiteral("Werte der Spalte M1 der Tabelle E3 können nicht aus der Spalte M1 "
                                 "eingelesen werden!\nVB-Error: 9\nIndex außerhalb des gültigen Bereichs"));
        EXPECT_EQ(box.title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(box.style, Msg::OKCancel | Msg::Exclamation);
    }
}

TEST_F(VariableTransferTest, CollectionsHoldTheNonNullValues) {
    exec(QStringLiteral("UPDATE E3 SET M1=NULL WHERE ID=7 AND I1=1"));
    auto daten = readings();
    std::vector<Variant> values{Variant(QStringLiteral("alt"))};
    EXPECT_TRUE(daten->DTVCOL(QStringLiteral("M1"), values, QStringLiteral("I1")));
    EXPECT_EQ(values, (std::vector<Variant>{Variant(10.0f), Variant(12.0f), Variant(13.0f), Variant(14.0f)}));

    std::vector<Variant> kept{Variant(QStringLiteral("alt"))};
    EXPECT_TRUE(readings(99)->DTVCOL(QStringLiteral("M1"), kept));
    EXPECT_EQ(kept, std::vector<Variant>{Variant(QStringLiteral("alt"))});
    EXPECT_FALSE(daten->DTVCOL(QStringLiteral("GIBTESNICHT"), kept));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST_F(VariableTransferTest, FailuresShowTheirMessage) {
    struct Case {
        const char* name;
        std::function<bool(clsDATEN&)> call;
        QString message;
    };
    const std::vector<Case> cases{
        {"a value into a missing column",
         [](clsDATEN& d) { return d.DVTS("XX", 1.5f, "I1", std::int16_t(1)); },
         "Wert 1,5 kann nicht in die Spalte XX der Tabelle E3 gespeichert werden!"},
        {"text into a number column", [](clsDATEN& d) { return d.DVTT("M1", "abc", "I1", std::int16_t(1)); },
         "Wert abc kann nicht in die Spalte M1 der Tabelle E3 gespeichert werden!"},
        {"True", [](clsDATEN& d) { return d.DVTB("XX", true); },
         "Wert True kann nicht in die Spalte XX der Tabelle E3 gespeichert werden!"},
        {"a read from a missing column",
         [](clsDATEN& d) {
             float v = 3;
             const bool ok = d.DTVS("XX", v);
             EXPECT_EQ(v, 3.0f);
             return ok;
         },
         "Wert  kann nicht aus der Spalte XX der Tabelle E3 eingelesen werden!"},
        {"an array into a missing column",
         [](clsDATEN& d) {
             return d.DVTSF("XX", {1.0f, 2.0f});
         },
         "Werte können nicht in Spalte XX der Tabelle E3 gespeichert werden!"},
        {"an empty array", [](clsDATEN& d) { return d.DVTIF("M1", {}); },
         "Werte können nicht in Spalte M1 der Tabelle E3 gespeichert werden!"},
        {"a cursor without an ID column cannot write",
         [](clsDATEN& d) {
             d.ESPID = QString();
             return d.DVTL("I1", 4);
         },
         "Wert 4 kann nicht in die Spalte I1 der Tabelle E3 gespeichert werden!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        run.dialogs().clear();
        auto daten = readings();
        EXPECT_FALSE(c.call(*daten));
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        EXPECT_EQ(run.dialogs().asked()[0].prompt, c.message);
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(run.dialogs().asked()[0].style, Msg::OKOnly | Msg::Exclamation);
        EXPECT_EQ(m1Of(7), (QStringList{"10", "11", "12", "13", "14"}));
    }
}

// A value its target's type can't take is a failed read: the read's message, False, the target kept; no
// error escapes to the caller.
TEST_F(VariableTransferTest, AConversionThatFailsIsAFailedReadWithTheTargetKept) {
    struct Case {
        const char* stored;
        const char* shown;
    };
    for (const Case& c : {Case{"'abc'", "abc"}, Case{"40000", "40000"}, Case{"1e9", "1000000000.0"}}) {
        SCOPED_TRACE(c.stored);
        run.dialogs().clear();
        exec(QStringLiteral("UPDATE E1 SET KOM=%1 WHERE ID=3").arg(QString::fromLatin1(c.stored)));
        clsDATEN daten;
        std::int16_t i = 2;
        EXPECT_FALSE(daten.DTVI(QStringLiteral("KOM"), i));
        EXPECT_EQ(i, 2);
        EXPECT_EQ(run.dialogs().messages(),
                  QStringList{QStringLiteral("Wert %1 kann nicht aus der Spalte KOM der Tabelle E1 eingelesen "
                                             "werden!")
                                  .arg(QString::fromLatin1(c.shown))});
    }
    float v = 2;
    EXPECT_FALSE(clsDATEN().DTVS(QStringLiteral("KOM"), v));
    EXPECT_EQ(v, 2.0f);
}

TEST_F(VariableTransferTest, AWriteThatFailsHalfWayLeavesTheSelectionAsItWas) {
    auto daten = readings();
    EXPECT_FALSE(daten->DVTTF(QStringLiteral("M1"),
                              {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("x")},
                              QStringLiteral("I1")));
    EXPECT_EQ(m1Of(7), (QStringList{"10", "11", "12", "13", "14"}));
    EXPECT_FALSE(daten->DVTVF(QStringLiteral("M1"),
                              {Variant(1.0f), Variant(2.0f), Variant(3.0f), Variant(4.0f), Variant(5.0f),
                               Variant(6.0f), Variant(QStringLiteral("x"))},
                              QStringLiteral("I1")));
    EXPECT_EQ(m1Of(7), (QStringList{"10", "11", "12", "13", "14"}));
}

TEST_F(VariableTransferTest, AKeyWithAnApostropheSelectsExactlyItsRows) {
    exec(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (9, 'O''Brien', 'irisch'), "
                        "(10, 'x'' OR ''x''=''x', 'listig')"));
    clsDATEN daten;
    daten.ESPID = QString();
    daten.ESPK1 = QStringLiteral("KEN");
    daten.ESPK1W = QStringLiteral("O'Brien");
    QString comment;
    EXPECT_TRUE(daten.DTVT(QStringLiteral("KOM"), comment));
    EXPECT_EQ(comment, QStringLiteral("irisch"));

    // A write through a key that reads like a condition replaces its own row only: pasted into the
    // statement unquoted, it would select the whole table and the write would delete every other row.
    daten.ESPID = QStringLiteral("ID");
    daten.ESPIDW = 10;
    daten.ESPK1W = QStringLiteral("x' OR 'x'='x");
    EXPECT_TRUE(daten.DVTT(QStringLiteral("KOM"), QStringLiteral("neu")));
    EXPECT_EQ(texts(QStringLiteral("SELECT KEN || '=' || ifnull(KOM, 'Null') FROM E1 ORDER BY ID")),
              (QStringList{"Probe A=erste", "Probe C=Null", "Probe B=zweite", "O'Brien=irisch",
                           "x' OR 'x'='x=neu"}));
    EXPECT_TRUE(run.dialogs().asked().empty());
}

} // namespace
