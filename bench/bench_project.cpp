// Projects: opening a project of 500 calculations (every computing form in
// turn, the infiltration swale with its rainfall file) and checking it, that
// is redoing every calculation and comparing its results.
#include <benchmark/benchmark.h>

#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"

namespace {

using namespace dralun;

const std::string& ProjectOf500()
{
    static const std::string text = [] {
        CSilentSink sink;
        std::vector<Calculation> kinds;
        for (const FormInfo& info : AllForms()) {
            std::unique_ptr<CForm> form = info.create(sink);
            if (ComputeButtonId(*form) < 0)
                continue;
            form->Open();
            if (info.templateId == 185) {
                form->Click(1053); // "N aus Datei"
                form->Click(1020); // "Datei laden"
            }
            PressCompute(*form);
            kinds.push_back(KeepCalculation(*form, {"B 27", "", "M. Muster", "", ""}));
        }
        Project project;
        for (int i = 0; i < 500; ++i)
            project.Add(kinds[static_cast<size_t>(i) % kinds.size()]);
        return ProjectText(project);
    }();
    return text;
}

void BM_Open500(benchmark::State& state)
{
    const std::string& text = ProjectOf500();
    for (auto _ : state) {
        const ProjectRead read = ReadProject(text);
        if (!read.ok || read.project.Size() != 500)
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(read.project.Size());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_Open500)->Unit(benchmark::kMillisecond);

void BM_Check500(benchmark::State& state)
{
    const ProjectRead read = ReadProject(ProjectOf500());
    CSilentSink sink;
    for (auto _ : state) {
        size_t changed = 0;
        for (const ProjectEntry& entry : read.project.Entries())
            changed += Reopen(*entry.calc, sink).changes.size();
        if (changed)
            state.SkipWithError("results differ");
    }
}
BENCHMARK(BM_Check500)->Unit(benchmark::kMillisecond);

} // namespace
