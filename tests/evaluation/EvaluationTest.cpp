#include "clsBERECHNEN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/DialogService.h"
#include "RecordFixture.h"
#include "Reference.h"
#include "TestRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

using platform::Variant;
using platform::Msg::Cancel;
using platform::Msg::OK;

namespace {

const QStringList RESULTS = {"RHPR",   "WPR",   "RHPRSP", "WPRSP",   "RHPRU",   "WPRU", "RHPRUSP",
                             "WPRUSP", "WUDPR", "WODPR",  "WUDPRSP", "WODPRSP", "RHS"};
const QStringList CURVE_RESULTS = {"RHPRSP", "WPRSP", "RHPRUSP", "WPRUSP", "WUDPRSP", "WODPRSP"};

struct Point {
    int I1;
    float WU, RHDU, W, RHD;
    bool operator==(const Point&) const = default;
};

// What the record's A1 and A2 rows hold.
struct Stored {
    std::map<QString, double> a1;
    bool BONEU = false;
    std::vector<Point> a2;
    bool operator==(const Stored&) const = default;
};

Stored readBack(platform::Connection& c, int id = 1) {
    Stored s;
    platform::Recordset a1;
    a1.Open(QStringLiteral("SELECT * FROM A1 WHERE ID = ?"), c, {Variant(std::int32_t(id))});
    if (!a1.eof()) {
        for (const QString& column : RESULTS + QStringList{"SRLI", "POSP", "DESR"})
            s.a1[column] = a1.Value(column).number();
        s.BONEU = a1.Value(QStringLiteral("BONEU")).asBool();
    }
    platform::Recordset a2;
    a2.Open(QStringLiteral("SELECT I1, WU, RHDU, W, RHD FROM A2 WHERE ID = ? ORDER BY I1"), c,
            {Variant(std::int32_t(id))});
    for (; !a2.eof(); a2.MoveNext()) {
        s.a2.push_back({int(a2.Value(0).number()), float(a2.Value(1).number()), float(a2.Value(2).number()),
                        float(a2.Value(3).number()), float(a2.Value(4).number())});
    }
    return s;
}

// Rows that an earlier evaluation left.
void addEarlierPoints(platform::Connection& c, int rows) {
    for (int i = 0; i < rows; ++i) {
        c.Execute(
            QStringLiteral("INSERT INTO A2 (ID, I1, WU, RHDU, W, RHD) VALUES (1, ?, 0.5, 0.5, 0.5, 0.5)"),
            {Variant(std::int16_t(i))});
    }
}

bool evaluate() {
    clsBERECHNEN evaluation;
    return evaluation.BERECHNUNG();
}

void expectRelative(double actual, double expected, double tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected))) << what;
}

struct EvaluationCase {
    const char* name;
    std::function<fixture::Record()> make;
};

fixture::Record firstReadings(fixture::Record r, std::size_t n) {
    r.readings.resize(n);
    return r;
}

fixture::Record withDegree(fixture::Record r, float dpr) {
    r.DPR = dpr;
    return r;
}

