#pragma once
// Oscillating gutter: branch lengths, inlet spacing, inflows and the
// smallest cross-fall at the low point after equation (9), in single
// precision.
#include <string>

#include "forms/CForm.h"

namespace dralun {

class COscillatingGutterDlg final : public CForm {
public:
    static constexpr int kTemplateId = 154;
    static constexpr int kPicture = 157;
    // Control ids.
    enum : int {
        kIdSf = 1000,    // "Straßenlängsneigung"
        kIdSmin = 1001,  // "Gerinnelängsneigung"
        kIdQH = 1002,    // "Gerinnequerneigung am Hochpunkt"
        kIdQT = 1003,    // "Gerinnequerneigung am Tiefpunkt"
        kIdB = 1004,     // "Gerinnebreite"
        kIdQs = 1005,    // "seitlicher Gerinnezufluss"
        kIdL1 = 1006,    // "Abstand" L1
        kIdL2 = 1013,    // "Abstand" L2
        kIdQzuL1 = 1014, // "Zufluss am Ablauf durch L1"
        kIdQzuL2 = 1015, // "Zufluss am Ablauf durch L2"
        kIdQtmin = 1016, // "Gleichung (9)"
        kIdDhh = 1018,   // "Delta h  Hochpunkt"
        kIdDht = 1019,   // "Delta h  Tiefpunkt"
        kIdL = 1030,     // "Abstand" L = L1 + L2
    };
    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Pendelrinne", .computeButton = kIdOk};
    explicit COscillatingGutterDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The condition the form states: qtmin < qT.
    bool StatesVerdict() const override { return true; }

private:
    void OnCompute() override;

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
};

} // namespace dralun
