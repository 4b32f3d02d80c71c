#pragma once
// The typical runoff coefficients to choose from, mean coefficients ψm, with
// the text saying so, naming their source and that a peak discharge needs
// peak coefficients; a range is marked in its tool tip.
#include <QDialog>

class QTableWidget;

namespace dralun {

class CRunoffCoefficientDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRunoffCoefficientDlg(QWidget* parent = nullptr);
    // The entry chosen (index into RunoffCoefficients()); -1 for none.
    int Chosen() const;
    QTableWidget* List() const { return m_list; }

private:
    QTableWidget* m_list = nullptr;
};

} // namespace dralun
