#include "gui/CMainFrame.h"

#include <QApplication>
#include <QLockFile>
#include <QStatusBar>
#include <QTimer>

#include "forms/FormRegistry.h"
#include "gui/CAboutDlg.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroView.h"
#include "gui/CommandTable.h"
#include "gui/DigitDisplay.h"
#include "gui/project/Autosave.h"
#include "gui/project/CProjectPanel.h"

namespace dralun {

namespace {
constexpr int kAutosaveDelayMs = 300;
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
    case cmd::ViewAllDigits: ShowAllDigits(!CDigitDisplay::Instance().AllDigits()); return;
    case cmd::ViewDecimalComma: TypeDecimalComma(!CDigitDisplay::Instance().DecimalComma()); return;
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
    CFormWindow window(*info, this, m_sink);
    PrepareFormWindow(window, std::nullopt);
    m_runModal(window);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    m_runModal(about);
}

} // namespace dralun
