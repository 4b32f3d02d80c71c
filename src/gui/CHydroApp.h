#pragma once
// The application: German Qt dialogs, the settings key, the document and
// the main window.
#include <QApplication>
#include <QTranslator>
#include <memory>

#include "gui/CHydroDoc.h"

namespace dralun {

class CMainFrame;

class CHydroApp : public QApplication {
    Q_OBJECT
public:
    CHydroApp(int& argc, char** argv);
    ~CHydroApp() override;

    // Creates and shows the main window, offers the automatic copy of a
    // project an earlier run left unsaved, and carries out the command line
    // (the arguments after the program name): a file name opens that
    // project, otherwise the document is a new empty one.
    bool InitInstance(const QStringList& commandLine);
    CMainFrame* MainFrame() const { return m_frame.get(); }

    // Loads Qt's own German texts ("Abbrechen", "Schließen", ...).
    static bool LoadGermanQtTexts(QTranslator& translator);

    // The names the settings are kept under: the program's own, and the
    // organisation of earlier versions.
    static inline const QString kOrganization = QStringLiteral("Dralun");
    static inline const QString kApplication = QStringLiteral("Dralun");
    static inline const QString kEarlierOrganization = QStringLiteral("Local AppWizard-Generated Applications");
    // The first start with no settings of its own takes over every setting
    // an earlier version kept under earlierOrganization (same application
    // name), once; the earlier ones stay where they are. True when it did.
    static bool TakeOverEarlierSettings(const QString& earlierOrganization = kEarlierOrganization);

private:
    QTranslator m_qtTexts;
    CHydroDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace dralun
