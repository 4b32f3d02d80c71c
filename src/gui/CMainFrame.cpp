#include "gui/CMainFrame.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLockFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <filesystem>

#include "core/CDataDirectory.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "forms/FormRegistry.h"
#include "gui/CAboutDlg.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroDoc.h"
#include "gui/CHydroView.h"
#include "gui/CommandTable.h"
#include "gui/project/Autosave.h"
#include "gui/project/CKeepCalcDlg.h"
#include "gui/project/CProjectPanel.h"
#include "gui/project/ProjectProgress.h"
#include "gui/report/ProjectPrint.h"
#include "gui/report/ReportPainter.h"
#include "install/CInstallCopy.h"
#include "project/KeepCalculation.h"
#include "project/ProjectReports.h"

namespace dralun {

namespace {
constexpr int kRecentCount = 4;
const QString kReady = QStringLiteral("Bereit");
const QString kProjectFilter = QStringLiteral("Dralun-Projekte (*.dralun);;Alle Dateien (*)");
constexpr int kAutosaveDelayMs = 300;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A question with German buttons; the answer is the QMessageBox value of the button.
int Ask(const CMainFrame::ModalRunner& run, QWidget* parent, const QString& text,
        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Dralun"), text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Yes, "&Ja"}, {QMessageBox::No, "&Nein"}, {QMessageBox::Cancel, "Abbrechen"}};
    for (const auto& [button, name] : names)
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(name));
    box.setDefaultButton(QMessageBox::Yes);
    if (buttons & QMessageBox::Cancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return run(box);
}

// The name a file dialog offers: the document's own, else "Projekt".
QString SuggestedName(const CHydroDoc& doc, const QString& suffix)
{
    const QString base = doc.PathName().isEmpty() ? QStringLiteral("Projekt") : QFileInfo(doc.PathName()).completeBaseName();
    return base + suffix;
}

QString WithSuffix(QString path, const QString& suffix)
{
    if (QFileInfo(path).suffix().isEmpty())
        path += suffix;
    return path;
}

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
    m_panel = new CProjectPanel(m_doc, this);
    m_panel->SetOpener([this](std::size_t index) { ReopenEntry(index); });
    m_panel->SetChangedHandler([this] { DocumentChanged(); });
    m_panel->SetModalRunner([this](QDialog& dialog) { return m_runModal(dialog); });
    addDockWidget(Qt::RightDockWidgetArea, m_panel);
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setSingleShot(true);
    m_autosaveTimer->setInterval(kAutosaveDelayMs);
    connect(m_autosaveTimer, &QTimer::timeout, this, &CMainFrame::WriteAutosave);
    m_autosaveLock = autosave::Claim();
    BuildMenus();
    BindKeys();
    BuildStatusBar();
    LoadRecentFiles();
    UpdateCaption();
    UpdateProjectCommands();
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
    case cmd::FileNew:
        if (SaveModified())
            NewDocument();
        return;
    case cmd::FileOpen: OnFileOpen(); return;
    case cmd::FileSave: OnFileSave(); return;
    case cmd::FileSaveAs: OnFileSaveAs(); return;
    case cmd::FilePrint: OnFilePrint(); return;
    case cmd::FilePrintDirect: m_view->Print(&m_printer); return;
    case cmd::FilePrintPreview: OnFilePrintPreview(); return;
    case cmd::FilePrintSetup: OnFilePrintSetup(); return;
    case cmd::FileProjectPrint: OnProjectPrint(); return;
    case cmd::FileProjectPdf: OnProjectPdf(); return;
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
    PrepareFormWindow(window, std::nullopt);
    m_runModal(window);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    m_runModal(about);
}

// ---- the document ---------------------------------------------------------

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

void CMainFrame::WriteAutosave()
{
    if (!m_autosaveLock || !m_doc.Modified())
        return;
    QString error;
    if (!autosave::Write(m_doc.Project(), m_doc.PathName(), &error))
        statusBar()->showMessage(QStringLiteral("Die automatische Sicherung ist fehlgeschlagen: ") + error, 10000);
}

void CMainFrame::DiscardAutosave()
{
    m_autosaveTimer->stop();
    if (m_autosaveLock)
        autosave::Remove();
}

bool CMainFrame::OfferRestore()
{
    if (!m_autosaveLock || !autosave::Exists())
        return false;
    const QString question = QStringLiteral("Dralun wurde nicht ordnungsgemäß beendet. Ein nicht gespeichertes "
                                            "Projekt ist vorhanden. Wiederherstellen?");
    if (Ask(m_runModal, this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        autosave::Remove();
        return false;
    }
    autosave::Loaded copy = autosave::Load();
    if (!copy.ok) {
        ShowError(QStringLiteral("Das nicht gespeicherte Projekt kann nicht wiederhergestellt werden.\n") + copy.error);
        return false;
    }
    m_doc.Restore(std::move(copy.project), copy.documentPath);
    m_panel->Refresh();
    UpdateCaption();
    UpdateProjectCommands();
    return true;
}

bool CMainFrame::OfferDataFiles()
{
    const std::filesystem::path target = CDataDirectory::Path();
    const std::vector<std::string> missing = install::MissingDataFiles(target);
    const std::filesystem::path medium = install::FindMedium({});
    if (missing.empty() || !install::IsCompleteMedium(medium))
        return false;
    QSettings settings;
    const QString declined = QStringLiteral("Datendateien/Abgelehnt");
    if (settings.value(declined).toBool())
        return false;
    const QString where = QString::fromStdString(target.string());
    const QString from = QString::fromStdString(medium.string());
    QString question;
    if (missing.size() == install::CopyList().size()) {
        question = QStringLiteral("Das Datenverzeichnis %1 enthält noch keine Datendateien. Die %2 Dateien "
                                  "jetzt aus %3 installieren?")
                       .arg(where)
                       .arg(missing.size())
                       .arg(from);
    } else {
        QStringList names;
        for (size_t i = 0; i < missing.size() && i < 3; ++i)
            names << QString::fromStdString(missing[i]);
        if (missing.size() > 3)
            names << QStringLiteral("…");
        question = QStringLiteral("Im Datenverzeichnis %1 %2 (%3). Aus %4 ergänzen? Vorhandene Dateien "
                                  "bleiben, wie sie sind.")
                       .arg(where,
                            missing.size() == 1 ? QStringLiteral("fehlt eine Datendatei")
                                                : QStringLiteral("fehlen %1 Datendateien").arg(missing.size()),
                            names.join(QStringLiteral(", ")), from);
    }
    if (Ask(m_runModal, this, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        settings.setValue(declined, true);
        return false;
    }
    install::InstallOptions options;
    options.missingOnly = true;
    const install::InstallResult result = install::Install(medium, target, options);
    if (!result.ok) {
        ShowError(QString::fromStdString(result.message));
        return false;
    }
    statusBar()->showMessage(QStringLiteral("%1 Datendateien nach %2 installiert.").arg(result.copied).arg(where));
    return true;
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
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"),
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
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"), text, QMessageBox::Ok, this);
    m_runModal(box);
}

void CMainFrame::OnFileOpen()
{
    QFileDialog dialog(this, QStringLiteral("Öffnen"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kProjectFilter);
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
    dialog.selectFile(SuggestedName(m_doc, QStringLiteral(".dralun")));
    FitFileDialog(dialog);
    if (m_runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return SaveDocument(WithSuffix(dialog.selectedFiles().first(), QStringLiteral(".dralun")));
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

// ---- the project ------------------------------------------------------------

void CMainFrame::PrepareFormWindow(CFormWindow& window, std::optional<std::size_t> entry)
{
    window.SetModalRunner(m_runModal);
    // The entry the window stands for: the one reopened, or the one it was kept as.
    auto shownEntry = std::make_shared<std::optional<std::size_t>>(entry);
    window.SetKeeper([this, shownEntry](CFormWindow& w) { Keep(w, *shownEntry); });
}

void CMainFrame::Keep(CFormWindow& window, std::optional<std::size_t>& entry)
{
    const ProjectEntry* kept = entry ? &m_doc.Project().At(*entry) : nullptr;
    const Calculation* keptCalc = kept && kept->Usable() ? &*kept->calc : nullptr;
    CKeepCalcDlg dialog(keptCalc ? Q(keptCalc->name) : Q(DefaultCalculationName(window.Form())),
                        keptCalc ? &keptCalc->header : nullptr, &window);
    if (m_runModal(dialog) != QDialog::Accepted)
        return;
    const Calculation calc =
        KeepCalculation(window.Form(), dialog.Header(), dialog.Name().toStdString(), window.ReportRating());
    if (entry && dialog.ReplaceEntry()) {
        m_doc.Replace(*entry, calc);
    } else {
        if (m_doc.Project().Full()) {
            ShowError(QStringLiteral("Die Berechnung kann nicht übernommen werden: %1.").arg(Q(MostCalculationsText())));
            return;
        }
        entry = m_doc.Add(calc);
    }
    window.ShowBanner({}); // the window shows what the entry holds now
    DocumentChanged();
}

void CMainFrame::ReopenEntry(std::size_t index)
{
    const ProjectEntry& entry = m_doc.Project().At(index);
    const QString name = Q(entry.Name());
    if (!entry.Usable()) {
        ShowError(QStringLiteral("Die Berechnung \u201E%1\u201C kann nicht geöffnet werden: %2.").arg(name, Q(entry.problem)));
        return;
    }
    const Calculation calc = *entry.calc;
    const FormInfo* info = FindFormById(calc.form);
    CFormWindow window(*info, this, m_sink);
    std::string problem;
    window.Perform([&](CForm& form) { problem = ApplyCalculation(form, calc); });
    if (!problem.empty()) {
        ShowError(QStringLiteral("Die Berechnung \u201E%1\u201C kann nicht wiederholt werden: %2.").arg(name, Q(problem)));
        return;
    }
    std::vector<ResultChange> changes = ChangedResults(window.Form(), calc);
    QStringList banner;
    if (!changes.empty())
        banner << QStringLiteral("Die Ergebnisse weichen von den gespeicherten ab:");
    for (const ResultChange& change : changes)
        banner << Q(ChangeText(change));
    window.ShowBanner(banner);
    // The rating table kept with it belongs to the window's report again, made anew.
    window.SetReportRating(calc.rating ? std::optional<RatingRequest>(calc.rating->request) : std::nullopt);
    m_doc.SetChanges(index, std::move(changes));
    m_panel->Refresh();
    PrepareFormWindow(window, index);
    m_runModal(window);
}

void CMainFrame::OnProjectPrint()
{
    std::vector<ProjectReport> reports;
    std::vector<UnusableEntry> unusable;
    if (!MakeProjectReports(m_doc.Project(), this, reports, unusable) || (reports.empty() && unusable.empty()))
        return;
    const ReportHeader head = ProjectHead(m_doc.Project());
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
    if (!m_doc.PathName().isEmpty())
        dialog.setDirectory(QFileInfo(m_doc.PathName()).absolutePath());
    dialog.selectFile(SuggestedName(m_doc, QStringLiteral(".pdf")));
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
    QString error;
    if (!WriteProjectPdf(m_doc.Title().toStdString(), ProjectHead(m_doc.Project()), reports, unusable, path, &error))
        ShowError(error);
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
    if (!SaveModified())
        return;
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
