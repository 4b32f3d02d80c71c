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

void COscillatingGutter::SetInputs(float sf, float smin, float qH, float qT, float b, float qs)
{
    m_sf = sf;
    m_smin = smin;
    m_qH = qH;
    m_qT = qT;
    m_b = b;
    m_qs = qs;
}

void COscillatingGutter::Compute(CSteps& steps)
{
    steps.Let("sf", D(m_sf));
    steps.Let("smin", D(m_smin));
    steps.Let("qH", D(m_qH));
    steps.Let("qT", D(m_qT));
    steps.Let("b", D(m_b));
    steps.Let("qs", D(m_qs));
    m_sminFrac = Stored(steps, "Gerinnelängsneigung als Verhältnis", "I_min", "smin / 100", D(m_smin) / D(kHundred),
                        "-");
    m_sfFrac = Stored(steps, "Straßenlängsneigung als Verhältnis", "I_f", "sf / 100", D(m_sf) / D(kHundred), "-");
    m_qTFrac = Stored(steps, "Querneigung am Tiefpunkt als Verhältnis", "i_T", "qT / 100", D(m_qT) / D(kHundred), "-");
    m_qHFrac = Stored(steps, "Querneigung am Hochpunkt als Verhältnis", "i_H", "qH / 100", D(m_qH) / D(kHundred), "-");
    m_qsM3 = Stored(steps, "Seitlicher Zufluss je Meter", "qs_m3", "qs / 1000", D(m_qs) / D(kThousand), "m³/(s·m)");
    m_qtminStatus = Status::Determined;

    if (D(m_sminFrac) - D(m_sfFrac) == 0) {
        // Gutter and road fall alike: there is no saw-tooth.
        m_L1 = m_L2 = 0;
        m_dhtM = m_dhhM = 0;
        m_QzuL1 = m_QzuL2 = 0;
        m_qtminFrac = 0;
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
                                "(i_T - i_H) * b", (D(m_qTFrac) - D(m_qHFrac)) * D(m_b), "m");
        const double rising = D(m_sminFrac) + D(m_sfFrac);
        // smin = -sf lies outside every range but reaches here: no length.
        m_L1 = rising == 0 ? kNaN : Shown(steps, "Länge des Astes L1", "L1", "dh / (I_min + I_f)", D(dh) / rising, "m");
        m_L2 = Shown(steps, "Länge des Astes L2", "L2", "dh / (I_min - I_f)", D(dh) / (D(m_sminFrac) - D(m_sfFrac)),
                     "m");
        m_QzuL1 = Shown(steps, "Zufluss am Ablauf durch L1", "QzuL1", "qs_m3 * L1 * 1000",
                        D(m_qsM3) * D(m_L1) * D(kThousand), "l/s");
        m_QzuL2 = Shown(steps, "Zufluss am Ablauf durch L2", "QzuL2", "qs_m3 * L2 * 1000",
                        D(m_qsM3) * D(m_L2) * D(kThousand), "l/s");

        // Equation (9): qtmin = (Q / (22 b^(8/3) sqrt(smin)))^0.6 with Q = qs L2.
        const float t = Stored(steps, "Gleichung (9): Zufluss durch L2 geteilt durch 22", "t", "qs_m3 * L2 / 22",
                               D(m_qsM3) * D(m_L2) / D(k22), "m³/s");
        const double p = std::pow(D(m_b), kExponent);
        const double r = std::sqrt(D(m_sminFrac));
        if (!(p > 0)) {
            m_qtminStatus = Status::NoWidth;
        } else if (!(r > 0)) {
            m_qtminStatus = Status::NoSlope;
        } else {
            steps.Step("Gleichung (9): Gerinnebreite hoch 8/3", "p", "b^2.66666667", p, "-");
            steps.Step("Gleichung (9): Wurzel der Gerinnelängsneigung", "r", "sqrt(I_min)", r, "-");
            const float u = Stored(steps, "Gleichung (9): t geteilt durch p", "u", "t / p", D(t) / p, "-");
            if (u < 0)
                m_qtminStatus = m_L2 < 0 ? Status::NegativeLength : Status::NegativeInflow;
            else
                m_qtminFrac = Stored(steps, "Kleinste Querneigung am Tiefpunkt nach Gleichung (9) als Verhältnis",
                                     "i_tmin", "(u / r)^0.6", std::pow(D(u) / r, 0.6), "-");
        }
        if (m_qtminStatus != Status::Determined)
            m_qtminFrac = kNaN;

        m_dhtM = Stored(steps, "Querneigungshöhe am Tiefpunkt", "dht_m", "b * i_T", D(m_b) * D(m_qTFrac), "m");
        m_dhhM = Stored(steps, "Querneigungshöhe am Hochpunkt", "dhh_m", "b * i_H", D(m_b) * D(m_qHFrac), "m");
    }

    m_L = Shown(steps, "Ablaufabstand", "L", "L1 + L2", D(m_L1) + D(m_L2), "m");
    m_dht = Shown(steps, "Delta h am Tiefpunkt", "dht", "dht_m * 100", D(m_dhtM) * D(kHundred), "cm");
    m_dhh = Shown(steps, "Delta h am Hochpunkt", "dhh", "dhh_m * 100", D(m_dhhM) * D(kHundred), "cm");
    // No step for a qtmin without a value (NaN, or beyond single precision).
    m_qtmin = F(D(m_qtminFrac) * D(kHundred));
    if (m_qtminStatus == Status::Determined && !std::isfinite(m_qtmin)) {
        m_qtminStatus = Status::Unbounded;
        m_qtmin = kNaN;
    }
    if (m_qtminStatus == Status::Determined)
        Shown(steps, "Kleinste Querneigung am Tiefpunkt qtmin nach Gleichung (9)", "qtmin", "i_tmin * 100",
              D(m_qtminFrac) * D(kHundred), "%");
}

} // namespace dralun
