// Opening a calculator form in its window until its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

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

// Every form, so that a slow one shows up by its number (the target is a
// first paint within 300 ms on an office machine).
void RegisterEveryForm()
{
    for (const FormInfo& info : AllForms())
        benchmark::RegisterBenchmark(("BM_OpenWindow/" + std::to_string(info.templateId)).c_str(), BM_OpenWindow, info.templateId)
            ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // offscreen chatter
    QApplication app(argc, argv);
    RegisterEveryForm();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
