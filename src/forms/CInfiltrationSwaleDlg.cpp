#include "forms/CInfiltrationSwaleDlg.h"

#include <string>

#include "core/CInfiltrationSections.h"

namespace dralun {

namespace {

using D = CInfiltrationSwaleDlg;

constexpr CInfiltrationForm::Ids kIds = CInfiltrationForm::IdsOf<D>();

const CInfiltrationForm::Texts kTexts = {
    "unzulässige Eingabe!\n\n Schwellenhöhe ist > Muldentiefe.",
    "unzulässige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht <= 0 sein.",
    "einer Versickermulde",
};

} // namespace

CInfiltrationSwaleDlg::CInfiltrationSwaleDlg(IMessageSink& sink)
    : CInfiltrationForm(kDescription, sink, kIds, kTexts)
{
    const std::string file = DefaultRainfallFile();
    // In the order the fields are exchanged.
    const Field<D> fields[] = {
        // id   name  label                                  unit      role       default range
        {kIdB, "B", "Muldenbreite [m]", "m", Role::In, "2", Range{0.5, 5.0}, &D::m_B},
        {kIdJ, "J", "Sohlengefälle [%o]", "‰", Role::In, "2", {}, &D::m_J},
        {kIdT, "T", "Muldentiefe [m]", "m", Role::In, "0.3", Range{0.1, 0.7}, &D::m_T},
        {kIdDatei, "Datei", "Datei", "", Role::In, file.c_str(), {}, &D::m_fileName},
        {kIdKf, "kf", "kf [m/s]", "m/s", Role::In, "1e-05", Range{1e-08, 0.01}, &D::m_kf},
        {kIdKfu, "kfu", "Faktor kfu [1]", "1", Role::In, "0.5", Range{0, 1}, &D::m_kfu},
        {kIdLs, "Ls", "Schwellenabstand [m]", "m", Role::In, "50", {}, &D::m_Ls},
        {kIdAuM, "Au_m", "Au je m [m²/m)", "m²/m", Role::In, "10", {}, &D::m_AuPerMetre},
        {kIdN, "n", "Häufigkeit n", "1/a", Role::In, "1", Range{0.01, 2.0}, &D::m_n},
        {kIdR, "r", "Regenspende [l/s/ha]", "l/(s·ha)", Role::In, "100", {}, &D::m_r},
        {kIdD, "D", "N-dauer [min]", "min", Role::In, "15", Range{0, 4320}, &D::m_D},
        {kIdDMass, "D_mass", "(maßgebende) Nieder-\nschlagsdauer [min]", "min", Role::Out, "0", {},
         &D::m_governingDuration},
        {kIdVGenutzt, "V_genutzt", "Vgenutzt [m³]", "m³", Role::Out, "0", {}, &D::m_Vused},
        {kIdUeberlauf, "Überlauf", "Überlauf [m³]", "m³", Role::Out, "0", {}, &D::m_overflow},
        {kIdAU, "A_u", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Au},
        {kIdAO, "A_o", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Ao},
        {kIdLuU, "lu_u", "lu [m]", "m", Role::Out, "0", {}, &D::m_luU},
        {kIdLuO, "lu_o", "lu [m]", "m", Role::Out, "0", {}, &D::m_luO},
        {kIdBO, "b_o", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bO},
        {kIdBU, "b_u", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bU},
        {kIdV, "V", "V [m³]", "m³", Role::Out, "0", {}, &D::m_V},
        {kIdHs, "hs", "Schwellenhöhe [m]", "m", Role::In, "0.2", Range{0, 0.7}, &D::m_hs},
        {kIdAu1, "Au1", "Au (1) [m²] ", "m²", Role::In, "0", {}, &D::m_Au1},
        {kIdAu2, "Au2", "Au (2) [m²]", "m²", Role::In, "0", {}, &D::m_Au2},
    };
    static const ControlDef controls[] = {
        {kIdModeCircle, Ctl::Radio, "Berechnung als Kreisabschnitt", 4},
        {kIdModeParabola, Ctl::Radio, "Berechnung als Parabel", 4},
        {kIdUpdate, Ctl::Button, "Daten Versickermulde aktualisieren"},
    };
    static const Handler<D> handlers[] = {
        {Ev::Click, kIdModeCircle, &D::OnCompute},
        {Ev::Click, kIdModeParabola, &D::OnCompute},
    };
    Bind<D>(this, fields);
    BindImmersionAndAreas();
    AddControls(controls);
    Connect<D>(this, handlers);
}

void CInfiltrationSwaleDlg::OnInitDialog()
{
    CheckRadio(kIdModeCircle);
    CInfiltrationForm::OnInitDialog();
}

bool CInfiltrationSwaleDlg::EvaluateSections(double hs, double tE, InfiltrationSections& out, CSteps& steps)
{
    // The circle and the parabola through the swale's edges need a width.
    if (!(m_B > 0)) {
        Refuse("unzulässige Eingabe!\n\nDie Muldenbreite muss größer als 0 sein.");
        return false;
    }
    const SwaleThresholdSections sections =
        ComputeSwaleThresholdSections({m_B, m_T, hs, tE, IsChecked(kIdModeParabola)}, steps);
    out = sections.sections;
    return true;
}

std::vector<FormChoice> CInfiltrationSwaleDlg::Choices() const
{
    std::vector<FormChoice> choices = CInfiltrationForm::Choices();
    if (IsChecked(kIdModeCircle))
        choices.push_back({kIdModeCircle, "Querschnitt der Mulde", "Kreisabschnitt durch beide Ränder und die Sohle"});
    else if (IsChecked(kIdModeParabola))
        choices.push_back(
            {kIdModeParabola, "Querschnitt der Mulde", "Parabel durch beide Ränder mit dem Scheitel an der Sohle"});
    return choices;
}

const FormLayout& CInfiltrationSwaleDlg::Layout() const
{
    static const FormLayout layout = LayoutWith("Versickermulde",
                                                {
                                                    ControlAt(kIdModeCircle, 0, 0, 1, 2),
                                                    ControlAt(kIdModeParabola, 1, 0, 1, 2),
                                                },
                                                kIds, kPicture);
    return layout;
}

} // namespace dralun
