// The evaluation of a stored record through the table cursor, beside the least that any program must do for
// it: read the inputs and write the results with raw SQLite in one transaction. Prints both and the ratio.
#include "clsBERECHNEN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "RecordFixture.h"
#include "Schema.h"

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
// The disk's flush of each commit varies from run to run: the medians of five runs are compared.
BENCHMARK(BM_BERECHNUNG)
    ->Arg(10)
    ->Arg(72)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

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

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

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

// Reads E2 and E3 of the record and writes A1 and A2 in one transaction.
double rawEvaluation(sqlite3* db, const Results& results) {
    double sum = 0; // keeps the reads from being optimised away
    exec(db, "SAVEPOINT raw");
    Statement e2(db, "SELECT KENW, DC, HC, MC, H2S, RHSU, UE, RHSUE, WUE, MSG, MZ, DPR FROM E2 WHERE ID = 1");
    if (e2.step())
        for (int i = 0; i < 12; ++i)
            sum += sqlite3_column_double(*e2, i);
    Statement e3(db, "SELECT I1, M1, HS, M1W, M2W, MCW, M1R FROM E3 WHERE ID = 1 ORDER BY I1");
    while (e3.step())
        for (int i = 0; i < 7; ++i)
            sum += sqlite3_column_double(*e3, i);

    Statement a1(db,
                 "UPDATE A1 SET RHPR = ?, WPR = ?, RHPRSP = ?, WPRSP = ?, RHPRU = ?, WPRU = ?, RHPRUSP = ?, "
                 "WPRUSP = ?, WUDPR = ?, WODPR = ?, WUDPRSP = ?, WODPRSP = ?, RHS = ? WHERE ID = 1");
    for (int i = 0; i < 13; ++i)
        sqlite3_bind_double(*a1, i + 1, results.a1[i]);
    a1.step();
    Statement clear(db, "DELETE FROM A2 WHERE ID = 1");
    clear.step();
    Statement a2(db, "INSERT INTO A2 (ID, I1, WU, RHDU, W, RHD) VALUES (1, ?, ?, ?, ?, ?)");
    for (const auto& row : results.a2) {
        a2.reset();
        sqlite3_bind_int(*a2, 1, int(row[0]));
        for (int i = 1; i < 5; ++i)
            sqlite3_bind_double(*a2, i + 1, row[i]);
        a2.step();
    }
    exec(db, "RELEASE raw");
    return sum;
}

void BM_RawSQLite(benchmark::State& state) {
    Project project(int(state.range(0)));
    const Results results[] = {storedResults(project, false), storedResults(project, true)};
    bool heavier = false;
    for (auto _ : state) {
        state.PauseTiming();
        project.changeReading(heavier = !heavier);
        state.ResumeTiming();
        benchmark::DoNotOptimize(rawEvaluation(project.db(), results[heavier]));
    }
}
BENCHMARK(BM_RawSQLite)
    ->Arg(10)
    ->Arg(72)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// Keeps the median time per iteration of every benchmark, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || run.run_type == Run::RT_Iteration)
                times[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* n : {"10", "72"}) {
        const auto evaluation = reporter.times.find(std::string("BM_BERECHNUNG/") + n);
        const auto raw = reporter.times.find(std::string("BM_RawSQLite/") + n);
        if (evaluation == reporter.times.end() || raw == reporter.times.end()) continue;
        std::printf(
            "%s readings, medians: BERECHNUNG %.1f us, raw SQLite %.1f us, ratio %.2f (goal: at most 3)\n", n,
            evaluation->second, raw->second, evaluation->second / raw->second);
    }
    benchmark::Shutdown();
    return 0;
}
