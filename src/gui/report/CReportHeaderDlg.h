#pragma once
// Asks for the head of a calculation report: project, its number, client,
// structure or section, the office ("Planung"), engineer, place, date
// (today's by default), a remark, whether the printed page writes numbers
// with a decimal comma and whether it is the short form. All but structure,
// date and remark are remembered for the next report.
#include <QDialog>
#include <cstddef>

#include "project/Calculation.h"
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
// The office and the place are the same on every job: kept in the settings.
// Client and number belong to the project (its file keeps them with each
// calculation); the dialog offers the last ones typed. The short form as
// last chosen, for a single report and the project's print.
inline constexpr const char* kReportOfficeKey = "Bericht/Planung";
inline constexpr const char* kReportPlaceKey = "Bericht/Ort";
inline constexpr const char* kReportClientKey = "Bericht/Auftraggeber";
inline constexpr const char* kReportNumberKey = "Bericht/ProjektNr";
inline constexpr const char* kReportShortKey = "Bericht/Kurzfassung";

// The head fields the settings keep for every report: office, place and
// the short form as last chosen (nothing else of the head is touched).
void ApplyKeptHead(ReportHeader& header);

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
    QCheckBox* ShortFormBox() const { return m_short; }
    QLineEdit* ClientEdit() const { return m_client; }
    QLineEdit* NumberEdit() const { return m_number; }
    QLineEdit* PlaceEdit() const { return m_place; }
    QLineEdit* OfficeEdit(int line) const; // 0 the office's name, 1 to 3 its address

    // Remembers project, engineer, client, number, office, place, the
    // decimal comma and the short form.
    void accept() override;

private:
    QLineEdit* m_edits[5] = {};
    QLineEdit* m_client = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_place = nullptr;
    QLineEdit* m_office[kMostOfficeLines] = {};
    QCheckBox* m_comma = nullptr;
    QCheckBox* m_short = nullptr;
};

} // namespace dralun
