#pragma once
// Rating tables of a form: one input varied, the chosen fields read for
// every value, on a copy of the form.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/CForm.h"
#include "report/RatingTable.h"
#include "report/Report.h"

namespace dralun {

struct SweepValues {
    std::vector<double> values;
    std::string problem; // why the request gives no table, in German, or ""
};

// The values of the varied input: a step of 0, a step that never reaches
// "to", no rows, more than kMostRatingRows rows, a bound that is no finite
// number are problems.
SweepValues SweepValuesOf(const RatingRequest& request);

// The values of the varied input on the form: the entries of the list
// the field takes its values from (the pipe's DN) between the bounds, in
// their direction, whatever the step or rows; else SweepValuesOf.
SweepValues SweepValuesOn(const CForm& form, const RatingRequest& request);

// Why the form cannot be tabulated so ("" when it can): an unknown field, a
// result field or a locked or text field varied, an unknown column, or a
// problem of the values.
std::string RatingRequestProblem(const CForm& form, const RatingRequest& request);

// A field's label as a table heads it and a choice names it: no mnemonic,
// no unit in brackets, nor the unit or the "in" the label ends in ("Qv l/s",
// "Druckhöhe in [m]").
std::string ColumnLabel(const FieldInfo& field);

// Fields a table can show: every field of the form but the varied one.
std::vector<int> TabulableFieldIds(const CForm& form, int vary);

struct RatingOutcome {
    RatingTable table;
    std::string problem; // "" when the table was computed
};

// Told the rows done and the rows in all after each row; false stops the
// table (cancelled by the user).
using RatingProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The table on a copy of the form as it stands; the form is not changed.
// Steps are not recorded (a table of many rows does without). A table
// stopped by its progress has no rows and says "abgebrochen".
RatingOutcome ComputeRatingTable(const CForm& form, const RatingRequest& request,
                                 const RatingProgress& progress = {});

// The form's report with the rating table the user added to it, computed
// anew on the form as it stands; a request that no longer fits the form
// (a field locked in the current mode) leaves the table out and says why in
// the report's messages.
Report BuildRatedReport(const CForm& form, ReportHeader header, const std::optional<RatingRequest>& rating);

} // namespace dralun
