#pragma once
// The project beside the start screen: a list of the kept calculations
// (name, form, main result), with opening, renaming, removing and moving
// them; buttons under the list, the same as a context menu and keys
// (Enter, F2, Entf, Strg+Pfeil auf/ab).
#include <QDockWidget>
#include <cstddef>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QListWidget;

namespace dralun {

class CHydroDoc;

class CProjectPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CProjectPanel(CHydroDoc& doc, QWidget* parent = nullptr);

    // Opens an entry (the main window reopens its form).
    void SetOpener(std::function<void(std::size_t)> open) { m_open = std::move(open); }
    // Called after the panel changed the project.
    void SetChangedHandler(std::function<void()> changed) { m_changed = std::move(changed); }
    void SetModalRunner(std::function<int(QDialog&)> run) { m_runModal = std::move(run); }

    // Shows the document's entries again; the current row stays where it was.
    void Refresh();
    QListWidget* List() const { return m_list; }
    enum Command { Open, Rename, Remove, Up, Down };
    QAction* Action(Command command) const { return m_actions[command]; }

private:
    void Run(Command command);
    void UpdateActions();
    int Current() const;

    CHydroDoc& m_doc;
    QListWidget* m_list = nullptr;
    QLabel* m_empty = nullptr;
    QAction* m_actions[5] = {};
    std::function<void(std::size_t)> m_open;
    std::function<void()> m_changed;
    std::function<int(QDialog&)> m_runModal;
};

} // namespace dralun
