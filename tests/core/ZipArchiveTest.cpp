// The ZIP reader: archives built here from bytes (tests/testkit/ZipWriter.h),
// read back member by member, and hostile ones refused with a status naming
// archive and member.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/ZipArchive.h"
#include "testkit/TempDataDir.h"
#include "testkit/ZipWriter.h"

namespace dralun {
namespace {

using test::ZipEntry;
using test::ZipOf;

// Bytes that deflate hardly at all: more than one 64 KiB chunk in and out.
std::string Noise(size_t n)
{
    std::string text(n, '\0');
    std::uint32_t x = 12345;
    for (char& c : text)
        c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
    return text;
}

TEST(ZipArchive, ReadsStoredAndDeflatedMembersWhateverTheirNames)
{
    const std::string table = "INDEX_RC;HN_001A\n117111;7,0\n";
    const std::vector<ZipEntry> entries = {
        {"raster/", "", false},
        {"raster/StatRR_D00060.csv", table, true},
        {"liesmich.txt", table, false},
        {"../../etc/passwd", "x", true},
        {"C:\\Windows\\ab\ncd\xFC.txt", "y", false}, // a line end and a Latin-1 ü in a name
        {"leer", "", true},
        {"rauschen.bin", Noise(300000), true},
    };
    const std::string bytes = ZipOf(entries, "Kommentar mit PK\x05\x06 darin");
    const auto archive = ZipArchive::FromBytes("test.zip", bytes);
    ASSERT_EQ(archive.problem.status, ZipStatus::Ok);
    const auto& members = archive.value->Members();
    ASSERT_EQ(members.size(), entries.size());
    EXPECT_TRUE(members[0].IsFolder());
    EXPECT_EQ(members[4].name, "C:\\Windows\\ab?cd?.txt");
    for (size_t i = 1; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].name);
        if (i != 4) {
            EXPECT_EQ(members[i].name, entries[i].name);
        }
        EXPECT_FALSE(members[i].IsFolder());
        const auto read = archive.value->Read(members[i], 1 << 20);
        ASSERT_EQ(read.problem.status, ZipStatus::Ok);
        EXPECT_EQ(*read.value, entries[i].content);
    }

