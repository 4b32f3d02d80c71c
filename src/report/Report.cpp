#include "report/Report.h"

#include <algorithm>
#include <ctime>

#include "core/Format.h"
#include "core/Platform.h"
#include "forms/CForm.h"

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

// A field's label, with the title of its group where the same label stands
// in several groups ("Kreis: A (t)").
std::string EntryLabel(const CForm& form, const FieldInfo& f)
{
    const std::string label = LabelWithoutUnit(WithoutMnemonic(f.label));
    const std::string group = LabelWithoutUnit(WithoutMnemonic(GroupTitleOf(form.Layout(), f.id)));
    return group.empty() || group == label ? label : group + ": " + label;
}

} // namespace

Report BuildReport(const CForm& form, ReportHeader header)
{
    Report report;
    report.form = form.TemplateId();
    report.title = form.Title();
    report.method = form.Method();
    if (header.date.empty())
        header.date = TodayText();
    report.header = std::move(header);

    for (const FieldInfo& f : form.Fields())
        if (f.role != Role::Out)
            report.inputs.push_back({f.id, EntryLabel(form, f), f.name, form.Text(f.id), f.unit});
    for (const FormChoice& c : form.Choices())
        report.inputs.push_back({c.id, c.label, "", c.text, ""});

    report.refusal = form.RefusedBecause();
    report.messages = form.ComputationMessages();
    if (!form.RefusedWhole()) {
        report.steps = form.Steps();
        const std::vector<int>& refused = form.RefusedFields();
        for (const FieldInfo& f : form.Fields())
            if (f.role == Role::Out && std::find(refused.begin(), refused.end(), f.id) == refused.end())
                report.results.push_back({f.id, EntryLabel(form, f), f.name, form.Text(f.id), f.unit});
    }
    report.files = form.DataFiles();
    report.verdict = form.FormVerdict();
    return report;
}

} // namespace dralun
