#pragma once
// The table a calculation's discharge was typed from ("Zufluss…"), as the
// project file keeps it.
#include <optional>
#include <string>

#include "forms/FormInflow.h"
#include "project/Project.h"

namespace dralun {

// The most areas a kept table may hold.
inline constexpr std::size_t kMostInflowAreas = 1000;

ProjectJsonValue InflowJson(const FormInflow& inflow);

// The table of an entry's "inflow" member; empty, with the reason in
// German in *problem, when it does not read: a member missing or of the
// wrong type, a number that is not finite, too many areas, a text too long.
std::optional<FormInflow> InflowFromJson(const ProjectJsonValue& json, std::string* problem);

} // namespace dralun
