#include "forms/CBridgeDrainDlg.h"

#include <cmath>

#include "core/CBridgeDrain.h"
#include "core/NumberText.h"

namespace dralun {

CBridgeDrainDlg::CBridgeDrainDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CBridgeDrainDlg;
    static const Field<D> fields[] = {
        // id   name   label                               unit role       default range
        {kIdS, "s", "Fahrbahnlängsneigung s [%]", "%", Role::In, "1.0", Range{0.5, 5.0}, &D::m_s},
        {kIdBSt, "BSt", "Entwässerungsbreite BSt [m]", "m", Role::In, "7.0", {}, &D::m_BSt},
        {kIdL, "L", "Abstand der Brückenabläufe [m]", "m", Role::Out, "0", {}, &D::m_L},
        {kIdQf, "qf", "Fahrbahnquerneigung qf [%]", "%", Role::In, "2.5", {}, &D::m_qf},
        {kIdAPlan, "a_plan", "a geplant [m]", "m", Role::In, "0", Range{0, 1000}, &D::m_aPlan},
    };
    static const ControlDef controls[] = {
        {kIdQf, Ctl::Combo, "", 0, {"2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}},
        {kIdGratingSmall, Ctl::Radio, "300 x 500", 1},
        {kIdGratingLarge, Ctl::Radio, "500 x 500", 1},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdGratingSmall, &D::OnGrating},
        {Ev::Click, kIdGratingLarge, &D::OnGrating},
        {Ev::SelChange, kIdQf, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    SetDemandField(kIdAPlan);
    Connect<D>(this, handlers);
}

void CBridgeDrainDlg::OnInitDialog() { CheckRadio(kIdGratingSmall); }

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
    } else if (IsChecked(kIdGratingSmall) || IsChecked(kIdGratingLarge)) {
        // A negative slope (outside its range, already reported) has no
        // power: the spacing shows as not determinable.
        CSteps steps(RecordingSteps());
        const BridgeGrating grating =
            IsChecked(kIdGratingSmall) ? BridgeGrating::Small300x500 : BridgeGrating::Large500x500;
        m_L = ComputeBridgeDrain({grating, qf, m_s, m_BSt}, steps).L;
        // A spacing that is not determinable, or found outside the range in
        // which the formula holds (5 to 50 m), leaves nothing to check.
        if (m_aPlan > 0 && std::isfinite(m_L) && m_L >= 5 && m_L <= 50)
            SetVerdict(CheckDemand(steps,
                                   {"Abstand der Brückenabläufe", "geplanter Abstand", "a_plan",
                                    "Abstand der Brückenabläufe nach ZTV-ING", "L", "m"},
                                   m_aPlan, m_L));
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
                    FieldAt(kIdQf, 0, 0),
                    FieldAt(kIdS, 1, 0),
                    FieldAt(kIdBSt, 2, 0),
                    FieldAt(kIdL, 3, 0),
                    FieldAt(kIdAPlan, 4, 0),
                }),
        GroupAt("Aufsätze", 1, 1, 1, 1, {ControlAt(kIdGratingSmall, 0, 0), ControlAt(kIdGratingLarge, 1, 0)}),
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
