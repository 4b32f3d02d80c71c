#include "forms/CInfiltrationSwaleDlg.h"

#include <string>

#include "core/CInfiltrationSections.h"

namespace dralun {

namespace {

constexpr int kFirstAreaRadio = 1071; // "Asmax" ... "AsEingabe" = 1075
constexpr int kAsmittelR = 1074;

const CInfiltrationForm::Texts kTexts = {
    "unzulässige Eingabe!\n\nSchwellenhöhe kann nicht <= 0 sein.",
    "unzulässige Eingabe!\n\n Schwellenhöhe ist > Muldentiefe.",
    "unzulässige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein.",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht <= 0 sein.",
    "einer Versickermulde",
};

} // namespace

CInfiltrationSwaleDlg::CInfiltrationSwaleDlg(IMessageSink& sink)
    : CInfiltrationForm(kTemplateId, sink,
                        Ids{1004, 1005, 1043, 1049, 1051, 1050, kFirstAreaRadio, kAsmittelR, kUpdate}, kTexts)
{
    using D = CInfiltrationSwaleDlg;
    const std::string file = DefaultRainfallFile();
    // In the order the fields are exchanged.
    const Field<D> fields[] = {
        // id   name  label                                  unit      role       default range
        {1000, "B", "Muldenbreite [m]", "m", Role::In, "2", Range{0.5, 5.0}, &D::m_B},
        {1002, "J", "Sohlengefälle [%o]", "‰", Role::In, "2", {}, &D::m_J},
        {1001, "T", "Muldentiefe [m]", "m", Role::In, "0.3", Range{0.1, 0.7}, &D::m_T},
        {1050, "Datei", "Datei", "", Role::In, file.c_str(), {}, &D::m_fileName},
        {1018, "kf", "kf [m/s]", "m/s", Role::In, "1e-05", Range{1e-08, 0.01}, &D::m_kf},
        {1019, "kfu", "Faktor kfu [1]", "1", Role::In, "0.5", Range{0, 1}, &D::m_kfu},
        {1004, "Ls", "Schwellenabstand [m]", "m", Role::In, "50", {}, &D::m_Ls},
        {1030, "Au_m", "Au je m [m²/m)", "m²/m", Role::In, "10", {}, &D::m_AuPerMetre},
        {1051, "n", "Häufigkeit n", "1/a", Role::In, "1", Range{0.01, 2.0}, &D::m_n},
        {1043, "r", "Regenspende [l/s/ha]", "l/(s·ha)", Role::In, "100", {}, &D::m_r},
        {1049, "D", "N-dauer [min]", "min", Role::In, "15", Range{0, 4320}, &D::m_D},
        {1052, "D_mass", "(maßgebende) Nieder-\nschlagsdauer [min]", "min", Role::Out, "0", {},
         &D::m_governingDuration},
        {1054, "V_genutzt", "Vgenutzt [m³]", "m³", Role::Out, "0", {}, &D::m_Vused},
        {1055, "Ueberlauf", "Überlauf [m³]", "m³", Role::Out, "0", {}, &D::m_overflow},
        {1006, "A_u", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Au},
        {1010, "A_o", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Ao},
        {1011, "lu_u", "lu [m]", "m", Role::Out, "0", {}, &D::m_luU},
        {1012, "lu_o", "lu [m]", "m", Role::Out, "0", {}, &D::m_luO},
        {1015, "b_o", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bO},
        {1014, "b_u", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bU},
        {1017, "V", "V [m³]", "m³", Role::Out, "0", {}, &D::m_V},
        {1003, "hs", "Schwellenhöhe [m]", "m", Role::In, "0.2", Range{0, 0.7}, &D::m_hs},
        {1031, "Au1", "Au (1) [m²] ", "m²", Role::In, "0", {}, &D::m_Au1},
        {1032, "Au2", "Au (2) [m²]", "m²", Role::In, "0", {}, &D::m_Au2},
        {1005, "tE", "Eintauchtiefe [m]\nobere Schwelle", "m", Role::In, "0", {}, &D::m_tE},
        {1016, "Asmax", "Asmax", "m²", Role::Out, "0", {}, &D::m_Asmax},
        {1063, "AsmaxR", "AsmaxR", "m²", Role::Out, "0", {}, &D::m_AsmaxR},
        {1057, "Asmittel", "Asmittel", "m²", Role::Out, "0", {}, &D::m_Asmittel},
        {1058, "AsmittelR", "AsmittelR", "m²", Role::Out, "0", {}, &D::m_AsmittelR},
        {1059, "AsEingabe", "AsEingabe", "m²", Role::In, "0", {}, &D::m_AsTyped},
    };
    static const ControlDef controls[] = {
        {kCircle, Ctl::Radio, "Berechnung als Kreisabschnitt", 4},
        {kParabola, Ctl::Radio, "Berechnung als Parabel", 4},
        {kUpdate, Ctl::Button, "Daten Versickermulde aktualisieren"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kCircle, &D::OnCompute},
        {Ev::Click, kParabola, &D::OnCompute},
    };
    Bind<D>(this, fields);
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CInfiltrationSwaleDlg::OnInitDialog()
{
    CheckRadio(kCircle);
    CInfiltrationForm::OnInitDialog();
}

bool CInfiltrationSwaleDlg::EvaluateSections(double hs, double tE, CInfiltrationBalance::Sections& out, CSteps& steps)
{
    // The circle and the parabola through the swale's edges need a width.
    if (!(m_B > 0)) {
        Refuse("unzulässige Eingabe!\n\nDie Muldenbreite muss größer als 0 sein.");
        return false;
    }
    const SwaleThresholdSections sections =
        ComputeSwaleThresholdSections({m_B, m_T, hs, tE, IsChecked(kParabola)}, steps);
    out = sections.sections;
    return true;
}

std::vector<FormChoice> CInfiltrationSwaleDlg::Choices() const
{
    std::vector<FormChoice> choices = CInfiltrationForm::Choices();
    if (IsChecked(kCircle))
        choices.push_back({kCircle, "Querschnitt der Mulde", "Kreisabschnitt durch beide Ränder und die Sohle"});
    else if (IsChecked(kParabola))
        choices.push_back({kParabola, "Querschnitt der Mulde", "Parabel durch beide Ränder mit dem Scheitel an der Sohle"});
    return choices;
}

const FormLayout& CInfiltrationSwaleDlg::Layout() const
{
    static const FormLayout layout = {
        GroupAt("Versickermulde", 0, 0, 3, 1,
                WithSectionRows(
                    {
                    ControlAt(kCircle, 0, 0, 1, 2),
                    ControlAt(kParabola, 1, 0, 1, 2),
                    FieldAt(1000, 2, 0, 15),
                    FieldAt(1001, 3, 0, 15),
                    FieldAt(1002, 4, 0, 15),
                    FieldAt(1003, 5, 0, 15),
                    ControlAt(kSpacingMode, 6, 0),
                    EditAt(1004, 6, 1, 1, 15),
                    ControlAt(kImmersionMode, 7, 0),
                    EditAt(1005, 7, 1, 1, 15),
                    StretchAt(17, 0),
                    ControlAt(kUpdate, 18, 0, 1, 2),
                    },
                    8, {1006, 1011, 1014, 1010, 1012, 1015, 1017})),
        GroupAt("Versickerungsfläche As", 0, 1, 1, 1,
                {
                    ControlAt(1071, 0, 0), EditAt(1016, 0, 1, 1, 15),
                    ControlAt(1072, 1, 0), EditAt(1063, 1, 1, 1, 15),
                    ControlAt(1073, 2, 0), EditAt(1057, 2, 1, 1, 15),
                    ControlAt(1074, 3, 0), EditAt(1058, 3, 1, 1, 15),
                    ControlAt(1075, 4, 0), EditAt(1059, 4, 1, 1, 10),
                }),
        GroupAt("Boden", 1, 1, 1, 1, {FieldAt(1018, 0, 0, 10), FieldAt(1019, 1, 0, 10)}),
        GroupAt("Einzugsgebiet", 2, 1, 1, 1,
                {FieldAt(1030, 0, 0, 10), FieldAt(1031, 1, 0, 10), FieldAt(1032, 2, 0, 10)}),
        GroupAt("Niederschlag", 0, 2, 2, 1,
                {
                    ControlAt(kRainTyped, 0, 0), EditAt(1043, 0, 1, 1, 10),
                    LabelAt("N-dauer [min]", 1, 0), EditAt(1049, 1, 1, 1, 10),
                    ControlAt(kDurationList, 2, 1),
                    ControlAt(kRainFromFile, 3, 0, 1, 2),
                    GroupAt("Datei", 4, 0, 1, 2,
                            {
                                EditAt(1050, 0, 0, 2, 30),
                                FieldAt(1051, 1, 0, 10),
                                ControlAt(kLoadFile, 2, 1),
                            }),
                }),
        GroupAt("Ergebnisse", 2, 2, 1, 1, {FieldAt(1052, 0, 0, 15), FieldAt(1054, 1, 0, 15), FieldAt(1055, 2, 0, 15)}),
        PictureAt(kPictureId, 3, 0, 1, 4),
        ButtonColumn(0, 3, 3, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
