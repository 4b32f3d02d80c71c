#pragma once
// The steps of a computation, as the calculation report shows them: each
// step finds one value from a formula in symbols; the symbols stand for the
// inputs and the values of earlier steps, so the chain can be followed (and
// checked) from the inputs to the results. The engines record their steps
// while they compute, with the very numbers they compute with.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dralun {

struct CalcStep {
    std::string text;    // what the step finds, in German
    std::string symbol;  // the symbol of its value
    std::string formula; // in symbols, arithmetic as an expression parser reads it
    std::vector<std::pair<std::string, double>> args; // the formula's symbols and the values put in
    double value = 0;
    std::string unit;
};

// A data file a computation read: name, size, SHA-256, and the rows it used.
struct DataFileUse {
    std::string name;
    std::uint64_t bytes = 0;
    std::string sha256; // lower-case hex
    std::vector<std::string> rows;
    // The bytes read, for a file whose copy a project keeps (a rainfall
    // series); null for the program's own tables.
    std::shared_ptr<const std::string> content;
};

// How a number is put into a formula.
enum class NumberStyle {
    Exact,   // %.15g: evaluates to the value the engine computed with
    Readable // %.6g: for the printed page
};

// The formula with the values of its symbols put in; a negative value is
// put in parentheses, so "(-0.5)^2" keeps its meaning.
std::string PutIn(std::string_view formula, const std::vector<std::pair<std::string, double>>& args,
                  NumberStyle style = NumberStyle::Exact);
// The step's formula with its numbers, ready for an expression parser.
std::string StepExpr(const CalcStep& step);
// The symbols of a formula in their order (function names are not symbols).
std::vector<std::string> FormulaSymbols(std::string_view formula);

// Records the steps of one computation. A log that does not record (a rating
// table of ten thousand rows) only returns the values it is given.
class CSteps {
public:
    explicit CSteps(bool record = true) : m_record(record) {}
    bool Recording() const { return m_record; }

    // A value the formulas may name without a step of its own: an input of
    // the form, a constant.
    void Let(std::string_view symbol, double value);
    // A step: its value from the formula. Returns the value, so the engine
    // reads like the formula it states.
    double Step(std::string_view text, std::string_view symbol, std::string_view formula, double value,
                std::string_view unit);
    // A value taken from a table or a rule rather than computed: the step's
    // formula is the number itself; the text says where it comes from.
    double Taken(std::string_view text, std::string_view symbol, double value, std::string_view unit);

    // The data files read and the rows of them used.
    void UseFile(const DataFileUse& file);
    void UseRow(std::string_view fileName, std::string row);

    const std::vector<CalcStep>& Steps() const { return m_steps; }
    const std::vector<DataFileUse>& Files() const { return m_files; }
    std::vector<CalcStep> TakeSteps() { return std::move(m_steps); }
    std::vector<DataFileUse> TakeFiles() { return std::move(m_files); }

private:
    const double* Lookup(std::string_view symbol) const;

    bool m_record;
    std::vector<CalcStep> m_steps;
    std::vector<std::pair<std::string, double>> m_values; // the latest binding of a symbol counts
    std::vector<DataFileUse> m_files;
};

// A log that records nothing, for engines called without a report.
CSteps& NoSteps();

} // namespace dralun
