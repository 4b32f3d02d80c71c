#pragma once
// A rating table as text for spreadsheets: a header line with each column's
// label and unit ("Druckhöhe h [m]"), then one line per row, the varied
// input first, each value of the row, "-" where a row was refused, an
// empty cell where the form left only that result out; where the form
// states a verdict, the utilisation and "erfüllt" / "nicht erfüllt"; the
// row's message in the last column "Meldung".
#include <string>

#include "report/RatingTable.h"

namespace dralun {

struct CsvStyle {
    char separator;
    bool decimalComma;
    // The file starts with the UTF-8 byte-order mark EF BB BF. Spreadsheets
    // that assume Windows conventions read a CSV without it in the system's
    // 8-bit code page and turn "ä" into "Ã¤"; with it they read UTF-8 and the
    // umlauts stay. Only the German style has it: a program that reads the
    // plain style takes the mark for part of the first header.
    bool byteOrderMark;
};

inline constexpr CsvStyle kCsvPoint{',', false, false};  // "," and decimal point, for programs
inline constexpr CsvStyle kCsvGerman{';', true, true};   // ";" and decimal comma, German spreadsheets
inline constexpr CsvStyle kTabsPoint{'\t', false, false}; // the clipboard
inline constexpr CsvStyle kTabsComma{'\t', true, false};

// The numbers as the window shows them, rounded to the digits that mean
// something for their unit, or every digit the form wrote (%.15g). Only
// the text is rounded: the table keeps the values it was computed with.
enum class CsvDigits { Rounded, All };

inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// Lines end in "\n"; a cell with the separator, a quote or a line end is quoted.
std::string RatingCsv(const RatingTable& table, CsvStyle style, CsvDigits digits);

} // namespace dralun
