#include "report/ReportWriters.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "core/Format.h"

namespace dralun {

double Rounded15(double value) { return std::strtod(Format("%.15g", value).c_str(), nullptr); }

namespace {

void Heading(std::string& out, const std::string& title)
{
    out += '\n' + title + '\n';
    size_t width = 0;
    for (unsigned char c : title)
        width += (c & 0xc0) != 0x80; // one mark per character, not per byte
    out += std::string(width, '-') + '\n';
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

void Entries(std::string& out, const std::vector<ReportEntry>& entries)
{
    for (const ReportEntry& e : entries) {
        std::string line = "  " + e.label;
        if (!e.symbol.empty() && !EndsWithSymbol(e.label, e.symbol))
            line += " (" + e.symbol + ")";
        line += ": " + e.text;
        if (!e.unit.empty() && e.unit != "-")
            line += ' ' + e.unit;
        out += line + '\n';
    }
}

std::string UnitAfter(const std::string& unit) { return unit.empty() || unit == "-" ? "" : " " + unit; }

} // namespace

std::vector<std::string> StepLines(const CalcStep& step)
{
    // A value taken from a table or a rule: its formula is the number itself.
    const std::string value = Format("%.6g", step.value);
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

std::string ReportText(const Report& r)
{
    std::string out;
    out += r.title + " (Formular " + std::to_string(r.form) + ")\n";
    out += r.method + '\n';
    out += "\nProjekt: " + r.header.project + '\n';
    out += "Bauwerk / Abschnitt: " + r.header.structure + '\n';
    out += "Bearbeiter: " + r.header.engineer + '\n';
    out += "Datum: " + r.header.date + '\n';
    out += "Bemerkung: " + r.header.remark + '\n';

    Heading(out, "Eingaben");
    Entries(out, r.inputs);

    if (!r.steps.empty()) {
        Heading(out, "Rechengang");
        int n = 0;
        for (const CalcStep& s : r.steps) {
            out += Format("%3d  ", ++n) + s.text + '\n';
            const std::string indent = "     " + std::string(s.symbol.size(), ' ') + " = ";
            std::vector<std::string> lines = StepLines(s);
            for (size_t i = 0; i < lines.size(); ++i)
                out += (i == 0 ? "     " + s.symbol + " = " : indent) + lines[i] +
                       (i + 1 == lines.size() ? UnitAfter(s.unit) : "") + '\n';
        }
    }

    if (!r.results.empty()) {
        Heading(out, "Ergebnisse");
        Entries(out, r.results);
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
            for (const std::string& row : f.rows)
                out += "    " + row + '\n';
        }
    }
    return out;
}

nlohmann::ordered_json ReportJsonValue(const Report& r)
{
    using Json = nlohmann::ordered_json;
    auto entries = [](const std::vector<ReportEntry>& list) {
        Json array = Json::array();
        for (const ReportEntry& e : list)
            array.push_back({{"id", e.id}, {"label", e.label}, {"symbol", e.symbol}, {"text", e.text}, {"unit", e.unit}});
        return array;
    };
    Json steps = Json::array();
    for (const CalcStep& s : r.steps)
        steps.push_back({{"text", s.text},
                         {"symbol", s.symbol},
                         {"formula", s.formula},
                         {"expr", StepExpr(s)},
                         {"value", Rounded15(s.value)},
                         {"unit", s.unit}});
    Json files = Json::array();
    for (const DataFileUse& f : r.files)
        files.push_back({{"name", f.name}, {"bytes", f.bytes}, {"sha256", f.sha256}, {"rows", f.rows}});
    return {{"form", r.form},
                      {"title", r.title},
                      {"method", r.method},
                      {"header",
                       {{"projekt", r.header.project},
                        {"bauwerk", r.header.structure},
                        {"bearbeiter", r.header.engineer},
                        {"datum", r.header.date},
                        {"bemerkung", r.header.remark}}},
                      {"inputs", entries(r.inputs)},
                      {"steps", steps},
                      {"results", entries(r.results)},
                      {"messages", r.messages},
                      {"refused", r.refusal},
                      {"files", files}};
}

std::string ReportJson(const Report& r)
{
    return ReportJsonValue(r).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

} // namespace dralun
