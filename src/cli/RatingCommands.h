#pragma once
// dralun-calc and the tools of every computing form: a rating table of one
// input (--sweep) as CSV, and the input at which a result reaches a target
// (--solve).
#include <iosfwd>
#include <optional>

#include "cli/FormEvents.h"
#include "rating/RatingCsv.h"
#include "rating/SolveFor.h"

namespace dralun {

class CForm;

// Throws UsageError when the options do not go together: --sweep with
// --solve, --json, --report or --add-to; --rows, --columns, --csv-de or --full
// without --sweep; --solve without --vary and the other way round.
void CheckRatingOptions(const CalcOptions& options);

// The digits of the --sweep CSV: every digit in the plain CSV, which a
// program reads, and with --full; the German CSV (--csv-de) rounded for
// each column's unit as the window shows it.
CsvDigits SweepDigits(const CalcOptions& options);

// --sweep: the table of the form as it stands, as CSV on out; 0, or
// UsageError for a request that gives no table.
int RunSweep(const CForm& form, const CalcOptions& options, std::ostream& out);

struct SolvedInput {
    int vary = 0;
    SolveOutcome outcome;
};

// --solve: searches on a copy of the form, then types the value found into
// the form and presses "Rechne". Nothing when no value is found (the reason
// is on err); UsageError for a request that cannot be searched.
std::optional<SolvedInput> RunSolve(CForm& form, const CalcOptions& options, std::ostream& err);

} // namespace dralun
