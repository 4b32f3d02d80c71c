#pragma once
// Rectangular (frame) culvert: the discharge that a short box culvert of
// clear width b and clear height h with a bed fill passes under the head
// difference h1 - h2, from inlet, outlet and friction losses
// (Manning-Strickler with a composite coefficient of bed and concrete).
// Mode 1: h1 given, the slope follows; mode 2: slope and rise given.
#include "forms/CCulvertDlg.h"

namespace dralun {

class CBoxCulvertDlg final : public CCulvertDlg {
public:
    static constexpr int kTemplateId = 158;

    explicit CBoxCulvertDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnCompute();

    double m_b = 0;           // clear width, m
    double m_h = 0;           // clear height, m
    double m_t = 0;           // depth of the bed fill, m
    double m_kStBed = 0;      // Strickler coefficient of the bed
    double m_kStConcrete = 0; // Strickler coefficient of the concrete
    double m_Q = 0;           // discharge, m³/s
    double m_v = 0;           // mean velocity, m/s
    double m_zetaIn = 0;      // inlet loss coefficient
    double m_zetaOut = 0;     // outlet loss coefficient
    double m_bedArea = 0;
    double m_bedWidth = 0;
    double m_flowArea = 0;
    double m_concretePerimeter = 0;
};

} // namespace dralun
