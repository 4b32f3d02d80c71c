#include "cli/FormEvents.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TextCase.h"
#include "forms/CForm.h"
#include "forms/FormInflow.h"
#include "forms/FormRegistry.h"
#include "project/CalculationJson.h"

namespace dralun {

const char* const kHeaderUsage =
    "Kopf des Berichts:\n"
    "  --projekt TEXT  --bauwerk TEXT  --bearbeiter TEXT  --datum TEXT  --bemerkung TEXT\n"
    "  --auftraggeber TEXT  --planung TEXT  --ort TEXT  --projekt-nr TEXT\n"
    "  (--planung: Name des Büros und bis zu drei Zeilen Anschrift, durch Zeilenvorschub getrennt)\n"
    "  --kurz  die Kurzfassung: ohne Zwischenschritte (der JSON-Bericht enthält alles)\n";

namespace {

bool IsNumber(const std::string& s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos; }

} // namespace

int ControlIdOf(const CForm& form, const std::string& ref)
{
    int id = -1;
    if (IsNumber(ref)) {
        id = ClassicAtoi(ref);
    } else if (const FieldInfo* field = form.FindFieldByName(ref)) {
        id = field->id;
    } else {
        for (const FieldInfo& f : form.Fields()) {
            if (EqualsIgnoringCase(f.name, ref)) {
                id = f.id;
                break;
            }
        }
    }
    if (id < 0 || !form.HasControl(id))
        throw UsageError(Format("Formular %d hat kein Steuerelement \"%s\"", form.TemplateId(), ref.c_str()));
    return id;
}

namespace {

std::pair<int, int> ControlAndIndex(const CForm& form, const std::string& arg)
{
    const size_t colon = arg.rfind(':');
    if (colon == std::string::npos || !IsNumber(arg.substr(colon + 1)))
        throw UsageError("erwartet ID:INDEX, nicht \"" + arg + "\"");
    return {ControlIdOf(form, arg.substr(0, colon)), ClassicAtoi(arg.substr(colon + 1))};
}

void Check(Refusal refusal, int id, const std::string& what)
{
    switch (refusal) {
    case Refusal::None:
        return;
    case Refusal::UnknownControl:
        throw UsageError(Format("kein Steuerelement %d", id));
    case Refusal::NotEditable:
        throw UsageError(Format("Feld %d ist ein Ergebnisfeld und nimmt keine Eingabe an", id));
    case Refusal::Disabled:
        throw UsageError(Format("Steuerelement %d ist gesperrt", id));
    case Refusal::WrongControl:
        throw UsageError(Format("Steuerelement %d kann nicht: %s", id, what.c_str()));
    case Refusal::BadIndex:
        throw UsageError(Format("Liste %d hat keinen Eintrag %s", id, what.c_str()));
    case Refusal::BadValue:
        throw UsageError(Format("Steuerelement %d nimmt \"%s\" nicht an", id, what.c_str()));
    }
}

bool IsEventWithArgument(const std::string& a)
{
    return a == "--click" || a == "--leave" || a == "--select" || a == "--dblclick";
}

// The head field an option sets: in the order of kLongestHeadText, then
// Auftraggeber, Planung, Ort, Projekt-Nr.; or -1.
constexpr int kOfficeIndex = 6;
int HeadIndex(const std::string& option)
{
    const char* const options[] = {"--projekt",      "--bauwerk",  "--bearbeiter", "--datum",     "--bemerkung",
                                   "--auftraggeber", "--planung",  "--ort",        "--projekt-nr"};
    for (int i = 0; i < 9; ++i)
        if (option == options[i])
            return i;
    return -1;
}

std::size_t LongestHead(int index)
{
    const std::size_t more[] = {kLongestClient, kLongestOffice, kLongestPlace, kLongestNumber};
    return index < 5 ? kLongestHeadText[index] : more[index - 5];
}

std::string& HeadField(ReportHeader& h, int index)
{
    std::string* const fields[] = {&h.project, &h.structure, &h.engineer, &h.date,  &h.remark,
                                   &h.client,  &h.office,    &h.place,    &h.number};
    return *fields[index];
}

// A name or head text as the project will keep it, else UsageError.
const std::string& KeptText(const std::string& option, const std::string& text, std::size_t longest)
{
    const std::string problem = TypedTextProblem(text, longest, option);
    if (!problem.empty())
        throw UsageError(problem);
    return text;
}

// A file name, which an empty text is not.
const std::string& FileName(const std::string& option, const std::string& text)
{
    if (text.empty())
        throw UsageError(option + " erwartet einen Dateinamen, nicht einen leeren Text");
    return text;
}

} // namespace

CalcOptions ParseOptions(const std::vector<std::string>& args, bool outAllowed)
{
    CalcOptions o;
    bool inflowGiven = false, rainGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError(a + " erwartet ein Argument");
            return args[++i];
        };
        if (a == "--help")
            o.help = true;
        else if (a == "--json")
            o.json = true;
        else if (a == "--no-compute")
            o.compute = false;
        else if (a == "--report") {
            o.report = next();
            if (o.report != "text" && o.report != "json")
                throw UsageError("--report erwartet text oder json, nicht \"" + o.report + "\"");
        } else if (a == "--add-to" && !outAllowed)
            o.addTo = FileName(a, next());
        else if (a == "--name" && !outAllowed)
            o.name = KeptText(a, next(), kLongestName);
        else if (a == "--out" && outAllowed)
            o.out = FileName(a, next());
        else if (a == "--dezimalpunkt" && outAllowed)
            o.header.decimalComma = false; // the printed page with a point
        else if (a == "--sweep" && !outAllowed)
            o.sweep = next();
        else if (a == "--rows" && !outAllowed) {
            const std::string& n = next();
            if (!IsNumber(n) || n.size() > 9 || ClassicAtoi(n) < 1)
                throw UsageError("--rows erwartet eine Zahl ab 1, nicht \"" + n + "\"");
            o.rows = ClassicAtoi(n);
        } else if (a == "--columns" && !outAllowed)
            o.columns = next();
        else if (a == "--fail-unmet" && !outAllowed)
            o.failUnmet = true;
        else if (a == "--csv-de" && !outAllowed)
            o.csvGerman = true;
        else if (a == "--full" && !outAllowed)
            o.csvFull = true;
        else if (a == "--solve" && !outAllowed)
            o.solve = next();
        else if (a == "--vary" && !outAllowed)
            o.vary = next();
        else if (a == "--inflow" || a == "--rain") {
            // Given twice, one would silently replace the other.
            const bool inflow = a == "--inflow";
            if (std::exchange(inflow ? inflowGiven : rainGiven, true))
                throw UsageError(a + " steht zweimal" +
                                 (inflow ? "; alle Flächen in ein --inflow, durch Kommas getrennt" : ""));
            (inflow ? o.inflow : o.rain) = next();
        } else if (a == "--kurz")
            o.header.shortForm = true;
        else if (const int head = HeadIndex(a); head == kOfficeIndex) {
            const std::string& text = next();
            if (const std::string problem = OfficeTextProblem(text, a); !problem.empty())
                throw UsageError(problem);
            o.header.office = text;
        } else if (head >= 0)
            HeadField(o.header, head) = KeptText(a, next(), LongestHead(head));
        else if (IsEventWithArgument(a)) {
            o.events.push_back(a);
            o.events.push_back(next());
        } else if (a.rfind("--", 0) == 0)
            throw UsageError("unbekannte Option " + a);
        else
            o.events.push_back(a);
    }
    return o;
}

