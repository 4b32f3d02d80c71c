#include "rating/FormSettings.h"

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/ComputeButton.h"
#include "forms/MainFields.h"
#include "report/Report.h"

namespace dralun {

namespace {

std::string RefusalText(Refusal refusal, const CForm& form, int id, const std::string& what)
{
    const std::string name = ControlName(form, id);
    switch (refusal) {
    case Refusal::None: return {};
    case Refusal::UnknownControl: return "das Formular hat kein Steuerelement " + name;
    case Refusal::NotEditable: return name + " ist ein Ergebnisfeld";
    case Refusal::Disabled: return name + " ist gesperrt und nimmt \"" + what + "\" nicht an";
    case Refusal::WrongControl: return name + " kann das nicht: " + what;
    case Refusal::BadIndex: return name + " hat keinen Eintrag " + what;
    case Refusal::BadValue: return name + " nimmt \"" + what + "\" nicht an";
    }
    return {};
}

std::string TypeFields(CForm& form, const FormSettings& settings)
{
    for (const auto& [id, text] : settings.inputs) {
        if (form.IsClosed() || form.Text(id) == text)
            continue;
        if (const Refusal r = form.Type(id, text); r != Refusal::None)
            return RefusalText(r, form, id, text);
    }
    return {};
}

} // namespace

bool IsInputField(const FieldInfo& field) { return field.role != Role::Out; }

bool IsSwitchControl(const CForm& form, const ControlDef& control)
{
    return (control.type == Ctl::Radio || control.type == Ctl::Check) && !form.FindField(control.id);
}

bool IsListControl(const CForm& form, const ControlDef& control)
{
    return (control.type == Ctl::List || control.type == Ctl::Combo) && !form.FindField(control.id);
}

std::string ControlName(const CForm& form, int id)
{
    if (const FieldInfo* f = form.FindField(id)) {
        const std::string label = LabelWithoutUnit(f->label);
        return Format("\"%s\" (%d)", (label.empty() ? f->name : label).c_str(), id);
    }
    if (const ControlDef* c = form.FindControl(id); c && !c->text.empty())
        return Format("\"%s\" (%d)", c->text.c_str(), id);
    return std::to_string(id);
}

FormSettings SettingsOf(const CForm& form)
{
    FormSettings s;
    for (const FieldInfo& f : form.Fields())
        if (IsInputField(f) && form.IsEnabled(f.id))
            s.inputs.emplace_back(f.id, form.Text(f.id));
    for (const ControlDef& def : form.Controls()) {
        if (IsSwitchControl(form, def) && form.IsEnabled(def.id))
            s.checks.emplace_back(def.id, form.IsChecked(def.id));
        if (IsListControl(form, def) && form.IsEnabled(def.id) && form.Selection(def.id) >= 0)
            s.selections.emplace_back(def.id, form.Selection(def.id));
    }
    return s;
}

std::string SettingsProblemOn(const CForm& form, int formId, const FormSettings& settings)
{
    for (const auto& [id, text] : settings.inputs) {
        const FieldInfo* f = form.FindField(id);
        if (!f)
            return Format("das Formular %d hat kein Feld %d", formId, id);
        if (!IsInputField(*f))
            return ControlName(form, id) + " ist ein Ergebnisfeld";
        if ((f->kind == Kind::Number || f->kind == Kind::Single) && !ParseFieldNumber(text))
            return ControlName(form, id) + ": \"" + text.substr(0, 40) + "\" ist keine Zahl";
        if (f->kind == Kind::Check && text != "0" && text != "1")
            return ControlName(form, id) + ": \"" + text.substr(0, 40) + "\" ist nicht 0 oder 1";
    }
    for (const auto& [id, checked] : settings.checks) {
        const ControlDef* c = form.FindControl(id);
        if (!c || !IsSwitchControl(form, *c))
            return Format("das Formular %d hat kein Optionsfeld und kein Kontrollkästchen %d", formId, id);
    }
    for (const auto& [id, index] : settings.selections) {
        const ControlDef* c = form.FindControl(id);
        if (!c || !IsListControl(form, *c))
            return Format("das Formular %d hat keine Liste %d", formId, id);
    }
    return {};
}

std::string ApplySettings(CForm& form, const FormSettings& settings)
{
    // As a user sets up a form: the modes and boxes, the fields, the data
    // a mode needs (a rainfall file), the lists it fills, and the fields
    // once more where loading the data wrote over them; then "Rechne".
    for (const auto& [id, checked] : settings.checks) {
        if (form.IsClosed())
            break;
        if (form.IsChecked(id) == checked || (!checked && form.FindControl(id)->type == Ctl::Radio))
            continue;
        if (const Refusal r = form.Click(id); r != Refusal::None)
            return RefusalText(r, form, id, checked ? "ein" : "aus");
    }
    if (std::string problem = TypeFields(form, settings); !problem.empty())
        return problem;
    for (int id : ReloadButtonIds(form))
        if (!form.IsClosed())
            form.Click(id);
    for (const auto& [id, index] : settings.selections) {
        if (form.IsClosed() || form.Selection(id) == index)
            continue;
        // A drop-down list filled from a data file loaded in another mode
        // (the rain durations while the rain is typed) only wrote into the
        // fields, which are kept themselves.
        if (form.FindControl(id)->type == Ctl::Combo && index >= static_cast<int>(form.Items(id).size()))
            continue;
        if (const Refusal r = form.Select(id, index); r != Refusal::None)
            return RefusalText(r, form, id, std::to_string(index));
    }
    if (std::string problem = TypeFields(form, settings); !problem.empty())
        return problem;
    if (form.IsClosed())
        return "das Formular hat sich geschlossen";
    PressCompute(form);
    return {};
}

} // namespace dralun
