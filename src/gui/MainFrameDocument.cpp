// The main window's document: new, open, save, the caption, the question
// about unsaved changes, and a file changed by another program.
#include "gui/CMainFrame.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "gui/CHydroDoc.h"
#include "gui/CHydroView.h"
#include "gui/CMessageBox.h"
#include "gui/CommandTable.h"
#include "gui/KeptRainOffer.h"
#include "gui/MainFrameDialogs.h"
#include "gui/SaveLocations.h"
#include "gui/project/CProjectPanel.h"

namespace dralun {

using namespace mainframe;

void CMainFrame::UpdateCaption()
{
    setWindowTitle(m_doc.Title() + (m_doc.Modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" - Dralun"));
}

void CMainFrame::UpdateProjectCommands()
{
    bool usable = false;
    for (const ProjectEntry& entry : m_doc.Project().Entries())
        usable = usable || entry.Usable();
    m_actions[cmd::FileProjectPrint]->setEnabled(usable);
    m_actions[cmd::FileProjectPdf]->setEnabled(usable);
}

void CMainFrame::DocumentChanged()
{
    m_panel->Refresh();
    UpdateCaption();
    UpdateProjectCommands();
    if (m_doc.Modified())
        m_autosaveTimer->start();
}

void CMainFrame::DocumentReplaced()
{
    DiscardAutosave();
    m_panel->Refresh();
    UpdateCaption();
    UpdateProjectCommands();
    m_view->update();
}

void CMainFrame::NewDocument()
{
    m_doc.OnNewDocument();
    DocumentReplaced();
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    QString error;
    if (!m_doc.OnOpenDocument(path, &error)) {
        ShowError(error);
        return false;
    }
    AddRecentFile(m_doc.PathName());
    DocumentReplaced();
    const QString restored =
        OfferKeptRain(m_doc.Project(), m_runModal, this, [this](const QString& text) { ShowError(text); });
    if (!restored.isEmpty())
        statusBar()->showMessage(restored);
    return true;
}

bool CMainFrame::SaveDocument(const QString& path)
{
    QString error;
    bool changed = false;
    if (!m_doc.OnSaveDocument(path, &error, &changed) && !changed) {
        ShowError(error);
        return false;
    }
    if (changed) {
        // Another program (a script adding calculations, a second window)
        // wrote the file since this window read it: its work is not
        // overwritten without the user's word.
        CMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"),
                        QStringLiteral("Die Datei wurde inzwischen geändert, seit Dralun sie geöffnet oder "
                                       "gespeichert hat:\n%1\n\n„Neu laden“ verwirft Ihre Änderungen, "
                                       "„Überschreiben“ die in der Datei.")
                            .arg(QDir::toNativeSeparators(path)),
                        QMessageBox::NoButton, this);
        QPushButton* reload = box.addButton(QStringLiteral("Neu laden"), QMessageBox::DestructiveRole);
        QPushButton* saveAs = box.addButton(QStringLiteral("Unter anderem Namen speichern…"), QMessageBox::AcceptRole);
        QPushButton* overwrite = box.addButton(QStringLiteral("Überschreiben"), QMessageBox::DestructiveRole);
        box.setDefaultButton(saveAs);
        box.setEscapeButton(box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole));
        m_runModal(box);
        if (box.clickedButton() == reload)
            OpenDocumentFile(QString(m_doc.PathName()));
        if (box.clickedButton() == saveAs)
            return OnFileSaveAs();
        if (box.clickedButton() != overwrite)
            return false;
        if (!m_doc.OnSaveDocument(path, &error)) {
            ShowError(error);
            return false;
        }
    }
    DiscardAutosave();
    AddRecentFile(m_doc.PathName());
    UpdateCaption();
    return true;
}

bool CMainFrame::SaveModified()
{
    if (!m_doc.Modified())
        return true;
    const int answer = Ask(m_runModal, this, QStringLiteral("Änderungen speichern?"),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return OnFileSave();
    return answer == QMessageBox::No;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    DiscardAutosave();
    event->accept();
}

void CMainFrame::ShowError(const QString& text)
{
    CMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"), text, QMessageBox::Ok, this);
    m_runModal(box);
}

void CMainFrame::OnFileOpen()
{
    QFileDialog dialog(this, QStringLiteral("Öffnen"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kProjectFilter);
    dialog.setDirectory(SaveFolder(SaveKind::Project));
    FitFileDialog(dialog);
    if (m_runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty() && SaveModified())
        OpenDocumentFile(dialog.selectedFiles().first());
}

bool CMainFrame::OnFileSave()
{
    if (m_doc.PathName().isEmpty())
        return OnFileSaveAs();
    return SaveDocument(m_doc.PathName());
}

bool CMainFrame::OnFileSaveAs()
{
    QFileDialog dialog(this, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kProjectFilter);
    dialog.setDefaultSuffix(QStringLiteral("dralun"));
    // A saved project again where it is; a new one in the folder of the last.
    if (!m_doc.PathName().isEmpty())
        dialog.selectFile(m_doc.PathName());
    else
        dialog.selectFile(SuggestedSavePath(SaveKind::Project, ProjectName(m_doc), {}, QStringLiteral("dralun")));
    FitFileDialog(dialog);
    if (m_runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = WithSuffix(dialog.selectedFiles().first(), QStringLiteral(".dralun"));
    if (!SaveDocument(path))
        return false;
    RememberSaveFolder(SaveKind::Project, path);
    return true;
}

} // namespace dralun
