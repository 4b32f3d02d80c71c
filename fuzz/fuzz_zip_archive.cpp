// The ZIP reader on bytes anyone may hand us: opening gives an archive or a
// reason, never both; a member read is exactly as long as declared and has
// the declared CRC-32; the grid tables in it give a checked cell or a reason.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/KostraSource.h"
#include "core/ZipArchive.h"
#include "forms/KostraMessages.h"

namespace {

template <class T>
void OneOfTwo(const dralun::ZipResult<T>& r)
{
    if (r.value.has_value() == (r.problem.status != dralun::ZipStatus::Ok))
        std::abort();
    if (!r.value && dralun::ZipProblemText(r.problem).empty()) // every refusal is worded
        std::abort();
}

template <class T>
void OneOfTwo(const dralun::KostraResult<T>& r)
{
    if (r.value.has_value() == !r.problem.Ok())
        std::abort();
    if (!r.value && dralun::KostraProblemText(r.problem).empty()) // every refusal is worded
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto archive = dralun::ZipArchive::FromBytes("fuzz.zip", bytes);
    OneOfTwo(archive);
    if (!archive.value)
        return 0;
    size_t read = 0;
    for (const dralun::ZipMember& member : archive.value->Members()) {
        if (++read > 64)
            break;
        const auto content = archive.value->Read(member, 1 << 20);
        OneOfTwo(content);
        if (!content.value)
            continue;
        if (content.value->size() != member.size ||
            crc32(0, reinterpret_cast<const Bytef*>(content.value->data()), static_cast<uInt>(content.value->size())) !=
                member.crc)
            std::abort();
    }
    const auto cell = dralun::ImportKostraArchive(*archive.value, {"117111"});
    OneOfTwo(cell);
    if (cell.value && !dralun::CheckKostraCell(*cell.value).Ok())
        std::abort();
    return 0;
}
