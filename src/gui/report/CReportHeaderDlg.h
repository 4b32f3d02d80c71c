#pragma once
// Asks for the head of a calculation report: project, structure or section,
// engineer, date (today's by default) and a remark. Project and engineer are
// remembered for the next report.
#include <QDialog>
#include <cstddef>

#include "report/Report.h"

class QLineEdit;

namespace dralun {

// The fields of a report's head, in order, and where the last Projekt and
// Bearbeiter are remembered (the keep dialog of a project asks for the same).
inline constexpr const char* kReportHeadLabels[] = {"&Projekt:", "&Bauwerk / Abschnitt:", "B&earbeiter:", "&Datum:",
                                                    "Be&merkung:"};
inline constexpr const char* kReportProjectKey = "Bericht/Projekt";
inline constexpr const char* kReportEngineerKey = "Bericht/Bearbeiter";

// Lets the edit take at most `longest` characters and no control characters,
// as a project keeps a name or head text.
void LimitTypedText(QLineEdit* edit, std::size_t longest);

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
