#include "project/KeepCalculation.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "forms/MainFields.h"
#include "project/CalcKinds.h"
#include "project/FormCalculation.h"
#include "rating/FormSettings.h"
#include "rating/RatingSweep.h"

namespace dralun {

namespace {

std::string NowUtc()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm utc = platform::UtcTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A number as a list shows it at a glance: four significant digits
// ("0.0858"); the field itself keeps all of them.
std::string Glance(const std::string& text)
{
    const std::optional<double> value = ParseFieldNumber(text);
    return value ? Format("%.4g", *value) : text;
}

// An input as the window shows it: as typed, or, where the form completes it
// (the slope from the levels), rounded for its unit like a result ("0.50",
// never the last digits of the arithmetic, "0.499999999999993").
std::string ShownInput(const CForm& form, const FieldInfo& f)
{
    const std::string& text = form.Text(f.id);
    if (!form.CompletedByForm(f.id))
        return TypedText(text);
    if (!form.Computed(f.id))
        return "–";
    const std::optional<double> value = ParseFieldNumber(text);
    return value ? RoundedText(*value, f.unit) : text;
}

std::string FieldWithValue(const CForm& form, int id, const char* between, bool glance)
{
    const FieldInfo* f = form.FindField(id);
    std::string text = f->name + between + (glance ? Glance(form.Text(id)) : ShownInput(form, *f));
    if (!f->unit.empty() && f->unit != "-" && f->unit != "1")
        text += " " + f->unit;
    return text;
}

std::string Joined(const CForm& form, const std::vector<int>& ids, const char* between, bool glance)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : ", ") + FieldWithValue(form, id, between, glance);
    return text;
}

} // namespace

std::string KeptRatingProblemOn(const CForm& form, const RatingRequest& request)
{
    const FieldInfo* varied = form.FindField(request.vary);
    if (!varied)
        return Format("das Formular %d hat kein Feld %d", form.TemplateId(), request.vary);
    if (!IsInputField(*varied))
        return ControlName(form, request.vary) + " ist ein Ergebnisfeld";
    if (varied->kind != Kind::Number && varied->kind != Kind::Single)
        return ControlName(form, request.vary) + " ist kein Zahlenfeld";
    for (int id : request.columns) {
        if (!form.FindField(id))
            return Format("das Formular %d hat kein Feld %d", form.TemplateId(), id);
        if (id == request.vary)
            return ControlName(form, id) + " ist schon die erste Spalte";
    }
    std::string problem = SweepValuesOf(request).problem;
    if (!problem.empty() && problem.back() == '.')
        problem.pop_back(); // the sentence goes on in the reader's message
    return problem;
}

std::string DefaultCalculationName(const CForm& form)
{
    const std::string inputs = Joined(form, MainInputIds(form), " ", false);
    return inputs.empty() ? form.Title() : form.Title() + " " + inputs;
}

std::string MainResultText(const CForm& form)
{
    if (form.RefusedWhole())
        return "nicht berechnet";
    return Joined(form, MainResultIds(form), " = ", true);
}

Calculation KeepCalculation(const ICalculation& calc, const ReportHeader& header, const std::string& name,
                            const std::optional<RatingRequest>& rating)
{
    Calculation c;
    const std::string kind = calc.Kind();
    if (IsFormKind(kind))
        c.form = std::stoi(kind);
    else
        c.kind = kind;
    c.title = calc.Title();
    c.name = name.empty() ? calc.DefaultName() : name;
    SetKeptValues(c, calc.Inputs(), calc.Results());
    c.messages = calc.Messages();
    c.refused = calc.Refusal();
    c.header = header;
    if (c.header.date.empty())
        c.header.date = TodayText();
    c.time = NowUtc();
    for (const DataFileUse& file : calc.DataFiles())
        c.files.push_back({file.name, file.sha256, file.content});
    c.mainResult = calc.MainResult();
    // What only a form has: the catchment's table its discharge was typed
    // from, and a rating table.
    const CForm* form = calc.Form();
    if (!form)
        return c;
    if (const FormInflow* inflow = form->Inflow())
        c.inflow = *inflow;
    if (rating && KeptRatingProblemOn(*form, *rating).empty()) {
        RatingOutcome made = ComputeRatingTable(*form, *rating);
        if (made.problem.empty()) {
            c.rating = std::move(made.table);
        } else {
            c.rating.emplace();
            c.rating->request = *rating;
        }
    }
    return c;
}

Calculation KeepCalculation(const CForm& form, const ReportHeader& header, const std::string& name,
                            const std::optional<RatingRequest>& rating)
{
    return KeepCalculation(CFormCalculation(form), header, name, rating);
}

std::string CalculationProblemOn(const ICalculation& made, const Calculation& calc)
{
    if (std::string problem = made.KeptProblem(KeptInputs(calc), KeptResults(calc)); !problem.empty())
        return problem;
    if (calc.rating) {
        const CForm* form = made.Form();
        if (!form)
            return "in der Wertetabelle: diese Art der Berechnung hat keine";
        if (std::string problem = KeptRatingProblemOn(*form, calc.rating->request); !problem.empty())
            return "in der Wertetabelle: " + problem;
    }
    return {};
}

std::string CalculationProblemOn(const CForm& form, const Calculation& calc)
{
    return CalculationProblemOn(CFormCalculation(form), calc);
}

std::string CalculationProblem(const Calculation& calc)
{
    CSilentSink sink;
    const std::unique_ptr<ICalculation> made = MakeCalculation(KindOf(calc), sink);
    if (!made)
        return UnknownKindText(KindOf(calc));
    return CalculationProblemOn(*made, calc);
}

std::string ApplyCalculation(ICalculation& made, const Calculation& calc)
{
    std::string problem = made.Redo(KeptInputs(calc));
    // The table the discharge was typed from belongs to it again (only while
    // the field shows what the table gives).
    if (CForm* form = made.Form(); problem.empty() && calc.inflow && form)
        form->RestoreInflow(*calc.inflow);
    return problem;
}

std::string ApplyCalculation(CForm& form, const Calculation& calc)
{
    CFormCalculation made(form);
    return ApplyCalculation(made, calc);
}

namespace {

// A row of a rating table as a change shows it: "0.0169 | 2.97", or why it was refused.
std::string RowText(const RatingRow& row)
{
    if (!row.refused.empty())
        return "nicht berechnet";
    std::string text;
    for (const std::string& cell : row.texts)
        text += (text.empty() ? "" : " | ") + cell;
    return text;
}

// The first row of the kept rating table that reads differently when the
// table is made anew, with the count of the others; none when all read alike.
std::optional<ResultChange> RatingChange(const CForm& form, const RatingTable& kept)
{
    const RatingOutcome now = ComputeRatingTable(form, kept.request);
    if (!now.problem.empty())
        return ResultChange{0, "Wertetabelle", Format("%zu Zeilen", kept.rows.size()), "nicht berechnet: " + now.problem};
    const std::vector<RatingRow>& rows = now.table.rows;
    auto differs = [&](size_t i) {
        return i >= rows.size() || i >= kept.rows.size() || rows[i].inputText != kept.rows[i].inputText ||
               rows[i].texts != kept.rows[i].texts || rows[i].refused != kept.rows[i].refused;
    };
    size_t first = 0, count = 0;
    for (size_t i = 0; i < std::max(rows.size(), kept.rows.size()); ++i)
        if (differs(i) && count++ == 0)
            first = i;
    if (count == 0)
        return std::nullopt;
    std::string label = Format("Wertetabelle, Zeile %zu", first + 1);
    if (first < kept.rows.size())
        label += " (" + now.table.varied.name + " = " + kept.rows[first].inputText + ")";
    if (count > 1)
        label += Format(" und %zu weitere", count - 1);
    return ResultChange{0, label, first < kept.rows.size() ? RowText(kept.rows[first]) : "",
                        first < rows.size() ? RowText(rows[first]) : ""};
}

} // namespace

std::vector<ResultChange> ChangedResults(const ICalculation& made, const Calculation& calc)
{
    std::vector<ResultChange> changes = made.ChangedResults(KeptResults(calc));
    const CForm* form = made.Form();
    if (form && calc.rating && !calc.rating->rows.empty())
        if (std::optional<ResultChange> change = RatingChange(*form, *calc.rating))
            changes.push_back(std::move(*change));
    // A kept inflow table that no longer gives the discharge typed from it.
    if (form && calc.inflow && !form->Inflow())
        changes.push_back({0, "Zufluss-Tabelle", "Q = " + calc.inflow->typed, "gibt diesen Wert nicht mehr"});
    if (const std::string refused = made.Refusal(); refused != calc.refused)
        changes.push_back({0, "Ablehnung", calc.refused, refused});
    if (const std::vector<std::string> messages = made.Messages(); messages != calc.messages) {
        auto joined = [](const std::vector<std::string>& texts) {
            std::string all;
            for (const std::string& t : texts)
                all += (all.empty() ? "" : " | ") + t;
            return all;
        };
        changes.push_back({0, "Meldungen", joined(calc.messages), joined(messages)});
    }
    return changes;
}

std::vector<ResultChange> ChangedResults(const CForm& form, const Calculation& calc)
{
    return ChangedResults(CFormCalculation(form), calc);
}

Reopened Reopen(const Calculation& calc, IMessageSink& sink)
{
    Reopened r;
    r.calc = MakeCalculation(KindOf(calc), sink);
    if (!r.calc) {
        r.problem = UnknownKindText(KindOf(calc));
        return r;
    }
    r.form = r.calc->Form();
    r.problem = CalculationProblemOn(*r.calc, calc);
    if (!r.problem.empty())
        return r;
    r.problem = ApplyCalculation(*r.calc, calc);
    if (r.problem.empty())
        r.changes = ChangedResults(*r.calc, calc);
    return r;
}

std::string ChangeText(const ResultChange& change)
{
    auto shown = [](const std::string& t) { return t.empty() ? std::string("(leer)") : t; };
    return change.label + ": gespeichert " + shown(change.before) + ", jetzt " + shown(change.after);
}

} // namespace dralun
