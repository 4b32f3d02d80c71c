#pragma once
// The steps of a computation as the printed page sets them: each numbered,
// what it finds, then "symbol = formula", "= the numbers put in", "= the
// value and unit", the signs under each other.
#include <vector>

#include "core/CalcSteps.h"
#include "gui/report/RowMaker.h"
#include "report/TextbookFormula.h"

namespace dralun {

// One row per step; `numbers` is made from a report whose steps these are.
// compact (the short form): "symbol = formula = numbers = value" on one line,
// wrapped where it is wider than the page.
void StepRows(CRowMaker& m, const ReportFonts& f, const std::vector<CalcStep>& steps, const CPageNumbers& numbers,
              bool compact = false);

} // namespace dralun
