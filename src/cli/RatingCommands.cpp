#include "cli/RatingCommands.h"

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "core/NumberText.h"
#include "forms/CForm.h"
#include "rating/RatingCsv.h"
#include "rating/RatingSweep.h"
#include "rating/SolveStart.h"

namespace dralun {

namespace {

std::vector<std::string> Split(const std::string& text, char at)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(at, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

double Number(const std::string& text, const std::string& option)
{
    const std::optional<double> value = ParseFieldNumber(text);
    if (!value)
        throw UsageError(option + ": \"" + text + "\" ist keine Zahl");
    return *value;
}

// "ID=REST": the field and the rest.
std::pair<int, std::string> FieldAndValue(const CForm& form, const std::string& arg, const std::string& option)
{
    const size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0)
        throw UsageError(option + " erwartet ID=WERT, nicht \"" + arg + "\"");
    return {ControlIdOf(form, arg.substr(0, eq)), arg.substr(eq + 1)};
}

RatingRequest SweepRequest(const CForm& form, const CalcOptions& o)
{
    RatingRequest request;
    const auto [id, range] = FieldAndValue(form, o.sweep, "--sweep");
    request.vary = id;
    const std::vector<std::string> bounds = Split(range, ':');
    if (bounds.size() != 2 && bounds.size() != 3)
        throw UsageError("--sweep erwartet ID=VON:BIS:SCHRITT oder ID=VON:BIS mit --rows N");
    if ((bounds.size() == 3) == (o.rows > 0))
        throw UsageError("--sweep braucht entweder eine Schrittweite oder --rows N, nicht beides oder keins");
    request.from = Number(bounds[0], "--sweep");
    request.to = Number(bounds[1], "--sweep");
    if (bounds.size() == 3)
        request.step = Number(bounds[2], "--sweep");
    request.rows = o.rows;
    if (!o.columns.empty())
        for (const std::string& ref : Split(o.columns, ','))
            request.columns.push_back(ControlIdOf(form, ref));
    return request;
}

} // namespace

CsvDigits SweepDigits(const CalcOptions& o)
{
    // The plain CSV is read by programs, which want every digit, as the rest
    // of dralun-calc writes them; the German one is read by people in a
    // spreadsheet: rounded as the window shows it, unless --full.
    return !o.csvGerman || o.csvFull ? CsvDigits::All : CsvDigits::Rounded;
}

void CheckRatingOptions(const CalcOptions& o)
{
    const bool sweep = !o.sweep.empty();
    if (sweep && !o.solve.empty())
        throw UsageError("--sweep und --solve gehen nicht zusammen");
    if (sweep && (o.json || !o.report.empty() || !o.addTo.empty()))
        throw UsageError("--sweep schreibt CSV und geht nicht mit --json, --report oder --add-to");
    if (!sweep && (o.rows > 0 || !o.columns.empty() || o.csvGerman || o.csvFull))
        throw UsageError("--rows, --columns, --csv-de und --full gehören zu --sweep");
    if (o.solve.empty() != o.vary.empty())
        throw UsageError("--solve ID=ZIEL braucht --vary ID[:VON:BIS] und umgekehrt");
}

int RunSweep(const CForm& form, const CalcOptions& o, std::ostream& out)
{
    const RatingOutcome outcome = ComputeRatingTable(form, SweepRequest(form, o));
    if (!outcome.problem.empty())
        throw UsageError(outcome.problem);
    out << RatingCsv(outcome.table, o.csvGerman ? kCsvGerman : kCsvPoint, SweepDigits(o));
    return 0;
}

std::optional<SolvedInput> RunSolve(CForm& form, const CalcOptions& o, std::ostream& err)
{
    SolveRequest request;
    const auto [result, target] = FieldAndValue(form, o.solve, "--solve");
    request.result = result;
    request.target = Number(target, "--solve");
    const std::vector<std::string> vary = Split(o.vary, ':');
    if (vary.size() != 1 && vary.size() != 3)
        throw UsageError("--vary erwartet ID oder ID:VON:BIS, nicht \"" + o.vary + "\"");
    request.vary = ControlIdOf(form, vary[0]);
    if (vary.size() == 3) {
        request.lo = Number(vary[1], "--vary");
        request.hi = Number(vary[2], "--vary");
    } else {
        std::tie(request.lo, request.hi) = DefaultSolveInterval(form, request.vary);
    }
    if (const std::string problem = SolveRequestProblem(form, request); !problem.empty())
        throw UsageError(problem);

    SolvedInput solved{request.vary, SolveFor(form, request)};
    if (!solved.outcome.found) {
        err << "dralun-calc: " << solved.outcome.problem << '\n';
        return std::nullopt;
    }
    if (!TakeSolution(form, request.vary, solved.outcome)) {
        err << "dralun-calc: das Feld nimmt \"" << solved.outcome.valueText << "\" nicht an\n";
        return std::nullopt;
    }
    return solved;
}

} // namespace dralun
