#pragma once
// "Rechne": the button that starts a form's computation.
namespace dralun {

class CForm;

// The id of the form's "Rechne" button, or -1 when the form computes nothing.
int ComputeButtonId(const CForm& form);

// Presses "Rechne" once, if the form has it and is still open.
void PressCompute(CForm& form);

} // namespace dralun
