#pragma once
// Reading the members of a ZIP archive into memory: the end record, the
// central directory, each member's local header; members stored (method 0)
// or deflated (method 8). Nothing is ever extracted to disk: a member's name
// is only a name, whatever "..", "/" or "\" it holds.
//
// The archive may come from anyone, so every size is bounded and checked:
// the archive, the number of members, each member and all members together;
// the sizes of the local header must agree with the central directory, a
// member inflates to no more than its declared size (inflating stops at the
// bound) and its CRC-32 must match. Not read, each with its reason:
// encrypted members, archives split over several disks, ZIP64.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dralun {

inline constexpr std::uint64_t kLargestZipArchive = std::uint64_t{512} << 20;
inline constexpr std::size_t kMostZipMembers = 4096;
inline constexpr std::uint64_t kLargestZipContent = std::uint64_t{1} << 30; // all members together

// A result or the German reason why there is none.
template <class T>
struct ZipResult {
    std::optional<T> value;
    std::string reason; // empty when value is set
};

struct ZipMember {
    std::string name;            // UTF-8, control characters and broken bytes as "?"
    std::uint64_t size = 0;      // unpacked, as the central directory declares it
    std::uint64_t packedSize = 0;
    std::uint32_t crc = 0;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint64_t localHeader = 0; // offset of the local header
    bool IsFolder() const { return !name.empty() && name.back() == '/'; }
};

class ZipArchive {
public:
    // The archive in `bytes`, which the caller keeps while the archive is used.
    static ZipResult<ZipArchive> FromBytes(std::string archiveName, std::string_view bytes);
    // The archive in a regular file of at most kLargestZipArchive bytes.
    static ZipResult<ZipArchive> FromFile(const std::filesystem::path& path);

    const std::string& Name() const { return m_name; }
    const std::vector<ZipMember>& Members() const { return m_members; }

    // The member's unpacked bytes, if it declares at most `largest` bytes
    // (and at most kLargestZipContent), or the reason naming archive and member.
    ZipResult<std::string> Read(const ZipMember& member, std::uint64_t largest) const;

private:
    ZipArchive() = default;
    std::string Open(); // "" or the reason
    bool ReadAt(std::uint64_t offset, std::size_t count, char* out) const;
    std::string Refusal(const ZipMember& member, const std::string& why) const;

    std::string m_name;
    std::string_view m_bytes;           // an archive in memory
    std::shared_ptr<std::FILE> m_file;  // or one in a file
    std::uint64_t m_size = 0;
    std::uint64_t m_directoryStart = 0; // members lie before it
    std::vector<ZipMember> m_members;
};

} // namespace dralun
