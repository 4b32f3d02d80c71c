#include "forms/FormHelp.h"

namespace dralun {

// Filled from help/*.txt.
const FormHelp* HelpOf(int) { return nullptr; }

std::string FieldMeaning(int templateId, int fieldId)
{
    if (const FormHelp* help = HelpOf(templateId))
        for (const auto& [id, meaning] : help->meanings)
            if (id == fieldId)
                return meaning;
    return {};
}

std::string HelpPageHtml(int) { return {}; }

} // namespace dralun
