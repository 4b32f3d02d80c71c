#pragma once
// Helpers of the report tests: a computed form, and the text and fonts of a
// PDF as poppler reads them.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "cli/FormEvents.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "gui/report/ReportPainter.h"
#include "report/Report.h"

namespace dralun::test {

// The form's report with this head written as a PDF to path; path again.
inline QString WrittenPdf(const CForm& form, const ReportHeader& header, const QString& path)
{
    QString error;
    if (!WriteReportPdf(BuildReport(form, header), form, path, &error))
        qWarning("%s", qPrintable(error));
    return path;
}

// The form opened, the events applied and "Rechne" pressed, as dralun-report does.
inline std::unique_ptr<CForm> ComputedForm(const char* form, const std::vector<std::string>& events,
                                           IMessageSink& sink)
{
    std::unique_ptr<CForm> f = FindForm(form)->create(sink);
    f->Open();
    ApplyEvents(*f, events);
    PressCompute(*f);
    return f;
}

// What a program writes on standard output; *status its exit status.
inline QString Output(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    if (status)
        *status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A text without white space: pdftotext guesses the blanks from the gaps
// between the glyphs, and a line the layout broke reads as one.
inline QString Compact(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s+"))); }

// The text of a PDF, compacted.
inline QString PdfText(const QString& path)
{
    return Compact(Output(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
}

// The tests that read a PDF's text ask Linux's pdftotext, which a Windows
// program under Wine cannot start: there they are skipped, and the text of
// a PDF made by the Windows programs is compared from the Linux side
// (tools/windows-installer-check.sh).
#ifdef _WIN32
#define DRALUN_NEEDS_PDFTOTEXT() QSKIP("liest PDF-Text mit pdftotext (Linux); unter Windows von Linux aus geprüft")
#else
#define DRALUN_NEEDS_PDFTOTEXT() (void)0
#endif

// The PDF's lines as pdftotext gives them.
inline QStringList PdfLines(const QString& path)
{
    return Output(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).split(QLatin1Char('\n'));
}

} // namespace dralun::test
