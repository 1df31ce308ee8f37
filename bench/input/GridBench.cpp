// The grid editor against a bare QTableWidget that is handed the same texts: AKTUALISIEREN of a grid of
// 72 readings in 8 columns (running numbers, formats, elapsed time), and the paste of a 72 x 6 block from
// the clipboard. Prints the medians against the goals: within 3 times the bare table, under 20 ms.
#include "clsFLX.h"

#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/SystemLocale.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include "../MedianReporter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <QApplication>
#include <QClipboard>
#include <QTableWidget>
#include <stdexcept>
#include <string>

namespace {

constexpr int kZeilen = 72;

// A German run with scripted dialogs, and a shown form with one readings grid bound to its editor.
class Form {
public:
    Form() : locale_(QStringLiteral("de"), QStringLiteral(",")) {
        state_.setDialogs(&dialogs_);
        state_.install();
        fenster_.resize(900, 600);
        grid = new platform::FlexGrid(&fenster_);
        grid->setGeometry(10, 40, 800, 500);
        auto* txt = new platform::TextBox(&fenster_);
        auto* pic = new platform::PictureBox(&fenster_);
        fenster_.show();
        flx.setEFLX(grid);
        flx.setETXT(txt);
        flx.setEPIC(pic);
        flx.setELSB({10, 17, 17, 17, 17, 17, 17, 15});
        flx.setELST1({"Lfd.", "m{t,3}1,w", "m{t,3}1,f", "m{t,3}1,t", "m{t,1}B", "h'", "t", "{g,1}Dt"});
        flx.setELSTYP({1, 0, 0, 0, 0, 0, 5, 6});
        flx.setELFORMAT(
            {platform::Variant(), "#0.00", "#0.00", "#0.00", "#0.00", "#0.0", platform::Variant(), "#0.0"});
        flx.setELINDEXMIN(platform::Variant(std::int16_t(1)));
        flx.SCHRIFTEINSTELLUNGEN(QString(), 10);
        grid->setRows(1 + kZeilen);
    }
    ~Form() { state_.uninstall(); }
    void check() const {
        if (!dialogs_.asked().empty())
            throw std::runtime_error("the grid asked: " + dialogs_.messages().join(' ').toStdString());
    }

    platform::FlexGrid* grid = nullptr;
    clsFLX flx;

private:
    platform::SystemLocale::Override locale_;
    platform::ScriptedDialogs dialogs_;
    platform::RunState state_;
    QWidget fenster_;
};

// The text of reading r in column c, as typed.
QString wert(int r, int c) {
    if (c == 6)
        return QStringLiteral("%1:%2")
            .arg(8 + r / 60 % 16, 2, 10, QLatin1Char('0'))
            .arg(r % 60, 2, 10, QLatin1Char('0'));
    return QString::number(100 + r * 7 + c) + QStringLiteral(",5");
}

void BM_AKTUALISIEREN(benchmark::State& state) {
    Form form;
    for (int r = 0; r < kZeilen; ++r)
        for (int c = 1; c < 7; ++c)
            form.grid->setTextMatrix(1 + r, c, wert(r, c));
    for (auto _ : state)
        form.flx.AKTUALISIEREN();
    form.check();
}
BENCHMARK(BM_AKTUALISIEREN)->Unit(benchmark::kMillisecond);

// The first refresh of readings never seen before: every text is formatted and every time read afresh.
void BM_AKTUALISIEREN_neu(benchmark::State& state) {
    Form form;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++n;
        for (int r = 0; r < kZeilen; ++r)
            for (int c = 1; c < 7; ++c)
                form.grid->setTextMatrix(1 + r, c, wert(r + 1000 * n, c));
        state.ResumeTiming();
        form.flx.AKTUALISIEREN();
    }
    form.check();
}
BENCHMARK(BM_AKTUALISIEREN_neu)->Unit(benchmark::kMillisecond);

