#pragma once
// Asks for the head of a calculation report: project, structure or section,
// engineer, date (today's by default) and a remark. Project and engineer are
// remembered for the next report.
#include <QDialog>

#include "report/Report.h"

class QLineEdit;

namespace dralun {

class CReportHeaderDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReportHeaderDlg(QWidget* parent = nullptr);

    ReportHeader Header() const;
    QLineEdit* Edit(int index) const; // 0 Projekt ... 4 Bemerkung, for the tests

    void accept() override; // remembers project and engineer

private:
    QLineEdit* m_edits[5] = {};
};

} // namespace dralun
