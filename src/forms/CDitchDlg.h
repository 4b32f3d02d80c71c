#pragma once
// Road-side ditch: discharge capacity of a trapezoidal ditch after
// Manning-Strickler (bottom width b, bank slopes 1:m1 and 1:m2, water depth
// t, bed slope I, Strickler coefficient kSt).
#include "forms/CForm.h"

namespace dralun {

class CDitchDlg final : public CForm {
public:
    static constexpr int kTemplateId = 143;

    explicit CDitchDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnInitDialog() override;
    void OnCompute();
    void OnBPlus();
    void OnBMinus();
    void OnM1Plus();
    void OnM1Minus();
    void OnM2Plus();
    void OnM2Minus();
    void OnTPlus();
    void OnTMinus();
    void OnIPlus();
    void OnIMinus();
    void OnKStPlus();
    void OnKStMinus();

    double m_b = 0;   // bottom width, m
    double m_h = 0;   // bank height the water depth needs, m (a result)
    double m_m1 = 0;  // left bank slope 1 : m1
    double m_m2 = 0;  // right bank slope 1 : m2
    double m_t = 0;   // water depth, m
    double m_I = 0;   // bed slope, per mille
    double m_kSt = 0; // Strickler coefficient
    double m_A = 0;   // flow area, m²
    double m_lu = 0;  // wetted perimeter, m
    double m_R = 0;   // hydraulic radius, m
    double m_v = 0;   // mean velocity, m/s
    double m_Q = 0;   // discharge, m³/s
    double m_surfaceWidth = 0;
};

} // namespace dralun
