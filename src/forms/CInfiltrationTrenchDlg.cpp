#include "forms/CInfiltrationTrenchDlg.h"

#include <string>

#include "core/CInfiltrationSections.h"

namespace dralun {

namespace {

constexpr int kFirstAreaRadio = 1069; // "Asmax" ... "AsEingabe" = 1073
constexpr int kAsmittelR = 1072;

// A bed that rises in the direction of flow is refused in spacing mode as
// in the swale: the retained water would reach upstream over a negative
// length, and so would V and the infiltration areas.
const CInfiltrationForm::Texts kTexts = {
    "unzulässige Eingabe!\n\nSchwellenhöhe kann nicht <= 0 sein.",
    "unzulässige Eingabe!\n\nSchwellenhöhe ist größer Grabenhöhe.",
    "ungültige Eingabe!\n\nSchwellenabstand kann nicht <= 0 sein.",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl des Schwellenabstands\nnicht < 0 sein.",
    "unzulässige Eingabe!\n\nDie Sohlenneigung darf bei der Anwahl der Eintauchtiefe\nnicht kleiner/gleich 0 sein.",
    "eines Versickergrabens",
};

} // namespace

CInfiltrationTrenchDlg::CInfiltrationTrenchDlg(IMessageSink& sink)
    : CInfiltrationForm(kTemplateId, sink,
                        Ids{1051, 1052, 1054, 1063, 1018, 1055, kFirstAreaRadio, kAsmittelR, kUpdate}, kTexts)
{
    using D = CInfiltrationTrenchDlg;
    const std::string file = DefaultRainfallFile();
    // In the order the fields are exchanged.
    const Field<D> fields[] = {
        // id   name  label                                  unit      role       default range
        {1000, "m1", "Bö-Neigung li re [1 : n]", "1", Role::In, "1.5", Range{1, 10}, &D::m_m1},
        {1001, "m2", "Bö-Neigung li re [1 : n]", "1", Role::In, "1.5", Range{1, 10}, &D::m_m2},
        {1015, "Au1", "Au (1) [m²] ", "m²", Role::In, "0", {}, &D::m_Au1},
        {1016, "Au2", "Au (2) [m²]", "m²", Role::In, "0", {}, &D::m_Au2},
        {1019, "A_u", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Au},
        {1030, "A_o", "A [m²]", "m²", Role::Out, "0", {}, &D::m_Ao},
        {1031, "lu_u", "lu [m]", "m", Role::Out, "0", {}, &D::m_luU},
        {1032, "lu_o", "lu [m]", "m", Role::Out, "0", {}, &D::m_luO},
        {1043, "b_u", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bU},
        {1049, "b_o", "b wsp [m]", "m", Role::Out, "0", {}, &D::m_bO},
        {1050, "V", "V [m³]", "m³", Role::Out, "0", {}, &D::m_V},
        {1054, "r", "Regenspende [l/s/ha]", "l/(s·ha)", Role::In, "100", {}, &D::m_r},
        {1057, "D_mass", "(maßgebende) Nieder-\nschlagsdauer [min]", "min", Role::Out, "0", {},
         &D::m_governingDuration},
        {1059, "Ueberlauf", "Überlauf [m³]", "m³", Role::Out, "0", {}, &D::m_overflow},
        {1002, "b", "Sohlenbreite [m]", "m", Role::In, "0.5", Range{0.3, 10}, &D::m_b},
        {1003, "T", "Grabentiefe [m]", "m", Role::In, "0.5", Range{0.3, 2}, &D::m_T},
        {1004, "J", "Sohlengefälle [%o]", "‰", Role::In, "2", {}, &D::m_J},
        {1005, "hs", "Schwellenhöhe [m]", "m", Role::In, "0.4", Range{0.2, 2}, &D::m_hs},
        {1006, "kf", "kf [m/s]", "m/s", Role::In, "1e-05", Range{1e-08, 0.01}, &D::m_kf},
        {1013, "kfu", "Faktor kfu [1]", "1", Role::In, "0.5", {}, &D::m_kfu},
        {1014, "Au_m", "Au je m [m²/m)", "m²/m", Role::In, "10", {}, &D::m_AuPerMetre},
        {1055, "Datei", "Datei", "", Role::In, file.c_str(), {}, &D::m_fileName},
        {1051, "Ls", "Schwellenabstand [m]", "m", Role::In, "200", Range{10, 10000}, &D::m_Ls},
        {1058, "V_genutzt", "Vgenutzt [m³]", "m³", Role::Out, "0", {}, &D::m_Vused},
        {1018, "n", "Häufigkeit n", "1/a", Role::In, "1", Range{0.01, 2.0}, &D::m_n},
        {1063, "D", "N-dauer [min]", "min", Role::In, "15", Range{0, 4320}, &D::m_D},
        {1052, "tE", "Eintauchtiefe [m]\nobere Schwelle", "m", Role::In, "0", {}, &D::m_tE},
        {1021, "Asmax", "Asmax", "m²", Role::Out, "0", {}, &D::m_Asmax},
        {1022, "AsmaxR", "AsmaxR", "m²", Role::Out, "0", {}, &D::m_AsmaxR},
        {1023, "Asmittel", "Asmittel", "m²", Role::Out, "0", {}, &D::m_Asmittel},
        {1024, "AsmittelR", "AsmittelR", "m²", Role::Out, "0", {}, &D::m_AsmittelR},
        {1033, "AsEingabe", "AsEingabe", "m²", Role::In, "0", {}, &D::m_AsTyped},
    };
    static const ControlDef controls[] = {
        {kUpdate, Ctl::Button, "Daten Versickergraben aktualisieren"},
    };
    Bind<D>(this, fields);
    AddControls(controls);
}

bool CInfiltrationTrenchDlg::EvaluateSections(double hs, double tE, CInfiltrationBalance::Sections& out, CSteps& steps)
{
    out = ComputeTrenchThresholdSections({m_b, m_m1, m_m2, hs, tE}, steps);
    return true;
}

const FormLayout& CInfiltrationTrenchDlg::Layout() const
{
    static const FormLayout layout = {
        GroupAt("Versickergraben", 0, 0, 3, 1,
                WithSectionRows(
                    {
                    // The two bank slopes one under the other, so that every
                    // field has room for its whole number.
                    LabelAt("Bö-Neigung li re [1 : n]", 0, 0),
                    EditAt(1000, 0, 1, 1, 15),
                    EditAt(1001, 1, 1, 1, 15),
                    FieldAt(1002, 2, 0, 15),
                    FieldAt(1003, 3, 0, 15),
                    FieldAt(1004, 4, 0, 15),
                    FieldAt(1005, 5, 0, 15),
                    ControlAt(kSpacingMode, 6, 0),
                    EditAt(1051, 6, 1, 1, 15),
                    ControlAt(kImmersionMode, 7, 0),
                    EditAt(1052, 7, 1, 1, 15),
                    StretchAt(17, 0),
                    ControlAt(kUpdate, 18, 0, 1, 2),
                    },
                    8, {1019, 1031, 1043, 1030, 1032, 1049, 1050})),
        GroupAt("Versickerungsfläche As", 0, 1, 1, 1,
                {
                    ControlAt(1069, 0, 0), EditAt(1021, 0, 1, 1, 15),
                    ControlAt(1070, 1, 0), EditAt(1022, 1, 1, 1, 15),
                    ControlAt(1071, 2, 0), EditAt(1023, 2, 1, 1, 15),
                    ControlAt(1072, 3, 0), EditAt(1024, 3, 1, 1, 15),
                    ControlAt(1073, 4, 0), EditAt(1033, 4, 1, 1, 10),
                }),
        GroupAt("Boden", 1, 1, 1, 1, {FieldAt(1006, 0, 0, 10), FieldAt(1013, 1, 0, 10)}),
        GroupAt("Einzugsgebiet", 2, 1, 1, 1,
                {FieldAt(1014, 0, 0, 10), FieldAt(1015, 1, 0, 10), FieldAt(1016, 2, 0, 10)}),
        GroupAt("Niederschlag", 0, 2, 2, 1,
                {
                    ControlAt(kRainTyped, 0, 0), EditAt(1054, 0, 1, 1, 10),
                    LabelAt("N-dauer [min]", 1, 0), EditAt(1063, 1, 1, 1, 10),
                    ControlAt(kDurationList, 2, 1),
                    ControlAt(kRainFromFile, 3, 0, 1, 2),
                    GroupAt("Datei", 4, 0, 1, 2,
                            {
                                EditAt(1055, 0, 0, 2, 30),
                                FieldAt(1018, 1, 0, 10),
                                ControlAt(kLoadFile, 2, 1),
                            }),
                }),
        GroupAt("Ergebnisse", 2, 2, 1, 1, {FieldAt(1057, 0, 0, 15), FieldAt(1058, 1, 0, 15), FieldAt(1059, 2, 0, 15)}),
        PictureAt(kPictureId, 3, 0, 1, 4),
        ButtonColumn(0, 3, 3, {kIdOk, kIdCancel}),
    };
    return layout;
}

} // namespace dralun
