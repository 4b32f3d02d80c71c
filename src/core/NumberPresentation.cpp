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

std::string PresentedText(std::string_view modelText, std::string_view unit, FieldShape shape, bool decimalComma)
{
    std::string text;
    if (shape == FieldShape::TextResult) {
        text = modelText.substr(std::min(modelText.find_first_not_of(' '), modelText.size()));
    } else if (shape == FieldShape::Input) {
        text = TypedText(modelText);
    } else {
        const std::optional<double> value = ParseFieldNumber(modelText);
        text = value ? RoundedText(*value, unit) : std::string(modelText);
    }
    return decimalComma ? WithDecimalComma(text) : text;
}

std::string UtilisationText(double percent, bool decimalComma)
{
    if (!std::isfinite(percent))
        return "–";
    const std::string text = Format("%.1f", percent);
    return decimalComma ? WithDecimalComma(text) : text;
}

std::string GreekLetter(std::string_view name)
{
    static const std::pair<std::string_view, std::string_view> letters[] = {
        {"alpha", "α"}, {"beta", "β"},  {"gamma", "γ"}, {"delta", "δ"}, {"zeta", "ζ"}, {"eta", "η"},
        {"theta", "θ"}, {"lambda", "λ"}, {"mu", "μ"},   {"nu", "ν"},    {"pi", "π"},   {"rho", "ρ"},
        {"sigma", "σ"}, {"tau", "τ"},   {"phi", "φ"},   {"psi", "ψ"},   {"omega", "ω"}};
    for (const auto& [latin, greek] : letters)
        if (name == latin)
            return std::string(greek);
    return {};
}

std::string ShownSymbol(std::string_view symbol)
{
    if (symbol == "Ueberlauf") // a short name spelt without its umlaut for scripts
        return "Überlauf";
    // The filling ratio of a pipe, a fraction in two letters for scripts.
    if (symbol == "hd")
        return "h/d";
    if (symbol == "hd_max")
        return "(h/d)max";
    // Each part between underscores, a Greek name (with digits after it) as
    // its letter: "zeta_e" -> "ζe", "phi1" -> "φ1".
    std::string shown;
    for (std::size_t start = 0; start <= symbol.size();) {
        const std::size_t bar = std::min(symbol.find('_', start), symbol.size());
        const std::string_view part = symbol.substr(start, bar - start);
        std::size_t letters = part.size();
        while (letters > 0 && part[letters - 1] >= '0' && part[letters - 1] <= '9')
            --letters;
        const std::string greek = GreekLetter(part.substr(0, letters));
        shown += greek.empty() ? std::string(part) : greek + std::string(part.substr(letters));
        start = bar + 1;
    }
    return shown.empty() ? std::string(symbol) : shown;
}

std::string ShownSymbols(std::string_view text)
{
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    // A byte of a UTF-8 letter ("Länge") belongs to the word as well.
    const auto inWord = [&](char c) {
        return letter(c) || digit(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (!inWord(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && inWord(text[end]))
            ++end;
        const std::string_view word = text.substr(i, end - i);
        // A short name: a base of one to four letters ("V", "zeta"), one
        // underscore, an index of letters and digits ("genutzt", "E").
        const std::size_t bar = word.find('_');
        bool shortName =
            bar >= 1 && bar <= 4 && bar + 1 < word.size() && word.find('_', bar + 1) == std::string_view::npos;
        for (std::size_t k = 0; shortName && k < word.size(); ++k)
            shortName = k == bar || (k < bar ? letter(word[k]) : letter(word[k]) || digit(word[k]));
        // Not a part of a path or a file's name ("/tmp/mein_ordner", "a_b.txt").
        const auto pathSign = [](char c) { return c == '/' || c == '\\'; };
        if ((i > 0 && pathSign(text[i - 1])) || (end < text.size() && pathSign(text[end])) ||
            (end + 1 < text.size() && text[end] == '.' && inWord(text[end + 1])))
            shortName = false;
        out += shortName || word == "Ueberlauf" ? ShownSymbol(word) : std::string(word);
        i = end;
    }
    return out;
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
