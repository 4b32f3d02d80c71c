#pragma once
// What the infiltration swale and the infiltration trench have in common: a
// section between two thresholds, its storage volume and infiltration areas
// (the geometry step), the water balance with a typed design rain or with
// the rows of a rainfall series file, the radio buttons that switch the
// modes, and the rainfall file with its duration list. The two forms add
// their cross-section (swale or trapezoid), fields, messages and layout.
#include <optional>
#include <string>
#include <utility>

#include "core/CInfiltrationBalance.h"
#include "core/CRainfallTable.h"
#include "forms/CForm.h"

namespace dralun {

class CInfiltrationForm : public CForm {
public:
    // Controls with the same id in both forms.
    enum : int {
        kIdModeSpacing = 1007,   // "Schwellenabstand [m]"
        kIdModeImmersion = 1008, // "Eintauchtiefe [m]\nobere Schwelle"
        kIdRainTyped = 1009,     // "Regenspende [l/s/ha]"
        kIdRainFromFile = 1053,  // "N aus Datei"
        kIdListDurations = 1047,
        kIdLoadFile = 1020, // "Datei laden"
    };

    // The section in longitudinal view, as the picture draws it.
    struct LongSection {
        double J = 0;     // bed slope, per mille
        double depth = 0; // depth T of the swale or trench
        double hs = 0;    // threshold height
        double Ls = 0;    // spacing of the thresholds
        double tE = 0;    // water depth at the upper threshold
        double L = 0;     // length over which the water stands
        double V = 0;     // storage volume
        bool computed = false; // false until a geometry step has gone through
    };
    LongSection Section() const;

    // What tells the two forms apart besides their shape: the ids of the
    // controls with the same role.
    struct Ids {
        int spacing;         // L_s field
        int immersion;       // t_E field
        int rain;            // rain intensity field
        int duration;        // rain duration field
        int frequency;       // frequency field
        int fileName;        // file name field
        int firstAreaRadio;  // "Asmax"; then "AsmaxR", "Asmittel", "AsmittelR", "AsEingabe"
        int defaultAreaRadio;
        int update; // "Daten ... aktualisieren"
        int width, depth, slope, threshold; // b or B, T, J, h_s: rows 2 to 5 of the shape group
        // Only shown: "unten" A, lu, b wsp, "oben" A, lu, b wsp, then V.
        int Au, luU, bU, Ao, luO, bO, V;
        int areas[5]; // the fields of the five radio buttons, in their order
        int kf, kfu;
        int AuPerMetre, Au1, Au2;
        int governingDuration, Vused, overflow;
    };
    // The ids of a form F that names them all alike (F::kIdLs, ...).
    template <class F>
    static constexpr Ids IdsOf()
    {
        return {
            F::kIdLs, F::kIdTE, F::kIdR, F::kIdD, F::kIdN, F::kIdDatei,
            F::kIdAreaAsmax, F::kIdAreaAsmittelR, F::kIdUpdate,
            F::kIdB, F::kIdT, F::kIdJ, F::kIdHs,
            F::kIdAU, F::kIdLuU, F::kIdBU, F::kIdAO, F::kIdLuO, F::kIdBO, F::kIdV,
            {F::kIdAsmax, F::kIdAsmaxR, F::kIdAsmittel, F::kIdAsmittelR, F::kIdAsEingabe},
            F::kIdKf, F::kIdKfu, F::kIdAuM, F::kIdAu1, F::kIdAu2,
            F::kIdDMass, F::kIdVGenutzt, F::kIdUeberlauf,
        };
    }
    // The messages of the geometry step that differ between the forms.
    struct Texts {
        const char* thresholdAboveDepth;
        const char* spacingNotPositive;
        const char* slopeInImmersionMode;
        const char* designOf; // "einer Versickermulde", for the method of the report
    };

    std::string Method() const override;
    std::string MethodNote() const override;
    std::vector<FormChoice> Choices() const override;
    // The volume used against the volume available: V_genutzt <= V (no
    // "Überlauf"). The geometry step alone balances nothing and has none.
    bool StatesVerdict() const override { return true; }

protected:
    CInfiltrationForm(const FormDescription& description, IMessageSink& sink, const Ids& ids, const Texts& texts);

