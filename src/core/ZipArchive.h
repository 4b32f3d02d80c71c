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
// encrypted members, archives split over several disks, ZIP64. A refusal
// is a status with the names and numbers its message needs; the message
// itself is worded where the program speaks to the user.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileAccess.h"

namespace dralun {

inline constexpr std::uint64_t kLargestZipArchive = std::uint64_t{512} << 20;
inline constexpr std::size_t kMostZipMembers = 4096;
inline constexpr std::uint64_t kLargestZipContent = std::uint64_t{1} << 30; // all members together

// Why a file was not opened for reading: what OpenForReading found, without
// the file.
struct UnreadableFile {
    FileProblem problem = FileProblem::None;
    std::uintmax_t size = 0, largest = 0;
    std::string kind{}; // what a name that is no regular file is
    int error = 0;
    bool operator==(const UnreadableFile&) const = default;
};
UnreadableFile UnreadableOf(const ReadableFile& file);

enum class ZipStatus {
    Ok,
    // The archive as a whole.
    TooLarge,         // size, largest
    Unreadable,       // file
    Incomplete,       // no end record: cut off, or no archive at all
    Zip64,
    Split,            // over several disks
    TooManyMembers,   // count, largest
    DirectoryOutside, // the central directory reaches past the archive
    EntryUnreadable,  // count: the entry of the directory, from 1
    MemberZip64,      // member
    TooMuchContent,   // largest: all members together
    // One member read (member).
    Encrypted,
    UnknownMethod,      // method
    MemberTooLarge,     // size, largest
    StoredSizesDiffer,  // stored, yet packed and unpacked sizes differ
    MemberCut,          // the member does not lie wholly in the archive
    LocalZip64,
    LocalHeaderDiffers, // from the central directory
    NoMemory,
    NotInflatable,
    InflatesToMore,   // size
    InflateEndsWrong, // the deflated data do not end with their size
    InflatesToLess,   // size
    CrcMismatch,
};

// A refusal and what its message names.
struct ZipProblem {
    ZipStatus status = ZipStatus::Ok;
    std::string archive{}; // the archive's name
    std::string member{};  // the member's name
    std::uint64_t size = 0, largest = 0;
    std::uint64_t count = 0;
    unsigned method = 0;
    UnreadableFile file{};
    bool operator==(const ZipProblem&) const = default;
};

// Whether the refusal is about one member of the archive (named with it).
inline bool IsMemberProblem(ZipStatus status) { return status >= ZipStatus::Encrypted; }

// A result or why there is none.
template <class T>
struct ZipResult {
    std::optional<T> value;
    ZipProblem problem; // Ok when value is set
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
    // (and at most kLargestZipContent), or why not (naming archive and member).
    ZipResult<std::string> Read(const ZipMember& member, std::uint64_t largest) const;

private:
    ZipArchive() = default;
    ZipProblem Open(); // Ok or why the archive is not read
    bool ReadAt(std::uint64_t offset, std::size_t count, char* out) const;
    ZipProblem Refusal(ZipStatus status) const { return {.status = status, .archive = m_name}; }

    std::string m_name;
    std::string_view m_bytes;           // an archive in memory
    std::shared_ptr<std::FILE> m_file;  // or one in a file
    std::uint64_t m_size = 0;
    std::uint64_t m_directoryStart = 0; // members lie before it
    std::vector<ZipMember> m_members;
};

} // namespace dralun
