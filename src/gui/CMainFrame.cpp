#include "gui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QSettings>
#include <QStatusBar>
#include <QTreeView>

#include "forms/FormRegistry.h"
#include "gui/CAboutDlg.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroDoc.h"
#include "gui/CHydroView.h"
#include "gui/CommandTable.h"

namespace dralun {

namespace {
constexpr int kRecentCount = 4;
const QString kReady = QStringLiteral("Bereit");

// Qt's own file dialog (where the platform has none of its own) opens large
// enough for its columns, and the size, type and date columns are as wide as
// their texts.
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
} // namespace

CMainFrame::CMainFrame(CHydroDoc& doc, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_printer(QPrinter::HighResolution),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    m_view = new CHydroView(this);
    setCentralWidget(m_view);
    BuildMenus();
    BindKeys();
    BuildStatusBar();
    LoadRecentFiles();
    UpdateCaption();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() { qApp->removeEventFilter(this); }

// ---- menu, keys and status bar ------------------------------------------

void CMainFrame::BuildMenus()
{
    auto makeAction = [this](int command, const QString& text) {
        auto* a = new QAction(text, this);
        a->setStatusTip(cmd::Prompt(command));
        connect(a, &QAction::triggered, this, [this, command] { OnCommand(command); });
        if (!m_actions.count(command))
            m_actions[command] = a;
        return a;
    };

    for (const cmd::Menu& menu : cmd::MenuTable()) {
        const QString title = QString::fromUtf8(menu.title);
        if (menu.items.empty()) {
            menuBar()->addAction(makeAction(menu.command, title));
            continue;
        }
        QMenu* m = menuBar()->addMenu(title);
        for (const cmd::MenuItem& item : menu.items) {
            if (item.command == 0) {
                m->addSeparator();
                continue;
            }
            QAction* a = makeAction(item.command, QString::fromUtf8(item.text));
            m->addAction(a);
            if (item.command == cmd::FileMru) {
                m_fileMenu = m;
                m_mruPlaceholder = a;
            }
        }
    }

    // The edit commands have no handler: always disabled.
    for (int command : {cmd::EditUndo, cmd::EditCut, cmd::EditCopy, cmd::EditPaste})
        m_actions[command]->setEnabled(false);

    QAction* statusBarAction = m_actions[cmd::ViewStatusBar];
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
}

void CMainFrame::BindKeys()
{
    // The key table binds keys to commands; F6 and Shift+F6 (next and
    // previous pane) have no menu item. The menu items show their key hints
    // in their own text.
    for (const cmd::KeyBinding& key : cmd::KeyTable()) {
        QAction* a = Action(key.command);
        if (!a) {
            a = new QAction(this);
            const int command = key.command;
            connect(a, &QAction::triggered, this, [this, command] { OnCommand(command); });
            m_actions[command] = a;
        }
        QList<QKeySequence> keys = a->shortcuts();
        keys.append(key.keys);
        a->setShortcuts(keys);
        addAction(a);
    }
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    const char* const names[3] = {"UF", "NUM", "RF"};
    for (int i = 0; i < 3; ++i) {
        m_lockPanes[i] = new QLabel(QString::fromLatin1(names[i]));
        m_lockPanes[i]->setAlignment(Qt::AlignCenter);
        m_lockPanes[i]->setMinimumWidth(m_lockPanes[i]->fontMetrics().horizontalAdvance(QStringLiteral("NUMM")));
        m_lockPanes[i]->setFrameShape(QFrame::Panel);
        m_lockPanes[i]->setFrameShadow(QFrame::Sunken);
        m_lockPanes[i]->setEnabled(false); // shown grey while the lock is off
        bar->addPermanentWidget(m_lockPanes[i]);
    }
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(kReady);
    });
    bar->showMessage(kReady);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The lock indicators follow the lock keys as they are pressed.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int pane = key == Qt::Key_CapsLock ? 0 : key == Qt::Key_NumLock ? 1 : key == Qt::Key_ScrollLock ? 2 : -1;
        if (pane >= 0)
            m_lockPanes[pane]->setEnabled(!m_lockPanes[pane]->isEnabled());
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* CMainFrame::Action(int command) const
{
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

// ---- commands -------------------------------------------------------------

void CMainFrame::OnCommand(int command)
{
    switch (command) {
    case cmd::FileNew: NewDocument(); return;
    case cmd::FileOpen: OnFileOpen(); return;
    case cmd::FileSave: OnFileSave(); return;
    case cmd::FileSaveAs: OnFileSaveAs(); return;
    case cmd::FilePrint: OnFilePrint(); return;
    case cmd::FilePrintDirect: m_view->Print(&m_printer); return;
    case cmd::FilePrintPreview: OnFilePrintPreview(); return;
    case cmd::FilePrintSetup: OnFilePrintSetup(); return;
    case cmd::AppAbout: OnAppAbout(); return;
    case cmd::AppExit: close(); return;
    case cmd::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        m_actions[cmd::ViewStatusBar]->setChecked(statusBar()->isVisible());
        return;
    case cmd::NextPane:
    case cmd::PrevPane:
        m_view->setFocus(); // the one pane there is
        return;
    default:
        if (FindFormByCommand(command))
            OpenCalculator(command);
        return;
    }
}

void CMainFrame::OpenCalculator(int command)
{
    const FormInfo* info = FindFormByCommand(command);
    if (!info->create) {
        QMessageBox box(QMessageBox::Information, QString::fromUtf8(info->title),
                        QStringLiteral("Der Rechner \u201E%1\u201C ist in dieser Version noch nicht enthalten.")
                            .arg(QString::fromUtf8(info->title)),
                        QMessageBox::Ok, this);
        m_runModal(box);
        return;
    }
    CFormWindow window(*info, this, m_sink);
    m_runModal(window);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    m_runModal(about);
}

// ---- the document ---------------------------------------------------------

void CMainFrame::UpdateCaption() { setWindowTitle(m_doc.Title() + QStringLiteral(" - Dralun")); }

void CMainFrame::NewDocument()
{
    m_doc.OnNewDocument();
    UpdateCaption();
    m_view->update();
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    QString error;
    if (!m_doc.OnOpenDocument(path, &error)) {
        ShowError(error);
        return false;
    }
    AddRecentFile(m_doc.PathName());
    UpdateCaption();
    m_view->update();
    return true;
}

bool CMainFrame::SaveDocument(const QString& path)
{
    QString error;
    if (!m_doc.OnSaveDocument(path, &error)) {
        ShowError(error);
        return false;
    }
    AddRecentFile(m_doc.PathName());
    UpdateCaption();
    return true;
}

void CMainFrame::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"), text, QMessageBox::Ok, this);
    m_runModal(box);
}

void CMainFrame::OnFileOpen()
{
    QFileDialog dialog(this, QStringLiteral("Öffnen"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Alle Dateien (*)"));
    FitFileDialog(dialog);
    if (m_runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        OpenDocumentFile(dialog.selectedFiles().first());
}

void CMainFrame::OnFileSave()
{
    if (m_doc.PathName().isEmpty())
        OnFileSaveAs();
    else
        SaveDocument(m_doc.PathName());
}

void CMainFrame::OnFileSaveAs()
{
    QFileDialog dialog(this, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Alle Dateien (*)"));
    dialog.selectFile(m_doc.Title());
    FitFileDialog(dialog);
    if (m_runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SaveDocument(dialog.selectedFiles().first());
}

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

// ---- recent files -----------------------------------------------------------

void CMainFrame::LoadRecentFiles()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty())
            m_recent.append(path);
    }
    RebuildRecentMenu();
}

void CMainFrame::AddRecentFile(const QString& path)
{
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > kRecentCount)
        m_recent.removeLast();
    UpdateRecentFiles();
}

void CMainFrame::OpenRecentFile(const QString& path)
{
    // A file that is gone leaves the list once the user has been told.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path)) {
        m_recent.removeAll(path);
        UpdateRecentFiles();
    }
}

void CMainFrame::UpdateRecentFiles()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recent.size())
            settings.setValue(key, m_recent[i - 1]);
        else
            settings.remove(key);
    }
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu()
{
    // Greyed "Letzte Datei" while the list is empty, else one item a file.
    for (QAction* a : m_mruActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_mruActions.clear();
    m_mruPlaceholder->setVisible(m_recent.isEmpty());
    m_mruPlaceholder->setEnabled(false);
    for (int i = 0; i < m_recent.size(); ++i) {
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(m_recent[i])), this);
        a->setStatusTip(cmd::Prompt(cmd::FileMru));
        const QString path = m_recent[i];
        connect(a, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
        m_fileMenu->insertAction(m_mruPlaceholder, a);
        m_mruActions.append(a);
    }
}

} // namespace dralun
