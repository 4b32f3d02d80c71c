#pragma once
// The calculation report of a form: what an examiner needs to redo the
// computation by hand. Head, inputs as the form shows them, the steps of the
// computation with the numbers put in, results, messages, the data files
// read. Built from the form's current state; the window lays it out for the
// page, dralun-calc writes it as text or JSON.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/CalcSteps.h"
#include "core/NumberPresentation.h"
#include "core/Verdict.h"
#include "forms/FormInflow.h"
#include "report/RatingTable.h"

namespace dralun {

class CForm;

// What a person reads for a result the computation did not give.
inline constexpr const char* kNotComputed = "–";

// Program name and version as the report's foot line shows them.
inline constexpr const char* kProgramVersion = "Dralun 1.00";

struct ReportHeader {
    std::string project;   // Projekt
    std::string structure; // Bauwerk / Abschnitt
    std::string engineer;  // Bearbeiter
    std::string date;      // Datum, "07.12.2026"
    std::string remark;    // Bemerkung
    // The fields beside those (initialised, so that a head of the five
    // above reads whole): Auftraggeber; Planung, the office's name and up to
    // three lines of its address, each after a line feed (kept in the
    // settings, like the place); Ort; Projekt-Nr.
    std::string client{};
    std::string office{};
    std::string place{};
    std::string number{};
    // "Kurzfassung": the pages leave out the intermediate steps (see
    // ShortReport); the JSON report keeps everything.
    bool shortForm = false;
    // The printed page writes numbers with a decimal comma (the default) or
    // a point; what a program reads (text, JSON, CSV) always has a point.
    bool decimalComma = true;
};

// An input or result as the form shows it. Choices (a mode, a check box, a
// list entry) are inputs with the control's id, no symbol and no unit.
struct ReportEntry {
    int id = 0;
    std::string label;
    std::string symbol;
    std::string text;
    std::string unit;
    // How a person reads the text: with the digits the form window shows.
    FieldShape shape = FieldShape::Input;
    // Whether the computation gave this result; one it did not give (its
    // field left at 0) is printed "–". The text stays the field's.
    bool computed = true;
};

// The design discharge of the catchment the form's discharge field was
// typed from: the table, its steps (one per area, the sum, and the unit
// where the field takes m³/s) and the field it went into.
struct ReportInflow {
    int field = 0;
    std::string fieldLabel; // as the inputs name it
    std::string fieldName;
    std::string unit;  // of the field: "l/s" or "m³/s"
    std::string typed; // the text typed into it
    std::vector<InflowEntry> areas;
    InflowRain rain;
    std::vector<CalcStep> steps;
    double value = 0; // Q in the field's unit
};

// The block a report ends with, to be signed: "Aufgestellt:" with the
// place, date and name of the head, and an empty line to sign; "Geprüft:"
// with empty lines for the reviewer. An empty field stays an empty line.
struct SignatureBlock {
    std::string place;
    std::string date;
    std::string name;
};

struct Report {
    int form = 0;         // the form's template id; 0 for another kind
    std::string kind;     // the name of a kind other than a form, else ""
    std::string title;    // the form's title: "Rohr"
    std::string footNote; // the form's number for the foot line: "Formular 130"
    std::string method;
    std::string methodNote; // a line under the method: what it is not, or ""
    ReportHeader header;
    // The inputs the computation used; an input the chosen mode leaves
    // unused (the levels while the slope is given as 1 : n) is in `unused`:
    // a page leaves it out, the JSON keeps it marked.
    std::vector<ReportEntry> inputs;
    std::vector<ReportEntry> unused;
    std::vector<CalcStep> steps;
    // Empty when the computation was refused. An input field the chosen mode
    // computes (the slope from the levels) is a result here.
    std::vector<ReportEntry> results;
    std::vector<std::string> messages; // every message the computation showed
    std::string refusal;               // why the computation was refused, or ""
    std::vector<DataFileUse> files;
    // The verdict of the computation; none where the form states no
    // criterion or the computation was refused.
    std::optional<Verdict> verdict;
    // Where the form checks a required discharge but none was given: that no
    // check was asked for, and how to ask for one; "" else.
    std::string verdictNote;
    std::optional<RatingTable> rating; // a rating table the user added
    // Where the discharge used was typed from the catchment's table and the
    // results belong to it; none else.
    std::optional<ReportInflow> inflow;
    // The block to sign at the end; none where a print signs elsewhere (a
    // project's reports are signed once, at the print's end).
    std::optional<SignatureBlock> signature;
    // In a short form: how many steps of the whole computation it leaves out.
    std::size_t omittedSteps = 0;
};

// The signature block of a head: its place, date and engineer.
SignatureBlock SignatureOf(const ReportHeader& header);

// Whether a step finds a value the report shows for itself: a result of
// the form (by its symbol), or what the verdict compares or its
// utilisation, by a formula. Every other step is an intermediate one (a
// value taken from a table or a rule, an interpolation, a term of a
// formula); of a symbol found more than once (an iteration), only its last
// step counts.
std::vector<bool> KeptInShortForm(const Report& report);

// The report in its short form ("Kurzfassung"): inputs, results, the
// verdict, the data and rain sources and their heads, only the steps
// KeptInShortForm keeps, no rows of the tables looked up. The report
// itself where its head does not ask for the short form.
Report ShortReport(const Report& report);

// Today's date as the report writes it: "07.12.2026".
std::string TodayText();

// The report of the form as it stands. A header without a date gets today's.
Report BuildReport(const CForm& form, ReportHeader header = {});

// A field's label without its unit in brackets: "Muldenhöhe h [m]" ->
// "Muldenhöhe h".
std::string LabelWithoutUnit(const std::string& label);

// A formula as the page shows it: "·" for "*", blanks around the operators.
std::string ReadableFormula(const std::string& formula);

} // namespace dralun
