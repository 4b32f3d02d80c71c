#pragma once
// Time coefficient of a design rain, phi = 38/(T + 9) * (1/n^0.25 - 0.3684),
// tabulated for 16 durations and 4 frequencies (CTimeCoefficient).
// Single-precision fields.
#include "core/CTimeCoefficient.h"
#include "forms/CForm.h"

namespace dralun {

class CTimeCoefficientDlg final : public CForm {
public:
    static constexpr int kTemplateId = 183;
    static constexpr int kRows = kTimeCoefficientRows;
    static constexpr int kColumns = kTimeCoefficientColumns;
    // Control ids by row: the duration, then phi for n1 ... n4.
    static const int kGrid[kRows][1 + kColumns];

    explicit CTimeCoefficientDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::string Method() const override;

private:
    void OnInitDialog() override;
    void OnCompute();

    float m_n[kColumns] = {};
    float m_T[kRows] = {};
    float m_phi[kRows][kColumns] = {};
};

} // namespace dralun
