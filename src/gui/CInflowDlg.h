#pragma once
// "Zufluss…": the design discharge of the catchment after the rational
// method, Q = Σ ψ · A · r, for the discharge field of a form. The user lists
// the areas with their runoff coefficients and gives the rain intensity,
// typed or read from a rainfall file by duration and frequency; the dialog
// shows Q as it goes and "Übernehmen" types it into the form like any value
// the user types, keeping the table with it.
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "core/CRainfallTable.h"
#include "forms/FormInflow.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dralun {

class CForm;
class CFormWindow;
struct FormInfo;

class CInflowDlg : public QDialog {
    Q_OBJECT
public:
    enum Column { kName, kArea, kUnit, kPsi };

    // Shows the table the form's discharge was typed from, or one empty row.
    // runModal runs the list of typical values and the question before
    // Escape throws away what was entered (the tests answer them).
    CInflowDlg(CFormWindow& window, std::function<int(QDialog&)> runModal);
    ~CInflowDlg() override;

    // The table as it stands, or nothing with the reason (Problem()).
    const std::optional<FormInflow>& Table() const { return m_table; }
    QString Problem() const;
    QString ResultText() const;

    // ψ of row `row` from entry `index` of the typical values (a range
    // enters its upper end), as choosing it from the list does.
    void TakeTypical(int row, int index);
    void AddRow();

    // The controls, for the tests.
    QTableWidget* Areas() const { return m_areas; }
    QComboBox* UnitBox(int row) const;
    QRadioButton* TypedRain() const { return m_typedRain; }
    QRadioButton* FileRain() const { return m_fileRain; }
    QLineEdit* RainEdit() const { return m_rainEdit; }
    QComboBox* FileBox() const { return m_file; }
    QComboBox* DurationBox() const { return m_duration; }
    QComboBox* FrequencyBox() const { return m_frequency; }
    QPushButton* TypicalButton() const { return m_typical; }
    QPushButton* TakeButton() const { return m_take; }

    void accept() override; // "Übernehmen"

protected:
    // Escape asks before it throws away what was entered.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void AddRowToType();
    QString Entered() const;
    void Show(const FormInflow& inflow);
    void SetRow(int row, const InflowEntry& entry);
    void RemoveRow();
    void ChooseTypical();
    void LoadFile();
    void ShowRainMode();
    void Update();
    std::optional<InflowRain> Rain(QString& problem) const;
    std::optional<FormInflow> Areas(QString& problem) const;
    QString RangeProblem(double q) const;

    CFormWindow& m_window;
    const CForm& m_form;
    const FormInfo* m_info = nullptr;
    std::function<int(QDialog&)> m_runModal;
    CRainfallTable m_rainfall;
    bool m_loaded = false;
    QString m_loadProblem;
    std::vector<int> m_invalidLines; // lines of the file that hold no valid row
    QString m_changedNote; // the file differs from the one the kept table was read from
    std::optional<FormInflow> m_table;
    bool m_updating = false;
    QString m_opened; // what the dialog showed when it opened (Entered())

    QTableWidget* m_areas = nullptr;
    QPushButton* m_typical = nullptr;
    QRadioButton* m_typedRain = nullptr;
    QRadioButton* m_fileRain = nullptr;
    QLineEdit* m_rainEdit = nullptr;
    QComboBox* m_file = nullptr;
    QComboBox* m_duration = nullptr;
    QComboBox* m_frequency = nullptr;
    QLabel* m_fileRainText = nullptr;
    QLabel* m_result = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_take = nullptr;
};

// The rainfall files of the data directory the dialog offers: the
// medium's series and the imported KOSTRA tables, full paths.
QStringList RainfallFilesOffered();

} // namespace dralun
