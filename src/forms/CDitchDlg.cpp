#include "forms/CDitchDlg.h"

#include "core/CDitchFlow.h"
#include "core/Finite.h"

namespace dralun {

namespace {
constexpr int kBPlus = 1012, kBMinus = 1020;
constexpr int kHPlus = 1017, kHMinus = 1021;
constexpr int kM1Plus = 1022, kM1Minus = 1023;
constexpr int kM2Plus = 1026, kM2Minus = 1027;
constexpr int kTPlus = 1037, kTMinus = 1038;
constexpr int kIPlus = 1039, kIMinus = 1040;
constexpr int kKStPlus = 1041, kKStMinus = 1042;
} // namespace

CDitchDlg::CDitchDlg(IMessageSink& sink) : CForm(kTemplateId, sink)
{
    using D = CDitchDlg;
    // In the order the fields are exchanged.
    static const Field<D> fields[] = {
        {1002, "m1", "Bö. Neigung links 1 :", "-", Role::In, "1.5", Range{0.5, 5.0}, &D::m_m1},
        {1000, "b", "Sohlenbreite b [m]", "m", Role::In, "0.5", Range{0.3, 3.0}, &D::m_b},
        {1001, "h", "Böschungshöhe h [m]", "m", Role::Out, "0.5", {}, &D::m_h},
        {1004, "t", "Wassertiefe t [m]", "m", Role::In, "0.5", Range{0.03, 3.0}, &D::m_t},
        {1006, "kSt", "kSt [m1/3/s]", "m1/3/s", Role::In, "25", Range{1, 90}, &D::m_kSt},
        {1005, "I", "Sohlengefälle [%o]", "‰", Role::In, "1", Range{0.01, 50}, &D::m_I},
        {1013, "A", "A [m²]", "m²", Role::Out, "0", {}, &D::m_A},
        {1014, "lu", "lu [m]", "m", Role::Out, "0", {}, &D::m_lu},
        {1015, "rhy", "rhy [m]", "m", Role::Out, "0", {}, &D::m_R},
        {1016, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {1018, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {1003, "m2", "Bö-Neigung rechts 1 : ", "-", Role::In, "1.5", Range{0.5, 5.0}, &D::m_m2},
        {1019, "wsp", "wsp b (t) [m]", "m", Role::Out, "0", {}, &D::m_surfaceWidth},
    };
    static const ControlDef controls[] = {
        {kIdOk, Ctl::Button, "Rechne"},
        {kIdCancel, Ctl::Button, "Abbruch"},
        {kBPlus, Ctl::Step, "+"},   {kBMinus, Ctl::Step, "-"},   {kHPlus, Ctl::Step, "+"},
        {kHMinus, Ctl::Step, "-"},  {kM1Plus, Ctl::Step, "+"},  {kM1Minus, Ctl::Step, "-"},
        {kM2Plus, Ctl::Step, "+"},  {kM2Minus, Ctl::Step, "-"},  {kTPlus, Ctl::Step, "+"},
        {kTMinus, Ctl::Step, "-"},  {kIPlus, Ctl::Step, "+"},   {kIMinus, Ctl::Step, "-"},
        {kKStPlus, Ctl::Step, "+"}, {kKStMinus, Ctl::Step, "-"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdOk, &D::OnCompute},     {Ev::Click, kBPlus, &D::OnBPlus},
        {Ev::Click, kBMinus, &D::OnBMinus},    {Ev::Click, kM1Plus, &D::OnM1Plus},
        {Ev::Click, kM1Minus, &D::OnM1Minus},  {Ev::Click, kM2Plus, &D::OnM2Plus},
        {Ev::Click, kM2Minus, &D::OnM2Minus},  {Ev::Click, kTPlus, &D::OnTPlus},
        {Ev::Click, kTMinus, &D::OnTMinus},    {Ev::Click, kIPlus, &D::OnIPlus},
        {Ev::Click, kIMinus, &D::OnIMinus},    {Ev::Click, kKStPlus, &D::OnKStPlus},
        {Ev::Click, kKStMinus, &D::OnKStMinus},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
    KeepOnRefusal({1001}); // the bank height follows the water depth alone
}

// The bank height is a result: its step buttons can never change it.
void CDitchDlg::OnInitDialog()
{
    Enable(kHPlus, false);
    Enable(kHMinus, false);
}

void CDitchDlg::OnCompute()
{
    BeginComputation();
    // A number outside its range refuses the computation with the read's
    // one message; then no bank height either.
    if (!ReadForComputation()) {
        m_h = 0;
        UpdateData(false);
        return;
    }
    m_h = DitchBankHeight(m_t);

    // Negative dimensions or a falling bed give no flow section (negative
    // area, root of a negative slope): refused.
    if (m_t < 0 || m_b < 0 || m_m1 < 0 || m_m2 < 0 || m_I < 0) {
        Refuse("Unzulässige Eingabe!\n\nSohlenbreite, Böschungsneigungen, Wassertiefe und Gefälle "
               "dürfen nicht negativ sein.");
        UpdateData(false);
        return;
    }

    CSteps steps(RecordingSteps());
    const DitchFlowResult flow = ComputeDitchFlow({m_b, m_t, m_m1, m_m2, m_I, m_kSt}, steps);
    const CTrapezoidSection& section = flow.section;

    if (!AllFinite({flow.v, flow.Q, section.area, section.perimeter, section.hydraulicRadius, section.surfaceWidth})) {
        Refuse("Unzulässige Eingabe!\n\nMit diesen Eingaben ist kein Abfluss bestimmbar.");
        UpdateData(false);
        return;
    }
    m_A = section.area;
    m_lu = section.perimeter;
    m_R = section.hydraulicRadius;
    m_v = flow.v;
    m_Q = flow.Q;
    m_surfaceWidth = section.surfaceWidth;
    Record(steps);
    UpdateData(false);
}

std::string CDitchDlg::Method() const
{
    return "Leistungsfähigkeit eines Straßenseitengrabens (Trapezprofil) nach Manning-Strickler";
}

// A step button reads the fields first, so that nothing typed is lost, and
// steps from the value as typed (one outside its range stays refused until
// a step brings it back); it writes the fields and does not compute.
void CDitchDlg::OnBPlus()
{
    UpdateData(true);
    if (m_b < 2.99)
        m_b += 0.01;
    UpdateData(false);
}

void CDitchDlg::OnBMinus()
{
    UpdateData(true);
    if (m_b > 0.3099)
        m_b -= 0.01;
    UpdateData(false);
}

void CDitchDlg::OnM1Plus()
{
    UpdateData(true);
    if (m_m1 < 4.8999)
        m_m1 += 0.1;
    UpdateData(false);
}

void CDitchDlg::OnM1Minus()
{
    UpdateData(true);
    if (m_m1 > 0.50999)
        m_m1 -= 0.1;
    UpdateData(false);
}

void CDitchDlg::OnM2Plus()
{
    UpdateData(true);
    if (m_m2 < 4.8999)
        m_m2 += 0.1;
    UpdateData(false);
}

void CDitchDlg::OnM2Minus()
{
    UpdateData(true);
    if (m_m2 > 0.50999)
        m_m2 -= 0.1;
    UpdateData(false);
}

// The bank height, a result, follows the water depth with "Rechne".
void CDitchDlg::OnTPlus()
{
    UpdateData(true);
    if (m_t < 2.89999)
        m_t += 0.01;
    UpdateData(false);
}

void CDitchDlg::OnTMinus()
{
    UpdateData(true);
    if (m_t > 0.20999)
        m_t -= 0.01;
    UpdateData(false);
}

void CDitchDlg::OnIPlus()
{
    UpdateData(true);
    if (m_I < 49.900001)
        m_I += 0.1;
    UpdateData(false);
}

void CDitchDlg::OnIMinus()
{
    UpdateData(true);
    if (m_I > 0.11)
        m_I -= 0.1;
    UpdateData(false);
}

void CDitchDlg::OnKStPlus()
{
    UpdateData(true);
    if (m_kSt < 88.999)
        m_kSt += 1;
    UpdateData(false);
}

void CDitchDlg::OnKStMinus()
{
    UpdateData(true);
    if (m_kSt > 5.999)
        m_kSt -= 1;
    UpdateData(false);
}

const FormLayout& CDitchDlg::Layout() const
{
    static const FormLayout layout = {
        PanelAt(0, 0, 1, 1,
                {
                    LabelAt("\nLeistungsfähigkeit\neines Trapezprofils\nnach Manning-Strickler", 0, 0, 1, 4),
                    FieldAt(1000, 1, 0, 10), ControlAt(kBPlus, 1, 2), ControlAt(kBMinus, 1, 3),
                    FieldAt(1001, 2, 0, 10), ControlAt(kHPlus, 2, 2), ControlAt(kHMinus, 2, 3),
                    FieldAt(1002, 3, 0, 10), ControlAt(kM1Plus, 3, 2), ControlAt(kM1Minus, 3, 3),
                    FieldAt(1003, 4, 0, 10), ControlAt(kM2Plus, 4, 2), ControlAt(kM2Minus, 4, 3),
                    FieldAt(1004, 5, 0, 10), ControlAt(kTPlus, 5, 2), ControlAt(kTMinus, 5, 3),
                    FieldAt(1005, 6, 0, 10), ControlAt(kIPlus, 6, 2), ControlAt(kIMinus, 6, 3),
                    FieldAt(1006, 7, 0, 10), ControlAt(kKStPlus, 7, 2), ControlAt(kKStMinus, 7, 3),
                    StretchAt(8, 0),
                }),
        PanelAt(0, 1, 1, 1,
                {
                    PictureAt(151, 0, 0, 1, 2),
                    FieldAt(1013, 1, 0),
                    FieldAt(1014, 2, 0),
                    FieldAt(1015, 3, 0),
                    FieldAt(1019, 4, 0),
                    FieldAt(1016, 5, 0),
                    FieldAt(1018, 6, 0),
                    StretchAt(7, 0),
                }),
        ButtonColumn(0, 2, 1, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
