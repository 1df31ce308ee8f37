// The table cursor's transfers beside the least a program must do for them with raw SQLite on the same
// connection: a statement prepared once outside the timed loop, a write in one transaction, rows updated in
// place. Prints each pair's times and their ratio.
#include "clsDATEN.h"
#include "platform/db/Connection.h"
#include "platform/run/RunState.h"
#include "platform/runtime/SystemLocale.h"
#include "Schema.h"

#include "../MedianReporter.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <QApplication>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <string>

namespace {

constexpr int Readings = 72;
constexpr std::int32_t Record = 7;

// Every write stores new values: a row written with the values it holds costs the database nothing.

// The run the benchmarks share: a working copy with one record of 72 readings.
struct Bench {
    QTemporaryDir dir;
    platform::RunState state;
    Bench() {
        const QString path = dir.filePath(QStringLiteral("TAMBRIN.mdb"));
        schema::create(schema::Database::Project, path);
        state.cnnX = std::make_shared<platform::Connection>();
        state.cnnX->Open(path);
        state.install();
        state.cnnX->Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (7, 'Probe', 1)"));
        for (int i = 0; i < Readings; ++i)
            state.cnnX->Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1) VALUES (7, ?, ?)"),
                                {platform::Variant(std::int16_t(i)), platform::Variant(float(i))});
    }
    sqlite3* db() { return state.cnnX->handle(); }
};
Bench* bench = nullptr;

void exec(sqlite3* db, const char* sql) {
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

std::vector<float> column() {
    std::vector<float> values(Readings);
    for (int i = 0; i < Readings; ++i)
        values[size_t(i)] = 0.5f * float(i);
    return values;
}

void ColumnWrite_clsDATEN(benchmark::State& state) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = Record;
    std::vector<float> values = column();
    for (auto _ : state) {
        for (float& v : values)
            v += 1;
        if (!daten.DVTSF(QStringLiteral("M1"), values, QStringLiteral("I1")))
            state.SkipWithError("write failed");
    }
}

void ColumnWrite_SQLite(benchmark::State& state) {
    sqlite3* db = bench->db();
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE E3 SET M1=? WHERE ID=? AND I1=?", -1, &update, nullptr);
    std::vector<float> values = column();
    for (auto _ : state) {
        for (float& v : values)
            v += 1;
        exec(db, "BEGIN");
        for (int i = 0; i < Readings; ++i) {
            sqlite3_bind_double(update, 1, double(values[size_t(i)]));
            sqlite3_bind_int(update, 2, Record);
            sqlite3_bind_int(update, 3, i);
            sqlite3_step(update);
            sqlite3_reset(update);
        }
        exec(db, "COMMIT");
    }
    sqlite3_finalize(update);
}

void ColumnRead_clsDATEN(benchmark::State& state) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = Record;
    std::vector<float> values(Readings);
    for (auto _ : state) {
        if (!daten.DTVSF(QStringLiteral("M1"), values, QStringLiteral("I1")))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(values.data());
    }
}

void ColumnRead_SQLite(benchmark::State& state) {
    sqlite3* db = bench->db();
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT M1 FROM E3 WHERE ID=? ORDER BY I1", -1, &select, nullptr);
    std::vector<float> values(Readings);
    for (auto _ : state) {
        sqlite3_bind_int(select, 1, Record);
        for (size_t i = 0; sqlite3_step(select) == SQLITE_ROW && i < values.size(); ++i)
            values[i] = float(sqlite3_column_double(select, 0));
        sqlite3_reset(select);
        benchmark::DoNotOptimize(values.data());
    }
    sqlite3_finalize(select);
}

void ValueWrite_clsDATEN(benchmark::State& state) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = Record;
    float value = 0;
    for (auto _ : state) {
        value += 1;
        if (!daten.DVTS(QStringLiteral("M1"), value, QStringLiteral("I1"), std::int16_t(35)))
            state.SkipWithError("write failed");
    }
}

void ValueWrite_SQLite(benchmark::State& state) {
    sqlite3* db = bench->db();
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE E3 SET M1=? WHERE ID=? AND I1=?", -1, &update, nullptr);
    double value = 0;
    for (auto _ : state) {
        value += 1;
        exec(db, "BEGIN");
        sqlite3_bind_double(update, 1, value);
        sqlite3_bind_int(update, 2, Record);
        sqlite3_bind_int(update, 3, 35);
        sqlite3_step(update);
        sqlite3_reset(update);
        exec(db, "COMMIT");
    }
    sqlite3_finalize(update);
}

void ValueRead_clsDATEN(benchmark::State& state) {
    clsDATEN daten;
    daten.ETABELLE = QStringLiteral("E3");
    daten.ESPIDW = Record;
    float value = 0;
    for (auto _ : state) {
        if (!daten.DTVS(QStringLiteral("M1"), value, QStringLiteral("I1"), std::int16_t(35)))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void ValueRead_SQLite(benchmark::State& state) {
    sqlite3* db = bench->db();
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT M1 FROM E3 WHERE ID=? AND I1=?", -1, &select, nullptr);
    float value = 0;
    for (auto _ : state) {
        sqlite3_bind_int(select, 1, Record);
        sqlite3_bind_int(select, 2, 35);
        if (sqlite3_step(select) == SQLITE_ROW) value = float(sqlite3_column_double(select, 0));
        sqlite3_reset(select);
        benchmark::DoNotOptimize(value);
    }
    sqlite3_finalize(select);
}

BENCHMARK(ColumnWrite_clsDATEN);
BENCHMARK(ColumnWrite_SQLite);
BENCHMARK(ColumnRead_clsDATEN);
BENCHMARK(ColumnRead_SQLite);
BENCHMARK(ValueWrite_clsDATEN);
BENCHMARK(ValueWrite_SQLite);
BENCHMARK(ValueRead_clsDATEN);
BENCHMARK(ValueRead_SQLite);

} // namespace

int main(int argc, char** argv) {
    platform::SystemLocale::Override locale(QStringLiteral("de"), QStringLiteral(","));
    Bench shared;
    bench = &shared;
    return runBenchmarks(argc, argv, [](const MedianReporter& reporter) {
        std::printf("%-14s %16s %16s %8s\n", "transfer", "clsDATEN (us)", "SQLite (us)", "ratio");
        for (const char* name : {"ColumnWrite", "ColumnRead", "ValueWrite", "ValueRead"}) {
            const auto member = reporter.medians.find(std::string(name) + "_clsDATEN");
            const auto base = reporter.medians.find(std::string(name) + "_SQLite");
            if (member == reporter.medians.end() || base == reporter.medians.end()) continue;
            const double ratio = member->second / base->second;
            std::printf("%-14s %s %s %s  (goal: within 2x) %s\n", name, fixed(member->second / 1000.0, 2, 16).c_str(),
                        fixed(base->second / 1000.0, 2, 16).c_str(), fixed(ratio, 2, 8).c_str(),
                        ratio <= 2 ? "met" : "MISSED");
        }
    });
}
