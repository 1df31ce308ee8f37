// The multiple-evaluation page of n evaluated records: its load as Calculate multiple runs it (the first
// calculation of a selection: defaults stored, axes fitted to every record, the header, footer, diagram,
// table and summary box drawn; the command's hold of the progress bar is not part of it), and its printing
// into a PDF file. Prints the medians and the time per record: the goal is 200 records drawn in under
// 1 s, the time growing linearly with the records.
#include "clsBERECHNEN.h"
#include "mdiMSEITE1.h"
#include "platform/db/Connection.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "RecordFixture.h"
#include "Schema.h"

#include "../MedianReporter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>

namespace {

// A project of n evaluated records, all active, with the rows the Evaluate menu makes for a multiple
// evaluation, and the run state the page works in.
class Project {
public:
    explicit Project(int n) {
        const QString path = dir_.filePath(QStringLiteral("TAMBRIN.mdb"));
        schema::create(schema::Database::Project, path);
        state_.cnnX = std::make_shared<platform::Connection>();
        state_.cnnX->Open(path);
        state_.PROJEKT = QStringLiteral("BENCH.01");
        state_.PROJEKTSPFAD = dir_.path();
        state_.BEARBEITER = QStringLiteral("Labor");
        state_.setDialogs(&dialogs_);
        state_.setProgressBar(&bar_);
        state_.install();
        platform::Connection& c = *state_.cnnX;
        for (int id = 1; id <= n; ++id) {
            fixture::Record r = fixture::dryingSet();
            r.KEN = QStringLiteral("P%1").arg(id);
            for (auto& reading : r.readings)
                reading.M1 += float(id % 10) * 12.0f;
            fixture::store(c, r, id, true);
            c.Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {platform::Variant(std::int32_t(id))});
            clsBERECHNEN evaluation;
            if (!evaluation.BERECHNUNG()) throw std::runtime_error("the evaluation failed");
        }
        c.Execute(QStringLiteral("UPDATE E1 SET AKT = 1"));
        c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM) VALUES (0, 'M', 'Mehrfachauswertung')"));
        c.Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (0, 1)"));
        state_.printer.pdfFile = dir_.filePath(QStringLiteral("Mehrfachauswertung.pdf"));
    }
    ~Project() {
        state_.uninstall();
        state_.cnnX->Close();
    }
    // A new selection: the page stores its defaults and fits its axes to every record.
    void setNew() { state_.cnnX->Execute(QStringLiteral("UPDATE A1 SET BONEU = 1 WHERE ID = 0")); }
    void check() const {
        if (!dialogs_.asked().empty())
            throw std::runtime_error("the page asked: " + dialogs_.messages().join(' ').toStdString());
    }
    QString pdf() const { return state_.printer.pdfFile; }

private:
    QTemporaryDir dir_;
    platform::ScriptedDialogs dialogs_;
    platform::RecordingProgressBar bar_;
    platform::RunState state_;
};

void BM_MehrfachBerechnen(benchmark::State& state) {
    Project project(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        project.setNew();
        auto seite = std::make_unique<mdiMSEITE1>();
        state.ResumeTiming();
        seite->Form_Load();
        state.PauseTiming();
        seite.reset();
        state.ResumeTiming();
    }
    project.check();
    state.counters["records"] = double(state.range(0));
}
BENCHMARK(BM_MehrfachBerechnen)
    ->ArgNames({"records"})
    ->Arg(2)
    ->Arg(20)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);

void BM_MehrfachDrucken(benchmark::State& state) {
    Project project(int(state.range(0)));
    mdiMSEITE1 seite;
    seite.Form_Load();
    for (auto _ : state) {
        seite.DRUCKEN();
        state.PauseTiming();
        if (!QFile::remove(project.pdf())) throw std::runtime_error("no PDF was written");
        state.ResumeTiming();
    }
    project.check();
}
BENCHMARK(BM_MehrfachDrucken)
    ->ArgNames({"records"})
    ->Arg(2)
    ->Arg(20)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const MedianReporter& reporter) {
        for (const auto& [name, ms] : reporter.medians) {
            const auto at = name.find("records:");
            const int records = at == std::string::npos ? 1 : std::stoi(name.substr(at + 8));
            std::printf("%-40s median %s ms  %s ms per record", name.c_str(), fixed(ms, 1, 8).c_str(),
                        fixed(ms / records, 2, 6).c_str());
            if (name.find("Berechnen") != std::string::npos && records == 200)
                std::printf("  (goal: under 1000 ms) %s", ms < 1000 ? "met" : "MISSED");
            std::printf("\n");
        }
    });
}
