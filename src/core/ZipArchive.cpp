// The ZIP reader: the archive's structure read here, the deflated data
// inflated by zlib. Every offset and size read from the archive is checked
// against the archive's end before it is used.
#include "core/ZipArchive.h"

#include <zlib.h>

#include <algorithm>
#include <array>


namespace dralun {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;       // "PK\5\6"
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;   // "PK\1\2"
constexpr std::uint32_t kLocalSignature = 0x04034b50;     // "PK\3\4"
constexpr std::size_t kEndLength = 22, kCentralLength = 46, kLocalLength = 30;
constexpr std::size_t kChunk = 1 << 16;

constexpr std::uint16_t kEncrypted = 1u << 0, kDescriptorFollows = 1u << 3, kStrongEncryption = 1u << 6;

std::uint16_t Le16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t Le32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// The stored name as UTF-8 fit for a message: valid UTF-8 sequences kept,
// control characters and every other byte (an old code page) as "?".
std::string ShownName(std::string_view raw)
{
    std::string shown;
    for (size_t i = 0; i < raw.size();) {
        const auto c = static_cast<unsigned char>(raw[i]);
        size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool valid = length > 0 && i + length <= raw.size();
        for (size_t k = 1; valid && k < length; ++k)
            valid = (static_cast<unsigned char>(raw[i + k]) & 0xC0) == 0x80;
        if (valid && length == 2)
            valid = c >= 0xC2; // no overlong forms
        if (valid && length == 3) {
            const auto c1 = static_cast<unsigned char>(raw[i + 1]);
            valid = !(c == 0xE0 && c1 < 0xA0) && !(c == 0xED && c1 >= 0xA0);
        }
        if (valid && length == 4) {
            const auto c1 = static_cast<unsigned char>(raw[i + 1]);
            valid = !(c == 0xF0 && c1 < 0x90) && c <= 0xF4 && !(c == 0xF4 && c1 >= 0x90);
        }
        if (!valid || c < 0x20 || c == 0x7F) {
            shown += '?';
            ++i;
            continue;
        }
        shown.append(raw.substr(i, length));
        i += length;
    }
    return shown;
}

// inflateEnd on every way out.
struct Inflater {
    z_stream stream{};
    bool open = false;
    Inflater() { open = inflateInit2(&stream, -MAX_WBITS) == Z_OK; } // raw deflate, no zlib header
    ~Inflater()
    {
        if (open)
            inflateEnd(&stream);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
};

} // namespace

UnreadableFile UnreadableOf(const ReadableFile& file)
{
    return {file.problem, file.size, file.largest, file.kind, file.error};
}

ZipResult<ZipArchive> ZipArchive::FromBytes(std::string archiveName, std::string_view bytes)
{
    ZipArchive archive;
    archive.m_name = std::move(archiveName);
    if (bytes.size() > kLargestZipArchive) {
        ZipProblem large = archive.Refusal(ZipStatus::TooLarge);
        large.size = bytes.size();
        large.largest = kLargestZipArchive;
        return {std::nullopt, large};
    }
    archive.m_bytes = bytes;
    archive.m_size = bytes.size();
    if (ZipProblem why = archive.Open(); why.status != ZipStatus::Ok)
        return {std::nullopt, why};
    return {std::move(archive), {}};
}

ZipResult<ZipArchive> ZipArchive::FromFile(const std::filesystem::path& path)
{
    ZipArchive archive;
    const std::u8string name = path.filename().u8string();
    archive.m_name.assign(name.begin(), name.end());
    ReadableFile file = OpenForReading(path, kLargestZipArchive);
    if (file.problem == FileProblem::TooLarge) {
        ZipProblem large = archive.Refusal(ZipStatus::TooLarge);
        large.size = file.size;
        large.largest = kLargestZipArchive;
        return {std::nullopt, large};
    }
    if (!file) {
        ZipProblem unreadable = archive.Refusal(ZipStatus::Unreadable);
        unreadable.file = UnreadableOf(file);
        return {std::nullopt, unreadable};
    }
    archive.m_size = file.size;
    archive.m_file = std::shared_ptr<std::FILE>(file.file.release(), [](std::FILE* f) { std::fclose(f); });
    if (ZipProblem why = archive.Open(); why.status != ZipStatus::Ok)
        return {std::nullopt, why};
    return {std::move(archive), {}};
}

bool ZipArchive::ReadAt(std::uint64_t offset, std::size_t count, char* out) const
{
    if (count > m_size || offset > m_size - count)
        return false;
    if (!m_file) {
        std::copy_n(m_bytes.data() + offset, count, out);
        return true;
    }
    // The archive holds at most 512 MiB: every offset fits a long.
    return std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(out, 1, count, m_file.get()) == count;
}

ZipProblem ZipArchive::Open()
{
    const ZipProblem incomplete = Refusal(ZipStatus::Incomplete);
    // The end record closes the archive, behind it only its comment.
    const std::size_t tailLength = static_cast<std::size_t>(std::min<std::uint64_t>(m_size, kEndLength + 0xFFFF));
    std::string tail(tailLength, '\0');
    if (tailLength < kEndLength || !ReadAt(m_size - tailLength, tailLength, tail.data()))
        return incomplete;
    std::size_t end = tailLength - kEndLength + 1;
    do {
        --end;
    } while (end > 0 && !(Le32(&tail[end]) == kEndSignature && end + kEndLength + Le16(&tail[end + 20]) == tailLength));
    if (Le32(&tail[end]) != kEndSignature || end + kEndLength + Le16(&tail[end + 20]) != tailLength)
        return incomplete;
    const char* record = &tail[end];
    const std::uint64_t endOffset = m_size - tailLength + end;
    const std::uint16_t disk = Le16(record + 4), directoryDisk = Le16(record + 6);
    const std::uint16_t entriesHere = Le16(record + 8), entries = Le16(record + 10);
    const std::uint32_t directorySize = Le32(record + 12), directoryStart = Le32(record + 16);
    char locator[4];
    if (entries == 0xFFFF || directorySize == 0xFFFFFFFF || directoryStart == 0xFFFFFFFF ||
        (endOffset >= 20 && ReadAt(endOffset - 20, 4, locator) && Le32(locator) == kZip64LocatorSignature))
        return Refusal(ZipStatus::Zip64);
    if (disk != 0 || directoryDisk != 0 || entriesHere != entries)
        return Refusal(ZipStatus::Split);
    if (entries > kMostZipMembers) {
        ZipProblem many = Refusal(ZipStatus::TooManyMembers);
        many.count = entries;
        many.largest = kMostZipMembers;
        return many;
    }
    if (std::uint64_t{directoryStart} + directorySize > endOffset)
        return Refusal(ZipStatus::DirectoryOutside);
    m_directoryStart = directoryStart;

    const std::uint64_t directoryEnd = std::uint64_t{directoryStart} + directorySize;
    std::uint64_t at = directoryStart, content = 0;
    std::string name;
    for (unsigned i = 0; i < entries; ++i) {
        ZipProblem broken = Refusal(ZipStatus::EntryUnreadable);
        broken.count = i + 1;
        char head[kCentralLength];
        if (at + kCentralLength > directoryEnd || !ReadAt(at, kCentralLength, head) ||
            Le32(head) != kCentralSignature)
            return broken;
        const std::uint16_t nameLength = Le16(head + 28), extraLength = Le16(head + 30), commentLength = Le16(head + 32);
        const std::uint64_t next = at + kCentralLength + nameLength + extraLength + commentLength;
        name.assign(nameLength, '\0');
        if (next > directoryEnd || !ReadAt(at + kCentralLength, nameLength, name.data()))
            return broken;
        ZipMember member;
        member.name = ShownName(name);
        member.flags = Le16(head + 8);
        member.method = Le16(head + 10);
        member.crc = Le32(head + 16);
        member.packedSize = Le32(head + 20);
        member.size = Le32(head + 24);
        member.localHeader = Le32(head + 42);
        if (member.packedSize == 0xFFFFFFFF || member.size == 0xFFFFFFFF || member.localHeader == 0xFFFFFFFF) {
            ZipProblem zip64 = Refusal(ZipStatus::MemberZip64);
            zip64.member = member.name;
            return zip64;
        }
        if (Le16(head + 34) != 0)
            return Refusal(ZipStatus::Split);
        if (member.localHeader >= m_directoryStart)
            return broken;
        content += member.size;
        if (content > kLargestZipContent) {
            ZipProblem much = Refusal(ZipStatus::TooMuchContent);
            much.largest = kLargestZipContent;
            return much;
        }
        m_members.push_back(std::move(member));
        at = next;
    }
    return {};
}

ZipResult<std::string> ZipArchive::Read(const ZipMember& member, std::uint64_t largest) const
{
    largest = std::min(largest, kLargestZipContent);
    auto refuse = [&](ZipStatus status) {
        ZipProblem problem = Refusal(status);
        problem.member = member.name;
        problem.size = member.size;
        problem.largest = largest;
        problem.method = member.method;
        return ZipResult<std::string>{std::nullopt, problem};
    };
    if (member.flags & (kEncrypted | kStrongEncryption))
        return refuse(ZipStatus::Encrypted);
    if (member.method != 0 && member.method != 8)
        return refuse(ZipStatus::UnknownMethod);
    if (member.size > largest)
        return refuse(ZipStatus::MemberTooLarge);
    if (member.method == 0 && member.packedSize != member.size)
        return refuse(ZipStatus::StoredSizesDiffer);

    // The local header must tell what the central directory tells.
    char head[kLocalLength];
    const ZipStatus cut = ZipStatus::MemberCut;
    if (!ReadAt(member.localHeader, kLocalLength, head) || Le32(head) != kLocalSignature)
        return refuse(cut);
    const std::uint16_t nameLength = Le16(head + 26), extraLength = Le16(head + 28);
    std::string localName(nameLength, '\0');
    if (!ReadAt(member.localHeader + kLocalLength, nameLength, localName.data()))
        return refuse(cut);
    const std::uint32_t crc = Le32(head + 14), packed = Le32(head + 18), size = Le32(head + 22);
    // Some writers give every member 64-bit sizes in its local header, however small it is.
    if (packed == 0xFFFFFFFF || size == 0xFFFFFFFF)
        return refuse(ZipStatus::LocalZip64);
    // With a data descriptor after the data the local header may leave them 0.
    const bool deferred = (Le16(head + 6) & kDescriptorFollows) && crc == 0 && packed == 0 && size == 0;
    if (Le16(head + 8) != member.method || ShownName(localName) != member.name ||
        (!deferred && (crc != member.crc || packed != member.packedSize || size != member.size)))
        return refuse(ZipStatus::LocalHeaderDiffers);
    const std::uint64_t dataStart = member.localHeader + kLocalLength + nameLength + extraLength;
    if (dataStart + member.packedSize > m_directoryStart)
        return refuse(cut);

    std::string out;
    if (member.method == 0) {
        out.resize(static_cast<std::size_t>(member.size));
        if (!ReadAt(dataStart, out.size(), out.data()))
            return refuse(cut);
    } else {
        Inflater inflater;
        if (!inflater.open)
            return refuse(ZipStatus::NoMemory);
        z_stream& z = inflater.stream;
        std::array<char, kChunk> in;
        std::uint64_t at = dataStart, left = member.packedSize;
        // One byte more than declared shows that a member inflates to more;
        // inflating stops there.
        const std::uint64_t room = member.size + 1;
        std::size_t produced = 0;
        int status = Z_OK;
        while (status != Z_STREAM_END) {
            if (z.avail_in == 0) {
                if (left == 0)
                    break;
                const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left, kChunk));
                if (!ReadAt(at, count, in.data()))
                    return refuse(cut);
                z.next_in = reinterpret_cast<Bytef*>(in.data());
                z.avail_in = static_cast<uInt>(count);
                at += count;
                left -= count;
            }
            if (out.size() == produced) { // grows as it fills, never past one byte over the declared size
                const std::uint64_t grown = std::max<std::uint64_t>(2 * std::uint64_t{produced}, kChunk);
                out.resize(static_cast<std::size_t>(std::min(room, grown)));
            }
            z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
            z.avail_out = static_cast<uInt>(out.size() - produced);
            status = inflate(&z, Z_NO_FLUSH);
            produced = out.size() - z.avail_out;
            if (status != Z_OK && status != Z_STREAM_END)
                return refuse(ZipStatus::NotInflatable);
            if (produced > member.size)
                return refuse(ZipStatus::InflatesToMore);
        }
        if (status != Z_STREAM_END || left != 0 || z.avail_in != 0)
            return refuse(ZipStatus::InflateEndsWrong);
        if (produced != member.size)
            return refuse(ZipStatus::InflatesToLess);
        out.resize(produced);
    }
    if (crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size())) != member.crc)
        return refuse(ZipStatus::CrcMismatch);
    return {std::move(out), {}};
}

} // namespace dralun
