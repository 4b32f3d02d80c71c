#pragma once
// Rough-bed swale after Scheuerlein: a steep swale paved with loose stones.
// From water depth, swale width, mean stone size and bed slope it gives the
// air entrainment factor, the maximum and mean velocity and the discharge.
#include "forms/CForm.h"

namespace dralun {

class CRoughBedSwaleDlg final : public CForm {
public:
    static constexpr int kTemplateId = 176;
    static constexpr int kPicture = 176; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdH = 1000,  // "Wassertiefe [m]"
        kIdB = 1001,  // "Muldenbreite [m]"
        kIdD = 1002,  // "mittlere Steingröße [m]"
        kIdI = 1003,  // "Sohlengefälle [%o]"
        kIdA = 1004,  // "Durchflussquerschnitt [m²]"
        kIdVm = 1005, // "vm [m/s]", the maximum velocity
        kIdVM = 1006, // "vM [m/s]", the mean velocity
        kIdQm = 1013, // "Qm [m³/s]"
        kIdC = 1014,  // "Luftbeimischungsfaktor"
        kIdQerf = 1044, // "Q erforderlich [m³/s]": the discharge the swale must carry
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Raubettmulde", .computeButton = kIdOk, .cancelText = "Abbrechen",
        .inflowField = "Qerf", .inflowUnit = "m³/s"};
    explicit CRoughBedSwaleDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The swale carries the discharge asked for when Qerf <= Qm; without one
    // (Qerf = 0) nothing is checked.
    bool StatesVerdict() const override { return true; }

private:
    void OnCompute() override;

    double m_h = 0;  // water depth, m
    double m_B = 0;  // swale width, m
    double m_d = 0;  // mean stone size, m
    double m_I = 0;  // bed slope, per mille
    double m_Qerf = 0; // discharge asked for, m³/s (0: none)
    double m_A = 0;  // flow area, m²
    double m_vm = 0; // maximum velocity, m/s
    double m_vM = 0; // mean velocity over the whole cross-section, m/s
    double m_Qm = 0; // discharge, m³/s
    double m_c = 0;  // air entrainment factor
};

} // namespace dralun
