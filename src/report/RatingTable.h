#pragma once
// A rating table: one input of a form varied over a range, the form computed
// for every value as a user would, and what it showed in the chosen fields.
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/Verdict.h"

namespace dralun {

// The most rows a table may have.
inline constexpr int kMostRatingRows = 10000;

struct RatingColumn {
    int id = 0;
    std::string name;  // "Qv"
    std::string label; // the field's label without its unit: "Qv"
    std::string unit;  // "l/s"
};

// What the user asked for. With rows > 0 the table has that many rows from
// "from" to "to", both included, and step is not used; else the values go
// from "from" in steps of "step" as long as they do not pass "to".
struct RatingRequest {
    int vary = 0;
    double from = 0;
    double to = 0;
    double step = 0;
    int rows = 0;
    std::vector<int> columns; // empty: the form's main results
};

// The verdict of one row: what the form decided as it computed the row.
struct RatingVerdict {
    double demand = 0;
    double limit = 0;
    double utilisation = 0; // per cent; NaN where the capacity is zero or below
    bool met = false;
};

struct RatingRow {
    double input = 0;      // the value typed into the varied field
    std::string inputText; // the field's text after typing
    std::vector<std::string> texts; // each column as the form writes it, trimmed
    std::vector<double> values;     // the same as numbers; NaN where a text is none
    std::string refused;            // why the form refused the whole row, or ""
    std::vector<std::string> messages; // the messages the row's computation showed
    // Why the form left some results of a computed row out, or "": those
    // cells have the text "" and NaN, the others their values.
    std::string partly = {};
    // The form's verdict for the row; none where the form states no
    // criterion or refused the row.
    std::optional<RatingVerdict> verdict = {};
};

struct RatingTable {
    int form = 0;
    RatingRequest request; // columns filled in
    RatingColumn varied;
    std::vector<RatingColumn> columns;
    std::vector<RatingRow> rows;
    // The varied field's value on the form the table was made from (the
    // chart marks it), NaN when it is no number.
    double current = std::numeric_limits<double>::quiet_NaN();
    // What the form's verdict compares, where the form states one: the
    // table then has the columns "Ausnutzung" and "Nachweis".
    std::optional<VerdictTerms> verdict = {};
    // Whether the rows' verdicts include criteria the engineer chose beside
    // the comparison (the pipe run's ηmax, vmin, (h/d)max): the column then
    // says so, since a row may fail them with the comparison held.
    bool criteria = false;
};

// " und Kriterien" after the verdict column's head where the rows' verdicts
// include chosen criteria, else "".
inline const char* CriteriaSuffix(const RatingTable& table) { return table.criteria ? " und Kriterien" : ""; }

} // namespace dralun
