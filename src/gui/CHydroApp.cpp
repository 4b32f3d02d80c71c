#include "gui/CHydroApp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <clocale>

#include "gui/CMainFrame.h"
#include "gui/ProgramIcon.h"

namespace dralun {

namespace {

// Qt's own dialogs write dates and file sizes with the system locale, which
// Qt takes from the environment once, when it is first asked for it. The
// program speaks German whatever the environment says: the system locale is
// read with a German environment, before the application object exists, and
// the environment is given back before the C library takes its locale from
// it (the German locale of the C library need not be installed).
int& TakeGermanSystemLocale(int& argc)
{
    const char* const names[] = {"LC_ALL", "LANGUAGE"};
    QByteArray saved[2];
    bool had[2];
    for (int i = 0; i < 2; ++i) {
        had[i] = qEnvironmentVariableIsSet(names[i]);
        saved[i] = qgetenv(names[i]);
    }
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");
    (void)QLocale::system();
    for (int i = 0; i < 2; ++i) {
        if (had[i])
            qputenv(names[i], saved[i]);
        else
            qunsetenv(names[i]);
    }
    return argc;
}

} // namespace

CHydroApp::CHydroApp(int& argc, char** argv) : QApplication(TakeGermanSystemLocale(argc), argv)
{
    // Settings live under this key; the application title is the sub-key.
    setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    setApplicationName(QStringLiteral("Dralun"));
    setWindowIcon(ProgramIcon());
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
