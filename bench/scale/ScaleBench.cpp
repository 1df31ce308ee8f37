// How the program's steps grow with the size of the project: projects of 10, 1,000 and 10,000 records of six
// readings each, and for each the start-up of the main window (which copies the project into the working
// copy), one table cursor (which finds the active record), the evaluation of the active record, the
// showing of its page 1 and Save (which copies the working copy back over the project), beside a raw copy
// of the working copy with a flush. Nine repetitions, the steps taken in turn; prints min, median and max
// of each and the growth per record.
#include "clsBERECHNEN.h"
#include "clsDATEN.h"
#include "frmMAIN.h"
#include "Installation.h"
#include "mdiSEITE1.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/DialogService.h"
#include "RecordFixture.h"

#include "../MedianReporter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <memory>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

using platform::Connection;
using platform::Variant;
using testsupport::Installation;

namespace {

constexpr int Repetitions = 9;

QStringList columnsOf(Connection& c, const QString& table) {
    platform::Recordset rs;
    rs.OpenForReading(QStringLiteral("SELECT [name] FROM pragma_table_info('%1')").arg(table), c);
    QStringList columns;
    for (; !rs.eof(); rs.MoveNext()) columns << rs.Value(0).asString();
    return columns;
}

// Copies record 1 with all its rows to the records 2 .. n (not active), in one transaction.
void copyRecord(const QString& database, int n) {
    Connection c;
    c.Open(database);
    Connection::Transaction t(c);
    for (const QString& table : {QStringLiteral("E1"), QStringLiteral("E2"), QStringLiteral("E3"),
                                 QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("G0")}) {
        QStringList others = columnsOf(c, table);
        others.removeAll(QStringLiteral("ID"));
        if (table == QLatin1String("E1")) {
            others.removeAll(QStringLiteral("KEN"));
            others.removeAll(QStringLiteral("AKT"));
        }
        const QString list = others.join(',');
        const QString sql =
            table == QLatin1String("E1")
                ? QStringLiteral("INSERT INTO E1 (ID, KEN, AKT, %1) SELECT ?, 'Probe ' || ?, 0, %1 FROM E1 WHERE ID = 1")
                      .arg(list)
                : QStringLiteral("INSERT INTO %1 (ID, %2) SELECT ?, %2 FROM %1 WHERE ID = 1").arg(table, list);
        for (int id = 2; id <= n; ++id) {
            const Variant v{std::int32_t(id)};
            if (table == QLatin1String("E1"))
                c.Execute(sql, {v, v});
            else
                c.Execute(sql, {v});
        }
    }
    t.commit();
}

// A copy of the file with a flush: the least a safe Save can cost.
void rawCopy(const QString& from, const QString& to) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("raw copy failed to open");
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const qint64 n = in.read(buffer.data(), qint64(buffer.size()));
        if (n <= 0) break;
        if (out.write(buffer.data(), n) != n) throw std::runtime_error("raw copy failed to write");
    }
    out.flush();
    if (::fsync(out.handle()) != 0) throw std::runtime_error("raw copy failed to flush");
}

// One project of n records and a main window running on it.
class Project {
public:
    explicit Project(int n) : n_(n) {
        examples::store(*openProject(), fixture::smoothCurve(6));
        // Record 1 evaluated and shown once, as a laboratory leaves it, then copied n - 1 times.
        start();
        evaluate();
        showPage();
        if (!inst_.window().saveProject()) throw std::runtime_error("the first Save failed");
        stop();
        copyRecord(inst_.projectDatabase(), n);
        start();
    }
    ~Project() { stop(); }

    int records() const { return n_; }
    double startUp() {
        stop();
        const auto t0 = std::chrono::steady_clock::now();
        start();
        return seconds(t0);
    }
    double cursor() {
        // One cursor is too quick to time alone: the time of a hundred, per cursor.
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < 100; ++i) {
            clsDATEN daten;
            if (daten.ESPIDW != 1) throw std::runtime_error("the cursor found no active record");
        }
        return seconds(t0) / 100;
    }
    double evaluation() {
        // Another weight of the first reading, so that the evaluation stores other results.
        heavier_ = !heavier_;
        inst_.window().cnnX->Execute(QStringLiteral("UPDATE E3 SET M1 = M1 + ? WHERE ID = 1 AND I1 = 0"),
                                     {Variant(heavier_ ? 5.0f : -5.0f)});
        const auto t0 = std::chrono::steady_clock::now();
        evaluate();
        return seconds(t0);
    }
    double page() {
        const auto t0 = std::chrono::steady_clock::now();
        showPage();
        return seconds(t0);
    }
    double save() {
        // Past 10 MB Save asks whether to compact first: the answer is No, Save alone is timed.
        const bool asks = QFileInfo(inst_.workingCopy()).size() > 10'000'000;
        if (asks) inst_.dialogs().answer(platform::Msg::No);
        const auto t0 = std::chrono::steady_clock::now();
        if (!inst_.window().saveProject()) throw std::runtime_error("Save failed");
        const double t = seconds(t0);
        if (asks) inst_.dialogs().clear();
        return t;
    }
    double rawSave() {
        const QString target = inst_.root() + QStringLiteral("/raw.mdb");
        const auto t0 = std::chrono::steady_clock::now();
        rawCopy(inst_.workingCopy(), target);
        const double t = seconds(t0);
        QFile::remove(target);
        return t;
    }
    void check() {
        if (!inst_.dialogs().asked().empty())
            throw std::runtime_error("the program asked: " + inst_.dialogs().messages().join(' ').toStdString());
    }

