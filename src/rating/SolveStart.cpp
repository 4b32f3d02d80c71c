#include "rating/SolveStart.h"

#include <cmath>
#include <optional>
#include <vector>

#include "core/NumberText.h"
#include "rating/FormCopy.h"

namespace dralun {

std::pair<double, double> DefaultSolveInterval(const CForm& form, int vary)
{
    const FieldInfo* f = form.FindField(vary);
    if (f && f->range)
        return {f->range->lo, f->range->hi};
    const double x = ParseFieldNumber(form.Text(vary)).value_or(0.0);
    const double decade = std::sqrt(10.0);
    if (x > 0)
        return {x / decade, x * decade};
    if (x < 0)
        return {x * decade, x / decade};
    return {0.0, 1.0};
}

bool ActsOn(const CForm& form, int vary, int result)
{
    const FieldInfo* f = form.FindField(vary);
    if (!f || !IsVariableField(form, vary) || !form.ModeUses(vary))
        return false;
    const double x = ParseFieldNumber(form.Text(vary)).value_or(0.0);
    double other = x == 0 ? 1 : x * 1.1;
    if (f->range && !(other <= f->range->hi))
        other = x == 0 ? f->range->hi : x * 0.9;
    CFormCopy copy(form);
    copy.RecordSteps();
    const CFormCopy::Outcome here = copy.Compute(vary, x, {result});
    const CFormCopy::Outcome there = copy.Compute(vary, other, {result});
    const double a = here.fullValues.front(), b = there.fullValues.front();
    return here.refused.empty() && there.refused.empty() && std::isfinite(a) && std::isfinite(b) && a != b;
}

int SolveVariableFor(const CForm& form, int result)
{
    const std::vector<int> ids = VariableFieldIds(form);
    for (int id : ids)
        if (ActsOn(form, id, result))
            return id;
    for (int id : ids)
        if (form.ModeUses(id))
            return id;
    return ids.empty() ? 0 : ids.front();
}

std::string CurrentFieldText(const CForm& form, int id)
{
    if (!form.ResultsStale())
        return form.Text(id);
    // The copy computes when an input is typed: one is typed as it stands.
    for (int vary : VariableFieldIds(form)) {
        const std::optional<double> value = ParseFieldNumber(form.Text(vary));
        if (!value)
            continue;
        CFormCopy copy(form);
        const CFormCopy::Outcome out = copy.Compute(vary, *value, {id});
        return out.refused.empty() ? out.texts.front() : std::string();
    }
    return {};
}

} // namespace dralun
