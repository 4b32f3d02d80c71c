#include "cli/CCalcDriver.h"

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/FormEvents.h"
#include "cli/ProjectCommands.h"
#include "cli/RainImport.h"
#include "cli/RatingCommands.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TextCase.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "forms/RunoffCoefficients.h"
#include "project/FormCalculation.h"
#include "report/ReportWriters.h"
#include "report/VerdictText.h"

namespace dralun {

namespace {

const char* const kUsage =
    "Aufruf:\n"
    "  dralun-calc --list                      alle Formulare\n"
    "  dralun-calc FORM --help                 die Felder eines Formulars\n"
    "  dralun-calc FORM [--json] [--no-compute] [--fail-unmet] EREIGNIS...\n"
    "  dralun-calc FORM --report text|json [KOPF...] EREIGNIS...   der Bericht der Berechnung\n"
    "  dralun-calc FORM EREIGNIS... --add-to DATEI [--name TEXT] [KOPF...]   die Berechnung ins Projekt\n"
    "  dralun-calc FORM EREIGNIS... --sweep ID=VON:BIS[:SCHRITT] [--rows N] [--columns ID,ID,...] [--csv-de [--full]]\n"
    "                                          Wertetabelle als CSV: ein Eingabefeld variiert (--csv-de: für\n"
    "                                          Tabellenkalkulationen, gerundet wie im Fenster; --full: alle Stellen)\n"
    "  dralun-calc FORM EREIGNIS... --solve ID=ZIEL --vary ID[:VON:BIS] [--json]\n"
    "                                          Zielwert: das Eingabefeld, bei dem das Ergebnis ZIEL erreicht\n"
    "  dralun-calc FORM --inflow [NAME=]A:PSI[,[NAME=]A:PSI...] --rain R EREIGNIS...\n"
    "                                          Zufluss der Flächen: Q = Summe PSI * A * R / 10000 l/s (A in m²,\n"
    "                                          PSI Spitzenabflussbeiwert, R Regenspende in l/(s·ha)) wird vor den\n"
    "                                          Ereignissen in das Zuflussfeld (Q oder Qerf) getippt, in dessen Einheit;\n"
    "                                          NAME benennt die Fläche (sonst \"Fläche 1\", ...), der Bericht\n"
    "                                          (--report) zeigt die Flächen und den Rechengang des Zuflusses\n"
    "  dralun-calc --project DATEI --check     jede Berechnung des Projekts nachrechnen (0 gleich, 1 abweichend)\n"
    "  dralun-calc --project DATEI --report text|json   die Berichte aller Berechnungen\n"
    "\n"
    "FORM ist die Formularnummer (171) oder der Kurzname (drossel).\n"
    "Ereignisse, der Reihe nach wie von einem Benutzer:\n"
    "  ID=TEXT  oder NAME=TEXT   TEXT in das Feld tippen (Auswahlliste: Eintrag waehlen,\n"
    "                            Kontrollkaestchen: 0 oder 1)\n"
    "  --click ID                Schaltflaeche, Optionsfeld oder Kontrollkaestchen anklicken\n"
    "  --leave ID                das Feld verlassen (Fokus wechselt)\n"
    "  --select ID:INDEX         Listeneintrag INDEX (ab 0) waehlen\n"
    "  --dblclick ID:INDEX       Listeneintrag INDEX doppelt anklicken\n"
    "Danach wird einmal \"Rechne\" gedrueckt, ausser mit --no-compute.\n"
    "\n"
    "Ausgabe: je Feld eine Zeile ID<TAB>TEXT, dann Listen, Meldungen und, wenn das Formular\n"
    "einen Nachweis fuehrt und die Ergebnisse zu den Eingaben gehoeren, eine Zeile\n"
    "  verdict<TAB>WORT<TAB>AUSNUTZUNG<TAB>BEZIEHUNG<TAB>ANSPRUCH<TAB>GRENZE<TAB>EINHEIT\n"
    "  z. B. verdict<TAB>erfüllt<TAB>40.8404898957069<TAB>Q <= Qv<TAB>40<TAB>97.9420180858426<TAB>l/s\n"
    "WORT ist \"erfüllt\" oder \"nicht erfüllt\", AUSNUTZUNG in % (\"-\" wenn die Grenze nicht\n"
    "groesser als 0 ist), BEZIEHUNG \"A <= B\" oder \"A > B\", Zahlen mit 15 Stellen.\n"
    "Mit --json steht der Nachweis im Element \"verdict\" (null ohne Nachweis).\n"
    "--fail-unmet: Rueckgabewert 3, wenn das Formular einen Nachweis fuehrt und dieser nicht\n"
    "erfuellt ist oder fehlt (Berechnung abgelehnt oder nicht aktuell).\n";

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

// Collects the message boxes; a form never waits for a user here.
class CollectingSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MsgIcon) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

const char* RangeText(const FieldInfo& f, std::string& buffer)
{
    if (!f.range)
        return "-";
    buffer = f.kind == Kind::Single ? Format("[%.6g, %.6g]", f.range->lo, f.range->hi)
                                    : Format("[%.15g, %.15g]", f.range->lo, f.range->hi);
    return buffer.c_str();
}

int ListForms(std::ostream& out)
{
    for (const FormInfo& info : AllForms())
        out << info.templateId << '\t' << info.shortName << '\t' << info.title << '\n';
    return 0;
}

void PrintHelp(const CForm& form, std::ostream& out)
{
    out << "Formular " << form.TemplateId() << " \"" << form.Title() << "\"\n";
    out << "ID\tName\tBeschriftung\tEinheit\tVorgabe\tBereich\n";
    for (const FieldInfo& f : form.Fields()) {
        std::string buffer;
        std::string def = form.ValueText(f.id);
        out << f.id << '\t' << f.name << '\t' << Escape(f.label) << '\t' << f.unit << '\t' << Escape(def) << '\t'
            << RangeText(f, buffer) << (f.role == Role::Out ? "\tErgebnis" : "") << '\n';
    }
    bool header = false;
    for (const ControlDef& c : form.Controls()) {
        if (form.FindField(c.id))
            continue;
        if (!header) {
            out << "Weitere Steuerelemente:\n";
            header = true;
        }
        static const char* const kTypes[] = {"Feld", "Schaltfläche", "Optionsfeld", "Kontrollkästchen",
                                             "Pfeiltaste", "Liste", "Auswahlliste"};
        out << c.id << '\t' << kTypes[static_cast<int>(c.type)] << '\t' << Escape(c.text) << '\n';
    }
}

// The verdict of the results shown, where they belong to the inputs shown.
const Verdict* CurrentVerdict(const CForm& form)
{
    if (form.ResultsStale() || form.RefusedWhole() || !form.FormVerdict())
        return nullptr;
    return &*form.FormVerdict();
}

void PrintText(const CForm& form, const std::vector<std::string>& messages, std::ostream& out)
{
    for (const FieldInfo& f : form.Fields())
        out << f.id << '\t' << Escape(form.Text(f.id)) << '\n';
    for (const ControlDef& c : form.Controls()) {
        if ((c.type != Ctl::List && c.type != Ctl::Combo) || form.FindField(c.id))
            continue;
        const auto& items = form.Items(c.id);
        for (size_t i = 0; i < items.size(); ++i)
            out << c.id << '[' << i << "]\t" << Escape(items[i]) << '\n';
    }
    for (const DrawnText& d : form.Drawn())
        out << "drawn\t" << Escape(d.text) << '\n';
    for (const std::string& m : messages)
        out << "message\t" << Escape(m) << '\n';
    if (!form.RefusedBecause().empty())
        out << "refused\t" << Escape(form.RefusedBecause()) << '\n';
    if (form.ResultsStale())
        out << "stale\t" << Escape(form.StaleBecause()) << '\n';
    if (const Verdict* verdict = CurrentVerdict(form)) {
        for (const std::string& line : CriterionLines(*verdict))
            out << line << '\n';
        out << VerdictLine(*verdict) << '\n';
    }
}

// Texts from data files may hold bytes that are not UTF-8 (a Latin-1
// umlaut in a rainfall file); they are written as U+FFFD, so the output is
// always valid JSON.
void PrintJson(const CForm& form, const std::vector<std::string>& messages, std::ostream& out,
               const std::optional<SolvedInput>& solved)
{
    using Json = nlohmann::ordered_json;
    Json fields = Json::object(), lists = Json::object(), checked = Json::object();
    for (const FieldInfo& f : form.Fields())
        fields[std::to_string(f.id)] = form.Text(f.id);
    for (const ControlDef& c : form.Controls()) {
        if (c.type == Ctl::List || c.type == Ctl::Combo)
            lists[std::to_string(c.id)] = form.Items(c.id);
        if (c.type == Ctl::Radio || c.type == Ctl::Check)
            checked[std::to_string(c.id)] = form.IsChecked(c.id) ? 1 : 0;
    }
    std::map<int, bool> enabled;
    for (const FieldInfo& f : form.Fields())
        enabled[f.id] = form.IsEnabled(f.id);
    for (const ControlDef& c : form.Controls())
        enabled[c.id] = form.IsEnabled(c.id);
    Json disabled = Json::array();
    for (const auto& [id, on] : enabled)
        if (!on)
            disabled.push_back(id);
    Json drawn = Json::array();
    for (const DrawnText& d : form.Drawn())
        drawn.push_back(d.text);
    Json doc = {{"form", form.TemplateId()}, {"title", form.Title()},   {"fields", fields},
                      {"lists", lists},            {"checked", checked},      {"disabled", disabled},
                      {"messages", messages},      {"drawn", drawn},          {"refused", form.RefusedBecause()},
                      {"stale", form.StaleBecause()}};
    const Verdict* verdict = CurrentVerdict(form);
    doc["verdict"] = verdict ? VerdictJsonValue(*verdict) : Json(nullptr);
    if (verdict && !verdict->criteria.empty())
        doc["criteria"] = CriteriaJsonValue(*verdict);
    if (solved)
        doc["solve"] = {{"id", solved->vary},
                        {"value", solved->outcome.value},
                        {"computations", solved->outcome.computations}};
    out << doc.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

// What the driver does with a calculation of any kind once it has computed:
// keeps it in a project (--add-to), reports it (--report), and fails a
// design (--fail-unmet: a check not fulfilled, or none where the
// calculation states one, as after a refusal).
int KeepAsAsked(const ICalculation& calc, const CalcOptions& options, std::ostream& err)
{
    return options.addTo.empty() ? 0 : AddToProject(calc, options.addTo, options.name, options.header, err);
}

void PrintReport(const ICalculation& calc, const CalcOptions& options, std::ostream& out)
{
    const Report report = BuildReport(calc, options.header);
    out << (options.report == "json" ? ReportJson(report) : ReportText(report));
}

int UnmetStatus(const ICalculation& calc, const CalcOptions& options)
{
    if (options.failUnmet && calc.StatesVerdict()) {
        const std::optional<Verdict> verdict = calc.CalcVerdict();
        if (!verdict || !verdict->met)
            return 3;
    }
    return 0;
}

int RunForm(const FormInfo& info, const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const CalcOptions options = ParseOptions(args, false);
    CheckRatingOptions(options);
    CollectingSink sink;
    std::unique_ptr<CForm> form = info.create(sink);
    if (options.help) {
        PrintHelp(*form, out);
        return 0;
    }
    form->Open();
    TypeInflowOptions(*form, info, options);
    ApplyEvents(*form, options.events);
    if (options.compute)
        PressCompute(*form);
    if (!options.sweep.empty())
        return RunSweep(*form, options, out);
    std::optional<SolvedInput> solved;
    if (!options.solve.empty()) {
        // What is printed is the form with the value found, after its own computation.
        sink.texts.clear();
        solved = RunSolve(*form, options, err);
        if (!solved)
            return 1;
    }

    // What is kept or reported belongs to the inputs: "Rechne" first where
    // the results shown do not (after --no-compute), as the window does.
    if ((!options.addTo.empty() || !options.report.empty()) && form->ResultsStale())
        PressCompute(*form);
    const CFormCalculation calc(*form);
    if (const int status = KeepAsAsked(calc, options, err))
        return status;
    if (!options.report.empty())
        PrintReport(calc, options, out);
    else if (options.json)
        PrintJson(*form, sink.texts, out, solved);
    else {
        if (solved)
            out << "solve\t" << solved->vary << '\t' << Format("%.15g", solved->outcome.value) << '\t'
                << solved->outcome.computations << '\n';
        PrintText(*form, sink.texts, out);
    }
    return UnmetStatus(calc, options);
}

} // namespace

int CCalcDriver::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        if (args.empty() || args[0] == "--help" || args[0] == "-h") {
            (args.empty() ? err : out) << kUsage << "\nPSI zu --inflow, wie das Fenster zu seinen \"Richtwerten für ψ\":\n  "
                                       << RunoffCoefficientSource() << '\n'
                                       << kRainImportUsage << kHeaderUsage;
            return args.empty() ? 2 : 0;
        }
        if (args[0] == "--list")
            return ListForms(out);
        if (args[0] == "--project")
            return RunProject(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        if (args[0] == "--import-rain")
            return RunRainImport(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
        const FormInfo* info = FindForm(args[0]);
        if (!info)
            throw UsageError("unbekanntes Formular \"" + args[0] + "\" (dralun-calc --list zeigt alle)");
        return RunForm(*info, std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    } catch (const UsageError& e) {
        err << "dralun-calc: " << e.what() << '\n';
        return 2;
    }
}

} // namespace dralun