    // The same archive from a file; nothing besides it appears on disk.
    test::TempDataDir dir;
    dir.Write("test.zip", bytes);
    const auto fromFile = ZipArchive::FromFile(dir.File("test.zip"));
    ASSERT_EQ(fromFile.problem.status, ZipStatus::Ok);
    EXPECT_EQ(*fromFile.value->Read(fromFile.value->Members()[6], 1 << 20).value, entries[6].content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

std::string Patched(std::string bytes, size_t fromEnd, const std::string& with)
{
    bytes.replace(bytes.size() - fromEnd, with.size(), with);
    return bytes;
}

TEST(ZipArchive, RefusesHostileArchivesWithTheReason)
{
    const std::string table(1000, 'a');
    const auto crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(table.data()), 1000));
    const std::string good = ZipOf({{"a.csv", table}});
    std::vector<ZipEntry> many(4097, ZipEntry{"x", "", false});
    std::vector<ZipEntry> huge(17, ZipEntry{"x", "", true});
    for (ZipEntry& e : huge)
        e.size = 64u << 20; // 17 · 64 MiB declared: more than 1 GiB
    // An archive of the one member "a.csv", the table unless told otherwise.
    auto One = [&](ZipEntry e) {
        e.name = "a.csv";
        if (e.content.empty())
            e.content = table;
        return ZipOf({e});
    };
    const std::string cut = test::Deflated(Noise(5000)).substr(0, 3000); // deflate data without its end
    // Packed size 0x10000 in both headers, the data running into the directory.
    std::string overDirectory = Patched(good, 22 + 51 - 20 - 2, "\x01");
    overDirectory[18 + 2] = '\x01';
    using Z = ZipStatus;
    const struct {
        const char* what;
        std::string bytes;
        std::uint64_t largest;
        ZipStatus status; // of opening, or of reading the first member
        std::uint64_t count = 0, size = 0; // what the message names besides
    } cases[] = {
        {"no zip", "Hallo, Welt", 0, Z::Incomplete},
        {"end cut off", good.substr(0, good.size() - 5), 0, Z::Incomplete},
        {"directory outside", Patched(good, 6, "\xFF\xFF"), 0, Z::DirectoryOutside},
        {"split", Patched(good, 18, "\x01"), 0, Z::Split},
        {"zip64 end", Patched(good, 12, "\xFF\xFF\xFF\xFF"), 0, Z::Zip64},
        {"zip64 member", One({.size = 0xFFFFFFFF}), 0, Z::MemberZip64},
        {"too many", ZipOf(many), 0, Z::TooManyMembers, 4097},
        {"too much in all", ZipOf(huge), 0, Z::TooMuchContent},
        {"crc deflated", One({.crc = crc ^ 1}), 1000, Z::CrcMismatch},
        {"crc stored", One({.deflate = false, .crc = crc ^ 0x100}), 1000, Z::CrcMismatch},
        {"bomb", One({.content = std::string(8 << 20, '\0'), .size = 1024}), 1 << 20, Z::InflatesToMore, 0, 1024},
        {"short", One({.size = 1001}), 2000, Z::InflatesToLess, 0, 1001},
        {"over the bound", good, 999, Z::MemberTooLarge, 0, 1000},
        {"local size lies", One({.localSize = 10}), 1000, Z::LocalHeaderDiffers},
        {"zip64 local header", One({.localSize = 0xFFFFFFFF}), 1000, Z::LocalZip64},
        {"local name differs", Patched(good, good.size() - 30, "b"), 1000, Z::LocalHeaderDiffers},
        {"encrypted", One({.flags = 1}), 1000, Z::Encrypted},
        {"bzip2", One({.method = 12}), 1000, Z::UnknownMethod},
        {"stored, two sizes", One({.deflate = false, .size = 999}), 1000, Z::StoredSizesDiffer},
        {"not deflate data", One({.content = "\xFF\xFF\xFF", .deflate = false, .method = 8}), 1000, Z::NotInflatable},
        {"deflate data cut", One({.content = cut, .deflate = false, .size = 5000, .method = 8}), 6000,
         Z::InflateEndsWrong},
        {"data over the directory", overDirectory, 1000, Z::MemberCut},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto archive = ZipArchive::FromBytes("test.zip", c.bytes);
        ZipProblem problem = archive.problem;
        if (archive.value) {
            ASSERT_NE(c.largest, 0u) << "opened";
            const auto read = archive.value->Read(archive.value->Members().at(0), c.largest);
            EXPECT_FALSE(read.value);
            problem = read.problem;
            EXPECT_EQ(problem.largest, c.largest);
        } else {
            EXPECT_EQ(c.largest, 0u) << static_cast<int>(problem.status);
        }
        EXPECT_EQ(problem.status, c.status) << static_cast<int>(problem.status);
        EXPECT_EQ(problem.archive, "test.zip");
        EXPECT_EQ(problem.member, IsMemberProblem(c.status) || c.status == Z::MemberZip64 ? "a.csv" : "");
        if (c.count) {
            EXPECT_EQ(problem.count, c.count);
        }
        if (c.size) {
            EXPECT_EQ(problem.size, c.size);
        }
    }
}

TEST(ZipArchive, RefusesFilesThatAreNoArchiveToRead)
{
    test::TempDataDir dir;
    {
        std::ofstream(dir.File("gross.zip"), std::ios::binary) << "PK";
    }
    std::filesystem::resize_file(dir.File("gross.zip"), kLargestZipArchive + 1); // sparse: nothing written
    const ZipProblem large = ZipArchive::FromFile(dir.File("gross.zip")).problem;
    EXPECT_EQ(large, (ZipProblem{.status = ZipStatus::TooLarge, .archive = "gross.zip", .size = 536870913,
                                 .largest = 536870912}));
    const ZipProblem missing = ZipArchive::FromFile(dir.File("fehlt.zip")).problem;
    EXPECT_EQ(missing.status, ZipStatus::Unreadable);
    EXPECT_EQ(missing.archive, "fehlt.zip");
    EXPECT_EQ(missing.file.problem, FileProblem::Missing);
}

} // namespace
} // namespace dralun
