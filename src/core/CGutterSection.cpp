#include "core/CGutterSection.h"

#include <cmath>
#include <limits>

namespace dralun {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

std::string CGutterSection::DataProblem() const
{
    if (!(m_d.qf > 0))
        return "Die Querneigung der Fahrbahn qf muss größer als 0 % sein.";
    if (!(m_d.bS >= 0))
        return "Die Breite der Spitzrinne bS darf nicht negativ sein.";
    if (!(m_d.qS >= 0))
        return "Die Querneigung der Spitzrinne darf nicht negativ sein.";
    return {};
}

// Water in one triangle: the curb face of height h and the water bed of width b.
GutterFlow CGutterSection::Triangle(double hCm, double b) const
{
    GutterFlow flow;
    flow.h = hCm;
    flow.b = b;
    flow.lu = hCm / 100 + std::sqrt(b * b + (hCm / 100) * (hCm / 100));
    flow.A = (hCm / 100) * b * 0.5;
    return Finish(flow);
}

// Water above the full strip: e is the depth at the outer edge of the strip,
// c the spread width on the carriageway.
GutterFlow CGutterSection::Spread(double hCm, double c, double e) const
{
    const double hS = HS();
    GutterFlow flow;
    flow.h = hCm;
    flow.b = c + m_d.bS;
    flow.lu = std::sqrt(c * c + e * e) + std::sqrt(m_d.bS * m_d.bS + hS * hS) + hCm / 100;
    flow.A = (e + hS + e) * m_d.bS * 0.5 + c * e * 0.5;
    return Finish(flow);
}

GutterFlow CGutterSection::Finish(GutterFlow flow) const
{
    if (flow.lu == 0) {
        // No water: no flow section and so no mean velocity; nothing flows.
        flow.R = 0;
        flow.v = kNaN;
        flow.Q = 0;
        return flow;
    }
    flow.R = flow.A / flow.lu;
    if (m_d.s < 0) {
        flow.v = kNaN;
        flow.Q = kNaN;
        return flow;
    }
    // A level gutter (s = 0) carries nothing.
    flow.v = m_d.s > 0 ? m_d.kSt * std::pow(flow.R, 2.0 / 3.0) * std::sqrt(m_d.s / 100) : 0.0;
    flow.Q = flow.A * flow.v * 1000;
    return flow;
}

GutterFlow CGutterSection::CurbAtDepth(double hCm) const { return Triangle(hCm, hCm / m_d.qf); }

GutterFlow CGutterSection::CurbAtWidth(double b) const { return Triangle(b * m_d.qf, b); }

GutterFlow CGutterSection::VAtDepth(double hCm) const
{
    if (hCm / 100 <= HS()) {
        // Within the strip; a dry gutter has no spread even on a flat strip.
        return Triangle(hCm, hCm == 0 ? 0.0 : hCm / m_d.qS);
    }
    const double e = hCm / 100 - m_d.bS * m_d.qS / 100;
    const double c = e / (m_d.qf / 100);
    return Spread(hCm, c, e);
}

GutterFlow CGutterSection::VAtWidth(double b) const
{
    if (b <= m_d.bS)
        return Triangle(b * m_d.qS, b);
    const double c = b - m_d.bS;
    const double e = c * m_d.qf / 100;
    return Spread(m_d.bS * m_d.qS + e * 100, c, e);
}

} // namespace dralun
