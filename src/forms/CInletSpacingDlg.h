#pragma once
// Inlet spacing after the Dralun guideline: for the chosen gutter form,
// cross-fall and longitudinal slope, the capacity of the gutter at five
// water-spread widths and of three inlet variants at four of them, from the
// inlet capacity tables; either in l/s or, divided by the design inflow per
// metre of road q_d = gamma * q, as spacings in metres. The result is a small
// text table that the form draws itself.
#include <string>
#include <vector>

#include "core/CInletSpacing.h"
#include "core/CInletTables.h"
#include "forms/CForm.h"

namespace dralun {

class CInletSpacingDlg final : public CForm {
public:
    static constexpr int kTemplateId = 165;
    static constexpr int kPicture = 165;
    // Control ids.
    enum : int {
        kIdS = 1000,       // "Längsneigung [%]"
        kIdQ = 1001,       // "Zufluss [l/s/m]"
        kIdQd = 1002,      // design inflow, l/s/m
        kIdAbstand = 1024, // check box "Abstände in m"
        kIdQf = 1046,      // "Querneigung [%]", a list
        kIdGamma = 1064,   // "Sicherheitsfaktor", a list
        kIdCurb = 1007,    // "Bordrinne"
        kIdBay = 1008,     // "Straßenablaufbucht"
        kIdVGutter = 1009, // "Spitzrinne"
        kIdAPlan = 1044,   // "a geplant [m]": the inlet spacing planned
        kIdVariant = 1047, // "Ablauf": the inlet variant the plan is checked for, a list
        kIdWidth = 1048,   // "Wasserspiegelbreite b": its water-spread width, a list
    };

    // Title, standard buttons.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Dralun Straßenablauf-Abstände", .computeButton = kIdOk};
    explicit CInletSpacingDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    std::vector<FormChoice> Choices() const override;
    std::vector<DrawnText> Drawn() const override { return m_drawn; }
    // The planned spacing holds when it is no more than the spacing the
    // table allows the inlet chosen (variant and water-spread width; the
    // smallest over those not chosen); without one (a_plan = 0) nothing is
    // checked.
    bool StatesVerdict() const override { return true; }

    // For the picture: the gutter form (table family) and the cross-fall in %
    // as last read from the form.
    int Family() const { return m_family; }
    double CrossFall() const;
    bool TablesAvailable() const { return m_tablesLoaded; }

private:
    void OnInitDialog() override;
    void OnCompute() override;
    void OnGutterForm();
    void OnCrossFallList();
    void BeginIfTables();
    void ComputeFromMembers();
    void RefuseTable();
    void CorrectCrossFall();
    void DrawTable();
    void CheckPlannedSpacing(CSteps& steps);

    double m_s = 0;           // longitudinal slope, %
    double m_q = 0;           // inflow per metre of road, l/(s m)
    int m_spacing = 0;        // 1: spacings in m instead of capacities in l/s
    std::string m_crossFall;  // cross-fall of the carriageway, %, as the list shows it
    std::string m_safety;     // safety factor gamma, as the list shows it
    double m_qd = 0;          // design inflow q_d = gamma q, l/(s m)
    int m_family = 0;         // 0 Bordrinne, 1 Straßenablaufbucht, 2 Spitzrinne
    double m_aPlan = 0;       // inlet spacing planned, m (0: none)
    std::string m_variant;    // the inlet variant chosen, as the list shows it
    std::string m_width;      // its water-spread width in m, as the list shows it

    CInletTables m_tables;
    bool m_tablesLoaded = false;
    InletSpacingResult m_result;
    std::vector<DrawnText> m_drawn;
};

// Why the inlet capacity tables could not be loaded: the failure alone
// ("fehlt", "ist zu kurz (100 statt 1397 Bytes)", "ist ein Verzeichnis und
// keine Datei"), and the whole sentence that names the file and the data
// directory as well. Both empty after a good load.
std::string InletTablesFailureReason(const CInletTables::LoadProblem& problem);
std::string InletTablesFailureText(const CInletTables::LoadProblem& problem);

} // namespace dralun