private:
    static double seconds(std::chrono::steady_clock::time_point t0) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    std::unique_ptr<Connection> openProject() {
        auto c = std::make_unique<Connection>();
        c->Open(inst_.projectDatabase());
        c->Execute(QStringLiteral("DELETE FROM E1"));
        return c;
    }
    void start() {
        inst_.handOver(QStringLiteral("P1"));
        inst_.start();
        if (inst_.result() != int(frmMAIN::LoadResult::Running)) throw std::runtime_error("start-up failed");
        inst_.window().setProgressHold(0);
    }
    void stop() {
        page_.reset();
        if (running()) inst_.stop();
    }
    bool running() const { return QFile::exists(inst_.workingCopy()); }
    void evaluate() {
        clsBERECHNEN evaluation;
        if (!evaluation.BERECHNUNG()) throw std::runtime_error("the evaluation failed");
    }
    void showPage() {
        page_ = std::make_unique<mdiSEITE1>();
        page_->Form_Load();
        page_.reset();
    }

    Installation inst_;
    int n_;
    bool heavier_ = false;
    std::unique_ptr<mdiSEITE1> page_;
};

struct Step {
    const char* name;
    double (Project::*run)();
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on window sizes would bury the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    printBenchFolder();
    const std::vector<int> sizes{10, 1000, 10000};
    const Step steps[] = {{"start-up", &Project::startUp}, {"one cursor", &Project::cursor},
                          {"BERECHNUNG", &Project::evaluation}, {"page 1", &Project::page},
                          {"Save", &Project::save},          {"raw copy + flush", &Project::rawSave}};
    // Seconds per step and size, one repetition after the other over every step. One installation at a time:
    // the settings store is the program's one.
    std::map<std::string, std::map<int, std::vector<double>>> times;
    for (int n : sizes) {
        Project project(n);
        for (int r = 0; r < Repetitions; ++r)
            for (const Step& step : steps) times[step.name][n].push_back((project.*step.run)());
        project.check();
    }

    std::printf("\n%-18s %8s %10s %10s %10s %12s %16s\n", "step", "records", "min ms", "median ms", "max ms",
                "x of 10", "us per record");
    for (const Step& step : steps) {
        double first = 0;
        for (int n : sizes) {
            std::vector<double> t = times[step.name][n];
            std::sort(t.begin(), t.end());
            const double median = t[t.size() / 2];
            if (n == sizes.front()) first = median;
            std::printf("%-18s %8d %s %s %s %s %s\n", step.name, n, fixed(t.front() * 1e3, 3, 10).c_str(),
                        fixed(median * 1e3, 3, 10).c_str(), fixed(t.back() * 1e3, 3, 10).c_str(),
                        fixed(median / first, 2, 12).c_str(),
                        fixed(n == sizes.front() ? 0.0 : (median - first) / (n - sizes.front()) * 1e6, 4, 16).c_str());
        }
    }
    const auto medianOf = [&](const char* step, int n) {
        std::vector<double> t = times[step][n];
        std::sort(t.begin(), t.end());
        return t[t.size() / 2];
    };
    const double flat = medianOf("BERECHNUNG", 10000) / medianOf("BERECHNUNG", 10);
    const double save = medianOf("Save", 10000) / medianOf("raw copy + flush", 10000);
    std::printf("\nBERECHNUNG at 10,000 records / at 10: %s (goal: within 1.2) %s\n", fixed(flat, 2).c_str(),
                flat <= 1.2 ? "met" : "MISSED");
    std::printf("Save / raw copy + flush at 10,000 records: %s (goal: within 1.5) %s\n", fixed(save, 2).c_str(),
                save <= 1.5 ? "met" : "MISSED");
    return 0;
}
