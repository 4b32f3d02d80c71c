#include "forms/CInfiltrationTrenchDlg.h"

#include <string>

#include "core/CInfiltrationSections.h"

namespace dralun {

namespace {

using D = CInfiltrationTrenchDlg;

constexpr CInfiltrationForm::Ids kIds = CInfiltrationForm::IdsOf<D>();

const CInfiltrationForm::Texts kTexts = {
    "unzulässige Eingabe!\n\nSchwellenhöhe ist größer Grabenhöhe.",
    "ungültige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein.",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht kleiner/gleich 0 sein.",
    "eines Versickergrabens",
};

} // namespace

CInfiltrationTrenchDlg::CInfiltrationTrenchDlg(IMessageSink& sink)
    : CInfiltrationForm(kDescription, sink, kIds, kTexts)
{
    const std::string file = DefaultRainfallFile();
    // In the order the fields are exchanged.
    const Field<D> fields[] = {
        // id   name  label                                  unit      role       default range
        {kIdM1, "m1", "Bö-Neigung li re [1 : n]", "1", Role::In, "1.5", Range{1, 10}, &D::m_m1},
        {kIdM2, "m2", "Bö-Neigung li re [1 : n]", "1", Role::In, "1.5", Range{1, 10}, &D::m_m2},
        {kIdAu1, "Au1", "Au (1) [m²] ", "m²", Role::In, "0", {}, &D::m_Au1},
        {kIdAu2, "Au2", "Au (2) [m²]", "m²", Role::In, "0", {}, &D::m_Au2},
        {kIdAU, "A_u", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Au},
        {kIdAO, "A_o", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Ao},
        {kIdLuU, "lu_u", "lu [m]", "m", Role::Out, "0", {}, &D::m_luU},
        {kIdLuO, "lu_o", "lu [m]", "m", Role::Out, "0", {}, &D::m_luO},
        {kIdBU, "b_u", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bU},
        {kIdBO, "b_o", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bO},
        {kIdV, "V", "V [m³]", "m³", Role::Out, "0", {}, &D::m_V},
        {kIdR, "r", "Regenspende [l/s/ha]", "l/(s·ha)", Role::In, "100", {}, &D::m_r},
        {kIdDMass, "D_mass", "(maßgebende) Nieder-\nschlagsdauer [min]", "min", Role::Out, "0", {},
         &D::m_governingDuration},
        {kIdUeberlauf, "Überlauf", "Überlauf [m³]", "m³", Role::Out, "0", {}, &D::m_overflow},
        {kIdB, "b", "Sohlenbreite [m]", "m", Role::In, "0.5", Range{0.3, 10}, &D::m_b},
        {kIdT, "T", "Grabentiefe [m]", "m", Role::In, "0.5", Range{0.3, 2}, &D::m_T},
        {kIdJ, "J", "Sohlengefälle [%o]", "‰", Role::In, "2", {}, &D::m_J},
        {kIdHs, "hs", "Schwellenhöhe [m]", "m", Role::In, "0.4", Range{0.2, 2}, &D::m_hs},
        {kIdKf, "kf", "kf [m/s]", "m/s", Role::In, "1e-05", Range{1e-08, 0.01}, &D::m_kf},
        {kIdKfu, "kfu", "Faktor kfu [1]", "1", Role::In, "0.5", {}, &D::m_kfu},
        {kIdAuM, "Au_m", "Au je m [m²/m)", "m²/m", Role::In, "10", {}, &D::m_AuPerMetre},
        {kIdDatei, "Datei", "Datei", "", Role::In, file.c_str(), {}, &D::m_fileName},
        {kIdLs, "Ls", "Schwellenabstand [m]", "m", Role::In, "200", Range{10, 10000}, &D::m_Ls},
        {kIdVGenutzt, "V_genutzt", "Vgenutzt [m³]", "m³", Role::Out, "0", {}, &D::m_Vused},
        {kIdN, "n", "Häufigkeit n", "1/a", Role::In, "1", Range{0.01, 2.0}, &D::m_n},
        {kIdD, "D", "N-dauer [min]", "min", Role::In, "15", Range{0, 4320}, &D::m_D},
    };
    static const ControlDef controls[] = {
        {kIdUpdate, Ctl::Button, "Daten Versickergraben aktualisieren"},
    };
    Bind<D>(this, fields);
    BindImmersionAndAreas();
    AddControls(controls);
}

bool CInfiltrationTrenchDlg::EvaluateSections(double hs, double tE, InfiltrationSections& out, CSteps& steps)
{
    out = ComputeTrenchThresholdSections({m_b, m_m1, m_m2, hs, tE}, steps);
    return true;
}

const FormLayout& CInfiltrationTrenchDlg::Layout() const
{
    static const FormLayout layout = LayoutWith("Versickergraben",
                                                {
                                                    // The two bank slopes one under the other, so that
                                                    // every field has room for its whole number.
                                                    LabelAt("Bö-Neigung li re [1 : n]", 0, 0),
                                                    EditAt(kIdM1, 0, 1, 1, 15),
                                                    EditAt(kIdM2, 1, 1, 1, 15),
                                                },
                                                kIds, kPicture);
    return layout;
}

} // namespace dralun
