// The calculation report: laying out and writing the PDF of the
// infiltration swale (185) with its rainfall file, and building the report
// model of every form from its computed state.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

#include "cli/FormEvents.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/report/ReportPainter.h"
#include "report/Report.h"

namespace {

using namespace dralun;

std::unique_ptr<CForm> Computed(const FormInfo& info, IMessageSink& sink, const std::vector<std::string>& events = {})
{
    std::unique_ptr<CForm> form = info.create(sink);
    form->Open();
    ApplyEvents(*form, events);
    PressCompute(*form);
    return form;
}

void BM_WritePdf185(benchmark::State& state)
{
    CMessageLog log;
    // The rainfall series of the data directory: "N aus Datei", "Datei laden".
    const auto form = Computed(*FindFormById(185), log, {"--click", "1053", "--click", "1020"});
    const Report report = BuildReport(*form, {"Umgehung Süd", "Abschnitt 3", "Jürgen Weiß", "07.12.2026", ""});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("185.pdf"));
    for (auto _ : state) {
        QString error;
        if (!WriteReportPdf(report, *form, path, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.counters["bytes"] = static_cast<double>(QFile(path).size());
}

void BM_BuildReport(benchmark::State& state, int templateId)
{
    CMessageLog log;
    const auto form = Computed(*FindFormById(templateId), log);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReport(*form, {"Umgehung Süd", "", "", "07.12.2026", ""}));
}

void RegisterAll()
{
    benchmark::RegisterBenchmark("BM_WritePdf185", BM_WritePdf185)->Unit(benchmark::kMillisecond);
    for (const FormInfo& info : AllForms())
        benchmark::RegisterBenchmark(("BM_BuildReport/" + std::to_string(info.templateId)).c_str(), BM_BuildReport,
                                     info.templateId)
            ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The data files of the medium in a directory of the run's own.
    QTemporaryDir data;
    for (const QString& name : QDir(QStringLiteral(DRALUN_MEDIUM_DIR)).entryList(QDir::Files))
        QFile::copy(QStringLiteral(DRALUN_MEDIUM_DIR "/") + name, data.filePath(name));
    qputenv("DRALUN_DATA_DIR", data.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
