#include "forms/ComputeButton.h"

#include "forms/CForm.h"
#include "forms/FormRegistry.h"

namespace dralun {

int ComputeButtonId(const CForm& form)
{
    const FormInfo* info = FindFormById(form.TemplateId());
    return info ? info->computeButton : kNoComputeButton;
}

void PressCompute(CForm& form)
{
    const int id = ComputeButtonId(form);
    if (!form.IsClosed() && id >= 0)
        form.Click(id);
}

} // namespace dralun
