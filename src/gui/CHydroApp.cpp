#include "gui/CHydroApp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <clocale>

#include "gui/CMainFrame.h"
#include "gui/ProgramStart.h"
#include "gui/ProgramIcon.h"

namespace dralun {

CHydroApp::CHydroApp(int& argc, char** argv) : QApplication(TakeGermanSystemLocale(argc), argv)
{
    // Settings live under the program's own name (Windows: the registry key
    // Software\Dralun\Dralun; elsewhere Dralun/Dralun.conf in the user's
    // configuration folder).
    setOrganizationName(kOrganization);
    setApplicationName(kApplication);
    TakeOverEarlierSettings();
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

bool CHydroApp::TakeOverEarlierSettings(const QString& earlierOrganization)
{
    // Marks settings that were taken over (or found empty), so that it is done once.
    const QString doneKey = QStringLiteral("Einstellungen/Uebernommen");
    QSettings now;
    if (!now.allKeys().isEmpty())
        return false;
    const QSettings earlier(QSettings::defaultFormat(), QSettings::UserScope, earlierOrganization,
                            QCoreApplication::applicationName());
    const QStringList keys = earlier.allKeys();
    for (const QString& key : keys)
        now.setValue(key, earlier.value(key));
    now.setValue(doneKey, true);
    now.sync();
    return !keys.isEmpty();
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
