#include "forms/MainFields.h"

#include <string>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"

namespace dralun {

namespace {

std::vector<int> Ids(const CForm& form, bool results)
{
    std::vector<int> ids;
    if (const FormInfo* info = FindFormById(form.TemplateId());
        info && !(info->mainInputs.empty() && info->mainResults.empty())) {
        for (const char* name : results ? info->mainResults : info->mainInputs)
            if (const FieldInfo* field = form.FindFieldByName(name))
                ids.push_back(field->id);
        return ids;
    }
    for (const FieldInfo& f : form.Fields()) {
        const bool isResult = f.role == Role::Out;
        if (isResult == results && ids.size() < (results ? 1u : 2u))
            ids.push_back(f.id);
    }
    return ids;
}

} // namespace

std::vector<int> ReloadButtonIds(const CForm& form)
{
    // "Datei laden" of the infiltration forms, when the rain comes from the
    // file ("N aus Datei").
    std::vector<int> ids;
    const FormInfo* info = FindFormById(form.TemplateId());
    if (info && info->reloadButton && form.IsChecked(info->reloadWhen) && form.IsEnabled(info->reloadButton))
        ids.push_back(info->reloadButton);
    return ids;
}

std::vector<int> MainInputIds(const CForm& form) { return Ids(form, false); }
std::vector<int> MainResultIds(const CForm& form) { return Ids(form, true); }

} // namespace dralun
