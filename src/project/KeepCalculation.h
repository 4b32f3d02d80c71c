#pragma once
// Keeping a calculation in a project and bringing it back, whatever its
// kind. A kept calculation is reopened as a user would redo it: a form
// opened with its defaults, the modes and boxes set, the lists chosen, the
// fields typed, "Rechne" pressed; then its results are compared with the
// kept ones. The functions on a CForm see the form as a calculation.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/CForm.h"
#include "project/Calculation.h"
#include "report/ICalculation.h"

namespace dralun {

// The name a calculation gets unless the user gives one: the form's title
// and its main inputs, "Mulde B 2 m, h 0.3 m".
std::string DefaultCalculationName(const CForm& form);
// The form's main results as the project's list shows them, to four
// significant digits: "Q = 0.0858 m³/s, v = 1.23 m/s".
std::string MainResultText(const CForm& form);

// What the form shows now, as a calculation to keep (the time is now).
// With a rating request, the table made on the form as it stands is kept
// with it; a request the form cannot tabulate now (its field locked in the
// current mode) is kept without rows, and the report says why.
Calculation KeepCalculation(const ICalculation& calc, const ReportHeader& header, const std::string& name = {},
                            const std::optional<RatingRequest>& rating = {});
Calculation KeepCalculation(const CForm& form, const ReportHeader& header, const std::string& name = {},
                            const std::optional<RatingRequest>& rating = {});

// Whether a kept rating request fits the form whatever its modes: the
// varied field is a number the user types, the columns are fields of the
// form, the range gives rows. "" when it fits.
std::string KeptRatingProblemOn(const CForm& form, const RatingRequest& request);

// Whether the calculation fits its kind: the kind exists, every value it
// names is there and of the right type (for a form: every control is there
// and of the right kind, every number reads). "" when it fits, else why
// not, in German.
std::string CalculationProblem(const Calculation& calc);
// The same on a calculation of its kind, as it was made (a form not opened).
std::string CalculationProblemOn(const ICalculation& made, const Calculation& calc);
std::string CalculationProblemOn(const CForm& form, const Calculation& calc);

// Sets the kept inputs on a calculation of its kind (a form opened) and
// computes. "" when every step was taken, else why one was refused (a
// field that is locked in the kept modes).
std::string ApplyCalculation(ICalculation& made, const Calculation& calc);
std::string ApplyCalculation(CForm& form, const Calculation& calc);

// The results that read differently now than when kept; of a kept rating
// table, made anew, the first row that reads differently.
std::vector<ResultChange> ChangedResults(const ICalculation& made, const Calculation& calc);
std::vector<ResultChange> ChangedResults(const CForm& form, const Calculation& calc);

struct Reopened {
    std::unique_ptr<ICalculation> calc; // the calculation redone
    CForm* form = nullptr;              // the form behind it, for a form
    std::string problem;                // why it could not be redone, or ""
    std::vector<ResultChange> changes;  // what reads differently now
};

// Redoes the calculation on a new one of its kind, without a window.
Reopened Reopen(const Calculation& calc, IMessageSink& sink);

// Writes a change for a person: "Q_Gl7: gespeichert 0.0858, jetzt 0.0860".
std::string ChangeText(const ResultChange& change);

} // namespace dralun
