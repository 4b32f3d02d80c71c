// Formulas of real steps as a textbook writes them; raised parts read
// "^(…)", lowered ones "_(…)".
#include <gtest/gtest.h>

#include <map>

#include "report/Report.h"
#include "report/TextbookFormula.h"

using namespace dralun;

namespace {

struct Case {
    const char* formula;
    const char* symbols; // the formula in symbols
    const char* numbers; // with the numbers of `kNumbers` put in, decimal comma
};

// Numbers as the page writes them (rounded for their units elsewhere).
const std::map<std::string, std::string> kNumbers = {
    {"g", "9.80665"}, {"nu", "1.31e-06"}, {"D", "0.3"},     {"J", "0.01"},  {"s", "0.243"},
    {"kb", "1.5"},    {"x", "0.00139"},   {"R_K", "0.0889"}, {"I", "1"},    {"kSt", "20"},
    {"Y", "-0.5"},    {"b_P", "2.1"},     {"t", "0.3"},      {"p", "1.67"},
};

const Case kCases[] = {
    // Prandtl-Colebrook: √ of a sum, ν with a power of ten, lg.
    {"sqrt(2 * g * D * J)", "√(2 · g · D · J)", "√(2 · 9,80665 · 0,3 · 0,01)"},
    {"nu * 2.51 / D / s + kb * 0.001 / 3.71 / D", "ν · 2,51 / D / s + kb · 0,001 / 3,71 / D",
     "1,31 · 10^(−6) · 2,51 / 0,3 / 0,243 + 1,5 · 0,001 / 3,71 / 0,3"},
    {"-2 * log10(x) * s", "−2 · lg(x) · s", "−2 · lg(0,00139) · 0,243"},
    // Manning-Strickler: 2/3 raised, √ of a single symbol, the lowered index.
    {"sqrt(I / 1000) * kSt * R_K^0.666666666666667", "√(I / 1000) · kSt · R_(K)^(2/3)",
     "√(1 / 1000) · 20 · 0,0889^(2/3)"},
    {"t^2.66666666666667 * kSt", "t^(8/3) · kSt", "0,3^(8/3) · 20"},
    // The Part's 2.66666667 is 8/3 to its nine digits; a short 0.25 stays.
    {"b^2.66666667", "b^(8/3)", "b^(8/3)"},
    {"(1 / n1^0.25 - 0.3684) * 38", "(1 / n1^(0,25) − 0,3684) · 38", "(1 / n1^(0,25) − 0,3684) · 38"},
    // 2/3 as a factor, in parentheses where "/" or "^" would read otherwise.
    {"0.666666666666667 * h * B", "2/3 · h · B", "2/3 · h · B"},
    {"x / 1.33333333333333", "x / (4/3)", "0,00139 / (4/3)"},
    {"2 * (b_P / 2) * (1 - 0.4 * t^4 / (b_P / 2)^4)", "2 · (b_(P) / 2) · (1 − 0,4 · t^(4) / (b_(P) / 2)^(4))",
     "2 · (2,1 / 2) · (1 − 0,4 · 0,3^(4) / (2,1 / 2)^(4))"},
    // A negative number in parentheses; Greek names; functions.
    {"sqrt(8 * g * h) * (log10(Y) * (-3.2))", "√(8 · g · h) · (lg(Y) · (−3,2))",
     "√(8 · 9,80665 · h) · (lg(−0,5) · (−3,2))"},
    {"Y * p", "Y · p", "−0,5 · 1,67"}, {"p * Y", "p · Y", "1,67 · (−0,5)"},
    {"v_0 * mu", "v_(0) · μ", "v_(0) · μ"},
    {"(zeta_e + zeta_a) / A", "(ζ_(e) + ζ_(a)) / A", "(ζ_(e) + ζ_(a)) / A"},
    {"2 * asin(min(b_K / 2 / r, 1))", "2 · arcsin(min(b_(K) / 2 / r; 1))", "2 · arcsin(min(b_(K) / 2 / r; 1))"},
    {"abs(vu - v)", "|vu − v|", "|vu − v|"},
    {"pi * D * D / 4", "π · D · D / 4", "π · 0,3 · 0,3 / 4"},
    {"sqrt(p)", "√p", "√(1,67)"},
    {"phi1_2", "φ1_(2)", "φ1_(2)"},
};

} // namespace

