#pragma once
// Asks how a calculation goes into the project: its name, the head of its
// report (as "Bericht…" asks for it; Projekt and Bearbeiter are remembered
// for the next one), and, for a form reopened from an entry, whether that
// entry is replaced or the calculation added as a new one.
#include <QDialog>

#include "report/Report.h"

class QLineEdit;
class QRadioButton;

namespace dralun {

class CKeepCalcDlg : public QDialog {
    Q_OBJECT
public:
    // kept: the head of the entry the form was reopened from, else nullptr.
    CKeepCalcDlg(const QString& name, const ReportHeader* kept, QWidget* parent = nullptr);

    QString Name() const;
    ReportHeader Header() const;
    bool ReplaceEntry() const; // false for a form not reopened from an entry

    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* HeadEdit(int index) const; // 0 Projekt ... 4 Bemerkung
    QLineEdit* ClientEdit() const { return m_client; }
    QLineEdit* NumberEdit() const { return m_number; }
    QRadioButton* ReplaceButton() const { return m_replace; }
    QRadioButton* AddButton() const { return m_add; }

    void accept() override; // remembers project and engineer

private:
    QLineEdit* m_name = nullptr;
    QLineEdit* m_head[5] = {};
    QLineEdit* m_client = nullptr; // Auftraggeber, kept with the project
    QLineEdit* m_number = nullptr; // Projekt-Nr.
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_add = nullptr;
};

} // namespace dralun
