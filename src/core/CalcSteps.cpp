#include "core/CalcSteps.h"

#include <algorithm>

#include "core/Format.h"

namespace dralun {

namespace {

bool StartsSymbol(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool InSymbol(unsigned char c) { return StartsSymbol(c) || (c >= '0' && c <= '9'); }
bool InNumber(unsigned char c) { return (c >= '0' && c <= '9') || c == '.'; }

// A token of a formula: a symbol (not followed by "("), or anything else.
struct Token {
    size_t begin;
    size_t end;
    bool symbol;
};

std::vector<Token> Tokens(std::string_view f)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < f.size()) {
        const unsigned char c = f[i];
        const size_t begin = i;
        if (InNumber(c)) {
            while (i < f.size() && InNumber(f[i]))
                ++i;
            if (i < f.size() && (f[i] == 'e' || f[i] == 'E')) {
                size_t j = i + 1;
                if (j < f.size() && (f[j] == '+' || f[j] == '-'))
                    ++j;
                if (j < f.size() && f[j] >= '0' && f[j] <= '9') {
                    i = j;
                    while (i < f.size() && f[i] >= '0' && f[i] <= '9')
                        ++i;
                }
            }
            tokens.push_back({begin, i, false});
        } else if (StartsSymbol(c)) {
            while (i < f.size() && InSymbol(f[i]))
                ++i;
            size_t j = i;
            while (j < f.size() && f[j] == ' ')
                ++j;
            const bool function = j < f.size() && f[j] == '(';
            tokens.push_back({begin, i, !function});
        } else {
            ++i;
            tokens.push_back({begin, i, false});
        }
    }
    return tokens;
}

std::string Number(double value, NumberStyle style)
{
    if (value == 0)
        return "0"; // and no "-0"
    const std::string text = style == NumberStyle::Exact ? Format("%.15g", value) : Format("%.6g", value);
    if (text[0] == '-')
        return "(" + text + ")";
    return text;
}

} // namespace

std::vector<std::string> FormulaSymbols(std::string_view formula)
{
    std::vector<std::string> symbols;
    for (const Token& t : Tokens(formula)) {
        if (!t.symbol)
            continue;
        std::string s(formula.substr(t.begin, t.end - t.begin));
        if (std::find(symbols.begin(), symbols.end(), s) == symbols.end())
            symbols.push_back(std::move(s));
    }
    return symbols;
}

std::string PutIn(std::string_view formula, const std::vector<std::pair<std::string, double>>& args,
                  NumberStyle style)
{
    std::string out;
    for (const Token& t : Tokens(formula)) {
        const std::string_view text = formula.substr(t.begin, t.end - t.begin);
        const auto arg = t.symbol ? std::find_if(args.begin(), args.end(), [&](const auto& a) { return a.first == text; })
                                  : args.end();
        if (arg != args.end())
            out += Number(arg->second, style);
        else
            out += text;
    }
    return out;
}

std::string StepExpr(const CalcStep& step) { return PutIn(step.formula, step.args, NumberStyle::Exact); }

CSteps& NoSteps()
{
    // Never records, so it holds no state that threads could share.
    thread_local CSteps none(false);
    return none;
}

const double* CSteps::Lookup(std::string_view symbol) const
{
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it)
        if (it->first == symbol)
            return &it->second;
    return nullptr;
}

void CSteps::Let(std::string_view symbol, double value)
{
    if (m_record)
        m_values.emplace_back(std::string(symbol), value);
}

double CSteps::Step(std::string_view text, std::string_view symbol, std::string_view formula, double value,
                    std::string_view unit)
{
    if (!m_record)
        return value;
    CalcStep step{std::string(text), std::string(symbol), std::string(formula), {}, value, std::string(unit)};
    for (std::string& s : FormulaSymbols(formula))
        if (const double* v = Lookup(s))
            step.args.emplace_back(std::move(s), *v);
    m_steps.push_back(std::move(step));
    m_values.emplace_back(std::string(symbol), value);
    return value;
}

double CSteps::Taken(std::string_view text, std::string_view symbol, double value, std::string_view unit)
{
    if (!m_record)
        return value;
    const std::string number = Format("%.15g", value);
    return Step(text, symbol, value < 0 ? "(" + number + ")" : number, value, unit);
}

void CSteps::UseFile(const DataFileUse& file)
{
    if (!m_record)
        return;
    for (const DataFileUse& f : m_files)
        if (f.name == file.name)
            return;
    m_files.push_back(file);
}

void CSteps::UseRow(std::string_view fileName, std::string row)
{
    if (!m_record)
        return;
    for (DataFileUse& f : m_files) {
        if (f.name != fileName)
            continue;
        if (std::find(f.rows.begin(), f.rows.end(), row) == f.rows.end())
            f.rows.push_back(std::move(row));
        return;
    }
    m_files.push_back({std::string(fileName), 0, "", {std::move(row)}, nullptr});
}

} // namespace dralun
