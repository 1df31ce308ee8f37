#pragma once
// The console report of Google Benchmark that also keeps the median time of every benchmark (by its name,
// and its arguments where it has any), so that a benchmark program can print them against its goals.
#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            medians[name] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> medians;
};
