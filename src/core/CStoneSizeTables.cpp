#include "core/CStoneSizeTables.h"

namespace dralun {

namespace {

const CStoneSizeTables::Row kK1[] = {
    {0.08, 300}, {0.1, 220}, {0.12, 175}, {0.16, 120}, {0.2, 90}, {0.24, 68}, {0.3, 40}, {0.34, 26}, {0.41, 10},
};

const CStoneSizeTables::Row kK2[] = {
    {0.08, 0.043}, {0.1, 0.052}, {0.16, 0.085}, {0.2, 0.11}, {0.3, 0.18}, {0.41, 0.27},
};

const CStoneSizeTables::Row kK3[] = {
    {0.08, 0.028},
    {0.3, 0.1},
    {0.41, 0.14},
};

} // namespace

CStoneSizeTables::Place CStoneSizeTables::Locate(std::span<const Row> table, double d)
{
    for (size_t i = 0; i + 1 < table.size(); ++i) {
        const Row& lo = table[i];
        const Row& hi = table[i + 1];
        if (d == lo.d)
            return {&lo, nullptr, lo.k};
        if (d == hi.d)
            return {&hi, nullptr, hi.k};
        if (d > lo.d && d < hi.d)
            return {&lo, &hi, (d - lo.d) * (hi.k - lo.k) / (hi.d - lo.d) + lo.k};
    }
    return {};
}

double CStoneSizeTables::Lookup(std::span<const Row> table, double d) { return Locate(table, d).k; }

std::span<const CStoneSizeTables::Row> CStoneSizeTables::K1Rows() { return kK1; }
std::span<const CStoneSizeTables::Row> CStoneSizeTables::K2Rows() { return kK2; }
std::span<const CStoneSizeTables::Row> CStoneSizeTables::K3Rows() { return kK3; }

double CStoneSizeTables::K1(double d) { return Lookup(kK1, d); }
double CStoneSizeTables::K2(double d) { return Lookup(kK2, d); }
double CStoneSizeTables::K3(double d) { return Lookup(kK3, d); }

} // namespace dralun
