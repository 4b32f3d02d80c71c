#include "core/COscillatingGutter.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace dralun {

namespace {

constexpr float kHundred = 100.0f;
constexpr float kThousand = 1000.0f;
constexpr float k22 = 22.0f;
constexpr double kExponent = 2.66666667; // written out, not 8/3
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A double result stored into a float.
float F(double value) { return static_cast<float>(value); }
double D(float value) { return static_cast<double>(value); }

// A value found in double precision and stored in single: the step shows
// what its formula gives, the symbol then stands for the stored value. A
// value without a number (a NaN, an overflow) has no step.
float Stored(CSteps& steps, std::string_view text, std::string_view symbol, std::string_view formula, double value,
             std::string_view unit)
{
    const float stored = F(value);
    if (steps.Recording() && std::isfinite(value) && std::isfinite(stored)) {
        steps.Step(text, symbol, formula, value, unit);
        steps.Let(symbol, D(stored));
    }
    return stored;
}

// The same for a result the form shows: where the rounding changes it, the
// stored value gets a step of its own, so the report ends on what the form
// shows.
float Shown(CSteps& steps, std::string_view text, std::string_view symbol, std::string_view formula, double value,
            std::string_view unit)
{
    const float stored = Stored(steps, text, symbol, formula, value, unit);
    if (steps.Recording() && std::isfinite(stored) && D(stored) != value)
        steps.Taken(std::string(text) + ", in einfacher Genauigkeit gespeichert", symbol, D(stored), unit);
    return stored;
}

} // namespace

