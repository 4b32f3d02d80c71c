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

private:
    QTranslator m_qtTexts;
    CHydroDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace dralun
