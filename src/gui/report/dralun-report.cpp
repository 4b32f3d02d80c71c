// dralun-report FORM EREIGNIS... --out DATEI.pdf [KOPF...]: the calculation
// report of a form as a PDF file, the form driven as dralun-calc drives it.
// It needs no display: without a platform given it draws offscreen.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/FormEvents.h"
#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/report/ReportPainter.h"

using namespace dralun;

namespace {

const char* const kUsage =
    "Aufruf:\n"
    "  dralun-report FORM EREIGNIS... --out DATEI.pdf [KOPF...]\n"
    "\n"
    "FORM und die Ereignisse wie bei dralun-calc (dralun-calc --help); danach wird\n"
    "einmal \"Rechne\" gedrückt, außer mit --no-compute, und der Bericht als PDF\n"
    "geschrieben.\n";

int Usage(const std::string& message)
{
    std::fprintf(stderr, "dralun-report: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        std::fputs(kHeaderUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    QGuiApplication app(argc, argv);
    try {
        const FormInfo* info = FindForm(args[0]);
        if (!info)
            throw UsageError("unbekanntes Formular \"" + args[0] + "\" (dralun-calc --list zeigt alle)");
        if (!info->create)
            throw UsageError(Format("Formular %d \"%s\" ist noch nicht verfügbar", info->templateId, info->title));
        const CalcOptions options = ParseOptions(std::vector<std::string>(args.begin() + 1, args.end()), true);
        if (options.help || options.json || !options.report.empty())
            throw UsageError("--help, --json und --report gibt es nur bei dralun-calc");
        if (options.out.empty())
            throw UsageError("--out DATEI.pdf fehlt");
        CMessageLog messages; // the form's message boxes are collected, not shown
        std::unique_ptr<CForm> form = info->create(messages);
        form->Open();
        ApplyEvents(*form, options.events);
        if (options.compute)
            PressCompute(*form);
        QString error;
        if (!WriteReportPdf(BuildReport(*form, options.header), *form, QString::fromStdString(options.out), &error)) {
            std::fprintf(stderr, "dralun-report: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    } catch (const UsageError& e) {
        return Usage(e.what());
    }
}