    // The fields both forms end their field table with, alike in both: the
    // immersion depth at the upper threshold and the five infiltration
    // areas. Bound after the form's own fields.
    void BindImmersionAndAreas();

    // The default of the file name field: R3943mi.txt in the data directory.
    static std::string DefaultRainfallFile();

    // The whole form: the group `title` with the rows of the form's shape
    // first (rows 0 and 1), its width, depth, slope and threshold height
    // (rows 2 to 5), then the modes, the sections at both thresholds
    // and the update button; beside it the infiltration areas, the soil,
    // the catchment, the rain and the results; the picture below.
    static FormLayout LayoutWith(const char* title, std::vector<LayoutItem> shapeRows, const Ids& ids, int picture);

    // The water cross-sections of the form's shape at the lower threshold
    // (depth hs) and at the upper one (depth tE). Shows its own message and
    // returns false when the inputs give no cross-section. The steps of the
    // sections go into the log.
    virtual bool EvaluateSections(double hs, double tE, InfiltrationSections& out, CSteps& steps) = 0;

    void OnInitDialog() override;
    // A refused geometry completes neither the spacing nor the immersion.
    void OnRefusedWhole() override;
    // Reads the fields, checks them, works out the thresholds, the sections,
    // V and As, and writes the fields; false when a check stopped it. Its
    // steps go into the log.
    bool GeometryStep(CSteps& steps);
    void OnCompute() override; // the geometry step, then the balance
    void OnUpdateGeometry();
    void OnSpacingMode();
    void OnImmersionMode();
    void OnRainTyped();
    void OnRainFromFile();
    void OnLoadFile();
    void OnTakeDuration();

    // Inputs.
    double m_T = 0;          // depth of the swale or trench, m
    double m_J = 0;          // bed slope, per mille
    double m_hs = 0;         // threshold height, m
    double m_Ls = 0;         // threshold spacing, m
    double m_tE = 0;         // immersion depth at the upper threshold, m
    double m_kf = 0;         // permeability, m/s
    double m_kfu = 0;        // factor on kf
    double m_AuPerMetre = 0; // impervious area per metre, m²/m
    double m_Au1 = 0;        // further impervious areas, m²
    double m_Au2 = 0;
    double m_r = 0;  // rain intensity, l/(s·ha)
    double m_D = 0;  // rain duration, min
    double m_n = 0;  // frequency, 1/a
    std::string m_fileName;
    double m_AsTyped = 0; // "AsEingabe", m²
    // Results.
    double m_Au = 0, m_luU = 0, m_bU = 0; // lower threshold: area, wetted perimeter, surface width
    double m_Ao = 0, m_luO = 0, m_bO = 0; // upper threshold
    double m_V = 0;
    double m_Asmax = 0, m_AsmaxR = 0, m_Asmittel = 0, m_AsmittelR = 0;
    double m_governingDuration = 0;
    double m_Vused = 0;
    double m_overflow = 0;

private:
    // Refuses the computation (every result shows 0) and returns false.
    bool Refused(const std::string& message);
    void RefuseBalance(const std::string& message);
    // The fields of the balance: D_mass, V_genutzt, Überlauf.
    std::vector<int> BalanceFields() const;
    InfiltrationArea ChosenArea() const;

    Ids m_ids;
    Texts m_texts;
    CRainfallTable m_rain;
    // The file and frequency the rain rows were loaded for; the balance uses
    // the rows only while the form shows the same.
    std::optional<std::pair<std::string, double>> m_rainLoadedFor;
    bool EnsureRainLoaded();
    double m_L = 0;   // length over which the water stands
    double m_As = 0;  // the infiltration area in use
    bool m_computed = false;
    // What the last computation balanced: nothing (the geometry alone), the
    // typed rain or the rainfall file.
    enum class Balanced { Nothing, TypedRain, RainfallFile } m_balanced = Balanced::Nothing;
};

} // namespace dralun
