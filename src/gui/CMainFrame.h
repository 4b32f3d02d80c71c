#pragma once
// The main window: menu, key table, status bar, the start screen view, and
// the dispatch from a calculator command to its modal form.
#include <QMainWindow>
#include <QPrinter>
#include <functional>
#include <map>

class QLabel;
class QMenu;

namespace dralun {

class CHydroDoc;
class IMessageSink;
class CHydroView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CHydroDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void OnCommand(int command);
    QAction* Action(int command) const;
    CHydroView* View() const { return m_view; }
    QStringList RecentFiles() const { return m_recent; }

    bool OpenDocumentFile(const QString& path);
    bool SaveDocument(const QString& path);
    void NewDocument();

    // How modal windows are run (the tests look at them without blocking).
    using ModalRunner = std::function<int(QDialog&)>;
    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    // Where the forms' messages go (nullptr: real message boxes).
    void SetMessageSink(IMessageSink* sink) { m_sink = sink; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildStatusBar();
    void BindKeys();
    void UpdateCaption();
    void LoadRecentFiles();
    void AddRecentFile(const QString& path);
    void OpenRecentFile(const QString& path);
    void UpdateRecentFiles(); // into the settings and the menu
    void RebuildRecentMenu();
    void ShowError(const QString& text);

    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OpenCalculator(int command);

    CHydroDoc& m_doc;
    CHydroView* m_view = nullptr;
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_mruPlaceholder = nullptr;
    QList<QAction*> m_mruActions;
    QStringList m_recent;
    QLabel* m_lockPanes[3] = {};
    QPrinter m_printer;
    ModalRunner m_runModal;
    IMessageSink* m_sink = nullptr;
};

} // namespace dralun
