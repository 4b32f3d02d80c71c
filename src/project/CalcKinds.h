#pragma once
// The kinds of calculation the program knows: every form of the form
// registry, and the kinds beside them. The project, its check and its
// reports, and the driver make a calculation of a kept kind here and know
// nothing else of it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/IMessageSink.h"
#include "report/ICalculation.h"

namespace dralun {

struct CalcKindInfo {
    std::string name;  // how a project names it: begins with a letter
    std::string title; // as a person reads it
    std::function<std::unique_ptr<ICalculation>(IMessageSink& sink)> create;
};

// Whether a kind names a form: its template id, digits only.
bool IsFormKind(const std::string& kind);

// The kinds beside the forms, in the order they were added.
const std::vector<CalcKindInfo>& OtherCalcKinds();
// Adds a kind beside the forms (a program adds its kinds before it reads a
// project); one of the same name is replaced. A name that is no kind's
// name (empty, not beginning with a letter) is refused: false.
bool AddCalcKind(CalcKindInfo kind);

// A new calculation of the kind, with its defaults (a form made, not
// opened); null for a kind this program does not know.
std::unique_ptr<ICalculation> MakeCalculation(const std::string& kind, IMessageSink& sink);

// Why a kind cannot be used: "unbekanntes Formular 999", "unbekannte Art
// der Berechnung \"xyz\"".
std::string UnknownKindText(const std::string& kind);

} // namespace dralun
