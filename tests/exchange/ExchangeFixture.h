#pragma once

#include "platform/db/Connection.h"
#include "TestRun.h"

#include <gtest/gtest.h>
#include <memory>
#include <QString>
#include <QStringList>

namespace exchangetest {

// What a test record carries beside its readings: whether it was evaluated, the kind of test and which
// results its page shows.
struct Kind {
    bool evaluated = true;
    bool plate = false; // with an insert plate
    int POSP = 0;       // non-zero: the page shows the spline's results
};

// Writes a record with the published readings, and when evaluated its results (A1 with display options),
// its evaluated points (A2) and its diagram settings (G0).
void storeRecord(platform::Connection& c, int id, const QString& name, const QString& comment = {},
                 const Kind& kind = {});
// Writes the multiple evaluation's row 0 ("M") with its results and diagram rows.
void storeMultiple(platform::Connection& c);

// Every row of a record in E1, E2, E3, A1, A2 and G0, by column name and without the ID, so that a copy
// compares equal with its source whatever its ID and the order of its columns.
QStringList recordRows(platform::Connection& c, int id);
// Every row of the six tables, IDs included: a database "as it was".
QStringList allRows(platform::Connection& c);
// The IDs and names of E1 in the order of the IDs, as "3 Probe A".
QStringList records(platform::Connection& c);

// Two projects and an information system in one temporary folder, with a run of the first project:
//   <dir>/TAMBRIN.mdb                          the working copy (cnnX) of the current project TEST.01
//   <dir>/projekte/TEST.01/TAMBRIN.mdb         the current project's own database
//   <dir>/projekte/ANDERES.02/TAMBRIN.mdb      another project (its connection: other())
//   <dir>/datenbank/DALMIR.mdb                 the information system, its folder the database folder
// The working copy holds the records 1 "Probe A" (comment "Sand"), 2 "Probe B", 3 "Probe C" (not
// evaluated) and the multiple evaluation's row 0; the other project holds 4 "Fremd 1" and 9 "Probe B".
class ExchangeFixture : public ::testing::Test {
protected:
    explicit ExchangeFixture(const QString& language = QStringLiteral("de"));
    void SetUp() override;
    void TearDown() override;

    platform::Connection& work() { return *run.state().cnnX; }
    platform::Connection& other();
    platform::Connection& dalmir();
    QString projects() { return run.state().PROJEKTSPFAD; }
    QString otherFolder() { return projects() + QStringLiteral("/ANDERES.02"); }
    QString ownFolder() { return projects() + QStringLiteral("/TEST.01"); }
    QString databaseFolder() { return run.dir().file(QStringLiteral("datenbank")); }
    QStringList messages() { return run.dialogs().messages(); }

    testsupport::TestRun run;

private:
    std::unique_ptr<platform::Connection> other_;
    std::unique_ptr<platform::Connection> dalmir_;
};

} // namespace exchangetest