namespace {

double InflowNumber(const std::string& option, const std::string& text)
{
    const std::optional<double> value = ParseFieldNumber(text);
    if (!value)
        throw UsageError(option + ": \"" + text + "\" ist keine Zahl");
    return *value;
}

// "5000:0.9,2000:0.3" or "Fahrbahn=5000:0.9,…": the areas in m² with their
// runoff coefficients; an area without a name is "Fläche 1", "Fläche 2", …
std::vector<InflowEntry> InflowAreas(const std::string& list)
{
    std::vector<InflowEntry> areas;
    size_t start = 0;
    while (true) {
        const size_t comma = std::min(list.find(',', start), list.size());
        std::string item = list.substr(start, comma - start);
        std::string name = "Fläche " + std::to_string(areas.size() + 1);
        if (const size_t eq = item.find('='); eq != std::string::npos) {
            if (eq > 0)
                name = KeptText("--inflow", item.substr(0, eq), kLongestName);
            item.erase(0, eq + 1);
        }
        const size_t colon = item.find(':');
        if (colon == std::string::npos)
            throw UsageError("--inflow erwartet A:PSI[,A:PSI...], nicht \"" + list + "\"");
        areas.push_back({name, InflowNumber("--inflow", item.substr(0, colon)), false,
                         InflowNumber("--inflow", item.substr(colon + 1))});
        if (comma == list.size())
            return areas;
        start = comma + 1;
    }
}

} // namespace

void TypeInflowOptions(CForm& form, const FormInfo& info, const CalcOptions& options)
{
    if (options.inflow.empty() && options.rain.empty())
        return;
    if (options.inflow.empty() || options.rain.empty())
        throw UsageError("--inflow und --rain gehören zusammen");
    if (!info.inflowField)
        throw UsageError(Format("Formular %s (%d) hat kein Feld für einen Zufluss", info.shortName, info.templateId));
    FormInflow inflow;
    inflow.areas = InflowAreas(options.inflow);
    inflow.rain.intensity = InflowNumber("--rain", options.rain);
    // The rule of the rational method is its own; a unit the method does not
    // know leaves the refusal to the form.
    if (const std::optional<InflowUnit> unit = InflowUnitOf(info.inflowUnit ? info.inflowUnit : "")) {
        const RationalInflowResult computed = InflowOf(inflow, *unit);
        if (computed.status != RationalInflowStatus::Ok)
            throw UsageError("--inflow/--rain: " + InflowRefusalText(computed));
    }
    const Refusal refused = form.TypeInflow(std::move(inflow));
    const int id = ControlIdOf(form, info.inflowField);
    Check(refused, id, form.Text(id));
}

void ApplyEvents(CForm& form, const std::vector<std::string>& events)
{
    for (size_t i = 0; i < events.size() && !form.IsClosed(); ++i) {
        const std::string& a = events[i];
        if (a == "--click") {
            const int id = ControlIdOf(form, events[++i]);
            Check(form.Click(id), id, "anklicken");
        } else if (a == "--leave") {
            const int id = ControlIdOf(form, events[++i]);
            Check(form.Leave(id), id, "verlassen");
        } else if (a == "--select" || a == "--dblclick") {
            const auto [id, index] = ControlAndIndex(form, events[++i]);
            Check(a == "--select" ? form.Select(id, index) : form.DoubleClick(id, index), id, std::to_string(index));
        } else {
            const size_t eq = a.find('=');
            if (eq == std::string::npos || eq == 0)
                throw UsageError("unbekanntes Ereignis \"" + a + "\" (erwartet ID=TEXT)");
            const int id = ControlIdOf(form, a.substr(0, eq));
            const std::string text = a.substr(eq + 1);
            Check(form.Type(id, text), id, text);
        }
    }
}

} // namespace dralun
