#pragma once
// Comparisons of names without regard to letter case (ASCII letters, as the
// file names and short names of the program use them).
#include <string_view>

namespace dralun {

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i]))
            return false;
    return true;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

} // namespace dralun
