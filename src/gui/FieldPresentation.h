#pragma once
// What a form window shows of a field and of a verdict: numbers as an
// engineer reads them (results rounded for their unit, inputs the form
// wrote itself as the user would have typed them), the full text on hover
// and in copy, and the verdict in words. The form model's texts are never
// changed: this is the window's presentation only.
#include <QString>
#include <string>

#include "core/Verdict.h"
#include "forms/FormTypes.h"

namespace dralun {

class CForm;

// What a field shows where it holds no value (a result not computed).
inline constexpr const char* kNoValueText = "–";

// The text a field of the form shows for the model's text. typedByUser: the
// model's text is what the user typed into the field (it is shown as typed);
// allDigits: "Alle Stellen anzeigen" (the model's text as it is). A field
// without a value shows "–" (its text, "0", is no value); an input the form
// completes reads as a result.
QString ShownFieldText(const CForm& form, const FieldInfo& field, const std::string& modelText, bool typedByUser,
                       bool allDigits);

// The tool tip of a field: its meaning (from the form's help, else its
// label), unit, range, "Ergebnis" for a result, and the full value where the
// field shows it rounded (always for a result), or "nicht berechnet".
QString FieldToolTip(const CForm& form, const FieldInfo& field, const QString& fullText, const QString& shownText);

// "Nachweis erfüllt: Q = 40.0 l/s ≤ Qv = 97.9 l/s (Ausnutzung 40.8 %)", and
// each criterion chosen beside the check that is not met, in words.
QString VerdictLineText(const Verdict& verdict, bool allDigits);

} // namespace dralun
