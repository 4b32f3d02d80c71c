#pragma once
// "Wertetabelle": one input of the form varied over a range, the form
// computed for every value on a copy, the chosen results as a table and as
// a chart. The window's form is not changed; the table can be copied, saved
// as CSV and added to the form's report.
#include <QDialog>
#include <functional>
#include <optional>

#include "rating/RatingCsv.h"
#include "report/RatingTable.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableView;

namespace dralun {

class CForm;
class CFormWindow;
class CRatingChart;
class CRatingTableModel;

class CRatingTableDlg : public QDialog {
    Q_OBJECT
public:
    // Starts with the window's report choice where it has one, else with the
    // first input over its default interval in 21 rows, and computes.
    CRatingTableDlg(CFormWindow& window, std::function<int(QDialog&)> runModal);
    ~CRatingTableDlg() override;

    const RatingTable& Table() const;
    QString Problem() const; // the red line, "" when the last request went through

    // The controls, for the tests.
    QComboBox* VaryBox() const { return m_vary; }
    QLineEdit* FromEdit() const { return m_from; }
    QLineEdit* ToEdit() const { return m_to; }
    QRadioButton* StepRadio() const { return m_byStep; }
    QRadioButton* RowsRadio() const { return m_byRows; }
    QLineEdit* StepEdit() const { return m_step; }
    QLineEdit* RowsEdit() const { return m_rows; }
    QListWidget* ResultList() const { return m_results; }
    QPushButton* ComputeButton() const { return m_compute; }
    QPushButton* CopyButton() const { return m_copy; }
    QPushButton* SaveButton() const { return m_save; }
    QCheckBox* ReportBox() const { return m_report; }
    QCheckBox* AllDigitsBox() const { return m_allDigits; }
    QTableView* View() const { return m_view; }
    CRatingChart* Chart() const { return m_chart; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillResults(int vary, const std::vector<int>& checked);
    void OnVaryChanged();
    void SetRequest(const RatingRequest& request);
    std::optional<RatingRequest> Request(QString* problem);
    void Compute();
    void FitTable();
    void Copy();
    void SaveCsv();
    CsvDigits Digits() const;
    void OnReportToggled(bool on);
    void ShowRowsStep();
    void ShowProblem(const QString& problem);

    CFormWindow& m_window;
    const CForm& m_form;
    std::function<int(QDialog&)> m_runModal;
    std::optional<RatingRequest> m_computed; // the request of the table shown
    bool m_computing = false; // rows are being computed
    QComboBox* m_vary = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QRadioButton* m_byStep = nullptr;
    QRadioButton* m_byRows = nullptr;
    QLineEdit* m_step = nullptr;
    QLineEdit* m_rows = nullptr;
    QListWidget* m_results = nullptr;
    QPushButton* m_compute = nullptr;
    QLabel* m_problem = nullptr;
    QTableView* m_view = nullptr;
    CRatingTableModel* m_model = nullptr;
    CRatingChart* m_chart = nullptr;
    QSplitter* m_split = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_save = nullptr;
    QCheckBox* m_report = nullptr;
    QCheckBox* m_allDigits = nullptr;
};

// A number as the user types it into the dialog, by the rule of the forms'
// number fields: a decimal point, never a comma.
std::optional<double> DialogNumber(const QString& text);
// What the forms say to a text that is no number (the comma named where
// the text has one).
QString NotANumberMessage(const QString& text);
// The label of a field for a choice box: "Sohlgefälle 1 : n [-]".
QString FieldChoiceText(const CForm& form, int id);

} // namespace dralun
