// Printing from the main window: the start screen (print, preview, printer
// setup) and the reports of the whole project (preview and PDF file).
#include "gui/CMainFrame.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <filesystem>

#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "gui/CHydroDoc.h"
#include "gui/CHydroView.h"
#include "gui/MainFrameDialogs.h"
#include "gui/SaveLocations.h"
#include "gui/project/ProjectProgress.h"
#include "gui/report/CReportHeaderDlg.h"
#include "gui/report/ProjectPrint.h"
#include "gui/report/ReportPainter.h"
#include "project/ProjectReports.h"

namespace dralun {

using namespace mainframe;

void CMainFrame::OnFilePrint()
{
    QPrintDialog dialog(&m_printer, this);
    if (m_runModal(dialog) == QDialog::Accepted)
        m_view->Print(&m_printer);
}

void CMainFrame::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(QStringLiteral("Seitenansicht"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, m_view, &CHydroView::Print);
    m_runModal(preview);
}

void CMainFrame::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    m_runModal(dialog);
}

void CMainFrame::OnProjectPrint()
{
    std::vector<ProjectReport> reports;
    std::vector<UnusableEntry> unusable;
    if (!MakeProjectReports(m_doc.Project(), this, reports, unusable) || (reports.empty() && unusable.empty()))
        return;
    ReportHeader head = ProjectHead(m_doc.Project());
    head.decimalComma = ReportDecimalComma();
    ApplyKeptHead(head); // office, place and the short form
    const std::string title = m_doc.Title().toStdString();
    QPrinter printer(QPrinter::HighResolution);
    SetReportPage(printer);
    printer.setDocName(m_doc.Title());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Projekt drucken \u2013 %1").arg(m_doc.Title()));
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&](QPrinter* target) { PrintProject(title, head, reports, unusable, *target); });
    m_runModal(preview);
}

void CMainFrame::OnProjectPdf()
{
    QFileDialog dialog(this, QStringLiteral("Projekt als PDF speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(SuggestedSavePath(SaveKind::ProjectPdf, ProjectName(m_doc), {}, QStringLiteral("pdf")));
    FitFileDialog(dialog);
    if (m_runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = WithSuffix(dialog.selectedFiles().first(), QStringLiteral(".pdf"));
    // Never over a device, a FIFO, a file the user may not write or the project itself.
    const std::filesystem::path source =
        m_doc.PathName().isEmpty() ? std::filesystem::path() : platform::PathOf(m_doc.PathName().toStdString());
    if (const std::string problem = OutputFileProblem(platform::PathOf(path.toStdString()), source); !problem.empty()) {
        ShowError(QStringLiteral("Das Projekt wird nicht nach %1 geschrieben. %2").arg(path, Q(problem)));
        return;
    }
    std::vector<ProjectReport> reports;
    std::vector<UnusableEntry> unusable;
    if (!MakeProjectReports(m_doc.Project(), this, reports, unusable))
        return;
    ReportHeader head = ProjectHead(m_doc.Project());
    ApplyKeptHead(head);
    QString error;
    if (!WriteProjectPdf(m_doc.Title().toStdString(), head, reports, unusable, path, &error))
        ShowError(error);
    else
        RememberSaveFolder(SaveKind::ProjectPdf, path);
}

} // namespace dralun
