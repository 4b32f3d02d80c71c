#pragma once
// Oscillating gutter: on a road too flat to drain along its own slope sf the
// gutter gets a saw-tooth profile that falls with smin from a high point to
// the inlet at the low point. The depth difference of the cross-sections at
// the low and the high point gives the two branch lengths L1 and L2, the
// lateral inflow their discharges, and equation (9) the smallest cross-fall
// qtmin at the low point for the inflow through L2.
//
// Single precision: all fields are floats. Each step is evaluated in double
// precision from float operands; every value stored into a field, and the
// intermediates dh, t and u, are rounded to float; p and r are not.
//
// The steps of the calculation report show each value as the double its
// formula gives; the symbol then stands for the value stored in single
// precision, which the following steps compute with. Where the rounding
// changes a result the form shows, a step of its own gives the stored value.
#include "core/CalcSteps.h"

namespace dralun {

class COscillatingGutter {
public:
    // Why qtmin has no value after Compute().
    enum class Status {
        Determined,
        NegativeLength, // L2 < 0 (qT < qH, or smin < sf)
        NegativeInflow, // the lateral inflow is negative
        NoWidth,        // b <= 0: b^(8/3) is zero or has no value
        NoSlope,        // smin <= 0: its root is zero or has no value
        Unbounded,      // the value exceeds single precision
    };

    // Inputs, given by the form before every computation.
    void SetInputs(float sf, float smin, float qH, float qT, float b, float qs);
    void Compute(CSteps& steps = NoSteps());

    float L1() const { return m_L1; }     // m
    float L2() const { return m_L2; }     // m
    float L() const { return m_L; }       // m
    float QzuL1() const { return m_QzuL1; } // l/s
    float QzuL2() const { return m_QzuL2; } // l/s
    float Qtmin() const { return m_qtmin; } // %, NaN when not determinable
    float Dhh() const { return m_dhh; }   // cm
    float Dht() const { return m_dht; }   // cm
    Status QtminStatus() const { return m_qtminStatus; }

private:
    // The fields in the order of the calculation object; not given defaults.
    float m_sf = 0, m_sfFrac = 0;     // road slope, % and fraction
    float m_smin = 0, m_sminFrac = 0; // gutter slope, % and fraction
    float m_qT = 0, m_qTFrac = 0;     // cross-fall at the low point
    float m_qH = 0, m_qHFrac = 0;     // cross-fall at the high point
    float m_b = 0;                    // gutter width, m
    float m_qs = 0, m_qsM3 = 0;       // lateral inflow, l/(s m) and m³/(s m)
    float m_L1 = 0, m_L2 = 0, m_L = 0;
    float m_QzuL1 = 0, m_QzuL2 = 0;
    float m_qtmin = 0, m_qtminFrac = 0;
    float m_dhh = 0, m_dhhM = 0;
    float m_dht = 0, m_dhtM = 0;
    Status m_qtminStatus = Status::Determined;
};

} // namespace dralun
