#pragma once
// Infiltration trench: the infiltration swale's calculation for a
// trapezoidal ditch of bottom width b, bank slopes 1 : m1 and 1 : m2 and
// depth T, divided by thresholds of height h_s.
#include "forms/CInfiltrationForm.h"

namespace dralun {

class CInfiltrationTrenchDlg final : public CInfiltrationForm {
public:
    static constexpr int kTemplateId = 104;
    static constexpr int kPictureId = 104;
    static constexpr int kUpdate = 1012; // "Daten Versickergraben aktualisieren"

    explicit CInfiltrationTrenchDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;

private:
    bool EvaluateSections(double hs, double tE, CInfiltrationBalance::Sections& out, CSteps& steps) override;

    double m_m1 = 0; // left bank slope 1 : m1
    double m_m2 = 0; // right bank slope 1 : m2
    double m_b = 0;  // bottom width, m
};

} // namespace dralun
