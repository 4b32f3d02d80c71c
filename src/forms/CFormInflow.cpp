// The design discharge of the catchment typed into a form ("Zufluss…").
#include <cmath>

#include "core/Format.h"
#include "forms/CForm.h"

namespace dralun {

namespace {

// The discharge field of the form and its unit, or nullptr.
const FieldInfo* InflowField(const CForm& form, const char** unit)
{
    const FormDescription& description = form.Description();
    if (!description.inflowField || !description.inflowUnit)
        return nullptr;
    *unit = description.inflowUnit;
    return form.FindFieldByName(description.inflowField);
}

// Q as the field itself writes it after a computation (%.15g, a field of
// single precision %.6g), so that the text stays what was typed.
std::string DischargeText(const FieldInfo& field, double q)
{
    return field.kind == Kind::Single ? FormatG6(static_cast<float>(q)) : FormatG15(q);
}

} // namespace

Refusal CForm::TypeInflow(FormInflow inflow)
{
    const char* unit = nullptr;
    const FieldInfo* field = InflowField(*this, &unit);
    if (!field)
        return Refusal::UnknownControl;
    const double q = InflowDischarge(inflow, unit);
    if (!std::isfinite(q))
        return Refusal::BadValue;
    const std::string text = DischargeText(*field, q);
    // The field may refuse typing (locked in the mode chosen); the table
    // typed before stays with the text it gave.
    if (const Refusal refused = Type(field->id, text); refused != Refusal::None)
        return refused;
    inflow.typed = text;
    m_inflow = std::move(inflow);
    return Refusal::None;
}

const FormInflow* CForm::Inflow() const
{
    const char* unit = nullptr;
    const FieldInfo* field = InflowField(*this, &unit);
    if (!m_inflow || !field || Text(field->id) != m_inflow->typed)
        return nullptr;
    return &*m_inflow;
}

bool CForm::RestoreInflow(FormInflow inflow)
{
    m_inflow.reset();
    const char* unit = nullptr;
    const FieldInfo* field = InflowField(*this, &unit);
    if (!field || Text(field->id) != inflow.typed)
        return false;
    const double q = InflowDischarge(inflow, unit);
    if (!std::isfinite(q) || DischargeText(*field, q) != inflow.typed)
        return false;
    m_inflow = std::move(inflow);
    return true;
}

} // namespace dralun
