#pragma once
// Infiltration swale: a swale of width B and depth T whose bed falls with J
// and is divided by thresholds of height h_s. For one section between two
// thresholds it gives the water cross-sections at both thresholds (circular
// segment or parabola), the storage volume, five infiltration areas and the
// water balance over a typed design rain or over the rainfall series file.
#include "forms/CInfiltrationForm.h"

namespace dralun {

class CInfiltrationSwaleDlg final : public CInfiltrationForm {
public:
    static constexpr int kTemplateId = 185;
    static constexpr int kPicture = 185;
    // Control ids.
    enum : int {
        kIdB = 1000,           // "Muldenbreite [m]"
        kIdT = 1001,           // "Muldentiefe [m]"
        kIdJ = 1002,           // "Sohlengefälle [%o]"
        kIdHs = 1003,          // "Schwellenhöhe [m]"
        kIdLs = 1004,          // "Schwellenabstand [m]"
        kIdTE = 1005,          // "Eintauchtiefe [m]\nobere Schwelle"
        kIdAU = 1006,          // "A [m²]" unten
        kIdAO = 1010,          // "A [m²]" oben
        kIdLuU = 1011,         // "lu [m]" unten
        kIdLuO = 1012,         // "lu [m]" oben
        kIdBU = 1014,          // "b wsp [m]" unten
        kIdBO = 1015,          // "b wsp [m]" oben
        kIdAsmax = 1016,       // "Asmax"
        kIdV = 1017,           // "V [m³]"
        kIdKf = 1018,          // "kf [m/s]"
        kIdKfu = 1019,         // "Faktor kfu [1]"
        kIdAuM = 1030,         // "Au je m [m²/m)"
        kIdAu1 = 1031,         // "Au (1) [m²] "
        kIdAu2 = 1032,         // "Au (2) [m²]"
        kIdR = 1043,           // "Regenspende [l/s/ha]"
        kIdD = 1049,           // "N-dauer [min]"
        kIdDatei = 1050,       // "Datei"
        kIdN = 1051,           // "Häufigkeit n"
        kIdDMass = 1052,       // "(maßgebende) Nieder-\nschlagsdauer [min]"
        kIdVGenutzt = 1054,    // "Vgenutzt [m³]"
        kIdUeberlauf = 1055,   // "Überlauf [m³]"
        kIdAsmittel = 1057,    // "Asmittel"
        kIdAsmittelR = 1058,   // "AsmittelR"
        kIdAsEingabe = 1059,   // "AsEingabe"
        kIdAsmaxR = 1063,      // "AsmaxR"
        kIdModeCircle = 1069,  // "Berechnung als Kreisabschnitt"
        kIdModeParabola = 1070, // "Berechnung als Parabel"
        kIdAreaAsmax = 1071,   // the radio buttons of the infiltration area ...
        kIdAreaAsmaxR = 1072,
        kIdAreaAsmittel = 1073,
        kIdAreaAsmittelR = 1074,
        kIdAreaAsEingabe = 1075, // ... up to "AsEingabe"
        kIdUpdate = 1013,      // "Daten Versickermulde aktualisieren"
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Versickermulde", .computeButton = kIdOk, .cancelText = "Abbrechen"};
    explicit CInfiltrationSwaleDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;
    std::vector<FormChoice> Choices() const override;

private:
    void OnInitDialog() override;
    bool EvaluateSections(double hs, double tE, InfiltrationSections& out, CSteps& steps) override;

    double m_B = 0; // swale width, m
};

} // namespace dralun
