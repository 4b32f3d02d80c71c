#pragma once
// printf-style formatting into std::string. The calculators write their
// fields and report lines with fixed printf formats and a decimal point; the
// process keeps LC_NUMERIC at "C" (the GUI resets it after Qt starts).
#include <string>

namespace dralun {

#ifdef _WIN32
// MinGW's C99 printf (__USE_MINGW_ANSI_STDIO), checked as such.
#define DRALUN_PRINTF_FORMAT gnu_printf
#else
#define DRALUN_PRINTF_FORMAT printf
#endif
std::string Format(const char* fmt, ...) __attribute__((format(DRALUN_PRINTF_FORMAT, 1, 2)));

// A double as the fields show it: shortest general form, 15 significant digits.
std::string FormatG15(double value);
// A single-precision value as its fields show it: 6 significant digits.
std::string FormatG6(float value);
// "%<width>.<decimals>f", but a value that rounds to zero shows no minus sign.
std::string FormatFixed(int width, int decimals, double value);

} // namespace dralun
