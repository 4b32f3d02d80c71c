#pragma once
// Road-side ditch: discharge capacity of a trapezoidal ditch after
// Manning-Strickler (bottom width b, bank slopes 1:m1 and 1:m2, water depth
// t, bed slope I, Strickler coefficient kSt).
#include "forms/CForm.h"

namespace dralun {

class CDitchDlg final : public CForm {
public:
    static constexpr int kTemplateId = 143;
    static constexpr int kPicture = 151; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdB = 1000,   // "Sohlenbreite b [m]"
        kIdH = 1001,   // "Böschungshöhe h [m]" (a result)
        kIdM1 = 1002,  // "Bö. Neigung links 1 :"
        kIdM2 = 1003,  // "Bö-Neigung rechts 1 : "
        kIdT = 1004,   // "Wassertiefe t [m]"
        kIdI = 1005,   // "Sohlengefälle [%o]"
        kIdKSt = 1006, // "kSt [m1/3/s]"
        kIdA = 1013,   // "A [m²]"
        kIdLu = 1014,  // "lu [m]"
        kIdRhy = 1015, // "rhy [m]"
        kIdV = 1016,   // "v [m/s]"
        kIdQ = 1018,   // "Q [m³/s]"
        kIdWsp = 1019, // "wsp b (t) [m]"
        kIdQerf = 1044, // "Q erforderlich [m³/s]": the discharge the ditch must carry
        kIdBPlus = 1012, kIdBMinus = 1020,
        kIdHPlus = 1017, kIdHMinus = 1021,
        kIdM1Plus = 1022, kIdM1Minus = 1023,
        kIdM2Plus = 1026, kIdM2Minus = 1027,
        kIdTPlus = 1037, kIdTMinus = 1038,
        kIdIPlus = 1039, kIdIMinus = 1040,
        kIdKStPlus = 1041, kIdKStMinus = 1042,
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Straßenseitengraben", .computeButton = kIdOk, .inflowField = "Qerf",
        .inflowUnit = "m³/s"};
    explicit CDitchDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The ditch carries the discharge asked for when Qerf <= Q; without one
    // (Qerf = 0) nothing is checked.
    bool StatesVerdict() const override { return true; }

private:
    void OnCompute() override;
    void OnInitDialog() override;

    double m_b = 0;   // bottom width, m
    double m_h = 0;   // bank height the water depth needs, m (a result)
    double m_m1 = 0;  // left bank slope 1 : m1
    double m_m2 = 0;  // right bank slope 1 : m2
    double m_t = 0;   // water depth, m
    double m_I = 0;   // bed slope, per mille
    double m_kSt = 0; // Strickler coefficient
    double m_Qerf = 0; // discharge asked for, m³/s (0: none)
    double m_A = 0;   // flow area, m²
    double m_lu = 0;  // wetted perimeter, m
    double m_R = 0;   // hydraulic radius, m
    double m_v = 0;   // mean velocity, m/s
    double m_Q = 0;   // discharge, m³/s
    double m_surfaceWidth = 0;
};

} // namespace dralun