TEST(Evaluation, StoresEveryResultAsWorkedOutIndependently) {
    const EvaluationCase cases[] = {
        {"drying, no oversize, 97 %", [] { return fixture::dryingSet(); }},
        {"drying, 20 % oversize, 100 %",
         [] { return withDegree(fixture::withOversize(fixture::dryingSet(), 20, 2.65f, 1.5f), 100); }},
        {"added water, no oversize, 0 %", [] { return withDegree(fixture::addedWaterSet(), 0); }},
        {"added water, 12.5 % oversize, 97 %",
         [] { return fixture::withOversize(fixture::addedWaterSet(), 12.5f, 2.65f, 1.5f); }},
        {"one reading", [] { return firstReadings(fixture::dryingSet(), 1); }},
        {"two readings", [] { return firstReadings(fixture::dryingSet(), 2); }},
        {"three readings", [] { return firstReadings(fixture::dryingSet(), 3); }},
        {"five readings", [] { return firstReadings(fixture::dryingSet(), 5); }},
        {"five readings at 100 %", [] { return withDegree(firstReadings(fixture::dryingSet(), 5), 100); }},
        {"seventy-two readings", [] { return fixture::smoothCurve(72); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run;
        const fixture::Record record = c.make();
        fixture::store(*run.state().cnnX, record);

        ASSERT_TRUE(evaluate());
        EXPECT_TRUE(run.dialogs().asked().empty()) << run.dialogs().messages().join(" | ").toStdString();
        EXPECT_EQ(run.progress().values(), (std::vector<float>{0, 30, 60, 100}));

        const reference::Results ref = reference::evaluate(record);
        const Stored s = readBack(*run.state().cnnX);
        EXPECT_TRUE(s.BONEU); // the main window clears it once the page is shown
        EXPECT_EQ(s.a1.at("SRLI"), 1);
        EXPECT_NEAR(s.a1.at("DESR"), 0.1, 1e-7);

        ASSERT_EQ(s.a2.size(), record.readings.size());
        for (std::size_t i = 0; i < s.a2.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(s.a2[i].I1, int(i));
            expectRelative(s.a2[i].WU, ref.points.WU[i], 2e-6, "WU");
            expectRelative(s.a2[i].RHDU, ref.points.RHDU[i], 2e-6, "RHDU");
            expectRelative(s.a2[i].W, ref.points.W[i], 2e-6, "W");
            expectRelative(s.a2[i].RHD, ref.points.RHD[i], 2e-6, "RHD");
        }
        expectRelative(s.a1.at("RHPR"), ref.RHPR, 2e-6, "RHPR");
        expectRelative(s.a1.at("WPR"), ref.WPR, 2e-6, "WPR");
        expectRelative(s.a1.at("RHPRU"), ref.RHPRU, 2e-6, "RHPRU");
        expectRelative(s.a1.at("WPRU"), ref.WPRU, 2e-6, "WPRU");
        expectRelative(s.a1.at("RHS"), ref.RHS, 2e-6, "RHS");
        EXPECT_NEAR(s.a1.at("WUDPR"), ref.WUDPR, 1e-6);
        EXPECT_NEAR(s.a1.at("WODPR"), ref.WODPR, 1e-6);

        if (!ref.curves) {
            for (const QString& column : CURVE_RESULTS)
                EXPECT_EQ(s.a1.at(column), 0.0) << column.toStdString();
        } else {
            EXPECT_NEAR(s.a1.at("RHPRSP"), ref.RHPRSP, 5e-6);
            EXPECT_NEAR(s.a1.at("RHPRUSP"), ref.RHPRUSP, 5e-6);
            // The optimum is the abscissa of a highest sample (neighbours may differ by rounding only).
            const auto atHighestSample = [](double w, const auto& xs, const auto& ys, double top) {
                for (int k = 0; k < 72; ++k)
                    if (std::fabs(xs[k] - w) < 1e-7 && ys[k] >= top - 5e-6) return true;
                return false;
            };
            EXPECT_TRUE(atHighestSample(s.a1.at("WPRSP"), ref.XK, ref.YK, ref.RHPRSP)) << s.a1.at("WPRSP");
            EXPECT_TRUE(atHighestSample(s.a1.at("WPRUSP"), ref.XU, ref.YU, ref.RHPRUSP)) << s.a1.at("WPRUSP");
            EXPECT_NEAR(s.a1.at("WUDPRSP"), ref.WUDPRSP, 1e-5);
            EXPECT_NEAR(s.a1.at("WODPRSP"), ref.WODPRSP, 1e-5);
        }
        if (record.DPR == 0) {
            for (const char* column : {"WUDPR", "WODPR", "WUDPRSP", "WODPRSP"})
                EXPECT_EQ(s.a1.at(column), 0.0);
        }
        if (record.UE == 0) {
            // Without oversize the corrected results are the tested fraction's, to the bit.
            EXPECT_EQ(s.a1.at("RHPR"), s.a1.at("RHPRU"));
            EXPECT_EQ(s.a1.at("WPR"), s.a1.at("WPRU"));
            EXPECT_EQ(s.a1.at("RHPRSP"), s.a1.at("RHPRUSP"));
            EXPECT_EQ(s.a1.at("WPRSP"), s.a1.at("WPRUSP"));
            EXPECT_EQ(s.a1.at("RHS"), double(record.RHSU));
            for (const Point& p : s.a2) {
                EXPECT_EQ(p.W, p.WU);
                EXPECT_EQ(p.RHD, p.RHDU);
            }
        }
    }
}

TEST(Evaluation, AtOneHundredPerCentBothSidesMeetAtTheMaximum) {
    for (const auto& record :
         {withDegree(fixture::dryingSet(), 100), withDegree(fixture::addedWaterSet(), 100)}) {
        testsupport::TestRun run;
        fixture::store(*run.state().cnnX, record);
        ASSERT_TRUE(evaluate());
        const Stored s = readBack(*run.state().cnnX);
        EXPECT_EQ(s.a1.at("WUDPR"), s.a1.at("WPR"));
        EXPECT_EQ(s.a1.at("WODPR"), s.a1.at("WPR"));
        EXPECT_GT(s.a1.at("WPR"), s.a2.front().W);
        EXPECT_LT(s.a1.at("WPR"), s.a2.back().W);
    }
}

TEST(Evaluation, EqualMaximaAndFallingCurvesKeepTheFirst) {
    testsupport::TestRun run;
    // Readings 1 and 3 have the same dry density, exactly.
    fixture::store(*run.state().cnnX, fixture::exactDensities({1900, 2000, 1950, 2000, 1900}), 1);
    // Falling densities: the highest curve sample is the first.
    fixture::store(*run.state().cnnX, fixture::exactDensities({2000, 1950, 1900, 1850}), 2);

    run.state().cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 1)"));
    ASSERT_TRUE(evaluate());
    Stored s = readBack(*run.state().cnnX, 1);
    ASSERT_EQ(s.a2[1].RHD, s.a2[3].RHD);
    EXPECT_EQ(s.a1.at("RHPR"), s.a2[1].RHD);
    EXPECT_EQ(s.a1.at("WPR"), 0.125);
    EXPECT_EQ(s.a1.at("WPRU"), 0.125);

    run.state().cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 2)"));
    ASSERT_TRUE(evaluate());
    s = readBack(*run.state().cnnX, 2);
    EXPECT_EQ(s.a1.at("RHPRSP"), s.a2[0].RHD);
    EXPECT_EQ(s.a1.at("WPRSP"), 0.0625);
    EXPECT_EQ(s.a1.at("WPRUSP"), 0.0625);
    EXPECT_EQ(s.a1.at("WUDPR"), 0.0); // the falling polyline has no dry side
    EXPECT_TRUE(run.dialogs().asked().empty());
}

