#include "report/InflowText.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "report/ReportWriters.h"

namespace dralun {

namespace {

// Characters, not bytes, of a UTF-8 text.
std::size_t Width(const std::string& text)
{
    std::size_t width = 0;
    for (unsigned char c : text)
        width += (c & 0xc0) != 0x80;
    return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right)
{
    const std::size_t w = Width(text);
    const std::string pad = w < width ? std::string(width - w, ' ') : std::string();
    return right ? pad + text : text + pad;
}

std::string Number(double value, bool decimalComma)
{
    const std::string text = FormatG15(value);
    return decimalComma ? WithDecimalComma(text) : text;
}

} // namespace

std::optional<ReportInflow> ReportedInflow(const CForm& form, const std::vector<ReportEntry>& inputs)
{
    const FormInflow* inflow = form.Inflow();
    const FormInfo* info = FindFormById(form.TemplateId());
    if (!inflow || form.ResultsStale() || !info || !info->inflowField || !info->inflowUnit)
        return std::nullopt;
    const FieldInfo* field = form.FindFieldByName(info->inflowField);
    const auto input = std::find_if(inputs.begin(), inputs.end(),
                                    [&](const ReportEntry& e) { return field && e.id == field->id; });
    if (input == inputs.end())
        return std::nullopt; // the mode chosen does not use the discharge
    CSteps steps;
    const double q = InflowDischarge(*inflow, info->inflowUnit, steps);
    if (!std::isfinite(q))
        return std::nullopt;
    ReportInflow r;
    r.field = field->id;
    r.fieldLabel = input->label;
    r.fieldName = field->name;
    r.unit = info->inflowUnit;
    r.typed = inflow->typed;
    r.areas = inflow->areas;
    r.rain = inflow->rain;
    r.steps = steps.TakeSteps();
    r.value = q;
    return r;
}

std::string InflowAreaName(const ReportInflow& inflow, std::size_t index)
{
    const std::string& name = index < inflow.areas.size() ? inflow.areas[index].name : std::string();
    return name.empty() ? "Fläche " + std::to_string(index + 1) : name;
}

std::string InflowRainSource(const InflowRain& rain, bool decimalComma)
{
    if (rain.file.empty())
        return "eingegeben";
    std::string text = "aus " + rain.file;
    if (!rain.duration.empty())
        text += ", D = " + (decimalComma ? WithDecimalComma(rain.duration) : rain.duration);
    if (rain.n > 0)
        text += ", n = " + Number(rain.n, decimalComma) + "/a";
    return text;
}

std::vector<ReportEntry> InflowInputs(const ReportInflow& inflow)
{
    std::vector<ReportEntry> entries;
    for (std::size_t i = 0; i < inflow.areas.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        const std::string name = InflowAreaName(inflow, i);
        entries.push_back({0, "Fläche " + name, "A_" + n, FormatG15(inflow.areas[i].areaM2), "m²"});
        entries.push_back({0, "Spitzenabflussbeiwert " + name, "psi_" + n, FormatG15(inflow.areas[i].psi), "-"});
    }
    entries.push_back({0, "Regenspende", "r", FormatG15(inflow.rain.intensity), "l/(s·ha)"});
    return entries;
}

std::string InflowText(const ReportInflow& in)
{
    const std::string heading = kInflowHeading;
    std::string out = '\n' + heading + '\n' + std::string(Width(heading), '-') + '\n';

    // The areas as a small table: number, name, A, ψ.
    std::vector<std::array<std::string, 4>> rows{{"", "Fläche", "A [m²]", "ψ"}};
    for (std::size_t i = 0; i < in.areas.size(); ++i) {
        std::string area = FormatG15(in.areas[i].areaM2);
        if (in.areas[i].hectares)
            area = FormatG15(in.areas[i].areaM2 / 10000) + " ha = " + area;
        rows.push_back({std::to_string(i + 1), InflowAreaName(in, i), area, FormatG15(in.areas[i].psi)});
    }
    std::array<std::size_t, 4> widths{};
    for (const auto& row : rows)
        for (std::size_t k = 0; k < 4; ++k)
            widths[k] = std::max(widths[k], Width(row[k]));
    for (const auto& row : rows)
        out += "  " + Padded(row[0], widths[0], true) + "  " + Padded(row[1], widths[1], false) + "  " +
               Padded(row[2], widths[2], true) + "  " + Padded(row[3], widths[3], true) + '\n';
    out += "  Regenspende r = " + FormatG15(in.rain.intensity) + " l/(s·ha), " + InflowRainSource(in.rain) + '\n';
    if (!in.rain.sha256.empty())
        out += "    SHA-256 " + in.rain.sha256 + '\n';
    out += '\n';

    int n = 0;
    for (const CalcStep& s : in.steps) {
        out += Format("%3d  ", ++n) + s.text + '\n';
        const std::string indent = "     " + std::string(Width(s.symbol), ' ') + " = ";
        const std::vector<std::string> lines = StepLines(s);
        for (std::size_t i = 0; i < lines.size(); ++i)
            out += (i == 0 ? "     " + s.symbol + " = " : indent) + lines[i] +
                   (i + 1 == lines.size() ? " " + s.unit : "") + '\n';
    }
    out += "  " + InflowTakenLine(in) + '\n';
    return out;
}

std::string InflowTakenLine(const ReportInflow& in, bool decimalComma)
{
    const std::string& label = in.fieldLabel;
    const std::string& name = in.fieldName;
    const bool named = label == name || (label.size() > name.size() + 1 &&
                                         label.compare(label.size() - name.size(), name.size(), name) == 0 &&
                                         label[label.size() - name.size() - 1] == ' ');
    const std::string number = decimalComma ? WithDecimalComma(in.typed) : in.typed;
    return "In das Feld „" + label + (named ? "" : " " + name) + "“ übernommen: " + number + ' ' + in.unit;
}

nlohmann::ordered_json InflowJsonValue(const ReportInflow& in)
{
    using Json = nlohmann::ordered_json;
    Json areas = Json::array();
    for (std::size_t i = 0; i < in.areas.size(); ++i)
        areas.push_back({{"name", in.areas[i].name},
                         {"area", Rounded15(in.areas[i].areaM2)},
                         {"hectares", in.areas[i].hectares},
                         {"psi", Rounded15(in.areas[i].psi)}});
    const InflowRain& rain = in.rain;
    Json steps = Json::array();
    for (const CalcStep& s : in.steps)
        steps.push_back(StepJsonValue(s));
    return {{"field", {{"id", in.field}, {"name", in.fieldName}, {"label", in.fieldLabel}, {"unit", in.unit}}},
            {"typed", in.typed},
            {"areas", areas},
            {"rain",
             {{"intensity", Rounded15(rain.intensity)},
              {"unit", "l/(s·ha)"},
              {"source", rain.file.empty() ? "eingegeben" : "Datei"},
              {"file", rain.file},
              {"sha256", rain.sha256},
              {"duration", rain.duration},
              {"n", rain.file.empty() ? Json(nullptr) : Json(Rounded15(rain.n))}}},
            {"steps", steps},
            {"value", Rounded15(in.value)},
            {"unit", in.unit}};
}

} // namespace dralun
