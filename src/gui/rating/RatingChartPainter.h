#pragma once
// The rating curve: each tabulated result over the varied input, one panel
// per result, stacked over a common input axis. Axes carry label and unit;
// a dashed line marks the form's current value of the input, with a dot on
// each curve. Where the form states a verdict, the inputs at which it is
// not met are shaded, and the curve of the demand's or the limit's
// quantity has the other drawn against it (a horizontal line with symbol
// and value where it is constant), so the crossing shows where the design
// stops carrying. Drawn with
// QPainter in the units of the device, so the window, the print preview and
// the PDF share it.
#include <QRectF>
#include <optional>

#include "report/RatingTable.h"

class QPainter;

namespace dralun {

// hoverRow: the row whose values are shown beside a vertical line (the one
// under the mouse), none for print. decimalComma: the numbers of a printed
// page with a comma.
void PaintRatingChart(QPainter& painter, const QRectF& area, const RatingTable& table,
                      std::optional<int> hoverRow = std::nullopt, bool decimalComma = false);

// The row whose input lies nearest to the device x coordinate inside the
// area, as PaintRatingChart maps it; none outside the plotted x range or
// for a table without rows.
std::optional<int> RatingChartRowAt(const QRectF& area, const RatingTable& table, double x);

} // namespace dralun
