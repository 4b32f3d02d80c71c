#pragma once
// What a user set on a form (the fields he typed, the modes and boxes, the
// entries chosen in lists) and how it is set again on another form of the
// same kind, as a user would: a kept calculation is reopened so, and every
// copy of a form that a rating table or a search computes on is made so.
#include <string>
#include <utility>
#include <vector>

#include "forms/CForm.h"

namespace dralun {

struct FormSettings {
    // Input fields the user could type into, in the form's order.
    std::vector<std::pair<int, std::string>> inputs;
    // Radio buttons and check boxes (not bound to a field): checked or not.
    std::vector<std::pair<int, bool>> checks;
    // Lists and drop-down lists not bound to a field: the selected entry.
    std::vector<std::pair<int, int>> selections;
};

// A field the user types into (every field that is not a result).
bool IsInputField(const FieldInfo& field);
// Radio buttons and check boxes that are not bound to a field.
bool IsSwitchControl(const CForm& form, const ControlDef& control);
// Lists and drop-down lists that are not bound to a field.
bool IsListControl(const CForm& form, const ControlDef& control);

// A control as a refusal names it: "\"Sohlenbreite b\" (1000)".
std::string ControlName(const CForm& form, int id);

// What the form shows now: the enabled inputs, switches and chosen lists.
FormSettings SettingsOf(const CForm& form);

// Whether the settings fit the form: every control they name is there and
// of the right kind, every number reads. "" when they fit, else why not;
// formId names the form the settings were made on.
std::string SettingsProblemOn(const CForm& form, int formId, const FormSettings& settings);

// Sets the settings on an opened form and presses "Rechne". "" when every
// step was taken, else why one was refused (a field that is locked in the
// modes set).
std::string ApplySettings(CForm& form, const FormSettings& settings);

} // namespace dralun
