#pragma once
// Formulas as a textbook writes them, for the printed page: √ for sqrt,
// Greek letters for their names (π, ν, μ, η, ζ, θ …), "·" for "*", "lg"
// for log10, exponents raised (2/3 instead of 0.666666666666667) and the
// part of a symbol after "_" lowered. The result is a row of pieces, each
// set on the line, raised or lowered; the page lays them out. What a
// program reads (the report's text and JSON) keeps the formula as the
// engine states it.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dralun {

struct CalcStep;
struct Report;
struct ReportEntry;

enum class Script { Normal, Super, Sub };

struct FormulaPiece {
    std::string text; // UTF-8
    Script script = Script::Normal;
    bool operator==(const FormulaPiece&) const = default;
};
using FormulaPieces = std::vector<FormulaPiece>;

struct FormulaStyle {
    bool decimalComma = false;
    // The number put in for a symbol, as the page writes it ("0.133",
    // rounded for its unit, with a point); none: the symbol stays.
    std::function<std::optional<std::string>(const std::string& symbol)> number;
};

// The formula ("kSt * R^0.666666666666667 * sqrt(s / 100)") as a textbook
// writes it. A formula that does not parse is returned as it stands, with
// "·" for "*".
FormulaPieces TextbookFormula(std::string_view formula, const FormulaStyle& style = {});

// A symbol: "QQv_1" -> "QQv" and a lowered "1"; "zeta_e" -> "ζ" and "e".
FormulaPieces TextbookSymbol(std::string_view symbol);

// A number as RoundedText writes it, for the page: decimal comma if asked,
// "−" for the sign, very small and very large numbers as "1,31 · 10" with
// a raised "−6".
FormulaPieces TextbookNumber(std::string_view text, bool decimalComma);

// A unit: "m^(1/3)/s" (or the older "m1/3/s") with its exponent raised;
// also a text that writes a power so ("1 / n^0.25").
FormulaPieces TextbookUnit(std::string_view unit);

// p/q (q from 2 to 12) when a decimal written with seven or more
// significant digits is p/q rounded to its digits ("0.666666666666667",
// "2.66666667"); a short decimal ("0.667", "0.25") is what it says.
std::optional<std::pair<int, int>> LongDecimalFraction(std::string_view literal);

// The pieces in one line, raised parts as "^(…)" and lowered ones as "_(…)":
// for comparing and for a reader without raised type.
std::string PlainText(const FormulaPieces& pieces);

// Pieces next to each other joined, so that equal formulas compare equal.
FormulaPieces Joined(FormulaPieces pieces);

// A constant's value as the computation has it: "9.80665", "1.31e-06".
std::string ConstantText(double value);

// The numbers of a report as the printed page writes them: every value
// rounded for its unit, inputs as the user typed them, a decimal comma
// when the report's head asks for one.
class CPageNumbers {
public:
    explicit CPageNumbers(const Report& report);

    bool DecimalComma() const { return m_comma; }
    // An input's or result's value with the digits the form window shows
    // ("0.500000000000007" -> "0,5"; a result rounded for its unit); a text
    // that is no number is kept, its decimal points made commas where they
    // stand in numbers; a result not computed "–".
    std::string EntryText(const ReportEntry& entry) const;
    // A value rounded for its unit, decimal comma if asked.
    std::string Value(double value, const std::string& unit) const;
    // The lines of step `index` after "symbol =": the formula, the formula
    // with the numbers put in, the value; a line that reads as the one
    // before is left out. A value taken from a table has the value only.
    // The numbers put in are rounded for their units, with as many more
    // digits (up to three) as it takes for them to give the value shown,
    // so that the page can be checked by hand from its own numbers.
    std::vector<FormulaPieces> StepLines(std::size_t index) const;
    // The unit a symbol has where step `index` names it: the step that
    // found it last before, else the input of that name, else a constant's.
    std::string UnitOf(const std::string& symbol, std::size_t index) const;

private:
    std::optional<std::string> PutIn(const std::string& symbol, double value, std::size_t index,
                                     int moreDigits = 0) const;
    const Report& m_report;
    bool m_comma;
};

} // namespace dralun
