#include "forms/FormRegistry.h"

#include <string>

#include "core/NumberText.h"
#include "core/TextCase.h"
#include "forms/CEmergencyOverflowDlg.h"
#include "forms/COrificeDlg.h"
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
    {130, 130, "rohr", "Rohr", nullptr},
    {131, 131, "rohrdurchlass", "Rohrdurchlass", nullptr},
    {158, 158, "rechteckdurchlass", "Rechteckdurchlass", nullptr},
    {132, 132, "mulde", "Mulde", nullptr},
    {143, 143, "graben", "Straßenseitengraben", nullptr},
    {176, 176, "raubettmulde", "Raubettmulde", nullptr},
    {152, 32773, "rinne", "Bord- / Spitzrinne", nullptr},
    {154, 32772, "pendelrinne", "Pendelrinne", nullptr},
    {165, 32775, "ablauf", "Dralun Straßenablauf-Abstände", nullptr},
    {166, 32774, "brueckenablauf", "ZTV K Brückenablaufabstände", nullptr},
    {170, 32776, "drosselstrecke", "Rohrdrossel nach ATV-A 111", nullptr},
    {171, 32777, "drossel", "Drossel", &Make<COrificeDlg>},
    {185, 185, "versickermulde", "Versickermulde", nullptr},
    {104, 32778, "versickergraben", "Versickergraben", nullptr},
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
