#pragma once
// "Zielwert": the input at which a result of the form reaches a target,
// searched on a copy of the form. What is found is typed into the window's
// form and computed, so that the form shows it; a search that finds nothing
// says why and leaves the form as it was.
#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dralun {

class CForm;
class CFormWindow;

class CSolveDlg : public QDialog {
    Q_OBJECT
public:
    // Starts with the form's first main result, its value for the inputs as
    // they stand as the target, and the first input that acts on it over its
    // default interval.
    explicit CSolveDlg(CFormWindow& window);
    ~CSolveDlg() override;

    // What the last search said ("" before the first), and whether it found
    // a value the form took.
    QString Outcome() const;
    bool Found() const { return m_found; }

    // The controls, for the tests.
    QComboBox* ResultBox() const { return m_result; }
    QLineEdit* TargetEdit() const { return m_target; }
    QComboBox* VaryBox() const { return m_vary; }
    QLineEdit* FromEdit() const { return m_from; }
    QLineEdit* ToEdit() const { return m_to; }
    QPushButton* SearchButton() const { return m_search; }
    QLabel* OutcomeLabel() const { return m_outcome; }

private:
    void OnVaryChanged();
    void OnResultChanged();
    void Search();
    void Show(const QString& text, bool problem);

    CFormWindow& m_window;
    const CForm& m_form;
    bool m_found = false;
    QComboBox* m_result = nullptr;
    QLineEdit* m_target = nullptr;
    QComboBox* m_vary = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QPushButton* m_search = nullptr;
    QLabel* m_outcome = nullptr;
};

// The fields whose value a search can aim at: those that are not variable
// inputs now (the results, and inputs the form computes or has locked), but
// no text inputs. The form's order.
std::vector<int> SolveResultFieldIds(const CForm& form);

} // namespace dralun
