#pragma once
// Coefficients of a rough-bed swale paved with loose stones, as functions of
// the mean stone size d (m): K1, K2 and K3 from three fixed tables, linearly
// interpolated between their rows. Outside 0.08 m <= d <= 0.41 m the tables
// give no value and the coefficient is 0.
#include <span>

namespace dralun {

class CStoneSizeTables {
public:
    struct Row {
        double d;
        double k;
    };

    // Where d lies in a table: on the row lo (hi is null), between the rows
    // lo and hi, or outside the table (both null, k = 0).
    struct Place {
        const Row* lo = nullptr;
        const Row* hi = nullptr;
        double k = 0;
    };

    static constexpr double kSmallest = 0.08; // first row of every table, m
    static constexpr double kLargest = 0.41;  // last row of every table, m

    static double K1(double d);
    static double K2(double d);
    static double K3(double d);

    // The rows of the tables, in ascending d.
    static std::span<const Row> K1Rows();
    static std::span<const Row> K2Rows();
    static std::span<const Row> K3Rows();

    // Look-up in one table, rows in ascending d.
    static double Lookup(std::span<const Row> table, double d);
    static Place Locate(std::span<const Row> table, double d);
};

} // namespace dralun
