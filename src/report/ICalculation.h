#pragma once
// What every kind of calculation offers the report, the project and the
// driver. A form is one kind (project/FormCalculation.h); another kind
// implements the same and is kept, checked and reported alike.
//
// Its inputs and results are named, typed values: what a project keeps and
// reads back under those names. A form names them by the ids of its controls, written as text;
// another kind by names of its own.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/CalcSteps.h"
#include "core/Verdict.h"
#include "report/Report.h"

namespace dralun {

class CForm;

struct CalcValues {
    std::vector<std::pair<std::string, std::string>> texts; // as typed, or as shown
    std::vector<std::pair<std::string, bool>> switches;     // a box or a button: checked or not
    std::vector<std::pair<std::string, int>> choices;       // the entry chosen from a list
    std::vector<std::pair<std::string, std::vector<std::string>>> lists; // the lines of a list
    bool operator==(const CalcValues&) const = default;
};

// A result that reads differently now than when it was kept.
struct ResultChange {
    int id = 0;        // a form's control, or 0
    std::string label; // the result's label, the list's or "Meldung"
    std::string before;
    std::string after;
};

class ICalculation {
public:
    virtual ~ICalculation() = default;

    // Its kind: a form's template id ("130"), or the name of another kind,
    // which begins with a letter.
    virtual std::string Kind() const = 0;
    virtual std::string Title() const = 0;
    // The name it is kept under unless the user gives one, and its main
    // results as the project's list shows them ("nicht berechnet" when refused).
    virtual std::string DefaultName() const = 0;
    virtual std::string MainResult() const = 0;

    // The inputs the user set, to keep; and whether kept inputs and results
    // fit this kind (every name known, every value of its type): "" or why
    // not, in German.
    virtual CalcValues Inputs() const = 0;
    virtual std::string KeptProblem(const CalcValues& inputs, const CalcValues& results) const = 0;
    // Sets kept inputs as a user would and computes: "" when every step was
    // taken, else why one was refused.
    virtual std::string Redo(const CalcValues& inputs) = 0;

    // What the computation gave: its results (to keep and compare), the
    // messages it showed, why it was refused as a whole ("" when not), its
    // verdict (none when it states no criterion or was refused), its steps
    // and the data files it read.
    virtual CalcValues Results() const = 0;
    virtual std::vector<std::string> Messages() const = 0;
    virtual std::string Refusal() const = 0;
    virtual bool Refused() const = 0;
    virtual std::optional<Verdict> CalcVerdict() const = 0;
    // Whether it states a verdict when it computes (a criterion to meet).
    virtual bool StatesVerdict() const = 0;
    virtual std::vector<CalcStep> Steps() const = 0;
    virtual std::vector<DataFileUse> DataFiles() const = 0;
    // The kept results that read differently now, labelled for a person.
    virtual std::vector<ResultChange> ChangedResults(const CalcValues& kept) const = 0;

    // Its report with the head given (a head without a date gets today's).
    virtual Report BuildReport(ReportHeader header) const = 0;

    // The form model behind it, for what only a form offers (a rating table,
    // a discharge typed from the catchment's table, its window); none for
    // another kind.
    virtual const CForm* Form() const { return nullptr; }
    virtual CForm* Form() { return nullptr; }
};

// What the project, the driver and the print call a calculation's report;
// whatever its kind, it ends with the block to sign.
inline Report BuildReport(const ICalculation& calc, ReportHeader header = {})
{
    Report report = calc.BuildReport(std::move(header));
    if (!report.signature)
        report.signature = SignatureOf(report.header);
    return report;
}

} // namespace dralun
