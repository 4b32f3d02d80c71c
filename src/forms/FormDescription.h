#pragma once
// What a form says of itself and the form base needs to know: its template
// id, its title, its standard buttons ("Rechne" and the cancel button) and
// the field a design discharge of the catchment is typed into. Each form
// class declares one (`kDescription`) and hands it to `CForm`; the registry
// of all forms reads the same one, so nothing of it is written twice.
namespace dralun {

// A form without a "Rechne" button computes nothing.
inline constexpr int kNoComputeButton = -1;

struct FormDescription {
    int templateId = 0;
    const char* title = "";
    // The id of the "Rechne" button; the form's Compute() runs when it is
    // pressed. kNoComputeButton: the form computes nothing.
    int computeButton = kNoComputeButton;
    // The text of the cancel button (kIdCancel), "Abbruch" or "Abbrechen";
    // nullptr: the form declares its buttons itself.
    const char* cancelText = "Abbruch";
    // The field a design discharge of the catchment is typed into
    // ("Zufluss…"), by short name, and its unit ("l/s" or "m³/s"); nullptr
    // for a form that takes no inflow (an allowed outflow, a throttle
    // discharge or a discharge per metre is none).
    const char* inflowField = nullptr;
    const char* inflowUnit = nullptr;
};

// The description the registry holds for a form whose class declares none
// (it declares its buttons itself and is made by template id); nullptr for
// a form the registry does not know.
const FormDescription* RegisteredDescription(int templateId);

} // namespace dralun
