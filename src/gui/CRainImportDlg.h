#pragma once
// "Datei" → "Regendaten importieren…": the KOSTRA-DWD rain of one grid cell,
// read from a folder of grid tables or from the table of one cell, written
// as a rainfall file into the data directory under a name the user sees
// and may change. A file of that name is replaced only after asking.
#include <QDialog>
#include <cstddef>
#include <functional>

#include "core/KostraImport.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dralun {

class CRainImportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRainImportDlg(QWidget* parent = nullptr);

    // How the question boxes and file dialogs are run (the tests answer them).
    void SetModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }
    // How the reading of grid tables tells its progress (tables read, tables
    // to read; the tests answer it): false stops it. By default a progress
    // dialog with "Abbrechen" after half a second.
    void SetProgressRunner(std::function<bool(std::size_t, std::size_t)> tell) { m_tell = std::move(tell); }
    // The folder or file to read, as if chosen with "Ordner…" or "Datei…".
    void SetSource(const QString& path);
    // Reads and writes; true when the rainfall file was written.
    bool Import();
    // Closes the dialog, except while grid tables are being read (the
    // progress has "Abbrechen" for that).
    void reject() override;

private:
    enum Unit { NotAsked = 0, Depth = 1, Intensity = 2 };
    void ChooseFolder();
    void ChooseFile();
    // For a file: whether its head says what its values are (else the
    // question hN or rN is put), and the name the cell gives the file.
    void ReadHead();
    void AskUnit(const QString& why);
    void UpdateButtons();
    void ShowResult(const QString& text, bool success);
    // The grid tables read on a thread of their own while the window
    // answers and shows how far the reading is.
    KostraResult<KostraCell> ReadGridTables();

    std::function<int(QDialog&)> m_runModal = [](QDialog& dialog) { return dialog.exec(); };
    std::function<bool(std::size_t, std::size_t)> m_tell;
    QString m_source;
    bool m_reading = false; // grid tables are being read: the inputs wait
    bool m_unitAsked = false; // the head does not say: the user must choose
    bool m_targetTyped = false;
    QLineEdit* m_sourceEdit = nullptr;
    QLineEdit* m_cell = nullptr;
    QGroupBox* m_unitBox = nullptr;
    QButtonGroup* m_unit = nullptr;
    QLabel* m_unitNote = nullptr;
    QCheckBox* m_tolerance = nullptr;
    QLineEdit* m_target = nullptr;
    QLabel* m_result = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_copy = nullptr;
    QString m_written; // the name last written, for "Namen kopieren"
};

} // namespace dralun
