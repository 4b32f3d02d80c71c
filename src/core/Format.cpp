#include "core/Format.h"

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

std::string FormatG15(double value) { return Format("%.15g", value); }

std::string FormatG6(float value) { return Format("%.6g", static_cast<double>(value)); }

} // namespace dralun
