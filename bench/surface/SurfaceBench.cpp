// Drawing on a screen picture: 2,000 lines and 500 texts, then the picture is read (as a repaint reads it).
// Shows what a drawing pass costs apart from the items it draws.
#include "platform/surface/ImageSurface.h"

#include "../MedianReporter.h"

#include <benchmark/benchmark.h>
#include <QApplication>

namespace {

void BM_Bildaufbau(benchmark::State& state) {
    platform::ImageSurface surface(135, 130);
    for (auto _ : state) {
        surface.Cls();
        for (int i = 0; i < 2000; ++i)
            surface.Line(float(i % 130), 0, float((i * 7) % 130), 125, long(i % 16));
        for (int i = 0; i < 500; ++i) {
            surface.setCurrentX(float(i % 100));
            surface.setCurrentY(float((i * 3) % 120));
            surface.Print(QStringLiteral("ρPr = 1,882 g/cm³"));
        }
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_Bildaufbau)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }
