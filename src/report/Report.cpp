#include "report/Report.h"

#include <algorithm>
#include <ctime>
#include <map>
#include <set>

#include "core/Format.h"
#include "core/Platform.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "report/InflowText.h"
#include "report/ReportLabels.h"

namespace dralun {

std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    const std::tm local = platform::LocalTime(now);
    return Format("%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

std::string LabelWithoutUnit(const std::string& label)
{
    // Labels broken over two lines on the form read as one line here:
    // "Nieder-\nschlagsdauer" -> "Niederschlagsdauer", "Eintauchtiefe [m]\nobere
    // Schwelle" -> "Eintauchtiefe obere Schwelle".
    std::string text = label;
    for (size_t p; (p = text.find("-\n")) != std::string::npos;)
        text.erase(p, 2);
    std::replace(text.begin(), text.end(), '\n', ' ');
    // The unit in brackets, wherever it stands ("Au je m [m²/m)" included).
    for (size_t open; (open = text.find(" [")) != std::string::npos;) {
        const size_t close = text.find_first_of("])", open);
        if (close == std::string::npos)
            break;
        text.erase(open, close + 1 - open);
    }
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string ReadableFormula(const std::string& formula)
{
    std::string out;
    for (const char c : formula) {
        if (c == ' ')
            continue;
        const unsigned char last = out.empty() ? '(' : static_cast<unsigned char>(out.back());
        // An operator after an operand; a sign after "(" or an operator stays
        // with its number, as does the sign of an exponent ("1e-05").
        const bool afterOperand = last == ')' || last == '.' || last == '_' || last >= 0x80 ||
                                  (last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z') ||
                                  (last >= 'a' && last <= 'z');
        const bool exponent = (last == 'e' || last == 'E') && out.size() >= 2 && out[out.size() - 2] >= '0' &&
                              out[out.size() - 2] <= '9';
        if (c == ',') {
            out += ", ";
        } else if ((c == '+' || c == '-' || c == '*' || c == '/') && afterOperand && !exponent) {
            out += ' ';
            out += c == '*' ? std::string("·") : std::string(1, c);
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// Whether the computation used the input: one the mode uses is; another
// only where the steps name it (a water depth that follows the swale's
// depth, a rise the culvert's slope subtracts).
bool InputUsed(const CForm& form, const FieldInfo& f, const std::set<std::string>& named)
{
    return form.ModeUses(f.id) || named.count(f.name) != 0;
}

// A form that checks a required discharge (the field a catchment's
// discharge is typed into) left at 0: what the reader needs to know.
std::string NoCheckAskedFor(const CForm& form)
{
    const FormInfo* info = FindFormById(form.TemplateId());
    if (!form.StatesVerdict() || !info || !info->inflowField)
        return "";
    const FieldInfo* field = form.FindFieldByName(info->inflowField);
    if (!field || form.Value(field->id) != 0)
        return "";
    const std::string symbol = ShownSymbol(field->name);
    return "Kein Nachweis: es wurde kein erforderlicher Abfluss angegeben (" + symbol +
           " = 0), nur die Leistungsfähigkeit berechnet. Für den Nachweis " + symbol +
           " eingeben oder mit „Zufluss…“ aus dem Einzugsgebiet übernehmen und „Rechne“ drücken.";
}

// How the form window shows the field: an input as typed, a result (and an
// input the mode completes) rounded for its unit, a text result as the form
// formatted it.
FieldShape ShapeOf(const CForm& form, const FieldInfo& f)
{
    const bool number = f.kind == Kind::Number || f.kind == Kind::Single;
    if (f.role != Role::Out)
        return number && form.CompletedByForm(f.id) ? FieldShape::NumberResult : FieldShape::Input;
    return number ? FieldShape::NumberResult : FieldShape::TextResult;
}

} // namespace

Report BuildReport(const CForm& form, ReportHeader header)
{
    Report report;
    report.form = form.TemplateId();
    report.title = form.Title();
    report.footNote = "Formular " + std::to_string(form.TemplateId());
    report.method = form.Method();
    report.methodNote = form.MethodNote();
    if (header.date.empty())
        header.date = TodayText();
    report.header = std::move(header);

    report.refusal = form.RefusedBecause();
    report.messages = form.ComputationMessages();
    const bool computed = !form.RefusedWhole();
    if (computed)
        report.steps = form.Steps();
    for (CalcStep& s : report.steps)
        s.unit = ProgramUnit(s.unit);
    // The symbols the steps found and those their formulas name.
    std::set<std::string> found, named;
    for (const CalcStep& s : report.steps) {
        found.insert(s.symbol);
        for (const std::string& symbol : FormulaSymbols(s.formula))
            named.insert(symbol);
    }

    const std::map<int, std::string> labels = WholeLabels(form);
    for (const FieldInfo& f : form.Fields()) {
        ReportEntry entry{f.id, labels.at(f.id), f.name, form.Text(f.id), ProgramUnit(f.unit), ShapeOf(form, f)};
        // A value the computation did not give (a refused result, an
        // overloaded pipe's part filling, a slope it could not complete)
        // stands marked, not as the 0 its field holds.
        entry.computed = form.Computed(f.id);
        if (f.role == Role::Out) {
            if (computed)
                report.results.push_back(std::move(entry));
        } else if ((!form.IsEnabled(f.id) && found.count(f.name)) || (computed && form.CompletedByForm(f.id))) {
            report.results.push_back(std::move(entry)); // the mode computes it
        } else {
            (InputUsed(form, f, named) ? report.inputs : report.unused).push_back(std::move(entry));
        }
    }
    for (const FormChoice& c : form.Choices())
        report.inputs.push_back({c.id, c.label, "", c.text, ""});

    report.files = form.DataFiles();
    if (computed)
        report.verdict = form.FormVerdict();
    if (computed && !report.verdict)
        report.verdictNote = NoCheckAskedFor(form);
    report.inflow = ReportedInflow(form, report.inputs);
    report.signature = SignatureOf(report.header);
    return report;
}

SignatureBlock SignatureOf(const ReportHeader& header) { return {header.place, header.date, header.engineer}; }

std::vector<bool> KeptInShortForm(const Report& report)
{
    std::set<std::string> shown{"eta"};
    for (const ReportEntry& e : report.results)
        shown.insert(e.symbol);
    if (report.verdict) {
        shown.insert(report.verdict->terms.demandSymbol);
        shown.insert(report.verdict->terms.limitSymbol);
    }
    std::vector<bool> kept(report.steps.size(), false);
    std::set<std::string> later; // symbols found again by a later step
    for (std::size_t i = report.steps.size(); i-- > 0;) {
        const std::string& symbol = report.steps[i].symbol;
        // A value taken from a table or a rule (its formula is the number) is a look-up.
        const std::string& formula = report.steps[i].formula;
        const bool taken = formula.find_first_not_of("0123456789.eE+-() ") == std::string::npos;
        kept[i] = !taken && shown.count(symbol) != 0 && later.count(symbol) == 0;
        later.insert(symbol);
    }
    return kept;
}

Report ShortReport(const Report& report)
{
    if (!report.header.shortForm)
        return report;
    Report out = report;
    const std::vector<bool> kept = KeptInShortForm(report);
    out.steps.clear();
    for (std::size_t i = 0; i < report.steps.size(); ++i)
        if (kept[i])
            out.steps.push_back(report.steps[i]);
    out.omittedSteps = report.steps.size() - out.steps.size();
    for (DataFileUse& f : out.files)
        f.rows.clear(); // the rows looked up are intermediate steps too
    return out;
}

} // namespace dralun
