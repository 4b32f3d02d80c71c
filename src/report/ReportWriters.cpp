#include "report/ReportWriters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "report/DataFileHead.h"
#include "report/InflowText.h"
#include "report/VerdictText.h"

namespace dralun {

// A zero is written "0" whatever its sign: "-0 m³/s" reads as a value that
// is less than nothing.
double Rounded15(double value) { return value == 0 ? 0.0 : std::strtod(Format("%.15g", value).c_str(), nullptr); }

namespace {

// Characters, not bytes, of a UTF-8 text.
size_t Width(const std::string& text)
{
    size_t width = 0;
    for (unsigned char c : text)
        width += (c & 0xc0) != 0x80;
    return width;
}

void Heading(std::string& out, const std::string& title)
{
    out += '\n' + title + '\n';
    out += std::string(Width(title), '-') + '\n';
}

// Lines of a text, each after an indent.
std::string Indented(const std::string& text, const std::string& indent)
{
    std::string out = indent;
    for (char c : text) {
        out += c;
        if (c == '\n')
            out += indent;
    }
    return out;
}

// Whether the label names the symbol already ("Breite B").
bool EndsWithSymbol(const std::string& label, const std::string& symbol)
{
    return label == symbol || (label.size() > symbol.size() && label.compare(label.size() - symbol.size(), symbol.size(), symbol) == 0 &&
                               label[label.size() - symbol.size() - 1] == ' ');
}

// A unit worth writing after a value: not the "-" or "1" of a pure number.
bool WrittenUnit(const std::string& unit) { return !unit.empty() && unit != "-" && unit != "1"; }

void Entries(std::string& out, const std::vector<ReportEntry>& entries)
{
    for (const ReportEntry& e : entries) {
        std::string line = "  " + e.label;
        const std::string symbol = ShownSymbol(e.symbol);
        if (!symbol.empty() && !EndsWithSymbol(e.label, symbol) && !EndsWithSymbol(e.label, e.symbol))
            line += " (" + symbol + ")";
        // A result the computation did not give: its field's 0 is no value.
        line += ": " + (e.computed ? e.text : std::string(kNotComputed));
        if (e.computed && WrittenUnit(e.unit))
            line += ' ' + e.unit;
        out += line + '\n';
    }
}

std::string UnitAfter(const std::string& unit) { return unit.empty() || unit == "-" ? "" : " " + unit; }

std::string RightAligned(const std::string& text, size_t width)
{
    const size_t w = Width(text);
    return w < width ? std::string(width - w, ' ') + text : text;
}

std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

// The table under its head: every column right aligned to its widest cell,
// a refused row's reason after its input.
void RatingText(std::string& out, const RatingTable& t)
{
    Heading(out, "Wertetabelle");
    out += "  " + RatingRangeText(t) + "\n\n";
    std::vector<const RatingColumn*> columns{&t.varied};
    for (const RatingColumn& c : t.columns)
        columns.push_back(&c);
    std::vector<size_t> widths;
    for (size_t k = 0; k < columns.size(); ++k) {
        size_t w = std::max(Width(RatingColumnTitle(*columns[k])), Width(RatingUnitText(*columns[k])));
        for (const RatingRow& row : t.rows) {
            if (k == 0)
                w = std::max(w, Width(row.inputText));
            else if (row.refused.empty() && k - 1 < row.texts.size())
                w = std::max(w, Width(row.texts[k - 1]));
        }
        widths.push_back(w);
    }
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text = " ";
        for (size_t k = 0; k < cells.size(); ++k)
            text += "  " + (k < widths.size() ? RightAligned(cells[k], widths[k]) : cells[k]);
        out += text + '\n';
    };
    std::vector<std::string> titles, units;
    for (const RatingColumn* c : columns) {
        titles.push_back(RatingColumnTitle(*c));
        units.push_back(RatingUnitText(*c));
    }
    if (t.verdict) { // the verdict of each row after its values
        titles.push_back("Ausnutzung");
        units.push_back("[%]");
        titles.push_back("Nachweis " + ShownSymbol(t.verdict->demandSymbol) + " <= " +
                         ShownSymbol(t.verdict->limitSymbol) + CriteriaSuffix(t));
        units.push_back("");
    }
    line(titles);
    line(units);
    for (const RatingRow& row : t.rows) {
        if (!row.refused.empty()) {
            out += "   " + RightAligned(row.inputText, widths[0]) + "  nicht berechnet: " + OneLine(row.refused) + '\n';
            continue;
        }
        std::vector<std::string> cells{row.inputText};
        cells.insert(cells.end(), row.texts.begin(), row.texts.end());
        if (t.verdict) {
            const bool finite = row.verdict && std::isfinite(row.verdict->utilisation);
            cells.push_back(finite ? Format("%.1f", row.verdict->utilisation) : std::string("-"));
            cells.push_back(row.verdict ? VerdictWord(row.verdict->met) : "-");
        }
        if (!row.partly.empty()) // why the empty cells of the row are empty
            cells.push_back(OneLine(row.partly));
        line(cells);
    }
}

nlohmann::ordered_json RatingColumnJson(const RatingColumn& c)
{
    return {{"id", c.id}, {"name", c.name}, {"label", c.label}, {"unit", c.unit}};
}

nlohmann::ordered_json RatingJson(const RatingTable& t)
{
    using Json = nlohmann::ordered_json;
    Json columns = Json::array();
    for (const RatingColumn& c : t.columns)
        columns.push_back(RatingColumnJson(c));
    Json rows = Json::array();
    for (const RatingRow& row : t.rows) {
        Json item{{"input", row.inputText}, {"values", row.texts}, {"refused", row.refused}, {"partly", row.partly}};
        if (t.verdict) {
            Json verdict = nullptr;
            if (row.verdict) {
                const RatingVerdict& v = *row.verdict;
                verdict = {{"demand", Rounded15(v.demand)},
                           {"limit", Rounded15(v.limit)},
                           {"utilisation", std::isfinite(v.utilisation) ? Json(Rounded15(v.utilisation)) : Json()},
                           {"met", v.met}};
            }
            item["verdict"] = verdict;
        }
        rows.push_back(std::move(item));
    }
    Json table{{"vary", RatingColumnJson(t.varied)}, {"columns", columns}, {"rows", rows}};
    if (t.verdict)
        table["verdict"] = {{"demand", t.verdict->demandSymbol}, {"limit", t.verdict->limitSymbol},
                            {"unit", t.verdict->unit}};
    return table;
}

} // namespace

