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
    static constexpr int kIdTEqualsH = 1024;

    explicit CSwaleDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnInitDialog() override;
    void OnCompute();
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
