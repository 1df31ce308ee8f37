#pragma once
// What every benchmark program shares: its start (the offscreen platform, nine repetitions interleaved at
// random so that a member and its baseline see the same load of a shared machine) and its report, which
// keeps every repetition's time and prints min, median and max per benchmark instead of each repetition.
// The folder the benchmarks work in is the temporary folder (TMPDIR): bench/run runs every program once on
// disk and once in a RAM folder.
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>
#include <functional>
#include <QApplication>
#include <QDir>
#include <string>
#include <vector>

// A figure with the given decimals and always a decimal point, padded on the left to width: the application
// object sets the C library's locale from the environment, in which printf's %f writes a comma.
inline std::string fixed(double value, int decimals, int width = 0) {
    std::array<char, 64> buf;
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
    std::string s(buf.data(), ec == std::errc() ? end : buf.data());
    if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), ' ');
    return s;
}

// The C library's numbers back to the point once the application object has set its locale from the
// environment: Google Benchmark's own report (CPU speed, load) is written with printf.
inline void pointForTheLibrariesReports() {
    std::setlocale(LC_NUMERIC, "C");
}

class MedianReporter : public benchmark::ConsoleReporter {
public:
    struct Spread {
        double min = 0, median = 0, max = 0;
        std::string unit;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            std::vector<double>& times = samples_[name];
            times.push_back(run.GetAdjustedRealTime());
            units_[name] = benchmark::GetTimeUnitString(run.time_unit);
            medians[name] = spread(name).median;
        }
        for (const Run& run : runs)
            if (run.error_occurred) ConsoleReporter::ReportRuns({run});
    }

    Spread spread(const std::string& name) const {
        Spread s;
        const auto found = samples_.find(name);
        if (found == samples_.end() || found->second.empty()) return s;
        std::vector<double> t = found->second;
        std::sort(t.begin(), t.end());
        const size_t n = t.size();
        s.min = t.front();
        s.max = t.back();
        s.median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
        s.unit = units_.at(name);
        return s;
    }

    // One line per benchmark: repetitions, min, median and max.
    void printSpreads() const {
        std::printf("\n%-48s %5s %12s %12s %12s\n", "benchmark", "reps", "min", "median", "max");
        for (const auto& [name, times] : samples_) {
            const Spread s = spread(name);
            std::printf("%-48s %5zu %s %-2s %s %-2s %s %-2s\n", name.c_str(), times.size(), fixed(s.min, 1, 9).c_str(),
                        s.unit.c_str(), fixed(s.median, 1, 9).c_str(), s.unit.c_str(), fixed(s.max, 1, 9).c_str(),
                        s.unit.c_str());
        }
        std::printf("\n");
    }

    // The medians by name (and arguments where there are some), in each benchmark's own unit.
    std::map<std::string, double> medians;

private:
    std::map<std::string, std::vector<double>> samples_;
    std::map<std::string, std::string> units_;
};

// The folder the benchmarks write their databases into, and whether it is held in memory.
inline void printBenchFolder() {
    const QString folder = QDir::tempPath();
    const bool ram = folder.startsWith(QLatin1String("/dev/shm")) || folder.startsWith(QLatin1String("/run/"));
    std::printf("Databases in %s (%s)\n", qPrintable(folder), ram ? "RAM folder" : "disk");
}

// Initialises Google Benchmark with nine repetitions interleaved at random, unless the command line sets
// the repetitions itself.
inline void initializeBenchmarks(int& argc, char**& argv) {
    static std::vector<char*> args;
    static std::string repetitions = "--benchmark_repetitions=9";
    static std::string interleaving = "--benchmark_enable_random_interleaving=true";
    args.assign(argv, argv + argc);
    const bool given = std::any_of(args.begin(), args.end(), [](const char* a) {
        return std::strstr(a, "--benchmark_repetitions") != nullptr;
    });
    if (!given) {
        args.push_back(repetitions.data());
        args.push_back(interleaving.data());
    }
    argc = int(args.size());
    args.push_back(nullptr);
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    printBenchFolder();
}

// The main of a benchmark program: runs the registered benchmarks under an application on the offscreen
// platform, prints min, median and max of each, then what `report` prints against the goals.
inline int runBenchmarks(int argc, char** argv, const std::function<void(const MedianReporter&)>& report = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pointForTheLibrariesReports();
    initializeBenchmarks(argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSpreads();
    if (report) report(reporter);
    benchmark::Shutdown();
    return 0;
}
