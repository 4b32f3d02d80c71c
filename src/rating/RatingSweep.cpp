#include "rating/RatingSweep.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/FormLayout.h"
#include "forms/MainFields.h"
#include "rating/FormCopy.h"
#include "report/Report.h"

namespace dralun {

namespace {

// A last value that passes the end by less than this share of a step (or
// of the end itself) is the end: 0.1 + 2 · 0.1 ends a table up to 0.3.
constexpr double kEndTolerance = 1e-9;

SweepValues Problem(std::string text)
{
    SweepValues sweep;
    sweep.problem = std::move(text);
    return sweep;
}

std::string TooMany(double rows)
{
    if (!(rows < 1e15))
        return Format("Die Tabelle hätte mehr als 1000000000000000 Zeilen; höchstens %d.", kMostRatingRows);
    return Format("Die Tabelle hätte %.0f Zeilen; höchstens %d.", rows, kMostRatingRows);
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string FieldName(const CForm& form, int id)
{
    return Format("\"%s\" (%d)", ColumnLabel(*form.FindField(id)).c_str(), id);
}

RatingColumn ColumnOf(const CForm& form, int id)
{
    const FieldInfo* f = form.FindField(id);
    return {id, f->name, ColumnLabel(*f), f->unit};
}

std::vector<int> ColumnsOf(const CForm& form, const RatingRequest& request)
{
    if (!request.columns.empty())
        return request.columns;
    std::vector<int> ids = MainResultIds(form);
    std::erase(ids, request.vary);
    return ids;
}

} // namespace

std::string ColumnLabel(const FieldInfo& f)
{
    std::string label = LabelWithoutUnit(WithoutMnemonic(f.label));
    if (!f.unit.empty() && EndsWith(label, " " + f.unit))
        label.resize(label.size() - f.unit.size() - 1);
    if (EndsWith(label, " in"))
        label.resize(label.size() - 3);
    return label.empty() ? f.name : label;
}

SweepValues SweepValuesOf(const RatingRequest& request)
{
    const double from = request.from, to = request.to;
    if (!std::isfinite(from))
        return Problem("Der Anfangswert ist keine endliche Zahl.");
    if (!std::isfinite(to))
        return Problem("Der Endwert ist keine endliche Zahl.");
    SweepValues sweep;
    if (request.rows != 0) {
        if (request.rows < 0)
            return Problem("Die Zahl der Zeilen muss mindestens 1 sein.");
        if (request.rows > kMostRatingRows)
            return Problem(TooMany(request.rows));
        if (request.rows == 1 && from != to)
            return Problem(Format("Von %.15g bis %.15g braucht die Tabelle mindestens 2 Zeilen.", from, to));
        const int n = request.rows;
        for (int i = 0; i < n; ++i) {
            double value = i + 1 == n ? to : from + (to - from) * i / (n - 1);
            // Bounds far apart overflow the difference: the share of each
            // bound then, which never leaves the range between them.
            if (!std::isfinite(value)) {
                const double t = static_cast<double>(i) / (n - 1);
                value = from * (1 - t) + to * t;
            }
            sweep.values.push_back(value);
        }
        return sweep;
    }
    const double step = request.step;
    if (!std::isfinite(step))
        return Problem("Die Schrittweite ist keine endliche Zahl.");
    if (step == 0)
        return Problem("Die Schrittweite ist 0.");
    const double steps = (to - from) / step;
    if (!std::isfinite(steps))
        return Problem(TooMany(std::numeric_limits<double>::infinity()));
    const double slack = kEndTolerance * std::max(1.0, std::fabs(steps));
    if (steps < -slack)
        return Problem(
            Format("Mit der Schrittweite %.15g wird der Endwert %.15g nie erreicht.", step, to));
    const double last = std::floor(steps + slack);
    if (last + 1 > kMostRatingRows)
        return Problem(TooMany(last + 1));
    const int n = static_cast<int>(last) + 1;
    sweep.values.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        double value = from + i * step;
        // The end reached within the tolerance is the end itself.
        if (i + 1 == n && std::fabs(value - to) <= kEndTolerance * std::max(std::fabs(step), std::fabs(to)))
            value = to;
        sweep.values.push_back(value);
    }
    return sweep;
}

SweepValues SweepValuesOn(const CForm& form, const RatingRequest& request)
{
    if (!IsVariableField(form, request.vary) || !std::isfinite(request.from) || !std::isfinite(request.to))
        return SweepValuesOf(request);
    CFormCopy copy(form);
    const std::vector<double> listed = copy.ListedValues(request.vary);
    if (listed.empty())
        return SweepValuesOf(request);
    const double lo = std::min(request.from, request.to), hi = std::max(request.from, request.to);
    SweepValues sweep;
    for (double value : listed)
        if (lo <= value && value <= hi)
            sweep.values.push_back(value);
    if (request.from > request.to)
        std::reverse(sweep.values.begin(), sweep.values.end());
    if (sweep.values.empty()) {
        std::string entries;
        for (double value : listed)
            entries += (entries.empty() ? "" : ", ") + Format("%.15g", value);
        sweep.problem = Format("Zwischen %.15g und %.15g liegt kein Wert der Liste des Feldes %s: %s.", lo, hi,
                               FieldName(form, request.vary).c_str(), entries.c_str());
    }
    return sweep;
}

std::string RatingRequestProblem(const CForm& form, const RatingRequest& request)
{
    const FieldInfo* varied = form.FindField(request.vary);
    if (!varied)
        return Format("Das Formular %d hat kein Feld %d.", form.TemplateId(), request.vary);
    if (varied->role == Role::Out)
        return "Das Feld " + FieldName(form, request.vary) + " ist ein Ergebnisfeld.";
    if (varied->kind != Kind::Number && varied->kind != Kind::Single)
        return "Das Feld " + FieldName(form, request.vary) + " ist kein Zahlenfeld.";
    if (!form.IsEnabled(request.vary))
        return "Das Feld " + FieldName(form, request.vary) + " ist gesperrt.";
    for (int id : request.columns) {
        if (!form.FindField(id))
            return Format("Das Formular %d hat kein Feld %d.", form.TemplateId(), id);
        if (id == request.vary)
            return "Das Feld " + FieldName(form, id) + " ist schon die erste Spalte.";
    }
    if (ColumnsOf(form, request).empty())
        return "Die Tabelle hat keine Spalte.";
    return SweepValuesOn(form, request).problem;
}

std::vector<int> TabulableFieldIds(const CForm& form, int vary)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields())
        if (f.id != vary)
            ids.push_back(f.id);
    return ids;
}

