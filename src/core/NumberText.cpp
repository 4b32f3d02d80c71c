#include "core/NumberText.h"

#include <charconv>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <limits>
#include <string>

namespace dralun {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::optional<double> Convert(std::string_view number)
{
    // from_chars rejects a leading '+'; it is locale-independent.
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow to zero is harmless; overflow is not a usable number,
        // except the largest double as 15 digits write it (1.79769313486232e+308
        // lies just above it), which must read back.
        const std::string copy(number);
        const double approx = std::strtod(copy.c_str(), nullptr);
        if (std::isinf(approx)) {
            const long double wide = std::strtold(copy.c_str(), nullptr);
            const long double largest = std::numeric_limits<double>::max();
            if (!(wide <= largest * (1 + 1e-14L)))
                return std::nullopt;
            value = std::numeric_limits<double>::max();
        } else {
            value = approx;
        }
    } else if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

size_t DecimalPrefixLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

std::optional<double> ParseFieldNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const size_t n = DecimalPrefixLength(text);
    if (n == 0 || n != text.size())
        return std::nullopt;
    return Convert(text);
}

double ClassicAtof(std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front()))
        text.remove_prefix(1);
    const size_t n = DecimalPrefixLength(text);
    if (n == 0)
        return 0.0;
    return Convert(text.substr(0, n)).value_or(0.0);
}

int ClassicAtoi(std::string_view text)
{
    while (!text.empty() && IsCSpace(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(value);
}

std::string TypedWithDecimalComma(std::string_view typed)
{
    std::string text(typed);
    for (char& c : text)
        if (c == ',')
            c = '.';
    return text;
}

} // namespace dralun
