#include "forms/RunoffCoefficients.h"

#include <array>

#include "core/Format.h"

namespace dralun {

namespace {

constexpr std::array kCoefficients = {
    RunoffCoefficient{"Asphalt, fugenloser Beton", 0.9, 0.9},
    RunoffCoefficient{"Pflaster mit dichten Fugen", 0.75, 0.75},
    RunoffCoefficient{"fester Kiesbelag", 0.6, 0.6},
    RunoffCoefficient{"Pflaster mit offenen Fugen", 0.5, 0.5},
    RunoffCoefficient{"lockerer Kiesbelag, Schotterrasen", 0.3, 0.3},
    RunoffCoefficient{"Verbundsteine mit Fugen, Sickersteine", 0.25, 0.25},
    RunoffCoefficient{"Rasengittersteine", 0.15, 0.15},
    RunoffCoefficient{"Böschungen, Bankette und Gräben: toniger Boden", 0.5, 0.5},
    RunoffCoefficient{"Böschungen, Bankette und Gräben: lehmiger Sandboden", 0.4, 0.4},
    RunoffCoefficient{"Böschungen, Bankette und Gräben: Kies- und Sandboden", 0.3, 0.3},
    RunoffCoefficient{"unbefestigte Flächen (Gärten, Wiesen), flach", 0.0, 0.1},
    RunoffCoefficient{"unbefestigte Flächen (Gärten, Wiesen), steil", 0.1, 0.3},
};

// With at least one decimal and a point, as the window writes numbers: "0.0", "0.75".
std::string Psi(double value)
{
    std::string text = FormatG15(value);
    if (text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

} // namespace

std::span<const RunoffCoefficient> RunoffCoefficients() { return kCoefficients; }

const char* RunoffCoefficientSource()
{
    return "Die Richtwerte sind mittlere Abflussbeiwerte ψm nach DWA-A 138 (2005), Tabelle 2. Für einen "
           "Spitzenabfluss Q sind Spitzenabflussbeiwerte einzusetzen, die je nach Neigung und Regen größer "
           "sein können; die örtlichen Verhältnisse sind zu prüfen.";
}

std::string RunoffCoefficientText(const RunoffCoefficient& coefficient)
{
    if (!coefficient.IsRange())
        return Psi(coefficient.lo);
    return Psi(coefficient.lo) + " – " + Psi(coefficient.hi);
}

std::string RunoffCoefficientTip(const RunoffCoefficient& coefficient)
{
    if (!coefficient.IsRange())
        return "Richtwert für " + std::string(coefficient.surface);
    return "Richtwert " + RunoffCoefficientText(coefficient) + " für " + coefficient.surface +
           ": eingesetzt wird der obere Wert " + FormatG15(coefficient.Taken()) + " (sichere Seite).";
}

} // namespace dralun
