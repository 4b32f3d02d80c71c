#include "forms/FormRegistry.h"

#include <string>

#include "core/NumberText.h"
#include "core/TextCase.h"
#include "forms/CBoxCulvertDlg.h"
#include "forms/CBridgeDrainDlg.h"
#include "forms/CDitchDlg.h"
#include "forms/CEmergencyOverflowDlg.h"
#include "forms/CGutterDlg.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "forms/CInfiltrationTrenchDlg.h"
#include "forms/CInletSpacingDlg.h"
#include "forms/COrificeDlg.h"
#include "forms/COscillatingGutterDlg.h"
#include "forms/CPipeCulvertDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/CThrottleSectionDlg.h"
#include "forms/CTimeCoefficientDlg.h"

namespace dralun {

namespace {

// The description of form class F: its template id, its picture and how to
// make one come from the class, and so do its title, its "Rechne" button and
// its discharge field where the class describes itself.
template <class F>
FormInfo Describe(FormInfo info)
{
    info.templateId = F::kTemplateId;
    if constexpr (requires { F::kDescription; }) {
        static_assert(F::kDescription.templateId == F::kTemplateId);
        info.title = F::kDescription.title;
        info.computeButton = F::kDescription.computeButton;
        info.inflowField = F::kDescription.inflowField;
        info.inflowUnit = F::kDescription.inflowUnit;
    }
    if constexpr (requires { F::kPicture; })
        info.picture = F::kPicture;
    info.create = [](IMessageSink& sink) -> std::unique_ptr<CForm> { return std::make_unique<F>(sink); };
    return info;
}

// The forms in the order of the menu bar: the forms of one menu stand
// together, in the order of their items; the start screen lists them in
// the same order.
const std::vector<FormInfo>& Forms()
{
    static const std::vector<FormInfo> forms = {
        Describe<CPipeRunDlg>({.commandId = 130, .shortName = "rohr", .menu = "&Rohrhydraulik",
                               .menuItem = "&Prandtl-Colebrook", .prompt = "Rohrhydraulik",
                               .startLine = "Rohrhydraulik nach Prandtl-Colebrook, Teil- und Vollfüllung",
                               .mainInputs = {"DN", "I"}, .mainResults = {"Qv", "vv"}}),
        Describe<CPipeCulvertDlg>({.commandId = 131, .shortName = "rohrdurchlass",
                                   .menu = "Durchlass", .menuItem = "Rohr&durchlass", .prompt = "Rohrdurchlass",
                                   .startLine = "Leistungsfähigkeit Rohr-/Rahmendurchlass Teil- und Vollfüllung",
                                   .mainInputs = {"DN", "t"}, .mainResults = {"Q", "v"}}),
        Describe<CBoxCulvertDlg>({.commandId = 158, .shortName = "rechteckdurchlass",
                                  .menu = "Durchlass", .menuItem = "Rahmen-/Rechtec&kdurchlass",
                                  .prompt = "Rechteckdurchlass", .mainInputs = {"b", "h"}, .mainResults = {"Q", "v"}}),
        Describe<CSwaleDlg>({.commandId = 132, .shortName = "mulde", .menu = "Gerinne",
                             .menuItem = "&Mulde", .prompt = "Mulde",
                             .startLine = "Leistungsfähigkeit einer Straßenmulde", .mainInputs = {"B", "h"},
                             .mainResults = {"Q_Gl7", "v_Parabel"}}),
        Describe<CDitchDlg>({.commandId = 143, .shortName = "graben",
                             .menu = "Gerinne", .menuItem = "&Graben", .prompt = "Graben",
                             .startLine = "Leistungsfähigkeit eines Straßengrabens", .mainInputs = {"b", "t"},
                             .mainResults = {"Q", "v"}}),
        Describe<CRoughBedSwaleDlg>({.commandId = 176, .shortName = "raubettmulde",
                                     .menu = "Gerinne", .menuItem = "&Raubettmulde", .prompt = "Raubettmulde",
                                     .startLine = "Leistungsfähigkeit einer Raubettmulde nach Scheuerlein",
                                     .mainInputs = {"B", "h"}, .mainResults = {"Qm", "vm"}}),
        Describe<CGutterDlg>({.commandId = 32773, .shortName = "rinne",
                              .menu = "Rinnen", .menuItem = "&Bord-/Spitzrinne", .prompt = "Bordrinne",
                              .startLine = "Leistungsfähigkeit einer Bord- und Spitzrinne", .mainInputs = {"s", "qf"},
                              .mainResults = {"Q1", "v1"}}),
        Describe<COscillatingGutterDlg>({.commandId = 32772, .shortName = "pendelrinne",
                                         .menu = "Rinnen", .menuItem = "&Pendelrinne", .prompt = "Pendelrinne",
                                         .startLine = "Ermittlung der Straßenablauf-Abstände bei Pendelrinnen",
                                         .mainInputs = {"sf", "b"}, .mainResults = {"L"}}),
        Describe<CInletSpacingDlg>({.commandId = 32775, .shortName = "ablauf",
                                    .menu = "Ablauf", .menuItem = "Dralun",
                                    .startLine = "Ermittlung der Straßenablauf-Abstände nach den Dralun",
                                    .mainInputs = {"s", "q"}, .mainResults = {"qd"}}),
        Describe<CBridgeDrainDlg>({.commandId = 32774, .shortName = "brueckenablauf", .menu = "Ablauf",
                                   .menuItem = "ZTV-ING",
                                   .startLine = "Ermittlung der Brückenablauf-Abstände nach den ZTV-ING",
                                   .mainInputs = {"s", "BSt"}, .mainResults = {"L"}}),
        Describe<CThrottleSectionDlg>({.commandId = 32776, .shortName = "drosselstrecke", .menu = "RRR",
                                       .menuItem = "Drosselstrecke nach ATV-A 111",
                                       .startLine = "Hydraulischer Nachweis für eine Drosselstrecke nach ATV-A 111",
                                       .mainInputs = {"du", "L"}, .mainResults = {"Q", "v"}}),
        Describe<COrificeDlg>({.commandId = 32777, .shortName = "drossel", .menu = "RRR",
                               .menuItem = "Drosselblende", .startLine = "Hydraulischer Nachweis Drossel/Drosselblende",
                               .mainInputs = {"Q", "h"}, .mainResults = {"d", "v"}}),
        Describe<CInfiltrationSwaleDlg>({.commandId = 185, .shortName = "versickermulde",
                                         .menu = "Versickerung", .menuItem = "Versickermulde",
                                         .startLine = "Hydraulische Nachweise für Versickermulden/-gräben",
                                         .mainInputs = {"B", "kf"}, .mainResults = {"V_genutzt", "Überlauf"},
                                         .reloadButton = CInfiltrationForm::kIdLoadFile,
                                         .reloadWhen = CInfiltrationForm::kIdRainFromFile}),
        Describe<CInfiltrationTrenchDlg>({.commandId = 32778, .shortName = "versickergraben", .menu = "Versickerung",
                                          .menuItem = "Versickergraben", .mainInputs = {"b", "kf"},
                                          .mainResults = {"V", "Überlauf"},
                                          .reloadButton = CInfiltrationForm::kIdLoadFile,
                                          .reloadWhen = CInfiltrationForm::kIdRainFromFile}),
        // Opened by scripts and projects only: the menu has no item for them.
        // The emergency overflow computes nothing and has no picture.
        Describe<CEmergencyOverflowDlg>({.commandId = 32779, .shortName = "notentlastung"}),
        Describe<CTimeCoefficientDlg>({.commandId = 183, .shortName = "zeitbeiwert",
                                       .mainInputs = {"n1", "T1"}, .mainResults = {"phi1_1"}}),
    };
    return forms;
}

} // namespace

std::span<const FormInfo> AllForms() { return Forms(); }

const FormDescription* RegisteredDescription(int templateId)
{
    static const std::vector<FormDescription> descriptions = [] {
        std::vector<FormDescription> all;
        for (const FormInfo& info : Forms())
            all.push_back({.templateId = info.templateId, .title = info.title, .computeButton = info.computeButton,
                           .cancelText = nullptr, .inflowField = info.inflowField, .inflowUnit = info.inflowUnit});
        return all;
    }();
    for (const FormDescription& description : descriptions)
        if (description.templateId == templateId)
            return &description;
    return nullptr;
}

const FormInfo* FindFormById(int templateId)
{
    for (const FormInfo& info : Forms())
        if (info.templateId == templateId)
            return &info;
    return nullptr;
}

const FormInfo* FindFormByCommand(int commandId)
{
    for (const FormInfo& info : Forms())
        if (info.commandId == commandId)
            return &info;
    return nullptr;
}

const FormInfo* FindForm(std::string_view idOrName)
{
    if (!idOrName.empty() && DecimalPrefixLength(idOrName) == idOrName.size() &&
        idOrName.find_first_not_of("0123456789") == std::string_view::npos)
        return FindFormById(ClassicAtoi(idOrName));
    for (const FormInfo& info : Forms())
        if (EqualsIgnoringCase(info.shortName, idOrName))
            return &info;
    return nullptr;
}

std::vector<std::string> MainFieldProblems(const FormInfo& info, const CForm& form)
{
    std::vector<std::string> problems;
    for (const auto* names : {&info.mainInputs, &info.mainResults})
        for (const char* name : *names)
            if (!form.FindFieldByName(name))
                problems.push_back(std::to_string(info.templateId) + ": Hauptfeld \"" + name +
                                   "\" ist kein Feld des Formulars");
    if (info.inflowField) {
        const FieldInfo* field = form.FindFieldByName(info.inflowField);
        if (!field || field->role != Role::In || !info.inflowUnit || field->unit != std::string_view(info.inflowUnit))
            problems.push_back(std::to_string(info.templateId) + ": Zuflussfeld \"" + info.inflowField +
                               "\" ist kein Eingabefeld in " + (info.inflowUnit ? info.inflowUnit : "?"));
    }
    return problems;
}

} // namespace dralun
