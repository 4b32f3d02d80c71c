#pragma once
// The design discharge of the catchment in the calculation report: which
// table the form's discharge field was typed from, and the steps from the
// areas and the rain to the number typed. The text and JSON writers and the
// printed page all take its words and numbers from here.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "report/Report.h"

namespace dralun {

class CForm;

inline constexpr const char* kInflowHeading = "Zufluss aus dem Einzugsgebiet";

// The table of the form's discharge field: where the form has one
// (CForm::Inflow), the results shown belong to the inputs and the
// computation used that field; none else.
std::optional<ReportInflow> ReportedInflow(const CForm& form, const std::vector<ReportEntry>& inputs);

// An area's name as the report writes it: its own, or "Fläche 2".
std::string InflowAreaName(const ReportInflow& inflow, std::size_t index);

// Where r came from: "eingegeben", or "aus KOSTRA2020_117111.txt, D = 15 min,
// n = 0.2/a" (its numbers with a decimal comma where asked for).
std::string InflowRainSource(const InflowRain& rain, bool decimalComma = false);

// The values the steps put in, as inputs (A_1, psi_1, …, r) with their
// units, so that a page can write them as the table has them.
std::vector<ReportEntry> InflowInputs(const ReportInflow& inflow);

// The line under the steps: "In das Feld „Erforderlicher Abfluss Qerf“
// übernommen: 0.051 m³/s" (the text typed, its point a comma where asked for).
std::string InflowTakenLine(const ReportInflow& inflow, bool decimalComma = false);

// The block of the report's text, with its heading.
std::string InflowText(const ReportInflow& inflow);

// {field {id, name, label, unit}, typed, areas [{name, area (m²), hectares,
// psi}], rain {intensity, unit, source ("eingegeben" or "Datei"), file,
// sha256, duration, n}, steps [as the report's], value, unit}.
nlohmann::ordered_json InflowJsonValue(const ReportInflow& inflow);

} // namespace dralun