OscillatingGutterResult ComputeOscillatingGutter(const OscillatingGutterInput& in, CSteps& steps)
{
    OscillatingGutterResult r;
    steps.Let("sf", D(in.sf));
    steps.Let("smin", D(in.smin));
    steps.Let("qH", D(in.qH));
    steps.Let("qT", D(in.qT));
    steps.Let("b", D(in.b));
    steps.Let("qs", D(in.qs));
    // The inputs as fractions and m³, stored in single precision like every value.
    const float sminFrac = Stored(steps, "Gerinnelängsneigung als Verhältnis", "I_min", "smin / 100",
                                  D(in.smin) / D(kHundred), "-");
    const float sfFrac = Stored(steps, "Straßenlängsneigung als Verhältnis", "I_f", "sf / 100", D(in.sf) / D(kHundred), "-");
    const float qTFrac = Stored(steps, "Querneigung am Tiefpunkt als Verhältnis", "i_T", "qT / 100", D(in.qT) / D(kHundred), "-");
    const float qHFrac = Stored(steps, "Querneigung am Hochpunkt als Verhältnis", "i_H", "qH / 100", D(in.qH) / D(kHundred), "-");
    const float qsM3 = Stored(steps, "Seitlicher Zufluss je Meter", "qs_m3", "qs / 1000", D(in.qs) / D(kThousand), "m³/(s·m)");
    // The values in m and the fraction behind the cm and per cent shown.
    float qtminFrac = 0, dhhM = 0, dhtM = 0;

    if (D(sminFrac) - D(sfFrac) == 0) {
        // Gutter and road fall alike: there is no saw-tooth.
        r.L1 = r.L2 = 0;
        dhtM = dhhM = 0;
        r.QzuL1 = r.QzuL2 = 0;
        qtminFrac = 0;
        if (steps.Recording()) {
            const char* none = " (smin = sf: kein Sägezahnprofil)";
            steps.Taken(std::string("Länge des Astes L1") + none, "L1", 0, "m");
            steps.Taken(std::string("Länge des Astes L2") + none, "L2", 0, "m");
            steps.Taken(std::string("Zufluss am Ablauf durch L1") + none, "QzuL1", 0, "l/s");
            steps.Taken(std::string("Zufluss am Ablauf durch L2") + none, "QzuL2", 0, "l/s");
            steps.Taken(std::string("Querneigungshöhe am Tiefpunkt") + none, "dht_m", 0, "m");
            steps.Taken(std::string("Querneigungshöhe am Hochpunkt") + none, "dhh_m", 0, "m");
            steps.Taken(std::string("Kleinste Querneigung am Tiefpunkt als Verhältnis") + none, "i_tmin", 0, "-");
        }
    } else {
        const float dh = Stored(steps, "Höhenunterschied der Querschnitte am Tief- und Hochpunkt", "dh",
                                "(i_T - i_H) * b", (D(qTFrac) - D(qHFrac)) * D(in.b), "m");
        const double rising = D(sminFrac) + D(sfFrac);
        // smin = -sf lies outside every range but reaches here: no length.
        r.L1 = rising == 0 ? kNaN : Shown(steps, "Länge des Astes L1", "L1", "dh / (I_min + I_f)", D(dh) / rising, "m");
        r.L2 = Shown(steps, "Länge des Astes L2", "L2", "dh / (I_min - I_f)", D(dh) / (D(sminFrac) - D(sfFrac)),
                     "m");
        r.QzuL1 = Shown(steps, "Zufluss am Ablauf durch L1", "QzuL1", "qs_m3 * L1 * 1000",
                        D(qsM3) * D(r.L1) * D(kThousand), "l/s");
        r.QzuL2 = Shown(steps, "Zufluss am Ablauf durch L2", "QzuL2", "qs_m3 * L2 * 1000",
                        D(qsM3) * D(r.L2) * D(kThousand), "l/s");

        // Equation (9): qtmin = (Q / (22 b^(8/3) sqrt(smin)))^0.6 with Q = qs L2.
        const float t = Stored(steps, "Gleichung (9): Zufluss durch L2 geteilt durch 22", "t", "qs_m3 * L2 / 22",
                               D(qsM3) * D(r.L2) / D(k22), "m³/s");
        const double p = std::pow(D(in.b), kExponent);
        const double root = std::sqrt(D(sminFrac));
        if (!(p > 0)) {
            r.status = QtminStatus::NoWidth;
        } else if (!(root > 0)) {
            r.status = QtminStatus::NoSlope;
        } else {
            steps.Step("Gleichung (9): Gerinnebreite hoch 8/3", "p", "b^2.66666667", p, "-");
            steps.Step("Gleichung (9): Wurzel der Gerinnelängsneigung", "r", "sqrt(I_min)", root, "-");
            const float u = Stored(steps, "Gleichung (9): t geteilt durch p", "u", "t / p", D(t) / p, "-");
            if (u < 0)
                r.status = r.L2 < 0 ? QtminStatus::NegativeLength : QtminStatus::NegativeInflow;
            else
                qtminFrac = Stored(steps, "Kleinste Querneigung am Tiefpunkt nach Gleichung (9) als Verhältnis",
                                     "i_tmin", "(u / r)^0.6", std::pow(D(u) / root, 0.6), "-");
        }
        if (r.status != QtminStatus::Determined)
            qtminFrac = kNaN;

        dhtM = Stored(steps, "Querneigungshöhe am Tiefpunkt", "dht_m", "b * i_T", D(in.b) * D(qTFrac), "m");
        dhhM = Stored(steps, "Querneigungshöhe am Hochpunkt", "dhh_m", "b * i_H", D(in.b) * D(qHFrac), "m");
    }

    r.L = Shown(steps, "Ablaufabstand", "L", "L1 + L2", D(r.L1) + D(r.L2), "m");
    r.dht = Shown(steps, "Delta h am Tiefpunkt", "dht", "dht_m * 100", D(dhtM) * D(kHundred), "cm");
    r.dhh = Shown(steps, "Delta h am Hochpunkt", "dhh", "dhh_m * 100", D(dhhM) * D(kHundred), "cm");
    // No step for a qtmin without a value (NaN, or beyond single precision).
    r.qtmin = F(D(qtminFrac) * D(kHundred));
    if (r.status == QtminStatus::Determined && !std::isfinite(r.qtmin)) {
        r.status = QtminStatus::Unbounded;
        r.qtmin = kNaN;
    }
    if (r.status == QtminStatus::Determined)
        Shown(steps, "Kleinste Querneigung am Tiefpunkt qtmin nach Gleichung (9)", "qtmin", "i_tmin * 100",
              D(qtminFrac) * D(kHundred), "%");
    return r;
}

} // namespace dralun
