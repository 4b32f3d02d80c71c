#pragma once
// The form's picture on the printed page: drawn as the window draws it, in
// a coordinate system of 1/96 inch per unit, so that its lines have the
// widths they have on the screen and its labels a print size.
#include "gui/report/ReportRows.h"

namespace dralun {

// The id of the form's picture; -1 when its layout shows none.
int PictureIdOf(const CForm& form);

// A row that holds the picture, as large as its labels at print size make
// it, and smaller where it would be wider or taller than the room; shrink
// below 1 draws it smaller still (to spare a page).
ReportRow PictureRow(const CForm& form, int pictureId, const QPaintDevice& device, double width, double maxHeight,
                     double shrink = 1, bool decimalComma = false);

} // namespace dralun
