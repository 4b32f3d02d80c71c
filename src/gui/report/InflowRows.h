#pragma once
// The design discharge of the catchment on the printed page: the areas as
// a small table, the rain and where it came from, the steps to Q and the
// field Q went into.
#include "gui/report/RowMaker.h"
#include "report/Report.h"

namespace dralun {

void InflowRows(CRowMaker& m, const ReportFonts& f, const ReportInflow& inflow, bool decimalComma);

} // namespace dralun
