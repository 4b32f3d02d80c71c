#include "core/CPipeFlow.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/Constants.h"
#include "core/Format.h"

namespace dralun {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Prandtl-Colebrook for the full circular pipe of inner diameter D (m) at
// the slope J (m/m) and the roughness kb (mm), evaluated in this order:
// v = -2 log10(2.51 nu / (D sqrt(2 g D J)) + kb / (3.71 D)) sqrt(2 g D J).
struct FullPipe {
    double s;  // sqrt(2 g D J), m/s
    double x;  // argument of the logarithm, -
    double vv; // full-flow velocity, m/s
    double Qv; // full-flow discharge, l/s
};

FullPipe FullPipeFlow(double D, double J, double kb)
{
    FullPipe f{};
    f.s = std::sqrt(2 * kG * D * J);
    f.x = kNu * 2.51 / D / f.s + kb * 0.001 / 3.71 / D;
    f.vv = -2.0 * std::log10(f.x) * f.s;
    f.Qv = kPi * f.vv * D * D * 0.25 * 1000;
    return f;
}

// Text right-aligned in width characters, as printf pads it.
std::string Padded(int width, std::string_view text)
{
    std::string out;
    if (static_cast<int>(text.size()) < width)
        out.assign(static_cast<size_t>(width) - text.size(), ' ');
    out.append(text);
    return out;
}

// "%<width>d".
std::string IntegerText(int width, int value)
{
    char text[16];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return Padded(width, std::string_view(text, static_cast<size_t>(end - text)));
}

std::string LineOf(int line) { return line > 0 ? Format("Zeile %d: ", line) : std::string(); }

// Rows i and i + 1 of the part-filling table in the report.
void UseTableRows(const PipeTables& t, int i, CSteps& steps)
{
    if (!steps.Recording())
        return;
    const std::string name = t.tableFile ? t.tableFile->name : "A110KR.ASC";
    if (t.tableFile)
        steps.UseFile(*t.tableFile);
    for (int k : {i, i + 1})
        steps.UseRow(name, LineOf(t.rowLine[k]) + Format("Tabellenzeile %d: Q/Qv = %.15g, v/vv = %.15g, h/D = %.15g",
                                                          k, t.fillRatio[k], t.velocityRatio[k], t.depthRatio[k]));
    const std::string row1 = Format(" der Tabellenzeile i = %d (%s)", i, name.c_str());
    const std::string row2 = Format(" der Tabellenzeile i + 1 = %d (%s)", i + 1, name.c_str());
    steps.Taken("Q/Qv" + row1, "QQv_1", t.fillRatio[i], "-");
    steps.Taken("Q/Qv" + row2, "QQv_2", t.fillRatio[i + 1], "-");
    steps.Taken("v/vv" + row1, "vvv_1", t.velocityRatio[i], "-");
    steps.Taken("v/vv" + row2, "vvv_2", t.velocityRatio[i + 1], "-");
    steps.Taken("h/D" + row1, "hD_1", t.depthRatio[i], "-");
    steps.Taken("h/D" + row2, "hD_2", t.depthRatio[i + 1], "-");
    steps.Step("Schrittweite Q/Qv der Tabelle", "dQQv", "QQv_2 - QQv_1", t.fillRatio[i + 1] - t.fillRatio[i], "-");
}

} // namespace

// A list value, or "-" in the same width where it cannot be determined.
std::string FormatDeterminable(int width, int decimals, double value)
{
    if (!std::isfinite(value))
        return Padded(width, "-");
    return FormatFixed(width, decimals, value);
}

void UsePipeDiameterRow(const PipeTables& t, double DN, CSteps& steps)
{
    if (!steps.Recording() || !t.diameterFile)
        return;
    steps.UseFile(*t.diameterFile);
    for (int k = 1; k <= t.diameterCount; ++k)
        if (t.diameters[k] == DN) {
            steps.UseRow(t.diameterFile->name, LineOf(t.diameterLine[k]) + Format("DN %d", t.diameters[k]));
            return;
        }
}

PipeFullFlow ComputePipeFullFlow(double D, double J, double kb, CSteps& steps)
{
    const auto [s, x, vv, Qv] = FullPipeFlow(D, J, kb);
    if (!steps.Recording() || !std::isfinite(vv) || !std::isfinite(Qv))
        return {vv, Qv};
    steps.Step("Wurzelglied √(2 · g · D · J)", "s", "sqrt(2 * g * D * J)", s, "m/s");
    steps.Step("Argument des Logarithmus nach Prandtl-Colebrook", "x", "nu * 2.51 / D / s + kb * 0.001 / 3.71 / D", x,
               "-");
    steps.Step("Fließgeschwindigkeit bei Vollfüllung nach Prandtl-Colebrook", "vv", "-2 * log10(x) * s", vv, "m/s");
    steps.Step("Leistungsfähigkeit bei Vollfüllung", "Qv", "pi * vv * D * D * 0.25 * 1000", Qv, "l/s");
    return {vv, Qv};
}

