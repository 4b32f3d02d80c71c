#pragma once
// The calculation report as plain text (UTF-8, for a terminal and a diff)
// and as JSON (for scripts: every step's expression can be evaluated on its
// own and gives the step's value).
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "report/Report.h"

namespace dralun {

// The text report; in the short form where its head asks for it.
std::string ReportText(const Report& report);
std::string ReportJson(const Report& report);
// The same as a JSON value (a project's reports are an array of them).
nlohmann::ordered_json ReportJsonValue(const Report& report);

// The lines of the head, label and value, in the order every page prints
// them; "Planung" holds its lines after line feeds.
std::vector<std::pair<std::string, std::string>> HeadLines(const ReportHeader& header);

// What a blank field of the signature block shows: a line to write on.
inline constexpr const char* kSignatureBlank = "...............................";
// The signature block as text lines: "Aufgestellt:" with place, date and
// name, "Geprüft:" with blank lines; an empty field is a blank line.
std::vector<std::string> SignatureLines(const SignatureBlock& signature);

// What a short form says in place of the steps it leaves out.
std::string OmittedStepsText(const Report& shortReport);

// The lines of a step after "symbol =": the formula, the formula with the
// numbers put in, the value (%.6g); a line that repeats the one before is left out.
std::vector<std::string> StepLines(const CalcStep& step);

// A value as the report writes it into JSON: %.15g, as a number.
double Rounded15(double value);
// A step as the JSON report writes it: text, symbol, formula, the formula
// with the numbers put in ("expr"), value and unit.
nlohmann::ordered_json StepJsonValue(const CalcStep& step);

// A column of a rating table as its head shows it: the label, with the
// field's name where the label does not end in it ("Druckhöhe h").
std::string RatingColumnTitle(const RatingColumn& column);
// The unit of a column in brackets, "" for none: "[l/s]".
std::string RatingUnitText(const RatingColumn& column);
// What was varied and over which range: "Verändert: Druckhöhe h von 0.5 bis
// 2 m in Schritten von 0.25 m (7 Zeilen)".
std::string RatingRangeText(const RatingTable& table);

} // namespace dralun
