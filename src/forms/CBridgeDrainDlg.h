#pragma once
// Spacing of the drains on a bridge deck after ZTV-ING, for two grating sizes.
#include <string>

#include "forms/CForm.h"

namespace dralun {

class CBridgeDrainDlg final : public CForm {
public:
    static constexpr int kTemplateId = 166;
    static constexpr int kPicture = 169;
    // Control ids.
    enum : int {
        kIdS = 1001,            // "Fahrbahnlängsneigung s [%]"
        kIdBSt = 1002,          // "Entwässerungsbreite BSt [m]"
        kIdL = 1003,            // "Abstand der Brückenabläufe [m]"
        kIdQf = 1047,           // "Fahrbahnquerneigung qf [%]", a list
        kIdGratingSmall = 1007, // "300 x 500"
        kIdGratingLarge = 1008, // "500 x 500"
        kIdAPlan = 1044,        // "a geplant [m]": the drain spacing planned
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "ZTV K Brückenablaufabstände", .computeButton = kIdOk};
    explicit CBridgeDrainDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The planned spacing holds when a_plan <= L; without one (a_plan = 0)
    // nothing is checked.
    bool StatesVerdict() const override { return true; }

private:
    void OnInitDialog() override;
    void OnGrating();
    void OnCompute() override;

    double m_s = 0;   // longitudinal slope of the carriageway, %
    double m_BSt = 0; // drained width of the deck, m
    double m_L = 0;   // drain spacing, m
    double m_aPlan = 0; // drain spacing planned, m (0: none)
    std::string m_qf; // cross-fall of the carriageway, %, as the list shows it
};

} // namespace dralun
