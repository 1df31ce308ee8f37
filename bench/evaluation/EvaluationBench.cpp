// The evaluation of a stored record through the table cursor, beside the least that any program must do for
// it: find the active record, read its inputs and write its results with raw SQLite, statements prepared once
// outside the timed loop, in one transaction, rows updated in place. Prints both, their ratio and the commits
// of one evaluation.
#include "clsBERECHNEN.h"
#include "CommitCounter.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "RecordFixture.h"
#include "Schema.h"

#include "../MedianReporter.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A project database holding one active record of n readings, and the run state the evaluation works in.
class Project {
public:
    explicit Project(int n) : record_(fixture::smoothCurve(n)) {
        schema::create(schema::Database::Project, dir_.filePath(QStringLiteral("TAMBRIN.mdb")));
        state_.cnnX = std::make_shared<platform::Connection>();
        state_.cnnX->Open(dir_.filePath(QStringLiteral("TAMBRIN.mdb")));
        state_.setDialogs(&dialogs_);
        state_.setProgressBar(&bar_);
        state_.install();
        fixture::store(*state_.cnnX, record_);
    }
    ~Project() {
        state_.uninstall();
        state_.cnnX->Close();
    }
    sqlite3* db() const { return state_.cnnX->handle(); }
    platform::Connection& connection() const { return *state_.cnnX; }
    // Weighs the first reading 5 g heavier or as it was, so that every evaluation stores other results
    // (a database skips rewriting values that did not change).
    void changeReading(bool heavier) {
        state_.cnnX->Execute(QStringLiteral("UPDATE E3 SET M1 = ? WHERE ID = 1 AND I1 = 0"),
                             {platform::Variant(record_.readings[0].M1 + (heavier ? 5.0f : 0.0f))});
        bar_.clear();
    }

private:
    fixture::Record record_;
    QTemporaryDir dir_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingProgressBar bar_;
    platform::RunState state_;
};

void evaluate() {
    clsBERECHNEN evaluation;
    if (!evaluation.BERECHNUNG()) throw std::runtime_error("the evaluation failed");
}

void BM_BERECHNUNG(benchmark::State& state) {
    Project project(int(state.range(0)));
    bool heavier = false;
    for (auto _ : state) {
        state.PauseTiming();
        project.changeReading(heavier = !heavier);
        state.ResumeTiming();
        evaluate();
    }
}
BENCHMARK(BM_BERECHNUNG)->Arg(10)->Arg(72)->Unit(benchmark::kMicrosecond);

// --- The baseline ---

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    sqlite3_stmt* operator*() const { return stmt_; }
    bool step() {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw std::runtime_error("step failed");
        return rc == SQLITE_ROW;
    }
    void reset() { sqlite3_reset(stmt_); }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// The thirteen results and the points as the evaluation stored them.
struct Results {
    std::vector<double> a1;
    std::vector<std::vector<double>> a2;
};

const char* const A1_COLUMNS =
    "RHPR, WPR, RHPRSP, WPRSP, RHPRU, WPRU, RHPRUSP, WPRUSP, WUDPR, WODPR, WUDPRSP, "
    "WODPRSP, RHS";

Results storedResults(Project& project, bool heavier) {
    project.changeReading(heavier);
    evaluate();
    Results r;
    Statement a1(project.db(), (std::string("SELECT ") + A1_COLUMNS + " FROM A1 WHERE ID = 1").c_str());
    a1.step();
    for (int i = 0; i < 13; ++i)
        r.a1.push_back(sqlite3_column_double(*a1, i));
    Statement a2(project.db(), "SELECT I1, WU, RHDU, W, RHD FROM A2 WHERE ID = 1 ORDER BY I1");
    while (a2.step()) {
        std::vector<double> row;
        for (int i = 0; i < 5; ++i)
            row.push_back(sqlite3_column_double(*a2, i));
        r.a2.push_back(row);
    }
    return r;
}

