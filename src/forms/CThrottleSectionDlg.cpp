#include "forms/CThrottleSectionDlg.h"

#include <cstdio>

#include "core/CDataDirectory.h"

namespace dralun {

CThrottleSectionDlg::CThrottleSectionDlg(IMessageSink& sink) : CForm(kDescription, sink)
{
    using D = CThrottleSectionDlg;
    static const Field<D> fields[] = {
        // id    name    label                      unit    role       default range
        {kIdKb, "kb", "kb [mm]", "mm", Role::In, "0.25", Range{0.01, 2.0}, &D::m_kb},
        {kIdZeta, "zeta", "zeta(1)", "-", Role::In, "0.45", Range{0.01, 1.0}, &D::m_zeta},
        {kIdMD, "mD", "mD", "-", Role::In, "1.0", Range{0.1, 1.0}, &D::m_mD},
        {kIdDu, "du", "Drosseldurchmesser [mm]", "mm", Role::In, "200", Range{50, 600}, &D::m_du},
        {kIdL, "L", "Drossellänge [m]", "m", Role::In, "4.0", Range{0.1, 100}, &D::m_L},
        // The slope stays disabled: it keeps 0 and still enters the crown check.
        {kIdI, "I", "Drosselneigung [%o]", "‰", Role::Off, "0", {}, &D::m_I},
        {kIdHRs, "HRs", "H Rs Auslauf [m NN]", "m NN", Role::In, "0", {}, &D::m_outlet},
        {kIdHmax, "Hmax", "H max Wsp [m NN]", "m NN", Role::In, "1.0", {}, &D::m_hmax},
        {kIdV, "v", "v [m/s]", "m/s", Role::Out, "0", {}, &D::m_v},
        {kIdQ, "Q", "Q [m³/s]", "m³/s", Role::Out, "0", {}, &D::m_Q},
        {kIdVa, "va", "v Anström [m/s]", "m/s", Role::In, "0", Range{0, 5}, &D::m_va},
        {kIdQzul, "Qzul", "Qzul [m³/s]", "m³/s", Role::In, "0", Range{0, 100}, &D::m_Qzul},
    };
    Bind<D>(this, fields);
    SetDemandField(kIdQzul);
}

void CThrottleSectionDlg::OnCompute()
{
    BeginComputation();
    if (!ReadForComputation())
        return;

    ThrottleInput in;
    in.kb = m_kb;
    in.zeta = m_zeta;
    in.mD = m_mD;
    in.du = m_du;
    in.L = m_L;
    in.I = m_I;
    in.outletInvert = m_outlet;
    in.maxLevel = m_hmax;
    in.va = m_va;
    CSteps steps(RecordingSteps());
    const ThrottleResult result = ComputeThrottleSection(in, steps);
    WriteDumpFile(result);
    m_v = result.v;
    m_Q = result.Q;
    // Without a step the search found no velocity: the last message says why.
    const std::vector<std::string> messages = Messages(result);
    for (size_t i = 0; i < messages.size(); ++i) {
        if (result.best < 0 && i + 1 == messages.size())
            Refuse(messages[i]);
        else
            MessageBox(messages[i], MsgIcon::Exclamation);
    }
    if (result.best >= 0) {
        if (m_Qzul > 0)
            SetVerdict(CheckDemand(steps,
                                   {"Drosselabfluss", "Abfluss der Drossel", "Q", "zulässiger Drosselabfluss",
                                    "Qzul", "m³/s"},
                                   m_Q, m_Qzul));
        Record(steps);
    }
    UpdateData(false);
}

std::vector<std::string> CThrottleSectionDlg::Messages(const ThrottleResult& result)
{
    switch (result.status) {
    case ThrottleStatus::Ok:
        break;
    case ThrottleStatus::DiameterNotPositive:
        return {"Der Drosseldurchmesser muss größer als 0 mm sein.\n"
                "Ohne Durchmesser ist keine Fließgeschwindigkeit bestimmbar."};
    case ThrottleStatus::LengthNotPositive:
        return {"Die Drossellänge muss größer als 0 m sein.\n"
                "Ohne Länge ist kein Reibungsgefälle bestimmbar."};
    case ThrottleStatus::RoughnessNegative:
        return {"Die Rauheit kb darf nicht negativ sein."};
    }
    std::vector<std::string> messages;
    if (result.belowCrown)
        messages.push_back(kCrownWarning);
    switch (result.end) {
    case ThrottleSearchEnd::NoEnergy:
        messages.push_back(kAbortWarning);
        break;
    case ThrottleSearchEnd::NoVelocity:
        messages.push_back("Die Fließgeschwindigkeit ist mit diesen Werten nicht bestimmbar.\n"
                           "Berechnung abgebrochen.");
        break;
    case ThrottleSearchEnd::Crossed:
    case ThrottleSearchEnd::AllSteps:
        if (result.best < 0)
            messages.push_back(kNoStepWarning);
        break;
    }
    return messages;
}

bool CThrottleSectionDlg::WriteDumpFile(const ThrottleResult& result)
{
    // Where writes go nowhere (a rating table, a search) the dump is not
    // formatted at all: its up to 1000 lines a computation are most of its cost.
    if (CDiscardWrites::Active())
        return false;
    CFile dump = CDataDirectory::Open(kDumpFile, "w");
    std::FILE* f = dump.get();
    if (!f)
        return false;
    for (const char* line : {"dump-DrosselA_111.txt Drosselberechnung nach A 111", "",
                             "vu = geschätzte Fließgeschwindigkeit des Wasserstrahls im Ausströmbereich der Drossel",
                             "v  = Fließgeschwindigkeit nach Prandtl-Colebrook",
                             "Die Iteration ist abgeschlossen, wenn vu und v etwa gleich groß sind und die "
                             "Ernergiebilanz stimmt.",
                             ""})
        std::fprintf(f, "%s \n", line);
    std::fprintf(f, "%s  %6.3f \n\n", "Anfangswert vu(Anfang) = ", kThrottleStart);
    std::fprintf(f, "%s \n", "Die Schrittweite wird mit 0.01 gewählt.");
    std::fprintf(f, "%s \n", "");
    for (const ThrottleStep& step : result.steps)
        std::fprintf(f, "vu = %6.3f  v = %6.3f\n", step.vu, step.v);
    return true;
}

std::string CThrottleSectionDlg::Method() const
{
    return "Abfluss einer Rohrdrossel nach ATV-A 111: Energiebilanz mit Prandtl-Colebrook, Fließgeschwindigkeit "
           "schrittweise gesucht";
}

const FormLayout& CThrottleSectionDlg::Layout() const
{
    static const FormLayout layout = {
        LabelAt("\nHydraulischer Nachweis  einer Drosselstrecke nach \nATV A 111", 0, 0, 1, 2),
        GroupAt("Becken und Auslauf", 1, 0, 1, 1,
                {
                    FieldAt(kIdHmax, 0, 0),
                    FieldAt(kIdVa, 1, 0),
                    FieldAt(kIdHRs, 2, 0),
                    FieldAt(kIdMD, 3, 0),
                }),
        GroupAt("Drossel", 2, 0, 1, 2,
                {
                    FieldAt(kIdDu, 0, 0),
                    LabelAt("Mindestdurchmesser du 200 mm", 0, 2),
                    FieldAt(kIdL, 1, 0),
                    LabelAt("Mindestlänge 20 du, max. 100 m", 1, 2),
                    FieldAt(kIdI, 2, 0),
                    LabelAt("maximales Sohlengefälle 3,0 %o", 2, 2),
                    FieldAt(kIdKb, 3, 0),
                    FieldAt(kIdZeta, 4, 0),
                }),
        GroupAt("Ergebnis", 1, 1, 1, 1,
                {
                    FieldAt(kIdV, 0, 0),
                    FieldAt(kIdQ, 1, 0),
                    FieldAt(kIdQzul, 2, 0),
                    StretchAt(3, 0),
                }),
        PictureAt(kPicture, 0, 2, 4, 1),
        StretchAt(3, 0, 1, 2),
        ButtonColumn(0, 3, 4, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
