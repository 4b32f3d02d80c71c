#pragma once
// Curb gutter and V-gutter side by side: from the water depth at the curb or
// from the water-spread width, the wetted perimeter, flow area, velocity and
// discharge of both gutter forms after Manning-Strickler.
#include <string>
#include <vector>

#include "forms/CForm.h"

namespace dralun {

class CGutterDlg final : public CForm {
public:
    static constexpr int kTemplateId = 152;
    static constexpr int kPicture = 175;
    // Control ids.
    enum : int {
        kIdKSt = 1000, // "Rauheitsbeiwert kSt"
        kIdS = 1001,   // "Längsneigung Rinne s [%]"
        kIdQf = 1002,  // "Querneigung Fahrbahn qf [%]"
        kIdBS = 1003,  // "Breite Spitzrinne bS [m]"
        kIdHS = 1004,  // "Höhe Spitzrinne hS [m]"
        kIdQS = 1005,  // "Querneigung Spitzrinne [%]"
        // The columns of the curb gutter (1) and the V-gutter (2).
        kIdB1 = 1013, kIdB2 = 1043,   // "Wasserspiegelbreite b [m]"
        kIdH1 = 1006, kIdH2 = 1049,   // "Wasserstandshöhe h [cm]"
        kIdLu1 = 1014, kIdLu2 = 1015, // "lu [m]"
        kIdA1 = 1016, kIdA2 = 1018,   // "A [m²]"
        kIdV1 = 1019, kIdV2 = 1030,   // "v [m/s]"
        kIdQ1 = 1031, kIdQ2 = 1032,   // "Q [l/s]"
        kIdDepthGiven = 1007,         // "h vorgeben b ermitteln"
        kIdWidthGiven = 1008,         // "b vorgeben h ermitteln"
        kIdQerf = 1044,               // "Q erforderlich [l/s]": the discharge the gutter must carry
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Bord- / Spitzrinne", .computeButton = kIdOk, .inflowField = "Qerf",
        .inflowUnit = "l/s"};
    explicit CGutterDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    std::vector<FormChoice> Choices() const override;
    // Both gutter forms carry the discharge asked for when Qerf is no more
    // than the smaller of their discharges; without one (Qerf = 0) nothing
    // is checked.
    bool StatesVerdict() const override { return true; }

    bool DepthGiven() const { return m_mode == kIdDepthGiven; }
    double HS() const { return m_hS; }

private:
    void OnInitDialog() override;
    void OnCompute() override;
    void OnDepthGiven();
    void OnWidthGiven();
    void SetMode(int mode);
    void Compute();
    void OnRefusedWhole() override;

    double m_kSt = 0; // Strickler coefficient
    double m_qf = 0;  // cross-fall of the carriageway, %
    double m_hS = 0;  // depth of the V-gutter strip at the curb, m
    double m_lu1 = 0, m_lu2 = 0; // wetted perimeter, m (1: curb gutter, 2: V-gutter)
    double m_A1 = 0, m_A2 = 0;   // flow area, m²
    double m_v1 = 0, m_v2 = 0;   // mean velocity, m/s
    double m_Q1 = 0, m_Q2 = 0;   // discharge, l/s
    double m_s = 0;   // longitudinal slope of the gutter, %
    double m_bS = 0;  // width of the V-gutter strip, m
    double m_qS = 0;  // cross-fall of the V-gutter strip, %
    double m_b1 = 0, m_b2 = 0; // water-spread width, m
    double m_h1 = 0, m_h2 = 0; // water depth at the curb, cm
    double m_Qerf = 0;         // discharge asked for, l/s (0: none)
    int m_mode = kIdWidthGiven;
};

} // namespace dralun