std::string RatingColumnTitle(const RatingColumn& c)
{
    const std::string name = ShownSymbol(c.name);
    if (c.label.empty())
        return name;
    if (EndsWithSymbol(c.label, c.name) || EndsWithSymbol(c.label, name) || c.name.empty())
        return c.label;
    return c.label + ' ' + name;
}

std::string RatingUnitText(const RatingColumn& c)
{
    return c.unit.empty() || c.unit == "-" ? std::string() : "[" + c.unit + "]";
}

std::string RatingRangeText(const RatingTable& t)
{
    const RatingRequest& q = t.request;
    const std::string unit = UnitAfter(t.varied.unit);
    std::string text = "Verändert: " + RatingColumnTitle(t.varied) + Format(" von %.10g bis %.10g", q.from, q.to) + unit;
    if (q.rows <= 0)
        text += Format(" in Schritten von %.10g", q.step) + unit;
    return text + Format(" (%zu %s)", t.rows.size(), t.rows.size() == 1 ? "Zeile" : "Zeilen");
}

std::string OmittedStepsText(const Report& r)
{
    return Format("Kurzfassung: %zu von %zu Schritten weggelassen (Tabellenwerte, Interpolationen, Iterationen).",
                  r.omittedSteps, r.omittedSteps + r.steps.size());
}

