#pragma once
// Numbers as an engineer writes them on a page or reads them in a window:
// rounded to the digits that mean something for their quantity. The full
// value (%.15g) stays what the program computes with, keeps and writes for
// other programs; this is presentation only.
#include <string>
#include <string_view>

namespace dralun {

// How a quantity of a unit is rounded: at least `decimals` decimals, and as
// many more as `significant` significant digits need (0.00123 m), never more
// than `maxDecimals`; zeros beyond `decimals` are dropped.
struct Rounding {
    int decimals = 3;
    int significant = 3;
    int maxDecimals = 6;
};

// The rounding of a unit as the program writes it ("l/s", "m³", "‰"); a unit
// it does not know (or none) gets 4 significant digits.
Rounding RoundingFor(std::string_view unit);

// The value rounded for its unit: "97.9" l/s, "0.133" m, "12.35" m³. Values
// too small for maxDecimals are written with an exponent ("1.2e-07").
// decimalComma: "0,133" for the printed page.
std::string RoundedText(double value, std::string_view unit, bool decimalComma = false);
std::string RoundedText(double value, const Rounding& rounding, bool decimalComma = false);

// A field text the form wrote itself, as the user would have typed it: a
// number of 13 or more significant digits ("0.500000000000007",
// "199.999999999997") is written with 12 ("0.5", "200"); any other text is
// returned unchanged.
std::string TypedText(std::string_view fieldText);

// What a field holds, for the way a person reads its text.
enum class FieldShape {
    Input,        // as the user would have typed it (TypedText)
    NumberResult, // rounded for its unit (RoundedText)
    TextResult    // a text the form formats itself ("%5.2f"): from its first character
};

// A field's text where a person reads it: the form window, the printed
// report and a project's title page show the same digits. A text that is no
// number is shown as it is. decimalComma: for a German page.
std::string PresentedText(std::string_view modelText, std::string_view unit, FieldShape shape,
                          bool decimalComma = false);

// A utilisation in per cent as a verdict shows it: one decimal ("40.8").
std::string UtilisationText(double percent, bool decimalComma = false);

// A symbol as a person reads it in a verdict line, a picture or a report:
// without the underscore of its short name ("Q_min" -> "Qmin", "a_plan" ->
// "aplan"), a word with its umlaut ("Ueberlauf" -> "Überlauf"), the filling
// ratio as a fraction ("hd" -> "h/d", "hd_max" -> "(h/d)max"). Scripts and
// the JSON keep the short name.
std::string ShownSymbol(std::string_view symbol);
// The Greek letter a symbol names in Latin letters ("zeta" -> "ζ"); "" for
// a name that is none.
std::string GreekLetter(std::string_view name);
// A text or formula with every short name in it shown so ("V - V_genutzt"
// -> "V - Vgenutzt", "L_s > L_max" -> "Ls > Lmax"). Only words made as short
// names are (one to four letters, "_", letters and digits): "INDEX_RC",
// "KOSTRA2020_117111.txt" and the numbers ("1e-05") stay as they are.
std::string ShownSymbols(std::string_view text);

// The same text with a decimal comma for a German page: every point
// between two digits (or before a digit after a sign or a blank) becomes a
// comma. Texts that are not numbers keep their points ("DN.ASC").
std::string WithDecimalComma(std::string_view text);

} // namespace dralun