TEST(TextbookFormulaTest, RealStepsReadAsInATextbook)
{
    FormulaStyle put;
    put.decimalComma = true;
    put.number = [](const std::string& symbol) -> std::optional<std::string> {
        const auto it = kNumbers.find(symbol);
        return it == kNumbers.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    FormulaStyle symbols;
    symbols.decimalComma = true;
    for (const Case& c : kCases) {
        EXPECT_EQ(PlainText(TextbookFormula(c.formula, symbols)), c.symbols) << c.formula;
        EXPECT_EQ(PlainText(TextbookFormula(c.formula, put)), c.numbers) << c.formula;
    }
}

TEST(TextbookFormulaTest, OnlyLongDecimalsThatArePqRoundedBecomeFractions)
{
    const std::pair<const char*, std::optional<std::pair<int, int>>> cases[] = {
        {"0.666666666666667", std::make_pair(2, 3)}, {"0.66666666667", std::make_pair(2, 3)},
        {"2.66666667", std::make_pair(8, 3)},        {"1.33333333333333", std::make_pair(4, 3)},
        {"0.142857142857143", std::make_pair(1, 7)}, {"0.667", std::nullopt}, // as the Part writes it
        {"0.6666667", std::make_pair(2, 3)},         {"0.6666668", std::nullopt}, // not 2/3 to its digits
        {"0.25", std::nullopt},                      {"3.141592654", std::nullopt},
        {"1.31e-06", std::nullopt},                  {"2.0000000", std::nullopt}, // a whole number
    };
    for (const auto& [literal, fraction] : cases)
        EXPECT_EQ(LongDecimalFraction(literal), fraction) << literal;
}

TEST(TextbookFormulaTest, NumbersUnitsAndFormulasThatDoNotParse)
{
    EXPECT_EQ(PlainText(TextbookNumber("1.31e-06", true)), "1,31 · 10^(−6)");
    EXPECT_EQ(PlainText(TextbookNumber("-0.5", false)), "−0.5");
    EXPECT_EQ(PlainText(TextbookUnit("m^(1/3)/s")), "m^(1/3)/s");
    EXPECT_EQ(PlainText(TextbookUnit("m1/3/s")), "m^(1/3)/s");
    EXPECT_EQ(PlainText(TextbookUnit("m³/s")), "m³/s");
    EXPECT_EQ(PlainText(TextbookFormula("a * (b")), "a · (b");
}

namespace dralun {
namespace {

// The numbers put into a step give the value the page shows: a difference
// of two near velocities takes the digits it needs. |2.89 − 2.898214| is
// 0.008214, shown 0.00821 m/s; with 2.90 (three digits) it would read
// 0.01, with 2.898 0.008, with 2.8982 0.0082, with 2.89821 0.00821.
TEST(TextbookFormulaTest, NumbersPutInGiveTheValueShown)
{
    Report report;
    report.header.decimalComma = false;
    report.steps = {{"gewählt", "vu", "2.89", {}, 2.89, "m/s"},
                    {"nach Prandtl-Colebrook", "v", "2.898214", {}, 2.898214, "m/s"},
                    {"Abweichung", "dv", "abs(vu - v)", {{"vu", 2.89}, {"v", 2.898214}}, 0.008214, "m/s"},
                    {"Summe", "s", "vu + v", {{"vu", 2.89}, {"v", 2.898214}}, 5.788214, "m/s"}};
    const CPageNumbers numbers(report);
    const std::vector<FormulaPieces> difference = numbers.StepLines(2);
    ASSERT_EQ(difference.size(), 3u);
    EXPECT_EQ(PlainText(difference[1]), "|2.89 − 2.89821|");
    EXPECT_EQ(PlainText(difference[2]), "0.00821");
    // A sum needs no more than its unit's digits.
    EXPECT_EQ(PlainText(numbers.StepLines(3)[1]), "2.89 + 2.90");
}

} // namespace
} // namespace dralun
