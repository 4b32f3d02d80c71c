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
#include "forms/COscillatingGutterDlg.h"
#include "forms/CThrottleSectionDlg.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeCulvertDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/CTimeCoefficientDlg.h"

namespace dralun {

namespace {

template <class F>
std::unique_ptr<CForm> Make(IMessageSink& sink)
{
    return std::make_unique<F>(sink);
}

// The command table of the main window: command id, form, title.
const FormInfo kForms[] = {
    {130, 130, "rohr", "Rohr", &Make<CPipeRunDlg>},
    {131, 131, "rohrdurchlass", "Rohrdurchlass", &Make<CPipeCulvertDlg>},
    {158, 158, "rechteckdurchlass", "Rechteckdurchlass", &Make<CBoxCulvertDlg>},
    {132, 132, "mulde", "Mulde", &Make<CSwaleDlg>},
    {143, 143, "graben", "Straßenseitengraben", &Make<CDitchDlg>},
    {176, 176, "raubettmulde", "Raubettmulde", &Make<CRoughBedSwaleDlg>},
    {152, 32773, "rinne", "Bord- / Spitzrinne", &Make<CGutterDlg>},
    {154, 32772, "pendelrinne", "Pendelrinne", &Make<COscillatingGutterDlg>},
    {165, 32775, "ablauf", "Dralun Straßenablauf-Abstände", &Make<CInletSpacingDlg>},
    {166, 32774, "brueckenablauf", "ZTV K Brückenablaufabstände", &Make<CBridgeDrainDlg>},
    {170, 32776, "drosselstrecke", "Rohrdrossel nach ATV-A 111", &Make<CThrottleSectionDlg>},
    {171, 32777, "drossel", "Drossel", &Make<COrificeDlg>},
    {185, 185, "versickermulde", "Versickermulde", &Make<CInfiltrationSwaleDlg>},
    {104, 32778, "versickergraben", "Versickergraben", &Make<CInfiltrationTrenchDlg>},
    {105, 32779, "notentlastung", "Notentlastung - freier Überfall", &Make<CEmergencyOverflowDlg>},
    {183, 183, "zeitbeiwert", "Zeitbeiwert", &Make<CTimeCoefficientDlg>},
};

} // namespace

std::span<const FormInfo> AllForms() { return kForms; }

const FormInfo* FindFormById(int templateId)
{
    for (const FormInfo& info : kForms)
        if (info.templateId == templateId)
            return &info;
    return nullptr;
}

const FormInfo* FindFormByCommand(int commandId)
{
    for (const FormInfo& info : kForms)
        if (info.commandId == commandId)
            return &info;
    return nullptr;
}

const FormInfo* FindForm(std::string_view idOrName)
{
    if (!idOrName.empty() && DecimalPrefixLength(idOrName) == idOrName.size() &&
        idOrName.find_first_not_of("0123456789") == std::string_view::npos)
        return FindFormById(ClassicAtoi(idOrName));
    for (const FormInfo& info : kForms)
        if (EqualsIgnoringCase(info.shortName, idOrName))
            return &info;
    return nullptr;
}

} // namespace dralun
