#pragma once
// A copy of a form with the inputs, modes and lists the user set on it,
// redone as a user would, in which one input is typed and "Rechne" pressed
// again and again: the rows of a rating table, the steps of a search. The
// form it was made from is not touched, and files the copy would write in
// the data directory (reports, check files) go nowhere, so the open form's
// Rohr.txt and dump files stay as they are.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/CForm.h"
#include "forms/IMessageSink.h"

namespace dralun {

// A number as it is typed into the field: %.15g, %.6g for a single-precision field.
std::string NumberForField(const FieldInfo& field, double value);

// Whether a field can be varied: a number input the form has enabled now.
bool IsVariableField(const CForm& form, int id);
// Those fields, in the form's order.
std::vector<int> VariableFieldIds(const CForm& form);

class CFormCopy {
public:
    explicit CFormCopy(const CForm& original);
    ~CFormCopy();
    CFormCopy(const CFormCopy&) = delete;
    CFormCopy& operator=(const CFormCopy&) = delete;

    // Why the copy could not be made, or "".
    const std::string& Problem() const { return m_problem; }

    struct Outcome {
        std::string inputText;          // the varied field's text after typing
        std::vector<std::string> texts; // the read fields, trimmed
        std::vector<double> values;     // as numbers, NaN where a text is none
        // As values, with every digit the computation has where the field
        // shows its value rounded: the verdict's demand or limit, or the
        // step of the same symbol and unit, where the text is its rounding
        // (only while the copy records its steps).
        std::vector<double> fullValues;
        std::string refused;            // why the form refused the whole computation, or ""
        // Why the form left a part of its results out (the rest stands), or
        // "". The read fields it left out have the text "" and NaN.
        std::string partly;
        std::vector<bool> leftOut; // per read field: left out by that refusal
        std::vector<std::string> messages;
        // The form's verdict of this computation; none where the form
        // states no criterion or the value was not computed.
        std::optional<Verdict> verdict;
    };
    // Sets every other input back to what the original showed where the last
    // computation changed it, types the value into the field, presses
    // "Rechne" and reads the fields.
    Outcome Compute(int vary, double value, const std::vector<int>& read);
    // How often Compute ran.
    int Computations() const { return m_computations; }
    // The values the field takes from a list of the form, ascending: the
    // entries of the first list of numbers whose double click types the
    // entry into the field (the pipe's diameters of DN.ASC); else none.
    std::vector<double> ListedValues(int vary);
    // Records the steps of each computation, so that Compute finds the full
    // values of fields the form shows rounded (a search, not a long table).
    void RecordSteps();

private:
    CMessageLog m_log;
    std::unique_ptr<CForm> m_form;
    std::vector<std::pair<int, std::string>> m_inputs; // the original's input texts
    std::string m_problem;
    int m_computations = 0;
    bool m_recordSteps = false;
};

} // namespace dralun
