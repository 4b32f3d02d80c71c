// Opening a calculator form in its window until its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"

namespace {

using namespace dralun;

void BM_OpenWindow(benchmark::State& state, int templateId)
{
    const FormInfo* info = FindFormById(templateId);
    CMessageLog log;
    for (auto _ : state) {
        CFormWindow window(*info, nullptr, &log);
        window.show();
        benchmark::DoNotOptimize(window.grab()); // the first paint
    }
}

BENCHMARK_CAPTURE(BM_OpenWindow, orifice_171, 171)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, time_coefficient_183, 183)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, pipe_run_130, 130)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, inlet_spacing_165, 165)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenWindow, infiltration_swale_185, 185)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // offscreen chatter
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
