#include "generators/Rainfall.h"

#include <cmath>

#include "core/Format.h"

namespace dralun::gen {

namespace {

// Anchor of the model: the intensity of the 15-minute rain that is reached
// or exceeded once a year on average, l/(s·ha). 100 l/(s·ha) is the classic
// design value of German drainage practice for a site without own records.
constexpr double kR15n1 = 100.0;
// Shift of the duration term, min. It flattens the power law for the
// shortest rains, so that the 5-minute intensity is about 1.75 times the
// 15-minute one, as German rainfall statistics show for short rains.
constexpr double kTheta = 4.0;
// Exponent of the duration term. For long rains the intensity falls nearly
// as D^-0.75, so the depth still grows slowly (as D^0.25) up to 72 h.
constexpr double kEta = 0.75;
// Location parameter of the return-period term, in units of its scale: the
// depth of the 100-year rain is (psi + ln 100)/psi = 2.6 times that of the
// yearly rain, and the rain of n = 2 per year 0.75 times (ln 0.5 = -0.69).
constexpr double kPsi = 2.8;

// Seconds per minute, and the conversion of l/(s·ha) over one second into a
// depth in mm: 1 l on 10000 m² is 1e-4 mm.
constexpr double kSecondsPerMinute = 60.0;
constexpr double kLitresPerHectarePerMm = 10000.0;

// The rows: 7 rows of minutes, the 90-minute row, 6 rows of hours up to
// 12 h and 4 rows up to 3 days.
const RainDuration kDurations[] = {
    {5, "min", 5},   {10, "min", 10},  {15, "min", 15},   {20, "min", 20},   {30, "min", 30},   {45, "min", 45},
    {60, "min", 60}, {90, "min", 90},  {2, "h", 120},     {3, "h", 180},     {4, "h", 240},     {6, "h", 360},
    {9, "h", 540},   {12, "h", 720},   {18, "h", 1080},   {24, "h", 1440},   {48, "h", 2880},   {72, "h", 4320},
};

// The frequency columns, n per year (return periods 0.5 to 100 years).
const double kFrequencies[] = {2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01};

// Each frequency takes 14 characters: " %6.1f %6.1f" (depth, intensity).
std::string Row(const RainDuration& d)
{
    std::string line = Format("%4d %-3s %5d", d.value, d.unit, d.minutes);
    for (double n : kFrequencies)
        line += Format(" %6.1f %6.1f", RainDepth(d.minutes, 1 / n), RainIntensity(d.minutes, 1 / n));
    return line + "\n";
}

} // namespace

double RainIntensity(double D, double T)
{
    return kR15n1 * (kPsi + std::log(T)) / kPsi * std::pow((1 + 15 / kTheta) / (1 + D / kTheta), kEta);
}

double RainDepth(double D, double T)
{
    return RainIntensity(D, T) * D * kSecondsPerMinute / kLitresPerHectarePerMm;
}

std::vector<RainDuration> RainDurations() { return {std::begin(kDurations), std::end(kDurations)}; }

std::vector<double> RainFrequencies() { return {std::begin(kFrequencies), std::end(kFrequencies)}; }

std::string RainfallFileText()
{
    // Nine lines of header; the reader skips them.
    std::string text;
    text += "Regenreihe R3943MI - Niederschlagshoehen hN [mm] und Regenspenden rN [l/(s*ha)]\n";
    text += "Synthetische Reihe fuer einen Flachlandstandort in Mitteldeutschland, keine Messreihe\n";
    text += "Modell: rN(D,T) = r15,1 * (psi + ln T)/psi * ((1 + 15/theta)/(1 + D/theta))^eta, T = 1/n [a]\n";
    text += Format("r15,1 = %g l/(s*ha), theta = %g min, eta = %g, psi = %g; hN = rN * D * 60 / 10000\n", kR15n1,
                   kTheta, kEta, kPsi);
    text += "Spalten: Dauer, Einheit, D [min], dann je Haeufigkeit n [1/a]: hN [mm] und rN [l/(s*ha)]\n";
    text += "\n";
    std::string heads = "              ";
    std::string units = "Dauer   D[min]";
    for (double n : kFrequencies) {
        heads += Format("%14s", Format("n = %g", n).c_str());
        units += "     hN     rN";
    }
    text += heads + "\n" + units + "\n";
    text += std::string(126, '-') + "\n";

    // Rows 1 to 7, a skipped line, row 8, rows 9 to 14, a skipped line, rows 15 to 18.
    for (int i = 0; i < 18; ++i) {
        if (i == 7)
            text += "(Dauerstufen ueber 1 h)\n";
        if (i == 14)
            text += "(Dauerstufen ueber 12 h)\n";
        text += Row(kDurations[i]);
    }
    return text;
}

} // namespace dralun::gen