// The same 72 x 8 texts set into a bare table.
void BM_AKTUALISIEREN_Tabelle(benchmark::State& state) {
    Form form;
    for (int r = 0; r < kZeilen; ++r)
        for (int c = 1; c < 7; ++c)
            form.grid->setTextMatrix(1 + r, c, wert(r, c));
    form.flx.AKTUALISIEREN();
    std::vector<QString> texte;
    for (int r = 0; r < kZeilen; ++r)
        for (int c = 0; c < 8; ++c)
            texte.push_back(form.grid->TextMatrix(1 + r, c));
    QTableWidget tabelle(1 + kZeilen, 8);
    tabelle.resize(800, 500);
    tabelle.show();
    for (auto _ : state) {
        size_t i = 0;
        for (int r = 0; r < kZeilen; ++r)
            for (int c = 0; c < 8; ++c)
                tabelle.setItem(1 + r, c, new QTableWidgetItem(texte[i++]));
    }
}
BENCHMARK(BM_AKTUALISIEREN_Tabelle)->Unit(benchmark::kMillisecond);

// The block of 72 x 6 readings as a spreadsheet puts it on the clipboard; the second differs in every cell.
QString block(int n) {
    QString text;
    for (int r = 0; r < kZeilen; ++r) {
        for (int c = 1; c < 7; ++c)
            text += wert(r + n, c) + (c < 6 ? QStringLiteral("\t") : QStringLiteral("\r\n"));
    }
    return text;
}

void BM_Einfuegen(benchmark::State& state) {
    Form form;
    form.grid->setRow(1);
    form.grid->setCol(1);
    form.grid->setRowSel(kZeilen);
    form.grid->setColSel(6);
    // Two blocks by turns, so that every paste changes every cell.
    const QString bloecke[2] = {block(0), block(1)};
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QGuiApplication::clipboard()->setText(bloecke[i++ % 2]);
        state.ResumeTiming();
        form.flx.EINFUEGEN(-1);
    }
    form.check();
}
BENCHMARK(BM_Einfuegen)->Unit(benchmark::kMillisecond);

// The same 72 x 6 texts set into a bare table.
void BM_Einfuegen_Tabelle(benchmark::State& state) {
    QTableWidget tabelle(1 + kZeilen, 8);
    tabelle.resize(800, 500);
    tabelle.show();
    std::vector<QString> texte[2];
    for (int n = 0; n < 2; ++n)
        for (int r = 0; r < kZeilen; ++r)
            for (int c = 1; c < 7; ++c)
                texte[n].push_back(wert(r + n, c));
    int n = 0;
    for (auto _ : state) {
        size_t i = 0;
        const std::vector<QString>& t = texte[n++ % 2];
        for (int r = 0; r < kZeilen; ++r)
            for (int c = 1; c < 7; ++c)
                tabelle.setItem(1 + r, c, new QTableWidgetItem(t[i++]));
    }
}
BENCHMARK(BM_Einfuegen_Tabelle)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv, [](const MedianReporter& reporter) {
        for (const char* name : {"BM_AKTUALISIEREN", "BM_AKTUALISIEREN_neu", "BM_Einfuegen"}) {
            const auto editor = reporter.medians.find(name);
            const std::string bezug = std::string(name).substr(0, std::string(name).rfind("_neu")) + "_Tabelle";
            const auto tabelle = reporter.medians.find(bezug);
            if (editor == reporter.medians.end() || tabelle == reporter.medians.end()) continue;
            const double ms = editor->second, faktor = editor->second / tabelle->second;
            std::printf(
                "%-20s median %s ms, bare table %s ms, %s times (goal: under 20 ms, within 3 times) %s\n",
                name, fixed(ms, 2, 6).c_str(), fixed(tabelle->second, 2, 6).c_str(), fixed(faktor, 1).c_str(),
                ms < 20 && faktor <= 3 ? "met" : "MISSED");
        }
    });
}
