#pragma once
// Infiltration trench: the infiltration swale's calculation for a
// trapezoidal ditch of bottom width b, bank slopes 1 : m1 and 1 : m2 and
// depth T, divided by thresholds of height h_s.
#include "forms/CInfiltrationForm.h"

namespace dralun {

class CInfiltrationTrenchDlg final : public CInfiltrationForm {
public:
    static constexpr int kTemplateId = 104;
    static constexpr int kPicture = 104;
    // Control ids.
    enum : int {
        kIdM1 = 1000,          // "Bö-Neigung li re [1 : n]" links
        kIdM2 = 1001,          // "Bö-Neigung li re [1 : n]" rechts
        kIdB = 1002,           // "Sohlenbreite [m]"
        kIdT = 1003,           // "Grabentiefe [m]"
        kIdJ = 1004,           // "Sohlengefälle [%o]"
        kIdHs = 1005,          // "Schwellenhöhe [m]"
        kIdKf = 1006,          // "kf [m/s]"
        kIdKfu = 1013,         // "Faktor kfu [1]"
        kIdAuM = 1014,         // "Au je m [m²/m)"
        kIdAu1 = 1015,         // "Au (1) [m²] "
        kIdAu2 = 1016,         // "Au (2) [m²]"
        kIdN = 1018,           // "Häufigkeit n"
        kIdAU = 1019,          // "A [m²]" unten
        kIdAsmax = 1021,       // "Asmax"
        kIdAsmaxR = 1022,      // "AsmaxR"
        kIdAsmittel = 1023,    // "Asmittel"
        kIdAsmittelR = 1024,   // "AsmittelR"
        kIdAO = 1030,          // "A [m²]" oben
        kIdLuU = 1031,         // "lu [m]" unten
        kIdLuO = 1032,         // "lu [m]" oben
        kIdAsEingabe = 1033,   // "AsEingabe"
        kIdBU = 1043,          // "b wsp [m]" unten
        kIdBO = 1049,          // "b wsp [m]" oben
        kIdV = 1050,           // "V [m³]"
        kIdLs = 1051,          // "Schwellenabstand [m]"
        kIdTE = 1052,          // "Eintauchtiefe [m]\nobere Schwelle"
        kIdR = 1054,           // "Regenspende [l/s/ha]"
        kIdDatei = 1055,       // "Datei"
        kIdDMass = 1057,       // "(maßgebende) Nieder-\nschlagsdauer [min]"
        kIdVGenutzt = 1058,    // "Vgenutzt [m³]"
        kIdUeberlauf = 1059,   // "Überlauf [m³]"
        kIdD = 1063,           // "N-dauer [min]"
        kIdAreaAsmax = 1069,   // the radio buttons of the infiltration area ...
        kIdAreaAsmaxR = 1070,
        kIdAreaAsmittel = 1071,
        kIdAreaAsmittelR = 1072,
        kIdAreaAsEingabe = 1073, // ... up to "AsEingabe"
        kIdUpdate = 1012,      // "Daten Versickergraben aktualisieren"
    };

    // Title, standard buttons and discharge field.
    static constexpr FormDescription kDescription{
        .templateId = kTemplateId, .title = "Versickergraben", .computeButton = kIdOk, .cancelText = "Abbrechen"};
    explicit CInfiltrationTrenchDlg(IMessageSink& sink);
    const FormLayout& Layout() const override;

private:
    bool EvaluateSections(double hs, double tE, InfiltrationSections& out, CSteps& steps) override;

    double m_m1 = 0; // left bank slope 1 : m1
    double m_m2 = 0; // right bank slope 1 : m2
    double m_b = 0;  // bottom width, m
};

} // namespace dralun