TEST(Evaluation, AFlatSegmentOnTheThresholdCrossesItAtItsFirstPoint) {
    // Two neighbours exactly at the threshold: the line meets the polyline along the flat segment between
    // them, whose crossing is its first point. No division by zero, no box.
    const struct {
        const char* name;
        std::vector<float> dryMasses;
        float DPR;
        int first, dry, wet; // the first reading on the threshold, the readings of the two results
    } cases[] = {
        // The wet side is the last segment falling through the threshold, which starts at reading 2.
        {"at the maximum, 100 %", {1900, 2000, 2000, 1900}, 100, 1, 1, 2},
        // The flat segment is the last one on either side.
        {"the last two readings at half the maximum", {2000, 1500, 1000, 1000}, 50, 2, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run;
        fixture::store(*run.state().cnnX, withDegree(fixture::exactDensities(c.dryMasses), c.DPR));
        ASSERT_TRUE(evaluate());
        EXPECT_TRUE(run.dialogs().asked().empty()) << run.dialogs().messages().join(" | ").toStdString();
        const Stored s = readBack(*run.state().cnnX);
        ASSERT_EQ(s.a2[c.first].RHD, s.a2[c.first + 1].RHD);
        ASSERT_EQ(float(double(c.DPR) / 100.0 * float(s.a1.at("RHPR"))), s.a2[c.first].RHD);
        EXPECT_EQ(s.a1.at("WUDPR"), double(s.a2[c.dry].W));
        EXPECT_EQ(s.a1.at("WODPR"), double(s.a2[c.wet].W));
        EXPECT_NE(s.a1.at("WUDPR"), 0.0);
    }
}

TEST(Evaluation, AReadingThatIsNoNumberRefusesTheRecordNamingReadingAndColumn) {
    const struct {
        const char* name;
        const char* sql; // what was stored in place of a reading
        QString message;
        QString language = QStringLiteral("de");
    } cases[] = {
        {"a word", "UPDATE E3 SET M1 = 'abc' WHERE I1 = 2",
         "Messung Nr. 2: Der Wert „abc“ in der Spalte M1 ist keine lesbare Zahl; bitte die Eingabewerte "
         "prüfen."},
        {"not a number", "UPDATE E3 SET M2W = 'NaN' WHERE I1 = 4",
         "Messung Nr. 4: Der Wert „NaN“ in der Spalte M2W ist keine lesbare Zahl; bitte die Eingabewerte "
         "prüfen."},
        {"a decimal comma where the point is the decimal sign", "UPDATE E3 SET HS = '1,5' WHERE I1 = 0",
         "Reading no. 0: the value \"1,5\" in column HS is not a readable number; please check the input "
         "values.",
         "en"},
        {"beyond the Single range", "UPDATE E3 SET MCW = 1e39 WHERE I1 = 5",
         "Messung Nr. 5: Der Wert „1E+39“ in der Spalte MCW ist keine lesbare Zahl; bitte die Eingabewerte "
         "prüfen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run(
            {c.language, c.language == "en" ? QStringLiteral(".") : QStringLiteral(",")});
        auto& db = *run.state().cnnX;
        fixture::store(db, fixture::dryingSet());
        addEarlierPoints(db, 2);
        db.Execute(QString::fromUtf8(c.sql));
        const Stored before = readBack(db);
        run.dialogs().answerAllMessages(OK);

        EXPECT_FALSE(evaluate());
        ASSERT_EQ(run.dialogs().asked().size(), 1u) << run.dialogs().messages().join(" | ").toStdString();
        EXPECT_EQ(run.dialogs().asked()[0].prompt, c.message);
        EXPECT_EQ(run.dialogs().asked()[0].style, platform::Msg::OKOnly | platform::Msg::Exclamation);
        EXPECT_EQ(readBack(db), before);
        EXPECT_TRUE(before.BONEU);
    }
}

TEST(Evaluation, FortyThousandReadingsAreTooManyNotAnOverflow) {
    testsupport::TestRun run;
    auto& db = *run.state().cnnX;
    fixture::store(db, firstReadings(fixture::dryingSet(), 0));
    db.Execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39999) "
                       "INSERT INTO E3 (ID, I1, M1, HS, M1W, M2W, MCW) "
                       "SELECT 1, i, 3000, 0.47, 250, 230, 40 FROM n"));
    EXPECT_FALSE(evaluate());
    EXPECT_EQ(run.dialogs().messages(),
              QStringList{"Der Datensatz enthält 40000 Messungen; ausgewertet werden können höchstens 72."});
}

