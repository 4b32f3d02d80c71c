#pragma once
// Oscillating gutter: branch lengths, inlet spacing, inflows and the
// smallest cross-fall at the low point after equation (9), in single
// precision.
#include <string>

#include "core/COscillatingGutter.h"
#include "forms/CForm.h"

namespace dralun {

class COscillatingGutterDlg final : public CForm {
public:
    static constexpr int kTemplateId = 154;
    static constexpr int kPicture = 157;
    explicit COscillatingGutterDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnCompute();

    float m_sf = 0;    // longitudinal slope of the road, %
    float m_smin = 0;  // longitudinal slope of the gutter, %
    float m_qH = 0;    // cross-fall at the high point, %
    float m_qT = 0;    // cross-fall at the low point, %
    float m_b = 0;     // gutter width, m
    float m_qs = 0;    // lateral inflow, l/s per m
    float m_L1 = 0;    // m
    float m_L2 = 0;    // m
    float m_QzuL1 = 0; // l/s
    float m_QzuL2 = 0; // l/s
    float m_qtmin = 0; // %
    float m_dhh = 0;   // cm
    float m_dht = 0;   // cm
    float m_L = 0;     // inlet spacing, m
    COscillatingGutter m_gutter;
};

} // namespace dralun
