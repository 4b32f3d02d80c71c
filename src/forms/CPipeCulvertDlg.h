#pragma once
// Round pipe culvert: the discharge that a short circular culvert with a bed
// fill passes under the head difference h1 - h2, from inlet, outlet and
// friction losses (Manning-Strickler with a composite coefficient of bed and
// pipe wall). Mode 1: h1 given, the slope follows; mode 2: slope and
// backwater rise given, h1 follows.
#include "forms/CCulvertDlg.h"

namespace dralun {

class CPipeCulvertDlg final : public CCulvertDlg {
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kIdRechne = 1025;
    static constexpr int kIdDn10 = 1024;

    explicit CPipeCulvertDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;
    // The mode and whether the bed takes a tenth of the diameter.
    std::vector<FormChoice> Choices() const override;

private:
    void OnCompute();
    void OnDn10();
    void ApplyDn10Rule();
    void OnDnPlus();
    void OnDnMinus();
    void OnTPlus();
    void OnTMinus();
    void OnH1Plus();
    void OnH1Minus();
    void OnH2Plus();
    void OnH2Minus();

    double m_DN = 0;      // nominal diameter, mm
    double m_t = 0;       // depth of the bed fill above the invert, m
    double m_kStBed = 0;  // Strickler coefficient of the bed
    double m_kStWall = 0; // Strickler coefficient of the pipe wall
    double m_Q = 0;       // discharge, m³/s
    double m_v = 0;       // mean velocity, m/s
    double m_zetaIn = 0;  // inlet loss coefficient
    double m_zetaOut = 0; // outlet loss coefficient
    double m_bedArea = 0;
    double m_bedWidth = 0;
    double m_flowArea = 0;
    double m_wallPerimeter = 0;
};

} // namespace dralun
