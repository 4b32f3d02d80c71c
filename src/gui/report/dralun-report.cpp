// dralun-report FORM EREIGNIS... --out DATEI.pdf [KOPF...]: the calculation
// report of a form as a PDF file, the form driven as dralun-calc drives it.
// dralun-report --project DATEI.dralun --out DATEI.pdf: the reports of every
// calculation of a project behind its title page, as "Projekt als PDF…"
// writes them. It needs no display: on Linux, without a platform given, it
// draws offscreen; Windows draws a PDF without a window anyway.
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/FormEvents.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/ProgramStart.h"
#include "gui/report/ProjectPrint.h"
#include "gui/report/ReportPainter.h"
#include "project/ProjectFile.h"
#include "project/ProjectReports.h"

using namespace dralun;

namespace {

const char* const kUsage =
    "Aufruf:\n"
    "  dralun-report FORM EREIGNIS... --out DATEI.pdf [KOPF...] [--dezimalpunkt]\n"
    "  dralun-report --project PROJEKT.dralun --out DATEI.pdf [KOPF...] [--dezimalpunkt]\n"
    "\n"
    "FORM und die Ereignisse wie bei dralun-calc (dralun-calc --help); danach wird\n"
    "einmal \"Rechne\" gedrückt, außer mit --no-compute, und der Bericht als PDF\n"
    "geschrieben, die Zahlen mit Dezimalkomma (mit --dezimalpunkt mit Punkt).\n"
    "--inflow A:PSI[,A:PSI...] --rain R wie bei dralun-calc: der Zufluss aus dem\n"
    "Einzugsgebiet, mit seinen Schritten im Bericht.\n"
    "Mit --project wird jede Berechnung des Projekts neu gerechnet und das ganze\n"
    "Projekt geschrieben: Titelseite mit der Liste der Berechnungen, dann ihre\n"
    "Berichte; am Ende der Block zum Unterschreiben. --kurz schreibt jeden Bericht\n"
    "als Kurzfassung.\n";

int Usage(const std::string& message)
{
    std::fprintf(stderr, "dralun-report: %s\n", message.c_str());
    return 2;
}

// A PDF goes only to a regular file the user may write or to a new name,
// never over a device, a FIFO or the project it is made from. A refused
// name ends the run like a file that cannot be written (status 1).
bool TargetRefused(const std::string& out, const std::string& source = {})
{
    const std::string problem =
        OutputFileProblem(platform::PathOf(out), source.empty() ? std::filesystem::path() : platform::PathOf(source));
    if (!problem.empty())
        std::fprintf(stderr, "dralun-report: Der Bericht wird nicht nach %s geschrieben. %s\n", out.c_str(),
                     problem.c_str());
    return !problem.empty();
}

// --project FILE --out FILE.pdf, in either order.
int WriteProject(const std::vector<std::string>& args)
{
    std::string project;
    std::string out;
    std::vector<std::string> rest; // the head of the print
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--project" && args[i] != "--out") {
            rest.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size())
            throw UsageError(args[i] + " ohne Datei");
        (args[i] == "--project" ? project : out) = args[i + 1];
        ++i;
    }
    const CalcOptions options = ParseOptions(rest, true);
    if (!options.events.empty() || options.help || options.json || !options.report.empty() || !options.out.empty())
        throw UsageError("zu --project gehören nur --out und der Kopf, nicht \"" +
                         (options.events.empty() ? rest.front() : options.events.front()) + "\"");
    if (out.empty())
        throw UsageError("--out DATEI.pdf fehlt");
    const ProjectRead read = LoadProjectFile(project);
    if (!read.ok) {
        std::string line = read.error;
        std::replace(line.begin(), line.end(), '\n', ' ');
        throw UsageError(line);
    }
    if (TargetRefused(out, project))
        return 1;
    CMessageLog messages; // the forms' message boxes are collected, not shown
    std::vector<UnusableEntry> unusable;
    const std::vector<ProjectReport> reports = ProjectReports(read.project, messages, &unusable);
    // The project's head, with what the options give over it.
    ReportHeader head = ProjectHead(read.project);
    const ReportHeader& given = options.header;
    for (auto [field, option] : {std::pair{&head.project, &given.project}, {&head.engineer, &given.engineer},
                                 {&head.date, &given.date}, {&head.client, &given.client},
                                 {&head.office, &given.office}, {&head.place, &given.place},
                                 {&head.number, &given.number}})
        if (!option->empty())
            *field = *option;
    head.decimalComma = given.decimalComma;
    head.shortForm = given.shortForm;
    QString error;
    if (!WriteProjectPdf(platform::TextOf(platform::PathOf(project).filename()), head, reports,
                         unusable, platform::PathOf(out), &error)) {
        std::fprintf(stderr, "dralun-report: %s\n", qPrintable(error));
        return 1;
    }
    // The PDF holds every calculation that can be used and names, on its
    // title page, one that cannot; the run does not end in success then.
    for (const UnusableEntry& entry : unusable)
        std::fprintf(stderr, "dralun-report: %s\n", UnusableLine(entry).c_str());
    return unusable.empty() ? 0 : 1;
}

// Standard output (the help text) flushed and checked before the end.
int Finish(int status)
{
    const int error = FinishCStream(stdout);
    if (error)
        std::fprintf(stderr, "%s\n", OutputFailedText("dralun-report", error).c_str());
    return StatusAfterOutput(status, error);
}

} // namespace

int main(int argc, char** argv)
{
    platform::NoErrorBoxes();
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // As the system gives them: UTF-16 on Windows, so "Prüfstraße" stays whole.
    const std::vector<std::string> args = platform::Arguments(argc, argv);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        std::fputs(kHeaderUsage, args.empty() ? stderr : stdout);
        return Finish(args.empty() ? 2 : 0);
    }
    QGuiApplication app(argc, argv);
    LoadProgramFonts();
    try {
        if (std::find(args.begin(), args.end(), "--project") != args.end())
            return Finish(WriteProject(args));
        const FormInfo* info = FindForm(args[0]);
        if (!info)
            throw UsageError("unbekanntes Formular \"" + args[0] + "\" (dralun-calc --list zeigt alle)");
        const CalcOptions options = ParseOptions(std::vector<std::string>(args.begin() + 1, args.end()), true);
        if (options.help || options.json || !options.report.empty())
            throw UsageError("--help, --json und --report gibt es nur bei dralun-calc");
        if (options.out.empty())
            throw UsageError("--out DATEI.pdf fehlt");
        if (TargetRefused(options.out))
            return Finish(1);
        CMessageLog messages; // the form's message boxes are collected, not shown
        std::unique_ptr<CForm> form = info->create(messages);
        form->Open();
        TypeInflowOptions(*form, *info, options);
        ApplyEvents(*form, options.events);
        if (options.compute)
            PressCompute(*form);
        QString error;
        if (!WriteReportPdf(BuildReport(*form, options.header), *form, platform::PathOf(options.out), &error)) {
            std::fprintf(stderr, "dralun-report: %s\n", qPrintable(error));
            return Finish(1);
        }
        return Finish(0);
    } catch (const UsageError& e) {
        return Finish(Usage(e.what()));
    }
}
