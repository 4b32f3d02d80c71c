#include "project/FormCalculation.h"

#include <algorithm>
#include <stdexcept>

#include "core/Format.h"
#include "project/KeepCalculation.h"
#include "rating/FormSettings.h"

namespace dralun {

namespace {

// The kept values as a calculation of this form holds them.
struct KeptById {
    Calculation calc;
    bool ok = false;
};

KeptById FormValues(int form, const CalcValues& inputs, const CalcValues& results)
{
    KeptById v;
    v.calc.form = form;
    v.ok = SetKeptValues(v.calc, inputs, results);
    return v;
}

} // namespace

CFormCalculation::CFormCalculation(std::unique_ptr<CForm> form)
    : m_owned(std::move(form)), m_read(m_owned.get()), m_write(m_owned.get()), m_opened(false)
{
}

CFormCalculation::CFormCalculation(CForm& form) : m_read(&form), m_write(&form) {}

CFormCalculation::CFormCalculation(const CForm& form) : m_read(&form) {}

std::string CFormCalculation::Kind() const { return std::to_string(m_read->TemplateId()); }

std::string CFormCalculation::Title() const { return m_read->Title(); }

std::string CFormCalculation::DefaultName() const { return DefaultCalculationName(*m_read); }

std::string CFormCalculation::MainResult() const { return MainResultText(*m_read); }

CalcValues CFormCalculation::Inputs() const
{
    FormSettings settings = SettingsOf(*m_read);
    Calculation c;
    c.inputs = std::move(settings.inputs);
    c.checks = std::move(settings.checks);
    c.selections = std::move(settings.selections);
    return KeptInputs(c);
}

std::string CFormCalculation::KeptProblem(const CalcValues& inputs, const CalcValues& results) const
{
    const KeptById kept = FormValues(m_read->TemplateId(), inputs, results);
    if (!kept.ok)
        return "ein Wert steht nicht unter der Nummer eines Steuerelements";
    const CForm& form = *m_read;
    const Calculation& calc = kept.calc;
    if (std::string problem = SettingsProblemOn(form, calc.form, {calc.inputs, calc.checks, calc.selections});
        !problem.empty())
        return problem;
    for (const auto& [id, text] : calc.results) {
        const FieldInfo* f = form.FindField(id);
        if (!f || IsInputField(*f))
            return Format("das Formular %d hat kein Ergebnisfeld %d", calc.form, id);
    }
    for (const auto& [id, items] : calc.lists) {
        const ControlDef* c = form.FindControl(id);
        if (!c || !IsListControl(form, *c))
            return Format("das Formular %d hat keine Liste %d", calc.form, id);
    }
    return {};
}

std::string CFormCalculation::Redo(const CalcValues& inputs)
{
    if (!m_write)
        throw std::logic_error("a form lent read only is not redone");
    const KeptById kept = FormValues(m_read->TemplateId(), inputs, {});
    if (!kept.ok)
        return "ein Wert steht nicht unter der Nummer eines Steuerelements";
    if (!m_opened) {
        m_write->Open();
        m_opened = true;
    }
    return ApplySettings(*m_write, {kept.calc.inputs, kept.calc.checks, kept.calc.selections});
}

CalcValues CFormCalculation::Results() const
{
    Calculation c;
    for (const FieldInfo& f : m_read->Fields())
        if (!IsInputField(f))
            c.results.emplace_back(f.id, m_read->Text(f.id));
    for (const ControlDef& def : m_read->Controls())
        if (IsListControl(*m_read, def))
            c.lists.emplace_back(def.id, m_read->Items(def.id));
    return KeptResults(c);
}

std::vector<std::string> CFormCalculation::Messages() const { return m_read->ComputationMessages(); }

std::string CFormCalculation::Refusal() const { return m_read->RefusedBecause(); }

bool CFormCalculation::Refused() const { return m_read->RefusedWhole(); }

std::optional<Verdict> CFormCalculation::CalcVerdict() const
{
    if (m_read->RefusedWhole() || m_read->ResultsStale())
        return std::nullopt;
    return m_read->FormVerdict();
}

std::vector<CalcStep> CFormCalculation::Steps() const
{
    if (m_read->RefusedWhole())
        return {};
    return m_read->Steps();
}

std::vector<DataFileUse> CFormCalculation::DataFiles() const { return m_read->DataFiles(); }

std::vector<ResultChange> CFormCalculation::ChangedResults(const CalcValues& kept) const
{
    std::vector<ResultChange> changes;
    const KeptById byId = FormValues(m_read->TemplateId(), {}, kept);
    for (const auto& [id, before] : byId.calc.results) {
        const std::string now = m_read->Text(id);
        if (now != before) {
            const FieldInfo* f = m_read->FindField(id);
            std::string label = f ? LabelWithoutUnit(f->label) : std::to_string(id);
            if (f && (label.size() < f->name.size() ||
                      label.compare(label.size() - f->name.size(), f->name.size(), f->name) != 0))
                label += (label.empty() ? "" : " ") + f->name;
            changes.push_back({id, label, before, now});
        }
    }
    for (const auto& [id, before] : byId.calc.lists) {
        // Lists the form fills with results; a drop-down list offers choices.
        if (const ControlDef* c = m_read->FindControl(id); c && c->type != Ctl::List)
            continue;
        const std::vector<std::string>& now = m_read->Items(id);
        for (size_t i = 0; i < std::max(before.size(), now.size()); ++i) {
            const std::string b = i < before.size() ? before[i] : "";
            const std::string n = i < now.size() ? now[i] : "";
            if (b != n)
                changes.push_back({id, Format("Liste %d, Zeile %zu", id, i + 1), b, n});
        }
    }
    return changes;
}

Report CFormCalculation::BuildReport(ReportHeader header) const { return dralun::BuildReport(*m_read, std::move(header)); }

} // namespace dralun
