#pragma once
// The report's part "Wertetabelle": what was varied over which range, the
// curves of the tabulated results, and the table itself, one report row per
// table row, its head set again on every page the table runs on to.
#include <vector>

#include "gui/report/ReportRows.h"
#include "report/RatingTable.h"

namespace dralun {

// The height of the curves on the page: 9 cm for one or two results, more
// for more, never more than fits a page under the part's heading.
double RatingChartHeight(const RatingTable& table, const QPaintDevice& device, double bodyHeight);

// Appends the part's rows to the report's rows (the table's rows name the
// row of its head by its place among them). The numbers are printed rounded
// for their units, the inputs as typed; where the form states a verdict,
// the utilisation and "erfüllt" / "nicht erfüllt" follow the results.
void AppendRatingRows(std::vector<ReportRow>& rows, const RatingTable& table, const QPaintDevice& device, double width,
                      double bodyHeight, bool decimalComma = true);

} // namespace dralun
