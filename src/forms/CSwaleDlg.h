#pragma once
// Road swale: discharge capacity after Manning-Strickler of a swale of width
// B and depth h at the water depth t, as circular segment ("Kreis"), as
// parabola ("Parabel") and after the guideline's equation (7) for a swale
// filled to the brim.
#include "forms/CForm.h"

namespace dralun {

class CSwaleDlg final : public CForm {
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kPicture = 149; // the drawing beside the fields
    // Control ids.
    enum : int {
        kIdB = 1000,         // "Breite B [m]"
        kIdH = 1001,         // "Muldenhöhe h [m]"
        kIdT = 1002,         // "Wassertiefe t [m]"
        kIdI = 1003,         // "Gefälle [%o]"
        kIdKSt = 1004,       // "kSt [m1/3/s]"
        kIdAKreis = 1005,    // circle: "A (t) [m²]"
        kIdLuKreis = 1006,   // circle: "lu (t) [m]"
        kIdRKreis = 1013,    // circle: "r [m]"
        kIdVKreis = 1014,    // circle: "v [m/s]"
        kIdQKreis = 1015,    // circle: "Q [m³/s]"
        kIdBKreis = 1031,    // circle: "wsp b (t) [m]"
        kIdAParabel = 1016,  // parabola: "A (t) [m²]"
        kIdLuParabel = 1018, // parabola: "lu (t) [m]"
        kIdVParabel = 1019,  // parabola: "v [m/s]"
        kIdQParabel = 1030,  // parabola: "Q [m³/s]"
        kIdBParabel = 1043,  // parabola: "wsp b (t) [m]"
        kIdQGl7 = 1032,      // equation (7): "Q [m³/s]"
        kIdTEqualsH = 1024,  // "t = h"
        kIdQerf = 1044,      // "Q erforderlich [m³/s]": the discharge the swale must carry
        kIdBPlus = 1012, kIdBMinus = 1020,
        kIdHPlus = 1017, kIdHMinus = 1021,
        kIdTPlus = 1022, kIdTMinus = 1023,
        kIdIPlus = 1026, kIdIMinus = 1027,
        kIdKStPlus = 1037, kIdKStMinus = 1038,
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Mulde", .computeButton = kIdOk, .inflowField = "Qerf",
        .inflowUnit = "m³/s"};
    explicit CSwaleDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The swale carries the discharge asked for when Qerf is no more than the
    // smallest of its capacities; without one (Qerf = 0) nothing is checked.
    bool StatesVerdict() const override { return true; }

private:
    void OnInitDialog() override;
    void OnCompute() override;
    void OnTEqualsH();
    void ApplyTEqualsHRule();
    void EnableDepth(bool enable);
    void OnBPlus();
    void OnBMinus();
    void OnHPlus();
    void OnHMinus();
    void OnTPlus();
    void OnTMinus();
    void OnIPlus();
    void OnIMinus();
    void OnKStPlus();
    void OnKStMinus();

    double m_B = 0;   // swale width, m
    double m_h = 0;   // swale depth, m
    double m_t = 0;   // water depth, m
    double m_I = 0;   // slope, per mille
    double m_kSt = 0; // Strickler coefficient
    double m_Qerf = 0; // discharge asked for, m³/s (0: none)
    // Circular segment.
    double m_circleA = 0;
    double m_circleLu = 0;
    double m_circleR = 0;
    double m_circleV = 0;
    double m_circleQ = 0;
    double m_circleWidth = 0;
    // Parabola.
    double m_parabolaA = 0;
    double m_parabolaLu = 0;
    double m_parabolaV = 0;
    double m_parabolaQ = 0;
    double m_parabolaWidth = 0;
    // Equation (7) of the guideline.
    double m_Q7 = 0;
};

} // namespace dralun