std::vector<std::string> StepLines(const CalcStep& step)
{
    // A value taken from a table or a rule: its formula is the number itself.
    const std::string value = Format("%.6g", step.value == 0 ? 0.0 : step.value);
    if (step.formula.find_first_not_of("0123456789.eE+-()") == std::string::npos)
        return {value};
    std::vector<std::string> lines{ReadableFormula(step.formula)};
    const std::string numbers = ReadableFormula(PutIn(step.formula, step.args, NumberStyle::Readable));
    if (numbers != lines.back())
        lines.push_back(numbers);
    if (value != lines.back())
        lines.push_back(value);
    return lines;
}

std::vector<std::pair<std::string, std::string>> HeadLines(const ReportHeader& h)
{
    return {{"Projekt", h.project},     {"Projekt-Nr.", h.number},       {"Auftraggeber", h.client},
            {"Bauwerk / Abschnitt", h.structure}, {"Planung", h.office}, {"Bearbeiter", h.engineer},
            {"Ort", h.place},           {"Datum", h.date},               {"Bemerkung", h.remark}};
}

std::vector<std::string> SignatureLines(const SignatureBlock& s)
{
    // An empty field is a line to fill in by hand, never a made-up value.
    auto field = [](const std::string& label, const std::string& value) {
        return label + ": " + (value.empty() ? std::string(kSignatureBlank) : value);
    };
    return {"Aufgestellt:",
            "  " + field("Ort", s.place),
            "  " + field("Datum", s.date),
            "  " + field("Name", s.name),
            "  " + field("Unterschrift", ""),
            "",
            "Geprüft:",
            "  " + field("Ort", ""),
            "  " + field("Datum", ""),
            "  " + field("Name", ""),
            "  " + field("Unterschrift", "")};
}

std::string ReportText(const Report& whole)
{
    const Report r = ShortReport(whole);
    std::string out;
    out += r.title + (r.header.shortForm ? " – Kurzfassung" : "") + '\n';
    out += r.method + '\n';
    if (!r.methodNote.empty())
        out += r.methodNote + '\n';
    out += '\n';
    for (const auto& [label, value] : HeadLines(r.header)) // "Planung" over its lines
        if (!r.header.shortForm || !value.empty()) // the short form leaves out what is not filled in
            out += label + ": " + Indented(value, std::string(Width(label) + 2, ' ')).substr(Width(label) + 2) + '\n';

    Heading(out, "Eingaben");
    Entries(out, r.inputs);
    if (r.inflow)
        out += InflowText(*r.inflow);

    if (!r.steps.empty() || r.omittedSteps) {
        Heading(out, "Rechengang");
        if (r.omittedSteps)
            out += "  " + OmittedStepsText(r) + '\n';
        int n = 0;
        for (const CalcStep& s : r.steps) {
            out += Format("%3d  ", ++n) + ShownSymbols(s.text) + '\n';
            const std::string symbol = ShownSymbol(s.symbol);
            const std::string indent = "     " + std::string(Width(symbol), ' ') + " = ";
            std::vector<std::string> lines = StepLines(s);
            for (size_t i = 0; i < lines.size(); ++i)
                out += (i == 0 ? "     " + symbol + " = " : indent) + ShownSymbols(lines[i]) +
                       (i + 1 == lines.size() ? UnitAfter(s.unit) : "") + '\n';
        }
    }

    if (!r.results.empty()) {
        Heading(out, "Ergebnisse");
        Entries(out, r.results);
    }
    if (r.verdict) {
        Heading(out, "Nachweis");
        for (const std::string& line : VerdictTextLines(*r.verdict))
            out += "  " + line + '\n';
    } else if (!r.verdictNote.empty()) {
        Heading(out, "Nachweis");
        out += "  " + r.verdictNote + '\n';
    }

    std::vector<std::string> notes;
    for (const std::string& m : r.messages)
        if (m != r.refusal)
            notes.push_back(m);
    if (!notes.empty() || !r.refusal.empty()) {
        Heading(out, "Hinweise");
        for (const std::string& m : notes)
            out += Indented(m, "  ") + '\n';
        if (!r.refusal.empty())
            out += "  Nicht berechnet:\n" + Indented(r.refusal, "    ") + '\n';
    }

    if (!r.files.empty()) {
        Heading(out, "Daten");
        for (const DataFileUse& f : r.files) {
            out += "  " + f.name + Format(", %llu Bytes", static_cast<unsigned long long>(f.bytes)) + '\n';
            out += "    SHA-256 " + f.sha256 + '\n';
            if (const std::vector<std::string> head = DataFileHead(f); !head.empty()) {
                out += std::string("    ") + kDataFileHeadTitle + '\n';
                for (const std::string& line : head)
                    out += "      " + line + '\n';
            }
            for (const std::string& row : f.rows)
                out += "    " + ShownSymbols(row) + '\n'; // "Verf", not its short name
        }
    }
    if (r.rating)
        RatingText(out, *r.rating);
    if (r.signature) {
        out += '\n';
        for (const std::string& line : SignatureLines(*r.signature))
            out += line + '\n';
    }
    if (!r.footNote.empty())
        out += '\n' + r.footNote + '\n';
    return out;
}

