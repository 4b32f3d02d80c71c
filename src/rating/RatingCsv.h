#pragma once
// A rating table as text for spreadsheets: a header line with each column's
// id, label and unit ("1019 DN [mm]"), then one line per row, the varied
// input first, each value as the form writes it, "-" where a row was
// refused, an empty cell where the form left only that result out, and
// the row's message in the last column "Meldung".
#include <string>

#include "report/RatingTable.h"

namespace dralun {

struct CsvStyle {
    char separator;
    bool decimalComma;
};

inline constexpr CsvStyle kCsvPoint{',', false};  // "," and decimal point
inline constexpr CsvStyle kCsvGerman{';', true};  // ";" and decimal comma, German spreadsheets
inline constexpr CsvStyle kTabsPoint{'\t', false}; // the clipboard
inline constexpr CsvStyle kTabsComma{'\t', true};

// Lines end in "\n"; a cell with the separator, a quote or a line end is quoted.
std::string RatingCsv(const RatingTable& table, CsvStyle style);

} // namespace dralun