RatingOutcome ComputeRatingTable(const CForm& form, const RatingRequest& request, const RatingProgress& progress)
{
    RatingOutcome out;
    out.problem = RatingRequestProblem(form, request);
    if (!out.problem.empty())
        return out;
    const std::vector<double> values = SweepValuesOn(form, request).values;

    RatingTable& table = out.table;
    table.form = form.TemplateId();
    table.request = request;
    table.request.columns = ColumnsOf(form, request);
    table.varied = ColumnOf(form, request.vary);
    for (int id : table.request.columns)
        table.columns.push_back(ColumnOf(form, id));
    if (const std::optional<double> current = ParseFieldNumber(form.Text(request.vary)))
        table.current = *current;

    // The verdict's columns where the form decides one as it stands (even
    // if no row can be decided) or where any row has one; not for a form
    // whose check nobody asked for (its demand left at 0).
    if (form.StatesVerdict() && form.FormVerdict())
        table.verdict = form.FormVerdict()->terms;

    CFormCopy copy(form);
    if (!copy.Problem().empty()) {
        out.problem = "Das Formular lässt sich nicht nachrechnen: " + copy.Problem();
        return out;
    }
    table.rows.reserve(values.size());
    for (double value : values) {
        CFormCopy::Outcome computed = copy.Compute(request.vary, value, table.request.columns);
        RatingRow row;
        row.input = value;
        row.inputText = std::move(computed.inputText);
        row.texts = std::move(computed.texts);
        row.values = std::move(computed.values);
        row.refused = std::move(computed.refused);
        row.partly = std::move(computed.partly);
        row.messages = std::move(computed.messages);
        if (computed.verdict && row.refused.empty()) {
            const Verdict& v = *computed.verdict;
            row.verdict = RatingVerdict{v.demand, v.limit, v.utilisation, v.met};
            table.criteria = table.criteria || !v.criteria.empty();
            if (!table.verdict || table.verdict->demandSymbol.empty())
                table.verdict = v.terms;
        }
        // A refused row has no numbers: the zeros the form shows are none.
        // Where only a part was refused, the copy left just those cells empty.
        if (!row.refused.empty())
            std::fill(row.values.begin(), row.values.end(), std::numeric_limits<double>::quiet_NaN());
        table.rows.push_back(std::move(row));
        if (progress && !progress(table.rows.size(), values.size())) {
            table.rows.clear();
            out.problem = "Die Wertetabelle wurde abgebrochen.";
            return out;
        }
    }
    return out;
}

Report BuildRatedReport(const CForm& form, ReportHeader header, const std::optional<RatingRequest>& rating)
{
    Report report = BuildReport(form, std::move(header));
    if (!rating)
        return report;
    RatingOutcome outcome = ComputeRatingTable(form, *rating);
    if (outcome.problem.empty())
        report.rating = std::move(outcome.table);
    else
        report.messages.push_back("Wertetabelle nicht berechnet: " + outcome.problem);
    return report;
}

} // namespace dralun
