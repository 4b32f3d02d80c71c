#pragma once
// One calculation as a project keeps it: its kind, what the user set on it,
// what it showed as results and messages, the head of its report, when it
// was kept, and the data files it read. A form's values are kept under its
// control ids (every input field's text as the form showed it, the modes,
// check boxes and list selections); another kind's under its own names.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/FormInflow.h"
#include "report/ICalculation.h"
#include "report/Report.h"

namespace dralun {

// The longest texts a user gives a calculation, in characters: its name and
// the fields of its report's head (Projekt, Bauwerk, Bearbeiter, Datum,
// Bemerkung, in that order). The window's fields take no more, the driver
// refuses more, the writer keeps no more and the reader takes no more.
inline constexpr std::size_t kLongestName = 200;
inline constexpr std::size_t kLongestHeadText[5] = {200, 200, 100, 50, 2000};
inline constexpr const char* kHeadTextNames[5] = {"Projekt", "Bauwerk", "Bearbeiter", "Datum", "Bemerkung"};
// The head fields beside those (Auftraggeber, Planung, Ort, Projekt-Nr.):
// Planung holds the office's name and at most kMostOfficeLines - 1 lines of
// its address, separated by line feeds.
inline constexpr std::size_t kLongestClient = 200;
inline constexpr std::size_t kLongestOffice = 400;
inline constexpr std::size_t kLongestPlace = 100;
inline constexpr std::size_t kLongestNumber = 50;
inline constexpr std::size_t kMostOfficeLines = 4;
// Why an office text is refused ("" when it is not): too long, a control
// character other than the line feed, more than kMostOfficeLines lines.
std::string OfficeTextProblem(const std::string& text, const std::string& what);

struct KeptDataFile {
    std::string name;
    std::string sha256; // 64 hex digits
    // The bytes of a rainfall series the calculation read: the project's
    // own copy, so that it checks alike where the data directory lacks the
    // file. Null for the program's own tables.
    std::shared_ptr<const std::string> content;
};

struct Calculation {
    int form = 0; // the form's template id; 0 for another kind
    // The name of a kind other than a form, and its inputs and results
    // under their names; "" and empty for a form.
    std::string kind;
    CalcValues namedInputs;
    CalcValues namedResults;
    std::string title;
    std::string name; // as the user calls it: "Mulde B 2 m, h 0.3 m"
    // Input fields the user could type into, in the form's order.
    std::vector<std::pair<int, std::string>> inputs;
    // Radio buttons and check boxes (not bound to a field): checked or not.
    std::vector<std::pair<int, bool>> checks;
    // Lists and drop-down lists not bound to a field: the selected entry.
    std::vector<std::pair<int, int>> selections;
    // Result fields as shown.
    std::vector<std::pair<int, std::string>> results;
    // Entries of the lists the form fills with results.
    std::vector<std::pair<int, std::vector<std::string>>> lists;
    std::vector<std::string> messages;
    std::string refused; // why the computation was refused, or ""
    ReportHeader header;
    std::string time; // when it was kept, UTC: "2026-12-07T21:56:00Z"
    std::vector<KeptDataFile> files;
    std::string mainResult; // "Q_Gl7 = 0.0858 m³/s", for the project's list
    // A rating table kept with it: the request is redone on reopening, the
    // rows are what it showed.
    std::optional<RatingTable> rating;
    // The table the discharge was typed from ("Zufluss…"), when the
    // discharge field showed what it typed.
    std::optional<FormInflow> inflow;
};

// The kind of the calculation as ICalculation::Kind() names it: "130" for
// a form, the name of another kind.
std::string KindOf(const Calculation& calc);
// Its inputs and results as named values, whatever its kind, and back
// (false when a form's value is not under a control id).
CalcValues KeptInputs(const Calculation& calc);
CalcValues KeptResults(const Calculation& calc);
bool SetKeptValues(Calculation& calc, const CalcValues& inputs, const CalcValues& results);

} // namespace dralun
