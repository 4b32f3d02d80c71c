#include "forms/ComputeButton.h"

#include "forms/CForm.h"

namespace dralun {

int ComputeButtonId(const CForm& form)
{
    for (const ControlDef& c : form.Controls())
        if (c.type == Ctl::Button && c.text == "Rechne")
            return c.id;
    return -1;
}

void PressCompute(CForm& form)
{
    const int id = ComputeButtonId(form);
    if (!form.IsClosed() && id >= 0)
        form.Click(id);
}

} // namespace dralun
