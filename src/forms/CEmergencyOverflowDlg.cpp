#include "forms/CEmergencyOverflowDlg.h"

namespace dralun {

CEmergencyOverflowDlg::CEmergencyOverflowDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "OK"},
        {kIdCancel, Ctl::Button, "Abbrechen"},
    };
    AddControls(controls);
}

const FormLayout& CEmergencyOverflowDlg::Layout() const
{
    static const FormLayout layout = {
        StretchAt(0, 0, 1, 1, 90, 25),
        ButtonColumn(0, 1, 1, {kIdCancel, kIdOk}),
    };
    return layout;
}

} // namespace dralun
