#include "gui/report/ReportPreview.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "gui/CMessageBox.h"
#include "gui/SaveLocations.h"
#include "gui/report/ReportPainter.h"
#include "report/Report.h"

namespace dralun {

namespace {

QString Title(const Report& report)
{
    return QStringLiteral("Bericht %1 (Formular %2)").arg(QString::fromStdString(report.title)).arg(report.form);
}

} // namespace

void SaveReportPdf(const Report& report, const CForm& form, QWidget* parent, const ModalRunner& run)
{
    QFileDialog dialog(parent, QStringLiteral("Bericht als PDF speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF-Dateien (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // In the documents folder (or where the last report went), named after
    // the form and the structure: "Rohr – Haltung R12-R13.pdf".
    dialog.selectFile(SuggestedSavePath(SaveKind::ReportPdf, QString::fromStdString(report.title),
                                        QString::fromStdString(report.header.structure), QStringLiteral("pdf")));
    if (run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    QString error;
    // Never over a device, a FIFO or a file the user may not write.
    if (const std::string problem = OutputFileProblem(platform::PathOf(path.toStdString())); !problem.empty())
        error = QStringLiteral("Der Bericht wird nicht nach %1 geschrieben. %2").arg(path, QString::fromStdString(problem));
    else if (WriteReportPdf(report, form, path, &error))
        RememberSaveFolder(SaveKind::ReportPdf, path);
    if (!error.isEmpty()) {
        CMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"), error, QMessageBox::Ok, parent);
        run(box);
    }
}

void ShowReportPreview(const Report& report, const CForm& form, QWidget* parent, const ModalRunner& run)
{
    QPrinter printer(QPrinter::HighResolution);
    SetReportPage(printer);
    printer.setDocName(Title(report));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(Title(report));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { PrintReport(report, form, *target); });
    if (auto* tools = preview.findChild<QToolBar*>()) {
        tools->addSeparator();
        QAction* save = tools->addAction(QStringLiteral("Als PDF speichern…"));
        save->setObjectName(QStringLiteral("savePdf"));
        QObject::connect(save, &QAction::triggered, &preview,
                         [&] { SaveReportPdf(report, form, &preview, run); });
    }
    run(preview);
}

} // namespace dralun
