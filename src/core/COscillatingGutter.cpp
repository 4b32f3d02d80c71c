#include "core/COscillatingGutter.h"

#include <cmath>
#include <limits>

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

void COscillatingGutter::Compute()
{
    m_sminFrac = F(D(m_smin) / D(kHundred));
    m_sfFrac = F(D(m_sf) / D(kHundred));
    m_qTFrac = F(D(m_qT) / D(kHundred));
    m_qHFrac = F(D(m_qH) / D(kHundred));
    m_qsM3 = F(D(m_qs) / D(kThousand));
    m_qtminStatus = Status::Determined;

    if (D(m_sminFrac) - D(m_sfFrac) == 0) {
        // Gutter and road fall alike: there is no saw-tooth.
        m_L1 = m_L2 = 0;
        m_dhtM = m_dhhM = 0;
        m_QzuL1 = m_QzuL2 = 0;
        m_qtminFrac = 0;
    } else {
        const float dh = F((D(m_qTFrac) - D(m_qHFrac)) * D(m_b));
        const double rising = D(m_sminFrac) + D(m_sfFrac);
        // smin = -sf lies outside every range but reaches here: no length.
        m_L1 = rising == 0 ? kNaN : F(D(dh) / rising);
        m_L2 = F(D(dh) / (D(m_sminFrac) - D(m_sfFrac)));
        m_QzuL1 = F(D(m_qsM3) * D(m_L1) * D(kThousand));
        m_QzuL2 = F(D(m_qsM3) * D(m_L2) * D(kThousand));

        // Equation (9): qtmin = (Q / (22 b^(8/3) sqrt(smin)))^0.6 with Q = qs L2.
        const float t = F(D(m_qsM3) * D(m_L2) / D(k22));
        const double p = std::pow(D(m_b), kExponent);
        const double r = std::sqrt(D(m_sminFrac));
        if (!(p > 0)) {
            m_qtminStatus = Status::NoWidth;
        } else if (!(r > 0)) {
            m_qtminStatus = Status::NoSlope;
        } else {
            const float u = F(D(t) / p);
            if (u < 0)
                m_qtminStatus = m_L2 < 0 ? Status::NegativeLength : Status::NegativeInflow;
            else
                m_qtminFrac = F(std::pow(D(u) / r, 0.6));
        }
        if (m_qtminStatus != Status::Determined)
            m_qtminFrac = kNaN;

        m_dhtM = F(D(m_b) * D(m_qTFrac));
        m_dhhM = F(D(m_b) * D(m_qHFrac));
    }

    m_L = F(D(m_L1) + D(m_L2));
    m_dht = F(D(m_dhtM) * D(kHundred));
    m_dhh = F(D(m_dhhM) * D(kHundred));
    m_qtmin = F(D(m_qtminFrac) * D(kHundred));
    if (m_qtminStatus == Status::Determined && !std::isfinite(m_qtmin)) {
        m_qtminStatus = Status::Unbounded;
        m_qtmin = kNaN;
    }
}

} // namespace dralun
