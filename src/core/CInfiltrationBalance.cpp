#include "core/CInfiltrationBalance.h"

#include <array>
#include <cmath>
#include <string>

#include "core/CRainfallTable.h"
#include "core/Finite.h"
#include "core/Format.h"

namespace dralun {

namespace {

void ReachSteps(const InfiltrationThresholdInput& in, const InfiltrationThresholds& t, CSteps& steps)
{
    const double J = in.J, Ls = in.Ls;
    steps.Let("J", J);
    steps.Let("hs", in.hs);
    if (in.mode == InfiltrationMode::Spacing)
        steps.Let("Ls", Ls);
    else
        steps.Let("tE", in.tE);
    if (J == 0)
        steps.Step("Reichweite des Rückstaus (ebene Sohle: der ganze Schwellenabstand)", "L_max", "Ls", t.Lmax, "m");
    else
        steps.Step("Reichweite des Rückstaus hinter der unteren Schwelle", "L_max", "hs / (J / 1000)", t.Lmax, "m");
    if (in.mode == InfiltrationMode::Immersion)
        steps.Step("Schwellenabstand aus der Eintauchtiefe", "Ls", "(hs - tE) / (J / 1000)", t.Ls, "m");
    else if (J == 0)
        steps.Step("Eintauchtiefe an der oberen Schwelle (ebene Sohle)", "tE", "hs", t.tE, "m");
    else if (Ls < t.Lmax)
        steps.Step("Eintauchtiefe an der oberen Schwelle (L_s < L_max)", "tE", "hs - (J / 1000) * Ls", t.tE, "m");
    else
        steps.Taken("Eintauchtiefe an der oberen Schwelle (L_s ≥ L_max: der Rückstau endet vor ihr)", "tE", t.tE,
                    "m");
}

void StoreSteps(const InfiltrationStorageInput& in, const InfiltrationStorage& st, CSteps& steps)
{
    const InfiltrationThresholds& t = in.thresholds;
    const InfiltrationSections& s = in.sections;
    const double hs = in.hs;
    steps.Let("Ls", t.Ls);
    steps.Let("L_max", t.Lmax);
    steps.Let("hs", hs);
    steps.Let("tE", t.tE);
    steps.Let("A_u", s.Au);
    steps.Let("A_o", s.Ao);
    steps.Let("b_u", s.bU);
    steps.Let("b_o", s.bO);
    if (t.Ls > t.Lmax)
        steps.Step("Eingestaute Länge (L_s > L_max: bis zum Ende des Rückstaus)", "L", "L_max", st.L, "m");
    else
        steps.Step("Eingestaute Länge (L_s ≤ L_max: der ganze Schwellenabstand)", "L", "Ls", st.L, "m");
    if (s.Ao > 0)
        steps.Step("Speichervolumen (Stumpf zwischen beiden Querschnitten)", "V", "(L / 3) * (A_u + A_o + sqrt(A_u * A_o))",
                   st.V, "m³");
    else
        steps.Step("Speichervolumen (Keil: an der oberen Schwelle kein Wasser)", "V", "(A_u + A_o) * L * 0.5", st.V,
                   "m³");
    steps.Step("Versickerungsfläche aus der mittleren Wasserspiegelbreite", "Asmax", "(b_u + b_o) * L * 0.5", st.Asmax,
               "m²");
    steps.Step("Versickerungsfläche, die Hälfte davon", "Asmittel", "Asmax * 0.5", st.Asmittel, "m²");
    if (t.tE > 0)
        steps.Step("Versickerungsfläche mit den benetzten Schwellenflächen h_s und t_E", "AsmaxR",
                   "(b_u + hs + b_o + tE) * L * 0.5", st.AsmaxR, "m²");
    else
        steps.Step("Versickerungsfläche mit der benetzten Fläche der unteren Schwelle (t_E = 0)", "AsmaxR",
                   "(b_u + hs + b_o + 0) * L * 0.5", st.AsmaxR, "m²");
    steps.Step("Versickerungsfläche mit Schwellenflächen, die Hälfte davon", "AsmittelR", "AsmaxR * 0.5", st.AsmittelR,
               "m²");
}

void CatchmentLets(const InfiltrationCatchment& c, double V, CSteps& steps)
{
    steps.Let("kf", c.kf);
    steps.Let("kfu", c.kfu);
    steps.Let("As", c.As);
    steps.Let("Ls", c.Ls);
    steps.Let("Au_m", c.AuPerMetre);
    steps.Let("Au1", c.Au1);
    steps.Let("Au2", c.Au2);
    steps.Let("V", V);
    steps.Step("Versickerungsrate", "Qs", "kf * kfu * As", c.kf * c.kfu * c.As, "m³/s");
}

// The overflow shows as the negative volume that the section cannot hold.
void OverflowStep(double V, double needed, double overflow, bool anyNeeded, CSteps& steps)
{
    if (!anyNeeded) {
        if (V <= 0)
            steps.Step("Überlauf (keine Dauerstufe braucht Speicher, V ≤ 0)", "Überlauf", "V", overflow, "m³");
        else
            steps.Taken("Überlauf (keine Dauerstufe braucht Speicher: keiner)", "Überlauf", overflow, "m³");
    } else if (V - needed <= 0) {
        steps.Step("Überlauf (V − V_genutzt ≤ 0)", "Überlauf", "V - V_genutzt", overflow, "m³");
    } else {
        steps.Taken("Überlauf (V − V_genutzt > 0: keiner)", "Überlauf", overflow, "m³");
    }
}

std::string Number(double value) { return std::isfinite(value) ? Format("%.15g", value) : "nicht bestimmbar"; }
std::string Volume(double value) { return std::isfinite(value) ? Format("%.6g", value) : "nicht bestimmbar"; }

// Row i of the table as the report lists it: the rain read and the storage it needs.
std::string RowText(const CRainfallTable& table, int i, double needed, bool governing)
{
    const CRainfallTable::Row& row = table.RowAt(i);
    const CRainfallTable::Rain rain = table.RainOfRow(i);
    if (row.line == 0)
        return Format("Dauerstufe %d: nicht in der Datei, zählt mit D = 0 und r = 0", i);
    std::string duration = row.unitText == "min" ? row.durationText + " min"
                                                 : Format("%s %s = %s min", row.durationText.c_str(),
                                                          row.unitText.c_str(), Number(rain.durationMinutes).c_str());
    return Format("Dauerstufe %d, Zeile %d: D = %s, r = %s l/(s·ha), V_erf = %s m³%s", i, row.line, duration.c_str(),
                  Number(rain.intensity).c_str(), Volume(needed).c_str(), governing ? " (maßgebend)" : "");
}

} // namespace

InfiltrationThresholds ComputeInfiltrationThresholds(const InfiltrationThresholdInput& in, CSteps& steps)
{
    const double J = in.J, hs = in.hs, Ls = in.Ls, tE = in.tE;
    InfiltrationThresholds result{InfiltrationThresholdStatus::Ok, Ls, tE, 0};
    auto refused = [&](InfiltrationThresholdStatus status) {
        return InfiltrationThresholds{status, Ls, tE, result.Lmax};
    };
    // On a level bed the water stands h_s deep over the whole spacing.
    if (J == 0) {
        result.Lmax = Ls;
        result.tE = hs;
    } else {
        result.Lmax = hs / (J / 1000);
    }

    if (in.mode == InfiltrationMode::Spacing) {
        if (in.refuseFallingSlope && J < 0)
            return refused(InfiltrationThresholdStatus::FallingSlopeInSpacingMode);
        if (Ls < result.Lmax)
            result.tE = hs - (J / 1000) * Ls; // the water reaches the upper threshold
        else if (J != 0)
            result.tE = 0; // it ends on the bed before it
    } else {
        if (J <= 0)
            return refused(InfiltrationThresholdStatus::SlopeInImmersionMode);
        if (tE < 0)
            return refused(InfiltrationThresholdStatus::ImmersionNegative);
        if (tE >= hs)
            return refused(InfiltrationThresholdStatus::ImmersionNotBelowThreshold);
        result.Ls = (hs - tE) / (J / 1000);
    }
    if (steps.Recording() && AllFinite({result.Ls, result.tE, result.Lmax}))
        ReachSteps(in, result, steps);
    return result;
}

InfiltrationStorage ComputeInfiltrationStorage(const InfiltrationStorageInput& in, CSteps& steps)
{
    const InfiltrationThresholds& thresholds = in.thresholds;
    const InfiltrationSections& s = in.sections;
    const double hs = in.hs;
    InfiltrationStorage result;
    result.L = thresholds.Ls;
    if (thresholds.Ls > thresholds.Lmax)
        result.L = thresholds.Lmax;
    const double L = result.L;

    if (s.Ao > 0)
        result.V = (L / 3) * (s.Au + s.Ao + std::sqrt(s.Au * s.Ao)); // frustum between the two sections
    else
        result.V = (s.Au + s.Ao) * L * 0.5; // wedge

    // The wetted faces of the thresholds count in the areas marked R.
    const double tEWetted = thresholds.tE > 0 ? thresholds.tE : 0.0;
    result.Asmax = (s.bU + s.bO) * L * 0.5;
    result.Asmittel = result.Asmax * 0.5;
    result.AsmaxR = (s.bU + hs + s.bO + tEWetted) * L * 0.5;
    result.AsmittelR = result.AsmaxR * 0.5;
    if (steps.Recording() &&
        AllFinite({result.L, result.V, result.Asmax, result.Asmittel, result.AsmaxR, result.AsmittelR}))
        StoreSteps(in, result, steps);
    return result;
}

double ChooseInfiltrationArea(const InfiltrationStorage& storage, InfiltrationArea area, double typed, CSteps& steps)
{
    struct Choice {
        const char* symbol;
        double value;
    };
    const Choice choices[] = {{"Asmax", storage.Asmax},
                              {"AsmaxR", storage.AsmaxR},
                              {"Asmittel", storage.Asmittel},
                              {"AsmittelR", storage.AsmittelR}};
    if (area == InfiltrationArea::None)
        return steps.Taken("Versickerungsfläche der Bilanz (keine gewählt)", "As", 0, "m²");
    if (area == InfiltrationArea::Typed) {
        steps.Let("AsEingabe", typed);
        return std::isfinite(typed) ? steps.Step("Versickerungsfläche der Bilanz (eingegeben)", "As", "AsEingabe",
                                                 typed, "m²")
                                    : typed;
    }
    const Choice& c = choices[static_cast<int>(area)];
    if (!std::isfinite(c.value))
        return c.value;
    return steps.Step(std::string("Versickerungsfläche der Bilanz (gewählt: ") + c.symbol + ")", "As", c.symbol,
                      c.value, "m²");
}

namespace {

InfiltrationBalanceResult WithTypedRain(const InfiltrationCatchment& c, double V, double r, double D, CSteps& steps)
{
    const double Qs = c.kf * c.kfu * c.As; // m³/s
    // r/10000 is l/(s·m²); the catchment of one section uses the spacing L_s.
    const double inflow = (r / 10000 * (c.Ls * c.AuPerMetre) + r / 10000 * (c.Au1 + c.Au2)) / 1000 * D * 60;
    const double seeped = Qs * D * 60;
    InfiltrationBalanceResult result;
    result.Vused = inflow - seeped;
    result.overflow = V - result.Vused <= 0 ? V - result.Vused : 0.0;
    result.governingDuration = D;

    if (!steps.Recording() || !AllFinite({inflow, seeped, result.Vused, result.overflow, D}))
        return result;
    CatchmentLets(c, V, steps);
    steps.Let("r", r);
    steps.Let("D", D);
    steps.Step("Zufluss aus dem Einzugsgebiet während der Regendauer", "V_zu",
               "(r / 10000 * (Ls * Au_m) + r / 10000 * (Au1 + Au2)) / 1000 * D * 60", inflow, "m³");
    steps.Step("Versickerung während der Regendauer", "V_s", "Qs * D * 60", seeped, "m³");
    steps.Step("Genutztes Speichervolumen (Zufluss − Versickerung)", "V_genutzt", "V_zu - V_s", result.Vused, "m³");
    OverflowStep(V, result.Vused, result.overflow, true, steps);
    steps.Step("Maßgebende Niederschlagsdauer (die eingegebene)", "D_mass", "D", result.governingDuration, "min");
    return result;
}

InfiltrationBalanceResult WithRainfallTable(const InfiltrationCatchment& c, double V, const CRainfallTable& table,
                                            CSteps& steps)
{
    const double Qs = c.kf * c.kfu * c.As;
    std::array<double, CRainfallTable::kRows> needed{}, inflows{}, seepage{}, rates{};
    double best = 0;
    int chosen = 1;
    for (int i = 1; i <= CRainfallTable::kRows; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        const CRainfallTable::Rain rain = table.RainOfRow(i);
        rates[k] = rain.intensity / 10000 / 1000; // m³/(s·m²)
        inflows[k] = (c.Ls * c.AuPerMetre * rates[k] + (c.Au1 + c.Au2) * rates[k]) * rain.durationMinutes * 60;
        seepage[k] = Qs * rain.durationMinutes * 60;
        needed[k] = inflows[k] - seepage[k];
        if (needed[k] > best) {
            best = needed[k];
            chosen = i;
        }
    }
    const size_t g = static_cast<size_t>(chosen - 1);
    InfiltrationBalanceResult result;
    result.Vused = needed[g];
    result.overflow = V - best <= 0 ? V - best : 0.0;
    result.governingDuration = table.RainOfRow(chosen).durationMinutes;

    if (!steps.Recording() ||
        !AllFinite({rates[g], inflows[g], seepage[g], result.Vused, result.overflow, result.governingDuration}))
        return result;
    CatchmentLets(c, V, steps);
    const DataFileUse& file = table.Stamp();
    if (!file.name.empty()) {
        steps.UseFile(file);
        for (int i = 1; i <= CRainfallTable::kRows; ++i)
            steps.UseRow(file.name, RowText(table, i, needed[static_cast<size_t>(i - 1)], i == chosen));
    }
    const bool anyNeeded = best > 0;
    std::string governing;
    if (file.name.empty())
        governing = "keine Regenreihe geladen: alle Dauerstufen zählen mit 0";
    else
        governing = Format("Dauerstufe %d, %s", chosen,
                           table.RowAt(chosen).line ? Format("%s Zeile %d", file.name.c_str(), table.RowAt(chosen).line).c_str()
                                                    : "nicht in der Datei") +
                    (anyNeeded ? ", mit dem größten erforderlichen Speichervolumen"
                               : ", die erste, da keine Dauerstufe Speicher braucht");
    steps.Taken("Maßgebende Niederschlagsdauer (" + governing + ")", "D_mass", result.governingDuration, "min");
    steps.Taken(Format("Regenspende der maßgebenden Dauerstufe (Spalte %d der Häufigkeiten)", table.Column()), "r_D",
                table.RainOfRow(chosen).intensity, "l/(s·ha)");
    steps.Step("Regenspende je m² in m³/(s·m²)", "q", "r_D / 10000 / 1000", rates[g], "m³/(s·m²)");
    steps.Step("Zufluss aus dem Einzugsgebiet während der maßgebenden Dauer", "V_zu",
               "(Ls * Au_m * q + (Au1 + Au2) * q) * D_mass * 60", inflows[g], "m³");
    steps.Step("Versickerung während der maßgebenden Dauer", "V_s", "Qs * D_mass * 60", seepage[g], "m³");
    steps.Step("Genutztes Speichervolumen (Zufluss − Versickerung)", "V_genutzt", "V_zu - V_s", result.Vused, "m³");
    OverflowStep(V, best, result.overflow, anyNeeded, steps);
    return result;
}

} // namespace

InfiltrationBalanceResult ComputeInfiltrationBalance(const InfiltrationBalanceInput& in, CSteps& steps)
{
    InfiltrationBalanceResult result = in.table ? WithRainfallTable(in.catchment, in.V, *in.table, steps)
                                                : WithTypedRain(in.catchment, in.V, in.r, in.D, steps);
    if (!AllFinite({result.Vused, result.overflow, result.governingDuration}))
        result.status = InfiltrationBalanceStatus::NotDeterminable;
    return result;
}

} // namespace dralun
