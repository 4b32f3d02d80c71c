#pragma once
// Throttle section after ATV-A 111: the velocity in a short throttle pipe
// that drains a retention basin, and its discharge; every step of the search
// goes into dump-DrosselA111.txt.
#include "forms/CForm.h"

namespace dralun {

class CThrottleSectionDlg final : public CForm {
public:
    static constexpr int kTemplateId = 170;
    static constexpr int kPicture = 170;
    explicit CThrottleSectionDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnCompute();

    double m_kb = 0;     // operational roughness, mm
    double m_zeta = 0;   // inlet loss coefficient
    double m_mD = 0;     // outlet water level as a fraction of the diameter
    double m_du = 0;     // throttle diameter, mm
    double m_L = 0;      // throttle length, m
    double m_I = 0;      // throttle slope, per mille (always disabled)
    double m_outlet = 0; // invert level at the outlet, m above datum
    double m_hmax = 0;   // highest water level in the basin, m above datum
    double m_v = 0;      // velocity in the throttle, m/s
    double m_Q = 0;      // throttle discharge, m³/s
    double m_va = 0;     // approach velocity, m/s
};

} // namespace dralun
