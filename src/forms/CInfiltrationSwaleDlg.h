#pragma once
// Infiltration swale: a swale of width B and depth T whose bed falls with J
// and is divided by thresholds of height h_s. For one section between two
// thresholds it gives the water cross-sections at both thresholds (circular
// segment or parabola), the storage volume, five infiltration areas and the
// water balance over a typed design rain or over the rainfall series file.
#include "forms/CInfiltrationForm.h"

namespace dralun {

class CInfiltrationSwaleDlg final : public CInfiltrationForm {
public:
    static constexpr int kTemplateId = 185;
    static constexpr int kPictureId = 185;
    static constexpr int kCircle = 1069;   // "Berechnung als Kreisabschnitt"
    static constexpr int kParabola = 1070; // "Berechnung als Parabel"
    static constexpr int kUpdate = 1013;   // "Daten Versickermulde aktualisieren"

    explicit CInfiltrationSwaleDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::vector<FormChoice> Choices() const override;

private:
    void OnInitDialog() override;
    bool EvaluateSections(double hs, double tE, CInfiltrationBalance::Sections& out, CSteps& steps) override;

    double m_B = 0; // swale width, m
};

} // namespace dralun
