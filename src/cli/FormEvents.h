#pragma once
// The command line of the headless programs: a form, the events a user
// would cause in it, and the options of the output. dralun-calc and
// dralun-report read the same syntax.
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/ComputeButton.h"
#include "report/Report.h"

namespace dralun {

class CForm;
struct FormInfo;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CalcOptions {
    bool help = false;
    bool json = false;
    bool compute = true;
    bool failUnmet = false; // --fail-unmet: exit 3 when the form's check is not fulfilled
    std::string report; // "", "text" or "json"
    std::string out;    // --out FILE (dralun-report)
    std::string addTo;  // --add-to FILE: keep the calculation in that project
    std::string name;   // --name TEXT: its name there
    ReportHeader header;
    std::vector<std::string> events; // in order, each option with its argument
    // A rating table: --sweep ID=FROM:TO[:STEP] [--rows N] [--columns ID,...] [--csv-de [--full]]
    std::string sweep;
    int rows = 0;
    std::string columns;
    bool csvGerman = false;
    bool csvFull = false; // the German CSV with every digit instead of rounded

    // A target: --solve ID=TARGET --vary ID[:LO:HI]
    std::string solve;
    std::string vary;

    // The design discharge: --inflow [NAME=]A:PSI[,...] --rain R (A in m², R in l/(s·ha))
    std::string inflow;
    std::string rain;
};

// Splits the arguments after the form into options and events; throws
// UsageError for an option it does not know or one without its argument.
// --out is known only where outAllowed.
CalcOptions ParseOptions(const std::vector<std::string>& args, bool outAllowed);

// The options of the report header, for the usage texts.
extern const char* const kHeaderUsage;

// The id of a control named by its number or a field's short name (letter
// case aside); throws UsageError when the form has no such control.
int ControlIdOf(const CForm& form, const std::string& ref);

// Types the design discharge of --inflow and --rain into the opened form's
// discharge field, in the field's unit, as CForm::TypeInflow does (the
// form keeps the table for its report); nothing without those options.
// Throws UsageError for a form without a discharge field, a malformed or
// refused value, or one option without the other.
void TypeInflowOptions(CForm& form, const FormInfo& info, const CalcOptions& options);

// Applies the events to an opened form, in order, as a user would; throws
// UsageError for an unknown control or an event the form refuses.
void ApplyEvents(CForm& form, const std::vector<std::string>& events);

} // namespace dralun