// The raw program's statements, prepared once.
struct RawStatements {
    explicit RawStatements(sqlite3* db)
        : active(db, "SELECT ID FROM E1 WHERE AKT = 1"),
          e2(db, "SELECT KENW, DC, HC, MC, H2S, RHSU, UE, RHSUE, WUE, MSG, MZ, DPR FROM E2 WHERE ID = ?"),
          e3(db, "SELECT I1, M1, HS, M1W, M2W, MCW, M1R FROM E3 WHERE ID = ? ORDER BY I1"),
          a1(db, "UPDATE A1 SET RHPR = ?, WPR = ?, RHPRSP = ?, WPRSP = ?, RHPRU = ?, WPRU = ?, RHPRUSP = ?, "
                 "WPRUSP = ?, WUDPR = ?, WODPR = ?, WUDPRSP = ?, WODPRSP = ?, RHS = ? WHERE ID = ?"),
          a2(db, "UPDATE A2 SET WU = ?, RHDU = ?, W = ?, RHD = ? WHERE ID = ? AND I1 = ?"),
          begin(db, "SAVEPOINT raw"), release(db, "RELEASE raw") {}
    Statement active, e2, e3, a1, a2, begin, release;
};

// Finds the active record, reads its E2 and E3 rows and writes A1 and A2 in one transaction.
double rawEvaluation(RawStatements& s, const Results& results) {
    double sum = 0; // keeps the reads from being optimised away
    s.begin.reset();
    s.begin.step();
    s.active.reset();
    const int id = s.active.step() ? sqlite3_column_int(*s.active, 0) : 0;
    s.e2.reset();
    sqlite3_bind_int(*s.e2, 1, id);
    if (s.e2.step())
        for (int i = 0; i < 12; ++i)
            sum += sqlite3_column_double(*s.e2, i);
    s.e3.reset();
    sqlite3_bind_int(*s.e3, 1, id);
    while (s.e3.step())
        for (int i = 0; i < 7; ++i)
            sum += sqlite3_column_double(*s.e3, i);
    s.a1.reset();
    for (int i = 0; i < 13; ++i)
        sqlite3_bind_double(*s.a1, i + 1, results.a1[i]);
    sqlite3_bind_int(*s.a1, 14, id);
    s.a1.step();
    for (const auto& row : results.a2) {
        s.a2.reset();
        for (int i = 1; i < 5; ++i)
            sqlite3_bind_double(*s.a2, i, row[i]);
        sqlite3_bind_int(*s.a2, 5, id);
        sqlite3_bind_int(*s.a2, 6, int(row[0]));
        s.a2.step();
    }
    s.release.reset();
    s.release.step();
    return sum;
}

void BM_RawSQLite(benchmark::State& state) {
    Project project(int(state.range(0)));
    const Results results[] = {storedResults(project, false), storedResults(project, true)};
    RawStatements statements(project.db());
    bool heavier = false;
    for (auto _ : state) {
        state.PauseTiming();
        project.changeReading(heavier = !heavier);
        state.ResumeTiming();
        benchmark::DoNotOptimize(rawEvaluation(statements, results[heavier]));
    }
}
BENCHMARK(BM_RawSQLite)->Arg(10)->Arg(72)->Unit(benchmark::kMicrosecond);

// The commits of one evaluation of a record of 72 readings.
int commitsOfOneEvaluation() {
    Project project(72);
    project.changeReading(true);
    testsupport::CommitCounter counter(project.connection());
    evaluate();
    return counter.commits();
}

} // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const MedianReporter& reporter) {
        for (const char* n : {"10", "72"}) {
            const auto evaluation = reporter.medians.find(std::string("BM_BERECHNUNG/") + n);
            const auto raw = reporter.medians.find(std::string("BM_RawSQLite/") + n);
            if (evaluation == reporter.medians.end() || raw == reporter.medians.end()) continue;
            const double ratio = evaluation->second / raw->second;
            std::printf("%s readings, medians: BERECHNUNG %s us, raw SQLite %s us, ratio %s (goal: at most 3) %s\n",
                        n, fixed(evaluation->second, 1).c_str(), fixed(raw->second, 1).c_str(),
                        fixed(ratio, 2).c_str(), ratio <= 3 ? "met" : "MISSED");
        }
        std::printf("Commits of one evaluation of 72 readings: %d\n", commitsOfOneEvaluation());
    });
}
