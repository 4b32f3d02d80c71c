#include "forms/CEmergencyOverflowDlg.h"

namespace dralun {

CEmergencyOverflowDlg::CEmergencyOverflowDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "OK"},
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