nlohmann::ordered_json StepJsonValue(const CalcStep& s)
{
    return {{"text", s.text},       {"symbol", s.symbol},          {"formula", s.formula},
            {"expr", StepExpr(s)}, {"value", Rounded15(s.value)}, {"unit", s.unit}};
}

nlohmann::ordered_json ReportJsonValue(const Report& r)
{
    using Json = nlohmann::ordered_json;
    auto entry = [](const ReportEntry& e) {
        return Json{{"id", e.id}, {"label", e.label}, {"symbol", e.symbol}, {"text", e.text}, {"unit", e.unit}};
    };
    auto entries = [&](const std::vector<ReportEntry>& list) {
        Json array = Json::array();
        for (const ReportEntry& e : list) {
            array.push_back(entry(e));
            array.back()["computed"] = e.computed;
        }
        return array;
    };
    // Every input, those the chosen mode does not use marked "used": false.
    Json inputs = Json::array();
    for (const auto* list : {&r.inputs, &r.unused})
        for (const ReportEntry& e : *list) {
            Json j = entry(e);
            j["used"] = list == &r.inputs;
            inputs.push_back(std::move(j));
        }
    Json steps = Json::array();
    for (const CalcStep& s : r.steps)
        steps.push_back(StepJsonValue(s));
    Json files = Json::array();
    for (const DataFileUse& f : r.files)
        files.push_back(
            {{"name", f.name}, {"bytes", f.bytes}, {"sha256", f.sha256}, {"head", DataFileHead(f)}, {"rows", f.rows}});
    // A form by its template id, another kind by its name.
    Json report = {{r.kind.empty() ? "form" : "kind", r.kind.empty() ? Json(r.form) : Json(r.kind)},
                   {"title", r.title},
                   {"method", r.method},
                   {"header",
                    {{"projekt", r.header.project},
                     {"bauwerk", r.header.structure},
                     {"bearbeiter", r.header.engineer},
                     {"datum", r.header.date},
                     {"bemerkung", r.header.remark},
                     {"auftraggeber", r.header.client},
                     {"planung", r.header.office},
                     {"ort", r.header.place},
                     {"projektnr", r.header.number}}},
                   {"inputs", inputs},
                   {"inflow", r.inflow ? InflowJsonValue(*r.inflow) : Json(nullptr)},
                   {"steps", steps},
                   {"results", entries(r.results)},
                   {"verdict", r.verdict ? VerdictJsonValue(*r.verdict) : Json(nullptr)},
                   {"verdictNote", r.verdictNote},
                   {"messages", r.messages},
                   {"refused", r.refusal},
                   {"files", files}};
    if (r.verdict && !r.verdict->criteria.empty())
        report["criteria"] = CriteriaJsonValue(*r.verdict);
    if (r.rating)
        report["rating"] = RatingJson(*r.rating);
    if (r.signature)
        report["signature"] = {{"ort", r.signature->place}, {"datum", r.signature->date}, {"name", r.signature->name}};
    if (!r.methodNote.empty())
        report["methodNote"] = r.methodNote;
    return report;
}

std::string ReportJson(const Report& r)
{
    return ReportJsonValue(r).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

} // namespace dralun
