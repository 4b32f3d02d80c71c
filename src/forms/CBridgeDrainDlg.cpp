#include "forms/CBridgeDrainDlg.h"

#include "core/CBridgeDrain.h"
#include "core/NumberText.h"

namespace dralun {

CBridgeDrainDlg::CBridgeDrainDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CBridgeDrainDlg;
    static const Field<D> fields[] = {
        // id   name   label                               unit role       default range
        {1001, "s", "Fahrbahnlängsneigung s [%]", "%", Role::In, "1.0", Range{0.5, 5.0}, &D::m_s},
        {1002, "BSt", "Entwässerungsbreite BSt [m]", "m", Role::In, "7.0", {}, &D::m_BSt},
        {1003, "L", "Abstand der Brückenabläufe [m]", "m", Role::Out, "0", {}, &D::m_L},
        {kCrossFall, "qf", "Fahrbahnquerneigung qf [%]", "%", Role::In, "2.5", {}, &D::m_qf},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kCrossFall, Ctl::Combo, "", 0, {"2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}},
        {kSmall, Ctl::Radio, "300 x 500", 1},
        {kLarge, Ctl::Radio, "500 x 500", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},
        {Ev::Click, kSmall, &D::OnGrating},
        {Ev::Click, kLarge, &D::OnGrating},
        {Ev::SelChange, kCrossFall, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CBridgeDrainDlg::OnInitDialog() { CheckRadio(kSmall); }

// The radio button is already checked; the spacing follows at once.
void CBridgeDrainDlg::OnGrating() { OnCompute(); }

void CBridgeDrainDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    const double qf = ClassicAtof(m_qf);
    m_L = 0;
    if (!(m_BSt > 0)) {
        Refuse("Die Entwässerungsbreite BSt muss größer als 0 m sein.\n"
               "Der Abstand der Brückenabläufe wird nicht berechnet.");
    } else if (IsChecked(kSmall) || IsChecked(kLarge)) {
        // A negative slope (outside its range, already reported) has no
        // power: the spacing shows as not determinable.
        CSteps steps(RecordingSteps());
        m_L = CBridgeDrain::Compute({IsChecked(kSmall) ? CBridgeDrain::Grating::Small300x500
                                                       : CBridgeDrain::Grating::Large500x500,
                                     qf, m_s, m_BSt},
                                    steps)
                  .L;
        Record(steps);
    }

    UpdateData(false);
}

std::string CBridgeDrainDlg::Method() const
{
    return "Abstand der Brückenabläufe nach den ZTV-ING aus Querneigung, Längsneigung und Entwässerungsbreite";
}

const FormLayout& CBridgeDrainDlg::Layout() const
{
    static const FormLayout layout = {
        LabelAt("Brückenablaufabstände nach den ZTV-Ing", 0, 0, 1, 2),
        GroupAt("", 1, 0, 1, 1,
                {
                    FieldAt(kCrossFall, 0, 0),
                    FieldAt(1001, 1, 0),
                    FieldAt(1002, 2, 0),
                    FieldAt(1003, 3, 0),
                }),
        GroupAt("Aufsätze", 1, 1, 1, 1, {ControlAt(kSmall, 0, 0), ControlAt(kLarge, 1, 0)}),
        GroupAt("Gültigkeitsbereich:", 2, 0, 1, 2,
                {
                    LabelAt("Abstand der Brückenabläufe L [m]", 0, 0),
                    LabelAt("5 <= L <= 50 m", 0, 1),
                    LabelAt("Fahrbahnquerneigung qf [%]", 1, 0),
                    LabelAt("qf <= 5,0 %", 1, 1),
                    LabelAt("Fahrbahnlängsneigung s [%]", 2, 0),
                    LabelAt("0,5 <= s <= 5,0 %", 2, 1),
                }),
        PictureAt(kPicture, 0, 2, 4, 1),
        StretchAt(3, 0, 1, 2),
        ButtonColumn(0, 3, 4, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
