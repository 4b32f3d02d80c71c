#pragma once
// Asks for the head of a calculation report: project, structure or section,
// engineer, date (today's by default), a remark, and whether the printed page
// writes numbers with a decimal comma. Project, engineer and the decimal
// comma are remembered for the next report.
#include <QDialog>
#include <cstddef>

#include "report/Report.h"

class QCheckBox;
class QLineEdit;

namespace dralun {

// The fields of a report's head, in order, and where the last Projekt and
// Bearbeiter are remembered (the keep dialog of a project asks for the same).
inline constexpr const char* kReportHeadLabels[] = {"&Projekt:", "&Bauwerk / Abschnitt:", "B&earbeiter:", "&Datum:",
                                                    "Be&merkung:"};
inline constexpr const char* kReportProjectKey = "Bericht/Projekt";
inline constexpr const char* kReportEngineerKey = "Bericht/Bearbeiter";
inline constexpr const char* kReportDecimalCommaKey = "Bericht/Dezimalkomma";

// Whether the printed page writes a decimal comma, as last chosen (the
// default: yes). What a program reads keeps the point.
bool ReportDecimalComma();

// Lets the edit take at most `longest` characters and no control characters,
// as a project keeps a name or head text.
void LimitTypedText(QLineEdit* edit, std::size_t longest);

class CReportHeaderDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReportHeaderDlg(QWidget* parent = nullptr);

    ReportHeader Header() const;
    QLineEdit* Edit(int index) const; // 0 Projekt ... 4 Bemerkung, for the tests
    QCheckBox* DecimalCommaBox() const { return m_comma; }

    void accept() override; // remembers project, engineer and the decimal comma

private:
    QLineEdit* m_edits[5] = {};
    QCheckBox* m_comma = nullptr;
};

} // namespace dralun