struct RefusalCase {
    const char* name;
    std::function<fixture::Record()> make;
    QString message;
    std::vector<float> progress;
    QString language = QStringLiteral("de");
};

fixture::Record change(fixture::Record r, const std::function<void(fixture::Record&)>& edit) {
    edit(r);
    return r;
}

TEST(Evaluation, RefusesARecordThatCannotBeEvaluatedAndWritesNothing) {
    const RefusalCase cases[] = {
        {"no readings",
         [] { return firstReadings(fixture::dryingSet(), 0); },
         "Der Datensatz enthält keine Messungen und kann nicht ausgewertet werden.",
         {0}},
        {"no readings, English",
         [] { return firstReadings(fixture::dryingSet(), 0); },
         "The record holds no readings and cannot be evaluated.",
         {0},
         "en"},
        {"seventy-three readings",
         [] { return fixture::smoothCurve(73); },
         "Der Datensatz enthält 73 Messungen; ausgewertet werden können höchstens 72.",
         {0}},
        {"a reading number missing",
         [] {
             return change(fixture::dryingSet(), [](auto& r) {
                 for (int i = 2; i < 6; ++i)
                     r.readings[i].number = i + 1;
             });
         },
         "Die Messung Nr. 2 fehlt; die Messungen müssen von 0 bis 5 numeriert sein.",
         {0}},
        {"a reading number twice",
         [] {
             return change(firstReadings(fixture::dryingSet(), 3), [](auto& r) { r.readings[2].number = 1; });
         },
         "Die Messung Nr. 2 fehlt; die Messungen müssen von 0 bis 2 numeriert sein.",
         {0}},
        {"zero volume",
         [] { return change(fixture::dryingSet(), [](auto& r) { r.readings[2].HS = 13.2f; }); },
         "Messung Nr. 2: Das Probenvolumen V = 0,00 cm³ ist nicht größer als 0 (dc = 10,00 cm, hc = 12,00 "
         "cm, "
         "h'' = 1,20 cm, h' = 13,20 cm).",
         {0, 30}},
        {"negative volume, English",
         [] { return change(fixture::dryingSet(), [](auto& r) { r.readings[0].HS = 20.0f; }); },
         "Reading no. 0: the specimen volume V = -534.07 cm³ is not greater than 0 (dc = 10.00 cm, hc = "
         "12.00 "
         "cm, h'' = 1.20 cm, h' = 20.00 cm).",
         {0, 30},
         "en"},
        {"no cylinder",
         [] { return change(fixture::dryingSet(), [](auto& r) { r.DC = 0; }); },
         "Messung Nr. 0: Das Probenvolumen V = 0,00 cm³ ist nicht größer als 0 (dc = 0,00 cm, hc = 12,00 cm, "
         "h'' = 1,20 cm, h' = 0,47 cm).",
         {0, 30}},
        {"dry sub-sample as heavy as its tray",
         [] { return change(fixture::dryingSet(), [](auto& r) { r.readings[1].M2W = 40.0f; }); },
         "Messung Nr. 1: Die trockene Teilprobe m2,w = 40,00 g wiegt so viel wie die Schale mc,w; der "
         "Wassergehalt kann nicht berechnet werden.",
         {0, 30}},
        {"wet sub-sample as heavy as its tray",
         [] { return change(fixture::dryingSet(), [](auto& r) { r.readings[4].M1W = 40.0f; }); },
         "Messung Nr. 4: Der Wassergehalt w = -100,00 % ergibt 1 + w = 0; die Trockendichte kann nicht "
         "berechnet werden.",
         {0, 30}},
        {"added water without dry mass",
         [] { return change(fixture::addedWaterSet(), [](auto& r) { r.MSG = 0; }); },
         "Die Trockenmasse ms,g = 0,00 g ergibt mit mz = 200,00 g den Nenner 0; der Wassergehalt kann nicht "
         "berechnet werden.",
         {0, 30}},
        {"added water, nothing but the accessories",
         [] { return change(fixture::addedWaterSet(), [](auto& r) { r.readings[3].M1 = r.MC + r.MZ; }); },
         "Messung Nr. 3: Der Wassergehalt w = -100,00 % ergibt 1 + w = 0; die Trockendichte kann nicht "
         "berechnet werden.",
         {0, 30}},
        {"a density beyond single precision",
         [] {
             return change(fixture::dryingSet(), [](auto& r) {
                 r.MC = -3.0e38f;
                 r.readings[2].M1 = 3.0e38f;
             });
         },
         "Messung Nr. 2: Die Trockendichte ρd ist keine endliche Zahl (Überlauf); bitte die Eingabewerte "
         "prüfen.",
         {0, 30}},
        {"a grain density beyond single precision",
         [] {
             return change(fixture::dryingSet(), [](auto& r) {
                 r.UE = -50;
                 r.RHSU = 3.0e38f;
             });
         },
         "Das Ergebnis RHS ist keine endliche Zahl (Überlauf); die Auswertung wird nicht gespeichert.",
         {0, 30, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run(
            {c.language, c.language == "en" ? QStringLiteral(".") : QStringLiteral(",")});
        fixture::store(*run.state().cnnX, c.make());
        addEarlierPoints(*run.state().cnnX, 2);
        const Stored before = readBack(*run.state().cnnX);

        EXPECT_FALSE(evaluate());
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        const auto& box = run.dialogs().asked()[0];
        EXPECT_EQ(box.prompt, c.message);
        EXPECT_EQ(box.style, platform::Msg::OKOnly | platform::Msg::Exclamation);
        EXPECT_EQ(box.title, c.language == "en" ? QStringLiteral("Evaluate/Calculate First")
                                                : QStringLiteral("Auswerten/Neuberechnen"));
        EXPECT_EQ(run.progress().values(), c.progress);
        EXPECT_EQ(readBack(*run.state().cnnX), before);
    }
}

TEST(Evaluation, ReadingsOutOfOrderStoreThePointsWithoutCurve) {
    struct Case {
        const char* name;
        std::function<void(fixture::Record&)> edit;
        QString lines;
    };
    const Case cases[] = {
        {"two readings swapped", [](auto& r) { std::swap(r.readings[1], r.readings[2]); },
         "Nr. 1 (w = 12,00 %) → Nr. 2 (w = 9,90 %)"},
        {"a water content repeated", [](auto& r) { r.readings[3].M1W = r.readings[2].M1W; },
         "Nr. 2 (w = 12,00 %) → Nr. 3 (w = 12,00 %)"},
        {"falling throughout", [](auto& r) { std::reverse(r.readings.begin(), r.readings.begin() + 3); },
         "Nr. 0 (w = 12,00 %) → Nr. 1 (w = 9,90 %)\nNr. 1 (w = 9,90 %) → Nr. 2 (w = 8,10 %)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run;
        const fixture::Record record = change(fixture::dryingSet(), c.edit);
        fixture::store(*run.state().cnnX, record);

        ASSERT_TRUE(evaluate());
        EXPECT_EQ(run.dialogs().messages(),
                  QStringList{"Die Wassergehalte der Messungen steigen nicht streng an:\n" + c.lines +
                              "\nEine Ausgleichskurve (Spline) wird nicht berechnet; gespeichert werden die "
                              "Ergebnisse der Messpunkte."});
        const Stored s = readBack(*run.state().cnnX);
        for (const QString& column : CURVE_RESULTS)
            EXPECT_EQ(s.a1.at(column), 0.0) << column.toStdString();
        const reference::Results ref = reference::evaluate(record);
        expectRelative(s.a1.at("RHPR"), ref.RHPR, 2e-6, "RHPR");
        expectRelative(s.a1.at("WPR"), ref.WPR, 2e-6, "WPR");
        EXPECT_NEAR(s.a1.at("WUDPR"), ref.WUDPR, 1e-6);
        EXPECT_NEAR(s.a1.at("WODPR"), ref.WODPR, 1e-6);
        EXPECT_EQ(s.a2.size(), record.readings.size());
        EXPECT_EQ(run.progress().values(), (std::vector<float>{0, 30, 60, 100}));
    }
}

TEST(Evaluation, ThePointsAreExactlyTheReadingsWhateverAnEarlierEvaluationLeft) {
    struct Case {
        const char* name;
        std::vector<int> earlier; // the numbers of the A2 rows before the evaluation
    };
    const Case cases[] = {
        {"none", {}},
        {"the same readings", {0, 1, 2, 3, 4}},
        {"more readings", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"fewer readings", {0, 1, 2}},
        {"a gap", {0, 1, 3, 4, 5, 6}},
        {"a number twice", {0, 0, 1, 2, 3, 4}},
        {"not from 0", {1, 2, 3, 4, 5}},
    };
    const fixture::Record record = firstReadings(fixture::dryingSet(), 5);
    const reference::Results ref = reference::evaluate(record);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TestRun run;
        fixture::store(*run.state().cnnX, record);
        for (int number : c.earlier) {
            run.state().cnnX->Execute(
                QStringLiteral("INSERT INTO A2 (ID, I1, WU, RHDU, W, RHD) VALUES (1, ?, 0.5, 0.5, 0.5, 0.5)"),
                {Variant(std::int16_t(number))});
        }
        ASSERT_TRUE(evaluate());
        const Stored s = readBack(*run.state().cnnX);
        ASSERT_EQ(s.a2.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(s.a2[i].I1, i);
            expectRelative(s.a2[i].WU, ref.points.WU[i], 2e-6, "WU");
            expectRelative(s.a2[i].RHD, ref.points.RHD[i], 2e-6, "RHD");
        }
    }
}

TEST(Evaluation, AFailingWriteLeavesTheEarlierResults) {
    testsupport::TestRun run;
    auto& c = *run.state().cnnX;
    fixture::store(c, fixture::dryingSet());
    c.Execute(QStringLiteral("UPDATE A1 SET RHPR = 1.5, WPR = 0.1, BONEU = 0 WHERE ID = 1"));
    addEarlierPoints(c, 2);
    // The fourth point can't be stored.
    c.Execute(QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON A2 WHEN NEW.I1 = 3 "
                             "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const Stored before = readBack(c);

    EXPECT_FALSE(evaluate());
    EXPECT_EQ(readBack(c), before);
    EXPECT_EQ(run.dialogs().asked().size(), 1u); // the table cursor's own message
    EXPECT_EQ(run.progress().values(), (std::vector<float>{0, 30, 60}));
}

TEST(Evaluation, AFailingFitAsksOnceAndCancelWritesNothing) {
    // Water contents of a few 1e-18 rise strictly but leave the fit no usable pivot.
    const auto tiny = [] {
        return change(firstReadings(fixture::dryingSet(), 4), [](auto& r) {
            for (int i = 0; i < 4; ++i) {
                r.readings[i].M2W = 0;
                r.readings[i].MCW = -100;
                r.readings[i].M1W = float(i) * 1e-16f;
            }
        });
    };
    {
        testsupport::TestRun run;
        fixture::store(*run.state().cnnX, tiny());
        const Stored before = readBack(*run.state().cnnX);
        run.dialogs().answer(Cancel);
        EXPECT_FALSE(evaluate());
        EXPECT_EQ(run.dialogs().messages(), QStringList{"Fehler bei SPLINE: Error"});
        EXPECT_EQ(readBack(*run.state().cnnX), before);
    }
    {
        testsupport::TestRun run;
        fixture::store(*run.state().cnnX, tiny());
        run.dialogs().answerAllMessages(OK);
        EXPECT_TRUE(evaluate());
        // One message for each of the two curves, not one per sample.
        EXPECT_EQ(run.dialogs().messages(),
                  (QStringList{"Fehler bei SPLINE: Error", "Fehler bei SPLINE: Error"}));
        EXPECT_EQ(readBack(*run.state().cnnX).a2.size(), 4u);
    }
}

TEST(Evaluation, AnErrorBoxEndsTheEvaluationWithoutStoringWhateverTheAnswer) {
    for (int answer : {OK, Cancel}) {
        SCOPED_TRACE(answer);
        testsupport::TestRun run;
        auto& c = *run.state().cnnX;
        fixture::store(c, fixture::dryingSet());
        c.Execute(QStringLiteral("UPDATE E2 SET DC = 'zehn' WHERE ID = 1"));
        const Stored before = readBack(c);
        run.dialogs().answerAllMessages(answer);

        EXPECT_FALSE(evaluate());
        ASSERT_EQ(run.dialogs().asked().size(), 1u);
        // A stored value that does not convert is the table cursor's failed read, with its message.
        EXPECT_EQ(run.dialogs().asked()[0].prompt,
                  QStringLiteral("Wert zehn kann nicht aus der Spalte DC der Tabelle E2 eingelesen werden!"));
        EXPECT_EQ(run.dialogs().asked()[0].title, QStringLiteral("Datenfehler"));
        EXPECT_EQ(readBack(c), before);
    }
}

} // namespace
