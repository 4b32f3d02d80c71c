#include "report/TextbookFormula.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <numeric>

#include "core/NumberPresentation.h"
#include "report/FormulaTree.h"
#include "core/NumberText.h"
#include "report/Report.h"

namespace dralun {

namespace {

const char* const kMinus = "\xE2\x88\x92"; // U+2212


bool Digit(char c) { return c >= '0' && c <= '9'; }

void Add(FormulaPieces& out, std::string text, Script script = Script::Normal)
{
    if (!text.empty())
        out.push_back({std::move(text), script});
}

void Append(FormulaPieces& out, const FormulaPieces& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

// Every piece raised (a lowered piece in an exponent stays raised).
FormulaPieces Raised(FormulaPieces pieces)
{
    for (FormulaPiece& p : pieces)
        p.script = Script::Super;
    return pieces;
}

// ---- the tree as a textbook writes it --------------------------------------------

class Writer {
public:
    Writer(const FormulaStyle& style, bool whole) : m_style(style), m_whole(whole) {}

    // bare: the node may stand without parentheses where a fraction "p/q"
    // would need them; delimited: it begins the formula, an argument or
    // the inside of parentheses, so a negative number needs none either.
    FormulaPieces Write(const Node& n, bool bare, bool delimited = false) const
    {
        FormulaPieces out;
        switch (n.kind) {
        case Node::Number:
            if (const auto f = LongDecimalFraction(n.text)) {
                const std::string text = std::to_string(f->first) + "/" + std::to_string(f->second);
                Add(out, bare ? text : "(" + text + ")");
            } else {
                Append(out, TextbookNumber(n.text, m_style.decimalComma));
            }
            break;
        case Node::Symbol:
            if (const auto number = m_style.number ? m_style.number(n.text) : std::nullopt) {
                FormulaPieces value = TextbookNumber(*number, m_style.decimalComma);
                // A negative number, or one with a power of ten ("1,31 · 10⁻⁶"),
                // in parentheses unless it is the whole formula.
                const bool negative = !number->empty() && number->front() == '-';
                if ((negative || value.size() > 1) && !m_whole && !delimited) {
                    Add(out, "(");
                    Append(out, value);
                    Add(out, ")");
                } else {
                    Append(out, value);
                }
            } else {
                Append(out, TextbookSymbol(n.text));
            }
            break;
        case Node::Call:
            Call(n, out);
            break;
        case Node::Paren:
            Add(out, "(");
            Append(out, Write(*n.kids[0], true, true));
            Add(out, ")");
            break;
        case Node::Negate:
            Add(out, kMinus);
            Append(out, Write(*n.kids[0], false));
            break;
        case Node::Binary: {
            const std::string& op = n.text;
            Append(out, Write(*n.kids[0], bare, delimited));
            Add(out, op == "*" ? " · " : op == "-" ? std::string(" ") + kMinus + " " : " " + op + " ");
            // After "/" a fraction or a product would read otherwise.
            Append(out, Write(*n.kids[1], op == "+" || op == "-"));
            break;
        }
        case Node::Power: {
            Append(out, Write(*n.kids[0], false));
            const Node& e = *n.kids[1];
            // An exponent in parentheses is raised without them.
            Append(out, Raised(Write(e.kind == Node::Paren ? *e.kids[0] : e, true)));
            break;
        }
        }
        return out;
    }

private:
    void Call(const Node& n, FormulaPieces& out) const
    {
        static const std::map<std::string, std::string, std::less<>> names = {
            {"log10", "lg"}, {"log", "ln"}, {"asin", "arcsin"}, {"acos", "arccos"}, {"atan", "arctan"}};
        auto arguments = [&] {
            // With a decimal comma, arguments are parted by ";".
            for (size_t i = 0; i < n.kids.size(); ++i) {
                if (i > 0)
                    Add(out, m_style.decimalComma ? "; " : ", ");
                Append(out, Write(*n.kids[i], true, true));
            }
        };
        if (n.text == "sqrt" && n.kids.size() == 1) {
            Add(out, "√");
            const Node& arg = *n.kids[0];
            const bool single = arg.kind == Node::Symbol || (arg.kind == Node::Number && !LongDecimalFraction(arg.text));
            if (single && !(arg.kind == Node::Symbol && m_style.number && m_style.number(arg.text))) {
                Append(out, Write(arg, false));
                return;
            }
            Add(out, "(");
            Append(out, Write(arg.kind == Node::Paren ? *arg.kids[0] : arg, true, true));
            Add(out, ")");
            return;
        }
        if (n.text == "abs" && n.kids.size() == 1) {
            Add(out, "|");
            Append(out, Write(*n.kids[0], true, true));
            Add(out, "|");
            return;
        }
        const auto it = names.find(n.text);
        Add(out, it != names.end() ? it->second : n.text);
        Add(out, "(");
        arguments();
        Add(out, ")");
    }

    const FormulaStyle& m_style;
    bool m_whole; // the formula is one symbol
};

int SignificantDigits(std::string_view literal)
{
    int digits = 0;
    bool leading = true;
    for (const char c : literal) {
        if (c == 'e' || c == 'E')
            break;
        if (!Digit(c) || (c == '0' && leading))
            continue;
        leading = false;
        ++digits;
    }
    return digits;
}

} // namespace

std::optional<std::pair<int, int>> LongDecimalFraction(std::string_view literal)
{
    const std::string text(literal);
    if (text.find_first_of("eE") != std::string::npos || SignificantDigits(text) < 7)
        return std::nullopt;
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return std::nullopt;
    const double value = std::strtod(text.c_str(), nullptr);
    // Half a unit of the last digit written.
    const double half = 0.5 * std::pow(10.0, -static_cast<double>(text.size() - point - 1));
    for (int q = 2; q <= 12; ++q) {
        const int p = static_cast<int>(std::lround(value * q));
        if (std::gcd(p, q) != 1)
            continue;
        const double exact = static_cast<double>(p) / q;
        if (std::fabs(value - exact) <= std::max(half, 1e-9) * (1 + 1e-12))
            return std::make_pair(p, q);
    }
    return std::nullopt;
}

FormulaPieces TextbookSymbol(std::string_view symbol)
{
    FormulaPieces out;
    const size_t bar = symbol.find('_');
    // A short name spelt for scripts reads as its word ("Ueberlauf").
    std::string base = bar == std::string_view::npos ? ShownSymbol(symbol) : std::string(symbol.substr(0, bar));
    // "phi1" -> "φ1": a Greek name, perhaps with digits after it.
    size_t letters = base.size();
    while (letters > 0 && Digit(base[letters - 1]))
        --letters;
    if (const std::string greek = GreekLetter(std::string_view(base).substr(0, letters)); !greek.empty())
        base = greek + base.substr(letters);
    Add(out, base);
    if (bar != std::string_view::npos) {
        std::string sub(symbol.substr(bar + 1));
        for (char& c : sub)
            if (c == '_')
                c = ',';
        if (const std::string greek = GreekLetter(sub); !greek.empty())
            sub = greek;
        Add(out, sub, Script::Sub);
    }
    return out;
}

FormulaPieces TextbookNumber(std::string_view text, bool decimalComma)
{
    std::string number(text);
    std::string exponent;
    const size_t e = number.find_first_of("eE");
    if (e != std::string::npos) {
        exponent = number.substr(e + 1);
        number.resize(e);
        if (!exponent.empty() && exponent.front() == '+')
            exponent.erase(0, 1);
        const bool negative = !exponent.empty() && exponent.front() == '-';
        if (negative)
            exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        if (negative)
            exponent = kMinus + exponent;
    }
    if (decimalComma)
        for (char& c : number)
            if (c == '.')
                c = ',';
    if (!number.empty() && number.front() == '-')
        number = kMinus + number.substr(1);
    FormulaPieces out;
    if (exponent.empty()) {
        Add(out, number);
        return out;
    }
    Add(out, number + " · 10");
    Add(out, exponent, Script::Super);
    return out;
}

FormulaPieces TextbookUnit(std::string_view unit)
{
    FormulaPieces out;
    std::string text(unit);
    // "m1/3/s": the older writing of m^(1/3)/s.
    if (text == "m1/3/s")
        text = "m^(1/3)/s";
    for (size_t i = 0; i < text.size();) {
        const size_t caret = text.find('^', i);
        if (caret == std::string::npos) {
            Add(out, text.substr(i));
            break;
        }
        Add(out, text.substr(i, caret - i));
        size_t end = caret + 1;
        std::string raised;
        if (end < text.size() && text[end] == '(') {
            const size_t close = text.find(')', end);
            if (close == std::string::npos) {
                Add(out, text.substr(caret));
                break;
            }
            raised = text.substr(end + 1, close - end - 1);
            end = close + 1;
        } else {
            while (end < text.size() && (Digit(text[end]) || text[end] == '-' || text[end] == '.' || text[end] == ','))
                ++end;
            while (end > caret + 1 && (text[end - 1] == '.' || text[end - 1] == ',')) // the end of a sentence
                --end;
            raised = text.substr(caret + 1, end - caret - 1);
        }
        Add(out, raised, Script::Super);
        i = end;
    }
    return out;
}

FormulaPieces TextbookFormula(std::string_view formula, const FormulaStyle& style)
{
    const NodePtr tree = ParseFormula(formula);
    if (!tree) {
        std::string text;
        for (const char c : formula)
            text += c == '*' ? std::string("·") : std::string(1, c);
        return {{text, Script::Normal}};
    }
    return Joined(Writer(style, tree->kind == Node::Symbol).Write(*tree, true, true));
}

FormulaPieces Joined(FormulaPieces pieces)
{
    FormulaPieces out;
    for (FormulaPiece& p : pieces) {
        if (p.text.empty())
            continue;
        if (!out.empty() && out.back().script == p.script)
            out.back().text += p.text;
        else
            out.push_back(std::move(p));
    }
    return out;
}

std::string PlainText(const FormulaPieces& pieces)
{
    std::string out;
    for (const FormulaPiece& p : pieces) {
        if (p.script == Script::Normal)
            out += p.text;
        else
            out += (p.script == Script::Super ? "^(" : "_(") + p.text + ")";
    }
    return out;
}

std::string ConstantText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// ---- the numbers of a report on the page ---------------------------------------

CPageNumbers::CPageNumbers(const Report& report) : m_report(report), m_comma(report.header.decimalComma) {}

std::string CPageNumbers::Value(double value, const std::string& unit) const
{
    return RoundedText(value == 0 ? 0.0 : value, unit, m_comma);
}

std::string CPageNumbers::EntryText(const ReportEntry& entry) const
{
    if (!entry.computed)
        return kNotComputed;
    // The digits the form window shows.
    return PresentedText(entry.text, entry.unit, entry.shape, m_comma);
}

std::string CPageNumbers::UnitOf(const std::string& symbol, std::size_t index) const
{
    const std::vector<CalcStep>& steps = m_report.steps;
    for (std::size_t k = std::min(index, steps.size()); k-- > 0;)
        if (steps[k].symbol == symbol)
            return steps[k].unit;
    for (const ReportEntry& e : m_report.inputs)
        if (e.symbol == symbol)
            return e.unit;
    if (symbol == "g")
        return "m/s²";
    if (symbol == "nu")
        return "m²/s";
    return "";
}

std::optional<std::string> CPageNumbers::PutIn(const std::string& symbol, double value, std::size_t index,
                                               int moreDigits) const
{
    if (symbol == "pi")
        return std::nullopt; // π stays π
    if (symbol == "g" || symbol == "nu")
        return ConstantText(value); // as the computation has them
    // An input not found by a step before: as the user typed it.
    bool found = false;
    for (std::size_t k = 0; k < index && k < m_report.steps.size(); ++k)
        found = found || m_report.steps[k].symbol == symbol;
    if (!found)
        for (const ReportEntry& e : m_report.inputs)
            if (e.symbol == symbol) {
                const std::optional<double> typed = ParseFieldNumber(e.text);
                if (typed && std::fabs(*typed - value) <= 1e-12 * std::max(1.0, std::fabs(value)))
                    return TypedText(e.text);
            }
    Rounding rounding = RoundingFor(UnitOf(symbol, index));
    // More digits where the value shown needs them, never beyond six.
    const int more = std::min(moreDigits, std::max(0, 6 - rounding.significant));
    rounding.significant += more;
    rounding.maxDecimals += more;
    return RoundedText(value == 0 ? 0.0 : value, rounding);
}

std::vector<FormulaPieces> CPageNumbers::StepLines(std::size_t index) const
{
    const CalcStep& step = m_report.steps.at(index);
    std::vector<FormulaPieces> lines;
    const FormulaPieces value = TextbookNumber(RoundedText(step.value == 0 ? 0.0 : step.value, step.unit), m_comma);
    // A value taken from a table or a rule: its formula is the number itself.
    if (step.formula.find_first_not_of("0123456789.eE+-() ") == std::string::npos)
        return {value};
    FormulaStyle symbols;
    symbols.decimalComma = m_comma;
    lines.push_back(TextbookFormula(step.formula, symbols));
    // "Qt = Q": the number put in is the value.
    if (step.formula.find_first_of("+-*/^( ") == std::string::npos) {
        if (value != lines.back())
            lines.push_back(value);
        return lines;
    }
    FormulaStyle numbers = symbols;
    int moreDigits = 0;
    numbers.number = [&](const std::string& symbol) -> std::optional<std::string> {
        for (const auto& [name, v] : step.args)
            if (name == symbol)
                return PutIn(symbol, v, index, moreDigits);
        return std::nullopt;
    };
    // As many digits as the numbers put in need to give the value shown
    // (a difference of two near velocities needs more than either).
    if (const NodePtr tree = ParseFormula(step.formula)) {
        const std::string shown = RoundedText(step.value == 0 ? 0.0 : step.value, step.unit);
        for (; moreDigits < 3; ++moreDigits) {
            const std::optional<double> check = EvaluateFormula(*tree, [&](const std::string& symbol) -> std::optional<double> {
                if (symbol == "pi")
                    for (const auto& [name, v] : step.args)
                        if (name == "pi")
                            return v;
                if (const std::optional<std::string> text = numbers.number(symbol))
                    return ParseFieldNumber(*text);
                return std::nullopt;
            });
            if (!check || !std::isfinite(*check) || RoundedText(*check == 0 ? 0.0 : *check, step.unit) == shown)
                break;
        }
    }
    const FormulaPieces put = TextbookFormula(step.formula, numbers);
    if (put != lines.back())
        lines.push_back(put);
    if (value != lines.back())
        lines.push_back(value);
    return lines;
}

} // namespace dralun