PipePartFilling ComputePipePartFilling(const PipeTables& t, const PipePartFillingInput& in, CSteps& steps)
{
    PipePartFilling r{kNaN, kNaN, kNaN};
    if (in.Qt >= in.Qv) {
        r.vt = in.vv;
        r.DrH = 0;
        if (std::isfinite(r.vt)) {
            steps.Step("Fließgeschwindigkeit (Qt = Qv: Vollfüllung)", "vt", "vv", r.vt, "m/s");
            steps.Taken("Fülltiefe (bei Vollfüllung nicht ausgewiesen)", "DrH", r.DrH, "m");
        }
        return r;
    }
    r.ratio = in.Qt / in.Qv;
    if (std::isfinite(r.ratio))
        steps.Step("Füllungsgrad", "QQv", "Qt / Qv", r.ratio, "-");
    if (r.ratio < 0.01) {
        r.vt = 0;
        r.DrH = 0;
        steps.Taken("Fließgeschwindigkeit bei Teilfüllung (Q/Qv < 0,01: unter der ersten Tabellenzeile)", "vt", r.vt,
                    "m/s");
        steps.Taken("Fülltiefe (Q/Qv < 0,01)", "DrH", r.DrH, "m");
        return r;
    }
    if (!(r.ratio < 1)) // not a number, or a negative Qv
        return r;
    // Row i holds Q/Qv = i / 100; rows i and i + 1 enclose the ratio. Just
    // below 1 the product may round up to 100, hence the limit.
    const int i = std::clamp(static_cast<int>(std::floor(r.ratio * 100)), 1, PipeTables::kMaxRows - 1);
    steps.Taken("Tabellenzeile unter dem Füllungsgrad (ganzzahliger Teil von 100 · Q/Qv)", "i", i, "-");
    const double span = i + 1 <= t.rowCount ? t.fillRatio[i + 1] - t.fillRatio[i] : 0.0;
    if (i + 1 <= t.rowCount)
        UseTableRows(t, i, steps);
    if (span == 0) // the table lacks the rows of this ratio, or cannot be interpolated
        return r;
    const double f = (r.ratio - t.fillRatio[i]) / span;
    const double hD = t.depthRatio[i] + (t.depthRatio[i + 1] - t.depthRatio[i]) * f;
    const double vvv = t.velocityRatio[i] + (t.velocityRatio[i + 1] - t.velocityRatio[i]) * f;
    r.vt = vvv * in.vv;
    r.DrH = hD * in.D;
    if (!steps.Recording())
        return r;
    steps.Step("Anteil des Füllungsgrads zwischen den beiden Tabellenzeilen", "f", "(QQv - QQv_1) / dQQv", f, "-");
    steps.Step("Bezogene Fülltiefe h/D, linear interpoliert", "hD", "hD_1 + (hD_2 - hD_1) * f", hD, "-");
    steps.Step("Bezogene Geschwindigkeit v/vv, linear interpoliert", "vvv", "vvv_1 + (vvv_2 - vvv_1) * f", vvv, "-");
    steps.Step("Fließgeschwindigkeit bei Teilfüllung", "vt", "vvv * vv", r.vt, "m/s");
    steps.Step("Fülltiefe", "DrH", "hD * D", r.DrH, "m");
    return r;
}

std::vector<PipeListRow> PipeDiameterList(const PipeTables& t, double J, double kb)
{
    std::vector<PipeListRow> rows;
    for (int i = 1; i <= t.diameterCount; ++i) {
        const int DN = t.diameters[i];
        const PipeFullFlow f = std::isnan(J) ? PipeFullFlow{kNaN, kNaN} : ComputePipeFullFlow(DN / 1000.0, J, kb);
        rows.push_back({DN, f.vv, f.Qv, IntegerText(4, DN), FormatDeterminable(5, 2, f.vv),
                        FormatDeterminable(7, 0, f.Qv)});
    }
    return rows;
}

std::optional<SufficientDiameter> SmallestSufficientDiameter(const PipeTables& t, double Q, double J, double kb)
{
    if (!(Q > 0) || !std::isfinite(J) || !(J > 0))
        return std::nullopt;
    // The diameters stand in the order of DN.ASC, which need not rise.
    std::optional<SufficientDiameter> found;
    for (int i = 1; i <= t.diameterCount; ++i) {
        const double Qv = FullPipeFlow(t.diameters[i] / 1000.0, J, kb).Qv;
        if (std::isfinite(Qv) && Qv >= Q && (!found || t.diameters[i] < t.diameters[found->entry]))
            found = SufficientDiameter{i, Qv};
    }
    return found;
}

} // namespace dralun
