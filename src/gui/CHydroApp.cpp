#include "gui/CHydroApp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <clocale>

#include "gui/CMainFrame.h"
#include "gui/ProgramStart.h"
#include "gui/ProgramIcon.h"

namespace dralun {

CHydroApp::CHydroApp(int& argc, char** argv) : QApplication(TakeGermanSystemLocale(argc), argv)
{
    // Settings live under this key; the application title is the sub-key.
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationName(QStringLiteral("Dralun"));
    setWindowIcon(ProgramIcon());
    LoadProgramFonts();
    // Qt adopts the environment's locale; the calculators write their numbers
    // with printf formats and a decimal point, so numbers stay "C".
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (LoadGermanQtTexts(m_qtTexts))
        installTranslator(&m_qtTexts);
}

CHydroApp::~CHydroApp() = default;

bool CHydroApp::LoadGermanQtTexts(QTranslator& translator)
{
    return translator.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool CHydroApp::InitInstance(const QStringList& commandLine)
{
    m_frame = std::make_unique<CMainFrame>(m_doc);
    QString file;
    for (const QString& arg : commandLine)
        if (!arg.startsWith(QLatin1Char('-')))
            file = arg;
    // Maximized; without a window manager that honours it, as large as the screen.
    m_frame->setGeometry(m_frame->screen()->availableGeometry());
    m_frame->showMaximized();
    // What a run that did not end as it should left unsaved comes first; a
    // file named on the command line then replaces it only when the user
    // has said what becomes of it.
    m_frame->OfferDataFiles();
    m_frame->OfferRestore();
    if (!file.isEmpty() && m_frame->SaveModified())
        m_frame->OpenDocumentFile(file);
    return true;
}

} // namespace dralun
