#include "forms/CForm.h"

#include <algorithm>

#include "core/NumberText.h"

// Whether the results shown still belong to the inputs shown: after every
// action that computed, the inputs are kept and compared with what the
// form shows now.
namespace dralun {

// After a handler: when it computed, the inputs as it left them are those
// the results belong to.
void CForm::EndAction()
{
    if (m_computedInAction != m_action)
        return;
    m_computedOnce = true;
    m_inputsComputed = InputSnapshot();
}

// What the user has set on the form: the text of every input field, then
// the modes, boxes and drop-down lists. The lists the form fills with
// results are not inputs.
std::vector<std::string> CForm::InputSnapshot() const
{
    std::vector<std::string> snapshot;
    snapshot.reserve(m_fieldInfo.size() + m_controlDefs.size());
    for (const FieldInfo& info : m_fieldInfo)
        if (info.role != Role::Out)
            snapshot.push_back(Text(info.id));
    for (const ControlDef& c : m_controlDefs) {
        if (FindField(c.id))
            continue;
        if (c.type == Ctl::Radio || c.type == Ctl::Check)
            snapshot.emplace_back(IsChecked(c.id) ? "1" : "0");
        else if (c.type == Ctl::Combo)
            snapshot.push_back(std::to_string(Selection(c.id)));
    }
    return snapshot;
}

// Two snapshots hold the same inputs where every text is the same, or, in a
// number field, reads as the same number (2.50 and 2.5).
bool CForm::SameInputs(const std::vector<std::string>& a, const std::vector<std::string>& b) const
{
    if (a.size() != b.size())
        return false;
    size_t k = 0;
    for (const FieldInfo& info : m_fieldInfo) {
        if (info.role == Role::Out)
            continue;
        if (a[k] != b[k]) {
            if (info.kind != Kind::Number && info.kind != Kind::Single)
                return false;
            const std::optional<double> x = ParseFieldNumber(a[k]), y = ParseFieldNumber(b[k]);
            if (!x || !y || *x != *y)
                return false;
        }
        ++k;
    }
    for (; k < a.size(); ++k)
        if (a[k] != b[k])
            return false;
    return true;
}

bool CForm::HasResults() const
{
    return std::any_of(m_fieldInfo.begin(), m_fieldInfo.end(),
                       [](const FieldInfo& f) { return f.role == Role::Out; });
}

bool CForm::Computed(int id) const
{
    const FieldInfo* field = FindField(id);
    if (!field)
        return false;
    const auto holds = [id](const std::vector<int>& ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    if (field->role != Role::Out)
        return IsEnabled(id) || !holds(m_notCompleted);
    // A result that follows the inputs holds its value whether or not a
    // computation ran.
    if (holds(m_keptOnRefusal))
        return true;
    return m_computedOnce && !holds(m_refusedFields) && !holds(m_withoutValue);
}

bool CForm::CompletedByForm(int id) const
{
    return !IsEnabled(id) && std::find(m_completable.begin(), m_completable.end(), id) != m_completable.end();
}

void CForm::SetCompleted(int id, bool completed)
{
    std::erase(m_notCompleted, id);
    if (!completed)
        m_notCompleted.push_back(id);
}

std::string CForm::StaleBecause() const
{
    if (!HasResults())
        return {};
    if (!m_computedOnce)
        return "Noch nicht gerechnet – Rechne drücken";
    if (!m_staleMark.empty())
        return m_staleMark;
    if (!SameInputs(InputSnapshot(), m_inputsComputed))
        return "Eingaben geändert – Rechne drücken";
    return {};
}

} // namespace dralun
