// The KOSTRA-DWD import from text a user or the weather service hands us:
// a pasted cell table (read as depths and as intensities) and a grid table
// of one duration. A reader gives a value or a reason, never both; a value
// passes the check and writes a rainfall file whose every line the forms'
// reader takes whole.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "core/KostraImport.h"
#include "forms/KostraMessages.h"

namespace {

template <class T>
void OneOfTwo(const dralun::KostraResult<T>& r)
{
    if (r.value.has_value() == !r.problem.Ok())
        std::abort();
    if (!r.value && dralun::KostraProblemText(r.problem).empty()) // every refusal is worded
        std::abort();
}

void WriteWhole(const dralun::KostraCell& cell)
{
    if (!dralun::CheckKostraCell(cell).Ok())
        std::abort();
    const std::string text = dralun::RainfallFileText(cell, {"2026-12-10", false});
    if (text.empty())
        std::abort();
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count)
        if (line.size() + 1 > 129)
            std::abort();
    if (count < 29)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const dralun::KostraUnit unit : {dralun::KostraUnit::Depth, dralun::KostraUnit::Intensity}) {
        const auto cell = dralun::ReadKostraCellTable("zelle.csv", text, unit, "KOSTRA-DWD-2020", "117111");
        OneOfTwo(cell);
        if (cell.value)
            WriteWhole(*cell.value);
    }
    const auto row = dralun::ReadKostraGridTable("StatRR_KOSTRA-DWD-2020_D00060.csv", text, "117111");
    OneOfTwo(row);
    return 0;
}
