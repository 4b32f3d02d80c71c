#pragma once
// Throttle orifice with free outflow: from the throttle discharge, the
// pressure head and the discharge coefficient it gives the outflow velocity,
// the required flow area and the required diameter.
#include "forms/CForm.h"

namespace dralun {

class COrificeDlg final : public CForm {
public:
    static constexpr int kTemplateId = 171;
    static constexpr int kPicture = 195; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdQ = 1000,  // "Drosselabfluss Q in [l/s]"
        kIdH = 1001,  // "Druckhöhe in [m]"
        kIdMu = 1002, // "Ausflussbeiwert mü [1]"
        kIdA = 1003,  // "erf. Durchflussquerschnitt in [m²]"
        kIdD = 1004,  // "erf. Drosseldurchmesser in [m]"
        kIdV = 1005,  // "Fließgeschwindigkeit v [m/s]"
        kIdDGew = 1044, // "gewählter Drosseldurchmesser d [m]": the opening to be built
    };
    // Title, standard buttons.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Drossel", .computeButton = kIdOk};
    explicit COrificeDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The form sizes the opening for the throttle discharge, so that alone
    // checks nothing; a chosen diameter is checked: its outflow must not
    // exceed the throttle discharge. Without one (d_gew = 0) nothing is
    // checked.
    bool StatesVerdict() const override { return true; }

private:
    void OnCompute() override;

    double m_Q = 0;  // throttle discharge, l/s
    double m_h = 0;  // pressure head, m
    double m_mu = 0; // discharge coefficient
    double m_A = 0;  // required flow area, m²
    double m_d = 0;  // required diameter, m
    double m_v = 0;  // outflow velocity, m/s
    double m_dChosen = 0; // diameter chosen, m (0: none)
};

} // namespace dralun
