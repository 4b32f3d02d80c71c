// The number parsers: the strict field parser and the atof/atoi-like readers
// of the tables. A parsed field number is finite and reads back the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Format.h"
#include "core/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto value = dralun::ParseFieldNumber(text)) {
        if (!std::isfinite(*value))
            std::abort();
        // What the field writes back parses to the same number.
        const auto again = dralun::ParseFieldNumber(dralun::FormatG15(*value));
        if (!again || (*value != 0 && std::fabs(*again - *value) > std::fabs(*value) * 1e-14))
            std::abort();
    }
    if (!std::isfinite(dralun::ClassicAtof(text)))
        std::abort();
    (void)dralun::ClassicAtoi(text);
    if (dralun::DecimalPrefixLength(text) > text.size())
        std::abort();
    return 0;
}
