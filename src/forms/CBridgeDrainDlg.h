#pragma once
// Spacing of the drains on a bridge deck after ZTV-ING, for two grating sizes.
#include <string>

#include "forms/CForm.h"

namespace dralun {

class CBridgeDrainDlg final : public CForm {
public:
    static constexpr int kTemplateId = 166;
    static constexpr int kPicture = 169;
    static constexpr int kSmall = 1007; // "300 x 500"
    static constexpr int kLarge = 1008; // "500 x 500"
    static constexpr int kCrossFall = 1047;

    explicit CBridgeDrainDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnInitDialog() override;
    void OnCompute();
    void OnGrating();

    double m_s = 0;   // longitudinal slope of the carriageway, %
    double m_BSt = 0; // drained width of the deck, m
    double m_L = 0;   // drain spacing, m
    std::string m_qf; // cross-fall of the carriageway, %, as the list shows it
};

} // namespace dralun
