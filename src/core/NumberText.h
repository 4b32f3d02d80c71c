#pragma once
// Reading numbers from text, locale-independent, with a decimal point only.
#include <optional>
#include <string>
#include <string_view>

namespace dralun {

// A number field: blanks and tabs around the text are ignored; the rest must be
// exactly one decimal number (optional sign, digits with an optional point,
// optional exponent). A comma, trailing characters, an empty text, "inf",
// "nan", hexadecimal forms and values beyond the range of a double fail.
std::optional<double> ParseFieldNumber(std::string_view text);

// atof as the table readers use it: leading white space skipped, the longest
// prefix that forms a decimal number is taken, anything else reads as 0.
// Only decimal notation is recognised (no "inf", "nan" or hexadecimal);
// an exponent that overflows gives 0.
double ClassicAtof(std::string_view text);

// atoi: leading white space skipped, optional sign, digits up to the first
// other character; no digits read as 0. Saturates instead of overflowing.
int ClassicAtoi(std::string_view text);

// Length of the longest prefix of text that is a decimal number (0 if none).
size_t DecimalPrefixLength(std::string_view text);

// "Komma als Dezimalzeichen": what a person types into a number field, as
// the form reads it. A comma and a point are both the decimal sign (there
// are no thousands separators), so every comma becomes a point; "1.234,5"
// has two decimal signs and stays no number.
std::string TypedWithDecimalComma(std::string_view typed);

} // namespace dralun
