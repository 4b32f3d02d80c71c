#pragma once
// A calculation as a JSON object of the project file, and back.
#include <optional>
#include <string>

#include "project/Project.h"

namespace dralun {

// The longest text a calculation holds (a name, a field's text, a message).
inline constexpr std::size_t kLongestProjectText = 10000;

ProjectJsonValue CalculationToJson(const Calculation& calc);

// The calculation of an entry; empty, with the reason in *problem, when the
// entry is not one this program can read (a member of the wrong type, a
// text too long, an id that is not a control id).
std::optional<Calculation> CalculationFromJson(const ProjectJsonValue& entry, std::string* problem);

} // namespace dralun
