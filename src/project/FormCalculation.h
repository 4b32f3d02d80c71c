#pragma once
// A form as a calculation: the form model seen through ICalculation. Its
// values are named by the ids of its controls, written as text; setting them is typing into the
// fields, setting the modes and lists, and pressing "Rechne".
#include <memory>

#include "forms/CForm.h"
#include "report/ICalculation.h"

namespace dralun {

class CFormCalculation final : public ICalculation {
public:
    // A form of its own, made and not yet opened: the first Redo opens it.
    explicit CFormCalculation(std::unique_ptr<CForm> form);
    // A form someone else holds and has opened (the window's); read only
    // through the const one.
    explicit CFormCalculation(CForm& form);
    explicit CFormCalculation(const CForm& form);

    std::string Kind() const override;
    std::string Title() const override;
    std::string DefaultName() const override;
    std::string MainResult() const override;
    CalcValues Inputs() const override;
    std::string KeptProblem(const CalcValues& inputs, const CalcValues& results) const override;
    std::string Redo(const CalcValues& inputs) override;
    CalcValues Results() const override;
    std::vector<std::string> Messages() const override;
    std::string Refusal() const override;
    bool Refused() const override;
    std::optional<Verdict> CalcVerdict() const override;
    bool StatesVerdict() const override { return m_read->StatesVerdict(); }
    std::vector<CalcStep> Steps() const override;
    std::vector<DataFileUse> DataFiles() const override;
    std::vector<ResultChange> ChangedResults(const CalcValues& kept) const override;
    Report BuildReport(ReportHeader header) const override;
    const CForm* Form() const override { return m_read; }
    CForm* Form() override { return m_write; }

private:
    std::unique_ptr<CForm> m_owned;
    const CForm* m_read = nullptr;
    CForm* m_write = nullptr; // none for a form lent read only
    bool m_opened = true;
};

} // namespace dralun
