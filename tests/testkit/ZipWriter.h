#pragma once
// A small ZIP writer for tests: archives built from bytes in the test, with
// members stored or deflated by zlib, and with whatever a test wants spoilt
// (a wrong checksum, a size that lies, a local header that disagrees).
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dralun::test {

struct ZipEntry {
    std::string name{};
    std::string content{};
    bool deflate = true;
    // Spoilers: what the headers declare instead of the truth.
    std::optional<std::uint32_t> crc = std::nullopt;       // both headers
    std::optional<std::uint32_t> size = std::nullopt;      // unpacked size, both headers
    std::optional<std::uint32_t> localSize = std::nullopt; // unpacked size, local header only
    std::uint16_t flags = 0;                               // general purpose bits, both headers
    std::optional<std::uint16_t> method = std::nullopt;    // both headers
};

inline std::string Deflated(const std::string& data)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY); // raw deflate, as in a zip
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline void Put16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
}

inline void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The whole archive: local headers and data, central directory, end record.
inline std::string ZipOf(const std::vector<ZipEntry>& entries, const std::string& comment = "")
{
    std::string archive, directory;
    for (const ZipEntry& e : entries) {
        const std::string packed = e.deflate ? Deflated(e.content) : e.content;
        const std::uint32_t crc =
            e.crc.value_or(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(e.content.data()),
                                                            static_cast<uInt>(e.content.size()))));
        const std::uint32_t size = e.size.value_or(static_cast<std::uint32_t>(e.content.size()));
        const std::uint16_t method = e.method.value_or(e.deflate ? 8 : 0);
        const auto offset = static_cast<std::uint32_t>(archive.size());
        auto common = [&](std::string& out, std::uint32_t declared) {
            Put16(out, 20); // version needed: 2.0
            Put16(out, e.flags);
            Put16(out, method);
            Put16(out, 0);      // time
            Put16(out, 0x5821); // date: 2024-01-01
            Put32(out, crc);
            Put32(out, static_cast<std::uint32_t>(packed.size()));
            Put32(out, declared);
            Put16(out, static_cast<std::uint32_t>(e.name.size()));
            Put16(out, 0); // extra field
        };
        Put32(archive, 0x04034b50);
        common(archive, e.localSize.value_or(size));
        archive += e.name + packed;
        Put32(directory, 0x02014b50);
        Put16(directory, 20); // made by: 2.0, MS-DOS
        common(directory, size);
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, 0); // external attributes
        Put32(directory, offset);
        directory += e.name;
    }
    const auto start = static_cast<std::uint32_t>(archive.size());
    archive += directory;
    Put32(archive, 0x06054b50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, static_cast<std::uint32_t>(entries.size()));
    Put16(archive, static_cast<std::uint32_t>(entries.size()));
    Put32(archive, static_cast<std::uint32_t>(directory.size()));
    Put32(archive, start);
    Put16(archive, static_cast<std::uint32_t>(comment.size()));
    return archive + comment;
}

} // namespace dralun::test
