#include "core/Format.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace dralun {

std::string Format(const char* fmt, ...)
{
    char small[256];
    va_list args;
    va_start(args, fmt);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, fmt, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        va_end(again);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

namespace {

// printf's "%.<precision>g".
std::string FormatGeneral(double value, int precision)
{
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
    if (error != std::errc())
        return Format("%.*g", precision, value);
    return std::string(text, end);
}

} // namespace

// Negative zero (typed as "-0", or the product of a negative number and 0)
// is zero: a field never shows "-0".
// std::to_chars writes what printf writes in the C locale with the same
// precision, several times faster (a rating table writes every field of
// the form for each of its rows).
std::string FormatG15(double value) { return FormatGeneral(value == 0 ? 0.0 : value, 15); }

std::string FormatG6(float value) { return FormatGeneral(value == 0 ? 0.0 : static_cast<double>(value), 6); }

std::string FormatFixed(int width, int decimals, double value)
{
    // At the speed of a rating table: a value whose scaled form lies far
    // from a tie rounds to the integer its exact decimal expansion rounds to
    // (the error of the scaling stays below 1e-6 there), and that is what
    // printf writes.
    if (decimals >= 0 && decimals <= 3 && std::isfinite(value)) {
        const double scale = decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : decimals == 2 ? 100.0 : 1000.0;
        const double scaled = value * scale;
        if (std::fabs(scaled) < 1e9 && std::fabs(scaled - std::floor(scaled) - 0.5) > 1e-6) {
            const long long n = std::llround(scaled);
            std::string digits = std::to_string(n < 0 ? -n : n);
            if (decimals > 0) {
                if (digits.size() <= static_cast<size_t>(decimals))
                    digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
                digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
            }
            if (n < 0) // a value that rounds to zero is written without its sign
                digits.insert(0, 1, '-');
            if (digits.size() < static_cast<size_t>(width))
                digits.insert(0, static_cast<size_t>(width) - digits.size(), ' ');
            return digits;
        }
    }
    std::string text = Format("%*.*f", width, decimals, value);
    // A value that rounds to zero is written without its sign.
    const size_t minus = text.find('-');
    if (minus != std::string::npos && text.find_first_not_of("0.", minus + 1) == std::string::npos)
        text = Format("%*.*f", width, decimals, 0.0);
    return text;
}

} // namespace dralun
