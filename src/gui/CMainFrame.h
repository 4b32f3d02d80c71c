#pragma once
// The main window: menu, key table, status bar, the start screen view, and
// the dispatch from a calculator command to its modal form. Its parts live
// in files of their own: MainFrameMenus (menus, keys, status bar),
// MainFrameDocument (new, open, save), MainFrameAutosave, MainFrameDataOffer,
// MainFramePrint, MainFrameProject (keep and reopen calculations) and
// MainFrameRecentFiles.
#include <QMainWindow>
#include <QPrinter>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QLabel;
class QLockFile;
class QMenu;
class QTimer;

namespace dralun {

class CHydroDoc;
class IMessageSink;
class CHydroView;
class CFormWindow;
class CProjectPanel;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CHydroDoc& doc, QWidget* parent = nullptr);
    ~CMainFrame() override;

    void OnCommand(int command);
    QAction* Action(int command) const;
    CHydroView* View() const { return m_view; }
    CProjectPanel* ProjectPanel() const { return m_panel; }
    QStringList RecentFiles() const { return m_recent; }

    // The document as such, without asking about changes.
    bool OpenDocumentFile(const QString& path);
    bool SaveDocument(const QString& path);
    void NewDocument();
    // Asks "Änderungen speichern?" when the project is modified and saves on
    // "Ja"; false when the user cancelled or the save failed.
    bool SaveModified();
    // Offers the automatic copy an earlier run left behind; true when it
    // became the document.
    bool OfferRestore();
    // A data directory without some of the data files: offers to install
    // them from the installation medium (an installed program's share/dralun/),
    // never overwriting a file that is there. Asked once: a "Nein" is
    // remembered. True when files were installed.
    bool OfferDataFiles();
    // Reopens a kept calculation in its form (modal).
    void ReopenEntry(std::size_t index);

    // How modal windows are run (the tests look at them without blocking).
    using ModalRunner = std::function<int(QDialog&)>;
    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    // Where the forms' messages go (nullptr: real message boxes).
    void SetMessageSink(IMessageSink* sink) { m_sink = sink; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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
    void DocumentChanged();  // after a change of the project
    void DocumentReplaced(); // after new, open, restore
    void UpdateProjectCommands();
    void WriteAutosave();
    void DiscardAutosave();
    void PrepareFormWindow(CFormWindow& window, std::optional<std::size_t> entry);
    void Keep(CFormWindow& window, std::optional<std::size_t>& entry);

    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnProjectPrint();
    void OnProjectPdf();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnAppAbout();
    void ShowAllDigits(bool all);
    void TypeDecimalComma(bool comma);
    void OpenCalculator(int command);

    CHydroDoc& m_doc;
    CHydroView* m_view = nullptr;
    CProjectPanel* m_panel = nullptr;
    QTimer* m_autosaveTimer = nullptr;
    std::unique_ptr<QLockFile> m_autosaveLock; // null: another window keeps the copy
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
