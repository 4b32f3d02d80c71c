#include "core/NumberPresentation.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/Format.h"
#include "core/NumberText.h"

namespace dralun {

Rounding RoundingFor(std::string_view unit)
{
    // decimals, significant digits, most decimals
    static const std::map<std::string_view, Rounding> table = {
        {"l/s", {1, 3, 4}},        {"m³/s", {3, 3, 6}},     {"m", {3, 3, 5}},       {"mNN", {3, 3, 3}},
        {"m NN", {3, 3, 3}},       {"cm", {1, 3, 3}},       {"mm", {1, 3, 3}},      {"m/s", {2, 3, 6}},
        {"m²", {2, 3, 4}},         {"m³", {2, 3, 3}},       {"m³/m", {2, 3, 4}},    {"l", {0, 3, 1}},
        {"m²/m", {3, 3, 4}},       {"%", {2, 3, 3}},        {"‰", {2, 3, 3}},       {"m/m", {4, 3, 6}},
        {"°", {1, 3, 2}},          {"s", {1, 3, 2}},        {"min", {1, 3, 2}},     {"h", {2, 3, 3}},
        {"a", {1, 3, 2}},          {"ha", {4, 3, 5}},       {"l/(s·ha)", {1, 3, 2}}, {"l/(s*ha)", {1, 3, 2}},
        {"l/s*ha", {1, 3, 2}},     {"l/(s ha)", {1, 3, 2}}, {"m^(1/3)/s", {1, 3, 2}}, {"m1/3/s", {1, 3, 2}},
        {"kN/m²", {2, 3, 3}},      {"m/s²", {3, 3, 5}},     {"m²/s", {3, 3, 9}},    {"l/s/m", {2, 3, 4}},
        {"l/(s·m)", {2, 3, 4}},    {"1/s", {3, 3, 6}},      {"Stück", {0, 1, 0}},
    };
    const auto it = table.find(unit);
    if (it != table.end())
        return it->second;
    // A pure number (a ratio, a coefficient): four significant digits, so
    // that a difference of two near ratios still reads right by hand.
    return {0, 4, 7};
}

namespace {

std::string DropZerosBeyond(std::string text, int keepDecimals)
{
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    size_t end = text.size();
    const size_t least = point + 1 + static_cast<size_t>(std::max(0, keepDecimals));
    while (end > least && text[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end; // no point without decimals
    text.resize(end);
    return text;
}

} // namespace

std::string RoundedText(double value, const Rounding& r, bool decimalComma)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "–" : (value > 0 ? "∞" : "-∞");
    std::string text;
    const double magnitude = std::fabs(value);
    // Decimals that the significant digits need: 0.00123 needs 5 for 3.
    int decimals = r.decimals;
    if (magnitude > 0) {
        const int leading = static_cast<int>(std::floor(std::log10(magnitude))); // 0.00123 -> -3
        decimals = std::max(decimals, r.significant - 1 - leading);
    }
    if (magnitude > 0 && decimals > r.maxDecimals && std::round(magnitude * std::pow(10.0, r.maxDecimals)) == 0) {
        // Too small for the decimals of the unit: with an exponent.
        text = Format("%.*e", std::max(0, r.significant - 1), value);
        const size_t e = text.find('e');
        std::string mantissa = DropZerosBeyond(text.substr(0, e), 0);
        std::string exponent = text.substr(e + 1); // "-07"
        const bool negative = exponent[0] == '-';
        exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        text = mantissa + "e" + (negative ? "-" : "") + exponent;
    } else {
        decimals = std::min(decimals, r.maxDecimals);
        text = DropZerosBeyond(FormatFixed(0, decimals, value), r.decimals);
    }
    return decimalComma ? WithDecimalComma(text) : text;
}

std::string RoundedText(double value, std::string_view unit, bool decimalComma)
{
    return RoundedText(value, RoundingFor(unit), decimalComma);
}

std::string TypedText(std::string_view fieldText)
{
    const std::optional<double> value = ParseFieldNumber(fieldText);
    if (!value)
        return std::string(fieldText);
    int significant = 0;
    bool leadingZeros = true;
    for (const char c : fieldText) {
        if (c == 'e' || c == 'E')
            break;
        if (c < '0' || c > '9')
            continue;
        if (c == '0' && leadingZeros)
            continue;
        leadingZeros = false;
        ++significant;
    }
    if (significant < 13)
        return std::string(fieldText);
    std::string text = Format("%.12g", *value);
    if (text == "-0")
        text.erase(0, 1); // no minus sign on a zero
    return text;
}

std::string WithDecimalComma(std::string_view text)
{
    std::string out(text);
    auto digit = [&](size_t i) { return i < out.size() && out[i] >= '0' && out[i] <= '9'; };
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i] != '.' || !digit(i + 1))
            continue;
        const bool afterDigit = i > 0 && digit(i - 1);
        const bool bare = i == 0 || out[i - 1] == ' ' || out[i - 1] == '-' || out[i - 1] == '(' || out[i - 1] == '=';
        // Not in a word or a file name: the characters before the digits
        // must not be letters ("DN.ASC", "v1.2" stay).
        size_t start = i;
        while (start > 0 && digit(start - 1))
            --start;
        const bool inWord = start > 0 && ((out[start - 1] >= 'A' && out[start - 1] <= 'Z') ||
                                          (out[start - 1] >= 'a' && out[start - 1] <= 'z') || out[start - 1] == '_');
        if ((afterDigit || bare) && !inWord)
            out[i] = ',';
    }
    return out;
}

} // namespace dralun
