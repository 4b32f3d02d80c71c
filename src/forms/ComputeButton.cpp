#include "forms/ComputeButton.h"

#include "forms/CForm.h"

namespace dralun {

int ComputeButtonId(const CForm& form) { return form.Description().computeButton; }

void PressCompute(CForm& form)
{
    const int id = ComputeButtonId(form);
    if (!form.IsClosed() && id >= 0)
        form.Click(id);
}

} // namespace dralun
