#include "gui/MainFrameDialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>

#include "gui/CHydroDoc.h"
#include "gui/CMessageBox.h"
#include "project/ProjectReports.h"

namespace dralun::mainframe {

int Ask(const CMainFrame::ModalRunner& run, QWidget* parent, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    CMessageBox box(QMessageBox::Question, QStringLiteral("Dralun"), text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Yes, "&Ja"}, {QMessageBox::No, "&Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [button, name] : names)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(name));
    box.setDefaultButton(defaultButton);
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return run(box);
}

QString SuggestedName(const CHydroDoc& doc, const QString& suffix)
{
    const QString base = doc.PathName().isEmpty() ? QStringLiteral("Projekt") : QFileInfo(doc.PathName()).completeBaseName();
    return base + suffix;
}

QString ProjectName(const CHydroDoc& doc)
{
    const std::string project = ProjectHead(doc.Project()).project;
    return project.empty() ? SuggestedName(doc, {}) : Q(project);
}

QString WithSuffix(QString path, const QString& suffix)
{
    if (QFileInfo(path).suffix().isEmpty())
        path += suffix;
    return path;
}

void FitFileDialog(QFileDialog& dialog)
{
    const QFontMetrics metrics = dialog.fontMetrics();
    dialog.resize(metrics.horizontalAdvance(QLatin1Char('0')) * 110, metrics.height() * 32);
    if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

} // namespace dralun::mainframe
